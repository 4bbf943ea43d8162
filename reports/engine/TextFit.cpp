#include "reports/engine/TextFit.h"

#include <QImage>

namespace qor::reports {

namespace {

constexpr double kDpi = 300.0;
constexpr double kMmPerInch = 25.4;
// Room kept at the box's edge so that rounding in a renderer never pushes
// the last letter over it.
constexpr double kEdgeMm = 0.15;

const QImage& measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = int(kDpi / kMmPerInch * 1000.0 + 0.5);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

double toMm(double dots) { return dots * kMmPerInch / kDpi; }

} // namespace

QFont TextFit::qfont(const FontSpec& style)
{
    QFont font(style.family);
    font.setPointSizeF(style.size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting); // same widths on screen, paper and PDF
    return font;
}

TextFit::TextFit(const FontSpec& font)
    : spec_(font), metrics_(qfont(font), &measuringDevice()), lineHeight_(toMm(metrics_.lineSpacing()))
{
    for (char16_t c = 0x20; c <= 0xFF; ++c)
        latin1Advances_[c] = toMm(metrics_.horizontalAdvance(QChar(c)));
}

double TextFit::width(const QString& text) const { return toMm(metrics_.horizontalAdvance(text)); }

bool TextFit::surelyFits(const QString& text, double boxWidth) const
{
    double width = 0;
    for (const QChar c : text) {
        if (c.unicode() > 0xFF || c.unicode() < 0x20)
            return false;
        width += latin1Advances_[c.unicode()];
    }
    return width <= boxWidth - kEdgeMm;
}

bool TextFit::fits(const QString& text, double boxWidth) const
{
    return surelyFits(text, boxWidth) || width(text) <= boxWidth - kEdgeMm;
}

QStringList TextFit::wrap(const QString& text, double boxWidth) const
{
    QStringList lines;
    QString current;
    const auto breakLongWord = [&](QString word) {
        while (!fits(word, boxWidth) && word.size() > 1) {
            qsizetype take = word.size() - 1;
            while (take > 1 && !fits(word.left(take), boxWidth))
                --take;
            lines << word.left(take);
            word = word.mid(take);
        }
        return word;
    };
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (fits(candidate, boxWidth)) {
            current = candidate;
            continue;
        }
        if (!current.isEmpty())
            lines << current;
        current = breakLongWord(word);
    }
    if (!current.isEmpty() || lines.isEmpty())
        lines << current;
    return lines;
}

double TextFit::shrunkSize(const QString& text, double boxWidth) const
{
    const double room = boxWidth - kEdgeMm;
    double size = spec_.size * room / std::max(width(text), 0.01);
    // Widths do not scale exactly with the size: step down until it fits.
    for (int i = 0; i < 20; ++i) {
        FontSpec smaller = spec_;
        smaller.size = size;
        if (TextFit(smaller).width(text) <= room)
            break;
        size *= 0.97;
    }
    return size;
}

} // namespace qor::reports
