#include "mod_main.h"

#include "endpoints.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

namespace modMain {

namespace {
QString dataServerUrl;
QString updateInstallerUrl;

const QString TextPluginNotRemoved = QStringLiteral("删除文件pnxr3260.dll出错，请搜索并手工删除！");
const QString TextStartFailed = QStringLiteral("错误！您的电脑上可能没有安装RealOne软件。");
} // namespace

const QString &DataServerUrl() {
    return dataServerUrl;
}

const QString &UpdateInstallerUrl() {
    return updateInstallerUrl;
}

QString VersionText() {
    return QStringLiteral("%1.%2%3")
        .arg(TONAPLY_VERSION_MAJOR)
        .arg(TONAPLY_VERSION_MINOR)
        .arg(TONAPLY_VERSION_PATCH);
}

bool RemoveRealPlugin(Dialogs &dialogs, const QString &fileSystemRoot) {
    const QString path = QDir(fileSystemRoot)
                             .filePath(QStringLiteral("Program Files/Common Files/Real/Plugins/"
                                                      "pnxr3260.dll"));
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (QFile::remove(path))
        return true;
    dialogs.message(TextPluginNotRemoved, Dialogs::Icon::Critical);
    return false;
}

bool Main(Dialogs &dialogs, const StartSteps &steps) {
    if (steps.otherCopyRunning && steps.otherCopyRunning())
        return false;
    if (!RemoveRealPlugin(dialogs, steps.fileSystemRoot))
        return false;
    bool windowShown = false;
    try {
        dataServerUrl = QStringLiteral(TONAPLY_DATA_SERVER_URL);
        updateInstallerUrl = QStringLiteral(TONAPLY_UPDATE_INSTALLER_URL);
        if (steps.showMainWindow)
            steps.showMainWindow();
        windowShown = true;
        if (steps.loadTrayWindow)
            steps.loadTrayWindow();
    } catch (const std::exception &) {
        dialogs.message(TextStartFailed, Dialogs::Icon::Critical);
        return windowShown;
    }
    return true;
}

} // namespace modMain
