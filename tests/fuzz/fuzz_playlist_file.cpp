// Playlist files of any bytes: what is read fits a song list, and written back and read again
// it is the same songs (a playlist read and saved loses no song that was read).
#include "fuzz_check.h"
#include "lists/playlist_file.h"
#include "lists/song_list.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    bool whole = false;
    const QList<Song> songs = PlaylistFile::parse(bytes, SongList::MaxEntries, &whole);
    FUZZ_CHECK(songs.size() <= SongList::MaxEntries);
    SongList list;
    FUZZ_CHECK(list.append(songs) == songs.size());
    FUZZ_CHECK(list.rowCount() == songs.size());
    FUZZ_CHECK(PlaylistFile::parse(PlaylistFile::serialize(songs)) == songs);
    return 0;
}
