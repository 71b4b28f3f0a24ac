#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class Dialogs;
class HttpTransfer;
class SongList;
class clsSearchMusic;

// The user's side of a search in the main window: the keyword check, locking the search
// controls, running one search session, and offering the other engine when it found nothing.
class SearchFlow : public QObject {
    Q_OBJECT
public:
    // What the flow reads from and does to the window's controls.
    struct Controls {
        std::function<QString()> keyword;       // the keyword box's text, as typed
        std::function<int()> checkedEngine;     // 0 or 1; -1 when no engine item is checked
        std::function<int()> selectedOption;    // 0 "RM" or 1 "MP3"; -1 when none
        std::function<void(int)> chooseEngine;  // mnuMoreSearcher_Click
        std::function<void(bool)> lockControls; // true: disable keyword box, search, more
    };

    SearchFlow(SongList &searchList, HttpTransfer &netGetData, Dialogs &dialogs, Controls controls,
               QObject *parent = nullptr);

    void btnSearch_Click();
    void btnStop_Click();
    bool isSearching() const { return searching_; }
    clsSearchMusic *objSearchMusic() const;

    static QString FallbackQuestion(int toEngine);

signals:
    // The click has ended: the controls are unlocked again.
    void searchEnded();

private:
    void searchFinished();
    void unlock();

    SongList &list_;
    HttpTransfer &net_;
    Dialogs &dialogs_;
    Controls controls_;
    QPointer<clsSearchMusic> objSearchMusic_;
    int countBefore_ = 0;
    bool searching_ = false;
};
