// The update installer for real, against a real HTTP server on this machine: it is kept in a
// private folder and started only when it came whole from a trusted address; and the start of
// the program with a newer version announced, in a child process: the message, the installer
// started (it leaves a marker), the process ended before the window, the playlist untouched.
#include "net/test_http_server.h"
#include "platform/private_installer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {
const std::string Script = "#!/bin/sh\necho ran > \"$TONAPLY_TEST_MARKER\"\n";

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestUpdate : public QObject {
    Q_OBJECT
    TestHttpServer http;
    QTemporaryDir scratch;
    QString marker;

private slots:
    void initTestCase() {
        http.server.Get("/setup.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(Script, "application/octet-stream");
        });
        http.server.Get("/chunked.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_chunked_content_provider("application/octet-stream",
                                             [](size_t, httplib::DataSink &sink) {
                                                 sink.write(Script.data(), Script.size());
                                                 sink.done();
                                                 return true;
                                             });
        });
        http.server.Get("/short.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_content_provider(Script.size() * 4, "application/octet-stream",
                                     [](size_t offset, size_t, httplib::DataSink &sink) {
                                         if (offset > 0)
                                             return false; // the connection is cut
                                         sink.write(Script.data(), Script.size());
                                         return true;
                                     });
        });
        http.server.Get("/garbage.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(std::string("\x7f"
                                        "ELF, but not a program"),
                            "application/octet-stream");
        });
        http.server.Get("/moved.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_redirect("/setup.exe");
        });
        http.server.Get("/new/tnplversion.txt",
                        [](const httplib::Request &, httplib::Response &res) {
                            res.set_content("1.44", "text/plain");
                        });
        http.server.Get("/same/tnplversion.txt",
                        [](const httplib::Request &, httplib::Response &res) {
                            res.set_content("1.43", "text/plain");
                        });
        http.start();
        marker = scratch.filePath("marker");
        qputenv("TONAPLY_TEST_MARKER", marker.toLocal8Bit());
    }

    void init() { QFile::remove(marker); }

    // Refused: addresses it may not run from (plain text from another machine, other
    // schemes), and an installer that did not come whole or came from elsewhere. Nothing is
    // left behind.
    void refusedInstallersLeaveNothing_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("plain http from another machine") << "http://192.0.2.1/setup.exe";
        QTest::newRow("plain http by name") << "http://example.invalid/setup.exe";
        QTest::newRow("ftp") << "ftp://127.0.0.1/setup.exe";
        QTest::newRow("a file") << "file:///bin/sh";
        QTest::newRow("missing (404)") << http.url("/none.exe");
        QTest::newRow("no length announced") << http.url("/chunked.exe");
        QTest::newRow("cut off before its length") << http.url("/short.exe");
        QTest::newRow("redirected") << http.url("/moved.exe");
        QTest::newRow("nobody listening") << "http://127.0.0.1:9/setup.exe";
    }
    void refusedInstallersLeaveNothing() {
        QFETCH(QString, url);
        QTemporaryDir base;
        PrivateInstaller installer(base.path());
        QVERIFY(!installer.download(url));
        QVERIFY(installer.path().isEmpty());
        QVERIFY(QDir(base.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
        installer.start(); // nothing to start
        QTest::qWait(200);
        QVERIFY(!QFile::exists(marker));
    }

    void trustedSources_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("trusted");
        QTest::newRow("https") << "https://tonaply.example/setup.exe" << true;
        QTest::newRow("loopback") << "http://127.0.0.1:18143/setup.exe" << true;
        QTest::newRow("localhost") << "http://localhost/setup.exe" << true;
        QTest::newRow("loopback v6") << "http://[::1]/setup.exe" << true;
        QTest::newRow("lan") << "http://192.168.1.2/setup.exe" << false;
        QTest::newRow("look-alike host") << "http://127.0.0.1.example/setup.exe" << false;
        QTest::newRow("empty") << "" << false;
    }
    void trustedSources() {
        QFETCH(QString, url);
        QFETCH(bool, trusted);
        QCOMPARE(PrivateInstaller::TrustedSource(url), trusted);
    }

    void aWholeInstallerIsKeptPrivatelyAndStarts() {
        QTemporaryDir base;
        PrivateInstaller installer(base.path());
        QVERIFY(installer.download(http.url("/setup.exe")));
        const QFileInfo file(installer.path());
        QCOMPARE(fileBytes(file.filePath()), QByteArray::fromStdString(Script));
        QCOMPARE(file.fileName(), QStringLiteral("setup.exe"));
        QCOMPARE(file.permissions() & 0x0777 &
                     ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::Permissions{});
        const QFileInfo folder(file.absolutePath());
        QCOMPARE(folder.absoluteDir().absolutePath(), QDir(base.path()).absolutePath());
        QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                         QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
                 QFile::Permissions{});
        installer.start();
        QTRY_COMPARE_WITH_TIMEOUT(fileBytes(marker), QByteArray("ran\n"), 10000);
    }

    // The program's start, in a child process.
    void theStartWithAVersionFile_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<bool>("windowShown");
        QTest::addColumn<bool>("installerRan");
        const QString up = QStringLiteral("message: 软件已升级，即将下载最新版本并安装！");
        const QString failed = QStringLiteral("message: 升级失败，请稍候重试！");
        QTest::newRow("newer version")
            << http.url("/new/") << http.url("/setup.exe") << QStringList{up} << false << true;
        QTest::newRow("download fails") << http.url("/new/") << http.url("/none.exe")
                                        << QStringList{up, failed} << false << false;
        QTest::newRow("installer in plain text from afar")
            << http.url("/new/") << "http://192.0.2.1/setup.exe" << QStringList{up, failed} << false
            << false;
        QTest::newRow("installer that cannot start")
            << http.url("/new/") << http.url("/garbage.exe") << QStringList{up} << false << false;
        QTest::newRow("same version")
            << http.url("/same/") << http.url("/setup.exe") << QStringList{} << true << false;
        QTest::newRow("server down")
            << "http://127.0.0.1:9/" << http.url("/setup.exe") << QStringList{} << true << false;
        QTest::newRow("server hangs")
            << "hang" << http.url("/setup.exe") << QStringList{} << true << false;
    }
    void theStartWithAVersionFile() {
        QFETCH(QString, data);
        QFETCH(QString, setup);
        QFETCH(QStringList, said);
        QFETCH(bool, windowShown);
        QFETCH(bool, installerRan);
        // A server that takes the connection and never answers.
        QTcpServer silent;
        if (data == QLatin1String("hang")) {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            data = QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort());
        }
        QTemporaryDir app, installers;
        const QByteArray playlist("MP3\xa1\xfa\xd4\xc2\xc1\xc1\r\nhttp://a/1.mp3\r\n");
        const QString playlistPath = app.filePath(QStringLiteral("播放列表.hdm"));
        {
            QFile f(playlistPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(playlist);
        }
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        program.start(QStringLiteral(TONAPLY_UPDATE_PROGRAM),
                      {data, setup, app.path(), installers.path()});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QStringList out =
            QString::fromUtf8(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QStringList messages = out.filter(QStringLiteral("message: "));
        QCOMPARE(messages, said);
        QCOMPARE(out.contains(QStringLiteral("window shown")), windowShown);
        if (installerRan)
            QTRY_COMPARE_WITH_TIMEOUT(fileBytes(marker), QByteArray("ran\n"), 10000);
        else
            QVERIFY(!QFile::exists(marker));
        if (!windowShown)
            QCOMPARE(fileBytes(playlistPath), playlist);
        qInfo("the start took %lld ms", static_cast<long long>(clock.elapsed()));
    }
};

QTEST_GUILESS_MAIN(TestUpdate)
#include "tst_update.moc"
