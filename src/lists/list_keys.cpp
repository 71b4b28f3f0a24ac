#include "list_keys.h"

#include "list_commands.h"
#include "playback_controller.h"

namespace ListKeys {

void KeyDown(int key, SongList &list, PlaybackController &playback, Dialogs &dialogs) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        playback.PlayFromCurrentSong(list);
    else if (key == Qt::Key_Delete)
        ListCommands::DeleteSelectedSongs(list, dialogs);
}

} // namespace ListKeys
