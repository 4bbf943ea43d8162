#pragma once

#include "data/local/DataSet.h"

#include <QList>
#include <QVariantList>

namespace qor::test {

// An in-memory DataSet for tests of code that reads datasets (reports,
// data-aware controls): fixed fields, rows given by the test. Cursor,
// bookmarks, editing and the filter text/switch behave as the interface says;
// the filter is kept but not applied to the rows. openCount() tells how often
// open() ran; failOpen() makes the next open raise as an SQL error would.
class MemoryDataSet final : public data::DataSet {
    Q_OBJECT
public:
    explicit MemoryDataSet(QList<data::FieldDef> fields, QList<QVariantList> rows = {}, QObject* parent = nullptr);

    void setRows(QList<QVariantList> rows);
    void addRow(QVariantList row);
    int openCount() const { return openCount_; }
    void failOpen(const QString& sqlErrorText) { openError_ = sqlErrorText; }
    int position() const { return pos_; } // current row, -1 when none

    void open() override;
    void close() override;
    data::DataSetState state() const override { return state_; }
    void first() override;
    void last() override;
    void next() override;
    void prior() override;
    bool eof() const override;
    bool bof() const override;
    int recordCount() override;
    const QList<data::FieldDef>& fields() const override { return fields_; }
    QVariant value(const QString& field) const override;
    void setValue(const QString& field, const QVariant& v) override;
    void append() override;
    void edit() override;
    void post() override;
    void cancel() override;
    void remove() override;
    void refresh() override {}
    void setFilter(const QString& text) override { filter_ = text; }
    QString filter() const override { return filter_; }
    void setFiltered(bool on) override { filtered_ = on; }
    bool filtered() const override { return filtered_; }
    QVariant bookmark() const override;
    void goToBookmark(const QVariant& b) override;

private:
    void requireActive() const;
    void moveTo(int pos);

    QList<data::FieldDef> fields_;
    QList<QVariantList> rows_;
    data::DataSetState state_ = data::DataSetState::Inactive;
    int pos_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    QVariantList saved_;
    QString filter_;
    bool filtered_ = false;
    int openCount_ = 0;
    QString openError_;
};

} // namespace qor::test
