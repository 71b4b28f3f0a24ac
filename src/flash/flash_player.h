#pragma once

#include <QObject>
#include <QString>
#include <QtPlugin>

class QWidget;

// The Flash gallery's player (ShockwaveFlash1): give it an animation's address and tell it to
// play or stop. It fetches the animation itself and draws it in its view.
class FlashPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setMovie(const QString &url) = 0;
    virtual QString movie() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    // Where the animation is drawn; the window places it in its player area.
    virtual QWidget *view() = 0;

signals:
    // The animation cannot be shown (not fetched, not an animation, the player's parts
    // missing); the reason is for the user, in Chinese.
    void failed(const QString &reason);
};

// Makes Flash players. The viewer plugin provides one; the program loads it the first time an
// animation is to play.
class FlashPlayerFactory {
public:
    virtual ~FlashPlayerFactory() = default;
    // A new player owned by parent, or nullptr when none can be made (reason says why).
    virtual FlashPlayer *newFlashPlayer(QObject *parent, QString *reason) = 0;
};

#define FlashPlayerFactory_iid "org.tonaply.FlashPlayerFactory/1.0"
Q_DECLARE_INTERFACE(FlashPlayerFactory, FlashPlayerFactory_iid)
