#pragma once

#include "app/widgets/DataSource.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace qor::widgets {

// A row of buttons that move through and edit a data source's dataset,
// with a chosen set of buttons in a chosen order. Delete asks the operator
// to confirm. Errors of a button reach the unexpected-error display.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

    static inline const QString kConfirmDelete = QStringLiteral("Excluir o registro?");

    DBNavigator(const QString& name, const QList<Button>& buttons, QWidget* parent = nullptr);

    void bind(DataSource* source);
    // objectName "nbFirst", "nbPrior", ... "nbRefresh".
    QToolButton* button(Button b) const { return buttons_.value(b); }
    void click(Button b);

private:
    void updateButtons();
    void run(Button b);

    QMap<Button, QToolButton*> buttons_;
    QPointer<DataSource> source_;
    QList<QMetaObject::Connection> connections_;
};

} // namespace qor::widgets
