#pragma once

#include "app/player/media_player.h"
#include "app/player/player_factory.h"
#include "fake_stream_player.h"
#include "flash/flash_player.h"

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

// The Flash player as a test sees it: what it was asked; a test raises failed by hand.
class FakeFlashPlayer : public FlashPlayer {
public:
    using FlashPlayer::FlashPlayer;
    QStringList calls;
    QString url;
    void setMovie(const QString &u) override {
        url = u;
        calls << "movie:" + u;
    }
    QString movie() const override { return url; }
    void play() override { calls << "play"; }
    void stop() override { calls << "stop"; }
    QWidget *view() override { return nullptr; }
    void fail(const QString &reason) { emit failed(reason); }
};

// Makes fake Flash players, or none when the viewer is said to be missing.
class FakeFlashPlayerFactory : public FlashPlayerFactory {
public:
    bool installed = true;
    QList<QPointer<FakeFlashPlayer>> made;
    FlashPlayer *newFlashPlayer(QObject *parent, QString *reason) override {
        if (!installed) {
            if (reason)
                *reason = QStringLiteral("缺少播放组件");
            return nullptr;
        }
        auto *p = new FakeFlashPlayer(parent);
        made << p;
        return p;
    }
    FakeFlashPlayer *last() const { return made.isEmpty() ? nullptr : made.last().data(); }
};
