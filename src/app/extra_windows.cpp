#include "extra_windows.h"

#include "channels/frm_net_channel.h"
#include "flash/frm_net_flash.h"
#include "lists/frm_music_library.h"

ExtraWindows::ExtraWindows(Session &session, QObject *parent)
    : QObject(parent), session_(session) {}

ExtraWindows::~ExtraWindows() {
    delete musicLibrary_;
    delete netTv_;
    delete netMovie_;
    delete netMtv_;
    delete netFlash_;
}

namespace {
void bringUp(QWidget *window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void ExtraWindows::ShowMusicLibrary() {
    if (!musicLibrary_) {
        musicLibrary_ = new frmMusicLibrary(session_);
        musicLibrary_->setAttribute(Qt::WA_DeleteOnClose);
    }
    bringUp(musicLibrary_);
}

template <typename Window> void ExtraWindows::showChannel(QPointer<frmNetChannel> &window) {
    if (window) {
        if (!window->isLoading())
            bringUp(window);
        return;
    }
    window = new Window(session_);
    window->Form_Load();
}

void ExtraWindows::ShowNetTv() {
    showChannel<frmNetTv>(netTv_);
}

void ExtraWindows::ShowNetMovie() {
    showChannel<frmNetMovie>(netMovie_);
}

void ExtraWindows::ShowNetMtv() {
    showChannel<frmNetMtv>(netMtv_);
}

void ExtraWindows::ShowNetFlash() {
    if (netFlash_) {
        if (!netFlash_->isLoading())
            bringUp(netFlash_);
        return;
    }
    netFlash_ = new frmNetFlash(session_);
    netFlash_->Form_Load();
}

frmMusicLibrary *ExtraWindows::musicLibrary() const {
    return musicLibrary_;
}

frmNetChannel *ExtraWindows::netTv() const {
    return netTv_;
}

frmNetChannel *ExtraWindows::netMovie() const {
    return netMovie_;
}

frmNetChannel *ExtraWindows::netMtv() const {
    return netMtv_;
}

frmNetFlash *ExtraWindows::netFlash() const {
    return netFlash_;
}
