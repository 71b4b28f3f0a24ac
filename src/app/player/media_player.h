#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The TV window's player: give it a stream or an ".asx" metafile URL and it plays.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts playing at once; an ".asx" metafile is read and its entries played in order.
    virtual void setUrl(const QString &url) = 0;
    virtual QString url() const = 0;
    virtual void close() = 0;
    virtual void setFullScreen(bool on) = 0;
    virtual bool isPlaying() const = 0;
    virtual QWidget *videoSurface() = 0;

signals:
    void playingChanged(bool playing);
    void errorOccurred(const QString &message);
};
