#include "skin.h"

#include <QApplication>
#include <QHash>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

namespace Skin {

void PaintBackground(QPainter &painter, const QRect &rect) {
    QLinearGradient caption(rect.topLeft(), QPoint(rect.left(), rect.top() + CaptionHeight));
    caption.setColorAt(0.0, QColor(250, 252, 255));
    caption.setColorAt(1.0, QColor(214, 228, 245));
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), CaptionHeight), caption);

    QLinearGradient body(QPoint(rect.left(), rect.top() + CaptionHeight), rect.bottomLeft());
    body.setColorAt(0.0, QColor(226, 237, 250));
    body.setColorAt(0.6, QColor(200, 219, 242));
    body.setColorAt(1.0, QColor(176, 200, 232));
    painter.fillRect(
        QRect(rect.left(), rect.top() + CaptionHeight, rect.width(), rect.height() - CaptionHeight),
        body);

    painter.setPen(CaptionLine);
    painter.drawLine(rect.left() + 8, rect.top() + CaptionHeight, rect.right() - 8,
                     rect.top() + CaptionHeight);
}

namespace {
QPixmap drawProgramIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient badge(QPointF(size * 0.35, size * 0.3), size * 0.75);
    badge.setColorAt(0.0, QColor(120, 180, 255));
    badge.setColorAt(1.0, QColor(20, 70, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(badge);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));

    // A quaver: head, stem and flag.
    const qreal s = size / 16.0;
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4.0 * s, 9.5 * s, 4.2 * s, 3.2 * s));
    p.drawRect(QRectF(7.3 * s, 3.5 * s, 1.1 * s, 7.8 * s));
    QPainterPath flag;
    flag.moveTo(8.4 * s, 3.5 * s);
    flag.cubicTo(10.5 * s, 4.5 * s, 12.0 * s, 5.5 * s, 11.0 * s, 8.5 * s);
    flag.cubicTo(11.2 * s, 6.5 * s, 10.0 * s, 6.0 * s, 8.4 * s, 5.6 * s);
    flag.closeSubpath();
    p.drawPath(flag);
    return pixmap;
}
} // namespace

QPixmap ProgramIcon(int size) {
    // Drawn once for each size: every window shows it, and each new picture of it left its
    // copies in the pixmap cache. Kept to the end.
    static auto *drawn = new QHash<int, QPixmap>;
    auto found = drawn->constFind(size);
    if (found != drawn->constEnd())
        return *found;
    return *drawn->insert(size, drawProgramIcon(size));
}

void UseChineseGlyphs(const QString &latin, bool latinHasHan) {
    const bool traditional = QLocale::system().script() == QLocale::TraditionalHanScript;
    const QString chinese =
        traditional ? QStringLiteral("Noto Sans CJK TC") : QStringLiteral("Noto Sans CJK SC");
    if (latin == chinese)
        return;
    // A desktop font that has Chinese glyphs of its own (another CJK face) would take the
    // Chinese text: the Chinese face then comes first.
    QFont font = QApplication::font();
    font.setFamilies(latinHasHan ? QStringList{chinese, latin} : QStringList{latin, chinese});
    QApplication::setFont(font);
}

} // namespace Skin
