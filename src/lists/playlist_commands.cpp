#include "playlist_commands.h"

#include "list_commands.h"
#include "platform/dialogs.h"
#include "playlist_file.h"
#include "song_list.h"

#include <QDir>
#include <QFileInfo>

namespace PlaylistCommands {

namespace {
const QString PlayListFileName = QStringLiteral("播放列表.hdm");
const QString PlayListFilter = QStringLiteral("*.hdm|*.hdm");
} // namespace

QString DefaultPlayListPath(const QString &appFolder) {
    return QDir(appFolder).filePath(PlayListFileName);
}

QString WriteFailedText(const QString &path) {
    return QStringLiteral("歌曲列表无法写入文件：\n%1").arg(QDir::toNativeSeparators(path));
}

bool AppendPlayListFile(SongList &playList, const QString &path) {
    QList<Song> songs;
    if (!PlaylistFile::read(path, songs, SongList::MaxEntries - playList.count()))
        return false;
    if (songs.isEmpty())
        return true;
    // One insertion, then the last song selected: the same lists and marks as appending
    // song by song with SelectLastSong after each, at a fraction of the cost.
    playList.append(songs);
    ListCommands::SelectLastSong(playList);
    return true;
}

void LoadPlayList(SongList &playList, const QString &appFolder) {
    const QString path = DefaultPlayListPath(appFolder);
    if (QFileInfo(path).isFile())
        AppendPlayListFile(playList, path);
}

bool SavePlayList(const SongList &playList, const QString &appFolder) {
    return PlaylistFile::write(DefaultPlayListPath(appFolder), playList.songs());
}

void ExportPlayList(const SongList &playList, Dialogs &dialogs) {
    const QString path = dialogs.saveFileName(PlayListFilter);
    if (path.isEmpty())
        return;
    QList<Song> picked;
    for (int i : playList.selectedEntries())
        picked.append(playList.song(i));
    // A silent failure would look like a finished export: say so.
    if (!PlaylistFile::write(path, picked))
        dialogs.message(WriteFailedText(path), Dialogs::Icon::Warning);
}

void ImportPlayList(SongList &playList, Dialogs &dialogs) {
    const QString path = dialogs.openFileName(PlayListFilter);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    AppendPlayListFile(playList, path);
}

} // namespace PlaylistCommands
