// The channel catalogues: how their text becomes the channel list, which files each window
// fetches, and what the windows' commands hand to the player, the desktop and the download
// manager.
#include "app/net/fetch_texts.h"
#include "channels/channel_catalogue.h"
#include "channels/channel_commands.h"
#include "fakes/fake_downloads.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_stream_player.h"
#include "fakes/fake_transfer.h"
#include "lists/song_list.h"

#include <QSignalSpy>
#include <QTest>

using ChannelCatalogue::Kind;
Q_DECLARE_METATYPE(Kind)

namespace {
QStringList names(const QList<Song> &entries) {
    QStringList out;
    for (const Song &s : entries)
        out << s.name;
    return out;
}
QStringList urls(const QList<Song> &entries) {
    QStringList out;
    for (const Song &s : entries)
        out << s.url;
    return out;
}
} // namespace

class TestChannelCatalogue : public QObject {
    Q_OBJECT
private slots:
    void linesEndAtCrLfAndLoneCrButNotAtLoneLf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{""};
        // The line end added after the text makes a last, empty line.
        QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b", ""};
        QTest::newRow("no last line end") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("lone CR") << "a\rb" << QStringList{"a", "b"};
        QTest::newRow("lone LF stays") << "a\nb\r\nc" << QStringList{"a\nb", "c"};
        QTest::newRow("CR then CR LF") << "a\r\r\n" << QStringList{"a", "", ""};
        QTest::newRow("blank lines") << "\r\n\r\na" << QStringList{"", "", "a"};
        QTest::newRow("NUL and bytes") << QString::fromUtf16(u"\0x\uFFFD\r\ny", 6)
                                       << QStringList{QString::fromUtf16(u"\0x\uFFFD", 3), "y"};
    }
    void linesEndAtCrLfAndLoneCrButNotAtLoneLf() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(ChannelCatalogue::Lines(text), lines);
    }

    void entriesPairNamesWithUrls_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("the design's example")
            << Kind::Movie << "A\r\nu1\r\nB\r\nu2\r\n\r\nremark\r\nu3\r\n"
            << QStringList{"000-A", "001-B"} << QStringList{"u1", "u2"};
        QTest::newRow("TV prefix") << Kind::Tv << "A\r\nu1.asx\r\nB\r\nu2.asx"
                                   << QStringList{"-A", "-B"} << QStringList{"u1.asx", "u2.asx"};
        QTest::newRow("empty") << Kind::Mtv << "" << QStringList{} << QStringList{};
        QTest::newRow("blank first line")
            << Kind::Movie << "\r\nA\r\nu1.rm" << QStringList{} << QStringList{};
        QTest::newRow("spaces-only name ends the list")
            << Kind::Movie << "A\r\nu1\r\n   \r\nB\r\nu2" << QStringList{"000-A"}
            << QStringList{"u1"};
        QTest::newRow("names keep their spaces, URLs are as they stand")
            << Kind::Mtv << " A \r\n u1 \r\n\tB\r\n"
            << QStringList{"000- A ", "001-\tB"} << QStringList{" u1 ", ""};
        QTest::newRow("name without its URL line repeats as the URL")
            << Kind::Movie << "A\r\nu1\r\nB" << QStringList{"000-A", "001-B"}
            << QStringList{"u1", "B"};
        QTest::newRow("LF inside a line")
            << Kind::Tv << "A\nB\r\nu" << QStringList{"-A\nB"} << QStringList{"u"};
    }
    void entriesPairNamesWithUrls() {
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QFETCH(QStringList, urls);
        const QList<Song> entries = ChannelCatalogue::Entries(text, kind);
        QCOMPARE(::names(entries), names);
        QCOMPARE(::urls(entries), urls);
    }

    // Ten thousand entries: the numbers run on past 999, and the list takes them all with the
    // first one selected; a second load replaces the first.
    void aLargeCatalogueIsNumberedOnAndReplacesTheList() {
        QString text;
        for (int i = 0; i < 10000; ++i)
            text += QStringLiteral("片%1\r\nhttp://h/%1.rm\r\n").arg(i);
        SongList list;
        list.append(Song{QStringLiteral("old"), QStringLiteral("old")});
        list.setSelected(0, true);
        ChannelCatalogue::LoadChannelList(text, list, Kind::Movie);
        QCOMPARE(list.count(), 10000);
        QCOMPARE(list.name(999), QStringLiteral("999-片999"));
        QCOMPARE(list.name(1000), QStringLiteral("1000-片1000"));
        QCOMPARE(list.url(9999), QStringLiteral("http://h/9999.rm"));
        QCOMPARE(list.selectedEntries(), QList<int>{0});
        QCOMPARE(list.currentEntry(), 0);
        ChannelCatalogue::LoadChannelList(QString(), list, Kind::Movie);
        QCOMPARE(list.count(), 0);
        QVERIFY(list.selectedEntries().isEmpty());
    }

    void fileZeroMustHoldTheMarker_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("catalogue");
        QTest::newRow(".rmvb holds .rm") << Kind::Movie << "A\r\nhttp://h/a.rmvb" << true;
        QTest::newRow("capitals do not") << Kind::Mtv << "A\r\nhttp://h/a.RM" << false;
        QTest::newRow("anywhere, even in a name") << Kind::Movie << "x.rm\r\n" << true;
        QTest::newRow("TV wants .asx") << Kind::Tv << "A\r\nhttp://h/a.rm" << false;
        QTest::newRow("TV") << Kind::Tv << "A\r\nhttp://h/a.asx" << true;
        QTest::newRow("an error page") << Kind::Movie << "<html>404</html>" << false;
        QTest::newRow("nothing") << Kind::Tv << "" << false;
    }
    void fileZeroMustHoldTheMarker() {
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        QFETCH(bool, catalogue);
        QCOMPARE(ChannelCatalogue::IsCatalogue(text, kind), catalogue);
    }

    void eachWindowFetchesItsOwnFiles() {
        const QString base = QStringLiteral("http://d/");
        QCOMPARE(ChannelCatalogue::FileUrl(base, Kind::Movie, 0),
                 QStringLiteral("http://d/netmovie/file0.txt"));
        QCOMPARE(ChannelCatalogue::FileUrl(base, Kind::Mtv, 0),
                 QStringLiteral("http://d/netmtv/file0.txt"));
        QCOMPARE(ChannelCatalogue::FileUrl(base, Kind::Tv, 3),
                 QStringLiteral("http://d/netradiotv/file3.txt"));
        QCOMPARE(ChannelCatalogue::DesignOf(Kind::Tv).files, 4);
        QCOMPARE(ChannelCatalogue::DesignOf(Kind::Movie).files, 1);
    }

    // The movie window's file-part test: RealMedia plays inside, anything else goes out.
    void theMovieWindowPlaysRealMediaItself_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("embedded");
        QTest::newRow(".rm") << "http://h/v/a.rm" << true;
        QTest::newRow(".ram") << "http://h/a.ram" << true;
        QTest::newRow(".rmvb") << "http://h/a.rmvb" << true;
        QTest::newRow(".RM") << "http://h/a.RM" << true;
        QTest::newRow(".wmv") << "http://h/a.wmv" << false;
        QTest::newRow(".asf") << "mms://h/a.asf" << false;
        QTest::newRow("ends in /") << "http://h/a.rm/" << false;
        QTest::newRow(".r in a folder only") << "http://h/x.rm/a.wmv" << false;
        QTest::newRow("no / at all") << "a.rm" << true;
        QTest::newRow("no / and no .r") << "a.wmv" << false;
        QTest::newRow("empty") << "" << false;
    }
    void theMovieWindowPlaysRealMediaItself() {
        QFETCH(QString, url);
        QFETCH(bool, embedded);
        QCOMPARE(ChannelCatalogue::PlaysEmbedded(url), embedded);
        FakeStreamPlayer player;
        FakeShell shell;
        ChannelCommands::PlayChannel(Kind::Movie, url, player, shell);
        if (embedded) {
            QCOMPARE(player.calls, QStringList({"stop", "source:" + url, "play"}));
            QVERIFY(shell.played.isEmpty());
        } else {
            QCOMPARE(player.calls, QStringList{"stop"});
            QCOMPARE(shell.played, QStringList{url});
        }
        // The MTV window has no such test.
        FakeStreamPlayer mtv;
        ChannelCommands::PlayChannel(Kind::Mtv, url, mtv, shell);
        QCOMPARE(mtv.calls, QStringList({"stop", "source:" + url, "play"}));
    }

    void aMetafileDownloadHandsOverItsAddresses_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("handed");
        QTest::newRow("a list of addresses, up to the first blank line")
            << "mms://h/a\r\nhttp://h/b\r\n  \r\nhttp://h/c"
            << QStringList{"mms://h/a", "http://h/b"};
        QTest::newRow("an XML metafile gives its entries, not its tags")
            << "<ASX version=\"3.0\">\r\n<ENTRY><REF HREF=\"rtsp://h/live/1\"/></ENTRY>\r\n"
               "<entry><ref href=\"mms://h/2\"/></entry>\r\n</ASX>"
            << QStringList{"rtsp://h/live/1", "mms://h/2"};
        QTest::newRow("entries after a blank line are not read")
            << "<asx>\r\n\r\n<entry><ref href=\"mms://h/1\"/></entry></asx>"
            << QStringList{"<asx>"};
        QTest::newRow("an address broken over lines, an empty one")
            << "<asx><ref href=\"rtsp://h/a\r\nb\"/><ref href=\"\"/><ref href=\"mms://h/c\"/>"
            << QStringList{"rtsp://h/ab", "mms://h/c"};
        QTest::newRow("blank first line hands nothing") << "\r\nhttp://h/a" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void aMetafileDownloadHandsOverItsAddresses() {
        QFETCH(QString, text);
        QFETCH(QStringList, handed);
        QCOMPARE(ChannelCommands::MetafileAddresses(text), handed);
    }

    // One AddUrl per address under the channel's shown name; the first refusal ends it, what
    // went before stays handed over.
    void addressesGoOneByOneUntilARefusal() {
        FakeDownloadManager manager;
        QVERIFY(ChannelCommands::HandOver(manager, {"a", "b"}, "003-片"));
        QCOMPARE(manager.addUrlCalls,
                 QList<QStringList>({{"a", QString(), "003-片"}, {"b", QString(), "003-片"}}));
        manager.accepts = false;
        manager.addUrlCalls.clear();
        QVERIFY(!ChannelCommands::HandOver(manager, {"a", "b"}, "x"));
        QCOMPARE(manager.addUrlCalls.size(), 1);
    }

    void theSelectionDecidesTheChannel() {
        SongList list;
        QCOMPARE(ChannelCommands::SelectedUrl(list), QString());
        ChannelCatalogue::LoadChannelList("A\r\nu1\r\nB\r\nu2", list, Kind::Mtv);
        QCOMPARE(ChannelCommands::SelectedName(list), QStringLiteral("000-A"));
        list.clearSelection();
        list.setSelected(1, true);
        QCOMPARE(ChannelCommands::SelectedUrl(list), QStringLiteral("u2"));
        QCOMPARE(ChannelCommands::SelectedName(list), QStringLiteral("001-B"));
        list.clearSelection();
        QCOMPARE(ChannelCommands::SelectedIndex(list), -1);
        QCOMPARE(ChannelCommands::SelectedName(list), QString());
    }

    // The catalogue files come one after another, each reported, failures as empty texts; an
    // abort stops the rest and reports nothing more.
    void textsAreFetchedInTurn() {
        FakeTransferFactory network;
        FetchTexts fetch(network, {"u0", "u1", "u2"});
        QSignalSpy fetched(&fetch, &FetchTexts::fetched);
        QSignalSpy finished(&fetch, &FetchTexts::finished);
        fetch.start();
        FakeTransfer *t = network.last();
        QCOMPARE(t->pending, QStringLiteral("u0"));
        t->answer(QStringLiteral("zero"));
        QCOMPARE(t->pending, QStringLiteral("u1"));
        t->fail();
        t->answer(QString(4000, QLatin1Char('x'))); // longer than a piece
        QCOMPARE(finished.size(), 1);
        QCOMPARE(fetch.texts(), QStringList({"zero", "", QString(4000, QLatin1Char('x'))}));
        QCOMPARE(fetched.at(1).at(2).toBool(), false);
        QCOMPARE(fetched.at(2).at(2).toBool(), true);

        FetchTexts aborted(network, {"a", "b"});
        QSignalSpy abortedFinished(&aborted, &FetchTexts::finished);
        QSignalSpy abortedFetched(&aborted, &FetchTexts::fetched);
        connect(&aborted, &FetchTexts::fetched, &aborted, &FetchTexts::abort);
        aborted.start();
        network.last()->answer(QStringLiteral("first"));
        QCOMPARE(network.last()->requested, QStringList{"a"});
        QCOMPARE(abortedFetched.size(), 1);
        QCOMPARE(abortedFinished.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestChannelCatalogue)
#include "tst_channel_catalogue.moc"
