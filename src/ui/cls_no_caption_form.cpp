#include "cls_no_caption_form.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

namespace {
// Wayland lets no client place its own windows: the compositor moves them instead.
bool systemMovesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

clsNoCaptionForm::clsNoCaptionForm(QObject *parent) : QObject(parent) {}

void clsNoCaptionForm::setName(QWidget *vNewValue) {
    if (frmForm)
        frmForm->removeEventFilter(this);
    frmForm = vNewValue;
    dragging_ = false;
    if (frmForm)
        frmForm->installEventFilter(this);
}

bool clsNoCaptionForm::eventFilter(QObject *watched, QEvent *event) {
    if (watched != frmForm)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint at = mouse->position().toPoint();
        // Presses that a control passed on (its own clicks) do not drag.
        if (frmForm->childAt(at) != nullptr) {
            dragging_ = false;
            return false;
        }
        if (systemMovesWindows() && frmForm->windowHandle() &&
            frmForm->windowHandle()->startSystemMove()) {
            dragging_ = false;
            return true;
        }
        down_ = at;
        dragging_ = true;
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!dragging_ || mouse->buttons() != Qt::LeftButton || !frmForm->isVisible())
            return false;
        if (frmForm->isMinimized() || frmForm->isMaximized() || frmForm->isFullScreen())
            return false;
        const QPoint delta = mouse->position().toPoint() - down_;
        frmForm->move(frmForm->pos() + delta);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            dragging_ = false;
        return false;
    }
    default:
        return false;
    }
}
