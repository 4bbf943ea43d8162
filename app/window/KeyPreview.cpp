#include "app/window/KeyPreview.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

namespace qor::app {

KeyPreview::KeyPreview(QWidget* window, std::function<void()> focusNext, CalculatorLauncher calculator)
    : QObject(window), window_(window), focusNext_(std::move(focusNext)), calculator_(std::move(calculator))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() { qApp->removeEventFilter(this); }

void KeyPreview::setCancelButton(QAbstractButton* button) { cancelButton_ = button; }

bool KeyPreview::isFirstDelivery(QObject* watched) const
{
    // A key not taken by a control travels on to its parents; act only once,
    // where it was first delivered: the focused control of our window.
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !window_ || (w != window_ && !window_->isAncestorOf(w)))
        return false;
    QWidget* focus = QApplication::focusWidget();
    return focus ? w == focus : w == window_;
}

bool KeyPreview::isEnterFieldWidget(QWidget* w) const
{
    if (isEnterField(w->objectName()))
        return true;
    // The editor inside a drop-down or spin box stands for its owner.
    QWidget* owner = w->parentWidget();
    return owner && (qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner)) &&
           isEnterField(owner->objectName());
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isFirstDelivery(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* w = static_cast<QWidget*>(watched);
    if (key->key() == Qt::Key_F10) {
        if (calculator_)
            calculator_();
        return false;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && isEnterFieldWidget(w)) {
        focusNext_();
        return true;
    }
    if (enter && qobject_cast<QAbstractButton*>(w) && w->isEnabled()) {
        static_cast<QAbstractButton*>(w)->click();
        return true;
    }
    if (key->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled()) {
        cancelButton_->click();
        return true;
    }
    return false;
}

} // namespace qor::app
