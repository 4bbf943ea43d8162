#include "reports/preview/ReportPreview.h"

#include "app/state/MessageBoxes.h"
#include "reports/engine/PageRenderer.h"
#include "reports/engine/PdfOutput.h"
#include "reports/engine/ReportSystem.h"
#include "reports/preview/HitOverlay.h"
#include "reports/preview/ReportDialogs.h"
#include "reports/preview/ReportPrinting.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qor::reports {

namespace {

QLabel* addLabel(QToolBar* bar, const QString& text)
{
    auto* label = new QLabel(text, bar);
    label->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(label);
    return label;
}

} // namespace

ReportPreview::ReportPreview(const Document& doc, Pages pages, const ReportSystem& settings, const PdfOutput& pdf,
                             ReportDialogs& dialogs, app::MessageBoxes& boxes, ReportStatus* status,
                             QString& saveFolder, QWidget* parent)
    : QDialog(parent),
      doc_(&doc),
      whole_(pages == Pages::Whole),
      settings_(settings),
      pdf_(pdf),
      dialogs_(dialogs),
      boxes_(boxes),
      status_(status),
      saveFolder_(saveFolder)
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
    hitOverlay_ = new HitOverlay(view_, previewPrinter_.resolution());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolBar());
    layout->addWidget(buildSearchBar());
    layout->addWidget(view_);
    // The page keys act on the pages, not on a field of the toolbar.
    view_->setFocus();
}

QAction* ReportPreview::addCommand(QWidget* to, const char* name, const QString& text,
                                  const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    if (!keys.isEmpty())
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.first().toString(QKeySequence::NativeText)));
    to->addAction(action);
    return action;
}

