#pragma once

#include "reports/engine/ReportDefinition.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace qor::reports {

// A laid-out report: pages of positioned text runs, lines and boxes, in
// millimetres from the paper's top-left corner. Computed once; the preview,
// the printer and the PDF all draw this.

struct TextRun {
    QRectF rect;
    QString text;
    int font = 0; // index into Document::fonts
    Qt::Alignment align = Qt::AlignLeft;
};

struct LineRun {
    QLineF line;
    double width = 0.2;
};

struct BoxRun {
    QRectF rect;
    QColor fill;        // invalid = none
    double stroke = 0;  // 0 = no border
};

struct Page {
    QList<BoxRun> boxes;  // drawn first
    QList<LineRun> lines;
    QList<TextRun> texts;
};

struct Document {
    QString reportName;
    QString caption;
    QSizeF paperSize{210, 297};
    bool landscape = false;
    QList<FontSpec> fonts;
    QList<Page> pages;

    int fontIndex(const FontSpec& font); // adds it when new

    // The paper as printers and PDF writers take it: no margins, the model
    // draws from the corner.
    QPageLayout pageLayout() const;

    // The text of one page, or of all pages separated by "\f": runs on the
    // same line (by their vertical middle) left to right, joined by "\t".
    QString pageText(int page) const;
    QString text() const;
};

} // namespace qor::reports
