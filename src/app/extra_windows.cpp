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

template <typename Window, typename Held> void ExtraWindows::showLoading(QPointer<Held> &window) {
    if (window) {
        if (!window->isLoading())
            bringUp(window);
        return;
    }
    window = new Window(session_);
    window->Form_Load();
}

void ExtraWindows::ShowNetTv() {
    showLoading<frmNetTv>(netTv_);
}

void ExtraWindows::ShowNetMovie() {
    showLoading<frmNetMovie>(netMovie_);
}

void ExtraWindows::ShowNetMtv() {
    showLoading<frmNetMtv>(netMtv_);
}

void ExtraWindows::ShowNetFlash() {
    showLoading<frmNetFlash>(netFlash_);
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
