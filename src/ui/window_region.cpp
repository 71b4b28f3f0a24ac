#include "window_region.h"

#include <QPainterPath>
#include <QRegion>
#include <QWidget>
#include <cmath>

RoundRegion RoundRegionFor(double outerWidth, double outerHeight, int innerWidth, int innerHeight,
                           int corner) {
    // Halves round to even, as the original arithmetic did.
    const int w = static_cast<int>(std::nearbyint(outerWidth));
    const int h = static_cast<int>(std::nearbyint(outerHeight));
    const int border = static_cast<int>(std::nearbyint((w - innerWidth) / 2.0));
    const int caption = h - innerHeight - border;
    return {border + 1, caption + 1, w - border, h - border, corner};
}

void SetWindowRoundRegion(QWidget *window, int corner) {
    if (!window)
        return;
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const RoundRegion r =
        RoundRegionFor(outer.width(), outer.height(), inner.width(), inner.height(), corner);
    // The mask is in client coordinates; the outline is measured from the outer corner.
    const QPoint offset = inner.topLeft() - outer.topLeft();
    QPainterPath path;
    path.addRoundedRect(QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top), r.corner / 2.0,
                        r.corner / 2.0);
    path.translate(-offset);
    window->setMask(QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill));
}
