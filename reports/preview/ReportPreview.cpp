#include "reports/preview/ReportPreview.h"

#include "app/state/MessageBoxes.h"
#include "reports/engine/PageRenderer.h"
#include "reports/engine/PdfOutput.h"
#include "reports/engine/ReportSystem.h"
#include "reports/preview/ReportDialogs.h"
#include "reports/preview/ReportPrinting.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace qor::reports {

ReportPreview::ReportPreview(const Document& doc, const ReportSystem& settings, const PdfOutput& pdf,
                             ReportDialogs& dialogs, app::MessageBoxes& boxes, ReportStatus* status, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      settings_(settings),
      pdf_(pdf),
      dialogs_(dialogs),
      boxes_(boxes),
      status_(status)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(settings.previewTitle);
    setModal(settings.previewModal);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    if (settings.previewMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    resize(900, 700);

    preparePrinter(previewPrinter_, doc, settings);
    view_ = new QPrintPreviewWidget(&previewPrinter_, this);
    view_->setObjectName(QStringLiteral("previewWidget"));
    view_->setZoomMode(QPrintPreviewWidget::CustomZoom);
    view_->setZoomFactor(settings.previewZoomPercent / 100.0);
    connect(view_, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(view_, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::showPageNumber);

    auto* bar = new QToolBar(this);
    const auto add = [&](const char* name, const QString& text, auto slot) {
        QAction* action = bar->addAction(text, this, slot);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    add("actPrint", QStringLiteral("Imprimir"), &ReportPreview::print)->setEnabled(settings.previewPrinting);
    add("actSave", QStringLiteral("Salvar PDF"), &ReportPreview::saveAsPdf);
    bar->addSeparator();
    add("actFirst", QStringLiteral("Primeira"), [this] { view_->setCurrentPage(1); });
    add("actPrior", QStringLiteral("Anterior"), [this] { view_->setCurrentPage(view_->currentPage() - 1); });
    add("actNext", QStringLiteral("Próxima"), [this] { view_->setCurrentPage(view_->currentPage() + 1); });
    add("actLast", QStringLiteral("Última"), [this] { view_->setCurrentPage(view_->pageCount()); });
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    pageLabel_->setContentsMargins(12, 0, 12, 0);
    bar->addWidget(pageLabel_);
    bar->addSeparator();
    add("actZoomOut", QStringLiteral("Reduzir"), [this] { view_->zoomOut(); });
    add("actZoomIn", QStringLiteral("Ampliar"), [this] { view_->zoomIn(); });
    add("actActualSize", QStringLiteral("100%"), [this] {
        view_->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view_->setZoomFactor(1.0);
    });
    add("actWholePage", QStringLiteral("Página inteira"), [this] { view_->fitInView(); });
    bar->addSeparator();
    add("actClose", QStringLiteral("Fechar"), &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_);
}

void ReportPreview::paintPages(QPrinter* printer)
{
    QPainter painter(printer);
    const PageRenderer renderer(doc_);
    for (int i = 0; i < doc_.pages.size(); ++i) {
        if (i > 0)
            printer->newPage();
        renderer.draw(painter, i);
    }
}

void ReportPreview::showPageNumber()
{
    pageLabel_->setText(QStringLiteral("Página %1 de %2").arg(view_->currentPage()).arg(view_->pageCount()));
}

void ReportPreview::print()
{
    try {
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, doc_, settings_);
        if (!dialogs_.choosePrinter(printer, printDialogOptions(settings_), this))
            return;
        printDocument(doc_, printer, settings_, status_);
    } catch (const std::exception& e) {
        boxes_.unexpected(e);
    }
}

void ReportPreview::saveAsPdf()
{
    try {
        const QString chosen = dialogs_.chooseSaveFile(this, QStringLiteral("Salvar relatório"), pdf_.fileDialogFilter());
        if (chosen.isEmpty())
            return;
        pdf_.write(doc_, pdf_.withSuffix(chosen));
    } catch (const std::exception& e) {
        boxes_.unexpected(e);
    }
}

} // namespace qor::reports
