#include "reports/preview/ReportDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace qor::reports {

void ReportDialogs::showWhileLaying(QDialog& preview)
{
    preview.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StandardReportDialogs::runPreview(QDialog& preview) { preview.exec(); }

bool StandardReportDialogs::choosePrinter(QPrinter& printer, QAbstractPrintDialog::PrintDialogOptions options,
                                          QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
}

QString StandardReportDialogs::chooseSaveFile(QWidget* parent, const QString& caption, const QString& offered,
                                              const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, offered, filter);
}

} // namespace qor::reports
