#pragma once

#include <QString>
#include <QStringList>

// ".asx" metafiles, read leniently as they come from the web: tags in any case, raw "&" in
// URLs, a missing </entry>, quoted or unquoted href.
namespace Asx {

// The entry URLs, in file order.
QStringList entries(const QString &text);

} // namespace Asx
