#include "mpv_stream_player.h"

#include "mpv_api.h"
#include "mpv_names.h"
#include "mpv_video_widget.h"

#include <QUrl>

MpvStreamPlayer::MpvStreamPlayer(bool withVideo, MpvCore::Options extraOptions, bool startNow,
                                 QObject *parent)
    : StreamPlayer(parent),
      core_(
          // Pictures are decoded and dropped until a clip with one opens: then the surface
          // is made and the output switched to it (mpv fails a clip whose output has no
          // surface yet).
          MpvCore::PlayerOptions(withVideo ? "null" : "", extraOptions), startNow) {
    connect(&core_, &MpvCore::propertyChanged, this, &MpvStreamPlayer::onProperty);
    connect(&core_, &MpvCore::unavailable, this, &StreamPlayer::unavailable);
    connect(&core_, &MpvCore::fileStarted, this, [this] {
        started_ = true;
        error_.clear();
        updateState();
    });
    connect(&core_, &MpvCore::fileLoaded, this, [this] {
        if (withVideo_ && !video_) {
            if (!videoTrack().isEmpty())
                createVideoSurface(true);
        }
        updateState();
        emit clipOpened(0, 0);
    });
    connect(&core_, &MpvCore::fileEnded, this,
            [this](const QByteArray &reason, const QString &msg) {
                if (reason == "error") {
                    error_ = msg;
                    emit errorOccurred(msg);
                }
            });
    // The picture's surface (OpenGL) is made when the first clip with a picture opens:
    // most songs have none, and the surface costs time and memory.
    withVideo_ = withVideo;
}

MpvStreamPlayer::MpvStreamPlayer(PicturesFromStart, MpvCore::Options extraOptions, QObject *parent)
    : MpvStreamPlayer(
          false,
          [&extraOptions] {
              // Set after the caller's options, which may only add to them.
              extraOptions.append(qMakePair(QByteArray("vo"), QByteArray("libmpv")));
              return extraOptions;
          }(),
          true, parent) {
    withVideo_ = true;
    core_.setGateOpen(false);
    createVideoSurface(false);
    connect(video_, &MpvVideoWidget::renderContextReady, this, [this] { core_.setGateOpen(true); });
}

MpvStreamPlayer::~MpvStreamPlayer() {
    delete video_;
}

QWidget *MpvStreamPlayer::videoSurface() {
    return video_;
}

QString MpvStreamPlayer::componentVersion() const {
    const MpvApi *mpv = MpvApi::get();
    mpv_handle *h = core_.handle();
    if (!mpv || !h)
        return {};
    char *value = mpv->get_property_string(h, "mpv-version");
    const QString text = QString::fromUtf8(value ? value : "");
    if (value)
        mpv->free(value);
    return text;
}

QByteArray MpvStreamPlayer::videoTrack() const {
    const MpvApi *mpv = MpvApi::get();
    mpv_handle *h = core_.handle();
    if (!mpv || !h)
        return {};
    auto get = [&](const QByteArray &name) {
        char *value = mpv->get_property_string(h, name.constData());
        const QByteArray text(value ? value : "");
        if (value)
            mpv->free(value);
        return text;
    };
    const int count = get("track-list/count").toInt();
    for (int i = 0; i < count; ++i) {
        const QByteArray prefix = "track-list/" + QByteArray::number(i) + "/";
        if (get(prefix + "type") == "video" && get(prefix + "albumart") != "yes")
            return get(prefix + "id");
    }
    return {};
}

void MpvStreamPlayer::createVideoSurface(bool switchOutput) {
    video_ = new MpvVideoWidget(&core_);
    if (switchOutput)
        connect(video_, &MpvVideoWidget::renderContextReady, this,
                [this] { core_.setProperty("vo", QStringLiteral("libmpv")); });
    // Presses on the picture reach its own native window, not the player area.
    connect(video_, &MpvVideoWidget::rightPressed, this,
            [this](const QPoint &at) { reportRightClick(at.x(), at.y()); });
    emit videoSurfaceCreated(video_);
}

