#include "data_server.h"
#include "engine_standin.h"
#include "net/test_http_server.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTest>

namespace {
struct Answer {
    int status = 0;
    QByteArray type;
    QByteArray body;
    QByteArray encoding;
};

Answer get(const QString &url, const QByteArray &range = {}) {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    if (!range.isEmpty())
        request.setRawHeader("Range", range);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Answer a{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
             reply->rawHeader("Content-Type"), reply->readAll(),
             reply->rawHeader("Content-Encoding")};
    reply->deleteLater();
    return a;
}

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestDataServer : public QObject {
    Q_OBJECT
    QString folder = QStringLiteral(TONAPLY_DEMO_DATA);
    TestHttpServer http;

private slots:
    void initTestCase() {
        QVERIFY(DataServer::Serve(http.server, folder.toStdString()));
        EngineStandIn::Serve(http.server,
                             EngineStandIn::Scan(folder.toStdString() + "/music", "/music"),
                             folder.toStdString() + "/lyrics");
        EngineStandIn::ServeCatalogueClips(http.server, "/catalogue",
                                           folder.toStdString() + "/media");
        http.start();
    }

    // A server on another port: its catalogues and metafiles lead back to it, media bytes
    // are left alone.
    void aServerOnOtherPortsNamesItsOwnAddresses() {
        TestHttpServer other;
        QVERIFY(DataServer::Serve(other.server, folder.toStdString()));
        other.start();
        DataServer::NameOwnAddresses(other.server, other.url("/").toStdString(),
                                     "rtsp://127.0.0.1:9/");
        const QByteArray movies = get(other.url("/netmovie/file0.txt")).body;
        QVERIFY(movies.contains(other.url("/media/").toLatin1()));
        QVERIFY(!movies.contains("127.0.0.1:18143"));
        const QByteArray metafile = get(other.url("/tv/channel1.asx")).body;
        QVERIFY(metafile.contains("rtsp://127.0.0.1:9/live/channel1"));
        QCOMPARE(get(other.url("/media/movie2.rm")).body, fileBytes(folder + "/media/movie2.rm"));
        QCOMPARE(DataServer::ReplaceAll("a-b-a", "a", "aa"), std::string("aa-b-aa"));
    }

    void servesTheFilesAsBytesWithTheirTypes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("type");
        QTest::newRow("version") << "tnplversion.txt" << QByteArray("text/plain");
        QTest::newRow("stream base") << "feifa_url.txt" << QByteArray("text/plain");
        QTest::newRow("movie catalogue") << "netmovie/file0.txt" << QByteArray("text/plain");
        QTest::newRow("TV metafile") << "tv/channel1.asx" << QByteArray("video/x-ms-asf");
        QTest::newRow("Flash catalogue") << "flash/zhuanji.dh" << QByteArray("text/plain");
        QTest::newRow("Flash animation")
            << "flash/swf/youxi1.swf" << QByteArray("application/x-shockwave-flash");
        QTest::newRow("MP3") << "media/song1.mp3" << QByteArray("audio/mpeg");
        QTest::newRow("RealMedia")
            << "media/clip1.rm" << QByteArray("application/vnd.rn-realmedia");
    }
    void servesTheFilesAsBytesWithTheirTypes() {
        QFETCH(QString, path);
        QFETCH(QByteArray, type);
        const Answer a = get(http.url("/" + path));
        QCOMPARE(a.status, 200);
        QCOMPARE(a.type, type);
        QCOMPARE(a.body, fileBytes(QDir(folder).filePath(path)));
    }

