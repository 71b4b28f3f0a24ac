#pragma once

#include <QString>
#include <functional>

class Clipboard;
class Dialogs;
class SongList;

// The list commands of the main window's two song lists. Each takes the lists it works on,
// so one routine serves the search list and the playlist alike.
namespace ListCommands {

// Appends the selected songs of the search list to the playlist, in list order.
void AddToPlayList(const SongList &searchList, SongList &playList);
// Asks for confirmation, then removes every selected entry.
void DeleteSelectedSongs(SongList &list, Dialogs &dialogs);
// Moves the current entry one line up / down, moving its selection mark with it.
void MoveSongUp(SongList &playList);
void MoveSongDown(SongList &playList);
// Put the current song's name (without its four-character type marker) or URL on the clipboard.
void CopySongName(const SongList &list, Clipboard &clipboard);
void CopySongUrl(const SongList &list, Clipboard &clipboard);
// Asks for a keyword and selects the matching entries one by one, asking after each hit
// whether to go on. setListEnabled locks the list's view while the scan runs.
void FindInList(SongList &list, Dialogs &dialogs,
                const std::function<void(bool)> &setListEnabled = {});
// Leaves the last entry as the only selected one, scrolled into sight.
void SelectLastSong(SongList &list);
// "↓ 000123首": the playlist count label's text.
QString PlayListCountText(int count);

} // namespace ListCommands
