#include "song_list_view.h"

#include "song_list.h"

SongListView::SongListView(SongList &list, QWidget *parent) : QListView(parent) {
    setModel(&list);
    QItemSelectionModel *own = selectionModel();
    setSelectionModel(list.selectionModel());
    delete own;
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    connect(&list, &SongList::visibilityRequested, this,
            [this, &list](int entry) { scrollTo(list.index(entry)); });
}
