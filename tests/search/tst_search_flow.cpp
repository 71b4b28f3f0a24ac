#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "app/net/qt_http_transfer.h"
#include "engine_standin.h"
#include "fakes/fake_session.h"
#include "lists/song_list.h"
#include "net/dripping_server.h"
#include "net/test_http_server.h"
#include "search/search_flow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

namespace {
void click(QLabel *caption) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(
            type, QPointF(2, 2), QPointF(caption->mapToGlobal(QPoint(2, 2))), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(caption, &event);
    }
}

// 25 RealMedia songs named 月亮 n.
std::vector<EngineStandIn::Song> catalogue() {
    std::vector<EngineStandIn::Song> songs;
    for (int i = 1; i <= 25; ++i)
        songs.push_back({"月亮 " + std::to_string(i), "月亮 " + std::to_string(i),
                         "/music/yueliang" + std::to_string(i) + ".rm", false});
    return songs;
}

// The stand-in engines' page for a query URL, as the program reads it.
QString pageFor(const QString &url) {
    const QUrl q(url);
    const QUrlQuery query(q);
    const bool engineI = q.path() == QStringLiteral("/search");
    const std::string keyword = query.queryItemValue(engineI ? "p" : "word").toStdString();
    const bool mp3 = query.queryItemValue(engineI ? "mimetype" : "class") == "mp3";
    const int at = query.queryItemValue(engineI ? "b" : "bg").toInt();
    const std::string page =
        engineI ? EngineStandIn::EngineIPage(catalogue(), keyword, mp3, at, "h.example")
                : EngineStandIn::EngineIIPage(catalogue(), keyword, mp3, at, "h.example");
    QStringDecoder decode("GB18030");
    return decode(QByteArray::fromStdString(page));
}

// The main window over fakes; the test answers each page request of the search by hand.
struct Fixture {
    FakeSession fakes;
    std::unique_ptr<ExtraWindows> extra;
    std::unique_ptr<frmSearchMusic> window;
    std::unique_ptr<QSignalSpy> unlocked;
    qsizetype atStart = 0; // the transfers the window's load sequence made

    Fixture() {
        extra = std::make_unique<ExtraWindows>(fakes.make());
        window = std::make_unique<frmSearchMusic>(*fakes.session, *extra);
        window->Show();
        unlocked = std::make_unique<QSignalSpy>(window->searchFlow(), &SearchFlow::unlocked);
        atStart = fakes.network.made.size();
    }
    frmSearchMusic &w() { return *window; }
    FakeTransfer *net() { return fakes.network.last(); }
    // The transfers searches made, in order.
    QList<QPointer<FakeTransfer>> searches() { return fakes.network.made.mid(atStart); }
    // Answers the request under way as the engine would; false when none is.
    bool answerPage() {
        FakeTransfer *t = net();
        if (!t || t->pending.isEmpty())
            return false;
        t->answer(pageFor(t->pending));
        return true;
    }
    // Answers every page until the search stops asking.
    void answerAll() {
        while (answerPage()) {
        }
    }
    bool locked() {
        return !w().Combo1->isEnabled() && !w().lblSearch->isEnabled() &&
               !w().lblMoreOperation->isEnabled();
    }
    bool isUnlocked() {
        return w().Combo1->isEnabled() && w().lblSearch->isEnabled() &&
               w().lblMoreOperation->isEnabled();
    }
};
} // namespace

