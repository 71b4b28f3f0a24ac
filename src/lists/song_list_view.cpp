#include "song_list_view.h"

#include "song_list.h"

#include <QEvent>

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
    if (!isVisible() || pendingEntry_ >= 0) {
        pendingEntry_ = entry;
        return;
    }
    pendingEntry_ = -1;
    scrollTo(list_.index(entry));
}

bool SongListView::event(QEvent *event) {
    // A list view lays its entries out the moment it is shown, measuring their text, which
    // would load every font before the window maps. Its posted layout does the same right
    // after, before the first paint.
    if (event->type() == QEvent::Show && list_.count() > 0)
        return QAbstractScrollArea::event(event);
    return QListView::event(event);
}

void SongListView::showEvent(QShowEvent *event) {
    QListView::showEvent(event);
    if (pendingEntry_ < 0)
        return;
    // Scrolling lays the entries out as well: right after the show, not during it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (pendingEntry_ >= 0 && pendingEntry_ < list_.count())
                scrollTo(list_.index(pendingEntry_));
            pendingEntry_ = -1;
        },
        Qt::QueuedConnection);
}
