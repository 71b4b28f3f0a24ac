// Downloads and the music library: a large file through the download dialog's transfer, a
// thousand songs handed to aria2 in one call, and a large album appended to the playlist.
#include "fakes/fake_dialogs.h"
#include "lists/music_library.h"
#include "lists/song_list.h"
#include "measures.h"
#include "net/test_http_server.h"
#include "platform/aria2_download_manager.h"
#include "platform/file_download.h"
#include "platform/qt_download_dialog.h"
#include <QJsonObject>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr size_t LargeBytes = 200u * 1024 * 1024;

void largeDownload(TestHttpServer &http) {
    QTemporaryDir folder;
    QNetworkAccessManager network;
    const long before = rssKb();
    long peak = before;
    int progressCalls = 0;
    double progressCpu = 0;
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = cpuSeconds();
    FileDownload download(network, QUrl(http.url("/large.bin")), folder.filePath("large.bin"));
    QEventLoop wait;
    QObject::connect(&download, &FileDownload::progress, [&](qint64, qint64) {
        const double t = cpuSeconds();
        ++progressCalls;
        if (progressCalls % 64 == 0)
            peak = std::max(peak, rssKb());
        progressCpu += cpuSeconds() - t;
    });
    bool ok = false;
    QObject::connect(&download, &FileDownload::finished, [&](bool done, const QString &) {
        ok = done;
        wait.quit();
    });
    wait.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuStart;
    std::printf("download 200 MB: %s in %.2f s = %.0f MB/s; memory %+.1f MB at peak; "
                "%d progress reports (%.1f ms of CPU in their handler), the process used %.2f s "
                "of CPU\n",
                ok ? "complete" : "FAILED", seconds, 200 / seconds, (peak - before) / 1024.0,
                progressCalls, progressCpu * 1e3, cpu);
}

// The same download through the dialog, with its progress window shown: the extra CPU is
// what drawing the progress costs.
void largeDownloadInTheDialog(TestHttpServer &http) {
    QTemporaryDir folder;
    FakeDialogs dialogs;
    const QString path = folder.filePath(QStringLiteral("large.bin"));
    dialogs.fileAnswers << path;
    QtDownloadDialog dialog(dialogs, folder.path());
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = cpuSeconds();
    dialog.download(http.url(QStringLiteral("/large.bin")), QStringLiteral("large"));
    while (dialog.running() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("download 200 MB in the dialog's window: %s in %.2f s = %.0f MB/s, %.2f s of CPU\n",
                QFile(path).size() == static_cast<qint64>(LargeBytes) ? "complete" : "FAILED",
                seconds, 200 / seconds, cpuSeconds() - cpuStart);
}

void handToAria2(TestHttpServer &http) {
    if (QStandardPaths::findExecutable(QStringLiteral("aria2c")).isEmpty()) {
        std::printf("aria2 multicall: aria2c not installed\n");
        return;
    }
    QTemporaryDir folder;
    Aria2DownloadManager::Options options;
    options.stateFile = folder.filePath(QStringLiteral("aria2.json"));
    options.downloadFolder = folder.filePath(QStringLiteral("downloads"));
    Aria2DownloadManager manager(options);
    if (!manager.open()) {
        std::printf("aria2 multicall: aria2c did not start\n");
        return;
    }
    // Paused, so the measurement is the hand-over, not a thousand transfers.
    manager.call(QStringLiteral("aria2.changeGlobalOption"),
                 {QJsonObject{{QStringLiteral("max-concurrent-downloads"), QStringLiteral("1")}}});
    manager.call(QStringLiteral("aria2.pauseAll"), {});
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        QStringList list{QStringLiteral("http://maker.example/")};
        for (int i = 0; i < 1000; ++i)
            list << http.url(QStringLiteral("/missing/%1/%2.mp3").arg(round).arg(i))
                 << QStringLiteral("月亮代表我的心 第%1版").arg(i);
        QElapsedTimer t;
        t.start();
        const bool ok = manager.AddUrlList(list);
        times.push_back(t.nsecsElapsed() / 1e6);
        if (!ok)
            std::printf("aria2 multicall: refused\n");
        manager.call(QStringLiteral("aria2.pauseAll"), {});
    }
    std::sort(times.begin(), times.end());
    std::printf("aria2: 1,000 songs in one multicall, median of 5: %.1f ms\n", times[2]);
    manager.call(QStringLiteral("aria2.forceShutdown"), {});
}

void appendAlbum() {
    QTemporaryDir folder;
    QStringEncoder gbk("GB18030");
    QByteArray album;
    for (int i = 0; i < 5000; ++i)
        album += gbk(QStringLiteral("MP3→月亮代表我的心 第%1版 - 陈嘉怡\r\n%2/song%1.mp3\r\n")
                         .arg(i)
                         .arg(QStringLiteral("%E9%99%88")));
    const QString path = folder.filePath(QStringLiteral("album.hdm"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(album);
    f.close();
    std::vector<double> times;
    for (int round = 0; round < 9; ++round) {
        SongList list;
        QElapsedTimer t;
        t.start();
        MusicLibrary::InputSong(path, list, QStringLiteral("rtsp://127.0.0.1:18144/realmusicll/"));
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("album of 5,000 songs appended with InputSong, median of 9: %.2f ms\n", times[4]);
}
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    TestHttpServer http;
    http.server.Get("/large.bin", [](const httplib::Request &, httplib::Response &res) {
        static const std::string block(64 * 1024, 'x');
        res.set_content_provider(
            LargeBytes, "application/octet-stream",
            [](size_t offset, size_t length, httplib::DataSink &sink) {
                sink.write(block.data(),
                           std::min(length, std::min(block.size(), LargeBytes - offset)));
                return true;
            });
    });
    http.start();
    largeDownload(http);
    largeDownloadInTheDialog(http);
    handToAria2(http);
    appendAlbum();
    return 0;
}
