#pragma once

#include "app/widgets/DataSource.h"
#include "app/widgets/FieldFormat.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace qor::widgets {

struct GridColumn {
    QString field;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    DisplayFormat format;
};

// The rows of a data source's dataset for a grid. Rows are read ahead in
// batches as the view scrolls (never the whole table at once), remembered
// with their bookmark; the dataset's current row is always read live, so
// what the operator types shows at once.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kBatch = 100;

    explicit DataSetModel(QObject* parent = nullptr);

    void bind(DataSource* source);
    DataSource* source() const { return source_; }
    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return columns_; }
    void setReadOnly(bool on) { readOnly_ = on; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The model row of the dataset's current row (-1: none).
    int currentRow() const { return current_; }
    // Makes `row` the dataset's current row, storing a pending edit first.
    // Raises what the dataset raises.
    void moveTo(int row);

signals:
    void currentRowChanged(int row);

private:
    struct Row {
        QVariant bookmark;
        QList<QVariant> values;
    };

    bool ready() const;
    Row readRow() const;
    void fetchBatch();
    void reload();
    void follow();
    void onStateChanged();
    void setCurrent(int row);
    int findBookmark(const QVariant& bookmark) const;

    QPointer<DataSource> source_;
    QList<QMetaObject::Connection> connections_;
    QList<GridColumn> columns_;
    QList<Row> rows_;
    data::DataSetState lastState_ = data::DataSetState::Inactive;
    int knownCount_ = -1;
    bool atEnd_ = true;
    bool fetching_ = false;
    bool inserting_ = false;
    bool readOnly_ = false;
    int current_ = -1;
};

} // namespace qor::widgets
