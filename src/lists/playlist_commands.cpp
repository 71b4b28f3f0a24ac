#include "playlist_commands.h"

#include "list_commands.h"
#include "platform/dialogs.h"
#include "playlist_file.h"
#include "song_list.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
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

QString KeptCopyText(const QString &copyPath) {
    return QStringLiteral("播放列表文件中有无法读取的内容，原文件已另存为：\n%1")
        .arg(QDir::toNativeSeparators(copyPath));
}

namespace {
bool appendFile(SongList &playList, const QString &path, bool *whole) {
    QList<Song> songs;
    if (!PlaylistFile::read(path, songs, SongList::MaxEntries - playList.count(), whole))
        return false;
    if (songs.isEmpty())
        return true;
    // One insertion, then the last song selected: the same lists and marks as appending
    // song by song with SelectLastSong after each, at a fraction of the cost.
    playList.append(songs);
    ListCommands::SelectLastSong(playList);
    return true;
}

// A copy beside the playlist, named by the time it was made, that import dialogs show.
QString keepCopy(const QString &path) {
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 0; n < 100; ++n) {
        const QString copy =
            info.dir().filePath(QStringLiteral("%1-原文件-%2%3.hdm")
                                    .arg(info.completeBaseName(), stamp,
                                         n == 0 ? QString() : QStringLiteral("-%1").arg(n)));
        if (QFile::exists(copy))
            continue;
        return QFile::copy(path, copy) ? copy : QString();
    }
    return {};
}
} // namespace

bool AppendPlayListFile(SongList &playList, const QString &path) {
    return appendFile(playList, path, nullptr);
}

QString LoadPlayList(SongList &playList, const QString &appFolder) {
    const QString path = DefaultPlayListPath(appFolder);
    bool whole = true;
    if (!QFileInfo(path).isFile() || !appendFile(playList, path, &whole) || whole)
        return {};
    return keepCopy(path);
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
