#pragma once

#include "reports/engine/PageModel.h"
#include "reports/engine/PdfOutput.h"

#include <QList>
#include <QString>

namespace qor::reports {

// Where a laid-out report goes: the preview (reports/preview), a PDF file
// (headless), or a recorder (tests). deliver() returns when the output is
// done with the document (the preview: when the operator closes it).
class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // Each page as soon as it is laid out, before the rest (the document so
    // far; its page-count texts still hold pageCountMark()). A preview may
    // show the first page from here on; nothing by default.
    virtual void pageLaid(const Document& doc, int page)
    {
        Q_UNUSED(doc);
        Q_UNUSED(page);
    }
    // The layout failed, maybe after pages were handed over: no deliver()
    // follows. Nothing by default.
    virtual void layoutFailed() {}
    virtual void deliver(const Document& doc) = 0;
};

class PdfFileOutput final : public ReportOutput {
public:
    PdfFileOutput(QString path, const PdfOutput& settings) : path_(std::move(path)), settings_(settings) {}
    void deliver(const Document& doc) override { settings_.write(doc, path_); }

private:
    QString path_;
    const PdfOutput& settings_;
};

// Keeps every delivered document, for tests and for callers that look at
// the text of a report.
class RecordingOutput final : public ReportOutput {
public:
    void deliver(const Document& doc) override { documents << doc; }
    QList<Document> documents;
};

} // namespace qor::reports
