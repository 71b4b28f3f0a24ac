#include "list_commands.h"

#include "app/spaces.h"

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "song_list.h"

namespace ListCommands {

namespace {
const QString TextDeleteQuestion = QStringLiteral("要删除选定的歌曲，您真的确定吗？");
const QString TextFindPrompt = QStringLiteral("请输入您想查找的歌曲名字中的关键字：");
const QString TextFindContinue = QStringLiteral("您还要继续查找吗？");
const QString TextFindDone = QStringLiteral("当前列表查找已经完毕！");
const QString TextFindNothing = QStringLiteral("不好意思，没有找到哦。");

// Copying a name drops its type marker, whatever its four characters are.
constexpr int TypePrefixLength = 4;

} // namespace

void AddToPlayList(const SongList &searchList, SongList &playList) {
    QList<Song> picked;
    for (int i : searchList.selectedEntries())
        picked.append(searchList.song(i));
    if (picked.isEmpty())
        return;
    // Appending them one by one with SelectLastSong after each leaves only the last one
    // selected; doing it in one step gives the same lists and marks.
    playList.append(picked);
    SelectLastSong(playList);
}

void DeleteSelectedSongs(SongList &list, Dialogs &dialogs) {
    if (!dialogs.confirm(TextDeleteQuestion))
        return;
    // The marks are read after the answer: the list may have changed while the box was up.
    list.removeEntries(list.selectedEntries());
}

void MoveSongUp(SongList &playList) {
    const int i = playList.currentEntry();
    if (i < 1 || i >= playList.count())
        return;
    playList.exchange(i - 1, i);
    playList.setSelected(i - 1, true);
    playList.setSelected(i, false);
    // The focus follows the song, so pressing the key again moves it further.
    playList.setCurrentEntry(i - 1);
}

void MoveSongDown(SongList &playList) {
    const int i = playList.currentEntry();
    if (i < 0 || i >= playList.count() - 1)
        return;
    playList.exchange(i, i + 1);
    playList.setSelected(i + 1, true);
    playList.setSelected(i, false);
    playList.setCurrentEntry(i + 1);
}

void CopySongName(const SongList &list, Clipboard &clipboard) {
    const int c = list.currentEntry();
    clipboard.setText(c < 0 ? QString() : list.name(c).mid(TypePrefixLength));
}

void CopySongUrl(const SongList &list, Clipboard &clipboard) {
    const int c = list.currentEntry();
    clipboard.setText(c < 0 ? QString() : list.url(c));
}

void FindInList(SongList &list, Dialogs &dialogs, const std::function<void(bool)> &setListEnabled) {
    auto enableList = [&](bool on) {
        if (setListEnabled)
            setListEnabled(on);
    };
    if (list.count() == 0)
        return;
    const QString keyword = dialogs.inputBox(TextFindPrompt);
    if (Spaces::IsBlank(keyword))
        return;

    // The range is fixed now; songs arriving while a question is open are not scanned.
    const int last = list.count() - 1;
    list.clearSelection();
    enableList(false);
    bool found = false;
    for (int i = 0; i <= last && i < list.count(); ++i) {
        if (!list.name(i).contains(keyword, Qt::CaseSensitive))
            continue;
        found = true;
        list.setSelected(i, true);
        list.setCurrentEntry(i);
        enableList(true);
        if (!dialogs.confirm(TextFindContinue))
            return;
        enableList(false);
    }
    enableList(true);
    dialogs.message(found ? TextFindDone : TextFindNothing, Dialogs::Icon::Information);
}

void SelectLastSong(SongList &list) {
    if (list.count() == 0)
        return;
    const int n = list.count() - 1;
    const QList<int> marked = list.selectedEntries();
    if (marked.size() == 1 && marked.first() != n) {
        list.setSelected(marked.first(), false);
    } else if (marked.size() > 1) {
        list.clearSelection();
    }
    list.setSelected(n, true);
    // A list box shows the entry it marks: the newest song comes into sight.
    list.makeVisible(n);
}

QString PlayListCountText(int count) {
    return QStringLiteral("↓ %1首").arg(count, 6, 10, QLatin1Char('0'));
}

} // namespace ListCommands
