#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The streaming player of the main window and the movie and MTV windows: it plays a URL, a
// local file or a metafile (a list of URLs played entry by entry).
class StreamPlayer : public QObject {
    Q_OBJECT
public:
    // Play states as the player reports them; 0 means stopped.
    enum PlayState { Stopped = 0, Contacting = 1, Buffering = 2, Playing = 3, Paused = 4 };

    using QObject::QObject;

    // The program names a local file "file://" followed by its path as it stands, with no
    // escapes (players would read "%20" in a file URL as a space). What a player opens for
    // a source: that path for a local file, the source itself for anything else.
    static QString OpenTarget(const QString &source) {
        return source.startsWith(QStringLiteral("file:///"), Qt::CaseInsensitive) ? source.mid(7)
                                                                                  : source;
    }

    // The source last set; "" empties the player.
    virtual QString source() const = 0;
    virtual void setSource(const QString &source) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void nextClip() = 0;
    virtual void previousClip() = 0;
    virtual bool hasNextClip() const = 0;
    virtual bool hasPreviousClip() const = 0;
    // When on, the metafile's list starts again after its last entry.
    virtual bool loop() const = 0;
    virtual void setLoop(bool on) = 0;
    // The title of the clip now playing.
    virtual QString clipTitle() const = 0;
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;
    // The video fills the screen (until the user leaves full screen).
    virtual void fullScreen() = 0;
    // When on, a right-button press over the player raises rightClicked.
    virtual void setMouseEventReporting(bool on) = 0;
    virtual bool mouseEventReporting() const = 0;
    // A setting the program switches on once before the start music; kept, nothing else.
    virtual void setFurtherOption(bool on) = 0;
    virtual PlayState playState() const = 0;

    // What the control panel and status bar need besides.
    virtual void setPaused(bool paused) = 0;
    virtual double position() const = 0; // seconds
    virtual double duration() const = 0; // seconds; 0 when unknown
    virtual void seek(double seconds) = 0;
    virtual QString lastError() const = 0;
    // The player component's name and version ("mpv 0.35.1"); "" while it is not loaded.
    virtual QString componentVersion() const = 0;
    // Where the video is drawn; nullptr until a clip with a picture first opens.
    virtual QWidget *videoSurface() = 0;
    // Called by the player area for a right-button press over the player.
    void reportRightClick(int x, int y) {
        if (mouseEventReporting())
            emit rightClicked(2, x, y);
    }

signals:
    // The player component cannot be loaded or started: nothing will play.
    void unavailable();
    void playStateChanged(int state);
    // Raised once a clip is open; the program ignores both arguments.
    void clipOpened(int code, int detail);
    void rightClicked(int button, int x, int y);
    void titleChanged(const QString &title);
    void progressChanged(double position, double duration);
    void errorOccurred(const QString &message);
    // The video surface came into being (the first clip with a picture).
    void videoSurfaceCreated(QWidget *surface);
};
