#pragma once

#include "platform/installer.h"

#include <QStringList>

// Records what the version check asks of the installer; the process never ends.
class FakeInstaller : public Installer {
public:
    bool downloads = true; // what download answers
    QStringList calls;     // "download:URL", "start", "end", in order

    bool download(const QString &url) override {
        calls << QStringLiteral("download:") + url;
        return downloads;
    }
    void start() override { calls << QStringLiteral("start"); }
    void endProcess() override { calls << QStringLiteral("end"); }
};
