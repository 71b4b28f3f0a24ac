#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class Dialogs;
class Shell;
class SongList;
class StreamPlayer;

// Plays songs of the two lists in the main window's player: every play command writes the
// chosen URLs into a metafile of its own and hands the player that file, which then plays
// the clips one after another. Also the start music, loop play, previous and next, the title
// label's text, the external player, and local songs for the playlist.
class PlaybackController : public QObject {
    Q_OBJECT
public:
    // metafileFolder: a private folder of this user's for the metafiles.
    PlaybackController(StreamPlayer &player, Shell &shell, Dialogs &dialogs, QString appFolder,
                       QString metafileFolder, QObject *parent = nullptr);

    // The metafile name for a clock reading, in seconds since midnight: tnpl<seconds>.ram.
    static QString MetafileName(int secondsSinceMidnight);
    // The private folder for metafiles: in the runtime folder, else the cache folder.
    static QString DefaultMetafileFolder();

    // Writes the URLs to a new metafile (removing this program's older ones) and plays it.
    // How one song's address is written into a metafile.
    static QString MetafileLine(const QString &url);
    QString WriteRamFile(const QStringList &urls);
    QString WriteRamFile(const QStringList &urls, int secondsSinceMidnight);
    void PlayFromCurrentSong(const SongList &list);
    void PlaySelectedSongs(const SongList &list);
    void PlayStartMusic();
    void EditStartMusic();
    void PlayByRealOne();
    void OpenLocalSongs(SongList &playList);
    void DoPrevItem();
    void DoNextItem();

    bool loopPlay() const { return loopPlay_; }
    void setLoopPlay(bool on) { loopPlay_ = on; }
    QString startMusicPath() const;
    QString metafileFolder() const { return metafileFolder_; }

    // The URLs PlayFromCurrentSong plays: from the current entry to the end, then from the top.
    static QStringList RoundFromCurrent(const SongList &list);

signals:
    // "→" and the title of the open clip, or "" when the player stopped.
    void openedSongNameChanged(const QString &text);
    void prevNextChanged(bool hasPrevious, bool hasNext);

private:
    void player_PlayStateChanged(int state);
    void player_ClipOpened();

    StreamPlayer &player_;
    Shell &shell_;
    Dialogs &dialogs_;
    QString appFolder_;
    QString metafileFolder_;
    bool loopPlay_ = true;
};
