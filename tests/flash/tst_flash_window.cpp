// The Flash gallery window over fakes: the first opening fetches the catalogue and shows the
// games category, later openings read the local files, the server down leaves nothing; the
// category load, the menu's states and commands, find, update, and the player made on first
// play.
#include "app/extra_windows.h"
#include "fakes/fake_session.h"
#include "flash/flash_catalogue.h"
#include "flash/frm_net_flash.h"
#include "lists/song_list.h"
#include "ui/frm_waiting.h"
#include "ui/window_probes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>

namespace {
const QString Data = QStringLiteral("http://data.example/");

QString catalogue(const QString &stem, int n) {
    QString text;
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("%1%2\r\nhttp://h/%1%2.swf\r\n").arg(stem).arg(i);
    return text;
}

} // namespace

struct Fixture {
    FakeSession fakes;
    std::unique_ptr<ExtraWindows> windows;
    Fixture() {}
    QString folder() const { return FlashCatalogue::FlashFolder(fakes.folder.path()); }
    // Local catalogue files as if fetched before.
    void writeLocal(const QString &file, const QString &text) {
        QDir().mkpath(folder());
        QFile f(QDir(folder()).filePath(file));
        f.open(QIODevice::WriteOnly);
        QStringEncoder encode("GB18030");
        f.write(encode(text));
    }
    frmNetFlash *open() {
        if (!windows)
            windows = std::make_unique<ExtraWindows>(fakes.make(Data));
        windows->ShowNetFlash();
        return windows->netFlash();
    }
    // Opens with local files and waits for the designed pause.
    frmNetFlash *openLoaded() {
        writeLocal("guanggao.dh", catalogue("广告", 2));
        writeLocal("youxi.dh", catalogue("游戏", 3));
        frmNetFlash *w = open();
        if (!QTest::qWaitFor([w] { return w->isVisible(); }, 3000))
            return nullptr;
        return w;
    }
    FakeTransfer *net() { return fakes.network.last(); }
};

class TestFlashWindow : public QObject {
    Q_OBJECT
private slots:
    // The first opening: after the pause the ten files come from the server, the window shows
    // the games category with its first entry selected.
    void theFirstOpeningFetchesTheCatalogue() {
        Fixture f;
        QPointer<frmNetFlash> w = f.open();
        QVERIFY(w->isLoading() && SplashShown() && !w->isVisible());
        QTRY_VERIFY(f.net());
        FakeTransfer *t = f.net();
        QCOMPARE(t->pending, Data + "flash/guanggao.dh");
        t->answer("a.swf");
        for (const QString &file : FlashCatalogue::FetchOrder())
            t->answer(catalogue(file.left(file.size() - 3), 2));
        QVERIFY(w->isVisible());
        QVERIFY(!SplashShown());
        QCOMPARE(w->lblFormCaption->text(), QStringLiteral("精彩动漫世界"));
        QCOMPARE(w->cboFlashType->currentIndex(), 1);
        QCOMPARE(w->flashList().count(), 3); // two entries and the arrow of the final line end
        QCOMPARE(w->flashList().name(0), QStringLiteral("→youxi0"));
        QCOMPARE(w->flashList().selectedEntries(), QList<int>{0});
        QCOMPARE(QDir(f.folder()).entryList(QDir::Files).size(), 10);
        QVERIFY(f.fakes.dialogs.messages.isEmpty());
        // Opening it again brings the same window back.
        QCOMPARE(f.open(), w.data());
    }

