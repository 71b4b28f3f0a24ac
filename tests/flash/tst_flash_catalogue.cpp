// The Flash gallery's catalogue: the ten categories and their files, how a file becomes list
// entries and where the selection goes, and the update that fetches the files from the data
// server (first opening, forced update, server down, a file failing on the way).
#include "fakes/fake_dialogs.h"
#include "fakes/fake_transfer.h"
#include "flash/flash_catalogue.h"
#include "flash/flash_update.h"
#include "lists/song_list.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Data = QStringLiteral("http://data.example/");

QByteArray gbk(const QString &text) {
    QStringEncoder encode("GB18030");
    return encode(text);
}

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList names(const SongList &list) {
    QStringList out;
    for (const Song &s : list.songs())
        out << s.name;
    return out;
}
} // namespace

class TestFlashCatalogue : public QObject {
    Q_OBJECT
private slots:
    void categoriesNameTheirFiles() {
        const auto &c = FlashCatalogue::Categories();
        QCOMPARE(c.size(), 10);
        QCOMPARE(c[FlashCatalogue::FirstShownCategory].text, QStringLiteral("精彩动漫-游戏类"));
        QCOMPARE(FlashCatalogue::FileOf(QStringLiteral("精彩动漫-广告类")),
                 QStringLiteral("guanggao.dh"));
        QCOMPARE(FlashCatalogue::FileOf(QStringLiteral("精彩动漫-专辑类")),
                 QStringLiteral("zhuanji.dh"));
        QCOMPARE(FlashCatalogue::FileOf(QStringLiteral("精彩动漫-专辑类 ")), QString());
        QCOMPARE(FlashCatalogue::FetchOrder().size(), 10);
        QCOMPARE(FlashCatalogue::ServerFileUrl(Data, "youxi.dh"),
                 QStringLiteral("http://data.example/flash/youxi.dh"));
    }

