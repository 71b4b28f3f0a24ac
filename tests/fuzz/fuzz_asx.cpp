// ".asx" metafiles of any text: the reader ends, and every entry it gives is an address.
#include "app/player/asx.h"
#include "fuzz_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QString &entry : Asx::entries(text))
        FUZZ_CHECK(!entry.isEmpty());
    return 0;
}
