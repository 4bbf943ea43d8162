#pragma once

#include "reports/engine/PageModel.h"

#include <QDialog>
#include <QPrinter>

class QLabel;
class QPrintPreviewWidget;

namespace qor::app {
class MessageBoxes;
}

namespace qor::reports {

class ReportDialogs;
class ReportStatus;
struct PdfOutput;
struct ReportSystem;

// The preview "Report Preview": modal, maximised, zoom 100 %, pages drawn
// from the laid-out model. From it the operator prints (print dialog) or
// saves a PDF ("Adobe Acrobat (PDF)", "*.pdf"). Errors of either are shown
// as unexpected errors and the preview stays.
class ReportPreview final : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const Document& doc, const ReportSystem& settings, const PdfOutput& pdf, ReportDialogs& dialogs,
                  app::MessageBoxes& boxes, ReportStatus* status, QWidget* parent);

    void print();
    void saveAsPdf();

private:
    void paintPages(QPrinter* printer);
    void showPageNumber();

    const Document& doc_;
    const ReportSystem& settings_;
    const PdfOutput& pdf_;
    ReportDialogs& dialogs_;
    app::MessageBoxes& boxes_;
    ReportStatus* status_;
    QPrinter previewPrinter_{QPrinter::HighResolution};
    QPrintPreviewWidget* view_;
    QLabel* pageLabel_;
};

} // namespace qor::reports
