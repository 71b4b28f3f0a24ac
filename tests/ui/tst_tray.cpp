// The tray icon and its menu over a stand-in main window (a window with a few controls) and
// the fakes: the tip, the menu's items and what each does, hiding and bringing back the
// window with the focus moved forward and back, and the exit.
#include "app/extra_windows.h"
#include "fakes/fake_session.h"
#include "ui/frm_tray.h"
#include "ui/window_probes.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QVBoxLayout>

namespace {
// Stands in for the main window: three controls in a row, and it counts the focus coming to
// the second one.
struct MainWindow : QWidget {
    QLineEdit *first, *second, *third;
    int secondFocused = 0;
    bool closed = false;
    MainWindow() {
        auto *layout = new QVBoxLayout(this);
        for (QLineEdit **e : {&first, &second, &third}) {
            *e = new QLineEdit(this);
            layout->addWidget(*e);
        }
        second->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::FocusIn)
            ++secondFocused;
        return false;
    }
    void closeEvent(QCloseEvent *) override { closed = true; }
};

struct Tray {
    FakeSession fakes;
    std::unique_ptr<ExtraWindows> extra;
    MainWindow window;
    std::unique_ptr<frmTrayIcon> tray;
    Tray() {
        extra = std::make_unique<ExtraWindows>(fakes.make());
        tray = std::make_unique<frmTrayIcon>(*fakes.session, *extra, window);
        window.show();
        window.activateWindow();
        window.first->setFocus();
        tray->Form_Load();
    }
};
} // namespace

class TestTray : public QObject {
    Q_OBJECT
private slots:
    void theIconAndItsMenu() {
        Tray t;
        QCOMPARE(frmTrayIcon::TipText(), QStringLiteral("Tonaply 1.43"));
        QVERIFY(t.tray->icon());
        QCOMPARE(t.tray->icon()->toolTip(), QStringLiteral("Tonaply 1.43"));
        QVERIFY(!t.tray->icon()->icon().isNull());
        frmTrayMenu *menu = t.tray->trayMenu();
        QCOMPARE(t.tray->icon()->contextMenu(), menu->mnuControl);
        QVERIFY(!menu->isVisible());
        QCOMPARE(MenuTexts(menu->mnuControl),
                 QStringList({"打开/隐藏Tonaply(&O)", "-", "网络电视直播(&T)", "在线宽带影院(&M)",
                              "精彩动漫世界(&F)", "在线视频选放(&M)", "-", "软件说明(&H)",
                              "软件主页(&W)", "关于 Tonaply(&A)", "-", "退出(&X)"}));
        t.tray->Form_Unload();
        QVERIFY(!t.tray->icon());
        QVERIFY(!t.tray->shownInTray());
    }

    // A click hides the window (minimised, then invisible); the next brings it back in its
    // normal size with the focus moved one control forward and back; a double click is two
    // releases and leaves the window as it was.
    void aClickHidesAndBringsBack() {
        Tray t;
        t.tray->ToggleMainWindow();
        QVERIFY(!t.window.isVisible());
        QVERIFY(t.window.isMinimized());
        t.window.secondFocused = 0;
        t.tray->ToggleMainWindow();
        QVERIFY(t.window.isVisible());
        QVERIFY(!t.window.isMinimized());
        QCOMPARE(t.window.secondFocused, 1);
        QCOMPARE(t.window.focusWidget(), t.window.first);
        emit t.tray->icon()->activated(QSystemTrayIcon::Trigger);
        emit t.tray->icon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(t.window.isVisible());
        // The right button and the middle one do nothing by themselves.
        emit t.tray->icon()->activated(QSystemTrayIcon::Context);
        emit t.tray->icon()->activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(t.window.isVisible());
    }

    void theMenuItems() {
        Tray t;
        frmTrayMenu *menu = t.tray->trayMenu();
        menu->mnuControlOpenOrHide->trigger();
        QVERIFY(!t.window.isVisible());
        menu->mnuControlOpenOrHide->trigger();
        QVERIFY(t.window.isVisible() && !t.window.isMinimized());

        menu->mnuControlNetTv->trigger();
        menu->mnuControlNetMovie->trigger();
        menu->mnuControlNetFlash->trigger();
        menu->mnuControlNetMtv->trigger();
        QVERIFY(t.extra->netTv() && t.extra->netMovie() && t.extra->netFlash() &&
                t.extra->netMtv());

        // Help only when the file is there.
        menu->mnuControlHelp->trigger();
        QVERIFY(t.fakes.shell.files.isEmpty());
        QFile help(t.fakes.folder.filePath("help.htm"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        menu->mnuControlHelp->trigger();
        QCOMPARE(t.fakes.shell.files, QStringList{t.fakes.folder.filePath("help.htm")});

        menu->mnuControlHomePage->trigger();
        QCOMPARE(t.fakes.shell.opened.size(), 1);
        menu->mnuControlAbout->trigger();
        QCOMPARE(t.fakes.dialogs.abouts.size(), 1);
        QVERIFY(t.fakes.dialogs.abouts[0].startsWith(QStringLiteral("Tonaply1.43|")));

        menu->mnuControlExit->trigger();
        QVERIFY(t.window.closed);
        QVERIFY(t.fakes.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
