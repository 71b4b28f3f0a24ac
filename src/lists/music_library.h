#pragma once

#include <QString>
#include <QStringList>

class SongList;

// The singer albums shipped in the application folder's "music" folder (playlist files whose
// addresses are relative to the album streaming base) and the singer names of "singer.txt"
// that the keyword box offers.
namespace MusicLibrary {

// A singer.txt larger than this is read only this far: the names are for a drop-down list.
constexpr qint64 MaxSingerBytes = 1024 * 1024;
constexpr int MaxSingers = 5000;

QString AlbumFolder(const QString &appFolder);
// The album files (*.hdm) of the folder, by name; none when the folder is missing.
QStringList AlbumFiles(const QString &folder);
// Appends an album's songs to the list, each address the streaming base directly followed by
// the album's line, then leaves the last entry the only one selected (also when the file is
// missing or unreadable).
void InputSong(const QString &strFile, SongList &list, const QString &streamBaseUrl);
// The lines of singer.txt (GBK), in file order and unchanged, empty ones included; none when
// the file is missing.
QStringList LoadSingerList(const QString &appFolder);

} // namespace MusicLibrary
