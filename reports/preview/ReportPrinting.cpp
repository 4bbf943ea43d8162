#include "reports/preview/ReportPrinting.h"

#include "data/base/Error.h"
#include "reports/engine/PageModel.h"
#include "reports/engine/PageRenderer.h"
#include "reports/engine/ReportStatus.h"
#include "reports/engine/ReportSystem.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace qor::reports {

void preparePrinter(QPrinter& printer, const Document& doc, const ReportSystem& settings)
{
    printer.setDocName(settings.jobTitle);
    printer.setFullPage(true);
    printer.setPageLayout(doc.pageLayout());
    printer.setFromTo(0, 0);
}

QAbstractPrintDialog::PrintDialogOptions printDialogOptions(const ReportSystem& settings)
{
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintPageRange;
    if (settings.allowFileDestination)
        options |= QAbstractPrintDialog::PrintToFile;
    if (settings.allowCollation)
        options |= QAbstractPrintDialog::PrintCollateCopies;
    if (settings.allowPrinterSetup)
        options |= QAbstractPrintDialog::PrintShowPageSize;
    return options;
}

void printDocument(const Document& doc, QPrinter& printer, const ReportSystem& settings, ReportStatus* status)
{
    const int pages = int(doc.pages.size());
    const int first = printer.fromPage() > 0 ? std::min(printer.fromPage(), pages) : 1;
    const int last = printer.toPage() > 0 ? std::clamp(printer.toPage(), first, pages) : pages;
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(kind::IoError, QStringLiteral("Não foi possível iniciar a impressão em ") + printer.printerName());
    struct Finish {
        ReportStatus* status;
        ~Finish()
        {
            if (status)
                status->finished();
        }
    } finish{status};
    const PageRenderer renderer(doc);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        if (status)
            status->printing(page);
        painter.save();
        painter.scale(settings.scaleXPercent / 100.0, settings.scaleYPercent / 100.0);
        renderer.draw(painter, page - 1);
        painter.restore();
    }
    painter.end();
}

} // namespace qor::reports
