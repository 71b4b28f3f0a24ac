#include "lists/song_list.h"

#include <QSignalSpy>
#include <QTest>

namespace {
void fill(SongList &list, int n) {
    QList<Song> songs;
    for (int i = 0; i < n; ++i)
        songs.append({QStringLiteral("MP3→歌%1").arg(i), QStringLiteral("http://h/%1.mp3").arg(i)});
    list.append(songs);
}
} // namespace

class TestSongList : public QObject {
    Q_OBJECT
private slots:
    void additionsBeyondTheLimitAreSkipped() {
        SongList list;
        fill(list, SongList::MaxEntries - 1);
        QVERIFY(list.append(Song{QStringLiteral("last"), QStringLiteral("u")}));
        QVERIFY(!list.append(Song{QStringLiteral("over"), QStringLiteral("v")}));
        QCOMPARE(list.append(QList<Song>{{QStringLiteral("a"), QStringLiteral("b")}}), 0);
        QCOMPARE(list.count(), SongList::MaxEntries);
        QCOMPARE(list.name(SongList::MaxEntries - 1), QStringLiteral("last"));
        QCOMPARE(list.url(SongList::MaxEntries - 1), QStringLiteral("u"));
    }

    void aBatchIsCutAtTheLimit() {
        SongList list;
        fill(list, SongList::MaxEntries - 2);
        QCOMPARE(list.append(QList<Song>(5, Song{QStringLiteral("n"), QStringLiteral("u")})), 2);
        QCOMPARE(list.count(), SongList::MaxEntries);
    }

    void removingScatteredEntriesKeepsNamesUrlsMarksAndFocusTogether_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("step"); // every step-th entry is removed
        QTest::newRow("few runs") << 20 << 5;
        QTest::newRow("many runs") << 4000 << 2;
    }
    void removingScatteredEntriesKeepsNamesUrlsMarksAndFocusTogether() {
        QFETCH(int, size);
        QFETCH(int, step);
        SongList list;
        fill(list, size);
        QList<int> doomed;
        for (int i = 0; i < size; i += step)
            doomed.append(i);
        list.setSelected(1, true); // survives
        list.setSelected(3, true); // survives
        list.setCurrentEntry(3);
        list.removeEntries(doomed);
        QCOMPARE(list.count(), size - static_cast<int>(doomed.size()));
        for (int i = 0; i < list.count(); ++i) {
            const QString n = list.name(i).mid(5);
            QCOMPARE(list.url(i), QStringLiteral("http://h/%1.mp3").arg(n));
            QVERIFY(n.toInt() % step != 0);
        }
        const auto at = [&](int original) {
            for (int i = 0; i < list.count(); ++i)
                if (list.name(i) == QStringLiteral("MP3→歌%1").arg(original))
                    return i;
            return -1;
        };
        QCOMPARE(list.selectedEntries(), (QList<int>{at(1), at(3)}));
        QCOMPARE(list.currentEntry(), at(3));
    }

    void exchangingEntriesLeavesTheMarksInPlace() {
        SongList list;
        fill(list, 3);
        list.setSelected(0, true);
        QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
        list.exchange(0, 2);
        QCOMPARE(list.name(0), QStringLiteral("MP3→歌2"));
        QCOMPARE(list.url(2), QStringLiteral("http://h/0.mp3"));
        QCOMPARE(list.selectedEntries(), QList<int>{0});
        QCOMPARE(changed.count(), 1);
        list.exchange(0, 7); // out of range: nothing
        QCOMPARE(list.name(0), QStringLiteral("MP3→歌2"));
    }

    void aHugeNameIsShownCutButKeptWhole() {
        SongList list;
        const QString huge(3 * 1024 * 1024, QLatin1Char('x'));
        list.append(Song{huge, QString()});
        QVERIFY(list.data(list.index(0)).toString().size() < 4096);
        QCOMPARE(list.name(0).size(), huge.size());
    }
};

QTEST_GUILESS_MAIN(TestSongList)
#include "tst_song_list.moc"