    void textIsCompressedWithGzipNotBrotli_data() {
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("browser") << "gzip, deflate, br"
                                 << "gzip, deflate";
        QTest::newRow("only br") << "br"
                                 << "";
        QTest::newRow("weights and case") << "BR;q=1.0, gzip;q=0.5"
                                          << "gzip;q=0.5";
        QTest::newRow("no br") << "identity"
                               << "identity";
        QTest::newRow("names that merely start so") << "bro, brx"
                                                    << "bro, brx";
    }
    void textIsCompressedWithGzipNotBrotli() {
        QFETCH(QString, accepted);
        QFETCH(QString, kept);
        QCOMPARE(QString::fromStdString(DataServer::WithoutBrotli(accepted.toStdString())), kept);
        // The program's own requests offer brotli; the catalogues come back whole all the same.
        const Answer a = get(http.url("/netmovie/file0.txt"));
        QCOMPARE(a.status, 200);
        QVERIFY(a.encoding != "br");
        QCOMPARE(a.body, fileBytes(QDir(folder).filePath("netmovie/file0.txt")));
    }

    // The lyrics search answers in GBK with the song's lyrics, the songs it has none for, or
    // an honest page saying nothing was found; blanks around the keyword do not matter.
    void theLyricsSearchAnswersFromTheDemoLyrics_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QString>("contains");
        QTest::newRow("lyrics") << QByteArray("%20%D4%C2%C1%C1%D6%AA%B5%C0%20") // " 月亮知道 "
                                << QStringLiteral("月亮知道 月亮知道");
        QTest::newRow("songs without lyrics") << QByteArray("%C0%B6%C9%AB") // 蓝色
                                              << QStringLiteral("还没有它们的歌词");
        QTest::newRow("nothing") << QByteArray("%CE%DE") // 无
                                 << QStringLiteral("没有找到与“无”有关的歌词");
    }
    void theLyricsSearchAnswersFromTheDemoLyrics() {
        QFETCH(QByteArray, word);
        QFETCH(QString, contains);
        const Answer a = get(http.url("/m?rn=10&tn=baidump3lyric&ct=150994944&word=") +
                             QString::fromLatin1(word));
        QCOMPARE(a.status, 200);
        QStringDecoder gbk("GB18030");
        const QString page = gbk(a.body);
        QVERIFY2(page.contains(contains), qPrintable(page));
    }

    // The demo catalogue is large enough that a common keyword spans several result pages of
    // both engines (20 and 10 a page), and each of its songs plays one of the demo clips.
    void theDemoCatalogueSpansSeveralPages() {
        const auto songs =
            EngineStandIn::ReadCatalogue(folder.toStdString() + "/catalogue.txt", "/catalogue");
        QVERIFY(songs.size() > 500);
        QVERIFY(EngineStandIn::Match(songs, "月", true).size() > 40);
        QVERIFY(EngineStandIn::Match(songs, "月", false).size() > 40);
        QVERIFY(EngineStandIn::Match(songs, "moon", true).size() > 20);
        const Answer a = get(http.url(QString::fromStdString(songs.front().path)));
        QCOMPARE(a.status, 200);
        QVERIFY(a.body.size() > 1000);
    }

    void aMissingFileGetsAnErrorPage() {
        const Answer a = get(http.url("/netmovie/file9.txt"));
        QCOMPARE(a.status, 404);
        QVERIFY(a.body.contains("404"));
        const Answer outside = get(http.url("/%2E%2E/%2E%2E/CMakeLists.txt"));
        QVERIFY(outside.status >= 400);
        QVERIFY(!outside.body.contains("cmake_minimum_required"));
    }

    void mediaIsServedInRanges() {
        const QByteArray whole = fileBytes(QDir(folder).filePath("media/song1.mp3"));
        const Answer a = get(http.url("/media/song1.mp3"), "bytes=100-199");
        QCOMPARE(a.status, 206);
        QCOMPARE(a.body, whole.mid(100, 100));
    }

    void theDemoTextFilesAreGbkWithCrLf() {
        const QByteArray version = fileBytes(QDir(folder).filePath("tnplversion.txt"));
        QCOMPARE(version, QByteArray("1.43"));
        const QByteArray movies = fileBytes(QDir(folder).filePath("netmovie/file0.txt"));
        QVERIFY(movies.contains(".rm\r\n"));
        QVERIFY(!movies.contains("\n\n"));
        QVERIFY(movies.startsWith("\xBD\xAD")); // 江 in GBK
    }
};

QTEST_GUILESS_MAIN(TestDataServer)
#include "tst_data_server.moc"
