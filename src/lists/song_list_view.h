#pragma once

#include <QListView>

class SongList;

// The visible name list of a song list: shows the model with its own selection marks and
// current entry, selects in the extended way, and scrolls to an entry the list asks for.
class SongListView : public QListView {
    Q_OBJECT
public:
    SongListView(SongList &list, QWidget *parent);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void scrollToEntry(int entry);

    SongList &list_;
    // An entry asked for while the view was hidden or being shown: laying the list out then
    // would measure its text before the window is on the screen.
    int pendingEntry_ = -1;
};
