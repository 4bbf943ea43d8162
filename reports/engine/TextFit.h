#pragma once

#include "reports/engine/ReportDefinition.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

#include <array>

namespace qor::reports {

// Widths of text in one report font, in millimetres, as the PDF writer and
// the printer lay it out (no hinting; measured at 300 dpi), and the two ways
// of fitting a text into a box that is too narrow for it.
class TextFit {
public:
    explicit TextFit(const FontSpec& font);

    static QFont qfont(const FontSpec& font); // the font every renderer draws with

    double width(const QString& text) const;
    double lineHeight() const { return lineHeight_; }

    // True without shaping when the letters' own advances add up to less
    // than the box (Latin-1 text; pair kerning only ever takes a hair).
    bool surelyFits(const QString& text, double boxWidth) const;
    bool fits(const QString& text, double boxWidth) const;

    // The text in lines no wider than the box: broken between words, a word
    // longer than the box between its letters. Spaces at the breaks go.
    QStringList wrap(const QString& text, double boxWidth) const;

    // The point size at which the text fits the box on one line.
    double shrunkSize(const QString& text, double boxWidth) const;

private:
    FontSpec spec_;
    QFontMetricsF metrics_;
    double lineHeight_;
    std::array<double, 256> latin1Advances_{}; // millimetres
};

} // namespace qor::reports
