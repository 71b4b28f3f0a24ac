#pragma once

#include "server_endpoints.h"

#include <QObject>
#include <QString>
#include <memory>

class Clipboard;
class Dialogs;
class DownloadDialog;
class DownloadManager;
class FlashPlayerFactory;
class HttpTransfer;
class Installer;
class PlaybackController;
class PlayerFactory;
class Shell;
class SongList;
class StreamPlayer;
class TransferFactory;

// What the program's windows share, made once at start: the playlist, the player with its
// playback controller, the server endpoints with the album streaming base, the ports of the
// desktop and what makes network requests. Windows, the tray and the media keys work on it;
// none reaches into another window for these.
class Session : public QObject {
    Q_OBJECT
public:
    // The desktop's services; the session uses them, main.cpp (or a test) owns them.
    struct Ports {
        Dialogs &dialogs;
        Clipboard &clipboard;
        Shell &shell;
        // The main window's streaming player (RealAudio1).
        StreamPlayer &realAudio1;
        TransferFactory &network;
        // Where songs are downloaded: the program's own dialog, and the download manager.
        DownloadDialog &downloadDialog;
        DownloadManager &downloadManager;
        // The players of the windows that have their own (movie, MTV, TV).
        PlayerFactory &players;
        // The Flash gallery's player, loaded when the first animation plays.
        FlashPlayerFactory &flash;
        // The installer of a newer version, which the start-up check runs.
        Installer &installer;
    };

    // appFolder: the playlist, start music and albums; metafileFolder: a private folder of
    // this user's for player metafiles.
    Session(Ports ports, ServerEndpoints endpoints, QString appFolder, QString metafileFolder,
            QObject *parent = nullptr);
    ~Session() override;

    Dialogs &dialogs() const { return ports_.dialogs; }
    Clipboard &clipboard() const { return ports_.clipboard; }
    Shell &shell() const { return ports_.shell; }
    StreamPlayer &player() const { return ports_.realAudio1; }
    TransferFactory &network() const { return ports_.network; }
    DownloadDialog &downloadDialog() const { return ports_.downloadDialog; }
    DownloadManager &downloadManager() const { return ports_.downloadManager; }
    PlayerFactory &players() const { return ports_.players; }
    FlashPlayerFactory &flash() const { return ports_.flash; }
    Installer &installer() const { return ports_.installer; }
    const ServerEndpoints &endpoints() const { return endpoints_; }
    const QString &appFolder() const { return appFolder_; }

    SongList &playList() const { return *playList_; }
    PlaybackController &playback() const { return *playback_; }

    // The album songs' streaming base, read from the data server at start.
    const QString &StreamBaseUrl() const { return streamBaseUrl_; }
    // Reads it on a transfer of its own, so a search started meanwhile cannot disturb it.
    void LoadStreamBaseUrl();

private:
    // Said once: without the player songs cannot play, but searching and the lists work.
    void playerUnavailable();

    Ports ports_;
    ServerEndpoints endpoints_;
    QString appFolder_;
    SongList *playList_;
    PlaybackController *playback_;
    QString streamBaseUrl_;
    bool unavailableSaid_ = false;
};
