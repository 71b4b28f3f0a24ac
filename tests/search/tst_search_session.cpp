#include "app/net/qt_http_transfer.h"
#include "engine_standin.h"
#include "fakes/fake_transfer.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "search/cls_search_music.h"
#include "search/search_query.h"

#include <QSignalSpy>
#include <QStringDecoder>
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

// Engine I's page at an offset, as the program reads it.
QString engineIPage(bool mp3, int offset) {
    QStringDecoder decode("GB18030");
    return decode(QByteArray::fromStdString(
        EngineStandIn::EngineIPage(catalogue(), "月亮", mp3, offset, "engine.example")));
}

const SearchQuery::Hosts FakeHosts{QStringLiteral("one.example"), QStringLiteral("two.example")};
} // namespace

class TestSearchSession : public QObject {
    Q_OBJECT
private slots:
    // Against the stand-in engines on a real server, through the real transfer.
    void readsEveryPageUntilTheLast_data() {
        QTest::addColumn<int>("searcher");
        QTest::addColumn<int>("musicType");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("songs");
        QTest::newRow("engine I, MP3: 20 + 20 + 5") << 0 << 0 << 3 << 45;
        QTest::newRow("engine II, MP3: 10 a page") << 1 << 0 << 5 << 45;
        QTest::newRow("engine I, RM") << 0 << 1 << 1 << 3;
        QTest::newRow("engine II, RM: one page") << 1 << 1 << 1 << 3;
        QTest::newRow("engine I, nothing found") << 0 << 0 << 1 << 0;
        QTest::newRow("engine II, nothing found") << 1 << 0 << 1 << 0;
    }
    void readsEveryPageUntilTheLast() {
        QFETCH(int, searcher);
        QFETCH(int, musicType);
        QFETCH(int, pages);
        QFETCH(int, songs);
        TestHttpServer http;
        EngineStandIn::Serve(http.server, catalogue());
        http.start();
        const QString host = QStringLiteral("127.0.0.1:%1").arg(http.port());
        QtHttpTransfer net;
        SongList list;
        list.append(Song{"MP3→earlier", "http://earlier.example/a.mp3"});
        clsSearchMusic search({host, host});
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        const QString keyword = songs ? QStringLiteral(" 月亮 ") : QStringLiteral("没有这首歌");
        search.Search(keyword, list, musicType, searcher, net);
        QVERIFY(search.isRunning());
        QVERIFY(finished.wait(10000));
        QCOMPARE(search.pagesRead(), pages);
        QCOMPARE(list.count(), 1 + songs);
        QCOMPARE(list.name(0), QStringLiteral("MP3→earlier"));
        QVERIFY(!search.isRunning());
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
    }

    void eachPageAddsAfterWhatIsThereAndSelectsTheLast() {
        FakeTransferFactory factory;
        SongList list;
        list.append(Song{"MP3→old", "http://old.example/o.mp3"});
        list.setSelected(0, true);
        QSignalSpy shown(&list, &SongList::visibilityRequested);
        clsSearchMusic search(FakeHosts);
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 0, *factory.newTransfer(&search));
        FakeTransfer &net = *factory.last();
        QCOMPARE(net.requested, QStringList{"http://one.example/search?p=月亮&mimetype=mp3&b=1"});
        net.answer(engineIPage(true, 1));
        QCOMPARE(list.count(), 21);
        QCOMPARE(list.selectedEntries(), QList<int>{20});
        QCOMPARE(shown.last().at(0).toInt(), 20);
        QCOMPARE(net.requested.size(), 2);
        QVERIFY(net.requested[1].endsWith("&b=21"));
        // A page whose only link is dropped still leaves the last entry as the only one
        // selected, and it ends the search when it announces no further page.
        list.setSelected(3, true);
        net.answer(QStringLiteral("<a href=\"ftp://x.example/s.mp3\">n</a>"));
        QCOMPARE(list.count(), 21);
        QCOMPARE(list.selectedEntries(), QList<int>{20});
        QVERIFY(finished.wait(1000));
    }

    void aFailedRequestEndsTheSearchAndKeepsTheSongsFound() {
        FakeTransferFactory factory;
        SongList list;
        clsSearchMusic search(FakeHosts);
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 0, *factory.newTransfer(&search));
        factory.last()->answer(engineIPage(true, 1));
        factory.last()->answer(engineIPage(true, 21));
        factory.last()->fail();
        QVERIFY(finished.wait(1000));
        QCOMPARE(list.count(), 40);
        QCOMPARE(search.pagesRead(), 2);
    }

    void stopWhileWaitingEndsAtOnceAndCancelsTheRequest() {
        FakeTransferFactory factory;
        SongList list;
        clsSearchMusic search(FakeHosts);
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 0, *factory.newTransfer(&search));
        FakeTransfer &net = *factory.last();
        search.StopSearch();
        QVERIFY(!search.isRunning());
        QCOMPARE(net.cancels, 1);
        QVERIFY(net.pending.isEmpty());
        QVERIFY(finished.wait(1000));
        // An answer that still comes is not read.
        net.answer(engineIPage(true, 1));
        QCOMPARE(list.count(), 0);
        QCOMPARE(search.pagesRead(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
    }

    void anUnknownEngineSendsNothingAndWaitsForStop() {
        FakeTransferFactory factory;
        SongList list;
        clsSearchMusic search(FakeHosts);
        QSignalSpy finished(&search, &clsSearchMusic::finished);
        search.Search(QStringLiteral("月亮"), list, 0, 7, *factory.newTransfer(&search));
        QCoreApplication::processEvents();
        QVERIFY(factory.last()->requested.isEmpty());
        QCOMPARE(finished.count(), 0);
        search.StopSearch();
        QVERIFY(finished.wait(1000));
        QCOMPARE(list.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSearchSession)
#include "tst_search_session.moc"
