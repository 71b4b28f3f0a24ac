#pragma once

#include <QString>
#include <QStringList>

// The download manager that songs are handed to. Calls block until the manager has taken
// them (or refused); a false answer means nothing was handed over.
class DownloadManager {
public:
    virtual ~DownloadManager() = default;
    // Reaches the manager, starting it when it is not running. False when there is none.
    virtual bool open() = 0;
    // One song: its address, the page it came from (may be empty) and its name.
    virtual bool AddUrl(const QString &url, const QString &referrer, const QString &name) = 0;
    // Many songs: element 0 the maker's address, then address and name of each song in turn.
    virtual bool AddUrlList(const QStringList &list) = 0;
};
