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

QString bodyText(QNetworkReply *reply, const QByteArray &bytes) {
    return BodyText::decode(
        bytes, reply->header(QNetworkRequest::ContentTypeHeader).toString().toLatin1());
}

std::unique_ptr<QNetworkAccessManager> newManager() {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    auto manager = std::make_unique<QNetworkAccessManager>();
    manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    return manager;
}
} // namespace

QtHttpTransfer::QtHttpTransfer(QNetworkAccessManager &manager, QObject *parent)
    : HttpTransfer(parent), manager_(manager), deadline_(new QTimer(this)) {
    deadline_->setSingleShot(true);
    // Qt's own transfer time-out restarts with every byte that arrives; this one does not.
    connect(deadline_, &QTimer::timeout, this, [this] {
        if (reporting_)
            failAsync();
    });
}

QtHttpTransfer::QtHttpTransfer(QObject *parent) : QtHttpTransfer(*newManager().release(), parent) {
    ownManager_.reset(&manager_);
}

QtHttpTransfer::~QtHttpTransfer() {
    drop();
}

void QtHttpTransfer::setTimeout(int ms) {
    timeoutMs_ = ms > 0 ? ms : DefaultTimeoutMs;
}

QNetworkReply *QtHttpTransfer::get(const QString &url) {
    QNetworkRequest request(QUrl::fromEncoded(WireUrl::encode(url), QUrl::StrictMode));
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setTransferTimeout(timeoutMs_);
    return manager_.get(request);
}

void QtHttpTransfer::drop() {
    deadline_->stop();
    reporting_ = false;
    if (!current_)
        return;
    QNetworkReply *reply = current_;
    current_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void QtHttpTransfer::cancel() {
    const bool wasReporting = reporting_ && current_;
    drop();
    received_.clear();
    if (wasReporting)
        emit stateChanged(Failed);
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
    connect(reply, &QObject::destroyed, &loop, &QEventLoop::quit);
    QPointer<QNetworkReply> watched(reply);
    deadline.start(timeoutMs_);
    if (!reply->isFinished())
        loop.exec();
    // This transfer's next request, or its cancel, may have come meanwhile.
    if (!watched || current_ != reply)
        return {};
    current_ = nullptr;
    reply->disconnect(this);
    QString text;
    if (!tooLarge && reply->isFinished() && collect(reply, bytes) && deliveredPage(reply)) {
        text = bodyText(reply, bytes);
        if (ok)
            *ok = true;
    }
    reply->abort();
    reply->deleteLater();
    return text;
}

void QtHttpTransfer::startRequest(const QString &url) {
    cancel();
    body_.clear();
    readPos_ = 0;
    QNetworkReply *reply = get(url);
    current_ = reply;
    reporting_ = true;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (current_ == reply && !collect(reply, received_))
            failAsync();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finishAsync(reply); });
    deadline_->start(timeoutMs_);
}

void QtHttpTransfer::failAsync() {
    drop();
    received_.clear();
    emit stateChanged(Failed);
}

void QtHttpTransfer::finishAsync(QNetworkReply *reply) {
    if (current_ != reply)
        return;
    if (!collect(reply, received_) || !deliveredPage(reply)) {
        failAsync();
        return;
    }
    body_ = bodyText(reply, received_);
    received_.clear();
    readPos_ = 0;
    current_ = nullptr;
    reporting_ = false;
    deadline_->stop();
    reply->disconnect(this);
    reply->deleteLater();
    emit stateChanged(Complete);
}

QString QtHttpTransfer::readPiece(int size) {
    if (size <= 0 || readPos_ >= body_.size())
        return {};
    const QString piece = body_.mid(readPos_, size);
    readPos_ += piece.size();
    return piece;
}

QtTransferFactory::QtTransferFactory(int timeoutMs) : timeoutMs_(timeoutMs) {}
QtTransferFactory::~QtTransferFactory() = default;

HttpTransfer *QtTransferFactory::newTransfer(QObject *parent) {
    if (!manager_)
        manager_ = newManager();
    auto *transfer = new QtHttpTransfer(*manager_, parent);
    transfer->setTimeout(timeoutMs_);
    return transfer;
}
