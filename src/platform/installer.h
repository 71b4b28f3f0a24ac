#pragma once

#include <QString>

// The installer of a newer version: fetched into a private place, started as a program of its
// own, and the end of this process, so that it can replace the program.
class Installer {
public:
    virtual ~Installer() = default;
    // Fetches the installer; waits, with events flowing, until it is complete or has failed.
    // False when it did not come whole, or from an address it may not run from.
    virtual bool download(const QString &url) = 0;
    // Starts the installer fetched last, not waiting for it. Failures are not reported.
    virtual void start() = 0;
    // Ends this process at once: nothing of the program's own ending runs.
    virtual void endProcess() = 0;
};
