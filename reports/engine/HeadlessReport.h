#pragma once

#include <QString>

namespace qor::reports {

class TRM;

// Runs a named report of the module's project straight into a PDF file,
// with no window (the program's command line, back office, tests). Closes
// the project first, as every report command does. Returns false when the
// project has no report of that name (no file is written). Errors (missing
// project, SQL, file) raise qor::Error.
bool renderReportToPdf(TRM& rm, const QString& reportName, const QString& pdfPath);

} // namespace qor::reports