bool MpvStreamPlayer::isMetafile(const QString &source) {
    const QString path = QUrl(source).path().isEmpty() ? source : QUrl(source).path();
    return path.endsWith(QStringLiteral(".ram"), Qt::CaseInsensitive) ||
           source.endsWith(QStringLiteral(".ram"), Qt::CaseInsensitive);
}

void MpvStreamPlayer::setSource(const QString &source) {
    source_ = source;
    sourceChanged_ = true;
    if (source.isEmpty())
        stop();
}

void MpvStreamPlayer::play() {
    if (source_.isEmpty())
        return;
    // Play on a paused clip resumes it; on a new source it opens that source, although the
    // stop that went before it has not reached the player yet.
    if (state_ == Paused && started_ && !sourceChanged_) {
        setPaused(false);
        return;
    }
    sourceChanged_ = false;
    error_.clear();
    core_.setProperty(MpvName::Pause, false);
    const QString target = OpenTarget(source_);
    core_.command({isMetafile(source_) ? MpvName::LoadList : MpvName::LoadFile, target,
                   QStringLiteral("replace")});
}

void MpvStreamPlayer::stop() {
    core_.command({MpvName::Stop});
}

void MpvStreamPlayer::nextClip() {
    core_.command({MpvName::PlaylistNext, QStringLiteral("weak")});
}

void MpvStreamPlayer::previousClip() {
    core_.command({MpvName::PlaylistPrev, QStringLiteral("weak")});
}

bool MpvStreamPlayer::hasNextClip() const {
    if (idle_ || pos_ < 0)
        return false;
    return loop_ ? count_ > 1 : pos_ + 1 < count_;
}

bool MpvStreamPlayer::hasPreviousClip() const {
    if (idle_ || pos_ < 0)
        return false;
    return loop_ ? count_ > 1 : pos_ > 0;
}

void MpvStreamPlayer::setLoop(bool on) {
    loop_ = on;
    core_.setProperty(MpvName::LoopPlaylist, on ? QStringLiteral("inf") : QStringLiteral("no"));
}

void MpvStreamPlayer::setVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    core_.setProperty(MpvName::Volume, volume_);
}

void MpvStreamPlayer::fullScreen() {
    if (video_)
        video_->setFullScreen(true);
}

void MpvStreamPlayer::setPaused(bool paused) {
    core_.setProperty(MpvName::Pause, paused);
}

void MpvStreamPlayer::seek(double seconds) {
    core_.command({MpvName::Seek, QString::number(seconds, 'f', 3), QStringLiteral("absolute")});
}

void MpvStreamPlayer::onProperty(const QByteArray &name, const QVariant &value) {
    if (name == MpvName::PlaylistPos) {
        pos_ = value.isValid() ? value.toLongLong() : -1;
    } else if (name == MpvName::PlaylistCount) {
        count_ = value.toLongLong();
    } else if (name == MpvName::IdleActive) {
        idle_ = value.toBool();
        if (idle_) {
            started_ = false;
            position_ = duration_ = 0;
            emit progressChanged(0, 0);
        }
    } else if (name == MpvName::CoreIdle) {
        coreIdle_ = value.toBool();
    } else if (name == MpvName::Pause) {
        paused_ = value.toBool();
    } else if (name == MpvName::PausedForCache) {
        buffering_ = value.toBool();
    } else if (name == MpvName::MediaTitle) {
        title_ = value.toString();
        emit titleChanged(title_);
    } else if (name == MpvName::TimePos || name == MpvName::Duration) {
        (name == MpvName::TimePos ? position_ : duration_) = value.toDouble();
        emit progressChanged(position_, duration_);
        return;
    } else if (name == MpvName::LoopPlaylist) {
        loop_ = value.toString() != QStringLiteral("no") && value.toString() != QStringLiteral("");
        return;
    } else if (name == MpvName::Volume) {
        volume_ = static_cast<int>(value.toDouble() + 0.5);
        return;
    }
    updateState();
}

void MpvStreamPlayer::updateState() {
    PlayState next;
    if (idle_ && !started_)
        next = Stopped;
    else if (paused_)
        next = Paused;
    else if (buffering_)
        next = Buffering;
    else if (coreIdle_)
        next = Contacting;
    else
        next = Playing;
    if (next != state_) {
        state_ = next;
        emit playStateChanged(state_);
    }
}
