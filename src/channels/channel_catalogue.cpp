#include "channel_catalogue.h"

#include "app/spaces.h"
#include "app/text_lines.h"
#include "lists/song_list.h"

namespace ChannelCatalogue {

const Design &DesignOf(Kind kind) {
    static const Design designs[] = {
        {Kind::Movie, QStringLiteral("在线宽带影院"), QStringLiteral("netmovie/file"), 1,
         QStringLiteral(".rm"), true},
        {Kind::Mtv, QStringLiteral("在线视频选放(MTV)"), QStringLiteral("netmtv/file"), 1,
         QStringLiteral(".rm"), true},
        {Kind::Tv, QStringLiteral("网络电视直播"), QStringLiteral("netradiotv/file"), 4,
         QStringLiteral(".asx"), false},
    };
    return designs[static_cast<int>(kind)];
}

QString FileUrl(const QString &dataServerUrl, Kind kind, int n) {
    return dataServerUrl + DesignOf(kind).folder + QString::number(n) + QStringLiteral(".txt");
}

bool IsCatalogue(const QString &text, Kind kind) {
    return text.contains(DesignOf(kind).marker, Qt::CaseSensitive);
}

QStringList Lines(const QString &text) {
    // Read as a file holding the text and one line end more.
    return TextLines::Read(text + QStringLiteral("\r\n"));
}

QString DisplayName(Kind kind, int index, const QString &nameLine) {
    if (kind == Kind::Tv)
        return QLatin1Char('-') + nameLine;
    return QStringLiteral("%1-").arg(index, 3, 10, QLatin1Char('0')) + nameLine;
}

QList<Song> Entries(const QString &text, Kind kind) {
    const QStringList lines = Lines(text);
    QList<Song> entries;
    for (qsizetype i = 0; i < lines.size() && entries.size() < SongList::MaxEntries; i += 2) {
        const QString &name = lines.at(i);
        if (Spaces::IsBlank(name))
            break;
        // Reading past the end leaves the line just read in place of the URL line.
        const QString &url = i + 1 < lines.size() ? lines.at(i + 1) : name;
        entries.append({DisplayName(kind, static_cast<int>(entries.size()), name), url});
    }
    return entries;
}

void LoadChannelList(const QString &text, SongList &list, Kind kind) {
    list.replaceAll(Entries(text, kind));
    if (list.count() > 0) {
        list.setCurrentEntry(0);
        list.setSelected(0, true);
    }
}

QString FilePart(const QString &url) {
    const qsizetype slash = url.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? url : url.mid(slash + 1);
}

bool PlaysEmbedded(const QString &url) {
    return FilePart(url).contains(QStringLiteral(".r"), Qt::CaseInsensitive);
}

QStringList MetafileLines(const QString &text) {
    QStringList handed;
    for (const QString &line : Lines(text)) {
        if (Spaces::IsBlank(line))
            break;
        handed << line;
    }
    return handed;
}

} // namespace ChannelCatalogue
