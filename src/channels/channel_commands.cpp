#include "channel_commands.h"

#include "app/player/asx.h"
#include "app/player/stream_player.h"
#include "app/spaces.h"
#include "lists/song_list.h"
#include "platform/download_manager.h"
#include "platform/shell.h"

namespace ChannelCommands {

const QString TextNoServer = QStringLiteral("无法连接上远程服务器以获取数据！");
const QString TextNoDownloadManager = QStringLiteral("您的电脑可能还没有安装网际快车！");
const QString TextNoRightButton = QStringLiteral("不可以使用鼠标右键哦！");
const QString TextOpenUrlPrompt = QStringLiteral("请输入您指定的影音文件URL：");

int SelectedIndex(const SongList &list) {
    const QList<int> selected = list.selectedEntries();
    return selected.isEmpty() ? -1 : selected.first();
}

QString SelectedUrl(const SongList &list) {
    const int i = SelectedIndex(list);
    return i < 0 ? QString() : list.url(i);
}

QString SelectedName(const SongList &list) {
    const int i = SelectedIndex(list);
    return i < 0 ? QString() : list.name(i);
}

void PlayChannel(ChannelCatalogue::Kind kind, const QString &url, StreamPlayer &player,
                 Shell &shell) {
    player.stop();
    if (kind == ChannelCatalogue::Kind::Movie && !ChannelCatalogue::PlaysEmbedded(url)) {
        shell.playExternally(url);
        return;
    }
    player.setSource(url);
    player.play();
}

bool NamesMetafile(const QString &url) {
    return url.contains(QStringLiteral(".asx"), Qt::CaseSensitive);
}

QStringList MetafileAddresses(const QString &metafileText) {
    const QStringList lines = ChannelCatalogue::MetafileLines(metafileText);
    QStringList entries;
    for (QString entry : Asx::entries(lines.join(QStringLiteral("\r\n")))) {
        // An address broken over lines is one address; an empty one is none.
        entry.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        if (!Spaces::IsBlank(entry))
            entries << entry;
    }
    return entries.isEmpty() ? lines : entries;
}

bool HandOver(DownloadManager &manager, const QStringList &addresses, const QString &name) {
    for (const QString &address : addresses)
        if (!manager.AddUrl(address, QString(), name))
            return false;
    return true;
}

} // namespace ChannelCommands
