#include "app/window/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qor::app {

namespace {

const QColor kNavy(0x1f, 0x3a, 0x5f);
const QColor kTeal(0x2a, 0x9d, 0x8f);
const QColor kRed(0xc0, 0x39, 0x2b);
const QColor kGold(0xe9, 0xb4, 0x3a);

void reports(QPainter& p)
{
    p.setPen(QPen(kNavy, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4.5, 2.5, 15, 19), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    p.drawRect(QRectF(7, 13, 2.5, 6));
    p.setBrush(kGold);
    p.drawRect(QRectF(10.8, 9, 2.5, 10));
    p.setBrush(kNavy);
    p.drawRect(QRectF(14.6, 11, 2.5, 8));
    p.setPen(QPen(kNavy, 1.2));
    p.drawLine(QPointF(7, 6), QPointF(17, 6));
}

void sale(QPainter& p)
{
    p.setPen(QPen(kTeal.darker(130), 1.2));
    p.setBrush(kTeal);
    p.drawRoundedRect(QRectF(2.5, 6.5, 19, 11), 2, 2);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12), 3.6, 3.6);
    p.setPen(QPen(kTeal.darker(130), 1.6));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 6, QFont::Bold));
    p.drawText(QRectF(8, 8, 8, 8), Qt::AlignCenter, QStringLiteral("$"));
    p.setPen(QPen(Qt::white, 1.2));
    p.drawPoint(QPointF(5.5, 12));
    p.drawPoint(QPointF(18.5, 12));
}

void exitDoor(QPainter& p)
{
    p.setPen(QPen(kNavy, 1.5));
    p.setBrush(QColor(0xdd, 0xe6, 0xf0));
    p.drawRect(QRectF(3.5, 3.5, 11, 17));
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(12, 12), 0.9, 0.9);
    QPainterPath arrow;
    arrow.moveTo(11, 12);
    arrow.lineTo(20, 12);
    p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arrow);
    p.drawLine(QPointF(17, 9), QPointF(20.5, 12));
    p.drawLine(QPointF(17, 15), QPointF(20.5, 12));
}

void tray(QPainter& p)
{
    p.setPen(QPen(kNavy, 1.5));
    p.setBrush(QColor(0xdd, 0xe6, 0xf0));
    QPainterPath box;
    box.moveTo(3, 14);
    box.lineTo(3, 21);
    box.lineTo(21, 21);
    box.lineTo(21, 14);
    p.drawPath(box);
    p.drawLine(QPointF(3, 14), QPointF(8, 14));
    p.drawLine(QPointF(16, 14), QPointF(21, 14));
}

void arrow(QPainter& p, bool down, const QColor& colour)
{
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal top = 3, bottom = 16;
    p.drawLine(QPointF(12, top), QPointF(12, bottom));
    const qreal tip = down ? bottom : top;
    const qreal back = down ? tip - 4.5 : tip + 4.5;
    p.drawLine(QPointF(8, back), QPointF(12, tip));
    p.drawLine(QPointF(16, back), QPointF(12, tip));
}

void replenishment(QPainter& p)
{
    tray(p);
    arrow(p, true, kTeal);
}

void withdrawal(QPainter& p)
{
    tray(p);
    arrow(p, false, kRed);
}

void operators(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy.lighter(160));
    p.drawEllipse(QPointF(16.5, 8), 3, 3);
    QPainterPath back;
    back.addRoundedRect(QRectF(11.5, 12.5, 10, 8), 4, 4);
    p.drawPath(back);
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(9.5, 8.5), 3.8, 3.8);
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 13.5, 13, 8.5), 5, 5);
    p.drawPath(body);
}

} // namespace

QIcon Glyphs::glyph(int index)
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: reports(p); break;
    case 1: sale(p); break;
    case 2: exitDoor(p); break;
    case 3: replenishment(p); break;
    case 4: withdrawal(p); break;
    case 5: operators(p); break;
    default: break;
    }
    p.end();
    return QIcon(pm);
}

} // namespace qor::app
