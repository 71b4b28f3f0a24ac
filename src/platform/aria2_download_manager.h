#pragma once

#include "platform/platform_layer.h"

#include "download_manager.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <memory>

class QNetworkAccessManager;

// The download manager is aria2, over its JSON-RPC interface on 127.0.0.1. The program starts
// its own aria2c (a random port and secret, detached, so downloads go on after Tonaply ends)
// and finds it again at the next start through a file only this user can read. The secret is
// sent only to a port that the recorded aria2c of this user is listening on.
class Aria2DownloadManager : public DownloadManager {
public:
    struct Options {
        QString program = QStringLiteral("aria2c"); // a name on PATH or a path
        QString stateFile;      // empty: "tonaply-aria2" in the user's runtime folder
        QString downloadFolder; // empty: the desktop's download folder
        int rpcTimeoutMs = 5000;
        int startTimeoutMs = 5000;
    };
    Aria2DownloadManager();
    explicit Aria2DownloadManager(Options options);
    ~Aria2DownloadManager() override;

    bool open() override;
    bool AddUrl(const QString &url, const QString &referrer, const QString &name) override;
    bool AddUrlList(const QStringList &list) override;
    QList<Entry> downloads() override;
    bool pause(const QString &id) override;
    bool resume(const QString &id) override;
    bool remove(const QString &id) override;
    QString folder() const override { return options_.downloadFolder; }

    // The running aria2c's RPC port (0 before open()).
    int port() const { return port_; }
    qint64 pid() const { return pid_; }
    const QString &downloadFolder() const { return options_.downloadFolder; }
    // One RPC call; an invalid value when it failed or aria2 answered an error.
    QJsonValue call(const QString &method, const QJsonArray &params);

    // Whether the process of this user listens on 127.0.0.1:port.
    static bool Listens(qint64 pid, int port);

private:
    bool recordedOneAnswers();
    bool startOwn();
    // One JSON-RPC request; params as sent (the token is the caller's).
    QJsonValue post(const QString &method, const QJsonArray &params);
    QJsonValue multicall(const QJsonArray &calls);
    // The manager of an earlier call, or the recorded one; never starts one.
    bool reachable();

    Options options_;
    std::unique_ptr<QNetworkAccessManager> network_;
    int port_ = 0;
    qint64 pid_ = 0;
    QString secret_;
};
