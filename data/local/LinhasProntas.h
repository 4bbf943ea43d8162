#pragma once

#include "data/local/DataSet.h"

#include <QVariantList>

namespace qor::data {

// Rows put together by the program (from the order server and the cash
// tables at once) for a report to read: fixed fields, rows set by
// carrega(), kept while closed. Read-only: editing raises NotEditing; the
// filter text is kept but not applied.
class LinhasProntas final : public DataSet {
    Q_OBJECT
public:
    using DataSet::DataSet;

    void defineCampos(QList<FieldDef> fields) { fields_ = std::move(fields); }

    void carrega(QList<QVariantList> rows); // one value per field, in the fields' order

    void open() override;
    void close() override;
    DataSetState state() const override { return open_ ? DataSetState::Browse : DataSetState::Inactive; }
    void first() override { moveTo(0); }
    void last() override { moveTo(int(rows_.size()) - 1); }
    void next() override;
    void prior() override;
    bool eof() const override { return eof_; }
    bool bof() const override { return bof_; }
    int recordCount() override { return open_ ? int(rows_.size()) : 0; }
    const QList<FieldDef>& fields() const override { return fields_; }
    QVariant value(const QString& field) const override;
    void setValue(const QString& field, const QVariant& v) override;
    void append() override { somenteLeitura(); }
    void edit() override { somenteLeitura(); }
    void post() override { somenteLeitura(); }
    void cancel() override {}
    void remove() override { somenteLeitura(); }
    void refresh() override {}
    void setFilter(const QString& text) override { filter_ = text; }
    QString filter() const override { return filter_; }
    void setFiltered(bool on) override { filtered_ = on; }
    bool filtered() const override { return filtered_; }
    QVariant bookmark() const override { return pos_; }
    void goToBookmark(const QVariant& b) override { moveTo(b.toInt()); }

private:
    [[noreturn]] void somenteLeitura() const;
    void moveTo(int pos);

    QList<FieldDef> fields_;
    QList<QVariantList> rows_;
    bool open_ = false;
    int pos_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    QString filter_;
    bool filtered_ = false;
};

} // namespace qor::data
