#include "music_library.h"

#include "list_commands.h"
#include "playlist_file.h"
#include "song_list.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace MusicLibrary {

QString AlbumFolder(const QString &appFolder) {
    return QDir(appFolder).filePath(QStringLiteral("music"));
}

QStringList AlbumFiles(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("*.hdm")}, QDir::Files | QDir::Readable,
                                  QDir::Name);
}

void InputSong(const QString &strFile, SongList &list, const QString &streamBaseUrl) {
    QList<Song> songs;
    // Reading stops at the first blank name line; a last name without an address line keeps
    // its song, as playlists do, so nothing of the album is lost.
    if (PlaylistFile::read(strFile, songs, SongList::MaxEntries - list.count())) {
        for (Song &song : songs)
            song.url.prepend(streamBaseUrl);
        // One step for the whole album: the views repaint once, not once a song.
        list.append(songs);
    }
    ListCommands::SelectLastSong(list);
}

QStringList LoadSingerList(const QString &appFolder) {
    QFile file(QDir(appFolder).filePath(QStringLiteral("singer.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("GB18030");
    const QString text = decode(file.read(MaxSingerBytes));
    QStringList names;
    // A line ends at CR LF, a lone CR or a lone LF; the end of the file ends the last one.
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size() && names.size() < MaxSingers; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        names << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size() && names.size() < MaxSingers)
        names << text.mid(start);
    return names;
}

} // namespace MusicLibrary
