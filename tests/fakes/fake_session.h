#pragma once

#include "app/session.h"
#include "fake_dialogs.h"
#include "fake_downloads.h"
#include "fake_installer.h"
#include "fake_players.h"
#include "fake_shell.h"
#include "fake_stream_player.h"
#include "fake_transfer.h"

#include <QTemporaryDir>
#include <memory>

// The desktop's parts that a session over the real network and its own dialogs and installer
// still fakes.
struct DesktopFakes {
    FakeClipboard clipboard;
    FakeShell shell;
    FakeStreamPlayer player;
    FakeDownloadDialog downloadDialog;
    FakeDownloadManager downloadManager;
    FakePlayerFactory players;
    FakeFlashPlayerFactory flash;

    Session::Ports ports(Dialogs &dialogs, TransferFactory &network, Installer &installer) {
        return {dialogs,        clipboard,       shell,   player, network,
                downloadDialog, downloadManager, players, flash,  installer};
    }
};

// A session over fakes, with its application folder and metafile folder in temporary places.
// Make the session after putting files into the application folder.
struct FakeSession : DesktopFakes {
    QTemporaryDir folder;
    QTemporaryDir metafiles;
    FakeDialogs dialogs;
    FakeTransferFactory network;
    FakeInstaller installer;
    std::unique_ptr<Session> session;

    Session &make(const QString &dataServerUrl = QStringLiteral("http://data.example/")) {
        // The data server knows this version: no update at start.
        network.files.insert(dataServerUrl + QStringLiteral("tnplversion.txt"),
                             QStringLiteral("1.43"));
        session = std::make_unique<Session>(
            ports(dialogs, network, installer),
            ServerEndpoints{dataServerUrl,
                            dataServerUrl + QStringLiteral("setup.exe"),
                            {QStringLiteral("one.example"), QStringLiteral("two.example")}},
            folder.path(), metafiles.path());
        return *session;
    }
};
