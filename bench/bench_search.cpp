// Speed of the result parser and of a whole search against the engines' stand-in.
// Usage: bench_search [repeats]   (with QT_QPA_PLATFORM=offscreen or under Xvfb)
#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "app/net/qt_http_transfer.h"
#include "app/session.h"
#include "engine_standin.h"
#include "fakes/fake_session.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "search/result_parser.h"
#include "search/search_flow.h"
#include "search/search_query.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {
// A result page of the given size, one link in every 210 characters or so (a 1 MB page
// holds about 5,000).
QString page(qsizetype size) {
    QString text = QStringLiteral("<html><body><ol>\r\n");
    for (int i = 0; text.size() < size; ++i)
        text += QStringLiteral("<li><a href=\"http://music.example.cn/mp3/%1/yueliang.mp3\" "
                               "target=\"_blank\">月亮<b>代表</b>我的心 %1</a> <font>mp3 "
                               "4.2M</font> 邓丽君 经典老歌 华语流行 试听 下载 歌词 "
                               "<span class=\"size\">128kbps</span></li>\r\n")
                    .arg(i);
    return text;
}

double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    for (qsizetype size : {64 * 1024, 1024 * 1024, 8 * 1024 * 1024}) {
        const QString text = page(size);
        std::vector<double> times;
        int links = 0;
        for (int r = 0; r < repeats; ++r) {
            SongList list;
            QElapsedTimer t;
            t.start();
            const ResultParser::ParsedPage parsed =
                ResultParser::ParseResultPage(text, QStringLiteral(".mp"));
            list.append(parsed.songs);
            links = parsed.links;
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("parse a %5lld KB page with %5d links: %8.2f ms (%.1f ns/char)\n",
                    static_cast<long long>(text.size() / 1024), links, medianMs(times),
                    medianMs(times) * 1e6 / text.size());
    }

    // A ten-page search: 200 songs, 20 a page on engine I.
    std::vector<EngineStandIn::Song> songs;
    for (int i = 1; i <= 200; ++i)
        songs.push_back({"月亮 " + std::to_string(i), "月亮 " + std::to_string(i),
                         "/music/yueliang" + std::to_string(i) + ".rm", false});
    TestHttpServer http;
    EngineStandIn::Serve(http.server, songs);
    http.start();
    const QString host = QStringLiteral("127.0.0.1:%1").arg(http.port());
    const SearchQuery::Hosts hosts{host, host};
    QtTransferFactory network;
    QtHttpTransfer net;

    std::vector<double> bare;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer t;
        t.start();
        for (int offset = 1; offset <= 181; offset += 20)
            net.fetchText(SearchQuery::BuildQueryUrl(hosts, "yisou", ".rm", "月亮", offset));
        bare.push_back(t.nsecsElapsed() / 1e6);
    }

    QTemporaryDir folder;
    FakeDialogs dialogs; // a search with results asks nothing
    FakeInstaller installer;
    DesktopFakes fakes;
    Session session(fakes.ports(dialogs, network, installer), {{}, {}, hosts}, folder.path(),
                    folder.path());
    ExtraWindows extra(session);
    frmSearchMusic window(session, extra);
    window.Show();
    window.Combo1->setEditText(QStringLiteral("月亮"));
    // Once with the window on the screen (each page's results are painted as they come),
    // once with it hidden (the search logic alone).
    const double fetches = medianMs(bare);
    for (bool shown : {true, false}) {
        window.setVisible(shown);
        std::vector<double> clicks;
        for (int r = 0; r < repeats; ++r) {
            QList<int> all(window.searchList().count());
            std::iota(all.begin(), all.end(), 0);
            window.searchList().removeEntries(all); // each search starts from an empty list
            QEventLoop loop;
            QObject::connect(window.searchFlow(), &SearchFlow::unlocked, &loop, &QEventLoop::quit);
            QElapsedTimer t;
            t.start();
            window.btnSearch_Click();
            loop.exec();
            clicks.push_back(t.nsecsElapsed() / 1e6);
            if (window.searchList().count() != 200)
                return 1;
        }
        const double search = medianMs(clicks);
        std::printf("ten-page search, window %s, click to unlock: %.2f ms; the ten bare fetches: "
                    "%.2f ms; the program's share: %.2f ms (%.1f%%)\n",
                    shown ? "shown" : "hidden", search, fetches, search - fetches,
                    (search - fetches) * 100.0 / fetches);
    }
    return 0;
}
