#include "lists/song_list.h"
#include "search/result_parser.h"
#include "search/search_query.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>
#include <QUrl>

using namespace ResultParser;
using SearchQuery::BuildQueryUrl;

char *toString(const Song &s) {
    return QTest::toString(s.name + QStringLiteral(" | ") + s.url);
}

namespace {
QList<Song> parse(const QString &page, const QString &mark) {
    return ParseResultPage(page, mark).songs;
}

QString fixture(const QString &name) {
    QFile f(QStringLiteral(TONAPLY_FIXTURES "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("GB18030");
    return decode(f.readAll());
}
} // namespace

class TestResultParser : public QObject {
    Q_OBJECT
private slots:
    void queryUrls_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("tail"); // the URL after "http://" and the host
        QTest::newRow("I mp3 first") << "yisou"
                                     << ".mp"
                                     << "月亮" << 1 << "/search?p=月亮&mimetype=mp3&b=1";
        QTest::newRow("I rm fourth") << "yisou"
                                     << ".rm"
                                     << "x" << 61 << "/search?p=x&mimetype=rm&b=61";
        QTest::newRow("II mp3 second") << "zhongsou"
                                       << ".mp"
                                       << "x" << 2 << "/zsmp3?ty=1&word=x&class=mp3&bg=2";
        QTest::newRow("II rm third") << "zhongsou"
                                     << ".rm"
                                     << "x" << 3 << "/zsmp3?ty=1&word=x&class=rm&bg=3";
        QTest::newRow("outer spaces go") << "yisou"
                                         << ".mp"
                                         << "  月亮 " << 1 << "/search?p=月亮&mimetype=mp3&b=1";
        QTest::newRow("inner space stays") << "yisou"
                                           << ".mp"
                                           << "a b" << 1 << "/search?p=a b&mimetype=mp3&b=1";
        QTest::newRow("& and = unchanged")
            << "zhongsou"
            << ".rm"
            << "a&b=c" << 1 << "/zsmp3?ty=1&word=a&b=c&class=rm&bg=1";
    }
    void queryUrls() {
        QFETCH(QString, engine);
        QFETCH(QString, mark);
        QFETCH(QString, keyword);
        QFETCH(int, offset);
        QFETCH(QString, tail);
        const QString url =
            BuildQueryUrl(SearchQuery::Hosts::BuiltIn(), engine, mark, keyword, offset);
        QVERIFY(url.startsWith("http://"));
        QCOMPARE(url.mid(url.indexOf('/', 7)), tail);
    }

    void pagingAndMarkers() {
        QList<int> offsets;
        for (int page = 0, offset = 1; page < 4; ++page, offset += SearchQuery::PageStep("yisou"))
            offsets << offset;
        QCOMPARE(offsets, (QList<int>{1, 21, 41, 61}));
        QCOMPARE(SearchQuery::PageStep("zhongsou"), 1);
        QCOMPARE(SearchQuery::NextPageMarker("yisou", 21), QStringLiteral("&b=21"));
        QCOMPARE(SearchQuery::NextPageMarker("zhongsou", 2), QStringLiteral("&bg=2"));
        QCOMPARE(SearchQuery::EngineId(0), QStringLiteral("yisou"));
        QCOMPARE(SearchQuery::TypeMark(1), QStringLiteral(".rm"));
        QVERIFY(SearchQuery::EngineId(2).isEmpty());
    }

    void stripTags_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("unclosed <") << "a<b"
                                    << "ab";
        QTest::newRow("lone >") << "x>y"
                                << "x>y";
        QTest::newRow("tags") << "<i>x</i>"
                              << "x";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("bold") << "My <b>Song</b>"
                              << "My Song";
        QTest::newRow("entities stay") << "a&amp;b"
                                       << "a&amp;b";
    }
    void stripTags() {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        QCOMPARE(StripTags(text), stripped);
    }

