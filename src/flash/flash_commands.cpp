#include "flash_commands.h"

#include "app/spaces.h"
#include "lists/song_list.h"
#include "platform/dialogs.h"

namespace FlashCommands {

const QString TextFindPrompt = QStringLiteral("请输入您想查找的FLASH名字中的关键字：");
const QString TextFindAgain = QStringLiteral("您还要继续查找吗？");
const QString TextFindDone = QStringLiteral("当前列表查找已经完毕！");
const QString TextNotFound = QStringLiteral("不好意思，没有找到哦。");
const QString TextUpdated = QStringLiteral("您已经成功更新动漫数据！");

QString CurrentUrl(const SongList &list) {
    const int i = list.currentEntry();
    return i < 0 || i >= list.count() ? QString() : list.url(i);
}

bool HasSelection(const SongList &list) {
    return list.selectedCount() > 0;
}

void Find(SongList &list, Dialogs &dialogs, const std::function<void(bool)> &lock) {
    if (list.count() == 0)
        return;
    QString keyword = dialogs.inputBox(TextFindPrompt);
    if (Spaces::IsBlank(keyword))
        return;
    const int current = list.currentEntry();
    int i = HasSelection(list) && current >= 0 ? current : 0;
    bool found = false;
    lock(true);
    // The list is read afresh at each step: nothing changes it while it is locked, and the
    // questions in between cannot shorten it under the search either.
    for (; i < list.count(); ++i) {
        if (!list.name(i).contains(keyword, Qt::CaseSensitive))
            continue;
        found = true;
        list.setSelected(i, true);
        list.setCurrentEntry(i);
        list.makeVisible(i);
        lock(false);
        if (!dialogs.confirm(TextFindAgain))
            return;
        const QString next = dialogs.inputBox(TextFindPrompt, keyword);
        if (Spaces::IsBlank(next))
            return;
        keyword = next;
        lock(true);
    }
    lock(false);
    dialogs.message(found ? TextFindDone : TextNotFound, Dialogs::Icon::Information);
}

} // namespace FlashCommands