// Printing, saving and the page field come first: on a narrow screen the
// toolbar folds its last buttons away, and their keys still work.
QToolBar* ReportPreview::buildToolBar()
{
    auto* bar = new QToolBar(this);
    const auto icon = [this](QStyle::StandardPixmap which) { return style()->standardIcon(which); };

    QAction* printAction = addCommand(bar, "actPrint", QStringLiteral("Imprimir"), {QKeySequence::Print});
    connect(printAction, &QAction::triggered, this, &ReportPreview::print);
    printAction->setEnabled(settings_.previewPrinting);
    connect(addCommand(bar, "actSave", QStringLiteral("Salvar PDF"), {QKeySequence::Save}), &QAction::triggered, this,
            &ReportPreview::saveAsPdf);
    bar->addSeparator();

    QAction* first = addCommand(bar, "actFirst", QStringLiteral("Primeira página"),
                                {Qt::Key_Home, QKeySequence::MoveToStartOfDocument});
    first->setIcon(icon(QStyle::SP_MediaSkipBackward));
    connect(first, &QAction::triggered, this, [this] { goToPage(1); });
    QAction* prior = addCommand(bar, "actPrior", QStringLiteral("Página anterior"), {Qt::Key_PageUp});
    prior->setIcon(icon(QStyle::SP_ArrowLeft));
    connect(prior, &QAction::triggered, this, [this] { goToPage(view_->currentPage() - 1); });
    addLabel(bar, QStringLiteral("Página"));
    pageNumber_ = new QSpinBox(bar);
    pageNumber_->setObjectName(QStringLiteral("pageNumber"));
    pageNumber_->setToolTip(QStringLiteral("Ir para a página (Ctrl+G)"));
    pageNumber_->setKeyboardTracking(false); // jump on Enter, not on every digit
    pageNumber_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    pageNumber_->setAlignment(Qt::AlignRight);
    connect(pageNumber_, &QSpinBox::valueChanged, this, &ReportPreview::goToPage);
    bar->addWidget(pageNumber_);
    pageCount_ = addLabel(bar, QString());
    pageCount_->setObjectName(QStringLiteral("pageCount"));
    QAction* next = addCommand(bar, "actNext", QStringLiteral("Próxima página"), {Qt::Key_PageDown});
    next->setIcon(icon(QStyle::SP_ArrowRight));
    connect(next, &QAction::triggered, this, [this] { goToPage(view_->currentPage() + 1); });
    QAction* last = addCommand(bar, "actLast", QStringLiteral("Última página"),
                               {Qt::Key_End, QKeySequence::MoveToEndOfDocument});
    last->setIcon(icon(QStyle::SP_MediaSkipForward));
    connect(last, &QAction::triggered, this, [this] { goToPage(view_->pageCount()); });
    connect(addCommand(this, "actGoToPage", QStringLiteral("Ir para a página"), {Qt::CTRL | Qt::Key_G}),
            &QAction::triggered, this, [this] { focusField(pageNumber_); });
    bar->addSeparator();

    connect(addCommand(bar, "actFind", QStringLiteral("Localizar"), {QKeySequence::Find}), &QAction::triggered, this,
            [this] {
                searchBar_->show();
                focusField(searchText_);
            });
    bar->addSeparator();

    connect(addCommand(bar, "actZoomOut", QStringLiteral("Reduzir"), {QKeySequence::ZoomOut}), &QAction::triggered,
            view_, [this] { view_->zoomOut(); });
    connect(addCommand(bar, "actZoomIn", QStringLiteral("Ampliar"), {QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal}),
            &QAction::triggered, view_, [this] { view_->zoomIn(); });
    connect(addCommand(bar, "actActualSize", QStringLiteral("100%"), {Qt::CTRL | Qt::Key_1}), &QAction::triggered,
            view_, [this] {
                view_->setZoomMode(QPrintPreviewWidget::CustomZoom);
                view_->setZoomFactor(1.0);
            });
    connect(addCommand(bar, "actWholePage", QStringLiteral("Página inteira"), {Qt::CTRL | Qt::Key_2}),
            &QAction::triggered, view_, &QPrintPreviewWidget::fitInView);
    connect(addCommand(bar, "actFitWidth", QStringLiteral("Largura da página"), {Qt::CTRL | Qt::Key_3}),
            &QAction::triggered, view_, &QPrintPreviewWidget::fitToWidth);
    bar->addSeparator();

    connect(addCommand(bar, "actClose", QStringLiteral("Fechar"), {Qt::Key_Escape}), &QAction::triggered, this,
            &QDialog::accept);
    return bar;
}

// Opened by Ctrl+F or "Localizar"; stays open with its hits until the preview closes.
QToolBar* ReportPreview::buildSearchBar()
{
    searchBar_ = new QToolBar(this);
    searchBar_->setObjectName(QStringLiteral("searchBar"));
    searchBar_->hide();
    addLabel(searchBar_, QStringLiteral("Localizar:"));
    searchText_ = new QLineEdit(searchBar_);
    searchText_->setObjectName(QStringLiteral("searchText"));
    searchText_->setToolTip(QStringLiteral("Texto a localizar no relatório; Enter: próxima ocorrência"));
    searchText_->setClearButtonEnabled(true);
    searchText_->setMaximumWidth(260);
    connect(searchText_, &QLineEdit::returnPressed, this, [this] { find(+1); });
    searchBar_->addWidget(searchText_);
    QAction* previous =
        addCommand(searchBar_, "actFindPrevious", QStringLiteral("Ocorrência anterior"), {QKeySequence::FindPrevious});
    previous->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    connect(previous, &QAction::triggered, this, [this] { find(-1); });
    QAction* next =
        addCommand(searchBar_, "actFindNext", QStringLiteral("Próxima ocorrência"), {QKeySequence::FindNext});
    next->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    connect(next, &QAction::triggered, this, [this] { find(+1); });
    searchStatus_ = addLabel(searchBar_, QString());
    searchStatus_->setObjectName(QStringLiteral("searchStatus"));
    return searchBar_;
}

void ReportPreview::showWhole(const Document& doc)
{
    doc_ = &doc;
    whole_ = true;
    searched_.clear(); // a search finds its hits again, in every page
    view_->updatePreview();
}

