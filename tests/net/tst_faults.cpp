// Every network path of the program against a server that misbehaves in every way the real
// web does: each ends within its time-out with the behaviour the program gives a failed
// fetch (its fallback or its message), or reads the lying server's answer as well as it can,
// and no file it had is damaged.
#include "app/extra_windows.h"
#include "app/net/qt_http_transfer.h"
#include "app/player/mpv_stream_player.h"
#include "app/session.h"
#include "app/stream_base_url.h"
#include "app/version_check.h"
#include "channels/channel_program.h"
#include "channels/frm_net_channel.h"
#include "demo_server.h"
#include "fakes/fake_session.h"
#include "fault_front.h"
#include "flash/flash_catalogue.h"
#include "flash/flash_update.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "platform/file_download.h"
#include "platform/private_installer.h"
#include "search/search_flow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Fault::Kind;
Q_DECLARE_METATYPE(Fault::Kind)

namespace {
const QString Demo = QStringLiteral(TONAPLY_DEMO_DATA);
// Short time-outs, so a row that waits for one does not wait long; the drip is faster than
// any of them, so only an overall deadline ends it.
constexpr int TimeoutMs = 1500;
constexpr int DripMs = 200;
// A path that hangs is caught well before the test's own time-out.
constexpr int BoundMs = 3 * TimeoutMs + 4000;

enum class Path {
    StreamBase,
    VersionCheck,
    Search,
    Channels,
    FlashUpdate,
    Installer,
    Download,
    Playback
};

const char *name(Path path) {
    switch (path) {
    case Path::StreamBase:
        return "stream base";
    case Path::VersionCheck:
        return "version check";
    case Path::Search:
        return "search";
    case Path::Channels:
        return "channel catalogue";
    case Path::FlashUpdate:
        return "Flash update";
    case Path::Installer:
        return "installer";
    case Path::Download:
        return "song download";
    case Path::Playback:
        return "song playback";
    }
    return "";
}

// Whether the path gets a usable answer through the fault: the bytes all come, and a lying
// charset only garbles text. Text is capped in size; files (songs, the installer) are not, but
// an installer must announce its length.
bool getsThrough(Path path, Kind fault) {
    switch (fault) {
    case Kind::WrongCharset:
    case Kind::BadGb18030:
        return true;
    case Kind::Huge:
        return path == Path::Installer || path == Path::Download;
    case Kind::HugeUnsized:
        return path == Path::Download;
    default:
        return false;
    }
}

QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The program's session over the real network; the desktop's parts and players are fakes.
struct RealNetworkSession {
    QtTransferFactory network{TimeoutMs};
    FakePlayerFactory players;
    ChannelProgram program;
    FakeSession &fakes = program.fakes;
    std::unique_ptr<Session> &session = program.session;
    explicit RealNetworkSession(const QString &data) : program(network, players, data) {}
};
} // namespace

class TestFaults : public QObject {
    Q_OBJECT
    TestHttpServer http;

    QString through(const FaultFront &front, const QString &path = QStringLiteral("/")) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(front.port()).arg(path);
    }

