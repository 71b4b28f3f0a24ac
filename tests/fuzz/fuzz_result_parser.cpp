// The result page parser on any page: every song it keeps is a proper one (its type marker,
// its address from the scheme to the mark; the length rule holds for the address as cut, so
// one repaired to begin at its scheme may be shorter), and no more songs than links. The page
// arrives as GBK bytes, as from an engine.
#include "fuzz_check.h"
#include "search/result_parser.h"

#include <QStringDecoder>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringDecoder decode("GB18030");
    const QString page = decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    for (const QString &mark : {QStringLiteral(".mp"), QStringLiteral(".rm")}) {
        const ResultParser::ParsedPage parsed = ResultParser::ParseResultPage(page, mark);
        FUZZ_CHECK(parsed.songs.size() <= parsed.links);
        const QString prefix =
            mark == QStringLiteral(".mp") ? QStringLiteral("MP3→") : QStringLiteral("RM.→");
        const QString end = mark == QStringLiteral(".mp") ? QStringLiteral(".mp3") : mark;
        for (const Song &song : parsed.songs) {
            FUZZ_CHECK(song.name.startsWith(prefix));
            FUZZ_CHECK(song.url.startsWith(QStringLiteral("http://")) ||
                       song.url.startsWith(QStringLiteral("rtsp://")));
            FUZZ_CHECK(song.url.endsWith(end));
        }
    }
    return 0;
}
