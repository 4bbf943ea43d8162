#pragma once

#include <QAbstractPrintDialog>

class QPrinter;

namespace qor::reports {

struct Document;
struct ReportSystem;
class ReportStatus;

// A printer set up as the report system says: the document's paper with
// the model drawn from its corner, job title "ReportPrinter Report".
void preparePrinter(QPrinter& printer, const Document& doc, const ReportSystem& settings);

// What the print dialog lets the operator choose, from the system's allowed setups.
QAbstractPrintDialog::PrintDialogOptions printDialogOptions(const ReportSystem& settings);

// Prints the pages the printer's range asks for (all when none), at the
// system's scale, telling status "Imprimindo pág. %p" page by page. Raises
// qor::Error (kind IoError) when the printer can't be started.
void printDocument(const Document& doc, QPrinter& printer, const ReportSystem& settings, ReportStatus* status);

} // namespace qor::reports
