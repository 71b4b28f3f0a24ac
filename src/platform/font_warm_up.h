#pragma once

#include "platform/platform_layer.h"

#include <QString>
#include <thread>

// The system's fonts without Qt's font database: fontconfig reads its configuration and
// caches on a thread of its own while the application object connects to the display, and
// the desktop's font is then looked up directly. Qt loads its fonts when the first text is
// drawn, after the windows are on the screen, instead of on the way to them.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();

    struct Face {
        QString family;      // the installed family that a request resolves to
        bool hasHan = false; // whether it has Chinese glyphs of its own
    };
    // What a family name (as the desktop names its font, an alias such as "Sans Serif" too)
    // resolves to. Waits for the warm-up first.
    Face resolve(const QString &family);

private:
    std::thread thread_;
};
