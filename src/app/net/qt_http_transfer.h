#pragma once

#include "platform/platform_layer.h"

#include "http_transfer.h"

#include <QByteArray>
#include <QPointer>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// The HTTP transfer component on Qt Network. Bodies over MaxBodyBytes fail the transfer;
// redirects are followed up to five hops and never from https to http; the system's proxy
// settings apply.
class QtHttpTransfer : public HttpTransfer {
    Q_OBJECT
public:
    static constexpr qint64 MaxBodyBytes = 16 * 1024 * 1024;

    // On the program's shared connections.
    QtHttpTransfer(QNetworkAccessManager &manager, QObject *parent);
    // On connections of its own.
    explicit QtHttpTransfer(QObject *parent = nullptr);
    ~QtHttpTransfer() override;

    QString fetchText(const QString &url, bool *ok = nullptr) override;
    void startRequest(const QString &url) override;
    QString readPiece(int size = PieceSize) override;
    void cancel() override;
    void setTimeout(int ms) override;

private:
    QNetworkReply *get(const QString &url);
    // Drops the request under way without a report.
    void drop();
    void finishAsync(QNetworkReply *reply);
    void failAsync();
    // Reads what arrived; false once the body is too large.
    bool collect(QNetworkReply *reply, QByteArray &into);

    std::unique_ptr<QNetworkAccessManager> ownManager_;
    QNetworkAccessManager &manager_;
    QPointer<QNetworkReply> current_;
    // The request under way is the asynchronous one (its end is reported).
    bool reporting_ = false;
    QTimer *deadline_;
    QByteArray received_;
    QString body_;
    qsizetype readPos_ = 0;
    int timeoutMs_ = DefaultTimeoutMs;
};

// Makes the program's transfers; they share one set of connections, made when the first
// transfer is.
class QtTransferFactory : public TransferFactory {
public:
    // timeoutMs: each new transfer's time-out.
    explicit QtTransferFactory(int timeoutMs = HttpTransfer::DefaultTimeoutMs);
    ~QtTransferFactory() override;
    HttpTransfer *newTransfer(QObject *parent) override;

private:
    std::unique_ptr<QNetworkAccessManager> manager_;
    int timeoutMs_;
};
