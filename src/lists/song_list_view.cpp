#include "song_list_view.h"

#include "song_list.h"

SongListView::SongListView(SongList &list, QWidget *parent) : QListView(parent), list_(list) {
    setModel(&list);
    QItemSelectionModel *own = selectionModel();
    setSelectionModel(list.selectionModel());
    delete own;
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    connect(&list, &SongList::visibilityRequested, this, &SongListView::scrollToEntry);
}

void SongListView::scrollToEntry(int entry) {
    if (!isVisible()) {
        pendingEntry_ = entry;
        return;
    }
    pendingEntry_ = -1;
    scrollTo(list_.index(entry));
}

void SongListView::showEvent(QShowEvent *event) {
    QListView::showEvent(event);
    if (pendingEntry_ >= 0 && pendingEntry_ < list_.count())
        scrollTo(list_.index(pendingEntry_));
    pendingEntry_ = -1;
}