    void linksBecomeSongs_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QList<Song>>("songs");
        QTest::newRow("attribute and bold text")
            << "<a href=\"http://x.example/dir/song.mp3\" target=_blank>My <b>Song</b></a>"
            << ".mp" << QList<Song>{{"MP3→My Song", "http://x.example/dir/song.mp3"}};
        QTest::newRow("cut at the mark")
            << "<a href=\"http://x.example/song.mp3?id=7\">s</a>"
            << ".mp" << QList<Song>{{"MP3→s", "http://x.example/song.mp3"}};
        QTest::newRow("rmvb") << "<a href=\"http://x.example/clip.rmvb\">c</a>"
                              << ".rm" << QList<Song>{{"RM.→c", "http://x.example/clip.rm"}};
        QTest::newRow("first mark counts")
            << "<a href=\"http://x.example/a.mp3dir/b.mp3\">t</a>"
            << ".mp" << QList<Song>{{"MP3→t", "http://x.example/a.mp3"}};
        QTest::newRow("capitals are not found") << "<a href=\"http://x.example/A.MP3\">t</a>"
                                                << ".mp" << QList<Song>{};
        QTest::newRow("single quotes: repaired")
            << "<p class=\"x\">hi <a href='http://x.example/s.mp3'>t</a>"
            << ".mp" << QList<Song>{{"MP3→hi t", "http://x.example/s.mp3"}};
        QTest::newRow("single quotes after a quoted attribute")
            << "<a class=\"s\" href='http://x.example/s.mp3'>t</a>"
            << ".mp" << QList<Song>{{"MP3→t", "http://x.example/s.mp3"}};
        QTest::newRow("20 characters dropped, 21 kept")
            << "<a href=\"http://h.ex/abcd.mp3\">a</a><a href=\"http://h.ex/abcde.mp3\">b</a>"
            << ".mp" << QList<Song>{{"MP3→b", "http://h.ex/abcde.mp3"}};
        QTest::newRow("rtsp stays, ftp goes")
            << "<a href=\"rtsp://media.example/live/a.rm\">r</a>"
               "<a href=\"ftp://files.example/song.rm\">f</a>"
            << ".rm" << QList<Song>{{"RM.→r", "rtsp://media.example/live/a.rm"}};
        QTest::newRow("61.x dropped, 161.x kept")
            << "<a href=\"http://61.0.0.1/abc.mp3\">a</a><a href=\"http://161.0.0.1/abc.mp3\">b</a>"
            << ".mp" << QList<Song>{{"MP3→b", "http://161.0.0.1/abc.mp3"}};
        QTest::newRow("blocked sites")
            << "<a href=\"http://adclick.example.net/x.mp3\">a</a>"
               "<a href=\"http://www.yinyue-guanggao.example/x.mp3\">b</a>"
               "<a href=\"http://cdn.tracking.example/x.mp3\">c</a>"
            << ".mp" << QList<Song>{};
        QTest::newRow("script call")
            << "<a href=\"javascript:play('http://x.example/s.mp3')\">试听</a>"
            << ".mp" << QList<Song>{{"MP3→试听", "http://x.example/s.mp3"}};
        QTest::newRow("address outside a link")
            << "<script>var u=\"http://x.example/s.mp3\";</script><p>later</a>"
            << ".mp" << QList<Song>{{"MP3→later", "http://x.example/s.mp3"}};
        QTest::newRow("twice listed twice")
            << "<a href=\"http://x.example/s.mp3\">a</a><A HREF=\"http://x.example/s.mp3\">a</A>"
            << ".mp"
            << QList<Song>{{"MP3→a", "http://x.example/s.mp3"},
                           {"MP3→a", "http://x.example/s.mp3"}};
        QTest::newRow("no closing anchor at the end")
            << "<a href=\"http://x.example/s.mp3\">cut off"
            << ".mp" << QList<Song>{{"MP3→cut off", "http://x.example/s.mp3"}};
        QTest::newRow("cut off inside the address")
            << "<a href=\"http://x.example/s.mp"
            << ".mp" << QList<Song>{{"MP3→", "http://x.example/s.mp3"}};
        QTest::newRow("</A closes its own link")
            << "<A HREF=\"http://x.example/s.rm\">up</A> <a href=\"ftp://x.example/t.rm\">f</a>"
            << ".rm" << QList<Song>{{"RM.→up", "http://x.example/s.rm"}};
    }
    void linksBecomeSongs() {
        QFETCH(QString, page);
        QFETCH(QString, mark);
        QFETCH(QList<Song>, songs);
        QCOMPARE(parse(page, mark), songs);
    }

    void droppedLinksCountAsFound() {
        const ParsedPage kept =
            ParseResultPage(QStringLiteral("<a href=\"http://x.example/s.mp3\">n</a>"), ".mp");
        QCOMPARE(kept.links, 1);
        QCOMPARE(kept.songs.size(), 1);
        const ParsedPage dropped =
            ParseResultPage(QStringLiteral("<a href=\"ftp://x.example/s.mp3\">n</a>"), ".mp");
        QCOMPARE(dropped.links, 1);
        QVERIFY(dropped.songs.isEmpty());
        QCOMPARE(ParseResultPage(QStringLiteral("<p>nothing</p>"), ".mp").links, 0);
    }

    void recordedPages_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("engine I, MP3")
            << "engine1_mp3.html"
            << ".mp"
            << QStringList{"MP3→月亮下的小河", "MP3→月光下的约定", "MP3→小城月色", "MP3→月亮知道"}
            << QStringList{"林小雨/月亮下的小河.mp3", "林小雨/月光下的约定.mp3",
                           "王子航/小城月色.mp3", "陈嘉怡/月亮知道.mp3"};
        QTest::newRow("engine II, RM")
            << "engine2_rm.html"
            << ".rm" << QStringList{"RM.→月光小夜曲", "RM.→弯弯月亮船"}
            << QStringList{"周海川/月光小夜曲.rm", "林小雨/弯弯月亮船.rm"};
    }
    void recordedPages() {
        QFETCH(QString, file);
        QFETCH(QString, mark);
        QFETCH(QStringList, names);
        QFETCH(QStringList, paths);
        const QList<Song> songs = parse(fixture(file), mark);
        QCOMPARE(songs.size(), names.size());
        for (int i = 0; i < songs.size(); ++i) {
            QCOMPARE(songs[i].name, names[i]);
            QCOMPARE(QUrl::fromPercentEncoding(songs[i].url.toLatin1()),
                     "http://127.0.0.1:18143/music/" + paths[i]);
        }
    }

    // Random pages made of the pieces that matter: never a crash or a hang, no more songs
    // than links, every URL kept starts with its scheme and ends with the mark.
    void randomPagesEndWithAlignedLists() {
        const QStringList pieces{"<a href=\"", "http://", "rtsp://", "ftp://", "x.example/",
                                 ".mp",        ".mp3",    ".rm",     "\"",     "'",
                                 ">",          "<",       "</a>",    "</A",    "<b>",
                                 "61",         "://61",   "歌",      " ",      "\r\n"};
        QRandomGenerator rng(20261209);
        for (int round = 0; round < 3000; ++round) {
            QString page;
            const int n = rng.bounded(60);
            for (int i = 0; i < n; ++i)
                page += pieces[rng.bounded(pieces.size())];
            for (const QString mark : {".mp", ".rm"}) {
                const ParsedPage parsed = ParseResultPage(page, mark);
                QVERIFY(parsed.songs.size() <= parsed.links);
                for (const Song &s : parsed.songs) {
                    QVERIFY(s.url.startsWith("http://") || s.url.startsWith("rtsp://"));
                    QVERIFY(s.url.endsWith(mark == ".mp" ? ".mp3" : ".rm"));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestResultParser)
#include "tst_result_parser.moc"
