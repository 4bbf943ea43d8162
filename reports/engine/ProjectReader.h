#pragma once

#include "reports/engine/ReportDefinition.h"

#include <QByteArray>
#include <QString>

namespace qor::reports {

// Reads a report project (our XML format, see reports/project/rptCaixa.rav).
// A missing or unreadable file, and any fault in its content, raise
// qor::Error of kind ReportProject; the text names the file (and the line).
ProjectDef readProjectFile(const QString& path);
ProjectDef parseProject(const QByteArray& xml, const QString& sourceName);

} // namespace qor::reports
