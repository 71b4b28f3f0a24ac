#include "flash_plugin_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>

const QString FlashPluginLoader::PluginName = QStringLiteral("libtonaply_flash_viewer.so");
const QString FlashPluginLoader::TextNoViewer =
    QStringLiteral("无法播放动画：程序的 Flash 播放组件没有安装或已损坏。");

FlashPluginLoader::FlashPluginLoader(QStringList folders) : folders_(std::move(folders)) {}

FlashPluginLoader::~FlashPluginLoader() {
    // The players made are gone with their windows by now; the library stays mapped until
    // the process ends, as plugins do.
    delete loader_;
}

FlashPlayerFactory *FlashPluginLoader::load(QString *reason) {
    if (factory_)
        return factory_;
    QStringList folders = folders_;
    if (folders.isEmpty())
        folders << QCoreApplication::applicationDirPath()
                << QDir(QCoreApplication::applicationDirPath())
                       .filePath(QStringLiteral("../lib/tonaply"));
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(PluginName);
        if (!QFileInfo(path).isFile())
            continue;
        auto *loader = new QPluginLoader(path);
        if (loader->metaData().value(QStringLiteral("IID")).toString() !=
            QLatin1String(FlashPlayerFactory_iid)) {
            delete loader;
            continue;
        }
        if (auto *factory = qobject_cast<FlashPlayerFactory *>(loader->instance())) {
            loader_ = loader;
            factory_ = factory;
            return factory_;
        }
        delete loader;
    }
    if (reason)
        *reason = TextNoViewer;
    return nullptr;
}

FlashPlayer *FlashPluginLoader::newFlashPlayer(QObject *parent, QString *reason) {
    FlashPlayerFactory *factory = load(reason);
    return factory ? factory->newFlashPlayer(parent, reason) : nullptr;
}
