#pragma once

#include <QByteArray>
#include <QString>

// URLs as they go out on the wire: the text the program built, with every character that may
// not stand in a URL percent-encoded (non-ASCII as its GBK/GB18030 bytes, a space as %20).
// Characters that carry meaning in a URL ("&", "=", "?", "/", existing escapes) stay.
namespace WireUrl {

QByteArray encode(const QString &url);

} // namespace WireUrl
