#include "cls_search_music.h"

#include "app/net/http_transfer.h"
#include "lists/list_commands.h"
#include "lists/song_list.h"
#include "result_parser.h"

namespace {
// Page offsets were 16-bit: a search never asks beyond this one.
constexpr int MaxPageOffset = 32767;
} // namespace

clsSearchMusic::clsSearchMusic(SearchQuery::Hosts hosts, QObject *parent)
    : QObject(parent), hosts_(std::move(hosts)) {}

void clsSearchMusic::Search(const QString &keyword, SongList &list, int MusicType, int Searcher,
                            HttpTransfer &netInet) {
    if (netInet_)
        netInet_->disconnect(this);
    netInet_ = &netInet;
    connect(&netInet, &HttpTransfer::stateChanged, this, &clsSearchMusic::netInet_StateChanged);
    list_ = &list;
    strSearchKeyWord = keyword;
    strSearcher = SearchQuery::EngineId(Searcher);
    strMusicType = SearchQuery::TypeMark(MusicType);
    intPageOffset = 1;
    pagesRead_ = 0;
    running_ = true;
    if (!strSearcher.isEmpty() && !strMusicType.isEmpty())
        requestPage();
}

void clsSearchMusic::requestPage() {
    netInet_->startRequest(SearchQuery::BuildQueryUrl(hosts_, strSearcher, strMusicType,
                                                      strSearchKeyWord, intPageOffset));
}

void clsSearchMusic::StopSearch() {
    if (running_)
        end();
}

void clsSearchMusic::end() {
    running_ = false;
    // A page still on its way is no longer wanted; its end report finds the search over.
    if (netInet_)
        netInet_->cancel();
    // Told once the transfer's own signal has unwound, so the window may start another.
    QMetaObject::invokeMethod(this, &clsSearchMusic::finished, Qt::QueuedConnection);
}

void clsSearchMusic::netInet_StateChanged(int state) {
    if (!running_ || !netInet_)
        return;
    if (state == HttpTransfer::Failed) {
        end();
        return;
    }
    if (state != HttpTransfer::Complete)
        return;

    QString page;
    for (QString piece; !(piece = netInet_->readPiece(HttpTransfer::PieceSize)).isEmpty();)
        page += piece;
    ++pagesRead_;

    // Engine II pages without any type mark (nothing found, an error page) end the search.
    if (strSearcher == SearchQuery::EngineII && !page.contains(strMusicType)) {
        end();
        return;
    }
    if (list_) {
        const ResultParser::ParsedPage parsed = ResultParser::ParseResultPage(page, strMusicType);
        if (parsed.links > 0) {
            list_->append(parsed.songs);
            ListCommands::SelectLastSong(*list_);
        }
    }
    intPageOffset += SearchQuery::PageStep(strSearcher);
    if (intPageOffset > MaxPageOffset ||
        !page.contains(SearchQuery::NextPageMarker(strSearcher, intPageOffset))) {
        end();
        return;
    }
    requestPage();
}
