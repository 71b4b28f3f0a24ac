#include "app/app_folder.h"
#include "app/frm_search_music.h"
#include "app/mod_main.h"
#include "app/net/qt_http_transfer.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_dialogs.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonaply"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    QtDialogs dialogs;
    QtClipboard clipboard;
    QtHttpTransfer netGetData;
    std::unique_ptr<frmSearchMusic> window;

    modMain::StartSteps steps;
    steps.otherCopyRunning = [&] { return instance.otherCopyRunning(); };
    steps.showMainWindow = [&] {
        Services services{
            &dialogs, &clipboard, &netGetData, modMain::DataServerUrl(), AppFolder::Locate(), [] {
                QApplication::exit(0);
            }};
        window = std::make_unique<frmSearchMusic>(std::move(services));
        dialogs.setParent(window.get());
        window->Show();
    };
    if (!modMain::Main(dialogs, steps))
        return 0;
    return app.exec();
}
