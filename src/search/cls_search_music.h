#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class HttpTransfer;
class SongList;

// One search, from its first query to its end: result pages are requested one after
// another through the window's transfer component and parsed into the search list. Search
// returns at once; finished follows when no further page is announced, a request fails, or
// the user stops it.
class clsSearchMusic : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~clsSearchMusic() override;

    // MusicType 0 MP3, 1 RealMedia; Searcher 0 engine I, 1 engine II. Any other value sends
    // no request, and the search then waits for StopSearch.
    void Search(const QString &strSearchKeyWord, SongList &list, int MusicType, int Searcher,
                HttpTransfer &netInet);
    void StopSearch();
    bool isRunning() const { return running_; }
    int pagesRead() const { return pagesRead_; }

signals:
    void finished();

private:
    void netInet_StateChanged(int state);
    void requestPage();
    void end();

    QPointer<HttpTransfer> netInet_;
    SongList *list_ = nullptr;
    QString strSearcher;
    QString strMusicType;
    QString strSearchKeyWord;
    int intPageOffset = 1;
    bool running_ = false;
    int pagesRead_ = 0;
};
