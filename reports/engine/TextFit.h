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

    // True without measuring when even the widest Latin-1 letters would fit.
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
    double widestLatin1_;
};

} // namespace qor::reports
