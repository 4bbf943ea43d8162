#include "reports/engine/ReportDefinition.h"

namespace qor::reports {

QStringList ReportDef::connections() const
{
    QStringList out;
    const auto add = [&](const QString& name) {
        if (!name.isEmpty() && !out.contains(name, Qt::CaseInsensitive))
            out << name;
    };
    // Fields that name their own connection ("{rvdsCabecalho.Loja}").
    const auto addNamed = [&](const std::optional<BandDef>& band) {
        if (!band)
            return;
        for (const auto& item : band->items)
            for (const auto& s : item.segments)
                add(s.connection);
    };
    const auto addStatic = [&](const std::optional<StaticBand>& band) {
        if (!band)
            return;
        add(band->connection);
        addNamed(band->band);
    };
    addStatic(title);
    addStatic(pageHeader);
    for (const auto& block : blocks) {
        add(block.connection);
        addNamed(block.header);
        for (const auto& group : block.groups) {
            addNamed(group.header);
            addNamed(group.footer);
        }
        addNamed(block.detail);
        addNamed(block.noData);
        addNamed(block.summary);
    }
    addStatic(pageFooter);
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
