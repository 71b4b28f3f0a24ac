#pragma once

#include "channel_catalogue.h"

#include <QString>
#include <QStringList>

class DownloadManager;
class Shell;
class SongList;
class StreamPlayer;

// What the channel windows' commands do, on the channel list and the ports.
namespace ChannelCommands {

extern const QString TextNoServer;
extern const QString TextNoDownloadManager;
extern const QString TextNoRightButton;
extern const QString TextOpenUrlPrompt;

// The selected channel's index, or -1 when none is selected.
int SelectedIndex(const SongList &list);
// Its URL and shown name; empty texts when none is selected.
QString SelectedUrl(const SongList &list);
QString SelectedName(const SongList &list);

// PlayChannel of the movie and MTV windows. The movie window plays RealMedia itself and hands
// anything else to the external player, its own player stopped.
void PlayChannel(ChannelCatalogue::Kind kind, const QString &url, StreamPlayer &player,
                 Shell &shell);

// A channel URL names a metafile when it holds ".asx": its lines are handed over, not it.
bool NamesMetafile(const QString &url);
// The addresses a download of a metafile hands over. Its lines up to the first blank one; an
// XML metafile's lines are tags, not addresses, so its entries go instead.
QStringList MetafileAddresses(const QString &metafileText);
// Hands the addresses to the download manager under the channel's name, one AddUrl each. False
// at the first refusal (those before it stay handed over).
bool HandOver(DownloadManager &manager, const QStringList &addresses, const QString &name);

} // namespace ChannelCommands
