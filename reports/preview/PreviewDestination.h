#pragma once

#include "reports/engine/ReportOutput.h"
#include "reports/preview/ReportStatusWindow.h"

#include <memory>

class QWidget;

namespace qor::app {
class MessageBoxes;
}

namespace qor::reports {

class ReportDialogs;
class ReportPreview;
class TRM;

// The program's default destination: while it lives, every report of the
// module opens in the modal preview, with the status window shown while
// pages are generated and printed. The preview shows up with the first page
// as soon as it is laid out, while the rest is (its page count "?"), and
// turns modal with every page when the report is delivered. The folder a report was last saved to
// is where the next save opens, for as long as the destination lives (the
// program's run); the first save opens in the user's documents.
//   PreviewDestination preview(RM, dialogs, boxes, &mainWindow);
class PreviewDestination final : public ReportOutput {
public:
    PreviewDestination(TRM& rm, ReportDialogs& dialogs, app::MessageBoxes& boxes, QWidget* parent);
    ~PreviewDestination() override;
    PreviewDestination(const PreviewDestination&) = delete;
    PreviewDestination& operator=(const PreviewDestination&) = delete;

    void pageLaid(const Document& doc, int page) override;
    void layoutFailed() override;
    void deliver(const Document& doc) override;
    ReportStatusWindow& statusWindow() { return status_; }

private:
    void dropPreview();

    TRM& rm_;
    ReportDialogs& dialogs_;
    app::MessageBoxes& boxes_;
    QWidget* parent_;
    ReportStatusWindow status_;
    QString saveFolder_;
    Document firstPage_;                     // what preview_ shows until the report is delivered
    std::unique_ptr<ReportPreview> preview_; // from the first page laid out to the preview's close
};

} // namespace qor::reports
