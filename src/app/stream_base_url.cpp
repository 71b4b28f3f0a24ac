#include "stream_base_url.h"

#include "endpoints.h"
#include "net/http_transfer.h"

namespace StreamBase {

namespace {
QString trimSpaces(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
} // namespace

QString FallbackUrl() {
    return QStringLiteral("rtsp://" TONAPLY_STREAM_FALLBACK_HOST ":7811/realmusicll/");
}

QString LoadStreamBaseUrl(HttpTransfer &netGetData, const QString &dataServerUrl,
                          const QString &current) {
    bool ok = false;
    const QString text = netGetData.fetchText(dataServerUrl + QStringLiteral("feifa_url.txt"), &ok);
    QString url = trimSpaces(ok ? text : current);
    if (!url.contains(QStringLiteral("rtsp://")))
        url = FallbackUrl();
    return url;
}

} // namespace StreamBase
