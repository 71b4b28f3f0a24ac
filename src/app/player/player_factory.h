#pragma once

class MediaPlayer;
class QObject;
class StreamPlayer;

// Makes the players of the windows that have one of their own (the movie, MTV and TV
// windows): each player lives and ends with its window.
class PlayerFactory {
public:
    virtual ~PlayerFactory() = default;
    // A streaming player that shows pictures (RealAudio1), owned by parent.
    virtual StreamPlayer *newStreamPlayer(QObject *parent) = 0;
    // The TV window's player (WindowsMediaPlayer1), owned by parent.
    virtual MediaPlayer *newMediaPlayer(QObject *parent) = 0;
};
