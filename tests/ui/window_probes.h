#pragma once

// What the window tests and the on-screen benchmarks look at: the splash, a menu's items, and
// what the screen shows over a widget.
#include "ui/frm_waiting.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMenu>
#include <QScreen>
#include <QStringList>

inline bool SplashShown() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<frmWaiting *>(w) && w->isVisible())
            return true;
    return false;
}

// The items in their order, "-" for a separator; enabledOnly: only the items that are on.
inline QStringList MenuTexts(QMenu *menu, bool enabledOnly = false) {
    QStringList out;
    for (QAction *a : menu->actions())
        if (!enabledOnly || (!a->isSeparator() && a->isEnabled()))
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// The screen over area (in widget coordinates; the whole widget by default), native child
// windows such as a video's included.
inline QImage ScreenPicture(QWidget *widget, QRect area = {}) {
    if (area.isNull())
        area = widget->rect();
    const QPoint at = widget->mapToGlobal(area.topLeft());
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Pixels, one in step×step, of a clear colour: the demo pictures and animations, not the
// black of an empty player or the white of a view that has not drawn yet.
inline int ColouredPixels(const QImage &image, int step = 4) {
    int n = 0;
    for (int y = 0; y < image.height(); y += step)
        for (int x = 0; x < image.width(); x += step)
            if (const QColor c = image.pixel(x, y); c.hsvSaturation() > 60 && c.value() > 40)
                ++n;
    return n;
}
