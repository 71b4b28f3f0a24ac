#include "app/net/qt_http_transfer.h"
#include "app/stream_base_url.h"
#include "net/test_http_server.h"

#include <QTest>

class TestStreamBaseUrl : public QObject {
    Q_OBJECT
private slots:
    void readsTheBaseFromTheServer_data() {
        QTest::addColumn<QByteArray>("file"); // null: the file is missing
        QTest::addColumn<QString>("expected");
        const QString fallback = StreamBase::FallbackUrl();
        QTest::newRow("spaces around it") << QByteArray("  rtsp://media.example:554/music/  ")
                                          << "rtsp://media.example:554/music/";
        QTest::newRow("an http URL") << QByteArray("http://media.example/music/") << fallback;
        QTest::newRow("a line break stays") << QByteArray("rtsp://h/m/\r\n") << "rtsp://h/m/\r\n";
        QTest::newRow("text around the URL stays")
            << QByteArray("<html>rtsp://h/</html>") << "<html>rtsp://h/</html>";
        QTest::newRow("capitals do not count") << QByteArray("RTSP://h/") << fallback;
        QTest::newRow("empty") << QByteArray("") << fallback;
        QTest::newRow("missing file") << QByteArray() << fallback;
    }
    void readsTheBaseFromTheServer() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        TestHttpServer http;
        http.server.Get("/data/feifa_url.txt",
                        [&](const httplib::Request &, httplib::Response &res) {
                            if (file.isNull()) {
                                res.status = 404;
                                res.set_content("<html>404 Not Found</html>", "text/html");
                            } else {
                                res.set_content(file.toStdString(), "text/plain");
                            }
                        });
        http.start();
        QtHttpTransfer net;
        QCOMPARE(StreamBase::LoadStreamBaseUrl(net, http.url("/data/")), expected);
    }

    void anUnreachableServerGivesTheFallback() {
        QtHttpTransfer net;
        net.setTimeout(2000);
        const QString url = StreamBase::LoadStreamBaseUrl(net, "http://127.0.0.1:1/");
        QCOMPARE(url, StreamBase::FallbackUrl());
        QVERIFY(url.startsWith("rtsp://"));
        QVERIFY(url.endsWith(":7811/realmusicll/"));
    }
};

QTEST_GUILESS_MAIN(TestStreamBaseUrl)
#include "tst_stream_base_url.moc"
