#pragma once

#include "platform/platform_layer.h"

#include "flash_player.h"

#include <QStringList>

class QPluginLoader;

// Loads the Flash viewer plugin the first time a player is asked for: nothing of the web
// engine it needs is loaded before then. The plugin's metadata is checked before the library
// itself is loaded, so a stranger's file of that name never runs.
class FlashPluginLoader : public FlashPlayerFactory {
public:
    // folders: where the plugin is looked for, in order (empty: beside the program, then the
    // installed plugin folder).
    explicit FlashPluginLoader(QStringList folders = {});
    ~FlashPluginLoader() override;

    FlashPlayer *newFlashPlayer(QObject *parent, QString *reason) override;

    static const QString PluginName;
    static const QString TextNoViewer;

private:
    FlashPlayerFactory *load(QString *reason);

    QStringList folders_;
    QPluginLoader *loader_ = nullptr;
    FlashPlayerFactory *factory_ = nullptr;
};
