#pragma once

#include <QAbstractPrintDialog>
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

namespace qor::reports {

// The steps of the preview that wait for the operator, behind one seam so
// tests run headless: the preview's own modal loop, the print dialog and the
// save-file dialog; and the preview shown before the report is laid out to
// its end.
class ReportDialogs {
public:
    virtual ~ReportDialogs() = default;
    // Shows the preview while the report is still being laid out on this
    // thread and lets it paint; the operator's keys and clicks wait for
    // runPreview(), so nothing of the preview runs inside the layout.
    virtual void showWhileLaying(QDialog& preview);
    // Runs the preview modally; returns when it is closed.
    virtual void runPreview(QDialog& preview) = 0;
    // The print dialog over printer; true when the operator confirmed.
    virtual bool choosePrinter(QPrinter& printer, QAbstractPrintDialog::PrintDialogOptions options,
                               QWidget* parent) = 0;
    // A file name to save to, "" when cancelled. offered: the folder and name
    // the dialog opens on; filter: "Adobe Acrobat (PDF) (*.pdf)".
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& offered,
                                   const QString& filter) = 0;
};

class StandardReportDialogs final : public ReportDialogs {
public:
    void runPreview(QDialog& preview) override;
    bool choosePrinter(QPrinter& printer, QAbstractPrintDialog::PrintDialogOptions options, QWidget* parent) override;
    QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& offered,
                           const QString& filter) override;
};

} // namespace qor::reports
