// Speed of the playlist with large lists, in the real main window.
// Usage: bench_lists [repeats]   (run it under Xvfb or with QT_QPA_PLATFORM=offscreen)
#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "app/session.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_downloads.h"
#include "fakes/fake_installer.h"
#include "fakes/fake_players.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_stream_player.h"
#include "fakes/fake_transfer.h"
#include "lists/list_commands.h"
#include "lists/playlist_commands.h"
#include "lists/playlist_file.h"
#include "lists/song_list.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
// Answers every question with OK and the find prompt with a keyword.
class ScriptedDialogs : public Dialogs {
public:
    QString keyword;
    void message(const QString &, Icon) override {}
    bool confirm(const QString &) override { return true; }
    QString inputBox(const QString &, const QString &) override { return keyword; }
    QString openFileName(const QString &) override { return {}; }
    QStringList openFileNames(const QString &) override { return {}; }
    QString saveFileName(const QString &) override { return {}; }
    QString saveFileAs(const QString &) override { return {}; }
    QAction *popupMenu(QMenu *, const QPoint &) override { return nullptr; }
    void aboutBox(QWidget *, const QString &, const QString &, const QString &) override {}
};

QList<Song> demoSongs(int n) {
    QList<Song> songs;
    for (int i = 0; i < n; ++i)
        songs.append({QStringLiteral("MP3→月亮代表我的心 第%1版 - 邓丽君").arg(i),
                      QStringLiteral("http://music.example.cn/mp3/%1/yueliang.mp3").arg(i)});
    return songs;
}

double medianMs(int repeats, const std::function<void()> &prepare,
                const std::function<void()> &work) {
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        prepare();
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    FakeClipboard clipboard;
    FakeShell shell;
    FakeStreamPlayer player;
    FakeTransferFactory network;
    FakeDownloadDialog downloadDialog;
    FakeDownloadManager downloadManager;
    FakePlayerFactory players;
    FakeFlashPlayerFactory flash;
    FakeInstaller installer;
    network.files.insert(QStringLiteral("tnplversion.txt"), QStringLiteral("1.43"));
    Session session({dialogs, clipboard, shell, player, network, downloadDialog, downloadManager,
                     players, flash, installer},
                    {}, folder.path(), folder.path());
    ExtraWindows extra(session);
    frmSearchMusic window(session, extra);
    window.Show();
    QCoreApplication::processEvents();
    SongList &play = window.playList();
    auto clear = [&] {
        play.removeEntries([&] {
            QList<int> all;
            for (int i = 0; i < play.count(); ++i)
                all.append(i);
            return all;
        }());
        QCoreApplication::processEvents();
    };

    for (int n : {4096, 32767}) {
        PlaylistFile::write(PlaylistCommands::DefaultPlayListPath(folder.path()), demoSongs(n));
        const double load = medianMs(repeats, clear, [&] {
            PlaylistCommands::LoadPlayList(play, folder.path());
            QCoreApplication::processEvents(); // the view lays out and paints
        });
        std::printf("load %5d songs into the visible playlist: %7.2f ms (%.2f us/song)\n", n, load,
                    load * 1000.0 / n);
        const double save = medianMs(
            repeats, [] {}, [&] { PlaylistCommands::SavePlayList(play, folder.path()); });
        std::printf("save %5d songs:                          %7.2f ms\n", n, save);
    }

    const double del = medianMs(
        repeats,
        [&] {
            clear();
            play.append(demoSongs(SongList::MaxEntries));
            play.clearSelection();
            QItemSelection marks;
            for (int i = 0; i < play.count(); i += 2)
                marks.select(play.index(i), play.index(i));
            play.selectionModel()->select(marks, QItemSelectionModel::Select);
            QCoreApplication::processEvents();
        },
        [&] {
            ListCommands::DeleteSelectedSongs(play, dialogs);
            QCoreApplication::processEvents();
        });
    std::printf("delete every other of 32767 entries:       %7.2f ms\n", del);

    dialogs.keyword = QStringLiteral("没有这首歌");
    const double find = medianMs(
        repeats,
        [&] {
            clear();
            play.append(demoSongs(SongList::MaxEntries));
            QCoreApplication::processEvents();
        },
        [&] {
            ListCommands::FindInList(play, dialogs);
            QCoreApplication::processEvents();
        });
    std::printf("find scan over 32767 entries:              %7.2f ms\n", find);
    return 0;
}
