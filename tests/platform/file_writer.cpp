// Writes one of the program's files over and over, two versions in turn, until it is killed:
// the program caught by a SIGKILL at any moment of a write. Prints "ready" once the first
// version is whole.
// Usage: file_writer flash|download|aria2 FOLDER
#include "fakes/fake_dialogs.h"
#include "fakes/fake_transfer.h"
#include "flash/flash_catalogue.h"
#include "flash/flash_update.h"
#include "net/test_http_server.h"
#include "platform/aria2_download_manager.h"
#include "platform/file_download.h"
#include "whole_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <cstdio>

namespace {
void ready(bool &said) {
    if (said)
        return;
    said = true;
    std::puts("ready");
    std::fflush(stdout);
}

[[noreturn]] void flash(const QString &folder) {
    FakeTransferFactory network;
    FakeDialogs dialogs;
    bool said = false;
    for (int round = 0;; ++round) {
        const QChar version = round % 2 ? 'B' : 'A';
        network.files.insert(
            FlashCatalogue::ServerFileUrl(WholeFiles::Server, FlashCatalogue::MarkerFile()),
            QStringLiteral("x.swf"));
        for (const QString &file : FlashCatalogue::FetchOrder())
            network.files.insert(FlashCatalogue::ServerFileUrl(WholeFiles::Server, file),
                                 WholeFiles::FlashText(version, file));
        FlashUpdate update(network, dialogs, WholeFiles::Server, folder);
        QEventLoop wait;
        QObject::connect(&update, &FlashUpdate::finished, &wait, &QEventLoop::quit);
        update.start(true);
        wait.exec();
        ready(said);
    }
}

[[noreturn]] void download(const QString &folder) {
    TestHttpServer http;
    const std::string a = WholeFiles::SongBytes('A').toStdString();
    const std::string b = WholeFiles::SongBytes('B').toStdString();
    http.server.Get("/a.mp3", [&](const httplib::Request &, httplib::Response &res) {
        res.set_content(a, "audio/mpeg");
    });
    http.server.Get("/b.mp3", [&](const httplib::Request &, httplib::Response &res) {
        res.set_content(b, "audio/mpeg");
    });
    http.start();
    QNetworkAccessManager manager;
    bool said = false;
    for (int round = 0;; ++round) {
        FileDownload song(manager, QUrl(http.url(round % 2 ? "/b.mp3" : "/a.mp3")),
                          QDir(folder).filePath(WholeFiles::SongName));
        QEventLoop wait;
        QObject::connect(&song, &FileDownload::finished, &wait, &QEventLoop::quit);
        wait.exec();
        ready(said);
    }
}

[[noreturn]] void aria2(const QString &folder) {
    // A program that ends at once: every opening writes the secret and the state anew.
    Aria2DownloadManager::Options options;
    options.program = QStringLiteral("/bin/true");
    options.stateFile = QDir(folder).filePath(WholeFiles::Aria2State);
    options.downloadFolder = QDir(folder).filePath(QStringLiteral("downloads"));
    options.startTimeoutMs = 0;
    bool said = false;
    for (;;) {
        Aria2DownloadManager manager(options);
        manager.open();
        ready(said);
    }
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (kind == QLatin1String("flash"))
        flash(folder);
    if (kind == QLatin1String("download"))
        download(folder);
    if (kind == QLatin1String("aria2"))
        aria2(folder);
    return 2;
}
