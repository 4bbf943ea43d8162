#include "reports/engine/PageRenderer.h"

#include "reports/engine/TextFit.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

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
    int currentFont = -1;
    for (const auto& run : page.texts) {
        if (run.text.isEmpty())
            continue;
        if (run.font != currentFont) {
            painter.setFont(fonts_.at(run.font));
            currentFont = run.font;
        }
        painter.drawText(toDevice(run.rect), int(run.align | Qt::AlignVCenter | Qt::TextSingleLine), run.text);
    }
    painter.restore();
}

} // namespace qor::reports
