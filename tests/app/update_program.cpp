// The program's start as far as the main window, with the real network and the real update
// installer, the desktop's other parts faked: what the start-up version check does for real,
// ending the process included. Messages go to standard output as they are shown.
// Usage: update_program DATA_SERVER_URL INSTALLER_URL APP_FOLDER INSTALLER_FOLDER
#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "app/net/qt_http_transfer.h"
#include "fakes/fake_session.h"
#include "platform/private_installer.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {
class SayingDialogs : public FakeDialogs {
public:
    void message(const QString &text, Icon icon) override {
        FakeDialogs::message(text, icon);
        std::printf("message: %s\n", text.toUtf8().constData());
        std::fflush(stdout);
    }
};
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 5)
        return 2;
    const QString data = QString::fromLocal8Bit(argv[1]);
    // Not FakeSession, whose temporary folders would be left behind: the update ends this
    // process at once. The metafiles go into the test's folder.
    DesktopFakes fakes;
    SayingDialogs dialogs;
    QtTransferFactory network;
    PrivateInstaller installer(QString::fromLocal8Bit(argv[4]));
    const QString appFolder = QString::fromLocal8Bit(argv[3]);
    Session session(fakes.ports(dialogs, network, installer),
                    {data, QString::fromLocal8Bit(argv[2]), {}}, appFolder,
                    QDir(appFolder).filePath(QStringLiteral("metafiles")));
    ExtraWindows windows(session);
    frmSearchMusic window(session, windows);
    window.Show();
    std::printf("window shown\n");
    std::fflush(stdout);
    return 0;
}
