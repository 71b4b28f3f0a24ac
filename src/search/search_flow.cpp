#include "search_flow.h"

#include "app/net/http_transfer.h"
#include "app/spaces.h"
#include "cls_search_music.h"
#include "lists/song_list.h"
#include "platform/dialogs.h"

namespace {
const QString TextNoKeyword = QStringLiteral("您没有输入任何搜索关键字哦。嘿嘿！");
} // namespace

SearchFlow::SearchFlow(SongList &searchList, TransferFactory &network, SearchQuery::Hosts hosts,
                       Dialogs &dialogs, QObject *parent)
    : QObject(parent), list_(searchList), network_(network), hosts_(std::move(hosts)),
      dialogs_(dialogs) {}

clsSearchMusic *SearchFlow::objSearchMusic() const {
    return objSearchMusic_;
}

QString SearchFlow::FallbackQuestion(int toEngine) {
    return QStringLiteral("好象没有找到歌曲哦，帮您换到搜索引擎[%1]好不好？").arg(toEngine + 1);
}

void SearchFlow::btnSearch_Click(const QString &keyword, int checkedEngine, int selectedOption) {
    if (Spaces::IsBlank(keyword)) {
        dialogs_.message(TextNoKeyword, Dialogs::Icon::Information);
        if (searching_)
            unlock(); // the fallback's repeat found the box emptied: leave nothing locked
        return;
    }
    // The previous search goes, and its request with it.
    if (objSearchMusic_) {
        objSearchMusic_->StopSearch();
        objSearchMusic_->deleteLater();
    }
    objSearchMusic_ = new clsSearchMusic(hosts_, this);
    connect(objSearchMusic_, &clsSearchMusic::finished, this, &SearchFlow::searchFinished);
    searching_ = true;
    emit locked();
    countBefore_ = list_.count();
    engine_ = checkedEngine;

    // Option 0 is "RM" (MusicType 1), option 1 "MP3" (MusicType 0).
    const int musicType = selectedOption == 0 ? 1 : selectedOption == 1 ? 0 : -1;
    if ((checkedEngine == 0 || checkedEngine == 1) && musicType >= 0)
        objSearchMusic_->Search(keyword, list_, musicType, checkedEngine,
                                *network_.newTransfer(objSearchMusic_));
    else
        searchFinished(); // no search runs
}

void SearchFlow::btnStop_Click() {
    if (objSearchMusic_)
        objSearchMusic_->StopSearch();
}

void SearchFlow::searchFinished() {
    if (sender() && sender() != objSearchMusic_)
        return; // an older search's late word
    if (list_.count() == countBefore_ && (engine_ == 0 || engine_ == 1)) {
        const int other = 1 - engine_;
        if (dialogs_.confirm(FallbackQuestion(other))) {
            // A complete new search with the same keyword and type on the other engine; it
            // unlocks the controls when it ends.
            emit fallback(other);
            return;
        }
    }
    unlock();
}

void SearchFlow::unlock() {
    searching_ = false;
    emit unlocked();
}
