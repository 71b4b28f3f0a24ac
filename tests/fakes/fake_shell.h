#pragma once

#include "platform/shell.h"

#include <QStringList>

class FakeShell : public Shell {
public:
    QStringList edited;
    QStringList played;
    QStringList opened;
    bool editText(const QString &path) override {
        edited << path;
        return true;
    }
    bool playExternally(const QString &source) override {
        played << source;
        return true;
    }
    QStringList files;
    bool openFile(const QString &path) override {
        files << path;
        return true;
    }
    QStringList folders;
    bool openFolder(const QString &path) override {
        folders << path;
        return true;
    }
    int volumeControls = 0;
    bool openVolumeControl() override {
        ++volumeControls;
        return true;
    }
    bool openUrl(const QString &url) override {
        opened << url;
        return true;
    }
};
