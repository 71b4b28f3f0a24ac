// A Flash catalogue file of any bytes (GBK, as it is kept): every line pair gives one entry,
// each name begins with the arrow, no name or URL holds a CR, and appending keeps exactly one
// newest entry selected.
#include "flash/flash_catalogue.h"
#include "fuzz_check.h"
#include "lists/song_list.h"

#include <QStringDecoder>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringDecoder decode("GB18030");
    const QString text = decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    const QList<Song> entries = FlashCatalogue::Entries(text);
    for (const Song &s : entries) {
        FUZZ_CHECK(s.name.startsWith(QStringLiteral("→")));
        FUZZ_CHECK(!s.name.contains(QLatin1Char('\r')) && !s.url.contains(QLatin1Char('\r')));
    }
    SongList list;
    FlashCatalogue::AppendCategory(text, list);
    FlashCatalogue::AppendCategory(text, list);
    FUZZ_CHECK(list.count() == 2 * entries.size());
    FUZZ_CHECK(list.selectedEntries() ==
               (entries.isEmpty() ? QList<int>{} : QList<int>{list.count() - 1}));
    FUZZ_CHECK(FlashCatalogue::StoredText(text).endsWith(QStringLiteral("\r\n")));
    return 0;
}
