// The tray on a real X server with a notification area (trayer): the main window's icon is
// there, a click on it hides the real main window and the next brings it back; the right
// button opens the tray menu; the area going away leaves a minimised window on the screen.
#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "fakes/fake_session.h"
#include "ui/frm_tray.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>

namespace {
// A click of the real pointer at a place on the screen.
void clickAt(const QPoint &at, int button) {
    QProcess::execute(QStringLiteral("xdotool"),
                      {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                       QString::number(button)});
}
// Where the notification area put the icon: its window, embedded in the area's, is asked for
// its place on the screen (Qt knows it only within the area).
QPoint iconOnScreen() {
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!QByteArray(w->metaObject()->className()).contains("SystemTrayIcon"))
            continue;
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      {"getwindowgeometry", "--shell", QString::number(w->winId())});
        if (!xdotool.waitForFinished(5000))
            return {};
        int x = -1, y = -1, width = 0, height = 0;
        for (const QByteArray &line : xdotool.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> kv = line.split('=');
            if (kv.size() != 2)
                continue;
            const int v = kv[1].toInt();
            if (kv[0] == "X")
                x = v;
            else if (kv[0] == "Y")
                y = v;
            else if (kv[0] == "WIDTH")
                width = v;
            else if (kv[0] == "HEIGHT")
                height = v;
        }
        if (x > 0 && width > 0)
            return {x + width / 2, y + height / 2};
    }
    return {};
}
} // namespace

class TestTrayScreen : public QObject {
    Q_OBJECT
    QProcess area;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("trayer").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("trayer and xdotool are needed (the set-up installs them)");
        area.start("trayer", {"--edge", "top", "--align", "right", "--width", "10", "--height",
                              "24", "--transparent", "false"});
        QVERIFY(area.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
    }
    void cleanupTestCase() {
        area.kill();
        area.waitForFinished();
    }

    void theIconHidesAndBringsBackTheWindow() {
        FakeSession fakes;
        ExtraWindows extra(fakes.make());
        frmSearchMusic window(*fakes.session, extra);
        window.Show();
        frmTrayIcon tray(*fakes.session, extra, window);
        tray.Form_Load();
        window.setTrayIconShown([&tray] { return tray.shownInTray(); });
        QTRY_VERIFY_WITH_TIMEOUT(tray.shownInTray() && tray.icon()->geometry().isValid(), 10000);
        QPoint icon;
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = iconOnScreen()).isNull(), 10000);
        clickAt(icon, 1);
        QTRY_VERIFY(!window.isVisible());
        clickAt(icon, 1);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());

        clickAt(icon, 3);
        QTRY_VERIFY(tray.trayMenu()->mnuControl->isVisible());
        QTest::keyClick(tray.trayMenu()->mnuControl, Qt::Key_Escape);
        QTRY_VERIFY(!tray.trayMenu()->mnuControl->isVisible());
        QVERIFY(window.isVisible());

        // Minimised while the area is there, the window goes to it.
        window.btnMinButton_Click();
        QVERIFY(!window.isVisible());
        clickAt(icon, 1);
        QTRY_VERIFY(window.isVisible());

        // Without the area a minimised window stays where the user can find it.
        area.kill();
        area.waitForFinished();
        QTRY_VERIFY_WITH_TIMEOUT(!QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        window.btnMinButton_Click();
        QVERIFY(window.isVisible());
        QVERIFY(fakes.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestTrayScreen)
#include "tst_tray_screen.moc"
