#include "body_text.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace BodyText {

namespace {
QByteArray charsetIn(const QByteArray &text) {
    static const QRegularExpression charset(
        QStringLiteral(R"(charset\s*=\s*["']?\s*([A-Za-z0-9_.:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = charset.match(QString::fromLatin1(text));
    return m.hasMatch() ? m.captured(1).toLatin1().toLower() : QByteArray();
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
