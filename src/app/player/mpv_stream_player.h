#pragma once

#include "platform/platform_layer.h"

#include "mpv_core.h"
#include "stream_player.h"

#include <QPointer>

class MpvVideoWidget;

// The streaming player on libmpv. A metafile is handed to mpv as its play list.
class MpvStreamPlayer : public StreamPlayer {
    Q_OBJECT
public:
    // withVideo: draw video in a widget of its own (vo=libmpv); otherwise extraOptions
    // decide (tests use ao=null, vo=null).
    // startNow false: the player's core is made at startCore(), so that loading libmpv does
    // not compete with the window's own start.
    explicit MpvStreamPlayer(bool withVideo, MpvCore::Options extraOptions = {},
                             bool startNow = true, QObject *parent = nullptr);
    // A player that shows pictures from its first clip on (the movie and MTV windows): its
    // surface is there from the start and nothing plays before the surface can be drawn, so
    // the picture never has to be switched on during a clip.
    struct PicturesFromStart {};
    MpvStreamPlayer(PicturesFromStart, MpvCore::Options extraOptions, QObject *parent = nullptr);

    void startCore() { core_.start(); }
    ~MpvStreamPlayer() override;

    QString source() const override { return source_; }
    void setSource(const QString &source) override;
    void play() override;
    void stop() override;
    void nextClip() override;
    void previousClip() override;
    bool hasNextClip() const override;
    bool hasPreviousClip() const override;
    bool loop() const override { return loop_; }
    void setLoop(bool on) override;
    QString clipTitle() const override { return title_; }
    int volume() const override { return volume_; }
    void setVolume(int volume) override;
    void fullScreen() override;
    void setMouseEventReporting(bool on) override { reporting_ = on; }
    bool mouseEventReporting() const override { return reporting_; }
    void setFurtherOption(bool on) override { furtherOption_ = on; }
    PlayState playState() const override { return state_; }
    void setPaused(bool paused) override;
    double position() const override { return position_; }
    double duration() const override { return duration_; }
    void seek(double seconds) override;
    QString lastError() const override { return error_; }
    QWidget *videoSurface() override;
    QString componentVersion() const override;

    // A source that mpv should read as a play list (a .ram metafile), as a local path or URL.
    static bool isMetafile(const QString &source);
    // A "file://" source as mpv takes it: the local path.

private:
    void onProperty(const QByteArray &name, const QVariant &value);
    // The id of the opened clip's picture track, or "" when it has none (cover art aside).
    QByteArray videoTrack() const;
    // switchOutput: mpv has drawn nowhere so far and turns to the surface once it can.
    void createVideoSurface(bool switchOutput);
    void updateState();

    MpvCore core_;
    bool withVideo_ = false;
    QPointer<MpvVideoWidget> video_;
    QString source_;
    QString title_;
    QString error_;
    bool loop_ = false;
    bool reporting_ = false;
    bool furtherOption_ = false;
    int volume_ = 100;
    qint64 pos_ = -1;
    qint64 count_ = 0;
    bool idle_ = true;
    bool coreIdle_ = true;
    bool paused_ = false;
    bool buffering_ = false;
    bool started_ = false;
    // The source was set anew since it was last opened: play opens it, never just resumes.
    bool sourceChanged_ = true;
    double position_ = 0;
    double duration_ = 0;
    PlayState state_ = Stopped;
};
