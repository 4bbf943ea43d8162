#include "reports/preview/PreviewDestination.h"

#include "reports/engine/LayoutEngine.h"
#include "reports/engine/ReportModule.h"
#include "reports/preview/ReportDialogs.h"
#include "reports/preview/ReportPreview.h"

#include <QScopeGuard>
#include <QStandardPaths>

namespace qor::reports {

namespace {

// The first page before the page count is known: "Página 1 de ?".
Document firstPageOf(const Document& partial)
{
    Document first = partial;
    first.pages = partial.pages.first(1);
    for (TextRun& run : first.pages.first().texts)
        run.text.replace(pageCountMark(), u'?');
    return first;
}

} // namespace

PreviewDestination::PreviewDestination(TRM& rm, ReportDialogs& dialogs, app::MessageBoxes& boxes, QWidget* parent)
    : rm_(rm),
      dialogs_(dialogs),
      boxes_(boxes),
      parent_(parent),
      status_(rm.rvstm1),
      saveFolder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    rm_.rvstm1.output = this;
    rm_.rvstm1.status = &status_;
}

PreviewDestination::~PreviewDestination()
{
    if (rm_.rvstm1.output == this)
        rm_.rvstm1.output = nullptr;
    if (rm_.rvstm1.status == &status_)
        rm_.rvstm1.status = nullptr;
}

void PreviewDestination::pageLaid(const Document& doc, int page)
{
    if (page != 0)
        return;
    dropPreview();
    firstPage_ = firstPageOf(doc);
    preview_ = std::make_unique<ReportPreview>(firstPage_, ReportPreview::Pages::First, rm_.rvstm1, rm_.rvpdf1,
                                               dialogs_, boxes_, &status_, saveFolder_, parent_);
    dialogs_.showWhileLaying(*preview_);
}

void PreviewDestination::layoutFailed() { dropPreview(); }

void PreviewDestination::dropPreview()
{
    preview_.reset();
    firstPage_ = {};
}

void PreviewDestination::deliver(const Document& doc)
{
    const auto closed = qScopeGuard([this] { dropPreview(); });
    if (preview_)
        preview_->showWhole(doc);
    else
        preview_ = std::make_unique<ReportPreview>(doc, ReportPreview::Pages::Whole, rm_.rvstm1, rm_.rvpdf1,
                                                   dialogs_, boxes_, &status_, saveFolder_, parent_);
    dialogs_.runPreview(*preview_);
}

} // namespace qor::reports
