#pragma once

#include "platform/platform_layer.h"

#include <QString>

// Tells whether another copy of the program is running. The first copy holds an exclusive
// lock on a file in the user's runtime folder; the system releases it when that copy ends,
// even by a crash, so a dead copy never blocks the next start.
class SingleInstance {
public:
    explicit SingleInstance(QString lockPath = DefaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Takes the lock if it is free; true when another process holds it.
    bool otherCopyRunning();

    static QString DefaultLockPath();

private:
    QString path_;
    int fd_ = -1;
};
