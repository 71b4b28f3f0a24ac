#include "mpris_service.h"

#include "app/player/stream_player.h"
#include "lists/playback_controller.h"

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QWidget>

const QString MprisService::ServiceName = QStringLiteral("org.mpris.MediaPlayer2.tonaply");
const QString MprisService::DesktopEntry = QStringLiteral("org.tonaply.Tonaply");

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

class RootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)
public:
    RootAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), service_(service) {}
    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const { return QStringLiteral("Tonaply"); }
    QString desktopEntry() const { return MprisService::DesktopEntry; }
    QStringList none() const { return {}; }
public slots:
    void Raise() { service_->Raise(); }
    void Quit() { service_->Quit(); }

private:
    MprisService *service_;
};

class PlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ yes)
public:
    PlayerAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), service_(service) {}
    QString playbackStatus() const { return service_->playbackStatus(); }
    double rate() const { return 1.0; }
    QVariantMap metadata() const { return service_->metadata(); }
    double volume() const { return service_->player().volume() / 100.0; }
    qlonglong position() const {
        return static_cast<qlonglong>(service_->player().position() * 1e6);
    }
    bool canGoNext() const { return service_->canGoNext(); }
    bool canGoPrevious() const { return service_->canGoPrevious(); }
    bool yes() const { return true; }
    bool no() const { return false; }
public slots:
    void Play() { service_->Play(); }
    void Pause() { service_->Pause(); }
    void PlayPause() { service_->PlayPause(); }
    void Stop() { service_->Stop(); }
    void Next() { service_->Next(); }
    void Previous() { service_->Previous(); }
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath &, qlonglong) {}
    void OpenUri(const QString &) {}

private:
    MprisService *service_;
};
} // namespace

MprisService::MprisService(StreamPlayer &player, PlaybackController &playback, QWidget &mainWindow,
                           QDBusConnection bus, QObject *parent)
    : QObject(parent), player_(player), playback_(playback), mainWindow_(mainWindow),
      bus_(std::move(bus)) {
    new RootAdaptor(this);
    new PlayerAdaptor(this);
    connect(&player_, &StreamPlayer::playStateChanged, this, [this] {
        changed({{QStringLiteral("PlaybackStatus"), playbackStatus()}});
    });
    connect(&playback_, &PlaybackController::openedSongNameChanged, this,
            [this](const QString &text) {
                QString title = text;
                if (title.startsWith(QStringLiteral("→")))
                    title.remove(0, 1);
                if (title == title_)
                    return;
                title_ = title;
                ++track_;
                changed({{QStringLiteral("Metadata"), metadata()}});
            });
    connect(&playback_, &PlaybackController::prevNextChanged, this,
            [this](bool hasPrevious, bool hasNext) {
                if (hasPrevious == hasPrevious_ && hasNext == hasNext_)
                    return;
                hasPrevious_ = hasPrevious;
                hasNext_ = hasNext;
                changed({{QStringLiteral("CanGoPrevious"), hasPrevious},
                         {QStringLiteral("CanGoNext"), hasNext}});
            });
    if (!bus_.isConnected())
        return;
    registered_ = bus_.registerObject(ObjectPath, this) && bus_.registerService(ServiceName);
}

MprisService::~MprisService() {
    if (registered_) {
        bus_.unregisterService(ServiceName);
        bus_.unregisterObject(ObjectPath);
    }
}

QString MprisService::playbackStatus() const {
    switch (player_.playState()) {
    case StreamPlayer::Paused:
        return QStringLiteral("Paused");
    case StreamPlayer::Stopped:
        return QStringLiteral("Stopped");
    default:
        return QStringLiteral("Playing");
    }
}

QVariantMap MprisService::metadata() const {
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(
                   track_ > 0 ? QStringLiteral("/org/tonaply/track/%1").arg(track_)
                              : QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"))));
    if (!title_.isEmpty())
        map.insert(QStringLiteral("xesam:title"), title_);
    return map;
}

void MprisService::changed(const QVariantMap &properties) {
    if (!registered_)
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << properties << QStringList();
    bus_.send(signal);
}

void MprisService::Play() {
    if (player_.playState() == StreamPlayer::Paused)
        player_.setPaused(false);
    else if (player_.playState() == StreamPlayer::Stopped)
        player_.play();
}

void MprisService::Pause() {
    if (player_.playState() != StreamPlayer::Stopped && player_.playState() != StreamPlayer::Paused)
        player_.setPaused(true);
}

void MprisService::PlayPause() {
    if (player_.playState() == StreamPlayer::Paused || player_.playState() == StreamPlayer::Stopped)
        Play();
    else
        Pause();
}

void MprisService::Stop() {
    player_.stop();
}

void MprisService::Next() {
    playback_.DoNextItem();
}

void MprisService::Previous() {
    playback_.DoPrevItem();
}

void MprisService::Raise() {
    mainWindow_.setWindowState(mainWindow_.windowState() & ~Qt::WindowMinimized);
    mainWindow_.show();
    mainWindow_.raise();
    mainWindow_.activateWindow();
}

void MprisService::Quit() {
    // Closing the main window ends the program as its close button does.
    mainWindow_.close();
}

#include "mpris_service.moc"
