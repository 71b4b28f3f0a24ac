#pragma once

#include <QString>

// The file name a downloaded song is saved under: its title plus the extension of its
// address, made safe for a Linux folder.
namespace DownloadName {

// Never empty, never "." or "..", no "/" or NUL, no leading dot, at most 255 bytes in UTF-8
// (the extension is kept when the title has to be shortened).
QString FileNameFor(const QString &title, const QString &url);
// The extension of the address's last path segment with its dot (".mp3"), or empty.
QString ExtensionOf(const QString &url);

// A size as the download windows show it: "512 字节", "12.5 KB", "3.4 MB".
QString SizeText(qint64 bytes);

} // namespace DownloadName
