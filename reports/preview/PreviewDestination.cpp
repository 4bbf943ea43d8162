#include "reports/preview/PreviewDestination.h"

#include "reports/engine/ReportModule.h"
#include "reports/preview/ReportDialogs.h"
#include "reports/preview/ReportPreview.h"

#include <QStandardPaths>

namespace qor::reports {

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

void PreviewDestination::deliver(const Document& doc)
{
    ReportPreview preview(doc, rm_.rvstm1, rm_.rvpdf1, dialogs_, boxes_, &status_, saveFolder_, parent_);
    dialogs_.runPreview(preview);
}

} // namespace qor::reports
