#pragma once

#include <QString>

class Dialogs;
class SongList;

// Reading and writing the playlist: the default playlist file at start and at exit, and the
// export and import commands of the playlist menu.
namespace PlaylistCommands {

// The default playlist's file name in the application folder.
QString DefaultPlayListPath(const QString &appFolder);

// Appends the songs of the default playlist; a missing or unreadable file loads nothing.
void LoadPlayList(SongList &playList, const QString &appFolder);
// Replaces the default playlist with every song. False when it could not be written (the
// old file then stays as it was).
bool SavePlayList(const SongList &playList, const QString &appFolder);
// Writes the selected songs to a file chosen in a Save dialog.
void ExportPlayList(const SongList &playList, Dialogs &dialogs);
// Appends the songs of a file chosen in an Open dialog.
void ImportPlayList(SongList &playList, Dialogs &dialogs);
// Appends the songs of one playlist file, leaving the last one selected. False when the
// file cannot be read.
bool AppendPlayListFile(SongList &playList, const QString &path);

// Shown when a playlist file could not be written, followed by its path.
QString WriteFailedText(const QString &path);

} // namespace PlaylistCommands
