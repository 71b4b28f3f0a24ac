#pragma once

#include "platform/platform_layer.h"

#include "installer.h"

#include <QString>

// The update installer in a private folder of its own (made for it, readable by this user
// only), started detached with no arguments. It runs only when it came whole (as long as its
// server announced) from an https address or from this machine: a program fetched in plain
// text over the network could have been replaced on the way.
class PrivateInstaller : public Installer {
public:
    // A server silent this long ends the download; the whole download may take up to
    // totalTimeoutMs.
    static constexpr int SilenceTimeoutMs = 30000;
    static constexpr int TotalTimeoutMs = 10 * 60 * 1000;
    static constexpr qint64 MaxBytes = qint64(1) << 30;

    // folderBase: where its private folder is made ("" for the user's runtime folder).
    explicit PrivateInstaller(QString folderBase = {}, int silenceTimeoutMs = SilenceTimeoutMs,
                              int totalTimeoutMs = TotalTimeoutMs);

    bool download(const QString &url) override;
    void start() override;
    void endProcess() override;

    // Where the installer fetched last lies; "" before a download succeeded.
    const QString &path() const { return path_; }
    // Whether an installer may be run from this address.
    static bool TrustedSource(const QString &url);

private:
    QString folderBase_;
    int silenceTimeoutMs_;
    int totalTimeoutMs_;
    QString path_;
};
