// Songs handed out of a list: the download dialog, the download manager, the lyrics search,
// and the file names downloads are saved under.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_downloads.h"
#include "fakes/fake_shell.h"
#include "lists/download_name.h"
#include "lists/song_hand_off.h"
#include "lists/song_list.h"

#include <QTest>

namespace {
const QString Maker = QStringLiteral("http://maker.example/");
const QString Site = QStringLiteral("http://lyrics.example");

void fill(SongList &list, int n) {
    for (int i = 0; i < n; ++i)
        list.append(
            Song{QStringLiteral("MP3→歌%1").arg(i), QStringLiteral("http://h/%1.mp3").arg(i)});
}
} // namespace

class TestSongHandOff : public QObject {
    Q_OBJECT
private slots:
    void oneSelectedSongGoesToAddUrl() {
        SongList list;
        list.append(Song{QStringLiteral("MP3→月亮代表我的心"), QStringLiteral("http://h/u.mp3")});
        list.setSelected(0, true);
        list.setCurrentEntry(0);
        FakeDownloadManager manager;
        FakeDialogs dialogs;
        SongHandOff::DownloadByFlashGet(list, manager, dialogs, Maker);
        QCOMPARE(manager.addUrlCalls,
                 QList<QStringList>({{"http://h/u.mp3", QString(), "月亮代表我的心"}}));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void severalSelectedSongsGoInOneListInListOrder() {
        SongList list;
        fill(list, 5);
        for (int i : {3, 0, 2})
            list.setSelected(i, true);
        FakeDownloadManager manager;
        FakeDialogs dialogs;
        SongHandOff::DownloadByFlashGet(list, manager, dialogs, Maker);
        QCOMPARE(manager.addUrlListCalls,
                 QList<QStringList>({{Maker, "http://h/0.mp3", "歌0", "http://h/2.mp3", "歌2",
                                      "http://h/3.mp3", "歌3"}}));
        QVERIFY(manager.addUrlCalls.isEmpty());
    }

    void failuresSayTheManagerIsMissingAndHandNothingOver_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("accepts");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("shortName");
        QTest::addColumn<int>("handed");
        QTest::newRow("not installed") << false << true << QList<int>{1} << false << 0;
        QTest::newRow("refuses one") << true << false << QList<int>{1} << false << 1;
        QTest::newRow("refuses a list") << true << false << QList<int>{0, 1} << false << 1;
        QTest::newRow("name without marker, one") << true << true << QList<int>{2} << true << 0;
        QTest::newRow("name without marker, list") << true << true << QList<int>{0, 2} << true << 0;
    }
    void failuresSayTheManagerIsMissingAndHandNothingOver() {
        QFETCH(bool, installed);
        QFETCH(bool, accepts);
        QFETCH(QList<int>, selected);
        QFETCH(bool, shortName);
        QFETCH(int, handed);
        SongList list;
        fill(list, 2);
        list.append(Song{shortName ? QStringLiteral("短") : QStringLiteral("MP3→歌2"),
                         QStringLiteral("http://h/2")});
        for (int i : selected)
            list.setSelected(i, true);
        list.setCurrentEntry(selected.last());
        FakeDownloadManager manager;
        manager.installed = installed;
        manager.accepts = accepts;
        FakeDialogs dialogs;
        SongHandOff::DownloadByFlashGet(list, manager, dialogs, Maker);
        QCOMPARE(manager.addUrlCalls.size() + manager.addUrlListCalls.size(), handed);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("错误！您的电脑上可能没有安装网际快车。"));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Information);
    }

    void nothingSelectedHandsNothingAndSaysNothing() {
        SongList list;
        fill(list, 3);
        list.setCurrentEntry(1);
        FakeDownloadManager manager;
        FakeDialogs dialogs;
        SongHandOff::DownloadByFlashGet(list, manager, dialogs, Maker);
        QVERIFY(manager.addUrlCalls.isEmpty() && manager.addUrlListCalls.isEmpty());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void theCurrentEntryIsDownloadedEvenWhenAnotherIsSelected() {
        SongList list;
        fill(list, 3);
        list.setSelected(0, true);
        list.setCurrentEntry(2);
        FakeDownloadDialog dialog;
        SongHandOff::DownloadSong(list, dialog);
        QCOMPARE(dialog.asked.size(), 1);
        QCOMPARE(dialog.asked[0].url, QStringLiteral("http://h/2.mp3"));
        QCOMPARE(dialog.asked[0].title, QStringLiteral("歌2"));
        SongList empty;
        SongHandOff::DownloadSong(empty, dialog);
        QCOMPARE(dialog.asked.size(), 1);
    }

    void lyricsSearch_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("opened");
        QTest::newRow("as offered")
            << "月亮" << Site + "/m?rn=10&tn=baidump3lyric&ct=150994944&word=月亮";
        QTest::newRow("blanks kept")
            << " 月亮 " << Site + "/m?rn=10&tn=baidump3lyric&ct=150994944&word= 月亮 ";
        QTest::newRow("blanks only") << "   " << QString();
        QTest::newRow("cancelled") << QString() << QString();
    }
    void lyricsSearch() {
        QFETCH(QString, answer);
        QFETCH(QString, opened);
        SongList list;
        list.append(Song{QStringLiteral("本地.→月亮"), QStringLiteral("/music/月亮.mp3")});
        list.setCurrentEntry(0);
        FakeClipboard clipboard;
        FakeDialogs dialogs;
        FakeShell shell;
        dialogs.inputAnswers.enqueue(answer);
        SongHandOff::SearchSongWord(list, clipboard, dialogs, shell, Site + "/");
        QCOMPARE(dialogs.prompts, QStringList{"对搜索关键字做点修改可以提高搜索命中率："});
        // The title is offered and stays on the clipboard, whatever the answer.
        QCOMPARE(clipboard.text, QStringLiteral("月亮"));
        QCOMPARE(shell.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
    }

    void fileNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");
        QTest::newRow("title and extension") << "月亮代表我的心"
                                             << "http://h/a/yl.mp3?x=1"
                                             << "月亮代表我的心.mp3";
        QTest::newRow("no extension") << "歌"
                                      << "http://h/play"
                                      << "歌";
        QTest::newRow("slash and nul") << QStringLiteral("a/b") + QChar(0) + "c"
                                       << "http://h/x.rm"
                                       << "a_b_c.rm";
        QTest::newRow("leading dots") << "..hidden"
                                      << "http://h/x.mp3"
                                      << "hidden.mp3";
        QTest::newRow("dot dot") << ".."
                                 << "http://h/x"
                                 << "歌曲";
        QTest::newRow("nothing left") << "  "
                                      << "http://h/x.wma"
                                      << "歌曲.wma";
        QTest::newRow("extension once") << "song.mp3"
                                        << "http://h/x.mp3"
                                        << "song.mp3";
        QTest::newRow("odd extension dropped") << "歌"
                                               << "http://h/x.a$b"
                                               << "歌";
    }
    void fileNames() {
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(QString, name);
        QCOMPARE(DownloadName::FileNameFor(title, url), name);
    }

    void longNamesAreCutToWholeCharactersKeepingTheExtension() {
        const QString name = DownloadName::FileNameFor(
            QString(200, QChar(0x6708)) + QStringLiteral("😀"), "http://h/x.mp3");
        QVERIFY(name.toUtf8().size() <= 255);
        QVERIFY(name.endsWith(QStringLiteral(".mp3")));
        QVERIFY(name.startsWith(QChar(0x6708)));
        QVERIFY(!name.at(name.size() - 5).isHighSurrogate());
    }
};

QTEST_GUILESS_MAIN(TestSongHandOff)
#include "tst_song_hand_off.moc"
