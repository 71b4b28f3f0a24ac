#pragma once

#include "platform/download_dialog.h"
#include "platform/download_manager.h"

#include <QList>
#include <QStringList>

class FakeDownloadDialog : public DownloadDialog {
public:
    struct Asked {
        QString url;
        QString title;
    };
    QList<Asked> asked;
    void download(const QString &url, const QString &title) override { asked.append({url, title}); }
};

// Records what was handed over; each answer can be set to fail.
class FakeDownloadManager : public DownloadManager {
public:
    bool installed = true;
    bool accepts = true;
    QList<QStringList> addUrlCalls;
    QList<QStringList> addUrlListCalls;
    bool open() override { return installed; }
    bool AddUrl(const QString &url, const QString &referrer, const QString &name) override {
        addUrlCalls.append({url, referrer, name});
        return accepts;
    }
    bool AddUrlList(const QStringList &list) override {
        addUrlListCalls.append(list);
        return accepts;
    }
    QList<Entry> entries;
    QStringList paused, resumed, removed;
    QList<Entry> downloads() override { return entries; }
    bool pause(const QString &id) override {
        paused << id;
        return true;
    }
    bool resume(const QString &id) override {
        resumed << id;
        return true;
    }
    bool remove(const QString &id) override {
        removed << id;
        return true;
    }
    QString folder() const override { return QStringLiteral("/downloads"); }
};
