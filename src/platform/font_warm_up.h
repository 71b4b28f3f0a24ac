#pragma once

#include "platform/platform_layer.h"

#include <QString>
#include <future>
#include <thread>

// The system's fonts without Qt's font database: fontconfig reads its configuration and
// caches on a thread of its own while the application object connects to the display, and
// the desktop's font is then looked up on that thread too while the program sets up its
// parts. Qt loads its fonts when the first text is drawn, after the windows are on the
// screen, instead of on the way to them.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();

    struct Face {
        QString family;      // the installed family that a request resolves to
        bool hasHan = false; // whether it has Chinese glyphs of its own
    };
    // Starts looking up what a family name (as the desktop names its font, an alias such as
    // "Sans Serif" too) resolves to. Once only.
    void ask(const QString &family);
    // The answer to ask (waits for it); a face of the asked name where fontconfig found none,
    // and of no name when nothing was asked.
    Face answer();
    Face resolve(const QString &family) {
        ask(family);
        return answer();
    }

private:
    static Face lookUp(const QString &family);

    std::promise<QString> asked_;
    bool askedOnce_ = false;
    Face face_;
    std::thread thread_;
};
