#include "app/player/asx.h"
#include "app/player/mpv_media_player.h"
#include "app/player/mpv_stream_player.h"
#include "data_server.h"
#include "lists/music_library.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "rtsp_albums.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {
MpvCore::Options silent(MpvCore::Options more = {}) {
    MpvCore::Options o{{"ao", "null"}, {"vo", "null"}, {"video", "no"}, {"ao-null-untimed", "yes"}};
    o.append(more);
    return o;
}

MpvCore::Options paced() {
    return {{"ao", "null"}, {"vo", "null"}, {"video", "no"}, {"speed", "4"}};
}

// The titles the player showed, each once, in order.
QStringList titlesSeen(const QSignalSpy &spy) {
    QStringList titles;
    for (const QList<QVariant> &args : spy) {
        const QString t = args.at(0).toString();
        if (t.startsWith(QStringLiteral("演示歌曲")) && (titles.isEmpty() || titles.last() != t))
            titles << t;
    }
    return titles;
}
} // namespace

class TestPlayers : public QObject {
    Q_OBJECT
    TestHttpServer http;
    QTemporaryDir dir;
    QString metafile;

private slots:
    void initTestCase() {
        QVERIFY(DataServer::Serve(http.server, TONAPLY_DEMO_DATA));
        // A TV metafile naming this server's clips.
        http.server.Get("/made/channel.asx", [this](const httplib::Request &,
                                                    httplib::Response &res) {
            res.set_content(QStringLiteral("<ASX version=\"3.0\"><ENTRY><REF HREF=\"%1\"/></ENTRY>"
                                           "<ENTRY><REF HREF=\"%2\"/></ENTRY></ASX>")
                                .arg(http.url("/media/song1.mp3"), http.url("/media/clip1.rm"))
                                .toStdString(),
                            "video/x-ms-asf");
        });
        http.start();
        metafile = dir.filePath("tnpl1.ram");
        QFile f(metafile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 3; ++i)
            f.write(http.url(QStringLiteral("/media/song%1.mp3\r\n").arg(i)).toUtf8());
    }

