#include "app/player/mpv_stream_player.h"
#include "data_server.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_stream_player.h"
#include "lists/playback_controller.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void fill(SongList &list, int n) {
    for (int i = 0; i < n; ++i)
        list.append(
            Song{QStringLiteral("MP3→s%1").arg(i), QStringLiteral("http://h/u%1.mp3").arg(i)});
}

struct Fixture {
    QTemporaryDir app;
    QTemporaryDir metafiles;
    FakeStreamPlayer player;
    FakeShell shell;
    FakeDialogs dialogs;
    PlaybackController controller{player, shell, dialogs, app.path(), metafiles.path()};
};
} // namespace

class TestPlayback : public QObject {
    Q_OBJECT
private slots:
    void playCommandsWriteTheirSongsInOrder_data() {
        QTest::addColumn<int>("songs");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("selectedOnly");
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("from entry 2 of 5") << 5 << 2 << QList<int>{} << false
                                           << QByteArray("http://h/u2.mp3\r\nhttp://h/u3.mp3\r\n"
                                                         "http://h/u4.mp3\r\nhttp://h/u0.mp3\r\n"
                                                         "http://h/u1.mp3\r\n");
        QTest::newRow("from entry 0") << 3 << 0 << QList<int>{} << false
                                      << QByteArray("http://h/u0.mp3\r\nhttp://h/u1.mp3\r\n"
                                                    "http://h/u2.mp3\r\n");
        QTest::newRow("no current entry") << 2 << -1 << QList<int>{} << false
                                          << QByteArray("http://h/u0.mp3\r\nhttp://h/u1.mp3\r\n");
        QTest::newRow("one song") << 1 << 0 << QList<int>{} << false
                                  << QByteArray("http://h/u0.mp3\r\n");
        QTest::newRow("selected 1 and 3, current 4")
            << 5 << 4 << QList<int>{1, 3} << true
            << QByteArray("http://h/u1.mp3\r\nhttp://h/u3.mp3\r\n");
        QTest::newRow("nothing selected") << 3 << 0 << QList<int>{} << true << QByteArray();
    }
    void playCommandsWriteTheirSongsInOrder() {
        QFETCH(int, songs);
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        QFETCH(bool, selectedOnly);
        QFETCH(QByteArray, lines);
        Fixture f;
        SongList list;
        fill(list, songs);
        list.clearSelection();
        for (int r : selected)
            list.setSelected(r, true);
        list.setCurrentEntry(current);
        selectedOnly ? f.controller.PlaySelectedSongs(list)
                     : f.controller.PlayFromCurrentSong(list);
        const QStringList files = QDir(f.metafiles.path()).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(QRegularExpression("^tnpl[0-9]+\\.ram$").match(files[0]).hasMatch());
        const QString path = QDir(f.metafiles.path()).filePath(files[0]);
        QCOMPARE(contents(path), lines);
        QCOMPARE(f.player.calls, (QStringList{"source:", "stop", "source:" + path, "play"}));
    }

