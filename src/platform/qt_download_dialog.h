#pragma once

#include "platform/platform_layer.h"

#include "download_dialog.h"

#include <QList>
#include <QSet>
#include <QString>
#include <memory>

class Dialogs;
class QNetworkAccessManager;
class QWidget;

// The download dialog: a Save dialog opened on the download folder with the song's file name,
// then a small window per download with its progress (bytes, speed, time left) and a cancel
// button. Several downloads may run at once, never two to the same file.
class QtDownloadDialog : public DownloadDialog {
public:
    // folder: where the Save dialog opens (empty: the desktop's download folder).
    explicit QtDownloadDialog(Dialogs &dialogs, QString folder = {});
    ~QtDownloadDialog() override;

    void download(const QString &url, const QString &title) override;

    // The downloads under way.
    int running() const { return static_cast<int>(paths_.size()); }

    static QString DefaultFolder();
    static QString CannotFetchText(const QString &url);
    static QString ReplaceQuestion(const QString &path);
    static QString AlreadyRunningText(const QString &path);
    static QString FailedText(const QString &reason, const QString &url);

private:
    Dialogs &dialogs_;
    QString folder_;
    std::unique_ptr<QNetworkAccessManager> network_;
    QSet<QString> paths_;
    QList<QWidget *> windows_;
};
