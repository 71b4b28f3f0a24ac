#include "fakes/fake_dialogs.h"
#include "lists/list_commands.h"
#include "lists/song_list.h"

#include <QTest>

using namespace ListCommands;

namespace {
QList<Song> songs(const QStringList &names) {
    QList<Song> out;
    for (const QString &n : names)
        out.append({n, QStringLiteral("http://h/") + n});
    return out;
}

QStringList names(const SongList &list) {
    QStringList out;
    for (const Song &s : list.songs()) {
        out.append(s.name);
        if (s.url != QStringLiteral("http://h/") + s.name)
            out.append(QStringLiteral("<misaligned>"));
    }
    return out;
}

void select(SongList &list, const QList<int> &rows) {
    list.clearSelection();
    for (int r : rows)
        list.setSelected(r, true);
}
} // namespace

class TestListCommands : public QObject {
    Q_OBJECT
private slots:
    void addToPlayListAppendsTheSelectedSongsAndSelectsTheLast() {
        SongList search, play;
        search.append(songs({"s0", "s1", "s2", "s3"}));
        play.append(songs({"p0", "s1"}));
        select(play, {0});
        select(search, {1, 3});
        AddToPlayList(search, play);
        QCOMPARE(names(play), (QStringList{"p0", "s1", "s1", "s3"}));
        QCOMPARE(play.selectedEntries(), QList<int>{3});
        QCOMPARE(search.selectedEntries(), (QList<int>{1, 3}));

        search.clearSelection();
        AddToPlayList(search, play);
        QCOMPARE(play.count(), 4);
    }

    void addToAFullPlayListSkipsTheRest() {
        SongList search, play;
        play.append(QList<Song>(SongList::MaxEntries - 1, Song{"p", "http://h/p"}));
        search.append(songs({"a", "b"}));
        select(search, {0, 1});
        AddToPlayList(search, play);
        QCOMPARE(play.count(), SongList::MaxEntries);
        QCOMPARE(play.name(SongList::MaxEntries - 1), QStringLiteral("a"));
        QCOMPARE(play.selectedEntries(), QList<int>{SongList::MaxEntries - 1});
    }

    void deleteAsksThenRemovesExactlyTheSelected_data() {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("left");
        const QStringList all{"a", "b", "c", "d", "e", "f"};
        QTest::newRow("0, 2, 5 on OK") << QList<int>{0, 2, 5} << true << QStringList{"b", "d", "e"};
        QTest::newRow("Cancel removes nothing") << QList<int>{0, 2, 5} << false << all;
        QTest::newRow("nothing selected") << QList<int>{} << true << all;
    }
    void deleteAsksThenRemovesExactlyTheSelected() {
        QFETCH(QList<int>, selected);
        QFETCH(bool, answer);
        QFETCH(QStringList, left);
        SongList list;
        list.append(songs({"a", "b", "c", "d", "e", "f"}));
        select(list, selected);
        FakeDialogs dialogs;
        dialogs.confirmAnswers.enqueue(answer);
        DeleteSelectedSongs(list, dialogs);
        QCOMPARE(dialogs.questions,
                 QStringList{QStringLiteral("要删除选定的歌曲，您真的确定吗？")});
        QCOMPARE(names(list), left);
    }

    void deleteUsesTheMarksAsTheyAreAfterTheQuestion() {
        SongList list;
        list.append(songs({"a", "b"}));
        select(list, {0});
        FakeDialogs dialogs;
        dialogs.confirmAnswers.enqueue(true);
        // A search result arrives while the question is open.
        dialogs.duringConfirm = [&] { list.append(Song{"new", "http://h/new"}); };
        DeleteSelectedSongs(list, dialogs);
        QCOMPARE(names(list), (QStringList{"b", "new"}));
    }

