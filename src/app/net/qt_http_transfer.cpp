#include "qt_http_transfer.h"

#include "body_text.h"
#include "wire_url.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>

namespace {
constexpr int MaxRedirects = 5;

// A reply delivered a page when it arrived whole, or when the server answered with an
// error page (an HTTP status of 400 or more): that is a body like any other.
bool deliveredPage(QNetworkReply *reply) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return false;
    return reply->error() == QNetworkReply::NoError || status.toInt() >= 400;
}
} // namespace

QtHttpTransfer::QtHttpTransfer(QObject *parent)
    : HttpTransfer(parent), manager_(new QNetworkAccessManager(this)) {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    manager_->setTransferTimeout(timeoutMs_);
}

QtHttpTransfer::~QtHttpTransfer() {
    cancel();
}

void QtHttpTransfer::setTimeout(int ms) {
    timeoutMs_ = ms > 0 ? ms : DefaultTimeoutMs;
    manager_->setTransferTimeout(timeoutMs_);
}

QNetworkReply *QtHttpTransfer::get(const QString &url) {
    QNetworkRequest request(QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode));
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setTransferTimeout(timeoutMs_);
    return manager_->get(request);
}

void QtHttpTransfer::cancel() {
    if (!current_)
        return;
    QNetworkReply *reply = current_;
    current_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

bool QtHttpTransfer::collect(QNetworkReply *reply, QByteArray &into) {
    if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > MaxBodyBytes)
        return false;
    if (into.size() + reply->bytesAvailable() > MaxBodyBytes)
        return false;
    into += reply->readAll();
    return true;
}

QString QtHttpTransfer::fetchText(const QString &url, bool *ok) {
    cancel();
    if (ok)
        *ok = false;
    QNetworkReply *reply = get(url);
    current_ = reply;
    QByteArray bytes;
    bool tooLarge = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (!collect(reply, bytes)) {
            tooLarge = true;
            loop.quit();
        }
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QPointer<QNetworkReply> watched(reply);
    deadline.start(timeoutMs_);
    if (!reply->isFinished())
        loop.exec();
    // Another request of this component may have replaced this one meanwhile.
    if (!watched || current_ != reply)
        return {};
    current_ = nullptr;
    reply->disconnect(this);
    QString text;
    if (!tooLarge && reply->isFinished() && collect(reply, bytes) && deliveredPage(reply)) {
        text = BodyText::decode(
            bytes, reply->header(QNetworkRequest::ContentTypeHeader).toString().toLatin1());
        if (ok)
            *ok = true;
    }
    reply->abort();
    reply->deleteLater();
    return text;
}

void QtHttpTransfer::startRequest(const QString &url) {
    cancel();
    received_.clear();
    body_.clear();
    readPos_ = 0;
    QNetworkReply *reply = get(url);
    current_ = reply;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (current_ == reply && !collect(reply, received_)) {
            current_ = nullptr;
            reply->disconnect(this);
            reply->abort();
            reply->deleteLater();
            received_.clear();
            emit stateChanged(Failed);
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finishAsync(reply); });
}

void QtHttpTransfer::finishAsync(QNetworkReply *reply) {
    if (current_ != reply)
        return;
    current_ = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
    if (!collect(reply, received_) || !deliveredPage(reply)) {
        received_.clear();
        emit stateChanged(Failed);
        return;
    }
    body_ = BodyText::decode(
        received_, reply->header(QNetworkRequest::ContentTypeHeader).toString().toLatin1());
    received_.clear();
    readPos_ = 0;
    emit stateChanged(Complete);
}

QString QtHttpTransfer::readPiece(int size) {
    if (size <= 0 || readPos_ >= body_.size())
        return {};
    const QString piece = body_.mid(readPos_, size);
    readPos_ += piece.size();
    return piece;
}
