#pragma once

#include "app/widgets/DataSource.h"

#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

namespace qor::widgets {

// The binding of one control to one field of a data source: follows the
// dataset's position, state and values (calling `reload`), and writes what
// the operator typed back into the current row.
class FieldLink final : public DataLink {
public:
    // `reload`: show the field's current value again.
    // `flush`: write pending typed text, raising InvalidValue if it can't be.
    FieldLink(QObject* owner, std::function<void()> reload, std::function<void()> flush);
    ~FieldLink() override;
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    void bind(DataSource* source, const QString& field);
    DataSource* source() const { return source_; }
    const QString& field() const { return field_; }

    // The dataset is open and has the field.
    bool hasValue() const;
    QVariant value() const;
    data::FieldKind kind() const;

    // Writes `v` into the current row, putting the row into editing first.
    // An error of the dataset reaches the unexpected-error display and
    // nothing is written. Returns true when the value was written.
    bool write(const QVariant& v);
    bool writing() const { return writing_; }

    void updateRecord() override { flush_(); }

private:
    void connectSource();

    QObject* owner_;
    std::function<void()> reload_;
    std::function<void()> flush_;
    QPointer<DataSource> source_;
    QString field_;
    QList<QMetaObject::Connection> connections_;
    bool writing_ = false;
};

} // namespace qor::widgets
