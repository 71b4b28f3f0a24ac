#pragma once

#include "platform/platform_layer.h"

#include <QObject>
#include <QSaveFile>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// One file fetched to disk as it arrives, never held in memory. The body goes to a temporary
// file beside the final one, which takes its name only once the whole body is there: a
// failed, cut-off or cancelled download leaves nothing under the final name.
class FileDownload : public QObject {
    Q_OBJECT
public:
    // A server silent this long ends the download (each arriving byte restarts the wait).
    static constexpr int InactivityTimeoutMs = 30000;

    // Starts at once; finished() comes later, also when the file cannot even be opened.
    FileDownload(QNetworkAccessManager &network, const QUrl &url, const QString &path,
                 QObject *parent = nullptr, int inactivityTimeoutMs = InactivityTimeoutMs);
    ~FileDownload() override;

    const QString &path() const { return path_; }
    qint64 received() const { return received_; }
    bool isRunning() const { return !ended_; }
    // Stops the download and throws the partial body away; finished(false, {}) follows.
    void cancel();

signals:
    // total is -1 while the server has not said the length.
    void progress(qint64 received, qint64 total);
    // ok: the file is complete under its name. Otherwise reason says why (empty: cancelled).
    void finished(bool ok, const QString &reason);

private:
    void readBody();
    void replyFinished();
    void end(bool ok, const QString &reason);

    QString path_;
    QSaveFile file_;
    QNetworkReply *reply_ = nullptr;
    qint64 received_ = 0;
    qint64 total_ = -1;
    bool ended_ = false;
};