    void moveSongUpAndDown_data() {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QList<int>>("selectedAfter");
        const QStringList all{"a", "b", "c", "d", "e"};
        QTest::newRow("up from 3")
            << true << 3 << QStringList{"a", "b", "d", "c", "e"} << QList<int>{1, 2};
        QTest::newRow("up from first") << true << 0 << all << QList<int>{1, 3};
        QTest::newRow("up, no current") << true << -1 << all << QList<int>{1, 3};
        QTest::newRow("down from 1")
            << false << 1 << QStringList{"a", "c", "b", "d", "e"} << QList<int>{2, 3};
        QTest::newRow("down from last") << false << 4 << all << QList<int>{1, 3};
    }
    void moveSongUpAndDown() {
        QFETCH(bool, up);
        QFETCH(int, current);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, selectedAfter);
        SongList list;
        list.append(songs({"a", "b", "c", "d", "e"}));
        select(list, {1, 3});
        list.setCurrentEntry(current);
        up ? MoveSongUp(list) : MoveSongDown(list);
        QCOMPARE(names(list), after);
        QCOMPARE(list.selectedEntries(), selectedAfter);
    }

    void pressingUpAgainMovesTheSameSongFurther() {
        SongList list;
        list.append(songs({"a", "b", "c"}));
        select(list, {2});
        list.setCurrentEntry(2);
        MoveSongUp(list);
        MoveSongUp(list);
        QCOMPARE(names(list), (QStringList{"c", "a", "b"}));
        QCOMPARE(list.selectedEntries(), QList<int>{0});
    }

    void copyingDropsTheTypeMarker_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("copiedName");
        QTest::addColumn<QString>("copiedUrl");
        QTest::newRow("MP3") << "MP3→月亮代表我的心" << 0 << "月亮代表我的心"
                             << "http://h/MP3→月亮代表我的心";
        QTest::newRow("local") << "本地.→song.mp3" << 0 << "song.mp3"
                               << "http://h/本地.→song.mp3";
        QTest::newRow("short name") << "RM." << 0 << ""
                                    << "http://h/RM.";
        QTest::newRow("no current") << "MP3→x" << -1 << ""
                                    << "";
    }
    void copyingDropsTheTypeMarker() {
        QFETCH(QString, name);
        QFETCH(int, current);
        QFETCH(QString, copiedName);
        QFETCH(QString, copiedUrl);
        SongList list;
        list.append(songs({name}));
        list.setCurrentEntry(current);
        FakeClipboard clipboard;
        CopySongName(list, clipboard);
        QCOMPARE(clipboard.text, copiedName);
        CopySongUrl(list, clipboard);
        QCOMPARE(clipboard.text, copiedUrl);
    }

    void findInList_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("closing");
        QTest::newRow("three hits, OK OK OK")
            << "MP3" << QList<bool>{true, true, true} << QList<int>{0, 2, 3} << 3
            << "当前列表查找已经完毕！";
        QTest::newRow("cancel at the first hit")
            << "MP3" << QList<bool>{false} << QList<int>{0} << 1 << "";
        QTest::newRow("case-sensitive")
            << "mp3" << QList<bool>{} << QList<int>{} << 0 << "不好意思，没有找到哦。";
        QTest::newRow("spaces are part of the keyword")
            << " 心" << QList<bool>{true} << QList<int>{2} << 1 << "当前列表查找已经完毕！";
        QTest::newRow("spaces only") << "   " << QList<bool>{} << QList<int>{4} << 0 << "";
        QTest::newRow("cancelled input") << "" << QList<bool>{} << QList<int>{4} << 0 << "";
    }
    void findInList() {
        QFETCH(QString, keyword);
        QFETCH(QList<bool>, answers);
        QFETCH(QList<int>, selected);
        QFETCH(int, questions);
        QFETCH(QString, closing);
        SongList list;
        list.append(songs({"MP3→月亮", "RM.→小城故事", "MP3→甜蜜 心", "MP3→心", "本地.→a"}));
        select(list, {4});
        FakeDialogs dialogs;
        dialogs.inputAnswers.enqueue(keyword);
        for (bool a : answers)
            dialogs.confirmAnswers.enqueue(a);
        QList<bool> enabledAtQuestion;
        bool enabled = true;
        dialogs.duringConfirm = [&] { enabledAtQuestion.append(enabled); };
        FindInList(list, dialogs, [&](bool on) { enabled = on; });
        QCOMPARE(dialogs.prompts.size(), 1);
        QCOMPARE(list.selectedEntries(), selected);
        QCOMPARE(dialogs.questions.size(), questions);
        QCOMPARE(enabledAtQuestion, QList<bool>(questions, true));
        QVERIFY(enabled);
        if (closing.isEmpty()) {
            QVERIFY(dialogs.messages.isEmpty());
        } else {
            QCOMPARE(dialogs.messages.size(), 1);
            QCOMPARE(dialogs.messages[0].text, closing);
            QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Information);
        }
    }

    void findInAnEmptyListAsksNothing() {
        SongList list;
        FakeDialogs dialogs;
        FindInList(list, dialogs);
        QVERIFY(dialogs.prompts.isEmpty());
    }

    void findKeepsToTheEntriesThereAtItsStart() {
        SongList list;
        list.append(songs({"MP3→a"}));
        FakeDialogs dialogs;
        dialogs.inputAnswers.enqueue("MP3");
        dialogs.confirmAnswers.enqueue(true);
        dialogs.duringConfirm = [&] { list.append(Song{"MP3→late", "http://h/MP3→late"}); };
        FindInList(list, dialogs);
        QCOMPARE(list.selectedEntries(), QList<int>{0});
        QCOMPARE(dialogs.questions.size(), 1);
    }

    void selectLastSongLeavesOnlyTheLastSelected_data() {
        QTest::addColumn<QList<int>>("before");
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("the one before the last") << QList<int>{3};
        QTest::newRow("one elsewhere") << QList<int>{1};
        QTest::newRow("the last itself") << QList<int>{4};
        QTest::newRow("several") << QList<int>{0, 2, 4};
    }
    void selectLastSongLeavesOnlyTheLastSelected() {
        QFETCH(QList<int>, before);
        SongList list;
        list.append(songs({"a", "b", "c", "d", "e"}));
        select(list, before);
        SelectLastSong(list);
        QCOMPARE(list.selectedEntries(), QList<int>{4});
        SongList empty;
        SelectLastSong(empty);
        QCOMPARE(empty.selectedCount(), 0);
    }

    void countText_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << 0 << "↓ 000000首";
        QTest::newRow("123") << 123 << "↓ 000123首";
        QTest::newRow("full") << 32767 << "↓ 032767首";
    }
    void countText() {
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(PlayListCountText(count), text);
    }
};

QTEST_GUILESS_MAIN(TestListCommands)
#include "tst_list_commands.moc"
