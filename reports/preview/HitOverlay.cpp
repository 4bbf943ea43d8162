#include "reports/preview/HitOverlay.h"

#include <QEvent>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QScrollBar>

namespace qor::reports {

HitOverlay::HitOverlay(QPrintPreviewWidget* preview, int dotsPerInch)
    : QWidget(preview->findChild<QGraphicsView*>()),
      view_(preview->findChild<QGraphicsView*>()),
      viewport_(view_->viewport()),
      dotsPerMm_(dotsPerInch / 25.4)
{
    setObjectName(QStringLiteral("hitOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    viewport_->installEventFilter(this);
    const auto repaint = [this] { update(); };
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(preview, &QPrintPreviewWidget::previewChanged, this, repaint);
    setGeometry(viewport_->geometry());
    raise();
}

void HitOverlay::setHits(const QList<SearchHit>& hits, int current)
{
    hits_ = hits;
    current_ = current;
    update();
}

void HitOverlay::reveal(int index)
{
    const QList<QGraphicsItem*> items = pages();
    const SearchHit& hit = hits_.at(index);
    if (hit.page < items.size())
        view_->ensureVisible(items.at(hit.page)->mapRectToScene(onPage(hit)), 40, 40);
}

QList<QGraphicsItem*> HitOverlay::pages() const
{
    // The preview adds one top-level item per page, in page order; the
    // ascending stacking order of siblings is their order of insertion.
    QList<QGraphicsItem*> items;
    if (view_->scene())
        for (QGraphicsItem* item : view_->scene()->items(Qt::AscendingOrder))
            if (!item->parentItem())
                items << item;
    return items;
}

// The page items draw the printer's pixels from the paper's corner.
QRectF HitOverlay::onPage(const SearchHit& hit) const
{
    return QRectF(hit.rect.topLeft() * dotsPerMm_, hit.rect.size() * dotsPerMm_);
}

void HitOverlay::paintEvent(QPaintEvent*)
{
    if (hits_.isEmpty())
        return;
    const QList<QGraphicsItem*> items = pages();
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    const QPoint toOverlay = viewport_->pos() - pos();
    for (qsizetype i = 0; i < hits_.size(); ++i) {
        const SearchHit& hit = hits_.at(i);
        if (hit.page >= items.size())
            continue;
        const QRect mark =
            view_->mapFromScene(items.at(hit.page)->mapRectToScene(onPage(hit))).boundingRect().translated(toOverlay);
        if (!mark.intersects(rect()))
            continue;
        painter.setBrush(i == current_ ? QColor(255, 140, 0, 120) : QColor(255, 230, 0, 100));
        painter.drawRect(mark);
    }
}

// Follows the page view's visible area as the window and its scroll bars
// change. Only the viewport is asked: this runs while the view is destroyed.
bool HitOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == viewport_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        setGeometry(viewport_->geometry());
    return QWidget::eventFilter(watched, event);
}

} // namespace qor::reports