    void addressesAreWrittenAsThePlayerReadsThem_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("Chinese in UTF-8")
            << QStringLiteral("http://h/歌.mp3") << QByteArray("http://h/\xe6\xad\x8c.mp3\r\n");
        QTest::newRow("local song by its path") << QStringLiteral("file:///home/u/a%20b#1.mp3")
                                                << QByteArray("/home/u/a%20b#1.mp3\r\n");
        QTest::newRow("capital scheme")
            << QStringLiteral("FILE:///x.rm") << QByteArray("/x.rm\r\n");
        QTest::newRow("line breaks inside")
            << QStringLiteral("http://h/a\r\nb\n.mp3") << QByteArray("http://h/ab.mp3\r\n");
    }
    void addressesAreWrittenAsThePlayerReadsThem() {
        QFETCH(QString, url);
        QFETCH(QByteArray, line);
        Fixture f;
        SongList list;
        list.append(Song{QStringLiteral("MP3→x"), url});
        f.controller.PlayFromCurrentSong(list);
        QCOMPARE(contents(f.player.src), line);
    }

    void anEmptyListPlaysNothing() {
        Fixture f;
        SongList list;
        f.controller.PlayFromCurrentSong(list);
        f.controller.PlaySelectedSongs(list);
        QVERIFY(f.player.calls.isEmpty());
    }

    void onlyTheProgramsOwnMetafilesAreRemoved() {
        Fixture f;
        QDir dir(f.metafiles.path());
        for (const QString name : {"tnpl123.ram", "other.ram", "tnplx.ram", "tnpl12.ram.bak"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString first = f.controller.WriteRamFile({"http://h/a.mp3"}, 36123);
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("tnpl36123.ram"));
        // The same second: the same name, replaced.
        f.controller.WriteRamFile({"http://h/b.mp3"}, 36123);
        QCOMPARE(contents(first), QByteArray("http://h/b.mp3\r\n"));
        QStringList left = dir.entryList(QDir::Files);
        left.sort();
        QCOMPARE(left, (QStringList{"other.ram", "tnpl12.ram.bak", "tnpl36123.ram", "tnplx.ram"}));
        f.controller.WriteRamFile({"http://h/c.mp3"}, 7);
        QVERIFY(!QFile::exists(first));
        QVERIFY(QFile::exists(dir.filePath("tnpl7.ram")));
    }

    void theTitleLabelAndPreviousNextFollowThePlayer() {
        Fixture f;
        QSignalSpy label(&f.controller, &PlaybackController::openedSongNameChanged);
        QSignalSpy prevNext(&f.controller, &PlaybackController::prevNextChanged);
        f.player.title = QStringLiteral("  月亮下的小河 ");
        f.player.next = true;
        f.player.raiseState(StreamPlayer::Playing);
        QCOMPARE(label.last().at(0).toString(), QStringLiteral("→月亮下的小河"));
        QCOMPARE(prevNext.last(), (QList<QVariant>{false, true}));
        f.player.next = false;
        f.player.raiseState(StreamPlayer::Stopped);
        QCOMPARE(label.last().at(0).toString(), QString());
        QCOMPARE(prevNext.last(), (QList<QVariant>{false, false}));
    }

    void loopPlayReachesThePlayerWhenAClipOpens() {
        Fixture f;
        QVERIFY(f.controller.loopPlay()); // every run starts with loop play on
        emit f.player.clipOpened(0, 0);
        QVERIFY(f.player.looping);
        f.controller.setLoopPlay(false);
        QVERIFY(f.player.looping); // nothing at once
        emit f.player.clipOpened(0, 0);
        QVERIFY(!f.player.looping);
        const int calls = static_cast<int>(f.player.calls.size());
        emit f.player.clipOpened(0, 0); // already in line: nothing
        QCOMPARE(f.player.calls.size(), calls);
    }

    void startMusicAndItsEditor() {
        Fixture f;
        f.controller.PlayStartMusic();
        const QString path = QDir(f.app.path()).filePath("start.ram");
        QCOMPARE(f.player.calls,
                 (QStringList{"further:1", "source:file://" + path, "play", "volume:100"}));
        QVERIFY(f.player.reporting);
        f.controller.EditStartMusic(); // no start.ram: nothing
        QVERIFY(f.shell.edited.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        f.controller.EditStartMusic();
        QCOMPARE(f.shell.edited, QStringList{path});
    }

    void theExternalPlayerGetsTheCurrentSource() {
        Fixture f;
        f.controller.PlayByRealOne();
        f.player.src = QStringLiteral("/run/user/1/tonaply/tnpl5.ram");
        f.controller.PlayByRealOne();
        QCOMPARE(f.shell.played, (QStringList{"", "/run/user/1/tonaply/tnpl5.ram"}));
    }

    void localSongsJoinThePlaylist() {
        Fixture f;
        SongList list;
        fill(list, 1);
        f.dialogs.fileAnswers << "/home/u/音乐/a.mp3" << QString();
        f.controller.OpenLocalSongs(list);
        QCOMPARE(f.dialogs.fileFilters,
                 QStringList{"音乐文件(所有类型)|*.rm;*.mp3|所有文件(*.*)|*.*"});
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.name(1), QStringLiteral("本地.→a.mp3"));
        QCOMPARE(list.url(1), QStringLiteral("file:///home/u/音乐/a.mp3"));
        QCOMPARE(list.selectedEntries(), QList<int>{1});
        f.controller.OpenLocalSongs(list); // cancelled
        QCOMPARE(list.count(), 2);
    }

    void aListPlaysInTheRealPlayerFromTheCurrentSong() {
        TestHttpServer http;
        QVERIFY(DataServer::Serve(http.server, TONAPLY_DEMO_DATA));
        http.start();
        QTemporaryDir app, metafiles;
        MpvStreamPlayer player(false,
                               {{"ao", "null"}, {"vo", "null"}, {"video", "no"}, {"speed", "4"}});
        FakeShell shell;
        FakeDialogs dialogs;
        PlaybackController controller(player, shell, dialogs, app.path(), metafiles.path());
        SongList list;
        for (int i = 1; i <= 3; ++i)
            list.append(Song{QStringLiteral("MP3→%1").arg(i),
                             http.url(QStringLiteral("/media/song%1.mp3").arg(i))});
        list.setCurrentEntry(1);
        QStringList titles;
        connect(&controller, &PlaybackController::openedSongNameChanged, this,
                [&](const QString &t) {
                    if (t.startsWith(QStringLiteral("→演示")) &&
                        (titles.isEmpty() || titles.last() != t))
                        titles << t;
                });
        controller.PlayFromCurrentSong(list);
        QTRY_COMPARE_WITH_TIMEOUT(titles, (QStringList{"→演示歌曲2", "→演示歌曲3", "→演示歌曲1"}),
                                  15000);
        player.stop();
    }

    void aLocalSongWithAChineseNamePlaysInTheRealPlayer() {
        QTemporaryDir app, metafiles, music;
        QVERIFY(QDir(music.path()).mkpath(QStringLiteral("音乐")));
        const QString file = music.filePath(QStringLiteral("音乐/月亮 100%20.mp3"));
        QVERIFY(QFile::copy(QStringLiteral(TONAPLY_DEMO_DATA "/media/song1.mp3"), file));
        MpvStreamPlayer player(false, {{"ao", "null"}, {"vo", "null"}, {"video", "no"}});
        FakeShell shell;
        FakeDialogs dialogs;
        PlaybackController controller(player, shell, dialogs, app.path(), metafiles.path());
        SongList list;
        dialogs.fileAnswers << file;
        controller.OpenLocalSongs(list);
        QSignalSpy errors(&player, &StreamPlayer::errorOccurred);
        QSignalSpy opened(&player, &StreamPlayer::clipOpened);
        controller.PlayFromCurrentSong(list);
        QTRY_VERIFY_WITH_TIMEOUT(opened.count() > 0 || errors.count() > 0, 15000);
        QCOMPARE(errors.count(), 0);
        QTRY_COMPARE(player.clipTitle(), QStringLiteral("演示歌曲1"));
        player.stop();
    }
};

QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
