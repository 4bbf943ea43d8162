#include "app/window/Calculator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace qor::app {

CalculatorLauncher systemCalculator()
{
    return [] {
#ifdef Q_OS_WIN
        QProcess::startDetached(QStringLiteral("Calc.Exe"), {});
#else
        static const QStringList candidates = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                               QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                                               QStringLiteral("xcalc")};
        for (const QString& name : candidates) {
            const QString program = QStandardPaths::findExecutable(name);
            if (!program.isEmpty()) {
                QProcess::startDetached(program, {});
                return;
            }
        }
#endif
    };
}

} // namespace qor::app
