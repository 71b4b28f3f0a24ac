#include "mpv_core.h"

#include "mpv_names.h"

#include "mpv_api.h"
#include <QCoreApplication>
#include <QMetaObject>
#include <clocale>

namespace {
QVariant propertyValue(const mpv_event_property &p) {
    if (!p.data)
        return {};
    switch (p.format) {
    case MPV_FORMAT_FLAG:
        return *static_cast<int *>(p.data) != 0;
    case MPV_FORMAT_INT64:
        return static_cast<qlonglong>(*static_cast<int64_t *>(p.data));
    case MPV_FORMAT_DOUBLE:
        return *static_cast<double *>(p.data);
    case MPV_FORMAT_STRING:
        return QString::fromUtf8(*static_cast<char **>(p.data));
    default:
        return {};
    }
}

struct Observed {
    const char *name;
    mpv_format format;
};

constexpr Observed ObservedProperties[] = {
    {MpvName::PlaylistPos, MPV_FORMAT_INT64}, {MpvName::PlaylistCount, MPV_FORMAT_INT64},
    {MpvName::IdleActive, MPV_FORMAT_FLAG},   {MpvName::CoreIdle, MPV_FORMAT_FLAG},
    {MpvName::Pause, MPV_FORMAT_FLAG},        {MpvName::PausedForCache, MPV_FORMAT_FLAG},
    {MpvName::MediaTitle, MPV_FORMAT_STRING}, {MpvName::TimePos, MPV_FORMAT_DOUBLE},
    {MpvName::Duration, MPV_FORMAT_DOUBLE},   {MpvName::LoopPlaylist, MPV_FORMAT_STRING},
    {MpvName::Volume, MPV_FORMAT_DOUBLE},
};

const char *endReason(int reason) {
    switch (reason) {
    case MPV_END_FILE_REASON_EOF:
        return "eof";
    case MPV_END_FILE_REASON_STOP:
        return "stop";
    case MPV_END_FILE_REASON_QUIT:
        return "quit";
    case MPV_END_FILE_REASON_ERROR:
        return "error";
    default:
        return "redirect";
    }
}
} // namespace

MpvCore::MpvCore(Options options, bool startNow, QObject *parent)
    : QObject(parent), options_(std::move(options)) {
    if (startNow)
        start();
}

MpvCore::Options MpvCore::PlayerOptions(const QByteArray &videoOutput, const Options &extra) {
    Options options{{"config", "no"},
                    {"load-scripts", "no"},
                    {"ytdl", "no"},
                    {"idle", "yes"},
                    {"input-default-bindings", "no"},
                    {"input-vo-keyboard", "no"},
                    {"osc", "no"},
                    // mpv's own scripts each run in a Lua state on a thread of their own
                    // (some 5 MB); the program shows its own controls.
                    {"load-stats-overlay", "no"},
                    {"load-osd-console", "no"},
                    {"load-auto-profiles", "no"},
                    {"input-builtin-bindings", "no"},
                    // The sound servers and ALSA; further outputs only load more libraries
                    // where these fail, and then there is no sound anyway.
                    {"ao", "pulse,pipewire,alsa"},
                    {"terminal", "no"},
                    {"audio-display", "no"},
                    {"network-timeout", "15"},
                    {"keep-open", "no"},
                    {"hwdec", "no"},
                    // Pictures are decoded in software: the drawing side need not probe the
                    // hardware decoders' interfaces (each loads libraries, CUDA's among them).
                    {"gpu-hwdec-interop", "no"},
                    {"audio-fallback-to-null", "yes"}};
    if (!videoOutput.isEmpty())
        options.append(qMakePair(QByteArray("vo"), videoOutput));
    options.append(extra);
    return options;
}

void MpvCore::start() {
    if (started_)
        return;
    started_ = true;
    // libmpv needs C number formatting (Qt may have set the locale from the environment).
    std::setlocale(LC_NUMERIC, "C");
    init_ = std::thread([this, options = options_] {
        const MpvApi *mpv = MpvApi::get();
        mpv_handle *h = mpv ? mpv->create() : nullptr;
        if (h) {
            for (const auto &[name, value] : options)
                mpv->set_option_string(h, name.constData(), value.constData());
            if (mpv->initialize(h) < 0) {
                mpv->terminate_destroy(h);
                h = nullptr;
            }
        }
        created_.store(h);
        QMetaObject::invokeMethod(
            this, [this] { created(created_.exchange(nullptr)); }, Qt::QueuedConnection);
    });
}

