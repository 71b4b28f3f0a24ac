#pragma once

class Dialogs;
class PlaybackController;
class SongList;

// The keys of the two song lists: Enter plays from the current song, Delete deletes the
// selected songs (after asking); other keys are the list's own.
namespace ListKeys {

void KeyDown(int key, SongList &list, PlaybackController &playback, Dialogs &dialogs);

} // namespace ListKeys
