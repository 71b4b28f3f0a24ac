#pragma once

#include "search_query.h"

#include <QObject>
#include <QPointer>

class Dialogs;
class SongList;
class TransferFactory;
class clsSearchMusic;

// The user's side of a search in the main window: the keyword check, one search session on a
// transfer of its own, and offering the other engine when it found nothing. It answers the
// window with signals: lock the search controls, unlock them, or search again on the other
// engine.
class SearchFlow : public QObject {
    Q_OBJECT
public:
    SearchFlow(SongList &searchList, TransferFactory &network, SearchQuery::Hosts hosts,
               Dialogs &dialogs, QObject *parent = nullptr);

    // The window's controls as they stand: the keyword as typed, the checked engine item (0
    // or 1; -1 for none) and the selected type option (0 "RM", 1 "MP3"; -1 for none).
    void btnSearch_Click(const QString &keyword, int checkedEngine, int selectedOption);
    void btnStop_Click();
    bool isSearching() const { return searching_; }
    clsSearchMusic *objSearchMusic() const;

    static QString FallbackQuestion(int toEngine);

signals:
    // A search starts: the keyword box, search and more-operations are locked until unlocked.
    void locked();
    void unlocked();
    // The search found nothing and the user wants the other engine: the window checks that
    // engine's item and clicks search again (the controls stay locked meanwhile).
    void fallback(int engine);

private:
    void searchFinished();
    void unlock();

    SongList &list_;
    TransferFactory &network_;
    SearchQuery::Hosts hosts_;
    Dialogs &dialogs_;
    QPointer<clsSearchMusic> objSearchMusic_;
    int engine_ = -1;
    int countBefore_ = 0;
    bool searching_ = false;
};
