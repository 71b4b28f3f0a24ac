#include "file_download.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {
constexpr int MaxRedirects = 10;
// What the reply may hold before it is written out; the socket waits while it is full.
constexpr qint64 ReadBufferBytes = 512 * 1024;

QString writeFailedText(const QString &path) {
    return QStringLiteral("无法写入文件（磁盘已满或没有写入权限）：%1").arg(path);
}

QString networkReason(QNetworkReply *reply) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400)
        return QStringLiteral("服务器回答 %1 %2")
            .arg(status.toInt())
            .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("无法连接到服务器");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("找不到服务器");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("服务器中途断开了连接");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("服务器长时间没有回应");
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("服务器的转向地址无法跟随");
    default:
        return QStringLiteral("网络错误（%1）").arg(reply->errorString());
    }
}
} // namespace

FileDownload::FileDownload(QNetworkAccessManager &network, const QUrl &url, const QString &path,
                           QObject *parent, int inactivityTimeoutMs)
    : QObject(parent), path_(path), file_(path) {
    if (!file_.open(QIODevice::WriteOnly)) {
        // Said once the caller has connected to finished().
        QTimer::singleShot(0, this, [this] { end(false, writeFailedText(path_)); });
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(inactivityTimeoutMs);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = network.get(request);
    reply_->setReadBufferSize(ReadBufferBytes);
    connect(reply_, &QNetworkReply::readyRead, this, &FileDownload::readBody);
    connect(reply_, &QNetworkReply::finished, this, &FileDownload::replyFinished);
}

FileDownload::~FileDownload() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
    if (!ended_)
        file_.cancelWriting();
}

void FileDownload::cancel() {
    if (ended_)
        return;
    end(false, QString());
}

void FileDownload::readBody() {
    // A reply that timed out or was cut off is closed: nothing is left to read.
    if (ended_ || !reply_ || !reply_->isOpen())
        return;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400)
        return; // an error page is not the song
    const QByteArray bytes = reply_->readAll();
    if (bytes.isEmpty())
        return;
    if (file_.write(bytes) != bytes.size())
        return end(false, writeFailedText(path_));
    received_ += bytes.size();
    if (total_ < 0) {
        bool known = false;
        const qint64 length =
            reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known)
            total_ = length;
    }
    emit progress(received_, total_);
}

void FileDownload::replyFinished() {
    if (ended_ || !reply_)
        return;
    readBody();
    if (ended_)
        return;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply_->error() != QNetworkReply::NoError || (status.isValid() && status.toInt() >= 400))
        return end(false, networkReason(reply_));
    if (total_ >= 0 && received_ != total_)
        return end(false, QStringLiteral("服务器中途断开了连接"));
    if (!file_.commit())
        return end(false, writeFailedText(path_));
    end(true, QString());
}

void FileDownload::end(bool ok, const QString &reason) {
    if (ended_)
        return;
    ended_ = true;
    if (!ok)
        file_.cancelWriting();
    if (reply_) {
        reply_->disconnect(this);
        if (reply_->isRunning())
            reply_->abort();
        reply_->deleteLater();
        reply_ = nullptr;
    }
    emit finished(ok, reason);
}
