// feifa_url.txt of any bytes (GBK, as the server sends it): the streaming base always holds
// "rtsp://", and is either the text without its end spaces or the fallback.
#include "app/spaces.h"
#include "app/stream_base_url.h"
#include "fuzz_check.h"

#include <QStringDecoder>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringDecoder decode("GB18030");
    const QString text = decode(QByteArrayView(data, static_cast<qsizetype>(size)));
    const QString base = StreamBase::FromText(text);
    FUZZ_CHECK(base.contains(QStringLiteral("rtsp://")));
    FUZZ_CHECK(base == Spaces::Trim(text) || base == StreamBase::FallbackUrl());
    return 0;
}