    void entriesPairNamesWithUrlsToTheEnd_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("two entries") << "A\r\nu1.swf\r\nB\r\nu2.swf\r\n"
                                     << QStringList{"→A", "→B"} << QStringList{"u1.swf", "u2.swf"};
        QTest::newRow("empty file") << "" << QStringList{} << QStringList{};
        QTest::newRow("empty lines are read like others")
            << "\r\nu1\r\nB\r\n\r\n"
            << QStringList{"→", "→B"} << QStringList{"u1", ""};
        QTest::newRow("text ending in an empty line")
            << "A\r\nu1\r\n\r\n"
            << QStringList{"→A", "→"} << QStringList{"u1", "→"};
        QTest::newRow("name without its URL line")
            << "A\r\nu1\r\n B " << QStringList{"→A", "→ B "} << QStringList{"u1", "→ B "};
        QTest::newRow("lone CR ends a line, lone LF does not")
            << "A\rB\nC\r\nu" << QStringList{"→A", "→u"} << QStringList{"B\nC", "→u"};
    }
    void entriesPairNamesWithUrlsToTheEnd() {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QFETCH(QStringList, urls);
        QStringList gotNames, gotUrls;
        for (const Song &s : FlashCatalogue::Entries(text)) {
            gotNames << s.name;
            gotUrls << s.url;
        }
        QCOMPARE(gotNames, names);
        QCOMPARE(gotUrls, urls);
    }

    // A category goes below what is listed; the selection follows the newest entry, so the
    // entry that was last loses its mark and the others keep theirs.
    void categoriesAppendAndTheNewestIsSelected() {
        SongList list;
        FlashCatalogue::AppendCategory("G1\r\ng1\r\nG2\r\ng2\r\n", list);
        QCOMPARE(names(list), QStringList({"→G1", "→G2"}));
        QCOMPARE(list.selectedEntries(), QList<int>{1});
        QCOMPARE(list.currentEntry(), 1);
        list.setSelected(0, true);
        FlashCatalogue::AppendCategory("A1\r\na1\r\n", list);
        QCOMPARE(names(list), QStringList({"→G1", "→G2", "→A1"}));
        QCOMPARE(list.selectedEntries(), QList<int>({0, 2}));
        FlashCatalogue::AppendCategory("", list);
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.selectedEntries(), QList<int>({0, 2}));

        QString big;
        for (int i = 0; i < 20000; ++i)
            big += QStringLiteral("动画%1\r\nhttp://h/%1.swf\r\n").arg(i);
        SongList large;
        FlashCatalogue::AppendCategory(big, large);
        QCOMPARE(large.count(), 20000);
        QCOMPARE(large.selectedEntries(), QList<int>{19999});
    }

    void selectLastEntry_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("empty list") << 0 << QList<int>{} << QList<int>{};
        QTest::newRow("one entry") << 1 << QList<int>{} << QList<int>{0};
        QTest::newRow("entry before the last loses its mark")
            << 3 << QList<int>{0, 1} << QList<int>{0, 2};
        QTest::newRow("others keep theirs") << 3 << QList<int>{0} << QList<int>{0, 2};
    }
    void selectLastEntry() {
        QFETCH(int, count);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, after);
        SongList list;
        for (int i = 0; i < count; ++i)
            list.append(Song{QString::number(i), QString()});
        for (int i : selected)
            list.setSelected(i, true);
        FlashCatalogue::SelectLastEntry(list);
        QCOMPARE(list.selectedEntries(), after);
    }

    void theConnectionTestWantsSwf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("answered");
        QTest::newRow("a catalogue") << "A\r\nhttp://h/a.swf\r\n" << true;
        QTest::newRow("anywhere") << "x.swf" << true;
        QTest::newRow("capitals") << "A\r\nhttp://h/a.SWF" << false;
        QTest::newRow("error page") << "<html>404</html>" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void theConnectionTestWantsSwf() {
        QFETCH(QString, text);
        QFETCH(bool, answered);
        QCOMPARE(FlashCatalogue::ServerAnswered(text), answered);
    }

    // The first opening: the folder made, the server tested, then the ten files fetched in
    // their order and written trimmed with CR LF, in GBK.
    void theFirstOpeningFetchesTheTenFiles() {
        QTemporaryDir app;
        const QString folder = FlashCatalogue::FlashFolder(app.path());
        FakeTransferFactory network;
        FakeDialogs dialogs;
        FlashUpdate update(network, dialogs, Data, folder);
        QSignalSpy finished(&update, &FlashUpdate::finished);
        update.start(false);
        QVERIFY(QDir(folder).exists());
        FakeTransfer *t = network.last();
        t->answer(QStringLiteral("  广告\r\nhttp://h/a.swf  "));
        for (const QString &file : FlashCatalogue::FetchOrder())
            t->answer(QStringLiteral("  %1\r\nhttp://h/%1.swf\r\n ").arg(file));
        QStringList expected{Data + "flash/guanggao.dh"};
        for (const QString &file : FlashCatalogue::FetchOrder())
            expected << Data + "flash/" + file;
        QCOMPARE(t->requested, expected);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toBool(), true);
        QCOMPARE(fileBytes(folder + "/youxi.dh"),
                 gbk(QStringLiteral("youxi.dh\r\nhttp://h/youxi.dh.swf\r\n\r\n")));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 10);
        QVERIFY(dialogs.messages.isEmpty());

        // With the marker there, nothing is fetched unless forced.
        FlashUpdate again(network, dialogs, Data, folder);
        QSignalSpy done(&again, &FlashUpdate::finished);
        const qsizetype made = network.made.size();
        again.start(false);
        QCOMPARE(done.size(), 1);
        QCOMPARE(network.made.size(), made);
    }

    // The server down: the message; at the first opening the folder made for nothing goes
    // again, but a folder holding files is never touched, and a forced update leaves every
    // file as it was. A file that fails on the way keeps its previous text.
    void failuresKeepWhatIsThere_data() {
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("otherFile");
        QTest::newRow("first opening, empty folder") << false << false;
        QTest::newRow("first opening, a stranger's file") << false << true;
        QTest::newRow("forced update") << true << true;
    }
    void failuresKeepWhatIsThere() {
        QFETCH(bool, force);
        QFETCH(bool, otherFile);
        QTemporaryDir app;
        const QString folder = FlashCatalogue::FlashFolder(app.path());
        if (otherFile) {
            QDir().mkpath(folder);
            QFile f(folder + (force ? "/guanggao.dh" : "/notes.txt"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("kept\r\n");
        }
        FakeTransferFactory network;
        FakeDialogs dialogs;
        FlashUpdate update(network, dialogs, Data, folder);
        QSignalSpy finished(&update, &FlashUpdate::finished);
        update.start(force);
        network.last()->fail();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("无法连接上远程服务器以获取数据！"));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Warning);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toBool(), false);
        QCOMPARE(network.last()->requested.size(), 1);
        QCOMPARE(QDir(folder).exists(), otherFile);
        if (force)
            QCOMPARE(fileBytes(folder + "/guanggao.dh"), QByteArray("kept\r\n"));
    }

    void aFileFailingOnTheWayKeepsItsText() {
        QTemporaryDir app;
        const QString folder = FlashCatalogue::FlashFolder(app.path());
        QDir().mkpath(folder);
        QFile old(folder + "/duanpian.dh");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\nold.swf\r\n");
        old.close();
        FakeTransferFactory network;
        FakeDialogs dialogs;
        FlashUpdate update(network, dialogs, Data, folder);
        QSignalSpy finished(&update, &FlashUpdate::finished);
        update.start(true);
        FakeTransfer *t = network.last();
        t->answer("a.swf");
        for (const QString &file : FlashCatalogue::FetchOrder()) {
            if (file == QStringLiteral("duanpian.dh"))
                t->fail();
            else
                t->answer("n\r\nn.swf");
        }
        QCOMPARE(finished.size(), 1);
        QCOMPARE(fileBytes(folder + "/duanpian.dh"), QByteArray("old\r\nold.swf\r\n"));
        QCOMPARE(fileBytes(folder + "/zhuanji.dh"), QByteArray("n\r\nn.swf\r\n"));
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFlashCatalogue)
#include "tst_flash_catalogue.moc"
