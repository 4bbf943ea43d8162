#pragma once

#include "reports/engine/ReportDefinition.h"

#include <QString>

#include <optional>

namespace qor {
class Clock;
}

namespace qor::reports {

class DataConnections;
struct ReportSystem;

// The report project (rvpj1): a project file of named reports, run by the
// report system over the data connections. Callers always Close() and then
// ExecuteReport(name), so the file is read from disk for every report.
class ReportProject {
public:
    ReportProject(ReportSystem& engine, const DataConnections& connections, const Clock& clock);

    // The suite path of the project file, mapped through SuitePaths.
    QString projectFile = QStringLiteral("C:\\QUELVORA\\rpt\\rptCaixa.rav");

    // Unloads the project if loaded; nothing otherwise.
    void Close();

    // Loads the project when not loaded (a missing file raises qor::Error of
    // kind ReportProject naming the path), lays the named report out and
    // hands it to the system's default destination; returns when that is done
    // with it (the preview: when closed). A name the project does not hold
    // returns false without output.
    bool ExecuteReport(const QString& name);

    bool loaded() const { return project_.has_value(); }
    QString projectPath() const; // the local file behind projectFile

private:
    ReportSystem& engine_;
    const DataConnections& connections_;
    const Clock& clock_;
    std::optional<ProjectDef> project_;
};

} // namespace qor::reports
