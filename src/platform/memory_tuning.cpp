#include "memory_tuning.h"

#include <QPixmapCache>
#include <malloc.h>

namespace MemoryTuning {

void ForThePlayer() {
    // With glibc's sliding threshold the buffers came from the heap after the first song and
    // stayed there, 10 MB more for each of the next two songs.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    // A heap per thread kept some 10 MB each of what the songs' threads had freed: over 500
    // songs resident memory grew by 130 MB.
    mallopt(M_ARENA_MAX, 2);
}

void ForTheWindows() {
    QPixmapCache::setCacheLimit(2 * 1024); // in KB
}

} // namespace MemoryTuning
