#include "reports/engine/PageRenderer.h"

#include "reports/engine/TextFit.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QMap>
#include <QTextLayout>

#include <cmath>
#include <tuple>

namespace qor::reports {

PageRenderer::PageRenderer(const Document& doc) : doc_(doc)
{
    for (const auto& style : doc.fonts)
        fonts_ << TextFit::qfont(style);
}

void PageRenderer::draw(QPainter& painter, int pageIndex) const
{
    const Page& page = doc_.pages.at(pageIndex);
    const double dotsX = painter.device()->logicalDpiX() / 25.4;
    const double dotsY = painter.device()->logicalDpiY() / 25.4;
    const auto toDevice = [&](const QRectF& mm) {
        return QRectF(mm.left() * dotsX, mm.top() * dotsY, mm.width() * dotsX, mm.height() * dotsY);
    };
    const auto pointToDevice = [&](const QPointF& mm) { return QPointF(mm.x() * dotsX, mm.y() * dotsY); };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& box : page.boxes) {
        QPen pen(Qt::black, box.stroke * dotsX);
        painter.setPen(box.stroke > 0 ? pen : QPen(Qt::NoPen));
        painter.setBrush(box.fill.isValid() ? QBrush(box.fill) : QBrush(Qt::NoBrush));
        painter.drawRect(toDevice(box.rect));
    }
    painter.setBrush(Qt::NoBrush);
    for (const auto& line : page.lines) {
        painter.setPen(QPen(Qt::black, line.width * dotsX, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(pointToDevice(line.line.p1()), pointToDevice(line.line.p2()));
    }
    painter.setPen(Qt::black);
    // Texts of one font on one line go out as one glyph run: a PDF with far
    // fewer text objects to write and compress.
    struct Line {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    QList<Line> lines;
    QMap<std::tuple<int, qint64, qsizetype>, qsizetype> lineOf;
    for (const auto& run : page.texts) {
        if (run.text.isEmpty())
            continue;
        const Shaped& text = shaped(run.text, run.font, painter.device());
        const QRectF box = toDevice(run.rect);
        double x = box.left();
        if (run.align & Qt::AlignRight)
            x = box.right() - text.width;
        else if (run.align & Qt::AlignHCenter)
            x = box.center().x() - text.width / 2;
        const QPointF topLeft(x, box.center().y() - text.height / 2);
        for (qsizetype k = 0; k < text.glyphs.size(); ++k) {
            const QGlyphRun& glyphs = text.glyphs.at(k);
            const auto key = std::tuple(run.font, qint64(std::llround(topLeft.y() * 64)), k);
            auto it = lineOf.constFind(key);
            if (it == lineOf.constEnd()) {
                it = lineOf.insert(key, lines.size());
                lines.append(Line{glyphs.rawFont(), {}, {}});
            }
            Line& line = lines[*it];
            if (!(line.font == glyphs.rawFont())) { // a fallback font of another text
                painter.drawGlyphRun(topLeft, glyphs);
                continue;
            }
            line.glyphs += glyphs.glyphIndexes();
            for (const QPointF& p : glyphs.positions())
                line.positions << topLeft + p;
        }
    }
    for (const Line& line : lines) {
        QGlyphRun glyphs;
        glyphs.setRawFont(line.font);
        glyphs.setGlyphIndexes(line.glyphs);
        glyphs.setPositions(line.positions);
        painter.drawGlyphRun(QPointF(), glyphs);
    }
    painter.restore();
}

const PageRenderer::Shaped& PageRenderer::shaped(const QString& text, int font, const QPaintDevice* device) const
{
    if (device->logicalDpiY() != shapesDpi_) {
        shapes_.clear();
        shapesDpi_ = device->logicalDpiY();
    }
    const std::pair<int, QString> key(font, text);
    const auto it = shapes_.constFind(key);
    if (it != shapes_.constEnd())
        return *it;
    QTextLayout layout(text, fonts_.at(font), const_cast<QPaintDevice*>(device));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    Shaped out;
    out.width = line.naturalTextWidth();
    out.height = line.height();
    out.glyphs = layout.glyphRuns();
    return *shapes_.insert(key, std::move(out));
}

} // namespace qor::reports
