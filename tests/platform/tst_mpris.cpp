// Tonaply on a media bus of its own (a private dbus-daemon): a client of the bus reads what
// the player plays, sees the changes announced, and drives the player; without a bus the
// program goes on without it.
#include "fakes/fake_session.h"
#include "lists/playback_controller.h"
#include "platform/mpris_service.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

const QString Path = QStringLiteral("/org/mpris/MediaPlayer2");

// What the service announced with PropertiesChanged.
class Announcements : public QObject {
    Q_OBJECT
public:
    QStringList keys;
public slots:
    void changed(const QString &, const QVariantMap &properties, const QStringList &) {
        keys << properties.keys();
    }
};

// The service over fakes, on a connection of its own to the bus at address.
struct Served {
    FakeSession fakes;
    QWidget window;
    std::unique_ptr<MprisService> service;
    Served(const QString &address, const QString &name) {
        Session &session = fakes.make();
        service = std::make_unique<MprisService>(fakes.player, session.playback(), window,
                                                 QDBusConnection::connectToBus(address, name));
    }
};

class TestMpris : public QObject {
    Q_OBJECT
    QProcess daemon;
    QString address;

    QVariant property(const QString &interface, const QString &name) {
        QDBusConnection client(QStringLiteral("client"));
        QDBusMessage call = QDBusMessage::createMethodCall(
            MprisService::ServiceName, Path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        call << interface << name;
        const QDBusMessage reply = client.call(call, QDBus::BlockWithGui, 5000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    void callPlayer(const QString &method) {
        QDBusConnection client(QStringLiteral("client"));
        const QDBusMessage reply = client.call(
            QDBusMessage::createMethodCall(MprisService::ServiceName, Path,
                                           QStringLiteral("org.mpris.MediaPlayer2.Player"), method),
            QDBus::BlockWithGui, 5000);
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    }

private slots:
    void initTestCase() {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {"--session", "--nofork", "--nopidfile", "--print-address=1"});
        QVERIFY(daemon.waitForStarted(5000));
        QVERIFY(daemon.waitForReadyRead(5000));
        address = QString::fromLatin1(daemon.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
        QVERIFY(QDBusConnection::connectToBus(address, QStringLiteral("client")).isConnected());
    }
    void cleanupTestCase() {
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        daemon.kill();
        daemon.waitForFinished();
    }

    void theRootInterface() {
        Served served(address, QStringLiteral("root"));
        QWidget &window = served.window;
        QVERIFY(served.service->registered());
        const QString root = QStringLiteral("org.mpris.MediaPlayer2");
        QCOMPARE(property(root, "Identity").toString(), QStringLiteral("Tonaply"));
        QCOMPARE(property(root, "DesktopEntry").toString(), QStringLiteral("org.tonaply.Tonaply"));
        QCOMPARE(property(root, "CanRaise").toBool(), true);
        QCOMPARE(property(root, "CanQuit").toBool(), true);
        QDBusConnection client(QStringLiteral("client"));
        client.call(QDBusMessage::createMethodCall(MprisService::ServiceName, Path, root, "Raise"),
                    QDBus::BlockWithGui, 5000);
        QVERIFY(window.isVisible());
        client.call(QDBusMessage::createMethodCall(MprisService::ServiceName, Path, root, "Quit"),
                    QDBus::BlockWithGui, 5000);
        QVERIFY(!window.isVisible());
    }

    // The title of the song playing and the player's state, announced as they change; Next,
    // Previous, PlayPause and Stop reach the player; CanGoNext follows what the player has.
    void thePlayerFollowsWhatPlays() {
        Served served(address, QStringLiteral("player"));
        FakeSession &fakes = served.fakes;
        QVERIFY(served.service->registered());
        const QString player = QStringLiteral("org.mpris.MediaPlayer2.Player");
        QCOMPARE(property(player, "PlaybackStatus").toString(), QStringLiteral("Stopped"));
        QCOMPARE(property(player, "CanGoNext").toBool(), false);

        Announcements announced;
        QVERIFY(QDBusConnection(QStringLiteral("client"))
                    .connect(MprisService::ServiceName, Path,
                             QStringLiteral("org.freedesktop.DBus.Properties"),
                             QStringLiteral("PropertiesChanged"), &announced,
                             SLOT(changed(QString, QVariantMap, QStringList))));

        fakes.player.title = QStringLiteral("月亮代表我的心");
        fakes.player.next = true;
        fakes.player.raiseState(StreamPlayer::Playing);
        QCOMPARE(property(player, "PlaybackStatus").toString(), QStringLiteral("Playing"));
        const QVariantMap meta = qdbus_cast<QVariantMap>(property(player, "Metadata"));
        QCOMPARE(meta.value("xesam:title").toString(), QStringLiteral("月亮代表我的心"));
        QVERIFY(qdbus_cast<QDBusObjectPath>(meta.value("mpris:trackid"))
                    .path()
                    .startsWith("/org/tonaply/track/"));
        QCOMPARE(property(player, "CanGoNext").toBool(), true);
        QCOMPARE(property(player, "CanGoPrevious").toBool(), false);
        QTRY_VERIFY(announced.keys.contains("PlaybackStatus") &&
                    announced.keys.contains("Metadata") && announced.keys.contains("CanGoNext"));

        fakes.player.calls.clear();
        callPlayer("Next");
        callPlayer("Previous");
        callPlayer("PlayPause");
        callPlayer("Stop");
        QCOMPARE(fakes.player.calls, QStringList({"next", "previous", "paused:1", "stop"}));
        fakes.player.raiseState(StreamPlayer::Paused);
        fakes.player.calls.clear();
        callPlayer("PlayPause");
        callPlayer("Play");
        QCOMPARE(fakes.player.calls, QStringList({"paused:0", "paused:0"}));
    }

    void withoutABusTheProgramGoesOn() {
        FakeSession fakes;
        Session &session = fakes.make();
        QWidget window;
        MprisService service(
            fakes.player, session.playback(), window,
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"));
        QVERIFY(!service.registered());
        fakes.player.title = QStringLiteral("小城故事");
        fakes.player.raiseState(StreamPlayer::Playing);
        service.Next();
        QCOMPARE(fakes.player.calls.last(), QStringLiteral("next"));
    }
};

QTEST_MAIN(TestMpris)
#include "tst_mpris.moc"
