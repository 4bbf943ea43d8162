#pragma once

#include "reports/engine/PageModel.h"
#include "reports/preview/PreviewSearch.h"

#include <QDialog>
#include <QKeySequence>
#include <QPrinter>

class QAction;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QSpinBox;
class QToolBar;

namespace qor::app {
class MessageBoxes;
}

namespace qor::reports {

class HitOverlay;
class ReportDialogs;
class ReportStatus;
struct PdfOutput;
struct ReportSystem;

// The preview "Report Preview": modal, maximised, zoom 100 %, pages drawn
// from the laid-out model. From it the operator prints (print dialog) or
// saves a PDF ("Adobe Acrobat (PDF)", "*.pdf"). Errors of either are shown
// as unexpected errors and the preview stays.
// Keys: Ctrl+P print, Ctrl+S save, PgUp/PgDn/Home/End pages, Ctrl+G page
// number, Ctrl+F search (Enter/F3 next, Shift+F3 previous, hits highlighted),
// Ctrl+1 100 %, Ctrl+2 whole page, Ctrl+3 page width, Esc closes.
// saveFolder is where the save dialog opens; a saved file's folder becomes
// the next one.
// Opened on the first pages of a report still being laid out (Pages::First),
// it reads "de ?" for the page count and can't be closed until showWhole()
// gives it the whole report. doc must live as long as it is shown.
class ReportPreview final : public QDialog {
    Q_OBJECT
public:
    enum class Pages { Whole, First };
    ReportPreview(const Document& doc, Pages pages, const ReportSystem& settings, const PdfOutput& pdf,
                  ReportDialogs& dialogs, app::MessageBoxes& boxes, ReportStatus* status, QString& saveFolder,
                  QWidget* parent);

    void showWhole(const Document& doc);
    void print();
    void saveAsPdf();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QToolBar* buildToolBar();
    QToolBar* buildSearchBar();
    // An action on to (a toolbar, or the window for keys only), its first key in its tooltip.
    QAction* addCommand(QWidget* to, const char* name, const QString& text, const QList<QKeySequence>& keys);
    void paintPages(QPrinter* printer);
    void showPageNumber();
    void goToPage(int page);
    void focusField(QWidget* field);
    void find(int step); // +1 next hit, -1 previous, wrapping around
    void showCurrentHit();

    const Document* doc_;
    bool whole_;
    const ReportSystem& settings_;
    const PdfOutput& pdf_;
    ReportDialogs& dialogs_;
    app::MessageBoxes& boxes_;
    ReportStatus* status_;
    QString& saveFolder_;
    QPrinter previewPrinter_{QPrinter::HighResolution};
    QPrintPreviewWidget* view_;
    QSpinBox* pageNumber_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QToolBar* searchBar_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QLabel* searchStatus_ = nullptr;
    HitOverlay* hitOverlay_;
    QString searched_; // the query hits_ were found for
    QList<SearchHit> hits_;
    int currentHit_ = -1;
};

} // namespace qor::reports
