// tnplversion.txt of any bytes (GBK, as the server sends it): a newer version is announced
// only by four characters between spaces, with no line break; spaces around the text never
// change the answer.
#include "app/version_check.h"
#include "fuzz_check.h"

#include <QStringDecoder>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringDecoder decode("GB18030");
    const QString text = decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    const QString running = QStringLiteral("1.43");
    const bool newer = VersionCheck::IsNewer(running, text);
    if (newer) {
        QString inner = text;
        while (inner.startsWith(QLatin1Char(' ')))
            inner.remove(0, 1);
        while (inner.endsWith(QLatin1Char(' ')))
            inner.chop(1);
        FUZZ_CHECK(inner.size() == 4);
        FUZZ_CHECK(!inner.contains(QLatin1Char('\r')) && !inner.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!VersionCheck::IsNewer(inner, text)); // equal is not newer
    }
    FUZZ_CHECK(VersionCheck::IsNewer(running, QStringLiteral("  ") + text + QStringLiteral(" ")) ==
               newer);
    return 0;
}
