// Saves the default playlist over and over, two lists in turn, until it is killed: the
// program at exit, caught by a SIGKILL at any moment of a write.
// Usage: playlist_saver FOLDER SONGS
#include "lists/playlist_commands.h"
#include "lists/song_list.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int songs = std::atoi(argv[2]);
    SongList a, b;
    a.append(
        QList<Song>(songs, Song{QStringLiteral("MP3→月亮"), QStringLiteral("http://a/1.mp3")}));
    b.append(QList<Song>(songs, Song{QStringLiteral("RM.→小城"), QStringLiteral("rtsp://b/2.rm")}));
    if (!PlaylistCommands::SavePlayList(a, folder))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        PlaylistCommands::SavePlayList(b, folder);
        PlaylistCommands::SavePlayList(a, folder);
    }
}
