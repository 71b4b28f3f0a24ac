#include "playlist_file.h"

#include "app/spaces.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace PlaylistFile {

namespace {
// Splits text into lines one at a time without copying the rest.
class LineReader {
public:
    explicit LineReader(QStringView text) : text_(text) {}
    bool next(QStringView &line) {
        if (pos_ >= text_.size())
            return false;
        qsizetype end = pos_;
        while (end < text_.size() && text_[end] != QLatin1Char('\r') &&
               text_[end] != QLatin1Char('\n'))
            ++end;
        line = text_.mid(pos_, end - pos_);
        pos_ = end;
        if (pos_ < text_.size()) {
            if (text_[pos_] == QLatin1Char('\r') && pos_ + 1 < text_.size() &&
                text_[pos_ + 1] == QLatin1Char('\n'))
                pos_ += 2;
            else
                pos_ += 1;
        }
        return true;
    }

    // What follows the lines read so far.
    QStringView rest() const { return text_.sliced(pos_); }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};
} // namespace

QList<Song> parse(const QByteArray &bytes, int maxSongs, bool *whole) {
    QStringDecoder decode("GB18030");
    const QString text = decode(bytes);
    const bool decoded = !decode.hasError();
    QList<Song> songs;
    LineReader lines(text);
    QStringView name;
    QStringView url;
    while (songs.size() < maxSongs && lines.next(name)) {
        if (Spaces::IsBlank(name))
            break;
        if (!lines.next(url))
            url = {};
        songs.append({name.toString(), url.toString()});
    }
    if (whole) {
        const QStringView rest = lines.rest();
        *whole =
            decoded && std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isSpace(); });
    }
    return songs;
}

QByteArray serialize(const QList<Song> &songs) {
    QString text;
    qsizetype size = 0;
    for (const Song &s : songs)
        size += s.name.size() + s.url.size() + 4;
    text.reserve(size);
    for (const Song &s : songs) {
        text += s.name;
        text += QLatin1String("\r\n");
        text += s.url;
        text += QLatin1String("\r\n");
    }
    QStringEncoder encode("GB18030");
    return encode(text);
}

bool read(const QString &path, QList<Song> &songs, int maxSongs, bool *whole) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.read(MaxReadBytes);
    const bool cut = !file.atEnd();
    if (cut) {
        // Cut at the last complete line: a half line is not a song.
        const qsizetype cut = std::max(bytes.lastIndexOf('\r'), bytes.lastIndexOf('\n'));
        bytes.truncate(cut < 0 ? 0 : cut);
    }
    songs = parse(bytes, maxSongs, whole);
    if (whole && cut)
        *whole = false;
    return true;
}

bool write(const QString &path, const QList<Song> &songs) {
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows in write()'s count: QSaveFile would
    // otherwise commit the truncated file as a success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = serialize(songs);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace PlaylistFile
