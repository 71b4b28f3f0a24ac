#include "mpv_player_factory.h"

#include "mpv_media_player.h"
#include "mpv_stream_player.h"

MpvPlayerFactory::MpvPlayerFactory(MpvCore::Options extraOptions)
    : extra_(std::move(extraOptions)) {}

StreamPlayer *MpvPlayerFactory::newStreamPlayer(QObject *parent) {
    return new MpvStreamPlayer(MpvStreamPlayer::PicturesFromStart{}, extra_, parent);
}

MediaPlayer *MpvPlayerFactory::newMediaPlayer(QObject *parent) {
    return new MpvMediaPlayer(true, extra_, parent);
}
