#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

class ExtraWindows;
class QAction;
class QMenu;
class QSystemTrayIcon;
class Session;

// The tray menu's hidden window: it only holds the menu mnuControl and its handlers.
class frmTrayMenu : public QWidget {
    Q_OBJECT
public:
    frmTrayMenu(Session &session, ExtraWindows &extraWindows, QWidget &mainWindow);

    QMenu *mnuControl;
    QAction *mnuControlOpenOrHide, *mnuControlNetTv, *mnuControlNetMovie, *mnuControlNetFlash,
        *mnuControlNetMtv, *mnuControlHelp, *mnuControlHomePage, *mnuControlAbout, *mnuControlExit;

    void mnuControlOpenOrHide_Click();
    void mnuControlHelp_Click();
    void mnuControlHomePage_Click();
    void mnuControlAbout_Click();
    void mnuControlExit_Click();

private:
    Session &session_;
    QWidget &mainWindow_;
};

// The program's icon in the notification area, with its tip "Tonaply 1.43": a click hides or
// brings back the main window, the right button opens the tray menu. Where the desktop has no
// notification area the icon is simply not seen; the main window then does not hide.
class frmTrayIcon : public QObject {
    Q_OBJECT
public:
    frmTrayIcon(Session &session, ExtraWindows &extraWindows, QWidget &mainWindow,
                QObject *parent = nullptr);
    ~frmTrayIcon() override;

    static QString TipText();

    void Form_Load();
    void Form_Unload();
    // Left button released on the icon: hides the main window, or brings it back to the front
    // with the keyboard focus moved one control forward and back inside it.
    void ToggleMainWindow();
    // Whether a hidden main window can come back through the icon now.
    bool shownInTray() const;

    QSystemTrayIcon *icon() const { return icon_; }
    frmTrayMenu *trayMenu();

private:
    void AddTrayIcon(const QString &tip);
    void RemoveTrayIcon();

    Session &session_;
    ExtraWindows &extraWindows_;
    QWidget &mainWindow_;
    QSystemTrayIcon *icon_ = nullptr;
    frmTrayMenu *trayMenu_ = nullptr;
};
