#pragma once

#include <QString>

// The two search engines' query URLs and next-page markers.
namespace SearchQuery {

inline const QString EngineI = QStringLiteral("yisou");
inline const QString EngineII = QStringLiteral("zhongsou");
inline const QString MarkMp3 = QStringLiteral(".mp");
inline const QString MarkRm = QStringLiteral(".rm");

// Engine id of a Searcher number (0, 1) and type mark of a MusicType number (0 MP3, 1 RM);
// empty for any other number.
QString EngineId(int searcher);
QString TypeMark(int musicType);
// The first page's offset and the step to the next page's, by engine.
int PageStep(const QString &engine);

// The engines' hosts ("host" or "host:port").
struct Hosts {
    QString engineI;
    QString engineII;
    // The hosts the program was built with.
    static Hosts BuiltIn();
};

// The query URL of one result page. The keyword goes in with the spaces at its ends removed
// and nothing else changed.
QString BuildQueryUrl(const Hosts &hosts, const QString &engine, const QString &typeMark,
                      const QString &keyword, int offset);
// The text by which a result page announces the page at that offset.
QString NextPageMarker(const QString &engine, int offset);

} // namespace SearchQuery