MpvCore::~MpvCore() {
    if (init_.joinable())
        init_.join();
    // A core finished but not yet handed over is destroyed here.
    if (mpv_handle *h = created_.exchange(nullptr))
        MpvApi::get()->terminate_destroy(h);
    if (handle_) {
        MpvApi::get()->set_wakeup_callback(handle_, nullptr, nullptr);
        MpvApi::get()->terminate_destroy(handle_);
    }
}

void MpvCore::created(mpv_handle *h) {
    if (init_.joinable())
        init_.join();
    if (!h) {
        failed_ = true;
        queue_.clear();
        emit unavailable();
        return;
    }
    handle_ = h;
    for (const Observed &p : ObservedProperties)
        MpvApi::get()->observe_property(h, 0, p.name, p.format);
    MpvApi::get()->set_wakeup_callback(
        h,
        [](void *self) {
            QMetaObject::invokeMethod(static_cast<MpvCore *>(self), &MpvCore::drain,
                                      Qt::QueuedConnection);
        },
        this);
    open_ = gateOpen_;
    emit ready();
    flush();
    drain();
}

void MpvCore::setGateOpen(bool open) {
    gateOpen_ = open;
    open_ = handle_ && gateOpen_;
    flush();
}

void MpvCore::flush() {
    while (isReady() && !queue_.isEmpty())
        queue_.takeFirst()(handle_);
}

void MpvCore::run(std::function<void(mpv_handle *)> command) {
    if (failed_)
        return;
    if (isReady() && queue_.isEmpty())
        command(handle_);
    else
        queue_.append(std::move(command));
}

void MpvCore::command(const QStringList &args) {
    run([args](mpv_handle *h) {
        QList<QByteArray> bytes;
        for (const QString &a : args)
            bytes.append(a.toUtf8());
        QList<const char *> argv;
        for (const QByteArray &b : bytes)
            argv.append(b.constData());
        argv.append(nullptr);
        MpvApi::get()->command_async(h, 0, argv.data());
    });
}

void MpvCore::setProperty(const QByteArray &name, const QVariant &value) {
    run([name, value](mpv_handle *h) {
        const QByteArray text = value.typeId() == QMetaType::Bool
                                    ? QByteArray(value.toBool() ? "yes" : "no")
                                    : value.toString().toUtf8();
        MpvApi::get()->set_property_string(h, name.constData(), text.constData());
    });
}

void MpvCore::drain() {
    while (handle_) {
        mpv_event *event = MpvApi::get()->wait_event(handle_, 0);
        if (!event || event->event_id == MPV_EVENT_NONE)
            break;
        dispatch(*event);
    }
    // mpv hands out property changes ahead of the events queued before them: when a clip
    // fails before its events are read, "idle-active" true can arrive before the clip's
    // start, and nothing follows it. So once a file has ended, ask mpv directly until the
    // next file starts.
    if (handle_ && betweenFiles_) {
        char *idle = MpvApi::get()->get_property_string(handle_, MpvName::IdleActive);
        const bool isIdle = idle && qstrcmp(idle, "yes") == 0;
        if (idle)
            MpvApi::get()->free(idle);
        if (isIdle) {
            betweenFiles_ = false;
            emit propertyChanged(QByteArray(MpvName::IdleActive), true);
        }
    }
}

void MpvCore::dispatch(const mpv_event &event) {
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto *p = static_cast<const mpv_event_property *>(event.data);
        emit propertyChanged(QByteArray(p->name), propertyValue(*p));
        break;
    }
    case MPV_EVENT_START_FILE:
        betweenFiles_ = false;
        emit fileStarted();
        break;
    case MPV_EVENT_FILE_LOADED:
        emit fileLoaded();
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        betweenFiles_ = true;
        const QString message = end->reason == MPV_END_FILE_REASON_ERROR
                                    ? QString::fromUtf8(MpvApi::get()->error_string(end->error))
                                    : QString();
        emit fileEnded(endReason(end->reason), message);
        break;
    }
    default:
        break;
    }
}
