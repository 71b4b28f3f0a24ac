#pragma once

#include "song_list.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The *.hdm playlist format: two lines per song (name, URL), GBK text (read and written as
// GB18030, which reads every GBK file unchanged and can write every character).
namespace PlaylistFile {

// Files larger than this are read only this far: a playlist holds at most 32,767 songs.
constexpr qint64 MaxReadBytes = 64 * 1024 * 1024;

// Reads songs from file content. A line ends at CR LF, a lone CR or a lone LF. Reading stops
// at the first name line that is empty or blank, or after maxSongs songs. A name line with
// no URL line after it (the file ends) keeps the song with an empty URL. whole, if given,
// tells whether the songs hold everything in the content: false when text follows where
// reading stopped or some bytes are not GB18030.
QList<Song> parse(const QByteArray &bytes, int maxSongs = SongList::MaxEntries,
                  bool *whole = nullptr);
// Every song as a name line and a URL line, each ended by CR LF.
QByteArray serialize(const QList<Song> &songs);

// Reads a playlist file. False when it does not exist or cannot be opened. whole as for
// parse (false too for a file beyond MaxReadBytes).
bool read(const QString &path, QList<Song> &songs, int maxSongs = SongList::MaxEntries,
          bool *whole = nullptr);
// Replaces the file atomically: a failed write leaves the old file whole. False on failure.
bool write(const QString &path, const QList<Song> &songs);

} // namespace PlaylistFile
