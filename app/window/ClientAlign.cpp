#include "app/window/ClientAlign.h"

#include <QEvent>
#include <QWidget>

namespace qor::app {

ClientAlign::ClientAlign(QWidget* w) : QObject(w), widget_(w)
{
    if (QWidget* parent = w->parentWidget())
        parent->installEventFilter(this);
}

static ClientAlign* alignOf(const QWidget* w) { return w->findChild<ClientAlign*>({}, Qt::FindDirectChildrenOnly); }

void ClientAlign::apply(QWidget* w)
{
    if (!alignOf(w))
        new ClientAlign(w);
    if (QWidget* parent = w->parentWidget())
        w->setGeometry(clientRect(parent));
}

void ClientAlign::release(QWidget* w) { delete alignOf(w); }

bool ClientAlign::isApplied(const QWidget* w) { return alignOf(w) != nullptr; }

QRect ClientAlign::clientRect(const QWidget* parent)
{
    return parent->rect().adjusted(0, parent->property("clientTop").toInt(), 0, 0);
}

bool ClientAlign::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == widget_->parentWidget())
        widget_->setGeometry(clientRect(widget_->parentWidget()));
    return false;
}

} // namespace qor::app
