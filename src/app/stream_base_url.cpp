#include "stream_base_url.h"

#include "spaces.h"

#include "endpoints.h"
#include "net/http_transfer.h"

namespace StreamBase {

QString FallbackUrl() {
    return QStringLiteral("rtsp://" TONAPLY_STREAM_FALLBACK_HOST ":7811/realmusicll/");
}

QString FromText(const QString &text) {
    const QString url = Spaces::Trim(text);
    return url.contains(QStringLiteral("rtsp://")) ? url : FallbackUrl();
}

QString LoadStreamBaseUrl(HttpTransfer &netGetData, const QString &dataServerUrl,
                          const QString &current) {
    bool ok = false;
    const QString text = netGetData.fetchText(dataServerUrl + QStringLiteral("feifa_url.txt"), &ok);
    return FromText(ok ? text : current);
}

} // namespace StreamBase