    void asxIsReadLeniently_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("plain") << "<asx version=\"3.0\"><entry><ref href=\"http://h/a.rm\"/>"
                                  "</entry>\r\n<entry><ref href=\"http://h/b.rm\" /></entry></asx>"
                               << QStringList{"http://h/a.rm", "http://h/b.rm"};
        QTest::newRow("capitals, single quotes, no </entry>")
            << "<ASX><ENTRY><REF HREF='mms://h/tv?x=1&y=2'><ENTRY><Ref Href = \"http://h/c\">"
            << QStringList{"mms://h/tv?x=1&y=2", "http://h/c"};
        QTest::newRow("unquoted") << "<asx><entry><ref href=http://h/a.rm/></entry></asx>"
                                  << QStringList{"http://h/a.rm"};
        QTest::newRow("escaped ampersand, comment")
            << "<!-- <ref href=\"http://old\"/> --><ref href=\"http://h/?a=1&amp;b=2\"/>"
            << QStringList{"http://h/?a=1&b=2"};
        QTest::newRow("not a metafile") << "<html>404</html>" << QStringList{};
    }
    void asxIsReadLeniently() {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QCOMPARE(Asx::entries(text), entries);
    }

    void aMetafilePlaysClipAfterClip() {
        // Clips play at four times the real pace, long enough for every title to show.
        MpvStreamPlayer player(false, paced());
        QSignalSpy titles(&player, &StreamPlayer::titleChanged);
        QSignalSpy opened(&player, &StreamPlayer::clipOpened);
        QSignalSpy states(&player, &StreamPlayer::playStateChanged);
        player.setSource("file://" + metafile);
        QCOMPARE(player.source(), "file://" + metafile);
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(titlesSeen(titles),
                                  (QStringList{"演示歌曲1", "演示歌曲2", "演示歌曲3"}), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), StreamPlayer::Stopped, 15000);
        QVERIFY(opened.count() >= 3);
        QCOMPARE(states.last().at(0).toInt(), 0);
    }

    // A shipped album, its addresses made from the streaming base, plays over RTSP from the
    // demo server's album streaming to its end.
    void anAlbumSongPlaysOverRtspToItsEnd() {
        RtspAlbums albums;
        QVERIFY(albums.start(TONAPLY_DEMO_DATA "/music", 0));
        SongList playList;
        MusicLibrary::InputSong(
            TONAPLY_APP_DATA "/music/陈嘉怡 - 月亮知道.hdm", playList,
            QStringLiteral("rtsp://127.0.0.1:%1/realmusicll/").arg(albums.port()));
        QCOMPARE(playList.count(), 2);
        QCOMPARE(playList.name(0), QStringLiteral("MP3→月亮知道 - 陈嘉怡"));
        const QString album = dir.filePath("tnpl2.ram");
        QFile f(album);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(playList.url(0).toUtf8() + "\r\n");
        f.close();
        MpvStreamPlayer player(false, {{"ao", "null"}, {"vo", "null"}, {"video", "no"}});
        QSignalSpy opened(&player, &StreamPlayer::clipOpened);
        QSignalSpy errors(&player, &StreamPlayer::errorOccurred);
        player.setSource("file://" + album);
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(opened.count() >= 1, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(player.playState() != StreamPlayer::Stopped, 15000);
        // The stream names its song.
        QTRY_COMPARE_WITH_TIMEOUT(player.clipTitle(), QStringLiteral("月亮知道"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), StreamPlayer::Stopped, 30000);
        QCOMPARE(errors.count(), 0);
    }

    void stepsThroughTheClipsWithinTheirEnds() {
        MpvStreamPlayer player(false, silent({{"pause", "yes"}}));
        QSignalSpy opened(&player, &StreamPlayer::clipOpened);
        player.setSource(metafile);
        player.play();
        player.setPaused(true);
        QTRY_VERIFY_WITH_TIMEOUT(opened.count() >= 1, 15000);
        QTRY_COMPARE(player.clipTitle(), QStringLiteral("演示歌曲1"));
        QVERIFY(player.hasNextClip());
        QVERIFY(!player.hasPreviousClip());
        player.nextClip();
        QTRY_COMPARE(player.clipTitle(), QStringLiteral("演示歌曲2"));
        QVERIFY(player.hasNextClip() && player.hasPreviousClip());
        player.nextClip();
        QTRY_COMPARE(player.clipTitle(), QStringLiteral("演示歌曲3"));
        QTRY_VERIFY(!player.hasNextClip());
        player.nextClip(); // at the end: stays
        QTest::qWait(200);
        QCOMPARE(player.clipTitle(), QStringLiteral("演示歌曲3"));
        player.setLoop(true); // with the loop, the end goes on to the start
        QTRY_VERIFY(player.hasNextClip());
        player.setLoop(false);
        player.previousClip();
        player.previousClip();
        QTRY_COMPARE(player.clipTitle(), QStringLiteral("演示歌曲1"));
        QTRY_VERIFY(!player.hasPreviousClip());
        player.stop();
        QTRY_COMPARE(player.playState(), StreamPlayer::Stopped);
        QVERIFY(!player.hasNextClip());
    }

    void loopStartsTheListAgain() {
        MpvStreamPlayer player(false, paced());
        QSignalSpy titles(&player, &StreamPlayer::titleChanged);
        player.setLoop(true);
        QVERIFY(player.loop());
        player.setSource(metafile);
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(titlesSeen(titles).size() >= 4, 15000);
        QCOMPARE(titlesSeen(titles).mid(0, 4),
                 (QStringList{"演示歌曲1", "演示歌曲2", "演示歌曲3", "演示歌曲1"}));
        player.stop();
        QTRY_COMPARE(player.playState(), StreamPlayer::Stopped);
    }

    void anEmptySourceEmptiesThePlayer() {
        MpvStreamPlayer player(false, silent({{"pause", "yes"}}));
        player.setSource(metafile);
        player.play();
        player.setPaused(true);
        QTRY_VERIFY_WITH_TIMEOUT(player.playState() != StreamPlayer::Stopped, 15000);
        player.setSource(QString());
        QTRY_COMPARE(player.playState(), StreamPlayer::Stopped);
        QCOMPARE(player.source(), QString());
    }

    // The program's play commands set an empty source, stop, set the new metafile and play;
    // the stop reaches the player after the play has been given.
    void aNewSourcePlaysWhileTheOldOneIsPaused() {
        MpvStreamPlayer player(false, {{"ao", "null"}, {"vo", "null"}, {"video", "no"}});
        player.setSource(metafile);
        player.play();
        player.setPaused(true);
        QTRY_COMPARE_WITH_TIMEOUT(player.clipTitle(), QStringLiteral("演示歌曲1"), 15000);
        QTRY_COMPARE(player.playState(), StreamPlayer::Paused);
        const QString other = dir.filePath("tnpl2.ram");
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(http.url("/media/song3.mp3\r\n").toUtf8());
        f.close();
        player.setSource(QString());
        player.stop();
        player.setSource(other);
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.clipTitle(), QStringLiteral("演示歌曲3"), 15000);
        // Play on the paused clip itself resumes it.
        player.setPaused(true);
        QTRY_COMPARE(player.playState(), StreamPlayer::Paused);
        player.play();
        QTRY_VERIFY(player.playState() != StreamPlayer::Paused);
        QCOMPARE(player.clipTitle(), QStringLiteral("演示歌曲3"));
    }

    void anUnreachableUrlGivesAnError_data() {
        QTest::addColumn<bool>("busy");
        QTest::newRow("events read at once") << false;
        // The window is busy while mpv tries and gives up: the player goes idle and back
        // before its events are read, so no change of "idle-active" is ever reported.
        QTest::newRow("events read late") << true;
    }

    void anUnreachableUrlGivesAnError() {
        QFETCH(bool, busy);
        MpvStreamPlayer player(false, silent());
        QSignalSpy errors(&player, &StreamPlayer::errorOccurred);
        player.setSource("http://127.0.0.1:1/nothing.mp3");
        if (busy)
            QTest::qWait(1000); // the player is up and idle
        player.play();
        if (busy)
            QThread::msleep(1500);
        QTRY_VERIFY_WITH_TIMEOUT(errors.count() == 1, 20000);
        QVERIFY(!player.lastError().isEmpty());
        QTRY_COMPARE(player.playState(), StreamPlayer::Stopped);
    }

    void aLocalFileIsOpenedByItsName() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("月亮 100%20.mp3"));
        QVERIFY(QFile::copy(QStringLiteral(TONAPLY_DEMO_DATA "/media/song2.mp3"), file));
        MpvStreamPlayer player(false, paced());
        QSignalSpy errors(&player, &StreamPlayer::errorOccurred);
        QSignalSpy titles(&player, &StreamPlayer::titleChanged);
        player.setSource(QStringLiteral("file://") + file);
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(!titlesSeen(titles).isEmpty() || errors.count() > 0, 15000);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(titlesSeen(titles), QStringList{QStringLiteral("演示歌曲2")});
    }

    void rightClicksAreReportedOnlyWhenAskedFor() {
        MpvStreamPlayer player(false, silent());
        QSignalSpy clicks(&player, &StreamPlayer::rightClicked);
        player.reportRightClick(3, 4);
        QCOMPARE(clicks.count(), 0);
        player.setMouseEventReporting(true);
        player.reportRightClick(3, 4);
        QCOMPARE(clicks.count(), 1);
    }

    void theTvPlayerPlaysTheEntriesOfAnAsx() {
        MpvMediaPlayer player(false, silent());
        QSignalSpy playing(&player, &MediaPlayer::playingChanged);
        player.setUrl(http.url("/made/channel.asx"));
        QTRY_VERIFY_WITH_TIMEOUT(playing.count() >= 1, 15000);
        QCOMPARE(playing.first().at(0).toBool(), true);
        QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 15000);
        QSignalSpy errors(&player, &MediaPlayer::errorOccurred);
        player.setUrl(http.url("/tv/missing.asx"));
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 15000);
    }
};

QTEST_MAIN(TestPlayers)
#include "tst_players.moc"
