#pragma once

// How the program's heap is kept: called first thing, before any thread starts.
namespace MemoryTuning {

// Each song the player opens takes some 10 MB of buffers, on threads that come and go with
// the song. Large buffers are mapped on their own so they go back to the system when freed,
// and the player's threads share two heaps instead of each keeping one of its own.
void ForThePlayer();

// Once the application object is made. The style keeps its drawn controls in the pixmap
// cache under keys that change with every window's colours: each window opened left its
// own copies there, up to Qt's 10 MB. A smaller cache holds all that one set of windows uses.
void ForTheWindows();

} // namespace MemoryTuning
