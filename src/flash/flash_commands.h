#pragma once

#include <QString>
#include <functional>

class Dialogs;
class SongList;

// The Flash window's commands on its list that need no player.
namespace FlashCommands {

extern const QString TextFindPrompt;
extern const QString TextFindAgain;
extern const QString TextFindDone;
extern const QString TextNotFound;
extern const QString TextUpdated;

// The current animation's address; "" with no current entry.
QString CurrentUrl(const SongList &list);
// Whether the menu's open, download and full-screen items are on: some entry is selected.
bool HasSelection(const SongList &list);

// Find in the list: asks for a keyword and selects each entry whose shown name holds it,
// asking after each hit whether to go on (and for the keyword again). lock(true) is called
// while the list is being searched, lock(false) while the user is asked and at the end.
void Find(SongList &list, Dialogs &dialogs, const std::function<void(bool)> &lock);

} // namespace FlashCommands
