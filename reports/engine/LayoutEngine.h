#pragma once

#include "reports/engine/PageModel.h"
#include "reports/engine/ReportDefinition.h"

#include <QDateTime>

#include <functional>

namespace qor::reports {

class DataConnections;
class ReportStatus;

// Lays a report out over its data connections into pages, once.
// Order on a page: page header, title (first page only), the data blocks in
// turn (heading, repeated at the top of each new page; group headers and
// footers where a group field changes; detail; "no rows" band; summary),
// page footer at the bottom. A band never splits: one that does not fit
// starts a new page, and a group header keeps its first row with it. A page
// that goes on with a group starts with that group's header again, its
// fields followed by " (continuação)". A text wider than its box wraps and
// its band grows (page bands and bands marked grow="false" shrink the text
// instead), so no text is ever cut.
// Text is measured with the fonts of the running QGuiApplication.
// Every connection the report names must be registered (else qor::Error of
// kind ReportProject); each is opened and restored as ConnectionUse says.
//
// pageLaid, when given, is called with the document so far as soon as each
// page is complete, before the next one is laid out (a preview can show the
// first page at once). Until the last page is known the page-count texts
// hold pageCountMark() where the count will go.
using PageLaid = std::function<void(const Document& doc, int page)>;
Document layoutReport(const ReportDef& report, const DataConnections& connections, const QDateTime& printedAt,
                      ReportStatus* status = nullptr, const PageLaid& pageLaid = {});

QChar pageCountMark();

} // namespace qor::reports
