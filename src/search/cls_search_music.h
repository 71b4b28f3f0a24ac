#pragma once

#include "search_query.h"

#include <QObject>
#include <QPointer>
#include <QString>

class HttpTransfer;
class SongList;

// One search, from its first query to its end: result pages are requested one after
// another on the search's own transfer and parsed into the search list. Search returns at
// once; finished follows when no further page is announced, a request fails, or the user
// stops it.
class clsSearchMusic : public QObject {
    Q_OBJECT
public:
    explicit clsSearchMusic(SearchQuery::Hosts hosts, QObject *parent = nullptr);

    // MusicType 0 MP3, 1 RealMedia; Searcher 0 engine I, 1 engine II. Any other value sends
    // no request, and the search then waits for StopSearch. netInet is this search's own.
    void Search(const QString &strSearchKeyWord, SongList &list, int MusicType, int Searcher,
                HttpTransfer &netInet);
    // Ends the search; the request still under way is cancelled.
    void StopSearch();
    bool isRunning() const { return running_; }
    int pagesRead() const { return pagesRead_; }

signals:
    void finished();

private:
    void netInet_StateChanged(int state);
    void requestPage();
    void end();

    SearchQuery::Hosts hosts_;
    QPointer<HttpTransfer> netInet_;
    SongList *list_ = nullptr;
    QString strSearcher;
    QString strMusicType;
    QString strSearchKeyWord;
    int intPageOffset = 1;
    bool running_ = false;
    int pagesRead_ = 0;
};
