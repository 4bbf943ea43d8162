#pragma once

#include <QString>

namespace qor::reports {

class ReportOutput;
class ReportStatus;

// The report system (rvstm1): the engine settings as data, the default
// destination and the status display. The preview and the printing read
// their titles, texts, zoom and printer settings from here.
struct ReportSystem {
    // No output-options dialog before a report: output goes straight to the
    // default destination.
    bool showSetupDialog = false;
    QString setupTitle = QStringLiteral("Opções de Saída");

    // What the engine's own dialogs (the print dialog) let the operator set.
    bool allowCopies = true;
    bool allowCollation = true;
    bool allowDuplex = true;
    bool allowPrinterDestination = true;
    bool allowFileDestination = true;
    bool allowPrinterSetup = true;
    bool allowPreviewSetup = true;

    bool statusWindow = true;
    QString statusTitle = QStringLiteral("Estatus do Relatório");
    QString statusGenerating = QStringLiteral("Aguarde - gerando pág. %p");
    QString statusPrinting = QStringLiteral("Imprimindo pág. %p");

    QString previewTitle = QStringLiteral("Report Preview");
    bool previewModal = true;
    bool previewMaximized = true;
    int previewZoomPercent = 100;
    bool previewPrinting = true;

    // Printer: units centimetres (factor 2.54 to the inch), 1:1 scale.
    double unitsFactor = 2.54;
    int scaleXPercent = 100;
    int scaleYPercent = 100;
    QString jobTitle = QStringLiteral("ReportPrinter Report");

    ReportOutput* output = nullptr; // the default destination
    ReportStatus* status = nullptr; // shown while generating when statusWindow

    // "Aguarde - gerando pág. %p" with the page number in place of %p.
    static QString statusText(const QString& pattern, int page);
};

} // namespace qor::reports