class TestSearchFlow : public QObject {
    Q_OBJECT
private slots:
    void anEmptyKeywordIsRefused() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("   "));
        click(f.w().lblSearch);
        QCOMPARE(f.fakes.dialogs.messages.size(), 1);
        QCOMPARE(f.fakes.dialogs.messages[0].text,
                 QStringLiteral("您没有输入任何搜索关键字哦。嘿嘿！"));
        QCOMPARE(f.fakes.dialogs.messages[0].icon, Dialogs::Icon::Information);
        QVERIFY(f.isUnlocked());
        QVERIFY(f.searches().isEmpty());
    }

    void aSearchLocksAppendsAndUnlocks() {
        Fixture f;
        f.w().searchList().append(Song{"RM.→earlier", "http://earlier.example/a.rm"});
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        click(f.w().lblSearch);
        QVERIFY(f.locked());
        QVERIFY(f.w().lblStop->isEnabled());
        QCOMPARE(f.net()->requested,
                 QStringList{"http://one.example/search?p=月亮&mimetype=rm&b=1"});
        f.answerAll();
        QVERIFY(f.unlocked->wait(1000));
        QVERIFY(f.isUnlocked());
        // Pages that came within one frame were painted together; the last ones show now.
        QVERIFY(f.w().lstSearchListSongName->updatesEnabled());
        QCOMPARE(f.w().searchList().count(), 26);
        QCOMPARE(f.w().searchList().name(0), QStringLiteral("RM.→earlier"));
        QVERIFY(f.w().searchList().name(1).startsWith(QStringLiteral("RM.→月亮")));
        QVERIFY(f.fakes.dialogs.questions.isEmpty());
        QCOMPARE(f.net()->requested.size(), 2); // engine I: 20 + 5
        // The newest result is the one selected, and in sight.
        QListView *view = f.w().lstSearchListSongName;
        QCOMPARE(f.w().searchList().selectedEntries(), QList<int>{25});
        QTRY_VERIFY(
            view->viewport()->rect().contains(view->visualRect(f.w().searchList().index(25))));
    }

    void nothingFoundOffersTheOtherEngineUntilCancel() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("没有这首歌"));
        f.fakes.dialogs.confirmAnswers << true << true << false;
        click(f.w().lblSearch);
        // Each search has a transfer of its own.
        QStringList firstPages;
        for (int search = 1; search <= 3; ++search) {
            QTRY_COMPARE(f.searches().size(), search);
            QVERIFY(f.locked());
            firstPages << f.net()->pending;
            f.answerAll();
        }
        QVERIFY(f.unlocked->wait(1000));
        QCOMPARE(f.unlocked->count(), 1);
        QCOMPARE(f.fakes.dialogs.questions,
                 (QStringList{"好象没有找到歌曲哦，帮您换到搜索引擎[2]好不好？",
                              "好象没有找到歌曲哦，帮您换到搜索引擎[1]好不好？",
                              "好象没有找到歌曲哦，帮您换到搜索引擎[2]好不好？"}));
        QVERIFY(firstPages[0].startsWith("http://one.example/search?"));
        QVERIFY(firstPages[1].startsWith("http://two.example/zsmp3?"));
        QVERIFY(f.w().mnuMoreSearcher[0]->isChecked());
        QVERIFY(!f.w().mnuMoreSearcher[1]->isChecked());
        QVERIFY(f.isUnlocked());
    }

    void theFallbackMovesToTheOtherEngineAndFindsThere() {
        Fixture f;
        f.w().optMusicFileType[1]->setChecked(true); // MP3: nothing on either engine
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        f.fakes.dialogs.confirmAnswers << true << false;
        click(f.w().lblSearch);
        f.answerAll();
        QTRY_COMPARE(f.searches().size(), 2);
        f.answerAll();
        QVERIFY(f.unlocked->wait(1000));
        QCOMPARE(f.fakes.dialogs.questions.size(), 2);
        QVERIFY(f.w().mnuMoreSearcher[1]->isChecked()); // Cancel keeps the engine reached
        f.w().optMusicFileType[0]->setChecked(true);
        click(f.w().lblSearch);
        f.answerAll();
        QVERIFY(f.unlocked->wait(1000));
        QCOMPARE(f.w().searchList().count(), 25); // engine II, 10 a page
        QCOMPARE(f.fakes.dialogs.questions.size(), 2);
    }

    void stopBeforeAnyResultCountsAsNothingFound() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        click(f.w().lblSearch);
        FakeTransfer *net = f.net();
        const QString url = net->pending;
        click(f.w().lblStop);
        QVERIFY(net->pending.isEmpty()); // the request is cancelled
        QVERIFY(f.unlocked->wait(1000));
        QCOMPARE(f.fakes.dialogs.questions.size(), 1); // answered Cancel
        QVERIFY(f.isUnlocked());
        net->answer(pageFor(url)); // an answer that comes anyway
        QCOMPARE(f.w().searchList().count(), 0);
    }

    void stopAfterResultsAsksNothing() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        click(f.w().lblSearch);
        QVERIFY(f.answerPage());
        QCOMPARE(f.w().searchList().count(), 20);
        QVERIFY(f.locked());
        const QString second = f.net()->pending;
        click(f.w().lblStop);
        QVERIFY(f.unlocked->wait(1000));
        QVERIFY(f.fakes.dialogs.questions.isEmpty());
        QVERIFY(f.isUnlocked());
        f.net()->answer(pageFor(second));
        QCOMPARE(f.w().searchList().count(), 20);
    }

    void enterInTheKeywordBoxSearches() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("月亮 2"));
        QTest::keyClick(f.w().Combo1->lineEdit(), Qt::Key_Return);
        QVERIFY(f.locked());
        f.answerAll();
        QVERIFY(f.unlocked->wait(1000));
        QCOMPARE(f.w().searchList().count(), 7); // 月亮 2 and 月亮 20 to 25
    }

    // The real transfers on a real server: the streaming base is read at start while the
    // user already searches; neither disturbs the other.
    void aSearchDuringTheStartUpFetchLeavesBothWhole() {
        TestHttpServer http;
        http.server.Get("/feifa_url.txt", [](const httplib::Request &, httplib::Response &res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            res.set_content("rtsp://albums.example/base/", "text/plain");
        });
        EngineStandIn::Serve(http.server, catalogue());
        http.start();
        const QString host = QStringLiteral("127.0.0.1:%1").arg(http.port());
        QtTransferFactory network;
        FakeSession fakes;
        Session session({fakes.dialogs, fakes.clipboard, fakes.shell, fakes.player, network,
                         fakes.downloadDialog, fakes.downloadManager, fakes.players, fakes.flash,
                         fakes.installer},
                        {http.url("/"), http.url("/setup.exe"), {host, host}}, fakes.folder.path(),
                        fakes.metafiles.path());
        ExtraWindows extra(session);
        frmSearchMusic window(session, extra);
        bool searched = false;
        // The search starts while the window's load sequence waits for feifa_url.txt.
        QTimer::singleShot(0, &window, [&] {
            window.searchFlow()->btnSearch_Click(QStringLiteral("月亮"), 0, 0);
            searched = true;
        });
        window.Show();
        QVERIFY(searched);
        QCOMPARE(session.StreamBaseUrl(), QStringLiteral("rtsp://albums.example/base/"));
        QTRY_VERIFY_WITH_TIMEOUT(!window.searchFlow()->isSearching(), 10000);
        QCOMPARE(window.searchList().count(), 25);
    }

    // An engine that sends its page a byte at a time: the page's deadline ends the search,
    // which then counts as having found nothing, and the controls come back.
    void aDrippingEngineCannotHoldTheSearch() {
        DrippingServer drip;
        const QString host = QStringLiteral("127.0.0.1:%1").arg(drip.serverPort());
        QtTransferFactory network(400);
        FakeSession fakes;
        Session session({fakes.dialogs, fakes.clipboard, fakes.shell, fakes.player, network,
                         fakes.downloadDialog, fakes.downloadManager, fakes.players, fakes.flash,
                         fakes.installer},
                        {QStringLiteral("http://127.0.0.1:1/"), {}, {host, host}},
                        fakes.folder.path(), fakes.metafiles.path());
        ExtraWindows extra(session);
        frmSearchMusic window(session, extra);
        window.Show();
        QSignalSpy unlocked(window.searchFlow(), &SearchFlow::unlocked);
        window.Combo1->setEditText(QStringLiteral("月亮"));
        window.btnSearch_Click();
        QVERIFY(!window.Combo1->isEnabled());
        QVERIFY(unlocked.wait(10000));
        QVERIFY(window.Combo1->isEnabled());
        QCOMPARE(fakes.dialogs.questions.size(), 1); // nothing found: the other engine?
    }
};

QTEST_MAIN(TestSearchFlow)
#include "tst_search_flow.moc"
