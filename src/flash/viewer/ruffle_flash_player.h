#pragma once

#include "flash/flash_player.h"

#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineUrlRequestInterceptor;
class QWebEngineView;

// The Flash player on Ruffle in a web view. The animation is untrusted: the view shows only
// the player page and Ruffle's own files, refuses every other navigation, new window and
// download, and lets the animation reach no host but the one it came from. The program fetches
// the animation itself and hands Ruffle its bytes.
class RuffleFlashPlayer : public FlashPlayer {
    Q_OBJECT
public:
    // folder: Ruffle's files and the player page.
    RuffleFlashPlayer(const QString &folder, QObject *parent);
    ~RuffleFlashPlayer() override;

    void setMovie(const QString &url) override;
    QString movie() const override { return movie_; }
    void play() override;
    void stop() override;
    QWidget *view() override;

    static constexpr qint64 MaxAnimationBytes = 32 * 1024 * 1024;

private:
    void loadPage();
    void dropFetch();
    void arrived(QNetworkReply *reply);
    void hand(const QByteArray &bytes);

    QString folder_;
    QString movie_;
    QWebEngineProfile *profile_;
    QWebEngineUrlRequestInterceptor *guard_;
    QWebEnginePage *page_;
    QPointer<QWebEngineView> view_;
    QNetworkAccessManager *net_;
    QPointer<QNetworkReply> fetching_;
    QByteArray pending_; // an animation waiting for the page
    bool pageReady_ = false;
};
