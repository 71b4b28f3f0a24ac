#include "ruffle_flash_player.h"

#include "app/net/wire_url.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace {
const QString TextNotFetched = QStringLiteral("无法下载这个动画文件，请稍后再试。");
const QString TextNotFlash = QStringLiteral("这个文件不是 Flash 动画，无法播放。");
const QString TextTooLarge = QStringLiteral("这个动画文件太大（超过 32 MB），无法播放。");
const QString TextPlayerEnded = QStringLiteral("动画播放组件意外退出，请重新打开动画。");

bool isAnimation(const QByteArray &bytes) {
    return bytes.size() >= 8 &&
           (bytes.startsWith("FWS") || bytes.startsWith("CWS") || bytes.startsWith("ZWS"));
}

// Lets the page have Ruffle's own files and the animation's own host, nothing else.
class Guard : public QWebEngineUrlRequestInterceptor {
public:
    Guard(QString folder, QObject *parent)
        : QWebEngineUrlRequestInterceptor(parent), folder_(QDir(folder).canonicalPath()) {}
    QString allowedOrigin; // scheme://host:port of the animation playing

    void interceptRequest(QWebEngineUrlRequestInfo &info) override {
        const QUrl url = info.requestUrl();
        if (url.isLocalFile()) {
            const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
            if (!path.isEmpty() && path.startsWith(folder_ + QLatin1Char('/')))
                return;
        } else if (url.scheme() == QLatin1String("data") || url.scheme() == QLatin1String("blob")) {
            return;
        } else if (!allowedOrigin.isEmpty() &&
                   url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                                QUrl::RemoveUserInfo)
                           .toString(QUrl::StripTrailingSlash) == allowedOrigin) {
            return;
        }
        info.block(true);
    }

private:
    QString folder_;
};

// The player page and nothing else: no other address, no new window.
class GuardedPage : public QWebEnginePage {
public:
    GuardedPage(QWebEngineProfile *profile, QUrl home, QObject *parent)
        : QWebEnginePage(profile, parent), home_(std::move(home)) {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override {
        return isMainFrame && url.adjusted(QUrl::RemoveFragment) == home_;
    }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }

private:
    QUrl home_;
};
} // namespace

RuffleFlashPlayer::RuffleFlashPlayer(const QString &folder, QObject *parent)
    : FlashPlayer(parent), folder_(folder), profile_(new QWebEngineProfile(this)),
      net_(new QNetworkAccessManager(this)) {
    // Off the record: nothing of an animation is kept on disk.
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    guard_ = new Guard(folder, profile_);
    profile_->setUrlRequestInterceptor(guard_);
    connect(profile_, &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest *download) { download->cancel(); });
    const QUrl home = QUrl::fromLocalFile(QDir(folder).filePath(QStringLiteral("player.html")));
    page_ = new GuardedPage(profile_, home, this);
    QWebEngineSettings *s = page_->settings();
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    // The animation may talk to the host it came from; the guard refuses every other.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        pageReady_ = ok;
        if (ok && !pending_.isEmpty())
            hand(std::exchange(pending_, {}));
    });
    // A crashed page is made again; the next "play" works.
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                pageReady_ = false;
                emit failed(TextPlayerEnded);
                loadPage();
            });
    net_->setTransferTimeout(10000);
    net_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    view_ = new QWebEngineView;
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    loadPage();
}

RuffleFlashPlayer::~RuffleFlashPlayer() {
    // The page goes before its profile.
    delete view_;
    delete page_;
}

QWidget *RuffleFlashPlayer::view() {
    return view_;
}

void RuffleFlashPlayer::loadPage() {
    page_->setUrl(QUrl::fromLocalFile(QDir(folder_).filePath(QStringLiteral("player.html"))));
}

void RuffleFlashPlayer::setMovie(const QString &url) {
    movie_ = url;
}

void RuffleFlashPlayer::dropFetch() {
    // A fetch given up is not a failure: nothing is said of it.
    if (QNetworkReply *old = fetching_) {
        fetching_ = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
}

void RuffleFlashPlayer::play() {
    dropFetch();
    const QUrl url = movie_.contains(QStringLiteral("://"))
                         ? QUrl::fromEncoded(WireUrl::encode(movie_), QUrl::StrictMode)
                         : QUrl::fromLocalFile(movie_);
    if (!url.isValid()) {
        emit failed(TextNotFetched);
        return;
    }
    QNetworkReply *reply = net_->get(QNetworkRequest(url));
    fetching_ = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 got, qint64) {
        if (got > MaxAnimationBytes && reply == fetching_) {
            dropFetch();
            emit failed(TextTooLarge);
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { arrived(reply); });
}

void RuffleFlashPlayer::arrived(QNetworkReply *reply) {
    reply->deleteLater();
    if (reply != fetching_)
        return;
    fetching_ = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        emit failed(TextNotFetched);
        return;
    }
    const QByteArray bytes = reply->read(MaxAnimationBytes + 1);
    if (bytes.size() > MaxAnimationBytes) {
        emit failed(TextTooLarge);
        return;
    }
    if (!isAnimation(bytes)) {
        emit failed(TextNotFlash);
        return;
    }
    const QUrl from = reply->url();
    auto *guard = static_cast<Guard *>(guard_);
    guard->allowedOrigin = from.isLocalFile()
                               ? QString()
                               : from.adjusted(QUrl::RemovePath | QUrl::RemoveQuery |
                                               QUrl::RemoveFragment | QUrl::RemoveUserInfo)
                                     .toString(QUrl::StripTrailingSlash);
    if (pageReady_)
        hand(bytes);
    else
        pending_ = bytes;
}

void RuffleFlashPlayer::hand(const QByteArray &bytes) {
    auto quote = [](const QString &text) {
        QString out = text;
        out.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('\''), QLatin1String("\\'"));
        out.replace(QLatin1Char('\n'), QLatin1String("\\n"))
            .replace(QLatin1Char('\r'), QLatin1String("\\r"));
        out.replace(QLatin1Char('<'), QLatin1String("\\x3c"));
        return QLatin1Char('\'') + out + QLatin1Char('\'');
    };
    const QUrl from(movie_);
    const QString name = from.fileName().isEmpty() ? QStringLiteral("movie.swf") : from.fileName();
    page_->runJavaScript(
        QStringLiteral("tonaplyLoad('%1', %2, %3);")
            .arg(QString::fromLatin1(bytes.toBase64()), quote(name), quote(movie_)));
}

void RuffleFlashPlayer::stop() {
    dropFetch();
    pending_.clear();
    if (pageReady_)
        page_->runJavaScript(QStringLiteral("tonaplyStop();"));
}
