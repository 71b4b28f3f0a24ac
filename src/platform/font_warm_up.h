#pragma once

#include "platform/platform_layer.h"

#include <thread>

// Reads the system's font configuration and caches on a thread of its own while the
// application object connects to the display: the first text the program lays out would
// otherwise wait for it on the way to the first window.
class FontWarmUp {
public:
    FontWarmUp();
    // Waits for it to be done; call before the first font is used.
    void join();
    ~FontWarmUp();

private:
    std::thread thread_;
};
