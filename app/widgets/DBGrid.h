#pragma once

#include "app/widgets/DataSetModel.h"

#include <QTableView>

namespace qor::widgets {

// A grid over a data source: one line per row, the dataset's current row
// selected and followed both ways. Never deletes rows by keyboard.
// Ctrl+Home/Ctrl+End go to the first and the last row; in a grid that
// selects whole rows, Home and End do as well.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(const QString& name, QWidget* parent = nullptr);

    void bind(DataSource* source);
    void addColumn(const QString& field, const QString& title,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, const QString& displayFormat = {});
    void setDataReadOnly(bool on);
    void setWholeRowSelect(bool on);
    DataSetModel* dataModel() const { return model_; }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void showCurrent(int row);

    DataSetModel* model_;
    bool syncing_ = false;
};

} // namespace qor::widgets
