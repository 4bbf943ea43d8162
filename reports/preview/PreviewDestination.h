#pragma once

#include "reports/engine/ReportOutput.h"
#include "reports/preview/ReportStatusWindow.h"

class QWidget;

namespace qor::app {
class MessageBoxes;
}

namespace qor::reports {

class ReportDialogs;
class TRM;

// The program's default destination: while it lives, every report of the
// module opens in the modal preview, with the status window shown while
// pages are generated and printed. The folder a report was last saved to
// is where the next save opens, for as long as the destination lives (the
// program's run); the first save opens in the user's documents.
//   PreviewDestination preview(RM, dialogs, boxes, &mainWindow);
class PreviewDestination final : public ReportOutput {
public:
    PreviewDestination(TRM& rm, ReportDialogs& dialogs, app::MessageBoxes& boxes, QWidget* parent);
    ~PreviewDestination() override;
    PreviewDestination(const PreviewDestination&) = delete;
    PreviewDestination& operator=(const PreviewDestination&) = delete;

    void deliver(const Document& doc) override;
    ReportStatusWindow& statusWindow() { return status_; }

private:
    TRM& rm_;
    ReportDialogs& dialogs_;
    app::MessageBoxes& boxes_;
    QWidget* parent_;
    ReportStatusWindow status_;
    QString saveFolder_;
};

} // namespace qor::reports
