#include "playback_controller.h"

#include "app/player/stream_player.h"
#include "app/spaces.h"
#include "list_commands.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "song_list.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTime>

namespace {
const QString LocalPrefix = QStringLiteral("本地.→");
const QString LocalSongsFilter = QStringLiteral("音乐文件(所有类型)|*.rm;*.mp3|所有文件(*.*)|*.*");

} // namespace

PlaybackController::PlaybackController(StreamPlayer &player, Shell &shell, Dialogs &dialogs,
                                       QString appFolder, QString metafileFolder, QObject *parent)
    : QObject(parent), player_(player), shell_(shell), dialogs_(dialogs),
      appFolder_(std::move(appFolder)), metafileFolder_(std::move(metafileFolder)) {
    connect(&player_, &StreamPlayer::playStateChanged, this,
            &PlaybackController::player_PlayStateChanged);
    connect(&player_, &StreamPlayer::clipOpened, this, &PlaybackController::player_ClipOpened);
    // The tag's title comes a moment after the clip opens: show it when it does.
    connect(&player_, &StreamPlayer::titleChanged, this, [this] {
        if (player_.playState() != StreamPlayer::Stopped)
            emit openedSongNameChanged(QStringLiteral("→") + Spaces::Trim(player_.clipTitle()));
    });
}

QString PlaybackController::MetafileName(int secondsSinceMidnight) {
    return QStringLiteral("tnpl%1.ram").arg(secondsSinceMidnight);
}

QString PlaybackController::DefaultMetafileFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString folder = QDir(base).filePath(QStringLiteral("tonaply"));
    QDir().mkpath(folder);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString PlaybackController::startMusicPath() const {
    return QDir(appFolder_).filePath(QStringLiteral("start.ram"));
}

QString PlaybackController::MetafileLine(const QString &url) {
    // The player reads its list as UTF-8, and local songs by their paths.
    QString line = StreamPlayer::OpenTarget(url);
    // An address is one line; a line break in one would split a song in two.
    line.remove(QLatin1Char('\r'));
    line.remove(QLatin1Char('\n'));
    return line;
}

QString PlaybackController::WriteRamFile(const QStringList &urls) {
    return WriteRamFile(urls, QTime::currentTime().msecsSinceStartOfDay() / 1000);
}

QString PlaybackController::WriteRamFile(const QStringList &urls, int secondsSinceMidnight) {
    QDir folder(metafileFolder_);
    folder.mkpath(QStringLiteral("."));
    const QString path = folder.filePath(MetafileName(secondsSinceMidnight));
    // Only this program's own metafiles go: tnpl, digits, .ram.
    static const QRegularExpression own(QStringLiteral("^tnpl[0-9]+\\.ram$"));
    for (const QString &name : folder.entryList({QStringLiteral("tnpl*.ram")}, QDir::Files))
        if (own.match(name).hasMatch())
            folder.remove(name);
    QString text;
    for (const QString &url : urls)
        text += MetafileLine(url) + QLatin1String("\r\n");
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toUtf8());
        file.commit();
    }
    player_.setSource(QString());
    player_.stop();
    player_.setSource(path);
    player_.play();
    return path;
}

QStringList PlaybackController::RoundFromCurrent(const SongList &list) {
    QStringList urls;
    const int n = list.count();
    int c = list.currentEntry();
    if (c < 0 || c >= n)
        c = 0;
    for (int i = c; i < n; ++i)
        urls << list.url(i);
    for (int i = 0; i < c; ++i)
        urls << list.url(i);
    return urls;
}

void PlaybackController::PlayFromCurrentSong(const SongList &list) {
    if (list.count() == 0)
        return;
    WriteRamFile(RoundFromCurrent(list));
}

void PlaybackController::PlaySelectedSongs(const SongList &list) {
    if (list.count() == 0)
        return;
    QStringList urls;
    for (int i : list.selectedEntries())
        urls << list.url(i);
    WriteRamFile(urls);
}

void PlaybackController::PlayStartMusic() {
    player_.setMouseEventReporting(true);
    player_.setFurtherOption(true);
    player_.setSource(QStringLiteral("file://") + startMusicPath());
    player_.play();
    player_.setVolume(100);
}

void PlaybackController::EditStartMusic() {
    const QString path = startMusicPath();
    if (QFileInfo(path).isFile())
        shell_.editText(path);
}

void PlaybackController::PlayByRealOne() {
    shell_.playExternally(player_.source());
}

void PlaybackController::OpenLocalSongs(SongList &playList) {
    const QStringList files = dialogs_.openFileNames(LocalSongsFilter);
    QList<Song> songs;
    for (const QString &file : files) {
        if (Spaces::Trim(file).isEmpty())
            continue;
        songs.append({LocalPrefix + QFileInfo(file).fileName(), QStringLiteral("file://") + file});
    }
    if (songs.isEmpty())
        return;
    playList.append(songs);
    ListCommands::SelectLastSong(playList);
}

void PlaybackController::DoPrevItem() {
    player_.previousClip();
}

void PlaybackController::DoNextItem() {
    player_.nextClip();
}

void PlaybackController::player_PlayStateChanged(int state) {
    const QString text = QStringLiteral("→") + Spaces::Trim(player_.clipTitle());
    emit openedSongNameChanged(state != 0 ? text : QString());
    emit prevNextChanged(player_.hasPreviousClip(), player_.hasNextClip());
}

void PlaybackController::player_ClipOpened() {
    // The menu's check mark is the authority; the player follows it once a clip is open.
    if (loopPlay_ != player_.loop())
        player_.setLoop(loopPlay_);
}
