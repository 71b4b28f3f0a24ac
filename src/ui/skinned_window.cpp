#include "skinned_window.h"

#include "skin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

SkinnedWindow::SkinnedWindow(const QString &caption, QSize size, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(caption);
    setWindowIcon(Skin::ProgramIcon(32));
    setFixedSize(size);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SkinnedWindow::ListInColourOnBlack(QWidget *list, const QColor &text) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, QColor(0, 96, 0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    list->setPalette(palette);
}

void SkinnedWindow::unload() {
    loading_ = false;
    if (!unloaded_) {
        unloaded_ = true;
        emit unloaded();
    }
    deleteLater();
}

void SkinnedWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    unload();
}

void SkinnedWindow::paintEvent(QPaintEvent *) {
    QPainter p(this);
    Skin::PaintBackground(p, rect());
}
