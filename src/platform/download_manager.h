#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The download manager that songs are handed to. Calls block until the manager has taken
// them (or refused); a false answer means nothing was handed over.
class DownloadManager {
public:
    // One download the manager knows of, under way, waiting or ended.
    struct Entry {
        QString id;
        QString name;
        QString state; // "active", "waiting", "paused", "complete", "error", "removed"
        qint64 total = 0;
        qint64 done = 0;
        qint64 speed = 0; // bytes a second
    };

    virtual ~DownloadManager() = default;
    // Reaches the manager, starting it when it is not running. False when there is none.
    virtual bool open() = 0;
    // One song: its address, the page it came from (may be empty) and its name.
    virtual bool AddUrl(const QString &url, const QString &referrer, const QString &name) = 0;
    // Many songs: element 0 the maker's address, then address and name of each song in turn.
    virtual bool AddUrlList(const QStringList &list) = 0;

    // What the manager is fetching, waiting for and has finished, for the downloads window;
    // empty when it is not reachable (it is not started for this).
    virtual QList<Entry> downloads() = 0;
    virtual bool pause(const QString &id) = 0;
    virtual bool resume(const QString &id) = 0;
    // Removes a download from the list (stopping it first when it runs).
    virtual bool remove(const QString &id) = 0;
    // Where the downloads land.
    virtual QString folder() const = 0;
};
