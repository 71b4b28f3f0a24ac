#pragma once

#include "app/player/media_player.h"
#include "app/player/player_factory.h"
#include "fake_stream_player.h"

#include <QList>
#include <QPointer>
#include <QStringList>

// The TV player as a test sees it: what it was asked, nothing played.
class FakeMediaPlayer : public MediaPlayer {
public:
    using MediaPlayer::MediaPlayer;
    QStringList calls;
    QString current;
    void setUrl(const QString &u) override {
        current = u;
        calls << "url:" + u;
    }
    QString url() const override { return current; }
    void close() override { calls << "close"; }
    void setFullScreen(bool on) override { calls << QStringLiteral("fullscreen:%1").arg(on); }
    bool isPlaying() const override { return false; }
    QWidget *videoSurface() override { return nullptr; }
};

// Makes fake players and keeps them in reach while their windows live.
class FakePlayerFactory : public PlayerFactory {
public:
    QList<QPointer<FakeStreamPlayer>> streamPlayers;
    QList<QPointer<FakeMediaPlayer>> mediaPlayers;
    StreamPlayer *newStreamPlayer(QObject *parent) override {
        auto *p = new FakeStreamPlayer;
        p->setParent(parent);
        streamPlayers << p;
        return p;
    }
    MediaPlayer *newMediaPlayer(QObject *parent) override {
        auto *p = new FakeMediaPlayer(parent);
        mediaPlayers << p;
        return p;
    }
    FakeStreamPlayer *lastStream() const {
        return streamPlayers.isEmpty() ? nullptr : streamPlayers.last().data();
    }
    FakeMediaPlayer *lastMedia() const {
        return mediaPlayers.isEmpty() ? nullptr : mediaPlayers.last().data();
    }
};
