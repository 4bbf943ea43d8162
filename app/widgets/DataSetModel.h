#pragma once

#include "app/widgets/DataSource.h"
#include "app/widgets/FieldFormat.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>

namespace qor::widgets {

struct GridColumn {
    QString field;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    DisplayFormat format;
};

// The rows of a data source's dataset for a grid. The grid has as many
// lines as the dataset has rows; their values are read in blocks when a
// line is first shown or reached, each block from where the dataset
// positions itself at once (the first row, the last row, or a row number
// for the ones between), so the far end of a large table is as near as its
// start. Rows are remembered with their bookmark; the dataset's current row
// is always read live, so what the operator types shows at once.
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

    // The model row of the dataset's current row (-1: none).
    int currentRow() const { return current_; }
    // Makes `row` the dataset's current row, storing a pending edit first.
    // Raises what the dataset raises.
    void moveTo(int row);
    // Rows read from the dataset so far.
    int rowsRead() const { return int(rows_.size()); }

signals:
    void currentRowChanged(int row);

private:
    struct Row {
        QVariant bookmark;
        QList<QVariant> values;
    };

    bool ready() const;
    Row readRow() const;
    void fetchBlock(int row);
    const Row* rowAt(int row);
    void reload();
    void follow();
    void onStateChanged();
    void setCurrent(int row);
    int findBookmark(const QVariant& bookmark) const;
    int findUnreadBookmark(const QVariant& bookmark);

    QPointer<DataSource> source_;
    QList<QMetaObject::Connection> connections_;
    QList<GridColumn> columns_;
    QHash<int, Row> rows_;
    data::DataSetState lastState_ = data::DataSetState::Inactive;
    int total_ = 0;       // the dataset's rows, as counted at the last load
    int knownCount_ = -1; // -1 while the count is not followed (a row edited alone)
    bool fetching_ = false;
    bool inserting_ = false; // one more line at the end for the row being inserted
    bool alone_ = false;     // loaded while editing: the edited row alone until stored
    bool readOnly_ = false;
    int current_ = -1;
};

} // namespace qor::widgets
