#pragma once

#include "platform/platform_layer.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariant>
#include <atomic>
#include <functional>
#include <thread>

struct mpv_handle;
struct mpv_event;

// Owns one libmpv player. The core is created and initialised on a worker thread, so the
// window maps without waiting for it; commands given before it is ready are queued and run
// in order once it is. mpv's wakeups only queue a drain of its events on this object's
// thread, where they become signals.
class MpvCore : public QObject {
    Q_OBJECT
public:
    using Options = QList<QPair<QByteArray, QByteArray>>;

    // options are set before initialisation (for example ao=null, vo=libmpv). With
    // startNow false the core is made only when start() is called.
    explicit MpvCore(Options options, bool startNow = true, QObject *parent = nullptr);

    // The settings every player of the program starts from: no user configuration or
    // scripts, no key bindings or on-screen controls, silent output without a sound device,
    // the given video output, then the caller's extra settings.
    static Options PlayerOptions(const QByteArray &videoOutput, const Options &extra);

    // Starts making the core on the worker thread (once).
    void start();
    ~MpvCore() override;

    bool isReady() const { return handle_ != nullptr && open_; }
    // Holds queued commands back until the caller opens the gate (the video surface does
    // this once its render context exists).
    void setGateOpen(bool open);
    // Runs now when ready, otherwise later in order. The handle is valid inside.
    void run(std::function<void(mpv_handle *)> command);
    void command(const QStringList &args);
    void setProperty(const QByteArray &name, const QVariant &value);
    mpv_handle *handle() const { return handle_; }

signals:
    void ready();
    // libmpv is missing, or its core could not be made: nothing queued will run.
    void unavailable();
    void propertyChanged(const QByteArray &name, const QVariant &value);
    void fileStarted();
    void fileLoaded();
    // reason: "eof", "stop", "quit", "error", "redirect"; message: mpv's error text.
    void fileEnded(const QByteArray &reason, const QString &message);

private:
    void created(mpv_handle *handle);
    void drain();
    void dispatch(const mpv_event &event);
    void flush();

    mpv_handle *handle_ = nullptr;
    bool gateOpen_ = true;
    bool open_ = false;
    std::atomic<mpv_handle *> created_{nullptr};
    std::thread init_;
    Options options_;
    bool started_ = false;
    bool failed_ = false;
    // A file ended and no other has started: the player may be going idle.
    bool betweenFiles_ = false;
    QList<std::function<void(mpv_handle *)>> queue_;
};
