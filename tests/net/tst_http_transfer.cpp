#include "app/net/body_text.h"
#include "app/net/qt_http_transfer.h"
#include "app/net/wire_url.h"
#include "net/dripping_server.h"
#include "net/test_http_server.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <atomic>

namespace {
std::string gbk(const QString &text) {
    QStringEncoder encode("GB18030");
    return QByteArray(encode(text)).toStdString();
}

int unusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // closed again when probe goes
}
} // namespace

class TestHttpTransfer : public QObject {
    Q_OBJECT
private slots:
    void wireUrl_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("plain") << "http://h/a.txt?x=1&y=2" << QByteArray("http://h/a.txt?x=1&y=2");
        QTest::newRow("Chinese as GBK bytes")
            << "http://h/s?w=月亮" << QByteArray("http://h/s?w=%D4%C2%C1%C1");
        QTest::newRow("space") << "http://h/s?w=a b" << QByteArray("http://h/s?w=a%20b");
        QTest::newRow("escapes stay") << "http://h/s?w=%D4%C2" << QByteArray("http://h/s?w=%D4%C2");
        QTest::newRow("a lone percent") << "http://h/s?w=5%" << QByteArray("http://h/s?w=5%25");
        QTest::newRow("quote and brackets")
            << "http://h/\"<x>\"" << QByteArray("http://h/%22%3Cx%3E%22");
    }
    void wireUrl() {
        QFETCH(QString, url);
        QFETCH(QByteArray, wire);
        QCOMPARE(WireUrl::encode(url), wire);
    }

    void charset_data() {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("charset");
        QTest::newRow("none") << QByteArray("text/html") << QByteArray("<p>x</p>") << QByteArray();
        QTest::newRow("header") << QByteArray("text/html; charset=UTF-8") << QByteArray()
                                << QByteArray("utf-8");
        QTest::newRow("meta charset")
            << QByteArray() << QByteArray("<META charset=\"utf-8\">") << QByteArray("utf-8");
        QTest::newRow("http-equiv")
            << QByteArray()
            << QByteArray("<meta http-equiv=Content-Type content='text/html; charset=big5'>")
            << QByteArray("big5");
        QTest::newRow("spaces and quotes")
            << QByteArray("text/html;CHARSET = ' GBK'") << QByteArray() << QByteArray("gbk");
        QTest::newRow("a word charset before the setting")
            << QByteArray()
            << QByteArray("<meta name=charset content=\"text/html; charset=utf-8\">")
            << QByteArray("utf-8");
        QTest::newRow("no name") << QByteArray("text/html; charset=") << QByteArray()
                                 << QByteArray();
        QTest::newRow("text is not a tag")
            << QByteArray() << QByteArray("charset=utf-8") << QByteArray();
        QTest::newRow("beyond 1 KB")
            << QByteArray() << QByteArray(1100, ' ') + "<meta charset=utf-8>" << QByteArray();
    }
    void charset() {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, charset);
        QCOMPARE(BodyText::declaredCharset(contentType, body), charset);
    }

    void fetchesPagesInTheirCharset() {
        TestHttpServer http;
        const QString chinese = QStringLiteral("月亮代表我的心 rtsp://");
        http.server.Get("/gbk.txt", [&](const httplib::Request &, httplib::Response &res) {
            res.set_content(gbk(chinese), "text/plain");
        });
        http.server.Get("/utf8.html", [&](const httplib::Request &, httplib::Response &res) {
            res.set_content("<meta charset=\"utf-8\">" + chinese.toStdString(), "text/html");
        });
        http.server.Get("/missing.txt", [&](const httplib::Request &, httplib::Response &res) {
            res.status = 404;
            res.set_content(gbk(QStringLiteral("找不到")), "text/html");
        });
        http.start();
        QtHttpTransfer net;
        bool ok = false;
        QCOMPARE(net.fetchText(http.url("/gbk.txt"), &ok), chinese);
        QVERIFY(ok);
        QCOMPARE(net.fetchText(http.url("/utf8.html")), "<meta charset=\"utf-8\">" + chinese);
        // An error page is a body like any other; the caller's marker test rejects it.
        QCOMPARE(net.fetchText(http.url("/missing.txt"), &ok), QStringLiteral("找不到"));
        QVERIFY(ok);
    }

    void aLongBodyIsReadInPieces() {
        TestHttpServer http;
        QString body;
        for (int i = 0; i < 5000; ++i)
            body += QChar(i % 2 ? u'歌' : QChar('a' + i % 26));
        http.server.Get("/long", [&](const httplib::Request &, httplib::Response &res) {
            res.set_content(gbk(body), "text/html");
        });
        http.start();
        QtHttpTransfer net;
        QSignalSpy states(&net, &HttpTransfer::stateChanged);
        net.startRequest(http.url("/long"));
        QVERIFY(states.wait(5000));
        QCOMPARE(states.takeFirst().at(0).toInt(), 12);
        QString joined;
        int pieces = 0;
        for (QString piece; !(piece = net.readPiece(1024)).isEmpty(); ++pieces) {
            QVERIFY(piece.size() <= 1024);
            joined += piece;
        }
        QCOMPARE(pieces, 5);
        QCOMPARE(joined, body);
    }

    void aRefusedConnectionFails() {
        const QString url = QStringLiteral("http://127.0.0.1:%1/x").arg(unusedPort());
        QtHttpTransfer net;
        bool ok = true;
        QCOMPARE(net.fetchText(url, &ok), QString());
        QVERIFY(!ok);
        QSignalSpy states(&net, &HttpTransfer::stateChanged);
        net.startRequest(url);
        QVERIFY(states.wait(5000));
        QCOMPARE(states.takeFirst().at(0).toInt(), 11);
    }

    void aSilentServerTimesOutWhileEventsKeepFlowing() {
        QTcpServer silent; // accepts and never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QList<QTcpSocket *> kept;
        connect(&silent, &QTcpServer::newConnection,
                [&] { kept << silent.nextPendingConnection(); });
        const QString url = QStringLiteral("http://127.0.0.1:%1/x").arg(silent.serverPort());
        QtHttpTransfer net;
        net.setTimeout(400);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        QElapsedTimer clock;
        clock.start();
        bool ok = true;
        QCOMPARE(net.fetchText(url, &ok), QString());
        QVERIFY(!ok);
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY(ticks >= 5); // the window stayed responsive
        QSignalSpy states(&net, &HttpTransfer::stateChanged);
        net.startRequest(url);
        QVERIFY(states.wait(5000));
        QCOMPARE(states.takeFirst().at(0).toInt(), 11);
    }

    void redirectsAreFollowedWithinLimits() {
        TestHttpServer http;
        http.server.Get("/page", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("arrived", "text/plain");
        });
        http.server.Get("/r", [](const httplib::Request &, httplib::Response &res) {
            res.set_redirect("/page");
        });
        http.server.Get("/loop", [](const httplib::Request &, httplib::Response &res) {
            res.set_redirect("/loop");
        });
        http.start();
        QtHttpTransfer net;
        QCOMPARE(net.fetchText(http.url("/r")), QStringLiteral("arrived"));
        bool ok = true;
        QCOMPARE(net.fetchText(http.url("/loop"), &ok), QString());
        QVERIFY(!ok);
    }

    void anOversizedBodyFails() {
        TestHttpServer http;
        const std::string big(QtHttpTransfer::MaxBodyBytes + 1024 * 1024, 'x');
        http.server.Get("/big", [&](const httplib::Request &, httplib::Response &res) {
            res.set_content(big, "text/plain");
        });
        // No length announced: the limit must hold while the body streams in.
        http.server.Get("/stream", [&](const httplib::Request &, httplib::Response &res) {
            res.set_chunked_content_provider(
                "text/plain", [&](size_t offset, httplib::DataSink &sink) {
                    if (offset >= big.size()) {
                        sink.done();
                        return true;
                    }
                    sink.write(big.data() + offset, std::min<size_t>(65536, big.size() - offset));
                    return true;
                });
        });
        http.start();
        QtHttpTransfer net;
        bool ok = true;
        QCOMPARE(net.fetchText(http.url("/big"), &ok), QString());
        QVERIFY(!ok);
        QSignalSpy states(&net, &HttpTransfer::stateChanged);
        net.startRequest(http.url("/stream"));
        QVERIFY(states.wait(10000));
        QCOMPARE(states.takeFirst().at(0).toInt(), 11);
        QCOMPARE(net.readPiece(), QString());
    }

    void aKeywordArrivesExactlyAsIntended() {
        TestHttpServer http;
        std::string target;
        http.server.Get("/s", [&](const httplib::Request &req, httplib::Response &res) {
            target = req.target;
            res.set_content("ok", "text/plain");
        });
        http.start();
        QtHttpTransfer net;
        QCOMPARE(net.fetchText(http.url("/s?w=月亮 代表&x=1=2&t=.mp")), QStringLiteral("ok"));
        QCOMPARE(QByteArray::fromStdString(target),
                 QByteArray("/s?w=%D4%C2%C1%C1%20%B4%FA%B1%ED&x=1=2&t=.mp"));
    }

    void aNewRequestEndsTheOneUnderWayWithAReport() {
        TestHttpServer http;
        http.server.Get("/slow", [](const httplib::Request &, httplib::Response &res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            res.set_content("slow", "text/plain");
        });
        http.server.Get("/fast", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("fast", "text/plain");
        });
        http.start();
        QtHttpTransfer net;
        QSignalSpy states(&net, &HttpTransfer::stateChanged);
        net.startRequest(http.url("/slow"));
        net.startRequest(http.url("/fast"));
        QCOMPARE(states.count(), 1); // the superseded one, at once
        QCOMPARE(states.at(0).at(0).toInt(), 11);
        QVERIFY(states.wait(5000));
        QCOMPARE(states.at(1).at(0).toInt(), 12);
        QCOMPARE(net.readPiece(), QStringLiteral("fast"));
        net.startRequest(http.url("/slow"));
        net.cancel();
        QCOMPARE(states.count(), 3);
        QCOMPARE(states.at(2).at(0).toInt(), 11);
        net.cancel();               // nothing under way: no report
        QVERIFY(!states.wait(500)); // and the slow answer is not delivered
        QCOMPARE(states.count(), 3);
    }

    void transfersOfOneFactoryDoNotDisturbEachOther() {
        TestHttpServer http;
        http.server.Get("/page", [](const httplib::Request &, httplib::Response &res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            res.set_content("page", "text/plain");
        });
        http.server.Get("/file.txt", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("file", "text/plain");
        });
        http.start();
        QtTransferFactory factory;
        QObject owner;
        HttpTransfer *search = factory.newTransfer(&owner);
        HttpTransfer *startUp = factory.newTransfer(&owner);
        QSignalSpy states(search, &HttpTransfer::stateChanged);
        search->startRequest(http.url("/page"));
        QCOMPARE(startUp->fetchText(http.url("/file.txt")), QStringLiteral("file"));
        startUp->startRequest(http.url("/file.txt"));
        startUp->cancel();
        QVERIFY(states.count() == 1 || states.wait(5000));
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.at(0).at(0).toInt(), 12);
        QCOMPARE(search->readPiece(), QStringLiteral("page"));
    }

    // A server that sends its answer a byte at a time resets Qt's inactivity time-out with
    // every byte; the request's own deadline ends it all the same.
    void aDrippingServerIsCutOffAtTheDeadline() {
        DrippingServer drip;
        QtHttpTransfer net;
        net.setTimeout(300);
        bool ok = true;
        QCOMPARE(net.fetchText(drip.url("/drip"), &ok), QString());
        QVERIFY(!ok);
        QSignalSpy states(&net, &HttpTransfer::stateChanged);
        net.startRequest(drip.url("/drip"));
        QVERIFY(states.wait(10000));
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.at(0).at(0).toInt(), 11);
        QCOMPARE(net.readPiece(), QString());
    }
};

QTEST_GUILESS_MAIN(TestHttpTransfer)
#include "tst_http_transfer.moc"
