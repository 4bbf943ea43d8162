#pragma once

#include "reports/engine/PageModel.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>

class QPainter;

namespace qor::reports {

// Draws pages of a document with a QPainter whose origin is the paper's
// top-left corner (full-page printer, PDF writer without margins, image).
// Scale 100 %: one millimetre of the model is one millimetre on paper, taken
// from the device's resolution; fonts keep their point sizes.
// A text is shaped once per font and device resolution and drawn again from
// its glyphs wherever it repeats (dates, forms, amounts of a long report).
class PageRenderer {
public:
    explicit PageRenderer(const Document& doc);
    void draw(QPainter& painter, int page) const;

private:
    struct Shaped {
        QList<QGlyphRun> glyphs; // positioned from the line's top-left corner
        double width = 0;        // device pixels
        double height = 0;
    };
    const Shaped& shaped(const QString& text, int font, const QPaintDevice* device) const;

    const Document& doc_;
    QList<QFont> fonts_;
    mutable QHash<std::pair<int, QString>, Shaped> shapes_;
    mutable int shapesDpi_ = 0;
};

} // namespace qor::reports
