#include "app/widgets/DataSetModel.h"

#include "app/widgets/RunHandler.h"

namespace qor::widgets {

using data::DataSetState;

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::bind(DataSource* source)
{
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    if (source_) {
        connections_ << connect(source_, &DataSource::stateChanged, this, &DataSetModel::onStateChanged);
        connections_ << connect(source_, &DataSource::rowChanged, this, &DataSetModel::follow);
        connections_ << connect(source_, &DataSource::dataSetChanged, this, &DataSetModel::reload);
        connections_ << connect(source_, &DataSource::fieldChanged, this, [this] {
            if (!fetching_ && current_ >= 0)
                emit dataChanged(index(current_, 0), index(current_, columnCount() - 1));
        });
    }
    reload();
}

void DataSetModel::setColumns(const QList<GridColumn>& columns)
{
    beginResetModel();
    columns_ = columns;
    endResetModel();
    reload();
}

bool DataSetModel::ready() const { return source_ && source_->isActive(); }

DataSetModel::Row DataSetModel::readRow() const
{
    const data::DataSet* ds = source_->dataSet();
    Row row;
    row.bookmark = ds->bookmark();
    for (const GridColumn& c : columns_)
        row.values << (ds->hasField(c.field) ? ds->value(c.field) : QVariant());
    return row;
}

int DataSetModel::findBookmark(const QVariant& bookmark) const
{
    if (bookmark.isNull())
        return -1;
    for (auto it = rows_.cbegin(); it != rows_.cend(); ++it)
        if (it.value().bookmark == bookmark)
            return it.key();
    return -1;
}

// A row the dataset moved to by itself, not read yet: the first and the
// last block (a table just opened, or sent to its last row), then block by
// block from the top.
int DataSetModel::findUnreadBookmark(const QVariant& bookmark)
{
    if (bookmark.isNull() || alone_ || total_ == 0)
        return -1;
    for (int end : {0, total_ - 1}) {
        if (!rows_.contains(end))
            fetchBlock(end);
        if (const int row = findBookmark(bookmark); row >= 0)
            return row;
    }
    int row = -1;
    for (int start = 0; row < 0 && start < total_; start += kBatch) {
        if (!rows_.contains(start))
            fetchBlock(start);
        row = findBookmark(bookmark);
    }
    return row;
}

void DataSetModel::reload()
{
    beginResetModel();
    rows_.clear();
    current_ = -1;
    total_ = 0;
    inserting_ = false;
    alone_ = false;
    lastState_ = ready() ? source_->dataSet()->state() : DataSetState::Inactive;
    knownCount_ = -1;
    if (ready() && source_->isEditing()) {
        // Reading ahead would move the row being edited: show it alone until it is stored.
        rows_.insert(0, readRow());
        inserting_ = lastState_ == DataSetState::Insert;
        alone_ = true;
        total_ = inserting_ ? 0 : 1;
    } else if (ready()) {
        total_ = source_->dataSet()->recordCount();
        knownCount_ = total_;
    }
    endResetModel();
    follow();
}

void DataSetModel::fetchBlock(int row)
{
    if (!ready() || alone_ || source_->isEditing() || fetching_ || row < 0 || row >= total_)
        return;
    const int start = row - row % kBatch;
    const int end = qMin(start + kBatch, total_);
    data::DataSet* ds = source_->dataSet();
    QList<Row> block;
    fetching_ = true;
    const bool ok = app::runHandler(source_->boxes(), [&] {
        ControlsDisabled hold(*source_);
        const QVariant back = ds->bookmark();
        if (end == total_ && start > 0) {
            // The last block: from the last row backwards.
            ds->last();
            for (int i = end - 1; i >= start; --i) {
                block.prepend(readRow());
                if (i > start) {
                    ds->prior();
                    if (ds->bof())
                        break;
                }
            }
        } else {
            if (start == 0)
                ds->first();
            else
                ds->moveToRecNo(start);
            while (!ds->eof() && block.size() < end - start) {
                block << readRow();
                ds->next();
            }
        }
        if (back.isNull())
            ds->first();
        else
            ds->goToBookmark(back);
    });
    fetching_ = false;
    if (!ok)
        return;
    for (int i = 0; i < block.size(); ++i)
        rows_.insert(start + i, block.at(i));
}

const DataSetModel::Row* DataSetModel::rowAt(int row)
{
    if (!rows_.contains(row))
        fetchBlock(row);
    const auto it = rows_.constFind(row);
    return it == rows_.constEnd() ? nullptr : &it.value();
}

void DataSetModel::follow()
{
    if (fetching_)
        return;
    if (!ready()) {
        setCurrent(-1);
        return;
    }
    if (inserting_) {
        setCurrent(rowCount() - 1);
        emit dataChanged(index(current_, 0), index(current_, columnCount() - 1));
        return;
    }
    data::DataSet* ds = source_->dataSet();
    if (!source_->isEditing()) {
        // A row stored or deleted (here or elsewhere) changes the lines.
        const int count = ds->recordCount();
        if (alone_ || (knownCount_ >= 0 && count != knownCount_)) {
            reload();
            return;
        }
        knownCount_ = count;
    }
    const QVariant bookmark = ds->isEmpty() ? QVariant() : ds->bookmark();
    int row = findBookmark(bookmark);
    if (row < 0 && !source_->isEditing())
        row = findUnreadBookmark(bookmark);
    if (row >= 0) {
        rows_[row].values = readRow().values;
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    setCurrent(row);
}

void DataSetModel::onStateChanged()
{
    if (fetching_)
        return;
    const DataSetState now = ready() ? source_->dataSet()->state() : DataSetState::Inactive;
    const DataSetState before = lastState_;
    lastState_ = now;
    if (now == DataSetState::Inactive || before == DataSetState::Inactive) {
        reload();
        return;
    }
    if (now == DataSetState::Insert && before != DataSetState::Insert) {
        const int at = rowCount();
        beginInsertRows({}, at, at);
        rows_.insert(at, Row{});
        inserting_ = true;
        endInsertRows();
        follow();
        return;
    }
    if (before == DataSetState::Insert && now != DataSetState::Insert) {
        reload();
        return;
    }
    follow();
}

void DataSetModel::setCurrent(int row)
{
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(row);
}

void DataSetModel::moveTo(int row)
{
    if (!ready() || row == current_ || row < 0 || row >= rowCount())
        return;
    const Row* r = rowAt(row);
    if (!r || r->bookmark.isNull())
        return;
    const QVariant bookmark = r->bookmark;
    if (source_->isEditing())
        source_->post();
    source_->dataSet()->goToBookmark(bookmark);
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : total_ + (inserting_ ? 1 : 0);
}

int DataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columns_.size())
        return {};
    const GridColumn& column = columns_.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.alignment);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const data::DataSet* ds = ready() ? source_->dataSet() : nullptr;
    const bool live = ds && !fetching_ && index.row() == current_ && ds->hasField(column.field);
    QVariant value;
    if (live) {
        value = ds->value(column.field);
    } else if (const Row* row = const_cast<DataSetModel*>(this)->rowAt(index.row())) {
        // A line shown for the first time reads its block.
        value = row->values.value(index.column());
    }
    const data::FieldKind kind =
        ds && ds->hasField(column.field) ? ds->fields().at(ds->fieldIndex(column.field)).kind : data::FieldKind::Text;
    return role == Qt::DisplayRole ? column.format.display(value, kind) : column.format.edit(value, kind);
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_.at(section).title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_.at(section).alignment);
    return {};
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!readOnly_ && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || readOnly_ || !ready() || !index.isValid() || index.column() >= columns_.size())
        return false;
    const QString field = columns_.at(index.column()).field;
    data::DataSet* ds = source_->dataSet();
    if (!ds->hasField(field))
        return false;
    QVariant typed;
    if (!parseFieldText(value.toString(), ds->fields().at(ds->fieldIndex(field)).kind, &typed))
        return false;
    bool written = false;
    app::runHandler(source_->boxes(), [&] {
        if (index.row() != current_)
            moveTo(index.row());
        if (source_->beginEdit()) {
            ds->setValue(field, typed);
            written = true;
        }
    });
    return written;
}

} // namespace qor::widgets
