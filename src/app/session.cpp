#include "session.h"

#include "lists/playback_controller.h"
#include "lists/song_list.h"
#include "net/http_transfer.h"
#include "platform/dialogs.h"
#include "player/stream_player.h"
#include "stream_base_url.h"

namespace {
// The message for a player component that is not installed.
const QString TextNoPlayer = QStringLiteral("错误！您的电脑上可能没有安装RealOne软件。");
} // namespace

Session::Session(Ports ports, ServerEndpoints endpoints, QString appFolder, QString metafileFolder,
                 QObject *parent)
    : QObject(parent), ports_(ports), endpoints_(std::move(endpoints)),
      appFolder_(std::move(appFolder)), playList_(new SongList(this)),
      playback_(new PlaybackController(ports.realAudio1, ports.shell, ports.dialogs, appFolder_,
                                       std::move(metafileFolder), this)) {
    // Said once the windows have turned their player controls off.
    connect(&ports_.realAudio1, &StreamPlayer::unavailable, this, &Session::playerUnavailable,
            Qt::QueuedConnection);
}

Session::~Session() = default;

void Session::LoadStreamBaseUrl() {
    std::unique_ptr<HttpTransfer> transfer(ports_.network.newTransfer(nullptr));
    streamBaseUrl_ =
        StreamBase::LoadStreamBaseUrl(*transfer, endpoints_.dataServerUrl, streamBaseUrl_);
}

void Session::playerUnavailable() {
    if (unavailableSaid_)
        return;
    unavailableSaid_ = true;
    ports_.dialogs.message(TextNoPlayer, Dialogs::Icon::Critical);
}
