#include "frm_tray.h"

#include "app/extra_windows.h"
#include "app/mod_main.h"
#include "information.h"
#include "skin.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
// Hides the main window as minimising to the tray does, or shows it in its normal size.
void openOrHide(QWidget &window) {
    if (window.isVisible()) {
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
        window.hide();
    } else {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
    }
}
} // namespace

frmTrayMenu::frmTrayMenu(Session &session, ExtraWindows &extraWindows, QWidget &mainWindow)
    : QWidget(nullptr, Qt::Tool), session_(session), mainWindow_(mainWindow) {
    setWindowTitle(QStringLiteral("Tonaply"));
    setWindowIcon(Skin::ProgramIcon(32));
    mnuControl = new QMenu(QStringLiteral("控制菜单(&C)"), this);
    auto item = [this](const QString &caption, auto handler) {
        QAction *a = mnuControl->addAction(caption);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mnuControlOpenOrHide =
        item(QStringLiteral("打开/隐藏Tonaply(&O)"), [this] { mnuControlOpenOrHide_Click(); });
    mnuControl->addSeparator();
    mnuControlNetTv =
        item(QStringLiteral("网络电视直播(&T)"), [&extraWindows] { extraWindows.ShowNetTv(); });
    mnuControlNetMovie =
        item(QStringLiteral("在线宽带影院(&M)"), [&extraWindows] { extraWindows.ShowNetMovie(); });
    mnuControlNetFlash =
        item(QStringLiteral("精彩动漫世界(&F)"), [&extraWindows] { extraWindows.ShowNetFlash(); });
    mnuControlNetMtv =
        item(QStringLiteral("在线视频选放(&M)"), [&extraWindows] { extraWindows.ShowNetMtv(); });
    mnuControl->addSeparator();
    mnuControlHelp = item(QStringLiteral("软件说明(&H)"), [this] { mnuControlHelp_Click(); });
    mnuControlHomePage =
        item(QStringLiteral("软件主页(&W)"), [this] { mnuControlHomePage_Click(); });
    mnuControlAbout = item(QStringLiteral("关于 Tonaply(&A)"), [this] { mnuControlAbout_Click(); });
    mnuControl->addSeparator();
    mnuControlExit = item(QStringLiteral("退出(&X)"), [this] { mnuControlExit_Click(); });
}

void frmTrayMenu::mnuControlOpenOrHide_Click() {
    openOrHide(mainWindow_);
}

void frmTrayMenu::mnuControlHelp_Click() {
    Information::ShowHelpIfThere(session_);
}

void frmTrayMenu::mnuControlHomePage_Click() {
    Information::ShowHomePage(session_);
}

void frmTrayMenu::mnuControlAbout_Click() {
    Information::ShowAboutBox(this, session_);
}

void frmTrayMenu::mnuControlExit_Click() {
    // Closing the main window unloads it, which ends the program.
    mainWindow_.close();
}

frmTrayIcon::frmTrayIcon(Session &session, ExtraWindows &extraWindows, QWidget &mainWindow,
                         QObject *parent)
    : QObject(parent), session_(session), extraWindows_(extraWindows), mainWindow_(mainWindow) {}

frmTrayIcon::~frmTrayIcon() {
    RemoveTrayIcon();
    delete trayMenu_;
}

QString frmTrayIcon::TipText() {
    return QStringLiteral("Tonaply ") + modMain::VersionText();
}

frmTrayMenu *frmTrayIcon::trayMenu() {
    if (!trayMenu_)
        trayMenu_ = new frmTrayMenu(session_, extraWindows_, mainWindow_);
    return trayMenu_;
}

void frmTrayIcon::Form_Load() {
    AddTrayIcon(TipText());
}

void frmTrayIcon::Form_Unload() {
    RemoveTrayIcon();
}

void frmTrayIcon::AddTrayIcon(const QString &tip) {
    if (icon_)
        return;
    icon_ = new QSystemTrayIcon(QIcon(Skin::ProgramIcon(32)), this);
    icon_->setToolTip(tip);
    // The desktop's notification area opens the menu on the right button itself.
    icon_->setContextMenu(trayMenu()->mnuControl);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                // A release of the left button; a double click is two of them.
                if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
                    ToggleMainWindow();
            });
    icon_->show();
}

void frmTrayIcon::RemoveTrayIcon() {
    if (!icon_)
        return;
    icon_->hide();
    delete icon_;
    icon_ = nullptr;
}

bool frmTrayIcon::shownInTray() const {
    return icon_ && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void frmTrayIcon::ToggleMainWindow() {
    openOrHide(mainWindow_);
    if (!mainWindow_.isVisible())
        return;
    mainWindow_.raise();
    mainWindow_.activateWindow();
    // Tab and then Shift+Tab, without sending keys: the focus one control forward and back
    // again, which wakes the window's keyboard focus after it comes back.
    QApplication::processEvents();
    QWidget *start = mainWindow_.focusWidget();
    QWidget *next = start ? start->nextInFocusChain() : mainWindow_.nextInFocusChain();
    while (next && next != start && next != &mainWindow_ &&
           !((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(&mainWindow_) &&
             next->isEnabled()))
        next = next->nextInFocusChain();
    if (next && next != &mainWindow_ && next != start)
        next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (start)
        start->setFocus(Qt::BacktabFocusReason);
}
