#pragma once

#include "reports/engine/PageModel.h"
#include "reports/engine/ReportDefinition.h"

#include <QDateTime>

namespace qor::reports {

class DataConnections;
class ReportStatus;

// Lays a report out over its data connections into pages, once.
// Order on a page: title (first page only), page header, the data blocks in
// turn (heading, repeated at the top of each new page; group headers and
// footers where a group field changes; detail; "no rows" band; summary),
// page footer at the bottom. A band never splits: one that does not fit
// starts a new page, and a group header keeps its first row with it.
// Every connection the report names must be registered (else qor::Error of
// kind ReportProject); each is opened and restored as ConnectionUse says.
Document layoutReport(const ReportDef& report, const DataConnections& connections, const QDateTime& printedAt,
                      ReportStatus* status = nullptr);

} // namespace qor::reports
