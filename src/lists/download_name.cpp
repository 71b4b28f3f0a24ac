#include "download_name.h"

#include <QUrl>

namespace DownloadName {

namespace {
constexpr qsizetype MaxNameBytes = 255;
constexpr qsizetype MaxExtensionLength = 8;
const QString FallbackTitle = QStringLiteral("歌曲");

qsizetype utf8Size(QStringView text) {
    return text.toUtf8().size();
}

// Drops whole characters from the end until the text fits in the given bytes.
QString cutToBytes(QString text, qsizetype bytes) {
    while (!text.isEmpty() && utf8Size(text) > bytes) {
        text.chop(1);
        if (!text.isEmpty() && text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

QString cleaned(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('/') || c == QChar(0) || c.category() == QChar::Other_Control)
            out += QLatin1Char('_');
        else
            out += c;
    }
    return out.trimmed();
}
} // namespace

QString ExtensionOf(const QString &url) {
    const QString path = QUrl(url).path();
    const QString last = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || last.size() - dot > MaxExtensionLength + 1)
        return {};
    const QString ext = last.mid(dot);
    for (qsizetype i = 1; i < ext.size(); ++i)
        if (!ext[i].isLetterOrNumber() || ext[i].unicode() > 127)
            return {};
    return ext.size() > 1 ? ext : QString();
}

QString FileNameFor(const QString &title, const QString &url) {
    const QString ext = ExtensionOf(url);
    QString base = cleaned(title);
    // A name that ends in the address's extension already (a local file's name) keeps it once.
    if (!ext.isEmpty() && base.endsWith(ext, Qt::CaseInsensitive))
        base.chop(ext.size());
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);
    base = cutToBytes(base.trimmed(), MaxNameBytes - utf8Size(ext)).trimmed();
    if (base.isEmpty() || base == QLatin1String("..") || base == QLatin1String("."))
        base = FallbackTitle;
    return base + ext;
}

QString SizeText(qint64 bytes) {
    if (bytes < 1024)
        return QStringLiteral("%1 字节").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(bytes / 1024.0, 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(bytes / (1024.0 * 1024.0), 0, 'f', 1);
}

} // namespace DownloadName
