#pragma once

#include "app/player/stream_player.h"

#include <QStringList>

// Records what the program asks of the player; tests raise its events by hand.
class FakeStreamPlayer : public StreamPlayer {
public:
    QStringList calls;
    QString src;
    bool looping = false;
    bool reporting = false;
    int vol = 100;
    PlayState state = Stopped;
    bool next = false;
    bool previous = false;
    QString title;

    QString source() const override { return src; }
    void setSource(const QString &s) override {
        src = s;
        calls << "source:" + s;
    }
    void play() override { calls << "play"; }
    void stop() override { calls << "stop"; }
    void nextClip() override { calls << "next"; }
    void previousClip() override { calls << "previous"; }
    bool hasNextClip() const override { return next; }
    bool hasPreviousClip() const override { return previous; }
    bool loop() const override { return looping; }
    void setLoop(bool on) override {
        looping = on;
        calls << QStringLiteral("loop:%1").arg(on);
    }
    QString clipTitle() const override { return title; }
    QString componentVersion() const override { return QStringLiteral("mpv 0.0.0"); }
    int volume() const override { return vol; }
    void setVolume(int v) override {
        vol = v;
        calls << QStringLiteral("volume:%1").arg(v);
    }
    void fullScreen() override { calls << "fullscreen"; }
    void setMouseEventReporting(bool on) override { reporting = on; }
    bool mouseEventReporting() const override { return reporting; }
    void setFurtherOption(bool on) override { calls << QStringLiteral("further:%1").arg(on); }
    PlayState playState() const override { return state; }
    void setPaused(bool p) override { calls << QStringLiteral("paused:%1").arg(p); }
    double position() const override { return 0; }
    double duration() const override { return 0; }
    void seek(double s) override { calls << QStringLiteral("seek:%1").arg(s); }
    QString lastError() const override { return {}; }
    QWidget *videoSurface() override { return nullptr; }

    // Raises the play-state event as the player would.
    void raiseState(PlayState s) {
        state = s;
        emit playStateChanged(s);
    }
};
