#include "fakes/fake_dialogs.h"
#include "lists/playlist_commands.h"
#include "lists/playlist_file.h"
#include "lists/song_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <sys/resource.h>

using namespace PlaylistCommands;

namespace {
QByteArray gbk(const QString &text) {
    QStringEncoder encode("GB18030");
    return encode(text);
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool aligned(const SongList &list) {
    return list.rowCount() == list.songs().size();
}
} // namespace

class TestPlaylistFile : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<Song>>("expected");
        const Song a{"a", "x"}, b{"b", "y"};
        QTest::newRow("CR LF") << QByteArray("a\r\nx\r\nb\r\ny\r\n") << QList<Song>{a, b};
        QTest::newRow("lone CR") << QByteArray("a\rx\rb\ry\r") << QList<Song>{a, b};
        QTest::newRow("LF only") << QByteArray("a\nx\nb\ny\n") << QList<Song>{a, b};
        QTest::newRow("no final line end") << QByteArray("a\r\nx\r\nb\r\ny") << QList<Song>{a, b};
        QTest::newRow("third line empty ends it")
            << QByteArray("a\r\nx\r\n\r\ny\r\nb\r\ny\r\n") << QList<Song>{a};
        QTest::newRow("blank first line") << QByteArray("   \r\nx\r\nb\r\ny\r\n") << QList<Song>{};
        QTest::newRow("tab is not blank") << QByteArray("\t\r\nx\r\n") << QList<Song>{{"\t", "x"}};
        QTest::newRow("name kept exactly")
            << QByteArray(" a \r\n x\r\n") << QList<Song>{{" a ", " x"}};
        QTest::newRow("empty URL line kept")
            << QByteArray("a\r\n\r\nb\r\ny\r\n") << QList<Song>{{"a", ""}, b};
        QTest::newRow("ends after a name line")
            << QByteArray("a\r\nx\r\nb\r\n") << QList<Song>{a, {"b", ""}};
        QTest::newRow("empty file") << QByteArray() << QList<Song>{};
        QTest::newRow("GBK Chinese") << gbk("MP3→月亮代表我的心\r\nhttp://h/月亮.mp3\r\n")
                                     << QList<Song>{{"MP3→月亮代表我的心", "http://h/月亮.mp3"}};
        QTest::newRow("invalid GB18030 bytes")
            << QByteArray("a\x80\xff\r\nx\r\n")
            << QList<Song>{{QString::fromUtf8("a\xef\xbf\xbd\xef\xbf\xbd"), "x"}};
    }
    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<Song>, expected);
        const QList<Song> got = PlaylistFile::parse(bytes);
        QCOMPARE(got.size(), expected.size());
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].name.size(), expected[i].name.size());
            QCOMPARE(got[i], expected[i]);
        }
    }

    void everyCharacterSurvivesARoundTrip() {
        // Characters outside GBK too: GB18030 writes them all.
        const QList<Song> songs{{"MP3→月亮代表我的心", "http://h/a.mp3"},
                                {"RM.→€ 𝄞 한국어 ÿ", "rtsp://h/ÿ.rm"},
                                {"本地.→a", "file:///home/u/音乐/a.mp3"}};
        QCOMPARE(PlaylistFile::parse(PlaylistFile::serialize(songs)), songs);
    }

    void saveWritesExactBytes() {
        QTemporaryDir dir;
        SongList list;
        list.append(QList<Song>{{"a", "x"}, {"b", "y"}});
        QVERIFY(SavePlayList(list, dir.path()));
        QCOMPARE(readBytes(dir.filePath("播放列表.hdm")), QByteArray("a\r\nx\r\nb\r\ny\r\n"));
        SongList empty;
        QVERIFY(SavePlayList(empty, dir.path()));
        QCOMPARE(readBytes(dir.filePath("播放列表.hdm")), QByteArray());
    }

    void loadAppendsAndSelectsTheLastSong() {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("播放列表.hdm"), gbk("a\r\nx\r\n歌\r\ny\r\n")));
        SongList list;
        LoadPlayList(list, dir.path());
        QCOMPARE(list.songs(), (QList<Song>{{"a", "x"}, {"歌", "y"}}));
        QCOMPARE(list.selectedEntries(), QList<int>{1});
        SongList none;
        LoadPlayList(none, dir.filePath("nowhere"));
        QCOMPARE(none.count(), 0);
    }

    void aFileHoldingMoreThanIsLoadedIsKeptAsACopy_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("kept");
        QTest::newRow("as the program writes it") << gbk("歌\r\nhttp://h/1\r\n") << false;
        QTest::newRow("blank lines at the end") << QByteArray("a\r\nx\r\n  \r\n\r\n\n") << false;
        QTest::newRow("a name without a URL line") << QByteArray("a\r\nx\r\nb") << false;
        QTest::newRow("songs after a blank line") << QByteArray("a\r\nx\r\n\r\nb\r\ny\r\n") << true;
        QTest::newRow("bytes that are not GBK") << QByteArray("a\xff\r\nx\r\n") << true;
        QTest::newRow("more songs than the list takes")
            << QByteArray("n\r\nu\r\n").repeated(SongList::MaxEntries + 1) << true;
    }
    void aFileHoldingMoreThanIsLoadedIsKeptAsACopy() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath("播放列表.hdm");
        QVERIFY(writeBytes(path, bytes));
        SongList list;
        const QString copy = LoadPlayList(list, dir.path());
        QCOMPARE(!copy.isEmpty(), kept);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), kept ? 2 : 1);
        // The save at exit replaces the playlist; the copy keeps every byte of the old one.
        QVERIFY(SavePlayList(list, dir.path()));
        if (kept) {
            QVERIFY(QFileInfo(copy).fileName().startsWith("播放列表-原文件-"));
            QVERIFY(copy.endsWith(".hdm"));
            QCOMPARE(readBytes(copy), bytes);
            // What was saved loads whole: no further copy on the next start.
            SongList again;
            QCOMPARE(LoadPlayList(again, dir.path()), QString());
            QCOMPARE(again.songs(), list.songs());
        }
    }

    void badFilesLoadWithoutHarm_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxSongs");
        QByteArray binary(256 * 1024, '\0');
        auto *rng = QRandomGenerator::global();
        for (char &c : binary)
            c = static_cast<char>(rng->bounded(256));
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("binary garbage") << binary << SongList::MaxEntries;
        QTest::newRow("several MB on one line") << QByteArray(6 * 1024 * 1024, 'n') << 1;
        QTest::newRow("a name without a URL line") << QByteArray("only a name") << 1;
        QTest::newRow("only line ends") << QByteArray(100000, '\r') << 0;
        QTest::newRow("more than the list holds")
            << QByteArray("n\r\nu\r\n").repeated(SongList::MaxEntries + 50) << SongList::MaxEntries;
    }
    void badFilesLoadWithoutHarm() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxSongs);
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("播放列表.hdm"), bytes));
        SongList list;
        LoadPlayList(list, dir.path());
        QVERIFY(aligned(list));
        QVERIFY(list.count() <= maxSongs);
        if (maxSongs == 1 || maxSongs == 0)
            QCOMPARE(list.count(), maxSongs);
        // What was loaded is written back unchanged in content.
        QVERIFY(SavePlayList(list, dir.path()));
        SongList again;
        LoadPlayList(again, dir.path());
        QCOMPARE(again.songs(), list.songs());
    }

    void aFailedSaveKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("播放列表.hdm");
        QVERIFY(writeBytes(path, "old\r\nx\r\n"));
        SongList list;
        list.append(QList<Song>(500, Song{"new song", "http://h/new.mp3"}));
        // The disk fills up half way: a file size limit stands in for it, even for root.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved = SavePlayList(list, dir.path());
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!saved);
        QCOMPARE(readBytes(path), QByteArray("old\r\nx\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"播放列表.hdm"});
    }

    // The program killed at any moment while it saves: the playlist is the old list or the
    // new one, whole, every time.
    void aKillDuringTheSaveLeavesAWholePlaylist() {
        QTemporaryDir dir;
        constexpr int Songs = 20000;
        const QByteArray a = PlaylistFile::serialize(
            QList<Song>(Songs, Song{QStringLiteral("MP3→月亮"), QStringLiteral("http://a/1.mp3")}));
        const QByteArray b = PlaylistFile::serialize(
            QList<Song>(Songs, Song{QStringLiteral("RM.→小城"), QStringLiteral("rtsp://b/2.rm")}));
        QRandomGenerator rng(20261210);
        int kills = 0;
        for (int round = 0; round < 60; ++round) {
            QProcess saver;
            saver.start(QStringLiteral(TONAPLY_PLAYLIST_SAVER),
                        {dir.path(), QString::number(Songs)});
            QVERIFY(saver.waitForReadyRead(10000));
            QThread::usleep(rng.bounded(20000));
            saver.kill(); // SIGKILL
            QVERIFY(saver.waitForFinished(10000));
            kills += saver.exitStatus() == QProcess::CrashExit;
            const QByteArray kept = readBytes(dir.filePath("播放列表.hdm"));
            QVERIFY2(kept == a || kept == b,
                     qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(kept.size())));
        }
        QCOMPARE(kills, 60);
    }

    void exportWritesTheSelectedSongsOnly() {
        QTemporaryDir dir;
        SongList list;
        list.append(QList<Song>{{"n0", "u0"}, {"n1", "u1"}, {"n2", "u2"}, {"n3", "u3"}});
        list.setSelected(0, true);
        list.setSelected(2, true);
        FakeDialogs dialogs;
        const QString target = dir.filePath("out"); // used as typed: no extension added
        dialogs.fileAnswers.enqueue(target);
        ExportPlayList(list, dialogs);
        QCOMPARE(dialogs.fileFilters, QStringList{"*.hdm|*.hdm"});
        QCOMPARE(readBytes(target), QByteArray("n0\r\nu0\r\nn2\r\nu2\r\n"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void exportToAPlaceThatCannotBeWrittenSaysSo() {
        QTemporaryDir dir;
        SongList list;
        list.append(Song{"n", "u"});
        list.setSelected(0, true);
        FakeDialogs dialogs;
        const QString target = dir.filePath("no/such/folder/x.hdm");
        dialogs.fileAnswers.enqueue(target);
        ExportPlayList(list, dialogs);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Warning);
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("x.hdm")));
    }

    void importAppendsEachTimeAndCancelChangesNothing() {
        QTemporaryDir dir;
        const QString file = dir.filePath("歌单.hdm");
        QVERIFY(writeBytes(file, gbk("甲\r\nu1\r\n乙\r\nu2\r\n")));
        SongList list;
        list.append(Song{"p", "u"});
        FakeDialogs dialogs;
        dialogs.fileAnswers << file << file << QString() << dir.filePath("missing.hdm");
        ImportPlayList(list, dialogs);
        ImportPlayList(list, dialogs);
        QCOMPARE(list.count(), 5);
        QCOMPARE(list.name(4), QStringLiteral("乙"));
        QCOMPARE(list.selectedEntries(), QList<int>{4});
        ImportPlayList(list, dialogs); // cancelled
        ImportPlayList(list, dialogs); // a name that does not exist
        QCOMPARE(list.count(), 5);
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlaylistFile)
#include "tst_playlist_file.moc"
