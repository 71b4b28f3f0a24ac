#include "song_list.h"

#include <algorithm>

namespace {
// A name longer than this is shown cut: laying out megabytes of text in a list row would
// freeze the window. The entry itself keeps every character.
constexpr int MaxShownNameLength = 1024;
// Removing many scattered rows one run at a time costs the views and the selection model
// a pass each; past this many runs one reset is cheaper.
constexpr int MaxRunsRemovedSeparately = 64;
} // namespace

SongList::SongList(QObject *parent)
    : QAbstractListModel(parent), selection_(new QItemSelectionModel(this, this)) {}

int SongList::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant SongList::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const Song &s = songs_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return s.name.size() > MaxShownNameLength ? s.name.left(MaxShownNameLength) : s.name;
    case Qt::EditRole:
        return s.name;
    case UrlRole:
        return s.url;
    default:
        return {};
    }
}

bool SongList::append(const Song &song) {
    if (isFull())
        return false;
    beginInsertRows({}, count(), count());
    songs_.append(song);
    endInsertRows();
    return true;
}

int SongList::append(const QList<Song> &songs) {
    const int room = MaxEntries - count();
    const int n = std::min(room, static_cast<int>(songs.size()));
    if (n <= 0)
        return 0;
    beginInsertRows({}, count(), count() + n - 1);
    songs_.append(songs.mid(0, n));
    endInsertRows();
    return n;
}

void SongList::replaceAll(const QList<Song> &songs) {
    beginResetModel();
    songs_ = songs.mid(0, MaxEntries);
    endResetModel();
    selection_->clear();
}

void SongList::removeEntries(QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= count(); }),
        rows.end());
    if (rows.isEmpty())
        return;

    // Contiguous runs, last first, so earlier indexes stay valid.
    QList<std::pair<int, int>> runs;
    for (int r : rows) {
        if (!runs.isEmpty() && runs.last().second + 1 == r)
            runs.last().second = r;
        else
            runs.append({r, r});
    }
    if (runs.size() <= MaxRunsRemovedSeparately) {
        for (auto it = runs.crbegin(); it != runs.crend(); ++it) {
            beginRemoveRows({}, it->first, it->second);
            songs_.remove(it->first, it->second - it->first + 1);
            endRemoveRows();
        }
        return;
    }

    // Many runs: rebuild once, then put back the marks and focus of the entries that stay.
    const int oldCurrent = currentEntry();
    QList<bool> removed(count(), false);
    for (int r : rows)
        removed[r] = true;
    QList<bool> marked(count(), false);
    for (int r : selectedEntries())
        marked[r] = true;
    QList<bool> keptMarks;
    QList<Song> kept;
    int newCurrent = -1;
    kept.reserve(count() - rows.size());
    for (int i = 0; i < count(); ++i) {
        if (removed[i])
            continue;
        if (i == oldCurrent)
            newCurrent = static_cast<int>(kept.size());
        keptMarks.append(marked[i]);
        kept.append(songs_[i]);
    }
    beginResetModel();
    songs_ = std::move(kept);
    endResetModel();
    QItemSelection marks;
    for (int i = 0; i < keptMarks.size(); ++i)
        if (keptMarks[i])
            marks.select(index(i), index(i));
    if (!marks.isEmpty())
        selection_->select(marks, QItemSelectionModel::Select);
    if (newCurrent >= 0)
        setCurrentEntry(newCurrent);
}

void SongList::exchange(int i, int j) {
    if (i == j || i < 0 || j < 0 || i >= count() || j >= count())
        return;
    songs_.swapItemsAt(i, j);
    emit dataChanged(index(std::min(i, j)), index(std::max(i, j)));
}

bool SongList::isSelected(int i) const {
    return selection_->isSelected(index(i));
}

void SongList::setSelected(int i, bool selected) {
    if (i < 0 || i >= count())
        return;
    selection_->select(index(i),
                       selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void SongList::clearSelection() {
    selection_->clearSelection();
}

QList<int> SongList::selectedEntries() const {
    QList<int> rows;
    for (const QItemSelectionRange &range : selection_->selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.append(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int SongList::selectedCount() const {
    return static_cast<int>(selectedEntries().size());
}

int SongList::currentEntry() const {
    const QModelIndex c = selection_->currentIndex();
    return c.isValid() ? c.row() : -1;
}

void SongList::setCurrentEntry(int i) {
    if (i < 0 || i >= count())
        selection_->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    else
        selection_->setCurrentIndex(index(i), QItemSelectionModel::NoUpdate);
}
