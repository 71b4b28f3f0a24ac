// A response of any bytes: the first line is taken as its Content-Type header, the rest as
// its body. The charset found is a plain lower-case name; decoding ends.
#include "app/net/body_text.h"
#include "fuzz_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype cut = input.indexOf('\n');
    const QByteArray contentType = cut < 0 ? QByteArray() : input.left(cut);
    const QByteArray body = cut < 0 ? input : input.mid(cut + 1);
    const QByteArray charset = BodyText::declaredCharset(contentType, body);
    FUZZ_CHECK(charset == charset.toLower());
    FUZZ_CHECK(!charset.contains(' ') && !charset.contains('"') && !charset.contains('\''));
    BodyText::decode(body, contentType);
    return 0;
}
