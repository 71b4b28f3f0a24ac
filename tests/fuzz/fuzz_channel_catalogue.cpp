// A channel catalogue of any bytes (GBK, as the server sends it), read by each window: the
// names and URLs stay paired, every name carries its window's prefix and no line end, and a
// metafile's addresses hold no line end either.
#include "channels/channel_catalogue.h"
#include "channels/channel_commands.h"
#include "fuzz_check.h"
#include "lists/song_list.h"

#include <QStringDecoder>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringDecoder decode("GB18030");
    const QString text = decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    const QStringList lines = ChannelCatalogue::Lines(text);
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')));
    using ChannelCatalogue::Kind;
    for (Kind kind : {Kind::Movie, Kind::Tv}) {
        SongList list;
        ChannelCatalogue::LoadChannelList(text, list, kind);
        FUZZ_CHECK(list.count() <= (lines.size() + 1) / 2);
        FUZZ_CHECK(list.selectedEntries() == (list.count() ? QList<int>{0} : QList<int>{}));
        for (int i = 0; i < list.count(); ++i) {
            FUZZ_CHECK(list.name(i).startsWith(
                kind == Kind::Tv ? QStringLiteral("-")
                                 : QString::number(i).rightJustified(3, u'0') + QLatin1Char('-')));
            FUZZ_CHECK(!list.name(i).contains(QLatin1Char('\r')));
            FUZZ_CHECK(!list.url(i).contains(QLatin1Char('\r')));
        }
    }
    for (const QString &address : ChannelCommands::MetafileAddresses(text))
        FUZZ_CHECK(!address.isEmpty() && !address.contains(QLatin1Char('\r')));
    return 0;
}
