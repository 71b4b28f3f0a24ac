#include "ruffle_viewer_plugin.h"

#include "ruffle_flash_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QOpenGLContext>
#include <dlfcn.h>
#include <unistd.h>

// Qt's own: the context every later OpenGL context shares with (what Qt WebEngine's own
// initialisation sets when the engine comes after the application object).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {
// The web engine draws through OpenGL contexts shared with the program's windows. Made here,
// when the first animation plays, and not at start: made with the application object it
// loads the OpenGL driver before the main window maps (twice the start-up time, +56 MB).
void shareOpenGlContexts() {
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

// Where this plugin's own file lies.
QString pluginFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&pluginFolder), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return {};
}
} // namespace

FlashPlayer *RuffleViewerPlugin::newFlashPlayer(QObject *parent, QString *reason) {
    const QString folder = QDir(pluginFolder()).filePath(QStringLiteral("ruffle"));
    for (const char *file : {"ruffle.js", "player.html"}) {
        if (!QFile::exists(QDir(folder).filePath(QLatin1String(file)))) {
            if (reason)
                *reason = QStringLiteral("无法播放动画：Flash 播放组件的文件不全（缺少 %1）。")
                              .arg(QLatin1String(file));
            return nullptr;
        }
    }
    // The web engine's sandbox cannot run for the superuser; it is set before the engine
    // starts, which is with the first player.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    shareOpenGlContexts();
    return new RuffleFlashPlayer(folder, parent);
}
