#pragma once

#include "app/extra_windows.h"
#include "app/session.h"
#include "channels/frm_net_channel.h"
#include "fakes/fake_session.h"

#include <memory>

// The channel windows over a real network and real players, the rest of the program fakes.
struct ChannelProgram {
    FakeSession fakes;
    std::unique_ptr<Session> session;
    std::unique_ptr<ExtraWindows> windows;

    ChannelProgram(TransferFactory &network, PlayerFactory &players, const QString &data) {
        session = std::make_unique<Session>(
            Session::Ports{fakes.dialogs, fakes.clipboard, fakes.shell, fakes.player, network,
                           fakes.downloadDialog, fakes.downloadManager, players, fakes.flash,
                           fakes.installer},
            ServerEndpoints{data, data + "setup.exe", {}}, fakes.folder.path(),
            fakes.metafiles.path());
        windows = std::make_unique<ExtraWindows>(*session);
    }
    // Opens (or brings back) a window, as its link-bar entry does.
    frmNetChannel *open(ChannelCatalogue::Kind kind) {
        switch (kind) {
        case ChannelCatalogue::Kind::Movie:
            windows->ShowNetMovie();
            return windows->netMovie();
        case ChannelCatalogue::Kind::Mtv:
            windows->ShowNetMtv();
            return windows->netMtv();
        case ChannelCatalogue::Kind::Tv:
            windows->ShowNetTv();
            return windows->netTv();
        }
        return nullptr;
    }
};
