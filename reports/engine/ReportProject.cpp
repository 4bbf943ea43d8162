#include "reports/engine/ReportProject.h"

#include "data/base/Clock.h"
#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "reports/engine/LayoutEngine.h"
#include "reports/engine/ProjectReader.h"
#include "reports/engine/ReportOutput.h"
#include "reports/engine/ReportSystem.h"

namespace qor::reports {

ReportProject::ReportProject(ReportSystem& engine, const DataConnections& connections, const Clock& clock)
    : engine_(engine), connections_(connections), clock_(clock)
{
}

void ReportProject::Close() { project_.reset(); }

QString ReportProject::projectPath() const { return SuitePaths::map(projectFile); }

bool ReportProject::ExecuteReport(const QString& name)
{
    if (!project_)
        project_ = readProjectFile(projectPath());
    const ReportDef* report = project_->find(name);
    if (!report)
        return false;
    if (!engine_.output)
        throw Error(kind::ReportProject, QStringLiteral("Nenhum destino definido para o relatório ") + name);
    ReportOutput& output = *engine_.output;
    Document doc;
    try {
        doc = layoutReport(*report, connections_, clock_.now(), engine_.statusWindow ? engine_.status : nullptr,
                           [&output](const Document& partial, int page) { output.pageLaid(partial, page); });
    } catch (...) {
        output.layoutFailed();
        throw;
    }
    output.deliver(doc);
    return true;
}

} // namespace qor::reports
