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
    for (int i = 0; i < rows_.size(); ++i)
        if (rows_.at(i).bookmark == bookmark)
            return i;
    return -1;
}

void DataSetModel::reload()
{
    beginResetModel();
    rows_.clear();
    current_ = -1;
    inserting_ = false;
    atEnd_ = !ready();
    lastState_ = ready() ? source_->dataSet()->state() : DataSetState::Inactive;
    knownCount_ = -1;
    if (ready() && source_->isEditing()) {
        // Reading ahead would move the row being edited: show it alone until it is stored.
        rows_ << readRow();
        inserting_ = lastState_ == DataSetState::Insert;
    }
    endResetModel();
    if (ready() && !source_->isEditing())
        knownCount_ = source_->dataSet()->recordCount();
    follow();
}

void DataSetModel::fetchBatch()
{
    if (!ready() || atEnd_ || source_->isEditing() || fetching_)
        return;
    data::DataSet* ds = source_->dataSet();
    QList<Row> batch;
    fetching_ = true;
    const bool ok = app::runHandler(source_->boxes(), [&] {
        ControlsDisabled hold(*source_);
        const QVariant back = ds->bookmark();
        if (rows_.isEmpty()) {
            ds->first();
        } else {
            ds->goToBookmark(rows_.last().bookmark);
            ds->next();
        }
        while (!ds->eof() && batch.size() < kBatch) {
            batch << readRow();
            ds->next();
        }
        atEnd_ = ds->eof();
        if (back.isNull())
            ds->first();
        else
            ds->goToBookmark(back);
    });
    fetching_ = false;
    if (!ok)
        atEnd_ = true;
    if (batch.isEmpty())
        return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + batch.size() - 1));
    rows_ << batch;
    endInsertRows();
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
        setCurrent(int(rows_.size()) - 1);
        emit dataChanged(index(current_, 0), index(current_, columnCount() - 1));
        return;
    }
    data::DataSet* ds = source_->dataSet();
    if (!source_->isEditing()) {
        // A row deleted or stored elsewhere leaves the remembered rows stale.
        const int count = ds->recordCount();
        if (knownCount_ >= 0 && count != knownCount_) {
            reload();
            return;
        }
        knownCount_ = count;
    }
    const QVariant bookmark = ds->isEmpty() ? QVariant() : ds->bookmark();
    int row = findBookmark(bookmark);
    while (row < 0 && !bookmark.isNull() && !atEnd_ && !source_->isEditing()) {
        fetchBatch();
        row = findBookmark(bookmark);
    }
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
        beginInsertRows({}, int(rows_.size()), int(rows_.size()));
        rows_ << Row{};
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
    if (!ready() || row == current_ || row < 0 || row >= rows_.size())
        return;
    const QVariant bookmark = rows_.at(row).bookmark;
    if (bookmark.isNull())
        return;
    if (source_->isEditing())
        source_->post();
    source_->dataSet()->goToBookmark(bookmark);
}

int DataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int DataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= columns_.size())
        return {};
    const GridColumn& column = columns_.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.alignment);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const data::DataSet* ds = ready() ? source_->dataSet() : nullptr;
    const bool live = ds && !fetching_ && index.row() == current_ && ds->hasField(column.field);
    const QVariant value = live ? ds->value(column.field) : rows_.at(index.row()).values.value(index.column());
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

bool DataSetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && ready() && !atEnd_ && !source_->isEditing();
}

void DataSetModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        fetchBatch();
}

} // namespace qor::widgets
