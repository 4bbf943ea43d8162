#pragma once

#include "reports/preview/PreviewSearch.h"

#include <QWidget>

class QGraphicsItem;
class QGraphicsView;
class QPrintPreviewWidget;

namespace qor::reports {

// The search hits painted over the pages of a print preview: every hit in
// translucent yellow, the current one in orange. A transparent layer above
// the preview's page view, so that moving from hit to hit repaints the
// screen instead of drawing every page again.
//   HitOverlay overlay(preview, printer.resolution());
//   overlay.setHits(hits, 0); overlay.reveal(0);
class HitOverlay final : public QWidget {
    Q_OBJECT
public:
    // dotsPerInch: the preview printer's resolution, the pages' unit.
    HitOverlay(QPrintPreviewWidget* preview, int dotsPerInch);

    void setHits(const QList<SearchHit>& hits, int current);
    // Scrolls the preview so that hit index is on screen.
    void reveal(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QGraphicsItem*> pages() const; // the preview's page items, first page first
    QRectF onPage(const SearchHit& hit) const;

    QGraphicsView* view_;
    QWidget* viewport_;
    double dotsPerMm_;
    QList<SearchHit> hits_;
    int current_ = -1;
};

} // namespace qor::reports
