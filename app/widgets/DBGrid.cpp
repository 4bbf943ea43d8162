#include "app/widgets/DBGrid.h"

#include "app/widgets/RunHandler.h"

#include <QHeaderView>

namespace qor::widgets {

DBGrid::DBGrid(const QString& name, QWidget* parent) : QTableView(parent), model_(new DataSetModel(this))
{
    setObjectName(name);
    setModel(model_);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(model_, &DataSetModel::currentRowChanged, this, &DBGrid::showCurrent);
}

void DBGrid::bind(DataSource* source) { model_->bind(source); }

void DBGrid::addColumn(const QString& field, const QString& title, Qt::Alignment alignment, const QString& displayFormat)
{
    QList<GridColumn> columns = model_->columns();
    columns << GridColumn{field, title, alignment, DisplayFormat(displayFormat)};
    model_->setColumns(columns);
}

void DBGrid::setDataReadOnly(bool on)
{
    model_->setReadOnly(on);
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
}

void DBGrid::setWholeRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

QModelIndex DBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (selectionBehavior() == QAbstractItemView::SelectRows && (action == MoveHome || action == MoveEnd))
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid() || current.row() == model_->currentRow() || !model_->source())
        return;
    const bool moved = app::runHandler(model_->source()->boxes(), [&] { model_->moveTo(current.row()); });
    if (!moved || current.row() != model_->currentRow())
        QMetaObject::invokeMethod(this, [this] { showCurrent(model_->currentRow()); }, Qt::QueuedConnection);
}

void DBGrid::showCurrent(int row)
{
    syncing_ = true;
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else {
        const int column = qMax(0, currentIndex().column());
        setCurrentIndex(model_->index(row, column));
    }
    syncing_ = false;
}

} // namespace qor::widgets
