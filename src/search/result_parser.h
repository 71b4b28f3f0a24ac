#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "lists/song_list.h"

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
struct ParsedPage {
    QList<Song> songs; // in page order, the dropped links left out
    int links = 0;     // every link found, dropped ones included
};
// The page's songs, in one pass over the page. The caller appends them to its list and,
// once any link was found, leaves the last entry as the only selected one.
ParsedPage ParseResultPage(QStringView page, const QString &typeMark);

} // namespace ResultParser
