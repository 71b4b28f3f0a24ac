#pragma once

#include "platform/platform_layer.h"

#include "http_transfer.h"

#include <QByteArray>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

// The HTTP transfer component on Qt Network. Bodies over MaxBodyBytes fail the transfer;
// redirects are followed up to five hops and never from https to http; the system's proxy
// settings apply.
class QtHttpTransfer : public HttpTransfer {
    Q_OBJECT
public:
    static constexpr qint64 MaxBodyBytes = 16 * 1024 * 1024;

    explicit QtHttpTransfer(QObject *parent = nullptr);
    ~QtHttpTransfer() override;

    QString fetchText(const QString &url, bool *ok = nullptr) override;
    void startRequest(const QString &url) override;
    QString readPiece(int size = PieceSize) override;
    void setTimeout(int ms) override;

private:
    QNetworkReply *get(const QString &url);
    void cancel();
    void finishAsync(QNetworkReply *reply);
    // Reads what arrived; false once the body is too large.
    bool collect(QNetworkReply *reply, QByteArray &into);

    QNetworkAccessManager *manager_;
    QPointer<QNetworkReply> current_;
    QByteArray received_;
    QString body_;
    qsizetype readPos_ = 0;
    int timeoutMs_ = DefaultTimeoutMs;
};
