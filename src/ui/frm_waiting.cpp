#include "frm_waiting.h"

#include "skin.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

frmWaiting::frmWaiting(QWidget *parent)
    // Not a Qt::SplashScreen: Qt paints such a window the moment it is shown, loading every
    // font its text needs before the main window may map. This one maps first and paints
    // with the main window, above it.
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      lblInformation(new QLabel(QStringLiteral("应用程序正在载入数据……"), this)) {
    setWindowTitle(QStringLiteral("Tonaply 载入"));
    setFixedSize(280, 64);
    lblInformation->setTextFormat(Qt::PlainText);
    lblInformation->setAlignment(Qt::AlignCenter);
    lblInformation->setGeometry(0, 0, width(), height());
    QPalette pal = lblInformation->palette();
    pal.setColor(QPalette::WindowText, Skin::CaptionText);
    lblInformation->setPalette(pal);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmWaiting::paintEvent(QPaintEvent *) {
    QPainter p(this);
    Skin::PaintBackground(p, rect());
    p.setPen(Skin::CaptionLine);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
