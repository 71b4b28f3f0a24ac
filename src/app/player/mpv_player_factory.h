#pragma once

#include "platform/platform_layer.h"

#include "mpv_core.h"
#include "player_factory.h"

// The windows' players on libmpv, each with its picture; extraOptions go to every one made
// (tests silence them).
class MpvPlayerFactory : public PlayerFactory {
public:
    explicit MpvPlayerFactory(MpvCore::Options extraOptions = {});
    StreamPlayer *newStreamPlayer(QObject *parent) override;
    MediaPlayer *newMediaPlayer(QObject *parent) override;

private:
    MpvCore::Options extra_;
};
