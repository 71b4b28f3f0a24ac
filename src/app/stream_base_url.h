#pragma once

#include <QString>

class HttpTransfer;

// The "rtsp://" base of the music library's album songs, read from the data server at start.
namespace StreamBase {

// The compiled-in base used when the server gives none.
QString FallbackUrl();

// The base a text of feifa_url.txt gives: the text without spaces at its ends when it holds
// "rtsp://" anywhere, otherwise the fallback.
QString FromText(const QString &text);

// Reads feifa_url.txt from the data server. Spaces around it are removed (nothing else); a
// text without "rtsp://" gives the fallback. current is what the caller held before, kept
// when the fetch fails outright (and then replaced by the fallback, as it is empty at start).
QString LoadStreamBaseUrl(HttpTransfer &netGetData, const QString &dataServerUrl,
                          const QString &current = {});

} // namespace StreamBase
