#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class SongList;
struct Song;

// The channel catalogues of the movie, MTV and TV windows: which files each window fetches from
// the data server, how their text becomes the channel list, and how each window plays a URL.
namespace ChannelCatalogue {

enum class Kind { Movie, Mtv, Tv };

// What sets the three windows apart.
struct Design {
    Kind kind;
    QString caption;
    // The catalogue files: DataServerUrl + folder + n + ".txt", n from 0 to files - 1.
    QString folder;
    int files;
    // File 0 must hold it, or the server did not answer with a catalogue.
    QString marker;
    // "下载" on the button and "调节音量(&V)" in the menu (movie, MTV), or the other way round.
    bool downloadOnButton;
};

const Design &DesignOf(Kind kind);

QString FileUrl(const QString &dataServerUrl, Kind kind, int n);
// File 0's test: the marker anywhere in the text, exact and case-sensitive.
bool IsCatalogue(const QString &text, Kind kind);

// The lines of a catalogue text as the program reads them: CR LF and a lone CR end a line, a
// lone LF stays part of its line; the text ends with a line end of its own.
QStringList Lines(const QString &text);
// The entries of a catalogue: name and URL lines in pairs, up to the first blank name line. A
// name line without its URL line repeats as the URL, so every name has one.
QList<Song> Entries(const QString &text, Kind kind);
// LoadChannelList: the catalogue's entries in place of the list's, the first one selected.
void LoadChannelList(const QString &text, SongList &list, Kind kind);
// The shown name: running number "000-" (movie, MTV) or "-" (TV), then the name line.
QString DisplayName(Kind kind, int index, const QString &nameLine);

// The movie window plays a URL itself when its file part (after the last "/") holds ".r" in
// any case (RealMedia); anything else goes to the external player.
QString FilePart(const QString &url);
bool PlaysEmbedded(const QString &url);
// The lines a download of an ".asx" channel hands over: up to the first blank line.
QStringList MetafileLines(const QString &text);

} // namespace ChannelCatalogue
