#pragma once

#include "platform/platform_layer.h"

#include "media_player.h"
#include "mpv_core.h"

#include <QPointer>

class MpvVideoWidget;
class QNetworkAccessManager;
class QNetworkReply;

// The TV window's player on libmpv. mpv does not read ".asx" files: they are fetched and
// read here, and their entries handed to mpv as its play list.
class MpvMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit MpvMediaPlayer(bool withVideo, MpvCore::Options extraOptions = {},
                            QObject *parent = nullptr);
    ~MpvMediaPlayer() override;

    void setUrl(const QString &url) override;
    QString url() const override { return url_; }
    void close() override;
    void setFullScreen(bool on) override;
    bool isPlaying() const override { return playing_; }
    QWidget *videoSurface() override;

    static bool isAsx(const QString &url);

private:
    void playEntries(const QStringList &urls);
    void setPlaying(bool playing);

    MpvCore core_;
    QPointer<MpvVideoWidget> video_;
    QNetworkAccessManager *net_;
    QPointer<QNetworkReply> fetching_;
    QString url_;
    bool playing_ = false;
};
