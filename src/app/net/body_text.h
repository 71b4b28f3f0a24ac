#pragma once

#include <QByteArray>
#include <QString>

// Response bodies as text: GBK (read as GB18030) unless the response names another charset,
// in its Content-Type header or in a <meta> tag within the first 1 KB of the body.
namespace BodyText {

QByteArray declaredCharset(const QByteArray &contentType, const QByteArray &body);
QString decode(const QByteArray &body, const QByteArray &contentType);

} // namespace BodyText