private slots:
    void initTestCase() {
        QVERIFY(DemoServer::ServeEverything(http.server, Demo.toStdString()) > 0);
        http.start();
    }

    void everyPathThroughEveryFault_data() {
        QTest::addColumn<int>("path");
        QTest::addColumn<Kind>("fault");
        for (Path path : {Path::StreamBase, Path::VersionCheck, Path::Search, Path::Channels,
                          Path::FlashUpdate, Path::Installer, Path::Download, Path::Playback})
            for (Kind fault : Fault::All())
                QTest::addRow("%s, %s", name(path), Fault::Name(fault))
                    << static_cast<int>(path) << fault;
    }
    void everyPathThroughEveryFault() {
        QFETCH(int, path);
        QFETCH(Kind, fault);
        FaultFront front(fault, http.port(), DripMs);
        QVERIFY(front.start() > 0);
        const QString data = through(front);
        const bool through = getsThrough(static_cast<Path>(path), fault);
        QElapsedTimer clock;
        clock.start();

        switch (static_cast<Path>(path)) {
        case Path::StreamBase: {
            // The fallback, or the server's text; either way an RTSP base.
            RealNetworkSession s(data);
            s.session->LoadStreamBaseUrl();
            const QString base = s.session->StreamBaseUrl();
            if (through)
                QVERIFY2(base.contains(QStringLiteral("rtsp://127.0.0.1:18144/realmusicll/")),
                         qPrintable(base));
            else
                QCOMPARE(base, StreamBase::FallbackUrl());
            break;
        }
        case Path::VersionCheck: {
            // No answer is no update: nothing said, nothing installed, the start goes on.
            RealNetworkSession s(data);
            VersionCheck::Request request(s.network, data);
            const QString text = request.text();
            VersionCheck::GetNewVersion(request, s.fakes.dialogs, s.fakes.installer,
                                        data + "setup.exe", QStringLiteral("1.43"));
            if (through && fault == Kind::WrongCharset)
                QCOMPARE(text, QStringLiteral("1.43"));
            QVERIFY(s.fakes.dialogs.messages.isEmpty());
            QVERIFY(s.fakes.installer.calls.isEmpty());
            break;
        }
        case Path::Search: {
            // The search ends and unlocks the controls; nothing found offers the other engine.
            RealNetworkSession s(data);
            SongList list;
            const QString host = QStringLiteral("127.0.0.1:%1").arg(front.port());
            SearchFlow flow(list, s.network, {host, host}, s.fakes.dialogs);
            QSignalSpy unlocked(&flow, &SearchFlow::unlocked);
            flow.btnSearch_Click(QStringLiteral("月亮"), 0, 0);
            QTRY_COMPARE_WITH_TIMEOUT(unlocked.size(), 1, BoundMs);
            QVERIFY(!flow.isSearching());
            for (int i = 0; i < list.count(); ++i)
                QVERIFY(!list.name(i).isEmpty() && list.url(i).startsWith("http://"));
            if (through)
                QVERIFY(list.count() > 0);
            else
                QCOMPARE(s.fakes.dialogs.questions.size(), 1);
            break;
        }
        case Path::Channels: {
            // The window shows its catalogue, or says the server cannot be reached and goes.
            RealNetworkSession s(data);
            QPointer<frmNetChannel> w = s.program.open(ChannelCatalogue::Kind::Movie);
            QVERIFY(w);
            QTRY_VERIFY_WITH_TIMEOUT(!w || !w->isLoading(), BoundMs);
            if (through) {
                QVERIFY(w && w->isVisible());
                QVERIFY(w->channels().count() > 0);
                QVERIFY(s.fakes.dialogs.messages.isEmpty());
            } else {
                QCOMPARE(s.fakes.dialogs.messages.size(), 1);
                QCOMPARE(s.fakes.dialogs.messages[0].text,
                         QStringLiteral("无法连接上远程服务器以获取数据！"));
                QTRY_VERIFY(!w);
            }
            break;
        }
        case Path::FlashUpdate: {
            // The catalogue files the user had stay as they were unless a whole new one came.
            RealNetworkSession s(data);
            QTemporaryDir folder;
            const QByteArray old = "旧的目录\r\nhttp://h/old.swf";
            for (const QString &file : FlashCatalogue::FetchOrder())
                QVERIFY(write(folder.filePath(file), old));
            FlashUpdate update(s.network, s.fakes.dialogs, data, folder.path());
            QSignalSpy finished(&update, &FlashUpdate::finished);
            update.start(true);
            QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, BoundMs * 11);
            QCOMPARE(finished[0][0].toBool(), through);
            for (const QString &file : FlashCatalogue::FetchOrder()) {
                const QByteArray now = bytesOf(folder.filePath(file));
                if (through)
                    QVERIFY2(now != old && now.contains(".swf"), qPrintable(file));
                else
                    QCOMPARE(now, old);
            }
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(),
                     FlashCatalogue::FetchOrder().size());
            break;
        }
        case Path::Installer: {
            // Run only when it came whole; a failed one leaves nothing behind.
            QTemporaryDir base;
            PrivateInstaller installer(base.path(), TimeoutMs, 2 * TimeoutMs);
            const bool ok = installer.download(data + "media/song1.mp3");
            QCOMPARE(ok, through);
            QCOMPARE(QDir(base.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                     through ? 1 : 0);
            break;
        }
        case Path::Download: {
            // A song the user had under that name stays until a whole new one is there. The
            // silence that ends a download is counted on the body: a head that drips ends it.
            QTemporaryDir folder;
            const QString target = folder.filePath(QStringLiteral("歌.mp3"));
            QVERIFY(write(target, "the song as it was"));
            QNetworkAccessManager manager;
            FileDownload download(manager, QUrl(data + "media/song1.mp3"), target, nullptr,
                                  TimeoutMs);
            QSignalSpy finished(&download, &FileDownload::finished);
            QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, BoundMs);
            QCOMPARE(finished[0][0].toBool(), through);
            if (through) {
                QVERIFY(bytesOf(target).size() > 1000);
            } else {
                QCOMPARE(bytesOf(target), QByteArray("the song as it was"));
                QVERIFY(!finished[0][1].toString().isEmpty());
            }
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
            break;
        }
        case Path::Playback: {
            // The real player gives up (or plays what came) within its own network time-out,
            // and plays the next song from a sound server as if nothing had happened.
            MpvStreamPlayer player(
                false,
                {{"ao", "null"}, {"vo", "null"}, {"video", "no"}, {"network-timeout", "1.5"}});
            player.setSource(data + "media/song1.mp3");
            player.play();
            if (fault == Kind::Drip) {
                // A stream that trickles is a slow stream, not a dead one: it waits for more
                // until the user picks another song.
                QTest::qWait(2 * TimeoutMs);
                QVERIFY(player.playState() != StreamPlayer::Playing);
            } else {
                QTRY_VERIFY_WITH_TIMEOUT(
                    (player.playState() == StreamPlayer::Playing && player.position() > 0) ||
                        (player.playState() == StreamPlayer::Stopped &&
                         !player.lastError().isEmpty()),
                    BoundMs);
            }
            if (through && fault != Kind::BadGb18030)
                QCOMPARE(player.playState(), StreamPlayer::Playing);
            clock.restart();
            player.setSource(http.url("/media/song2.mp3"));
            player.play();
            QTRY_VERIFY_WITH_TIMEOUT(
                player.playState() == StreamPlayer::Playing && player.position() > 0, BoundMs);
            player.stop();
            break;
        }
        }
        QVERIFY2(clock.elapsed() < BoundMs * (path == int(Path::FlashUpdate) ? 11 : 1),
                 qPrintable(QString::number(clock.elapsed())));
    }

    // The server's own option: the front stands before the real server, and a bad answer
    // comes from the program that users run.
    void theServerTakesAFaultOption_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("answers");
        QTest::newRow("wrong charset") << "wrong-charset" << true;
        QTest::newRow("refuse") << "refuse" << false;
    }
    void theServerTakesAFaultOption() {
        QFETCH(QString, fault);
        QFETCH(bool, answers);
        QProcess server;
        server.start(QStringLiteral(TONAPLY_SERVER),
                     {"--port", "0", "--rtsp-port", "0", "--data", Demo, "--fault", fault});
        QVERIFY(server.waitForStarted());
        QString out;
        QRegularExpression address(QStringLiteral("http://127.0.0.1:(\\d+)/"));
        QTRY_VERIFY_WITH_TIMEOUT((out += server.readAllStandardOutput()).contains("misbehaves"),
                                 10000);
        const QString url = address.match(out).captured(0);
        QVERIFY(!url.isEmpty());
        QtHttpTransfer transfer;
        transfer.setTimeout(TimeoutMs);
        bool ok = false;
        const QString text = transfer.fetchText(url + "tnplversion.txt", &ok);
        QCOMPARE(ok, answers);
        QCOMPARE(text, answers ? QStringLiteral("1.43") : QString());
        server.terminate();
        QVERIFY(server.waitForFinished());
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
