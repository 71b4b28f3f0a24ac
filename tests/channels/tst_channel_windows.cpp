// The movie, MTV and TV windows over fakes: the load sequence and its failures, one window of
// each kind, the category switch, and every command as its caption says.
#include "app/extra_windows.h"
#include "channels/channel_commands.h"
#include "channels/frm_net_channel.h"
#include "fakes/fake_session.h"
#include "lists/song_list.h"
#include "ui/frm_waiting.h"
#include "ui/window_probes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using ChannelCatalogue::Kind;
Q_DECLARE_METATYPE(Kind)

namespace {
const QString Data = QStringLiteral("http://data.example/");

QString catalogue(int n, const QString &ext, const QString &stem = QStringLiteral("台")) {
    QString text;
    for (int i = 0; i < n; ++i)
        text += stem + QString::number(i) + QStringLiteral("\r\nhttp://h/") + stem +
                QString::number(i) + ext + QStringLiteral("\r\n");
    return text;
}

int channelWindowsLeft() {
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<frmNetChannel *>(w))
            ++n;
    return n;
}

void click(QLabel *caption) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(
            type, QPointF(5, 5), QPointF(caption->mapToGlobal(QPoint(5, 5))), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(caption, &event);
    }
}
} // namespace

// A session of fakes and the extra windows opened from it; the test answers each fetch.
struct Fixture {
    FakeSession fakes;
    std::unique_ptr<ExtraWindows> windows;
    Fixture() { windows = std::make_unique<ExtraWindows>(fakes.make(Data)); }

    frmNetChannel *open(Kind kind) {
        switch (kind) {
        case Kind::Movie:
            windows->ShowNetMovie();
            return windows->netMovie();
        case Kind::Mtv:
            windows->ShowNetMtv();
            return windows->netMtv();
        case Kind::Tv:
            windows->ShowNetTv();
            return windows->netTv();
        }
        return nullptr;
    }
    FakeTransfer *net() { return fakes.network.last(); }
    // Opens the window and answers its fetches with these texts (file 0 first).
    frmNetChannel *load(Kind kind, const QStringList &texts) {
        frmNetChannel *w = open(kind);
        for (const QString &text : texts)
            net()->answer(text);
        return w;
    }
    frmNetChannel *loadWith(Kind kind, int entries) {
        const QString ext = kind == Kind::Tv ? QStringLiteral(".asx") : QStringLiteral(".rm");
        QStringList texts{catalogue(entries, ext)};
        if (kind == Kind::Tv)
            texts << catalogue(2, ext, "国内") << catalogue(3, ext, "国外")
                  << catalogue(1, ext, "港澳");
        return load(kind, texts);
    }
};

