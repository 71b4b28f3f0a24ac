#pragma once

#include "platform/platform_layer.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class PlaybackController;
class StreamPlayer;
class QWidget;

// Tonaply on the desktop's media bus (MPRIS 2, "org.mpris.MediaPlayer2.tonaply"): media keys
// and the desktop's media widgets see what the main window's player plays and drive it. The
// program runs the same without a session bus.
class MprisService : public QObject {
    Q_OBJECT
public:
    static const QString ServiceName;
    static const QString DesktopEntry;

    MprisService(StreamPlayer &player, PlaybackController &playback, QWidget &mainWindow,
                 QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~MprisService() override;

    // Whether the service is on the bus.
    bool registered() const { return registered_; }

    // What the Player interface reports.
    QString playbackStatus() const;
    QVariantMap metadata() const;
    bool canGoNext() const { return hasNext_; }
    bool canGoPrevious() const { return hasPrevious_; }

    // The Player interface's methods.
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    // The root interface's.
    void Raise();
    void Quit();

    StreamPlayer &player() const { return player_; }

private:
    void changed(const QVariantMap &properties);

    StreamPlayer &player_;
    PlaybackController &playback_;
    QWidget &mainWindow_;
    QDBusConnection bus_;
    bool registered_ = false;
    QString title_;
    int track_ = 0;
    bool hasPrevious_ = false, hasNext_ = false;
};
