#pragma once

#include "reports/engine/PageModel.h"

#include <QFont>
#include <QList>

class QPainter;

namespace qor::reports {

// Draws pages of a document with a QPainter whose origin is the paper's
// top-left corner (full-page printer, PDF writer without margins, image).
// Scale 100 %: one millimetre of the model is one millimetre on paper, taken
// from the device's resolution; fonts keep their point sizes.
class PageRenderer {
public:
    explicit PageRenderer(const Document& doc);
    void draw(QPainter& painter, int page) const;

private:
    const Document& doc_;
    QList<QFont> fonts_;
};

} // namespace qor::reports
