// The Flash gallery for real, on a screen: the demo data server, the real network, the viewer
// plugin with Ruffle in Qt WebEngine. The first opening fetches the catalogue, an animation
// plays (its colours on the screen, moving); a file that is no animation, or far too large, is
// said plainly; the web view stays on its page and reaches nothing but the animation's host.
#include "app/extra_windows.h"
#include "app/net/qt_http_transfer.h"
#include "data_server.h"
#include "fakes/fake_session.h"
#include "flash/flash_catalogue.h"
#include "flash/flash_plugin_loader.h"
#include "flash/frm_net_flash.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "ui/window_probes.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <csignal>

namespace {

QVariant evaluate(QWebEnginePage *page, const QString &script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    (void)QTest::qWaitFor([&] { return done; }, 10000);
    return result;
}
} // namespace

class TestFlashPlayback : public QObject {
    Q_OBJECT
    TestHttpServer http;
    QtTransferFactory network;
    FlashPluginLoader viewer{{QStringLiteral(TONAPLY_BUILD_DIR)}};
    FakeSession fakes;
    std::unique_ptr<ExtraWindows> windows;

    frmNetFlash *window() { return windows->netFlash(); }

private slots:
    void initTestCase() {
        QVERIFY(DataServer::Serve(http.server, TONAPLY_DEMO_DATA));
        http.server.Get("/bad/text.swf", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("<html>not an animation</html>", "application/x-shockwave-flash");
        });
        http.server.Get("/bad/huge.swf", [](const httplib::Request &, httplib::Response &res) {
            res.set_content_provider(64u << 20, "application/x-shockwave-flash",
                                     [](size_t offset, size_t, httplib::DataSink &sink) {
                                         static const std::string block(65536, 'F');
                                         sink.write(block.data(), block.size());
                                         return offset < (64u << 20);
                                     });
        });
        http.server.Get("/probe", [](const httplib::Request &, httplib::Response &res) {
            res.set_header("Access-Control-Allow-Origin", "*");
            res.set_content("reached", "text/plain");
        });
        http.start();
        DataServer::NameOwnAddresses(http.server, http.url("/").toStdString(),
                                     "rtsp://127.0.0.1:9/");
        Session &session = fakes.make(http.url("/"));
        // The program's own parts, the fakes' network and Flash player replaced by real ones.
        fakes.session = std::make_unique<Session>(
            Session::Ports{fakes.dialogs, fakes.clipboard, fakes.shell, fakes.player, network,
                           fakes.downloadDialog, fakes.downloadManager, fakes.players, viewer,
                           fakes.installer},
            session.endpoints(), fakes.folder.path(), fakes.metafiles.path());
        windows = std::make_unique<ExtraWindows>(*fakes.session);
    }

    void theFirstOpeningFetchesTheCatalogueAndAnAnimationPlays() {
        windows->ShowNetFlash();
        QTRY_VERIFY_WITH_TIMEOUT(window() && window()->isVisible(), 15000);
        QCOMPARE(
            QDir(FlashCatalogue::FlashFolder(fakes.folder.path())).entryList(QDir::Files).size(),
            10);
        QCOMPARE(window()->flashList().name(0), QStringLiteral("→小猫钓鱼"));
        window()->lstFlashName_DblClick();
        QVERIFY(window()->ShockwaveFlash1);
        QWidget *area = window()->picShockwaveFlash;
        QTRY_VERIFY_WITH_TIMEOUT(ColouredPixels(ScreenPicture(area)) > 200, 30000);
        const QImage first = ScreenPicture(area);
        QTRY_VERIFY_WITH_TIMEOUT(ScreenPicture(area) != first, 5000);
        QVERIFY(fakes.dialogs.messages.isEmpty());
    }

    // The page stays where it is, opens no window, reads no local file and reaches no host
    // but the animation's own.
    void theWebViewKeepsToItsPage() {
        auto *view = qobject_cast<QWebEngineView *>(window()->ShockwaveFlash1->view());
        QVERIFY(view);
        QWebEnginePage *page = view->page();
        const QUrl home = page->url();
        QVERIFY(home.isLocalFile());
        evaluate(page, "location.href = 'http://example.invalid/'; 1");
        QTest::qWait(500);
        QCOMPARE(page->url(), home);
        QCOMPARE(evaluate(page, "window.open('http://example.invalid/') === null").toBool(), true);
        const QString probe = QStringLiteral(
            "window.r = 'pending'; fetch('%1').then(x => x.text()).then(t => window.r = t,"
            " e => window.r = 'refused'); 1");
        auto fetched = [&](const QString &url) {
            evaluate(page, probe.arg(url));
            (void)QTest::qWaitFor(
                [&] { return evaluate(page, "window.r").toString() != "pending"; }, 5000);
            return evaluate(page, "window.r").toString();
        };
        QCOMPARE(fetched("file:///etc/hostname"), QStringLiteral("refused"));
        QCOMPARE(fetched(QStringLiteral("http://localhost:%1/probe").arg(http.port())),
                 QStringLiteral("refused"));
        QCOMPARE(fetched(http.url("/probe")), QStringLiteral("reached"));
    }

    // The web engine's page process dying: said once, and the next play works.
    void aCrashedPlayerPlaysAgain() {
        auto *view = qobject_cast<QWebEngineView *>(window()->ShockwaveFlash1->view());
        const qint64 pid = view->page()->renderProcessPid();
        QVERIFY(pid > 0);
        fakes.dialogs.messages.clear();
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        QTRY_COMPARE_WITH_TIMEOUT(fakes.dialogs.messages.size(), 1, 10000);
        QCOMPARE(fakes.dialogs.messages[0].text,
                 QStringLiteral("动画播放组件意外退出，请重新打开动画。"));
        QVERIFY(window()->isVisible());
        window()->flashList().setCurrentEntry(1);
        window()->mnuControlOpen_Click();
        QWidget *area = window()->picShockwaveFlash;
        QTRY_VERIFY_WITH_TIMEOUT(ColouredPixels(ScreenPicture(area)) > 200, 30000);
        const QImage first = ScreenPicture(area);
        QTRY_VERIFY_WITH_TIMEOUT(ScreenPicture(area) != first, 5000);
        QCOMPARE(fakes.dialogs.messages.size(), 1);
    }

    // "全屏播放": the animation over the whole screen, moving; Esc or a double click on the
    // animation itself (the web view has the keys and the mouse) returns to the window.
    void fullScreenAndBack_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Esc") << true;
        QTest::newRow("double click") << false;
    }
    void fullScreenAndBack() {
        QFETCH(bool, byKey);
        fakes.dialogs.messages.clear();
        window()->flashList().setCurrentEntry(0);
        window()->mnuControlFullScreen->trigger();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QWidget *big = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (w->isVisible() && w->geometry() == screen)
                        big = w;
                return big != nullptr;
            }(),
            5000);
        QTRY_VERIFY_WITH_TIMEOUT(ColouredPixels(ScreenPicture(big)) > 2000, 30000);
        const QImage first = ScreenPicture(big);
        QTRY_VERIFY_WITH_TIMEOUT(ScreenPicture(big) != first, 5000);
        auto *view = big->findChild<QWebEngineView *>();
        QVERIFY(view);
        QWidget *target = view->focusProxy() ? view->focusProxy() : view;
        QPointer<QWidget> alive(big);
        if (byKey)
            QTest::keyClick(target, Qt::Key_Escape);
        else
            QTest::mouseDClick(target, Qt::LeftButton, {}, target->rect().center());
        QTRY_VERIFY(alive.isNull());
        QVERIFY(window()->isVisible());
        QVERIFY(fakes.dialogs.messages.isEmpty());
    }

    void badFilesAreSaidPlainly_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("not an animation") << "/bad/text.swf"
                                          << "这个文件不是 Flash 动画，无法播放。";
        QTest::newRow("far too large") << "/bad/huge.swf"
                                       << "这个动画文件太大（超过 32 MB），无法播放。";
        QTest::newRow("missing") << "/bad/none.swf"
                                 << "无法下载这个动画文件，请稍后再试。";
    }
    void badFilesAreSaidPlainly() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        fakes.dialogs.messages.clear();
        SongList &list = window()->flashList();
        list.replaceAll({Song{QStringLiteral("→坏文件"), http.url(path)}});
        list.setCurrentEntry(0);
        window()->mnuControlOpen_Click();
        QTRY_COMPARE_WITH_TIMEOUT(fakes.dialogs.messages.size(), 1, 15000);
        QCOMPARE(fakes.dialogs.messages[0].text, message);
        QVERIFY(window()->isVisible());
    }
};

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    TestFlashPlayback test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_flash_playback.moc"
