#include "list_input.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>

ListInput::ListInput(QAbstractItemView *view)
    : QObject(view), view_(view), viewport_(view->viewport()) {
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

bool ListInput::eventFilter(QObject *watched, QEvent *event) {
    const bool onViewport = watched == viewport_;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (onViewport && mouse->button() == Qt::RightButton) {
            emit rightPressed(mouse->globalPosition().toPoint());
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (onViewport && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            QMetaObject::invokeMethod(this, &ListInput::doubleClicked, Qt::QueuedConnection);
        break;
    case QEvent::ContextMenu:
        return true;
    case QEvent::KeyPress:
        if (watched == view_)
            emit keyDown(static_cast<QKeyEvent *>(event)->key());
        break;
    default:
        break;
    }
    return false;
}
