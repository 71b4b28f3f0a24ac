#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class SongList;

// Turns a search engine's result page into songs: every link whose address holds the type
// mark becomes a (name, URL) pair at the end of the list, unless a drop rule removes it.
namespace ResultParser {

// Links to these are never listed: two host-name fragments and one site, then the numeric
// hosts 61.x.x.x.
extern const QStringList BlockedUrlPatterns;
// URLs this long or shorter are dropped.
constexpr int MinimumUrlLength = 21;

// The song URL of a link address after the drop rules, with text before its scheme cut off;
// empty when the link is dropped.
QString AcceptedUrl(const QString &url);
// The text with everything from each "<" through the next ">" removed.
QString StripTags(QStringView text);
// Appends the page's songs to the list in one pass over the page; the last entry is left
// as the only selected one once any link was found. Returns how many links were found.
int ParseResultPage(QStringView page, SongList &list, const QString &typeMark);

} // namespace ResultParser
