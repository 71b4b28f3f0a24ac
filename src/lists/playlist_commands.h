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
// The playlist is written back over the file at exit: when the file holds more than could
// be loaded (text after a blank name line, bytes that are not GBK, more songs than the list
// takes), it is first copied beside itself, and the copy's path is returned (else "").
QString LoadPlayList(SongList &playList, const QString &appFolder);
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
// Shown when the default playlist held more than could be loaded and was kept as a copy.
QString KeptCopyText(const QString &copyPath);

} // namespace PlaylistCommands