void ReportPreview::closeEvent(QCloseEvent* event)
{
    // The layout goes on below this window until the whole report is here.
    if (!whole_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ReportPreview::paintPages(QPrinter* printer)
{
    QPainter painter(printer);
    const PageRenderer renderer(*doc_);
    for (int i = 0; i < doc_->pages.size(); ++i) {
        if (i > 0)
            printer->newPage();
        renderer.draw(painter, i);
    }
}

void ReportPreview::showPageNumber()
{
    const QSignalBlocker quiet(pageNumber_);
    pageNumber_->setRange(std::min(1, view_->pageCount()), view_->pageCount());
    pageNumber_->setValue(view_->currentPage());
    pageCount_->setText(QStringLiteral("de %1").arg(whole_ ? QString::number(view_->pageCount()) : QStringLiteral("?")));
}

void ReportPreview::goToPage(int page)
{
    view_->setCurrentPage(std::clamp(page, 1, std::max(1, view_->pageCount())));
    showPageNumber(); // the widget only signals pages changed by scrolling
}

void ReportPreview::focusField(QWidget* field)
{
    field->setFocus(Qt::ShortcutFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
}

void ReportPreview::find(int step)
{
    const QString query = searchText_->text();
    if (query != searched_) {
        // A new search starts from the page on screen.
        searched_ = query;
        hits_ = findText(*doc_, query);
        const int page = view_->currentPage() - 1;
        const auto onOrAfter = std::find_if(hits_.cbegin(), hits_.cend(),
                                            [page](const SearchHit& h) { return h.page >= page; });
        const auto onOrBefore = std::find_if(hits_.crbegin(), hits_.crend(),
                                             [page](const SearchHit& h) { return h.page <= page; });
        if (hits_.isEmpty())
            currentHit_ = -1;
        else if (step > 0)
            currentHit_ = onOrAfter == hits_.cend() ? 0 : int(onOrAfter - hits_.cbegin());
        else
            currentHit_ = onOrBefore == hits_.crend() ? int(hits_.size()) - 1
                                                      : int(hits_.crend() - onOrBefore) - 1;
    } else if (!hits_.isEmpty()) {
        const int count = int(hits_.size());
        currentHit_ = (currentHit_ + step + count) % count;
    }
    showCurrentHit();
}

void ReportPreview::showCurrentHit()
{
    if (searched_.trimmed().isEmpty())
        searchStatus_->clear();
    else if (hits_.isEmpty())
        searchStatus_->setText(QStringLiteral("Não encontrado"));
    else
        searchStatus_->setText(QStringLiteral("%1 de %2").arg(currentHit_ + 1).arg(hits_.size()));
    hitOverlay_->setHits(hits_, currentHit_);
    if (currentHit_ < 0)
        return;
    goToPage(hits_.at(currentHit_).page + 1);
    hitOverlay_->reveal(currentHit_);
}

void ReportPreview::print()
{
    try {
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, *doc_, settings_);
        if (!dialogs_.choosePrinter(printer, printDialogOptions(settings_), this))
            return;
        printDocument(*doc_, printer, settings_, status_);
    } catch (const std::exception& e) {
        boxes_.unexpected(e);
    }
}

void ReportPreview::saveAsPdf()
{
    try {
        const QString offered = QDir(saveFolder_).filePath(doc_->reportName + QStringLiteral(".pdf"));
        const QString chosen =
            dialogs_.chooseSaveFile(this, QStringLiteral("Salvar relatório"), offered, pdf_.fileDialogFilter());
        if (chosen.isEmpty())
            return;
        const QString path = pdf_.withSuffix(chosen);
        pdf_.write(*doc_, path);
        saveFolder_ = QFileInfo(path).absolutePath();
    } catch (const std::exception& e) {
        boxes_.unexpected(e);
    }
}

} // namespace qor::reports
