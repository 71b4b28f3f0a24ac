#include "song_hand_off.h"

#include "app/spaces.h"
#include "list_commands.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/download_dialog.h"
#include "platform/download_manager.h"
#include "platform/shell.h"
#include "song_list.h"

#include <QStringList>
#include <optional>

namespace SongHandOff {

const QString TextNoDownloadManager = QStringLiteral("错误！您的电脑上可能没有安装网际快车。");
const QString TextLyricsPrompt = QStringLiteral("对搜索关键字做点修改可以提高搜索命中率：");

namespace {
const QString LyricsPath = QStringLiteral("/m?rn=10&tn=baidump3lyric&ct=150994944&word=");
constexpr int TypePrefixLength = 4;

// A name handed out loses its type marker; one too short to have one cannot be handed out.
std::optional<QString> titleOf(const SongList &list, int i) {
    if (i < 0 || i >= list.count() || list.name(i).size() < TypePrefixLength)
        return std::nullopt;
    return list.name(i).mid(TypePrefixLength);
}
} // namespace

void DownloadSong(const SongList &list, DownloadDialog &dialog) {
    // The current entry decides, even when another entry is the one selected.
    const int i = list.currentEntry();
    if (i < 0 || i >= list.count())
        return;
    dialog.download(list.url(i), list.name(i).mid(TypePrefixLength));
}

bool DownloadByFlashGet(const SongList &list, DownloadManager &manager, Dialogs &dialogs,
                        const QString &makerAddress) {
    auto fail = [&dialogs] {
        dialogs.message(TextNoDownloadManager, Dialogs::Icon::Information);
        return false;
    };
    if (!manager.open())
        return fail();
    const QList<int> selected = list.selectedEntries();
    if (selected.size() == 1) {
        const int i = list.currentEntry();
        const std::optional<QString> title = titleOf(list, i);
        if (!title || !manager.AddUrl(list.url(i), QString(), *title))
            return fail();
        return true;
    }
    if (selected.size() > 1) {
        QStringList handed{makerAddress};
        for (int i : selected) {
            const std::optional<QString> title = titleOf(list, i);
            if (!title)
                return fail();
            handed << list.url(i) << *title;
        }
        if (!manager.AddUrlList(handed))
            return fail();
        return true;
    }
    return false;
}

void SearchSongWord(const SongList &list, Clipboard &clipboard, Dialogs &dialogs, Shell &shell,
                    const QString &lyricsSite) {
    ListCommands::CopySongName(list, clipboard);
    const int c = list.currentEntry();
    const QString title =
        c < 0 || c >= list.count() ? QString() : list.name(c).mid(TypePrefixLength);
    const QString keyword = dialogs.inputBox(TextLyricsPrompt, title);
    if (Spaces::IsBlank(keyword))
        return;
    shell.openUrl(LyricsUrl(lyricsSite, keyword));
}

QString LyricsUrl(const QString &lyricsSite, const QString &keyword) {
    QString site = lyricsSite;
    while (site.endsWith(QLatin1Char('/')))
        site.chop(1);
    return site + LyricsPath + keyword;
}

} // namespace SongHandOff
