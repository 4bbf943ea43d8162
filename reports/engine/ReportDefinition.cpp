#include "reports/engine/ReportDefinition.h"

namespace qor::reports {

QStringList ReportDef::connections() const
{
    QStringList out;
    const auto add = [&](const QString& name) {
        if (!name.isEmpty() && !out.contains(name, Qt::CaseInsensitive))
            out << name;
    };
    if (title)
        add(title->connection);
    if (pageHeader)
        add(pageHeader->connection);
    for (const auto& block : blocks)
        add(block.connection);
    if (pageFooter)
        add(pageFooter->connection);
    return out;
}

const ReportDef* ProjectDef::find(const QString& name) const
{
    for (const auto& report : reports)
        if (report.name.compare(name, Qt::CaseInsensitive) == 0)
            return &report;
    return nullptr;
}

} // namespace qor::reports
