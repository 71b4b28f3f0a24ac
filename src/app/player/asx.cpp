#include "asx.h"

#include <QRegularExpression>

namespace Asx {

QStringList entries(const QString &text) {
    // Every <ref href=...> is an entry; <entryref> and comments are not.
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression ref(
        QStringLiteral(R"re(<\s*ref\b[^>]*?\bhref\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    QString clean = text;
    clean.remove(comment);
    QStringList urls;
    for (auto it = ref.globalMatch(clean); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString url = m.captured(1);
        if (url.isEmpty())
            url = m.captured(2);
        if (url.isEmpty())
            url = m.captured(3);
        url = url.trimmed();
        url.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        // <ref href=http://h/a.rm/>: the slash closes the tag.
        const qsizetype after = m.capturedEnd(0);
        if (!m.captured(3).isEmpty() && url.endsWith(QLatin1Char('/')) && after < clean.size() &&
            clean[after] == QLatin1Char('>'))
            url.chop(1);
        if (!url.isEmpty())
            urls.append(url);
    }
    return urls;
}

} // namespace Asx
