#pragma once

#include "app/window/Calculator.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QAbstractButton;
class QWidget;

namespace qor::app {

// The main window's keyboard preview: sees every key pressed in the window
// before the focused control does.
// - F10, with or without Shift, Ctrl or Alt, in any control: starts the
//   calculator; the key still reaches the control.
// - Enter in a registered entry field (by objectName): swallowed, the focus
//   moves on as Tab would move it (the Enter-key rule).
// - Enter on a focused button clicks it.
// - Esc clicks the cancel button while it is visible and enabled.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    KeyPreview(QWidget* window, std::function<void()> focusNext, CalculatorLauncher calculator);
    ~KeyPreview() override;

    void addEnterField(const QString& objectName) { enterFields_.insert(objectName); }
    bool isEnterField(const QString& objectName) const { return enterFields_.contains(objectName); }
    void setCalculator(CalculatorLauncher calculator) { calculator_ = std::move(calculator); }
    void setCancelButton(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isFirstDelivery(QObject* watched) const;
    bool isEnterFieldWidget(QWidget* w) const;

    QPointer<QWidget> window_;
    std::function<void()> focusNext_;
    CalculatorLauncher calculator_;
    QSet<QString> enterFields_;
    QPointer<QAbstractButton> cancelButton_;
};

} // namespace qor::app
