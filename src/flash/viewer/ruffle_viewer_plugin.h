#pragma once

#include "flash/flash_player.h"

#include <QObject>

// The Flash viewer plugin: Flash players on Ruffle, with Ruffle's files in the "ruffle" folder
// beside the plugin.
class RuffleViewerPlugin : public QObject, public FlashPlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FlashPlayerFactory_iid FILE "viewer.json")
    Q_INTERFACES(FlashPlayerFactory)
public:
    FlashPlayer *newFlashPlayer(QObject *parent, QString *reason) override;
};
