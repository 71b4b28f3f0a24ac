#include "mpv_media_player.h"

#include "app/net/body_text.h"
#include "app/net/http_transfer.h"
#include "app/net/wire_url.h"
#include "asx.h"
#include "mpv_names.h"
#include "mpv_video_widget.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

MpvMediaPlayer::MpvMediaPlayer(bool withVideo, MpvCore::Options extraOptions, QObject *parent)
    : MediaPlayer(parent), core_(MpvCore::PlayerOptions(withVideo ? "libmpv" : "", extraOptions)),
      net_(new QNetworkAccessManager(this)) {
    net_->setTransferTimeout(HttpTransfer::DefaultTimeoutMs);
    net_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    connect(&core_, &MpvCore::propertyChanged, this,
            [this](const QByteArray &name, const QVariant &value) {
                if (name == MpvName::IdleActive)
                    setPlaying(!value.toBool());
            });
    connect(&core_, &MpvCore::fileEnded, this, [this](const QByteArray &reason, const QString &m) {
        if (reason == "error")
            emit errorOccurred(m);
    });
    if (withVideo) {
        // The TV window opens with its picture: the surface is made with the window.
        video_ = new MpvVideoWidget(&core_);
        core_.setGateOpen(false);
        connect(video_, &MpvVideoWidget::renderContextReady, this,
                [this] { core_.setGateOpen(true); });
    }
}

MpvMediaPlayer::~MpvMediaPlayer() {
    delete video_;
}

QWidget *MpvMediaPlayer::videoSurface() {
    return video_;
}

bool MpvMediaPlayer::isAsx(const QString &url) {
    return url.contains(QStringLiteral(".asx"), Qt::CaseInsensitive);
}

void MpvMediaPlayer::setUrl(const QString &url) {
    url_ = url;
    if (fetching_) {
        fetching_->abort();
        fetching_ = nullptr;
    }
    if (!isAsx(url)) {
        playEntries({url});
        return;
    }
    if (!url.contains(QStringLiteral("://"))) {
        QFile file(url);
        if (file.open(QIODevice::ReadOnly))
            playEntries(Asx::entries(BodyText::decode(file.read(1024 * 1024), {})));
        else
            emit errorOccurred(file.errorString());
        return;
    }
    QNetworkReply *reply =
        net_->get(QNetworkRequest(QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode)));
    fetching_ = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (fetching_ != reply)
            return;
        fetching_ = nullptr;
        if (reply->error() != QNetworkReply::NoError) {
            emit errorOccurred(reply->errorString());
            return;
        }
        const QString text = BodyText::decode(
            reply->read(1024 * 1024),
            reply->header(QNetworkRequest::ContentTypeHeader).toString().toLatin1());
        const QStringList entries = Asx::entries(text);
        if (entries.isEmpty())
            emit errorOccurred(QStringLiteral("no entries"));
        else
            playEntries(entries);
    });
}

void MpvMediaPlayer::playEntries(const QStringList &urls) {
    for (int i = 0; i < urls.size(); ++i)
        core_.command({MpvName::LoadFile, urls[i],
                       i == 0 ? QStringLiteral("replace") : QStringLiteral("append")});
}

void MpvMediaPlayer::close() {
    if (fetching_) {
        fetching_->abort();
        fetching_ = nullptr;
    }
    core_.command({MpvName::Stop});
}

void MpvMediaPlayer::setFullScreen(bool on) {
    if (video_)
        video_->setFullScreen(on);
}

void MpvMediaPlayer::setPlaying(bool playing) {
    if (playing == playing_)
        return;
    playing_ = playing;
    emit playingChanged(playing);
}
