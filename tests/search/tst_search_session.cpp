#include "app/net/qt_http_transfer.h"
#include "engine_standin.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "search/cls_search_music.h"
#include "search/search_query.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// 45 MP3 songs and 3 RealMedia songs named 月亮 n.
std::vector<EngineStandIn::Song> catalogue() {
    std::vector<EngineStandIn::Song> songs;
    for (int i = 1; i <= 48; ++i) {
        const bool mp3 = i <= 45;
        const std::string name = "月亮 " + std::to_string(i);
        songs.push_back(
            {name, name, "/music/yueliang" + std::to_string(i) + (mp3 ? ".mp3" : ".rm"), mp3});
    }
    return songs;
}

// Engine I's page for the request, from the catalogue: for handlers that add a delay or a
// failure of their own.
void answerEngineI(const std::vector<EngineStandIn::Song> &songs, const httplib::Request &req,
                   httplib::Response &res) {
    res.set_content(EngineStandIn::EngineIPage(
                        songs, "月亮", req.get_param_value("mimetype") == "mp3",
                        std::atoi(req.get_param_value("b").c_str()), req.get_header_value("Host")),
                    "text/html");
}

// The stand-in engines on a loopback port, with the program's engine hosts pointed there.
struct Engines {
    TestHttpServer http;
    explicit Engines(bool standIn = true) {
        if (standIn)
            EngineStandIn::Serve(http.server, catalogue());
    }
    void start() {
        http.start();
        const QString host = QStringLiteral("127.0.0.1:%1").arg(http.port());
        SearchQuery::SetHosts(host, host);
    }
};
} // namespace

class TestSearchSession : public QObject {
    Q_OBJECT
private slots:
    void readsEveryPageUntilTheLast_data() {
        QTest::addColumn<int>("searcher");
        QTest::addColumn<int>("musicType");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("songs");
        QTest::newRow("engine I, MP3: 20 + 20 + 5") << 0 << 0 << 3 << 45;
        QTest::newRow("engine II, MP3: 10 a page") << 1 << 0 << 5 << 45;
        QTest::newRow("engine I, RM") << 0 << 1 << 1 << 3;
        QTest::newRow("engine II, RM: one page") << 1 << 1 << 1 << 3;
    }
    void readsEveryPageUntilTheLast() {
        QFETCH(int, searcher);
        QFETCH(int, musicType);
        QFETCH(int, pages);
        QFETCH(int, songs);
        Engines engines;
        engines.start();
        QtHttpTransfer net;
        SongList list;
        list.append(Song{"MP3→earlier", "http://earlier.example/a.mp3"});
        clsSearchMusic search;
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral(" 月亮 "), list, musicType, searcher, net);
        QVERIFY(search.isRunning());
        QVERIFY(finished.wait(10000));
        QCOMPARE(search.pagesRead(), pages);
        QCOMPARE(list.count(), 1 + songs);
        QCOMPARE(list.name(0), QStringLiteral("MP3→earlier"));
        QCOMPARE(list.selectedEntries(), QList<int>{list.count() - 1});
        QVERIFY(!search.isRunning());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
    }

    void aKeywordWithoutMatchesEndsAfterOnePage() {
        Engines engines;
        engines.start();
        QtHttpTransfer net;
        SongList list;
        for (int searcher : {0, 1}) {
            clsSearchMusic search;
            QSignalSpy finished(&search, &clsSearchMusic::finished);
            search.Search(QStringLiteral("没有这首歌"), list, 0, searcher, net);
            QVERIFY(finished.wait(10000));
            QCOMPARE(search.pagesRead(), 1);
        }
        QCOMPARE(list.count(), 0);
    }

    void aFailedThirdPageKeepsTheFirstTwo() {
        Engines engines(false);
        const auto songs = catalogue();
        engines.http.server.Get(
            "/search", [&](const httplib::Request &req, httplib::Response &res) {
                if (req.get_param_value("b") == "41") {
                    res.set_redirect("http://127.0.0.1:1/refused"); // the transfer fails
                    return;
                }
                answerEngineI(songs, req, res);
            });
        engines.start();
        QtHttpTransfer net;
        SongList list;
        clsSearchMusic search;
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 0, net);
        QVERIFY(finished.wait(10000));
        QCOMPARE(search.pagesRead(), 2);
        QCOMPARE(list.count(), 40);
    }

    void stopWhileWaitingEndsAtOnceAndTheLateAnswerIsIgnored() {
        Engines engines(false);
        const auto songs = catalogue();
        engines.http.server.Get("/search",
                                [&](const httplib::Request &req, httplib::Response &res) {
                                    std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                    answerEngineI(songs, req, res);
                                });
        engines.start();
        QtHttpTransfer net;
        SongList list;
        clsSearchMusic search;
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 0, net);
        search.StopSearch();
        QVERIFY(!search.isRunning());
        QVERIFY(finished.wait(1000));
        QTest::qWait(800); // the answer arrives meanwhile
        QCOMPARE(list.count(), 0);
        QCOMPARE(search.pagesRead(), 0);
        QCOMPARE(finished.count(), 1);
    }

    void aNewSearchCancelsTheRequestStillUnderWay() {
        Engines engines(false);
        const auto songs = catalogue();
        engines.http.server.Get("/search",
                                [&](const httplib::Request &req, httplib::Response &res) {
                                    if (req.get_param_value("mimetype") == "mp3")
                                        std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                    answerEngineI(songs, req, res);
                                });
        engines.start();
        QtHttpTransfer net;
        SongList list;
        clsSearchMusic first;
        first.Search(QStringLiteral("月亮"), list, 0, 0, net);
        first.StopSearch();
        clsSearchMusic second;
        QSignalSpy finished(&second, &clsSearchMusic::finished);
        second.Search(QStringLiteral("月亮"), list, 1, 0, net);
        QVERIFY(finished.wait(10000));
        QTest::qWait(600);
        QCOMPARE(list.count(), 3); // the RealMedia songs only
        QVERIFY(list.name(0).startsWith(QStringLiteral("RM.→")));
    }

    void anUnknownEngineSendsNothingAndWaitsForStop() {
        Engines engines;
        engines.start();
        QtHttpTransfer net;
        SongList list;
        clsSearchMusic search;
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 7, net);
        QVERIFY(!finished.wait(300));
        search.StopSearch();
        QVERIFY(finished.wait(1000));
        QCOMPARE(list.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSearchSession)
#include "tst_search_session.moc"
