#include "search_flow.h"

#include "app/spaces.h"
#include "cls_search_music.h"
#include "lists/song_list.h"
#include "platform/dialogs.h"

namespace {
const QString TextNoKeyword = QStringLiteral("您没有输入任何搜索关键字哦。嘿嘿！");
} // namespace

SearchFlow::SearchFlow(SongList &searchList, HttpTransfer &netGetData, Dialogs &dialogs,
                       Controls controls, QObject *parent)
    : QObject(parent), list_(searchList), net_(netGetData), dialogs_(dialogs),
      controls_(std::move(controls)) {}

clsSearchMusic *SearchFlow::objSearchMusic() const {
    return objSearchMusic_;
}

QString SearchFlow::FallbackQuestion(int toEngine) {
    return QStringLiteral("好象没有找到歌曲哦，帮您换到搜索引擎[%1]好不好？").arg(toEngine + 1);
}

void SearchFlow::btnSearch_Click() {
    const QString keyword = controls_.keyword();
    if (Spaces::IsBlank(keyword)) {
        dialogs_.message(TextNoKeyword, Dialogs::Icon::Information);
        if (searching_)
            unlock(); // the fallback's repeat found the box emptied: leave nothing locked
        return;
    }
    // The previous search's object goes; a response it still expects is ignored.
    if (objSearchMusic_) {
        objSearchMusic_->StopSearch();
        objSearchMusic_->deleteLater();
    }
    objSearchMusic_ = new clsSearchMusic(this);
    connect(objSearchMusic_, &clsSearchMusic::finished, this, &SearchFlow::searchFinished);
    searching_ = true;
    controls_.lockControls(true);
    countBefore_ = list_.count();

    const int engine = controls_.checkedEngine();
    const int option = controls_.selectedOption();
    // Option 0 is "RM" (MusicType 1), option 1 "MP3" (MusicType 0).
    const int musicType = option == 0 ? 1 : option == 1 ? 0 : -1;
    if ((engine == 0 || engine == 1) && musicType >= 0)
        objSearchMusic_->Search(keyword, list_, musicType, engine, net_);
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
    if (list_.count() == countBefore_) {
        const int engine = controls_.checkedEngine();
        if (engine == 0 || engine == 1) {
            const int other = 1 - engine;
            if (dialogs_.confirm(FallbackQuestion(other))) {
                controls_.chooseEngine(other);
                // A complete new search with the same keyword and type on the other engine;
                // it unlocks the controls when it ends.
                btnSearch_Click();
                return;
            }
        }
    }
    unlock();
}

void SearchFlow::unlock() {
    searching_ = false;
    controls_.lockControls(false);
    emit searchEnded();
}
