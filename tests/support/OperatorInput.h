#pragma once

#include <QApplication>
#include <QClipboard>
#include <QStringList>
#include <QTest>

namespace qor::test {

// The operator's input on a control, step by step, for tables of typing
// cases: a plain step is typed key by key; "<kp.>" and "<kp,>" press the
// keypad's decimal key as a layout with a decimal point or a decimal comma
// types it; "<paste>" followed by a text pastes that text with Ctrl+V.
inline void operate(QWidget* w, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step == QLatin1String("<kp.>")) {
            QTest::keyClick(w, Qt::Key_Period, Qt::KeypadModifier);
        } else if (step == QLatin1String("<kp,>")) {
            QTest::keyClick(w, Qt::Key_Comma, Qt::KeypadModifier);
        } else if (step.startsWith(QLatin1String("<paste>"))) {
            QGuiApplication::clipboard()->setText(step.mid(7));
            QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(w, step);
        }
    }
}

} // namespace qor::test
