#include "body_text.h"

#include <QStringDecoder>

namespace BodyText {

namespace {
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == ':' || c == '-';
}

// The name after the first "charset=" (spaces allowed around "=", the name may be quoted).
// A plain scan: every page passes here, and a regular expression engine costs half a MB.
QByteArray charsetIn(const QByteArray &text) {
    const QByteArray lower = text.toLower();
    for (qsizetype at = lower.indexOf("charset"); at >= 0; at = lower.indexOf("charset", at)) {
        qsizetype i = at + 7;
        at = i;
        while (i < lower.size() && isSpace(lower[i]))
            ++i;
        if (i >= lower.size() || lower[i] != '=')
            continue;
        ++i;
        while (i < lower.size() && isSpace(lower[i]))
            ++i;
        if (i < lower.size() && (lower[i] == '"' || lower[i] == '\''))
            ++i;
        while (i < lower.size() && isSpace(lower[i]))
            ++i;
        const qsizetype start = i;
        while (i < lower.size() && isNameChar(lower[i]))
            ++i;
        if (i > start)
            return lower.mid(start, i - start);
    }
    return {};
}
} // namespace

QByteArray declaredCharset(const QByteArray &contentType, const QByteArray &body) {
    QByteArray name = charsetIn(contentType);
    if (name.isEmpty()) {
        // Only a <meta> tag counts inside the body, not any text that mentions a charset.
        const QByteArray head = body.left(1024).toLower();
        qsizetype at = 0;
        while (name.isEmpty() && (at = head.indexOf("<meta", at)) >= 0) {
            const qsizetype end = head.indexOf('>', at);
            name = charsetIn(head.mid(at, end < 0 ? -1 : end - at));
            at += 5;
        }
    }
    return name;
}

QString decode(const QByteArray &body, const QByteArray &contentType) {
    QByteArray name = declaredCharset(contentType, body);
    // GBK and GB2312 pages are read with their superset, which loses nothing.
    if (name.isEmpty() || name == "gbk" || name == "gb2312" || name == "x-gbk" || name == "cp936")
        name = "GB18030";
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder("GB18030");
    return decoder(body);
}

} // namespace BodyText
