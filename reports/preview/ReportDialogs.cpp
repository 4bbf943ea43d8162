#include "reports/preview/ReportDialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace qor::reports {

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
