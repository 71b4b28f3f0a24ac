#include "app/frm_search_music.h"
#include "app/net/qt_http_transfer.h"
#include "engine_standin.h"
#include "fakes/fake_dialogs.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "search/search_flow.h"
#include "search/search_query.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>

namespace {
void click(QLabel *caption) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(
            type, QPointF(2, 2), QPointF(caption->mapToGlobal(QPoint(2, 2))), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(caption, &event);
    }
}

std::vector<EngineStandIn::Song> catalogue() {
    std::vector<EngineStandIn::Song> songs;
    for (int i = 1; i <= 25; ++i)
        songs.push_back({"月亮 " + std::to_string(i), "月亮 " + std::to_string(i),
                         "/music/yueliang" + std::to_string(i) + ".rm", false});
    return songs;
}

// The main window with the real transfer component, searching the stand-in engines; page
// requests can be slowed down and are counted.
struct Fixture {
    TestHttpServer http;
    QTemporaryDir folder;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    QtHttpTransfer net;
    std::atomic<int> requests{0};
    std::atomic<int> delayMs{0};
    std::atomic<int> delaySecondPageMs{0};
    std::unique_ptr<frmSearchMusic> window;

    Fixture() {
        const auto songs = catalogue();
        auto page = [this, songs](const httplib::Request &req, httplib::Response &res,
                                  bool engineI) {
            ++requests;
            const int at = std::atoi(req.get_param_value(engineI ? "b" : "bg").c_str());
            std::this_thread::sleep_for(std::chrono::milliseconds(
                delayMs + (at == (engineI ? 21 : 2) ? delaySecondPageMs.load() : 0)));
            const std::string keyword =
                EngineStandIn::GbkToUtf8(req.get_param_value(engineI ? "p" : "word"));
            const bool mp3 = req.get_param_value(engineI ? "mimetype" : "class") == "mp3";
            const std::string host = req.get_header_value("Host");
            res.set_content(engineI ? EngineStandIn::EngineIPage(songs, keyword, mp3, at, host)
                                    : EngineStandIn::EngineIIPage(songs, keyword, mp3, at, host),
                            "text/html");
        };
        http.server.Get("/search", [page](const httplib::Request &q, httplib::Response &r) {
            page(q, r, true);
        });
        http.server.Get("/zsmp3", [page](const httplib::Request &q, httplib::Response &r) {
            page(q, r, false);
        });
        http.start();
        const QString host = QStringLiteral("127.0.0.1:%1").arg(http.port());
        SearchQuery::SetHosts(host, host);
        Services services;
        services.dialogs = &dialogs;
        services.clipboard = &clipboard;
        services.netGetData = &net;
        services.dataServerUrl = http.url("/");
        services.appFolder = folder.path();
        services.endProcess = [] {};
        window = std::make_unique<frmSearchMusic>(std::move(services));
        window->Show();
    }
    frmSearchMusic &w() { return *window; }
    bool locked() {
        return !w().Combo1->isEnabled() && !w().lblSearch->isEnabled() &&
               !w().lblMoreOperation->isEnabled();
    }
    bool unlocked() {
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
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("您没有输入任何搜索关键字哦。嘿嘿！"));
        QCOMPARE(f.dialogs.messages[0].icon, Dialogs::Icon::Information);
        QVERIFY(f.unlocked());
        QTest::qWait(100);
        QCOMPARE(f.requests.load(), 0);
    }

    void aSearchLocksAppendsAndUnlocks() {
        Fixture f;
        f.w().searchList().append(Song{"RM.→earlier", "http://earlier.example/a.rm"});
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        QSignalSpy ended(f.w().searchFlow(), &SearchFlow::searchEnded);
        click(f.w().lblSearch);
        QVERIFY(f.locked());
        QVERIFY(f.w().lblStop->isEnabled());
        QVERIFY(ended.wait(10000));
        QVERIFY(f.unlocked());
        // Pages that came within one frame were painted together; the last ones show now.
        QVERIFY(f.w().lstSearchListSongName->updatesEnabled());
        QCOMPARE(f.w().searchList().count(), 26);
        QCOMPARE(f.w().searchList().name(0), QStringLiteral("RM.→earlier"));
        QVERIFY(f.w().searchList().name(1).startsWith(QStringLiteral("RM.→月亮")));
        QVERIFY(f.dialogs.questions.isEmpty());
        QCOMPARE(f.requests.load(), 2); // engine I: 20 + 5
    }

    void nothingFoundOffersTheOtherEngineUntilCancel() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("没有这首歌"));
        f.dialogs.confirmAnswers << true << true << false;
        QSignalSpy ended(f.w().searchFlow(), &SearchFlow::searchEnded);
        click(f.w().lblSearch);
        QVERIFY(ended.wait(10000));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(f.dialogs.questions,
                 (QStringList{"好象没有找到歌曲哦，帮您换到搜索引擎[2]好不好？",
                              "好象没有找到歌曲哦，帮您换到搜索引擎[1]好不好？",
                              "好象没有找到歌曲哦，帮您换到搜索引擎[2]好不好？"}));
        QVERIFY(f.w().mnuMoreSearcher[0]->isChecked());
        QVERIFY(!f.w().mnuMoreSearcher[1]->isChecked());
        QVERIFY(f.unlocked());
        QCOMPARE(f.requests.load(), 3);
    }

    void theFallbackMovesToTheOtherEngineAndFindsThere() {
        Fixture f;
        f.w().optMusicFileType[1]->setChecked(true); // MP3: nothing on either engine
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        f.dialogs.confirmAnswers << true << false;
        QSignalSpy ended(f.w().searchFlow(), &SearchFlow::searchEnded);
        click(f.w().lblSearch);
        QVERIFY(ended.wait(10000));
        QCOMPARE(f.dialogs.questions.size(), 2);
        QVERIFY(f.w().mnuMoreSearcher[1]->isChecked()); // Cancel keeps the engine reached
        f.w().optMusicFileType[0]->setChecked(true);
        click(f.w().lblSearch);
        QVERIFY(ended.wait(10000));
        QCOMPARE(f.w().searchList().count(), 25); // engine II, 10 a page
        QCOMPARE(f.dialogs.questions.size(), 2);
    }

    void stopBeforeAnyResultCountsAsNothingFound() {
        Fixture f;
        f.delayMs = 400;
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        QSignalSpy ended(f.w().searchFlow(), &SearchFlow::searchEnded);
        click(f.w().lblSearch);
        click(f.w().lblStop);
        QVERIFY(ended.wait(5000));
        QCOMPARE(f.dialogs.questions.size(), 1); // answered Cancel
        QVERIFY(f.unlocked());
        QTest::qWait(700);
        QCOMPARE(f.w().searchList().count(), 0);
    }

    void stopAfterResultsAsksNothing() {
        Fixture f;
        f.delaySecondPageMs = 600;
        f.w().Combo1->setEditText(QStringLiteral("月亮"));
        QSignalSpy ended(f.w().searchFlow(), &SearchFlow::searchEnded);
        click(f.w().lblSearch);
        QTRY_COMPARE(f.w().searchList().count(), 20);
        QVERIFY(f.locked());
        click(f.w().lblStop);
        QVERIFY(ended.wait(5000));
        QVERIFY(f.dialogs.questions.isEmpty());
        QVERIFY(f.unlocked());
        QTest::qWait(800);
        QCOMPARE(f.w().searchList().count(), 20);
    }

    void enterInTheKeywordBoxSearches() {
        Fixture f;
        f.w().Combo1->setEditText(QStringLiteral("月亮 2"));
        QSignalSpy ended(f.w().searchFlow(), &SearchFlow::searchEnded);
        QTest::keyClick(f.w().Combo1->lineEdit(), Qt::Key_Return);
        QVERIFY(ended.wait(10000));
        QCOMPARE(f.w().searchList().count(), 7); // 月亮 2 and 月亮 20 to 25
    }
};

QTEST_MAIN(TestSearchFlow)
#include "tst_search_flow.moc"
