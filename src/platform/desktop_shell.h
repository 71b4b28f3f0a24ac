#pragma once

#include "platform/platform_layer.h"

#include "shell.h"

#include <QStringList>

// The Linux desktop's programs, started with argument lists (never through a shell).
class DesktopShell : public Shell {
public:
    bool editText(const QString &path) override;
    bool playExternally(const QString &source) override;
    bool openUrl(const QString &url) override;
    bool openFile(const QString &path) override;
    bool openFolder(const QString &path) override;
    bool openVolumeControl() override;

    // The media players tried for "realplay", first installed wins.
    static const QStringList ExternalPlayers;
    // The volume controls tried, program and arguments, first installed wins.
    static const QList<QStringList> VolumeControls;
    // The text editors tried when the desktop names none for plain text.
    static const QStringList TextEditors;
    // The program and arguments of a desktop entry's Exec line for one file.
    static QStringList ExecCommand(const QString &exec, const QString &path);
};
