// Speed of the HTTP transfer component against tonaply-server's code on loopback.
// Usage: bench_net [repeats]
#include "app/net/qt_http_transfer.h"
#include "data_server.h"
#include "net/test_http_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringEncoder>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    QString page;
    while (QByteArray(QStringEncoder("GB18030").encode(page)).size() < 20 * 1024)
        page += QStringLiteral(
            "<a href=\"http://music.example.cn/mp3/yueliang.mp3\">月亮代表我的心</a>\r\n");
    QStringEncoder encode("GB18030");
    const std::string small = QByteArray(encode(page)).toStdString(); // about 20 KB
    const std::string big(1024 * 1024, 'x');
    TestHttpServer http;
    DataServer::UseQuickCompression(http.server); // as tonaply-server answers
    http.server.Get("/page", [&](const httplib::Request &, httplib::Response &res) {
        res.set_content(small, "text/html");
    });
    http.server.Get("/big", [&](const httplib::Request &, httplib::Response &res) {
        res.set_content(big, "text/html");
    });
    http.start();
    QtHttpTransfer net;

    std::vector<double> fetch;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        const QString text = net.fetchText(http.url("/page"));
        fetch.push_back(t.nsecsElapsed() / 1e6);
        if (text.size() != page.size())
            return 1;
    }
    std::sort(fetch.begin(), fetch.end());
    std::printf("fetch text of a %zu-byte GBK page: median %.2f ms, best %.2f ms (%d runs)\n",
                small.size(), fetch[fetch.size() / 2], fetch.front(), repeats);

    std::vector<double> pieces;
    std::vector<double> transfers;
    for (int i = 0; i < std::max(3, repeats / 10); ++i) {
        QEventLoop loop;
        QObject::connect(&net, &HttpTransfer::stateChanged, &loop, &QEventLoop::quit);
        QElapsedTimer whole;
        whole.start();
        net.startRequest(http.url("/big"));
        loop.exec();
        transfers.push_back(whole.nsecsElapsed() / 1e6);
        QElapsedTimer t;
        t.start();
        qsizetype total = 0;
        for (QString piece; !(piece = net.readPiece(1024)).isEmpty();)
            total += piece.size();
        pieces.push_back(t.nsecsElapsed() / 1e6);
        if (total != static_cast<qsizetype>(big.size()))
            return 1;
    }
    std::sort(pieces.begin(), pieces.end());
    std::sort(transfers.begin(), transfers.end());
    std::printf("start request to complete, 1 MB body: median %.2f ms (%.0f MB/s)\n",
                transfers[transfers.size() / 2], 1.0 / (transfers[transfers.size() / 2] / 1000.0));
    const double ms = pieces[pieces.size() / 2];
    std::printf("read a 1 MB body in 1024-character pieces: median %.2f ms (%.0f MB/s)\n", ms,
                1.0 / (ms / 1000.0));
    return 0;
}
