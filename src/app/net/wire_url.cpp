#include "wire_url.h"

#include <QStringEncoder>

namespace WireUrl {

namespace {
bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Bytes that may stand in a URL as they are: unreserved and reserved characters.
bool mayStand(unsigned char c) {
    if (c >= 0x80 || c <= 0x20 || c == 0x7f)
        return false;
    switch (c) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return false;
    default:
        return true;
    }
}
} // namespace

QByteArray encode(const QString &url) {
    QStringEncoder toGbk("GB18030");
    const QByteArray bytes = toGbk(url);
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        // A "%" that does not start an escape is a plain percent sign.
        const bool escape =
            c == '%' && i + 2 < bytes.size() && isHex(bytes[i + 1]) && isHex(bytes[i + 2]);
        if ((c != '%' && mayStand(c)) || escape) {
            out.append(static_cast<char>(c));
        } else {
            out.append('%');
            out.append(hex[c >> 4]);
            out.append(hex[c & 0xf]);
        }
    }
    return out;
}

} // namespace WireUrl