class TestChannelWindows : public QObject {
    Q_OBJECT
private slots:
    void windowsLoadTheirCatalogueBeforeTheyShow_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("firstName");
        QTest::newRow("movie") << Kind::Movie << QStringList{Data + "netmovie/file0.txt"}
                               << "在线宽带影院"
                               << "000-台0";
        QTest::newRow("MTV") << Kind::Mtv << QStringList{Data + "netmtv/file0.txt"}
                             << "在线视频选放(MTV)"
                             << "000-台0";
        QTest::newRow("TV") << Kind::Tv
                            << QStringList{Data + "netradiotv/file0.txt",
                                           Data + "netradiotv/file1.txt",
                                           Data + "netradiotv/file2.txt",
                                           Data + "netradiotv/file3.txt"}
                            << "网络电视直播"
                            << "-台0";
    }
    void windowsLoadTheirCatalogueBeforeTheyShow() {
        QFETCH(Kind, kind);
        QFETCH(QStringList, files);
        QFETCH(QString, caption);
        QFETCH(QString, firstName);
        Fixture f;
        frmNetChannel *w = f.open(kind);
        QVERIFY(w && w->isLoading());
        QVERIFY(!w->isVisible());
        QVERIFY(SplashShown());
        QSignalSpy loaded(w, &frmNetChannel::loaded);
        const QString ext = kind == Kind::Tv ? QStringLiteral(".asx") : QStringLiteral(".rm");
        for (int n = 0; n < files.size(); ++n) {
            QCOMPARE(f.net()->pending, files[n]);
            QVERIFY(!w->isVisible());
            f.net()->answer(catalogue(5 + n, ext));
        }
        QCOMPARE(loaded.size(), 1);
        QVERIFY(w->isVisible());
        QVERIFY(!SplashShown());
        QCOMPARE(w->lblFormCaption->text(), caption);
        QCOMPARE(w->channels().count(), 5);
        QCOMPARE(w->channels().name(0), firstName);
        QCOMPARE(w->channels().selectedEntries(), QList<int>{0});
        QCOMPARE(w->channelData().size(), files.size());
        QVERIFY(f.fakes.dialogs.messages.isEmpty());
        if (kind == Kind::Tv) {
            QCOMPARE(w->cboUrlType->currentIndex(), 0);
            QVERIFY(w->WindowsMediaPlayer1 && !w->RealAudio1);
        } else {
            QVERIFY(w->RealAudio1 && w->RealAudio1->mouseEventReporting());
        }
    }

    // The server down, an error page or anything that is not a catalogue: the message, and
    // nothing of the window stays. The TV window fetches no further file.
    void withoutItsCatalogueTheWindowSaysSoAndGoes_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("answer");
        QTest::newRow("movie, server down") << Kind::Movie << true << "";
        QTest::newRow("MTV, error page") << Kind::Mtv << false << "<html>404 找不到文件</html>";
        QTest::newRow("movie, capitals") << Kind::Movie << false << "A\r\nhttp://h/a.RM";
        QTest::newRow("TV, a movie catalogue") << Kind::Tv << false << catalogue(3, ".rm");
        QTest::newRow("TV, binary") << Kind::Tv << false << QString::fromLatin1("\x01\xff\0x", 4);
    }
    void withoutItsCatalogueTheWindowSaysSoAndGoes() {
        QFETCH(Kind, kind);
        QFETCH(bool, fails);
        QFETCH(QString, answer);
        Fixture f;
        QPointer<frmNetChannel> w = f.open(kind);
        QSignalSpy unloaded(w.data(), &frmNetChannel::unloaded);
        FakeTransfer *t = f.net();
        if (fails)
            t->fail();
        else
            t->answer(answer);
        QCOMPARE(t->requested.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages[0].text,
                 QStringLiteral("无法连接上远程服务器以获取数据！"));
        QCOMPARE(f.fakes.dialogs.messages[0].icon, Dialogs::Icon::Warning);
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(!SplashShown());
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(!w);
        QCOMPARE(channelWindowsLeft(), 0);
        QVERIFY(f.fakes.players.streamPlayers.isEmpty() && f.fakes.players.mediaPlayers.isEmpty());
    }

    // The four categories were fetched at load; choosing one shows only its entries, a failed
    // one shows none, and nothing is fetched again.
    void tvCategoriesSwitchWithoutFetching() {
        Fixture f;
        frmNetChannel *w = f.open(Kind::Tv);
        f.net()->answer(catalogue(4, ".asx"));
        f.net()->fail();
        f.net()->answer(catalogue(3, ".asx", "国外"));
        f.net()->answer(QString()); // an empty catalogue
        QVERIFY(w->isVisible());
        const qsizetype asked = f.net()->requested.size();
        struct Case {
            int category, count;
            QString first;
        };
        for (const Case &c :
             {Case{1, 0, {}}, Case{2, 3, "-国外0"}, Case{3, 0, {}}, Case{0, 4, "-台0"}}) {
            w->cboUrlType->setCurrentIndex(c.category);
            w->cboUrlType_Click();
            QCOMPARE(w->channels().count(), c.count);
            if (c.count) {
                QCOMPARE(w->channels().name(0), c.first);
                QCOMPARE(w->channels().selectedEntries(), QList<int>{0});
            }
        }
        QCOMPARE(f.net()->requested.size(), asked);
        QVERIFY(f.fakes.dialogs.messages.isEmpty());
    }

    // One window of each kind: opening it while it loads changes nothing, opening it when it
    // is open brings it back, and once closed it loads anew.
    void eachWindowExistsOnce() {
        Fixture f;
        QPointer<frmNetChannel> w = f.open(Kind::Movie);
        const qsizetype transfers = f.fakes.network.made.size();
        QCOMPARE(f.open(Kind::Movie), w.data());
        QCOMPARE(f.fakes.network.made.size(), transfers);
        QVERIFY(!w->isVisible());
        f.net()->answer(catalogue(2, ".rm"));
        w->hide();
        QCOMPARE(f.open(Kind::Movie), w.data());
        QVERIFY(w->isVisible());
        QVERIFY(f.open(Kind::Mtv) != w.data());
        click(w->lblCloseButton);
        QTRY_VERIFY(!w);
        QVERIFY(!f.windows->netMovie());
        QVERIFY(f.open(Kind::Movie));
        QCOMPARE(f.net()->pending, Data + "netmovie/file0.txt");
    }

    // Each window's captions, and the commands that follow them: the movie and MTV windows
    // download on the button and open the volume control from the menu, the TV window the
    // other way round.
    void commandsFollowTheirCaptions_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("menu");
        const QStringList movieMenu{"使用关联播放器打开(&O)", "-", "打开指定的URL(&U)",
                                    "调节音量(&V)",           "-", "退出(&X)"};
        QTest::newRow("movie") << Kind::Movie << "下载" << movieMenu;
        QTest::newRow("MTV") << Kind::Mtv << "下载" << movieMenu;
        QTest::newRow("TV") << Kind::Tv << "音量"
                            << QStringList{"使用关联播放器打开(&O)", "-", "使用网际快车下载(&F)",
                                           "打开指定的URL(&U)",      "-", "退出(&X)"};
    }
    void commandsFollowTheirCaptions() {
        QFETCH(Kind, kind);
        QFETCH(QString, button);
        QFETCH(QStringList, menu);
        Fixture f;
        frmNetChannel *w = f.loadWith(kind, 3);
        QCOMPARE(w->lblVolume->text(), button);
        QCOMPARE(w->mnuControl->title(), QStringLiteral("控制菜单(&C)"));
        QCOMPARE(MenuTexts(w->mnuControl), menu);
        QStringList captions;
        for (QLabel *l : {w->lblOpen, w->lblStop, w->lblFullScreen, w->lblMoreOperation,
                          w->lblMinButton, w->lblCloseButton})
            captions << l->text() + "|" + l->toolTip();
        QCOMPARE(captions, QStringList({"打开|打开", "停止|停止", "全屏|全屏", "↓|更多操作",
                                        "-|最小化", "×|关闭"}));

        // The menu pops up from "↓".
        f.fakes.dialogs.onMenu = [](QMenu *) { return nullptr; };
        click(w->lblMoreOperation);
        QCOMPARE(f.fakes.dialogs.menusShown, QList<QMenu *>{w->mnuControl});

        const bool download = button == QStringLiteral("下载");
        click(w->lblVolume);
        QCOMPARE(f.fakes.shell.volumeControls, download ? 0 : 1);
        QCOMPARE(f.fakes.downloadManager.addUrlCalls.size(), download ? 1 : 0);
        if (download)
            QCOMPARE(f.fakes.downloadManager.addUrlCalls[0],
                     QStringList({"http://h/台0.rm", QString(), "000-台0"}));
        w->mnuControlDownloadByFlashGet->trigger();
        QCOMPARE(f.fakes.shell.volumeControls, 1);
        if (!download) { // a TV channel's metafile is fetched first
            QCOMPARE(f.net()->pending, QStringLiteral("http://h/台0.asx"));
            f.net()->answer("<asx><entry><ref href=\"rtsp://h/live/1\"/></entry></asx>");
            QCOMPARE(f.fakes.downloadManager.addUrlCalls,
                     QList<QStringList>({{"rtsp://h/live/1", QString(), "-台0"}}));
        }
        QVERIFY(f.fakes.dialogs.messages.isEmpty());
    }

    // Open, double-click and Enter play the selected channel; stop and full screen reach the
    // player; the external player gets the URL as it stands.
    void channelsPlayInTheWindowsOwnPlayer_data() {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("movie") << Kind::Movie;
        QTest::newRow("MTV") << Kind::Mtv;
        QTest::newRow("TV") << Kind::Tv;
    }
    void channelsPlayInTheWindowsOwnPlayer() {
        QFETCH(Kind, kind);
        Fixture f;
        frmNetChannel *w = f.loadWith(kind, 3);
        const QString ext = kind == Kind::Tv ? QStringLiteral(".asx") : QStringLiteral(".rm");
        QStringList calls;
        auto played = [&]() -> QStringList {
            if (kind == Kind::Tv)
                return std::exchange(f.fakes.players.lastMedia()->calls, {});
            return std::exchange(f.fakes.players.lastStream()->calls, {});
        };
        auto opened = [&](int i) -> QStringList {
            const QString url = QStringLiteral("http://h/台%1%2").arg(i).arg(ext);
            if (kind == Kind::Tv)
                return {"url:" + url};
            return {"stop", "source:" + url, "play"};
        };
        click(w->lblOpen);
        QCOMPARE(played(), opened(0));
        w->channels().clearSelection();
        w->channels().setSelected(2, true);
        w->channels().setCurrentEntry(2);
        const QRect at = w->cboUrl->visualRect(w->channels().index(2));
        QTest::mouseDClick(w->cboUrl->viewport(), Qt::LeftButton, {}, at.center());
        // The double click is passed on once the view has made its entry current.
        QTest::qWait(0);
        QCOMPARE(played(), opened(2));
        QTest::keyClick(w->cboUrl, Qt::Key_Return);
        QCOMPARE(played(), opened(2));
        click(w->lblStop);
        click(w->lblFullScreen);
        QCOMPARE(played(), kind == Kind::Tv ? QStringList({"close", "fullscreen:1"})
                                            : QStringList({"stop", "fullscreen"}));
        w->mnuOpenByPlayer->trigger();
        QCOMPARE(f.fakes.shell.played, QStringList{QStringLiteral("http://h/台2%1").arg(ext)});
        QVERIFY(played().isEmpty());
    }

    // The movie window hands what is not RealMedia to the external player; with nothing
    // selected it hands an empty URL.
    void theMovieWindowSendsOtherFilesOut() {
        Fixture f;
        frmNetChannel *w = f.load(Kind::Movie, {"A\r\nhttp://h/a.wmv\r\nB\r\nhttp://h/b.rmvb"});
        w->btnOpen_Click();
        QCOMPARE(f.fakes.shell.played, QStringList{"http://h/a.wmv"});
        QCOMPARE(f.fakes.players.lastStream()->calls, QStringList{"stop"});
        w->channels().clearSelection();
        w->btnOpen_Click();
        QCOMPARE(f.fakes.shell.played, QStringList({"http://h/a.wmv", ""}));
    }

    void aTypedUrlPlaysAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("plays");
        QTest::newRow("cancel") << "" << false;
        QTest::newRow("spaces only") << "   " << false;
        QTest::newRow("with spaces") << " http://h/x.rm " << true;
    }
    void aTypedUrlPlaysAsTyped() {
        QFETCH(QString, typed);
        QFETCH(bool, plays);
        Fixture f;
        frmNetChannel *w = f.loadWith(Kind::Mtv, 1);
        f.fakes.dialogs.inputAnswers.enqueue(typed);
        w->mnuControlOpenUrl->trigger();
        QCOMPARE(f.fakes.dialogs.prompts, QStringList{"请输入您指定的影音文件URL："});
        QCOMPARE(f.fakes.players.lastStream()->calls,
                 plays ? QStringList({"stop", "source:" + typed, "play"}) : QStringList());
    }

    // A right press on the movie and MTV players is refused with a message; the TV player
    // takes no notice.
    void theRightButtonOnThePlayerIsRefused() {
        Fixture f;
        frmNetChannel *movie = f.loadWith(Kind::Movie, 1);
        movie->RealAudio1->reportRightClick(3, 4);
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages[0].text, QStringLiteral("不可以使用鼠标右键哦！"));
        QCOMPARE(f.fakes.dialogs.messages[0].icon, Dialogs::Icon::Information);
        frmNetChannel *tv = f.loadWith(Kind::Tv, 1);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(tv->picPlayer, &press);
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
    }

    // Every failure of a download says the download manager may be missing, once.
    void downloadFailuresSayTheManagerIsMissing_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("fetchFails");
        QTest::addColumn<bool>("accepts");
        QTest::newRow("movie, not installed") << Kind::Movie << false << false << true;
        QTest::newRow("movie, refused") << Kind::Movie << true << false << false;
        QTest::newRow("TV, not installed") << Kind::Tv << false << false << true;
        QTest::newRow("TV, metafile not fetched") << Kind::Tv << true << true << true;
        QTest::newRow("TV, refused") << Kind::Tv << true << false << false;
    }
    void downloadFailuresSayTheManagerIsMissing() {
        QFETCH(Kind, kind);
        QFETCH(bool, installed);
        QFETCH(bool, fetchFails);
        QFETCH(bool, accepts);
        Fixture f;
        frmNetChannel *w = f.loadWith(kind, 2);
        const qsizetype asked = f.fakes.network.made.size();
        f.fakes.downloadManager.installed = installed;
        f.fakes.downloadManager.accepts = accepts;
        if (kind == Kind::Tv)
            w->mnuControlDownloadByFlashGet_Click();
        else
            w->btnVolume_Click();
        if (kind == Kind::Tv && installed) {
            if (fetchFails)
                f.net()->fail();
            else
                f.net()->answer("http://h/a\r\nhttp://h/b\r\n");
        } else {
            QCOMPARE(f.fakes.network.made.size(), asked); // nothing fetched
        }
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages[0].text,
                 QStringLiteral("您的电脑可能还没有安装网际快车！"));
        QCOMPARE(f.fakes.dialogs.messages[0].icon, Dialogs::Icon::Warning);
    }

    // Closing a window ends its player; the main window's going takes every window with it,
    // also one still loading. Twenty openings leave nothing behind.
    void windowsGoWithoutATrace() {
        Fixture f;
        for (int i = 0; i < 20; ++i) {
            QPointer<frmNetChannel> w = f.loadWith(i % 2 ? Kind::Tv : Kind::Movie, 3);
            QVERIFY(w && w->isVisible());
            w->btnOpen_Click();
            if (i % 3)
                w->btnCloseButton_Click();
            else
                w->mnuControlExit->trigger();
            QTRY_VERIFY(!w);
        }
        QCOMPARE(channelWindowsLeft(), 0);
        for (const auto &p : f.fakes.players.streamPlayers)
            QVERIFY(!p);
        for (const auto &p : f.fakes.players.mediaPlayers)
            QVERIFY(!p);
        f.loadWith(Kind::Mtv, 2);
        f.open(Kind::Tv); // still loading
        QVERIFY(SplashShown());
        f.windows.reset();
        QCOMPARE(channelWindowsLeft(), 0);
        QVERIFY(!SplashShown());
        QCOMPARE(f.fakes.players.streamPlayers.last(), nullptr);
    }
};

QTEST_MAIN(TestChannelWindows)
#include "tst_channel_windows.moc"
