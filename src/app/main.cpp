#include "app/app_folder.h"
#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "app/mod_main.h"
#include "app/net/qt_http_transfer.h"
#include "app/player/mpv_player_factory.h"
#include "app/player/mpv_stream_player.h"
#include "app/session.h"
#include "flash/flash_plugin_loader.h"
#include "lists/playback_controller.h"
#include "platform/aria2_download_manager.h"
#include "platform/desktop_shell.h"
#include "platform/font_warm_up.h"
#include "platform/memory_tuning.h"
#include "platform/mpris_service.h"
#include "platform/private_installer.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_download_dialog.h"
#include "platform/quit_signals.h"
#include "platform/single_instance.h"
#include "platform/window_system.h"
#include "ui/frm_tray.h"
#include "ui/skin.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    MemoryTuning::ForThePlayer();
    QApplication app(argc, argv);
    MemoryTuning::ForTheWindows();
    QApplication::setApplicationName(QStringLiteral("Tonaply"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Chinese in Chinese glyphs, from before the first text is drawn.
    FontWarmUp fonts(QApplication::font().family(), [](const FontWarmUp::Face &desktop) {
        Skin::UseChineseGlyphs(desktop.family, desktop.hasHan);
    });

    SingleInstance instance;
    QtDialogs dialogs;
    QtClipboard clipboard;
    DesktopShell shell;
    QtDownloadDialog downloadDialog(dialogs);
    Aria2DownloadManager downloadManager;
    MpvPlayerFactory players;
    FlashPluginLoader flash;
    PrivateInstaller installer;
    // Created only once this copy is known to be the only one; they go in reverse order,
    // the window before the player whose picture it shows.
    std::unique_ptr<QtTransferFactory> network;
    std::unique_ptr<MpvStreamPlayer> realAudio1;
    std::unique_ptr<Session> session;
    std::unique_ptr<ExtraWindows> extraWindows;
    std::unique_ptr<frmSearchMusic> window;
    std::unique_ptr<frmTrayIcon> trayIcon;
    std::unique_ptr<MprisService> mpris;
    std::unique_ptr<QuitSignals> quitSignals;
    bool ending = false;

    modMain::StartSteps steps;
    steps.otherCopyRunning = [&] { return instance.otherCopyRunning(); };
    steps.showMainWindow = [&] {
        network = std::make_unique<QtTransferFactory>();
        realAudio1 = std::make_unique<MpvStreamPlayer>(true, MpvCore::Options{}, false);
        session = std::make_unique<Session>(
            Session::Ports{dialogs, clipboard, shell, *realAudio1, *network, downloadDialog,
                           downloadManager, players, flash, installer},
            ServerEndpoints{modMain::DataServerUrl(), modMain::UpdateInstallerUrl(),
                            SearchQuery::Hosts::BuiltIn()},
            AppFolder::Locate(), PlaybackController::DefaultMetafileFolder());
        extraWindows = std::make_unique<ExtraWindows>(*session);
        window = std::make_unique<frmSearchMusic>(*session, *extraWindows);
        // The window may close while it is still loading (a slow data server): exit() then
        // has no event loop to end, and the program must not go on to run one.
        QObject::connect(window.get(), &frmSearchMusic::unloaded, [&ending, &trayIcon] {
            ending = true;
            if (trayIcon)
                trayIcon->Form_Unload();
            QApplication::exit(0);
        });
        // The player's core loads once the window is on the screen; until then the
        // player queues what it is asked to do.
        QObject::connect(window.get(), &frmSearchMusic::firstPainted, realAudio1.get(),
                         &MpvStreamPlayer::startCore);
        // On the media bus once the window is on the screen (the bus may not be there).
        QObject::connect(window.get(), &frmSearchMusic::firstPainted, [&] {
            if (!mpris)
                mpris = std::make_unique<MprisService>(*realAudio1, session->playback(), *window);
        });
        // Qt's texts are needed only by the dialogs that come later.
        QObject::connect(window.get(), &frmSearchMusic::firstPainted, &QtDialogs::UseChineseTexts);
        // The window maps now, not after the events queued while it was built.
        QObject::connect(window.get(), &frmSearchMusic::shown, &WindowSystem::SendPendingRequests);
        // The fonts are looked up while the window system shows the window.
        QObject::connect(window.get(), &frmSearchMusic::shown, &fonts, &FontWarmUp::start);
        dialogs.setParent(window.get());
        // Logout, shutdown or Ctrl+C end the program as its close button does.
        quitSignals = std::make_unique<QuitSignals>();
        QObject::connect(quitSignals.get(), &QuitSignals::quitRequested, window.get(),
                         &QWidget::close);
        window->Show();
    };
    steps.loadTrayWindow = [&] {
        trayIcon = std::make_unique<frmTrayIcon>(*session, *extraWindows, *window);
        trayIcon->Form_Load();
        window->setTrayIconShown([&trayIcon] { return trayIcon && trayIcon->shownInTray(); });
    };
    if (!modMain::Main(dialogs, steps) || ending)
        return 0;
    return app.exec();
}
