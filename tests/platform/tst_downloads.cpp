// The download dialog and aria2, for real: files fetched from a loopback server land whole
// under their names, and every way a download can go wrong leaves no half file there.
#include "fakes/fake_dialogs.h"
#include "net/dripping_server.h"
#include "net/test_http_server.h"
#include "platform/aria2_download_manager.h"
#include "platform/file_download.h"
#include "platform/qt_download_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
const std::string Body = [] {
    std::string b;
    for (int i = 0; i < 300000; ++i)
        b += static_cast<char>('a' + i % 26);
    return b;
}();

void serveSongs(TestHttpServer &http) {
    http.server.Get("/song.mp3", [](const httplib::Request &, httplib::Response &res) {
        res.set_content(Body, "audio/mpeg");
    });
    // Announces the whole body, sends half, then drops the connection.
    http.server.Get("/dropped.mp3", [](const httplib::Request &, httplib::Response &res) {
        res.set_content_provider(
            Body.size(), "audio/mpeg", [](size_t offset, size_t length, httplib::DataSink &sink) {
                if (offset >= Body.size() / 2)
                    return false;
                sink.write(Body.data() + offset, std::min<size_t>(length, 4096));
                return true;
            });
    });
    http.server.Get("/missing.mp3", [](const httplib::Request &, httplib::Response &res) {
        res.status = 404;
        res.set_content("<html>not found</html>", "text/html");
    });
}

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}
} // namespace

class TestDownloads : public QObject {
    Q_OBJECT
private slots:
    void aDownloadLandsWholeUnderItsNameWithProgressToTheEnd() {
        TestHttpServer http;
        serveSongs(http);
        http.start();
        QTemporaryDir folder;
        QNetworkAccessManager network;
        const QString path = folder.filePath("歌.mp3");
        FileDownload download(network, QUrl(http.url("/song.mp3")), path);
        QSignalSpy progress(&download, &FileDownload::progress);
        QSignalSpy finished(&download, &FileDownload::finished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished[0][0].toBool(), true);
        QCOMPARE(fileBytes(path), QByteArray::fromStdString(Body));
        QCOMPARE(progress.last()[0].toLongLong(), static_cast<qint64>(Body.size()));
        QCOMPARE(progress.last()[1].toLongLong(), static_cast<qint64>(Body.size()));
        QCOMPARE(filesIn(folder.path()), QStringList{"歌.mp3"});
    }

    void aFailedDownloadLeavesNoFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("404") << "/missing.mp3"
                             << "服务器回答 404";
        QTest::newRow("dropped half way") << "/dropped.mp3"
                                          << "服务器中途断开了连接";
    }
    void aFailedDownloadLeavesNoFile() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        TestHttpServer http;
        serveSongs(http);
        http.start();
        QTemporaryDir folder;
        QNetworkAccessManager network;
        FileDownload download(network, QUrl(http.url(path)), folder.filePath("歌.mp3"));
        QSignalSpy finished(&download, &FileDownload::finished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished[0][0].toBool(), false);
        QVERIFY2(finished[0][1].toString().startsWith(reason),
                 qPrintable(finished[0][1].toString()));
        QCOMPARE(filesIn(folder.path()), QStringList());
    }

    void aCancelledDownloadLeavesNoFileAndTheOldOneWhole() {
        DrippingServer drip(5);
        QTemporaryDir folder;
        const QString path = folder.filePath("歌.mp3");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old song");
        old.close();
        QNetworkAccessManager network;
        FileDownload download(network, QUrl(drip.url("/slow.mp3")), path);
        QSignalSpy progress(&download, &FileDownload::progress);
        QSignalSpy finished(&download, &FileDownload::finished);
        QVERIFY(progress.wait(5000));
        download.cancel();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][1].toString(), QString());
        QCOMPARE(fileBytes(path), QByteArray("old song"));
        QCOMPARE(filesIn(folder.path()), QStringList{"歌.mp3"});
    }

    void aFileThatCannotBeWrittenIsSaid() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("歌.mp3")); // a folder stands where the file would go
        QNetworkAccessManager network;
        FileDownload download(network, QUrl("http://127.0.0.1:1/x.mp3"), folder.filePath("歌.mp3"));
        QSignalSpy finished(&download, &FileDownload::finished);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished[0][0].toBool(), false);
        QVERIFY(finished[0][1].toString().startsWith(QStringLiteral("无法写入文件")));
    }

    // A disk that fills up half way (a file size limit stands in for it): said, and no file.
    void aFullDiskLeavesNoFile() {
        TestHttpServer http;
        serveSongs(http);
        http.start();
        QTemporaryDir folder;
        QNetworkAccessManager network;
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 100 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        FileDownload download(network, QUrl(http.url("/song.mp3")), folder.filePath("歌.mp3"));
        QSignalSpy finished(&download, &FileDownload::finished);
        const bool ended = finished.wait(10000);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(ended);
        QCOMPARE(finished[0][0].toBool(), false);
        QVERIFY(finished[0][1].toString().startsWith(QStringLiteral("无法写入文件")));
        QCOMPARE(filesIn(folder.path()), QStringList());
    }

    // The dialog: the Save dialog opens on the folder with the song's file name; stream
    // addresses, a second download to the same file and a declined replacement go no further.
    void theDialogSuggestsTheNameAndGuardsTheFile() {
        TestHttpServer http;
        serveSongs(http);
        http.start();
        QTemporaryDir folder;
        FakeDialogs dialogs;
        QtDownloadDialog dialog(dialogs, folder.path());

        dialog.download(QStringLiteral("rtsp://h/a.rm"), QStringLiteral("歌"));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.suggestedPaths.isEmpty());

        const QString path = folder.filePath("月亮.mp3");
        dialogs.fileAnswers << path << path;
        dialog.download(http.url("/song.mp3"), QStringLiteral("月亮"));
        QCOMPARE(dialogs.suggestedPaths, QStringList{path});
        QCOMPARE(dialog.running(), 1);
        dialog.download(http.url("/song.mp3"), QStringLiteral("月亮"));
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages[1].text, QtDownloadDialog::AlreadyRunningText(path));
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(path), QByteArray::fromStdString(Body), 10000);
        QTRY_COMPARE(dialog.running(), 0);

        dialogs.fileAnswers << path;
        dialogs.confirmAnswers << false;
        dialog.download(http.url("/missing.mp3"), QStringLiteral("月亮"));
        QCOMPARE(dialogs.questions, QStringList{QtDownloadDialog::ReplaceQuestion(path)});
        QCOMPARE(dialog.running(), 0);

        // A failure closes the window and says why.
        dialogs.fileAnswers << folder.filePath("没有.mp3");
        dialog.download(http.url("/missing.mp3"), QStringLiteral("没有"));
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages.size(), 3, 10000);
        QVERIFY(dialogs.messages[2].text.startsWith(QStringLiteral("下载失败：服务器回答 404")));
        QCOMPARE(dialogs.messages[2].icon, Dialogs::Icon::Warning);
        QVERIFY(!QFile::exists(folder.filePath("没有.mp3")));
    }

    // aria2 for real: started on demand, found again by a second program, songs land under
    // their names, a list lands in order; a secret that does not match is refused.
    void aria2TakesOneSongAndAListAndIsFoundAgain() {
        if (QStandardPaths::findExecutable("aria2c").isEmpty())
            QSKIP("aria2c is not installed");
        TestHttpServer http;
        serveSongs(http);
        http.start();
        QTemporaryDir folder;
        Aria2DownloadManager::Options options;
        options.stateFile = folder.filePath("aria2.json");
        options.downloadFolder = folder.filePath("downloads");
        Aria2DownloadManager manager(options);
        QVERIFY(manager.open());
        const qint64 pid = manager.pid();
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(options.stateFile).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);

        QVERIFY(manager.AddUrl(http.url("/song.mp3"), QString(), QStringLiteral("月亮")));
        QVERIFY(manager.AddUrlList({QStringLiteral("http://maker.example/"), http.url("/song.mp3"),
                                    QStringLiteral("一"), http.url("/song.mp3"),
                                    QStringLiteral("二")}));
        const QString downloads = options.downloadFolder;
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(downloads + "/月亮.mp3"),
                                  QByteArray::fromStdString(Body), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(downloads + "/二.mp3"), QByteArray::fromStdString(Body),
                                  10000);
        QCOMPARE(fileBytes(downloads + "/一.mp3"), QByteArray::fromStdString(Body));
        // The downloads window's view of them: each finished, under its name.
        QStringList listed;
        for (const DownloadManager::Entry &e : manager.downloads()) {
            QCOMPARE(e.state, QStringLiteral("complete"));
            QCOMPARE(e.done, static_cast<qint64>(Body.size()));
            listed << e.name;
        }
        listed.sort();
        QCOMPARE(listed, QStringList({"一.mp3", "二.mp3", "月亮.mp3"}));
        QVERIFY(manager.remove(manager.downloads().first().id));
        QCOMPARE(manager.downloads().size(), 2);
        QVERIFY(manager.AddUrlList({QStringLiteral("http://maker.example/")})); // no song

        Aria2DownloadManager again(options);
        QVERIFY(again.open());
        QCOMPARE(again.pid(), pid);

        // aria2 dies: the next hand-off starts a new one, with a new secret.
        const QByteArray oldState = fileBytes(options.stateFile);
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        QTRY_VERIFY(!Aria2DownloadManager::Listens(pid, manager.port()));
        QVERIFY(manager.open()); // as every hand-off begins
        QVERIFY(manager.AddUrl(http.url("/song.mp3"), QString(), QStringLiteral("再来")));
        QVERIFY(manager.pid() != pid);
        QVERIFY(fileBytes(options.stateFile) != oldState);
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(downloads + "/再来.mp3"),
                                  QByteArray::fromStdString(Body), 10000);

        // The recorded port now taken by another program (here a server of this test's, named
        // in the file as if it were aria2): it never sees the secret, and a new aria2 starts.
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::LocalHost));
        auto record = [&](int port, qint64 owner, const QString &secret) {
            QFile state(options.stateFile);
            QVERIFY(state.open(QIODevice::WriteOnly | QIODevice::Truncate));
            state.write(QStringLiteral("{\"port\":%1,\"pid\":%2,\"secret\":\"%3\"}")
                            .arg(port)
                            .arg(owner)
                            .arg(secret)
                            .toUtf8());
        };
        record(squatter.serverPort(), QCoreApplication::applicationPid(), "secret");
        Aria2DownloadManager stranger(options);
        QVERIFY(stranger.open());
        QVERIFY(stranger.pid() != manager.pid());
        QCoreApplication::processEvents();
        QVERIFY(!squatter.hasPendingConnections());
        // Our own aria2 with a secret that does not match: refused, and one of ours starts.
        record(stranger.port(), stranger.pid(), "wrong");
        Aria2DownloadManager mismatched(options);
        QVERIFY(mismatched.open());
        QVERIFY(mismatched.pid() != stranger.pid());
        mismatched.call(QStringLiteral("aria2.forceShutdown"), {});
        for (Aria2DownloadManager *m : {&manager, &stranger})
            m->call(QStringLiteral("aria2.forceShutdown"), {});
    }

    void aMissingAria2IsSaidAsNoManager() {
        QTemporaryDir folder;
        Aria2DownloadManager::Options options;
        options.program = folder.filePath("aria2c-not-installed");
        options.stateFile = folder.filePath("aria2.json");
        Aria2DownloadManager manager(options);
        QVERIFY(!manager.open());
        QVERIFY(!manager.AddUrl("http://h/x.mp3", {}, "x"));
        QVERIFY(!manager.AddUrlList({"m", "http://h/x.mp3", "x"}));
    }
};

QTEST_MAIN(TestDownloads)
#include "tst_downloads.moc"
