#include "search_query.h"

#include "app/spaces.h"

#include "endpoints.h"

namespace SearchQuery {

Hosts Hosts::BuiltIn() {
    return {QStringLiteral(TONAPLY_ENGINE1_HOST), QStringLiteral(TONAPLY_ENGINE2_HOST)};
}

QString EngineId(int searcher) {
    return searcher == 0 ? EngineI : searcher == 1 ? EngineII : QString();
}

QString TypeMark(int musicType) {
    return musicType == 0 ? MarkMp3 : musicType == 1 ? MarkRm : QString();
}

int PageStep(const QString &engine) {
    return engine == EngineI ? 20 : 1;
}

QString BuildQueryUrl(const Hosts &hosts, const QString &engine, const QString &typeMark,
                      const QString &keyword, int offset) {
    const bool mp3 = typeMark == MarkMp3;
    QString url = QStringLiteral("http://");
    if (engine == EngineI) {
        url += hosts.engineI + QStringLiteral("/search?p=");
        url += Spaces::Trim(keyword);
        url += mp3 ? QStringLiteral("&mimetype=mp3&b=") : QStringLiteral("&mimetype=rm&b=");
    } else {
        url += hosts.engineII + QStringLiteral("/zsmp3?ty=1&word=");
        url += Spaces::Trim(keyword);
        url += mp3 ? QStringLiteral("&class=mp3&bg=") : QStringLiteral("&class=rm&bg=");
    }
    url += QString::number(offset);
    return url;
}

QString NextPageMarker(const QString &engine, int offset) {
    return (engine == EngineI ? QStringLiteral("&b=") : QStringLiteral("&bg=")) +
           QString::number(offset);
}

} // namespace SearchQuery
