#include "reports/engine/ReportSystem.h"

namespace qor::reports {

QString ReportSystem::statusText(const QString& pattern, int page)
{
    QString text = pattern;
    return text.replace(QStringLiteral("%p"), QString::number(page));
}

} // namespace qor::reports
