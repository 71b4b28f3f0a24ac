#pragma once

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QList>
#include <QString>

// One song of a list: the name as shown (type marker first) and where it plays from.
struct Song {
    QString name;
    QString url;
    bool operator==(const Song &) const = default;
};

// A list of songs with its selection marks and current entry. Names and URLs live in one
// row, so the two can never drift apart; the name list view shows this model directly.
class SongList : public QAbstractListModel {
    Q_OBJECT
public:
    // Entry indexes were 16-bit signed in the original lists: the cap stays.
    static constexpr int MaxEntries = 32767;
    enum Role { UrlRole = Qt::UserRole + 1 };

    explicit SongList(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    int count() const { return static_cast<int>(songs_.size()); }
    const QString &name(int i) const { return songs_.at(i).name; }
    const QString &url(int i) const { return songs_.at(i).url; }
    const Song &song(int i) const { return songs_.at(i); }
    const QList<Song> &songs() const { return songs_; }
    bool isFull() const { return count() >= MaxEntries; }

    // Appends at the end; an addition beyond MaxEntries is skipped. Returns how many were added.
    bool append(const Song &song);
    int append(const QList<Song> &songs);
    // Puts these songs (up to MaxEntries) in place of the whole list, marks and current entry
    // cleared, in one step.
    void replaceAll(const QList<Song> &songs);
    // Removes the given rows (any order, duplicates allowed) in one step.
    void removeEntries(QList<int> rows);
    // Exchanges the contents of two entries; selection marks stay where they are.
    void exchange(int i, int j);

    QItemSelectionModel *selectionModel() const { return selection_; }
    bool isSelected(int i) const;
    void setSelected(int i, bool selected);
    void clearSelection();
    QList<int> selectedEntries() const; // ascending
    int selectedCount() const;
    // The focus entry; -1 when the list has none.
    int currentEntry() const;
    void setCurrentEntry(int i);
    // Asks the views of this list to scroll the entry into sight.
    void makeVisible(int i) { emit visibilityRequested(i); }

signals:
    void visibilityRequested(int entry);

private:
    QList<Song> songs_;
    QItemSelectionModel *selection_;
};
