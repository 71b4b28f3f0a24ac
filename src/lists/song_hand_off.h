#pragma once

#include <QString>

class Clipboard;
class Dialogs;
class DownloadDialog;
class DownloadManager;
class Shell;
class SongList;

// Songs handed out of a song list: to the download dialog, to the download manager, and the
// current song's lyrics to a search page in the browser. The routines read the list and never
// change it or its selection.
namespace SongHandOff {

// The current entry's address (and title, for the file name) to the download dialog.
void DownloadSong(const SongList &list, DownloadDialog &dialog);
// The selected songs to the download manager: one with AddUrl, several in one AddUrlList
// whose element 0 is makerAddress. Any failure says so and hands nothing over. True when
// songs were handed over.
bool DownloadByFlashGet(const SongList &list, DownloadManager &manager, Dialogs &dialogs,
                        const QString &makerAddress);
// Asks for the lyrics keyword (the current song's title, also left on the clipboard) and opens
// the lyrics search of lyricsSite in the browser.
void SearchSongWord(const SongList &list, Clipboard &clipboard, Dialogs &dialogs, Shell &shell,
                    const QString &lyricsSite);
// The lyrics search address for a keyword, the keyword exactly as typed.
QString LyricsUrl(const QString &lyricsSite, const QString &keyword);

extern const QString TextNoDownloadManager;
extern const QString TextLyricsPrompt;

} // namespace SongHandOff
