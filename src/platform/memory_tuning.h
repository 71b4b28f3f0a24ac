#pragma once

// How the program's heap is kept: called first thing, before any thread starts.
namespace MemoryTuning {

// Each song the player opens takes some 10 MB of buffers, on threads that come and go with
// the song. Large buffers are mapped on their own so they go back to the system when freed,
// and the player's threads share two heaps instead of each keeping one of its own.
void ForThePlayer();

} // namespace MemoryTuning
