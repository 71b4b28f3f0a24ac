// The singer albums and singer names: what an album adds to the playlist, what singer.txt
// offers, and the library window over a session of fakes.
#include "fakes/fake_session.h"
#include "lists/frm_music_library.h"
#include "lists/music_library.h"
#include "lists/song_list.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QStringEncoder>
#include <QTest>

namespace {
const QString Base = QStringLiteral("rtsp://albums.example/realmusicll/");

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray gbk(const QString &text) {
    QStringEncoder encode("GB18030");
    return encode(text);
}
} // namespace

class TestMusicLibrary : public QObject {
    Q_OBJECT
private slots:
    void anAlbumAppendsItsSongsAfterTheStreamingBase_data() {
        QTest::addColumn<QByteArray>("album");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("two songs")
            << gbk("MP3→甲\r\na/b.rm\r\nMP3→乙\r\nc/d.rm\r\n") << QStringList{"MP3→甲", "MP3→乙"}
            << QStringList{Base + "a/b.rm", Base + "c/d.rm"};
        QTest::newRow("third line empty") << gbk("MP3→甲\r\na/b.rm\r\n\r\nMP3→乙\r\nc/d.rm\r\n")
                                          << QStringList{"MP3→甲"} << QStringList{Base + "a/b.rm"};
        QTest::newRow("first line empty")
            << gbk("\r\nMP3→甲\r\na/b.rm\r\n") << QStringList{} << QStringList{};
        QTest::newRow("ends after a name")
            << gbk("MP3→甲\r\na/b.rm\r\nMP3→乙") << QStringList{"MP3→甲", "MP3→乙"}
            << QStringList{Base + "a/b.rm", Base};
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QStringList{};
    }
    void anAlbumAppendsItsSongsAfterTheStreamingBase() {
        QFETCH(QByteArray, album);
        QFETCH(QStringList, names);
        QFETCH(QStringList, urls);
        QTemporaryDir dir;
        writeFile(dir.filePath("a.hdm"), album);
        SongList list;
        list.append(Song{"MP3→旧", "http://h/old"});
        list.setSelected(0, true);
        MusicLibrary::InputSong(dir.filePath("a.hdm"), list, Base);
        QCOMPARE(list.count(), 1 + names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(list.name(i + 1), names[i]);
            QCOMPARE(list.url(i + 1), urls[i]);
        }
        // The last entry is the only one selected, also when nothing was added.
        QCOMPARE(list.selectedEntries(), QList<int>{list.count() - 1});
    }

    void aMissingOrBinaryAlbumKeepsTheListsWhole() {
        QTemporaryDir dir;
        SongList list;
        list.append(Song{"MP3→旧", "http://h/old"});
        MusicLibrary::InputSong(dir.filePath("missing.hdm"), list, Base);
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.selectedEntries(), QList<int>{0});
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary += static_cast<char>((i * 7919) % 256);
        writeFile(dir.filePath("binary.hdm"), binary);
        MusicLibrary::InputSong(dir.filePath("binary.hdm"), list, Base);
        for (int i = 1; i < list.count(); ++i)
            QVERIFY(list.url(i).startsWith(Base));
        // The same album twice appends it twice.
        writeFile(dir.filePath("a.hdm"), gbk("MP3→甲\r\na.rm\r\n"));
        const int before = list.count();
        MusicLibrary::InputSong(dir.filePath("a.hdm"), list, Base);
        MusicLibrary::InputSong(dir.filePath("a.hdm"), list, Base);
        QCOMPARE(list.count(), before + 2);
    }

    void singerNamesComeLineByLineUnchanged_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("second empty")
            << gbk("陈嘉怡\r\n\r\n 林小雨 \r\n") << QStringList{"陈嘉怡", "", " 林小雨 "};
        QTest::newRow("no last line end") << gbk("陈嘉怡\r\nABBA") << QStringList{"陈嘉怡", "ABBA"};
        QTest::newRow("lone CR and LF") << gbk("甲\r乙\n丙") << QStringList{"甲", "乙", "丙"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("not GBK") << QByteArray("\xff\xff\r\nok\r\n", 6)
                                 << QStringList{QString(2, QChar(0xFFFD)), "ok"};
    }
    void singerNamesComeLineByLineUnchanged() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        writeFile(dir.filePath("singer.txt"), file);
        QCOMPARE(MusicLibrary::LoadSingerList(dir.path()), names);
        QTemporaryDir none;
        QCOMPARE(MusicLibrary::LoadSingerList(none.path()), QStringList());
    }

    void theWindowListsTheAlbumsAndADoubleClickAddsOne() {
        FakeSession fakes;
        QDir(fakes.folder.path()).mkdir("music");
        writeFile(fakes.folder.filePath("music/乙.hdm"), gbk("MP3→乙\r\nb.rm\r\n"));
        writeFile(fakes.folder.filePath("music/甲.hdm"),
                  gbk("MP3→甲1\r\na1.rm\r\nMP3→甲2\r\na2.rm\r\n"));
        writeFile(fakes.folder.filePath("music/说明.txt"), "not an album");
        Session &session = fakes.make();
        frmMusicLibrary window(session);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tonaply - 歌库"));
        QCOMPARE(window.filMusicLib->count(), 2);
        QListWidgetItem *jia = window.filMusicLib->findItems("甲.hdm", Qt::MatchExactly).value(0);
        QVERIFY(jia);
        window.filMusicLib_DblClick(jia);
        QCOMPARE(session.playList().count(), 2);
        QCOMPARE(session.playList().url(1), session.StreamBaseUrl() + "a2.rm");
    }

    void aMissingAlbumFolderShowsAnEmptyList() {
        FakeSession fakes;
        frmMusicLibrary window(fakes.make());
        QCOMPARE(window.filMusicLib->count(), 0);
    }
};

QTEST_MAIN(TestMusicLibrary)
#include "tst_music_library.moc"
