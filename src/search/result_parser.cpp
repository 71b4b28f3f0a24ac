#include "result_parser.h"

#include "lists/song_list.h"
#include "search_query.h"

namespace ResultParser {

namespace {
// Where needle next stands in text from `from` on, or -1. The first character is looked for
// with the vectorised single-character search; most of a page is skipped that way.
qsizetype findFrom(QStringView text, QStringView needle, qsizetype from) {
    const QChar first = needle.front();
    const QStringView tail = needle.sliced(1);
    while (true) {
        const qsizetype at = text.indexOf(first, from);
        if (at < 0 || at + needle.size() > text.size())
            return -1;
        if (text.sliced(at + 1, tail.size()) == tail)
            return at;
        from = at + 1;
    }
}

// The next closing anchor, "</a" or "</A", from `from` on, or -1.
qsizetype findClosingAnchor(QStringView text, qsizetype from) {
    while (true) {
        const qsizetype at = text.indexOf(QLatin1Char('<'), from);
        if (at < 0 || at + 3 > text.size())
            return -1;
        if (text[at + 1] == QLatin1Char('/') &&
            (text[at + 2] == QLatin1Char('a') || text[at + 2] == QLatin1Char('A')))
            return at;
        from = at + 1;
    }
}
} // namespace

const QStringList BlockedUrlPatterns = {QStringLiteral("adclick."), QStringLiteral(".tracking."),
                                        QStringLiteral("http://www.yinyue-guanggao.example"),
                                        QStringLiteral("://61")};

QString AcceptedUrl(const QString &url) {
    if (url.size() < MinimumUrlLength)
        return {};
    for (const QString &pattern : BlockedUrlPatterns)
        if (url.contains(pattern))
            return {};
    qsizetype scheme = url.indexOf(QStringLiteral("http://"));
    if (scheme < 0)
        scheme = url.indexOf(QStringLiteral("rtsp://"));
    if (scheme < 0)
        return {};
    return scheme == 0 ? url : url.mid(scheme);
}

namespace {
// Appends text without its tags to result.
void appendStripped(QString &result, QStringView text) {
    QStringView s = text;
    while (true) {
        const qsizetype open = s.indexOf(QLatin1Char('<'));
        if (open < 0)
            break;
        result += s.first(open);
        s = s.sliced(open + 1);
        const qsizetype close = s.indexOf(QLatin1Char('>'));
        if (s.isEmpty() || close == s.size() - 1) {
            s = {};
            break;
        }
        if (close >= 0)
            s = s.sliced(close + 1);
    }
    result += s;
}
} // namespace

QString StripTags(QStringView text) {
    QString result;
    appendStripped(result, text);
    return result;
}

ParsedPage ParseResultPage(QStringView page, const QString &typeMark) {
    ParsedPage parsed;
    if (typeMark.isEmpty())
        return parsed;
    const bool mp3 = typeMark == SearchQuery::MarkMp3;
    const QString prefix = mp3 ? QStringLiteral("MP3→") : QStringLiteral("RM.→");

    // `rest` is page[pos...]: it only ever moves forward, and nothing is copied per link.
    qsizetype pos = 0;
    // The mark found last and the last double quote before it (-1: none at or after pos).
    qsizetype markAt = -1;
    qsizetype quoteAt = -1;
    qsizetype closeAt = -1;
    QList<Song> &found = parsed.songs;
    int &links = parsed.links;
    while (pos < page.size()) {
        if (markAt < pos) {
            markAt = findFrom(page, typeMark, pos);
            if (markAt < 0)
                break;
            quoteAt = page.sliced(pos, markAt - pos).lastIndexOf(QLatin1Char('"'));
            if (quoteAt >= 0)
                quoteAt += pos;
        } else if (quoteAt < pos) {
            quoteAt = -1; // the last quote before the mark lies behind rest now
        }
        ++links;
        const qsizetype urlStart = quoteAt >= 0 ? quoteAt + 1 : pos;
        const qsizetype markEnd = markAt + typeMark.size();
        QString url;
        url.reserve(markEnd - urlStart + 1);
        url += page.sliced(urlStart, markEnd - urlStart);
        if (mp3)
            url += QLatin1Char('3');
        if (quoteAt >= 0)
            pos = quoteAt + 1;

        const qsizetype tagEnd = page.indexOf(QLatin1Char('>'), pos);
        if (tagEnd >= 0)
            pos = tagEnd + 1;
        // The link ends at its closing anchor in either case, whichever comes first (a
        // lower-case one further down the page must not swallow a link closed by "</A").
        // Where the next one stands is remembered (page.size() for none), so a page without
        // one is not searched to its end once per link.
        if (closeAt < pos) {
            closeAt = findClosingAnchor(page, pos);
            if (closeAt < 0)
                closeAt = page.size();
        }
        const qsizetype close = closeAt == page.size() ? -1 : closeAt;
        QStringView text;
        qsizetype next;
        if (close >= 0) {
            text = page.sliced(pos, close - pos);
            next = close + 1;
        } else {
            // No closing anchor (a page cut off in a link): the text runs from the end of the
            // opening tag to the next tag (none when the tag itself was cut off), and reading
            // goes on after the mark.
            if (tagEnd >= 0) {
                qsizetype end = page.indexOf(QLatin1Char('<'), pos);
                if (end < 0)
                    end = page.size();
                text = page.sliced(pos, end - pos);
            }
            next = std::max(markEnd, pos);
        }
        QString accepted = AcceptedUrl(url);
        if (!accepted.isEmpty()) {
            QString name;
            name.reserve(prefix.size() + text.size());
            name += prefix;
            appendStripped(name, text);
            found.append({std::move(name), std::move(accepted)});
        }
        pos = next;
    }
    return parsed;
}

} // namespace ResultParser