    void withTheServerDownNothingIsLeft() {
        Fixture f;
        QPointer<frmNetFlash> w = f.open();
        QTRY_VERIFY(f.net());
        f.net()->fail();
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages[0].text,
                 QStringLiteral("无法连接上远程服务器以获取数据！"));
        QTRY_VERIFY(!w);
        QVERIFY(!QDir(f.folder()).exists());
        QVERIFY(!SplashShown());
    }

    // Local files: nothing fetched; a category goes below what is listed; the lists emptied
    // fill again from a category.
    void categoriesComeFromTheLocalFiles() {
        Fixture f;
        frmNetFlash *w = f.openLoaded();
        QVERIFY(w);
        QVERIFY(f.fakes.network.made.isEmpty() || f.net()->requested.isEmpty());
        QCOMPARE(w->flashList().count(), 3);
        w->cboFlashType->setCurrentIndex(0);
        w->cboFlashType_Click();
        QCOMPARE(w->flashList().count(), 5);
        QCOMPARE(w->flashList().name(3), QStringLiteral("→广告0"));
        QCOMPARE(w->flashList().selectedEntries(), QList<int>({0, 4}));
        w->cboFlashType->setCurrentIndex(9); // no local file
        w->cboFlashType_Click();
        QCOMPARE(w->flashList().count(), 5);
        w->mnuControlClear->trigger();
        QCOMPARE(w->flashList().count(), 0);
    }

    // The right button opens the menu; with nothing selected open, download and full screen
    // are off, the rest on.
    void theMenuFollowsTheSelection() {
        Fixture f;
        frmNetFlash *w = f.openLoaded();
        QVERIFY(w);
        QCOMPARE(MenuTexts(w->mnuControl, false),
                 QStringList({"打开当前动漫文件(&O)", "-", "下载当前动漫文件(&D)",
                              "查找当前列表(&F)", "清空当前列表(&C)", "更新动漫数据(&U)", "-",
                              "全屏播放(&F)...", "调节音量(&V)...", "-", "退出(&X)"}));
        QStringList shown;
        f.fakes.dialogs.onMenu = [&](QMenu *menu) {
            shown = MenuTexts(menu, true);
            return nullptr;
        };
        w->lstFlashName_MouseDown({});
        QCOMPARE(shown.size(), 8);
        w->flashList().clearSelection();
        w->lstFlashName_MouseDown({});
        QCOMPARE(shown, QStringList({"查找当前列表(&F)", "清空当前列表(&C)", "更新动漫数据(&U)",
                                     "调节音量(&V)...", "退出(&X)"}));
    }

    // Play makes the player once, gives it the current entry and plays; Enter does the same,
    // other keys nothing. Without the viewer a message says so and the window stays.
    void playingMakesThePlayerOnce() {
        Fixture f;
        frmNetFlash *w = f.openLoaded();
        QVERIFY(w);
        QVERIFY(f.fakes.flash.made.isEmpty());
        w->lstFlashName_DblClick();
        QCOMPARE(f.fakes.flash.made.size(), 1);
        QCOMPARE(f.fakes.flash.last()->calls, QStringList({"movie:http://h/游戏0.swf", "play"}));
        w->flashList().setCurrentEntry(2);
        w->lstFlashName_KeyPress(Qt::Key_Return);
        w->lstFlashName_KeyPress(Qt::Key_A);
        QCOMPARE(f.fakes.flash.made.size(), 1);
        QCOMPARE(f.fakes.flash.last()->calls.size(), 4);
        QCOMPARE(f.fakes.flash.last()->url, QStringLiteral("http://h/游戏2.swf"));
        f.fakes.flash.last()->fail(QStringLiteral("这不是 Flash 动画。"));
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QVERIFY(w->isVisible());
        // Emptying the lists does not stop the animation; closing the window does.
        w->mnuControlClear->trigger();
        QCOMPARE(f.fakes.flash.last()->calls.size(), 4);
        QPointer<FakeFlashPlayer> player = f.fakes.flash.last();
        w->btnCloseButton_Click();
        QTRY_VERIFY(!player);

        Fixture g;
        g.fakes.flash.installed = false;
        frmNetFlash *v = g.openLoaded();
        v->mnuControlOpen->trigger();
        QCOMPARE(g.fakes.dialogs.messages.size(), 1);
        QCOMPARE(g.fakes.dialogs.messages[0].text, QStringLiteral("缺少播放组件"));
        QVERIFY(v->isVisible());
    }

    void downloadFullScreenAndVolume() {
        Fixture f;
        frmNetFlash *w = f.openLoaded();
        QVERIFY(w);
        w->mnuControlDownload->trigger();
        QCOMPARE(f.fakes.downloadDialog.asked.size(), 1);
        QCOMPARE(f.fakes.downloadDialog.asked[0].url, QStringLiteral("http://h/游戏0.swf"));
        QCOMPARE(f.fakes.downloadDialog.asked[0].title, QStringLiteral("游戏0"));
        w->mnuControlOpen->trigger();
        w->mnuControlFullScreen->trigger();
        QCOMPARE(f.fakes.flash.made.size(), 2);
        QCOMPARE(f.fakes.flash.made[0]->calls.last(), QStringLiteral("stop"));
        QCOMPARE(f.fakes.flash.made[1]->calls, QStringList({"movie:http://h/游戏0.swf", "play"}));
        w->mnuControlVolume->trigger();
        QCOMPARE(f.fakes.shell.volumeControls, 1);
    }

    // Find: case-sensitive, from the current entry when one is selected, asking after each hit.
    void findAsksAfterEachHit_data() {
        QTest::addColumn<QStringList>("answers"); // input boxes in turn
        QTest::addColumn<QList<bool>>("goOn");    // continue questions in turn
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("message");
        QTest::newRow("one hit, go on to the end")
            << QStringList{"游戏2", "游戏2"} << QList<bool>{true} << QList<int>{0, 2}
            << "当前列表查找已经完毕！";
        QTest::newRow("no hit") << QStringList{"ABC"} << QList<bool>{} << QList<int>{0}
                                << "不好意思，没有找到哦。";
        QTest::newRow("case-sensitive")
            << QStringList{"SWF"} << QList<bool>{} << QList<int>{0} << "不好意思，没有找到哦。";
        QTest::newRow("spaces only") << QStringList{"  "} << QList<bool>{} << QList<int>{0} << "";
        QTest::newRow("the arrow, stopped at the first")
            << QStringList{"→"} << QList<bool>{false} << QList<int>{0} << "";
        QTest::newRow("a new keyword on the way")
            << QStringList{"→", "游戏2"} << QList<bool>{true, false} << QList<int>{0, 2} << "";
    }
    void findAsksAfterEachHit() {
        QFETCH(QStringList, answers);
        QFETCH(QList<bool>, goOn);
        QFETCH(QList<int>, selected);
        QFETCH(QString, message);
        Fixture f;
        frmNetFlash *w = f.openLoaded();
        QVERIFY(w);
        for (const QString &a : answers)
            f.fakes.dialogs.inputAnswers.enqueue(a);
        for (bool b : goOn)
            f.fakes.dialogs.confirmAnswers.enqueue(b);
        w->mnuControlFind->trigger();
        QCOMPARE(w->flashList().selectedEntries(), selected);
        QCOMPARE(f.fakes.dialogs.messages.isEmpty() ? QString() : f.fakes.dialogs.messages[0].text,
                 message);
        QVERIFY(w->lstFlashName->isEnabled() && w->cboFlashType->isEnabled());

        w->mnuControlClear->trigger();
        const qsizetype prompts = f.fakes.dialogs.prompts.size();
        w->mnuControlFind->trigger();
        QCOMPARE(f.fakes.dialogs.prompts.size(), prompts); // empty list: no box
    }

    // The update: the lists emptied and the games category loaded once again, the success
    // message only after the server answered.
    void theUpdateReloadsTheGames() {
        Fixture f;
        frmNetFlash *w = f.openLoaded();
        QVERIFY(w);
        w->mnuControlUpdateData->trigger();
        QVERIFY(!w->lstFlashName->isEnabled());
        FakeTransfer *t = f.net();
        t->answer("x.swf");
        for (const QString &file : FlashCatalogue::FetchOrder())
            t->answer(catalogue(file == "youxi.dh" ? "新游戏" : "其他", 2));
        QVERIFY(w->lstFlashName->isEnabled());
        QCOMPARE(w->flashList().name(0), QStringLiteral("→新游戏0"));
        QCOMPARE(w->flashList().count(), 3);
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages[0].text, QStringLiteral("您已经成功更新动漫数据！"));

        w->mnuControlUpdateData->trigger();
        f.net()->fail();
        QCOMPARE(f.fakes.dialogs.messages.size(), 2);
        QCOMPARE(f.fakes.dialogs.messages[1].text,
                 QStringLiteral("无法连接上远程服务器以获取数据！"));
        QCOMPARE(w->flashList().count(), 3);
        QVERIFY(QFile::exists(QDir(f.folder()).filePath("youxi.dh")));
    }
};

QTEST_MAIN(TestFlashWindow)
#include "tst_flash_window.moc"
