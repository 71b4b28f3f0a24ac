// Long use of the whole program in one process, against the demo data server on this machine:
// searches, songs played on the real player (sound silenced), the playlist grown to its limit
// and emptied, every extra window opened and closed. Done in ten rounds; resident memory,
// open files and threads after the first round are compared with the end.
// Usage: soak [scale [parts]]   (scale 1: 1,000 searches, 500 songs, 100 openings of each
// window; parts: some of searches,songs,playlist,windows, comma-separated, default all;
// with QT_QPA_PLATFORM=offscreen or under Xvfb). Fails when memory grew more than 5 MB or
// a file or thread was left over.
#include "app/extra_windows.h"
#include "app/frm_search_music.h"
#include "app/net/qt_http_transfer.h"
#include "app/player/mpv_player_factory.h"
#include "app/player/mpv_stream_player.h"
#include "app/session.h"
#include "channels/frm_net_channel.h"
#include "demo_server.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_downloads.h"
#include "fakes/fake_installer.h"
#include "fakes/fake_players.h"
#include "fakes/fake_shell.h"
#include "flash/frm_net_flash.h"
#include "lists/frm_music_library.h"
#include "lists/playback_controller.h"
#include "lists/song_list.h"
#include "measures.h"
#include "net/test_http_server.h"
#include "platform/memory_tuning.h"
#include "search/search_flow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <malloc.h>
#include <numeric>

namespace {
const char *const Keywords[] = {"月亮", "小城", "Moonlight", "弯弯", "知道", "故事", "没有这首歌"};

int entriesOf(const char *folder) {
    return static_cast<int>(QDir(QString::fromLatin1(folder))
                                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                                .size());
}

struct Figures {
    long rssKb;
    double heapMiB; // what the program holds on the heap: grows with what it keeps
    int files;
    int threads;
};

// After the work is done: queued deletions run, freed memory goes back to the system.
Figures settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(50);
    }
    malloc_trim(0);
    const struct mallinfo2 heap = mallinfo2();
    return {rssKb(), (heap.uordblks + heap.hblkhd) / 1048576.0, entriesOf("/proc/self/fd"),
            entriesOf("/proc/self/task")};
}

void clearList(SongList &list) {
    QList<int> all(list.count());
    std::iota(all.begin(), all.end(), 0);
    list.removeEntries(all);
}

bool waitFor(const std::function<bool()> &done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(2);
    }
    return true;
}

struct Program {
    TestHttpServer http;
    QTemporaryDir folder;
    QTemporaryDir metafiles;
    FakeDialogs dialogs; // every question is answered "no", every message recorded
    FakeClipboard clipboard;
    FakeShell shell;
    FakeDownloadDialog downloadDialog;
    FakeDownloadManager downloadManager;
    FakeFlashPlayerFactory flash;
    FakeInstaller installer;
    std::unique_ptr<QtTransferFactory> network;
    std::unique_ptr<MpvPlayerFactory> players;
    std::unique_ptr<MpvStreamPlayer> realAudio1;
    std::unique_ptr<Session> session;
    std::unique_ptr<ExtraWindows> extra;
    std::unique_ptr<frmSearchMusic> window;
    std::vector<Song> playable;

    bool start() {
        if (DemoServer::ServeEverything(http.server, TONAPLY_DEMO_DATA) < 0)
            return false;
        http.start();
        const QString data = http.url(QStringLiteral("/"));
        const QString host = QStringLiteral("127.0.0.1:%1").arg(http.port());
        const MpvCore::Options silent{{"ao", "null"}, {"vo", "null"}};
        network = std::make_unique<QtTransferFactory>();
        players = std::make_unique<MpvPlayerFactory>(silent);
        realAudio1 = std::make_unique<MpvStreamPlayer>(false, silent);
        session = std::make_unique<Session>(
            Session::Ports{dialogs, clipboard, shell, *realAudio1, *network, downloadDialog,
                           downloadManager, *players, flash, installer},
            ServerEndpoints{data, data + "setup.exe", {host, host}}, folder.path(),
            metafiles.path());
        extra = std::make_unique<ExtraWindows>(*session);
        window = std::make_unique<frmSearchMusic>(*session, *extra);
        window->Show();
        return waitFor([this] { return window->isVisible(); }, 10000);
    }

    // One search as the user makes it: keyword, "搜索", wait for the controls to unlock.
    bool search(int n) {
        clearList(window->searchList());
        window->Combo1->setEditText(QString::fromUtf8(Keywords[n % std::size(Keywords)]));
        QEventLoop loop;
        QObject::connect(window->searchFlow(), &SearchFlow::unlocked, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        window->btnSearch_Click();
        if (window->searchFlow()->isSearching())
            loop.exec();
        SongList &found = window->searchList();
        for (int i = 0; i < found.count() && playable.size() < 50; ++i)
            playable.push_back({found.name(i), found.url(i)});
        return !window->searchFlow()->isSearching();
    }

    // One song from the playlist, played until the player says it plays.
    bool play(int n) {
        if (playable.empty())
            return false;
        SongList &list = session->playList();
        clearList(list);
        list.append(QList<Song>{playable[n % playable.size()]});
        list.setSelected(0, true);
        session->playback().PlaySelectedSongs(list);
        return waitFor([this] { return realAudio1->playState() == StreamPlayer::Playing; }, 10000);
    }

    bool fillAndEmptyPlaylist() {
        SongList &list = session->playList();
        clearList(list);
        list.append(QList<Song>(SongList::MaxEntries, Song{QStringLiteral("MP3→月亮"),
                                                           QStringLiteral("http://a/1.mp3")}));
        const bool full = list.isFull();
        clearList(list);
        return full && list.count() == 0;
    }

    // Each extra window opened as the link bar does, waited for, closed, and gone.
    bool openAndCloseEach() {
        using Open = void (ExtraWindows::*)();
        const Open opens[] = {&ExtraWindows::ShowNetMovie, &ExtraWindows::ShowNetMtv,
                              &ExtraWindows::ShowNetTv, &ExtraWindows::ShowNetFlash,
                              &ExtraWindows::ShowMusicLibrary};
        for (Open open : opens) {
            (extra.get()->*open)();
            QPointer<QWidget> w;
            if (!waitFor(
                    [&] {
                        w = extra->netMovie()   ? static_cast<QWidget *>(extra->netMovie())
                            : extra->netMtv()   ? static_cast<QWidget *>(extra->netMtv())
                            : extra->netTv()    ? static_cast<QWidget *>(extra->netTv())
                            : extra->netFlash() ? static_cast<QWidget *>(extra->netFlash())
                                                : static_cast<QWidget *>(extra->musicLibrary());
                        return w && w->isVisible();
                    },
                    10000))
                return false;
            w->close();
            if (!waitFor([&] { return !w; }, 10000))
                return false;
        }
        return true;
    }
};
} // namespace

int main(int argc, char *argv[]) {
    // The program's own heap settings, or the figures would be another program's.
    MemoryTuning::ForThePlayer();
    QApplication app(argc, argv);
    MemoryTuning::ForTheWindows();
    const double scale = argc > 1 ? std::max(0.01, atof(argv[1])) : 1.0;
    const int searches = std::max(10, int(1000 * scale)), songs = std::max(10, int(500 * scale)),
              openings = std::max(10, int(100 * scale));
    const QStringList parts =
        QString::fromLocal8Bit(argc > 2 ? argv[2] : "searches,songs,playlist,windows").split(',');
    constexpr int Rounds = 10;
    Program program;
    if (!program.start()) {
        std::fprintf(stderr, "soak: the program did not start\n");
        return 1;
    }
    const Figures atStart = settle();
    Figures afterFirst{};
    int failures = 0;
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < Rounds; ++round) {
        // The songs come from the searches: one is made first when only songs are played.
        if (parts.contains("searches") || (round == 0 && parts.contains("songs")))
            for (int i = round * searches / Rounds; i < (round + 1) * searches / Rounds; ++i)
                failures += !program.search(i);
        if (parts.contains("songs"))
            for (int i = round * songs / Rounds; i < (round + 1) * songs / Rounds; ++i)
                failures += !program.play(i);
        if (parts.contains("playlist"))
            failures += !program.fillAndEmptyPlaylist();
        if (parts.contains("windows"))
            for (int i = round * openings / Rounds; i < (round + 1) * openings / Rounds; ++i)
                failures += !program.openAndCloseEach();
        const Figures now = settle();
        if (round == 0)
            afterFirst = now;
        std::printf("round %2d: %6.1f s, resident %7.1f MiB, heap in use %6.1f MiB, %3d files "
                    "open, %3d threads, %d failures\n",
                    round + 1, clock.elapsed() / 1000.0, now.rssKb / 1024.0, now.heapMiB, now.files,
                    now.threads, failures);
        std::fflush(stdout);
    }
    program.session->player().stop();
    const Figures end = settle();
    const double grownMb = (end.rssKb - afterFirst.rssKb) * 1024.0 / 1e6;
    std::printf("soak: %d searches, %d songs played, the playlist filled to %d and emptied %d "
                "times, %d openings of each of 5 windows\n",
                searches, songs, SongList::MaxEntries, Rounds, openings);
    std::printf("soak: resident %.1f MiB at start, %.1f after the first round, %.1f at the end "
                "(%+.1f MB); files %d/%d/%d, threads %d/%d/%d; %d failures\n",
                atStart.rssKb / 1024.0, afterFirst.rssKb / 1024.0, end.rssKb / 1024.0, grownMb,
                atStart.files, afterFirst.files, end.files, atStart.threads, afterFirst.threads,
                end.threads, failures);
    const bool ok = grownMb <= 5.0 && end.files <= afterFirst.files &&
                    end.threads <= afterFirst.threads && failures == 0;
    std::puts(ok ? "soak: passed" : "soak: FAILED");
    return ok ? 0 : 1;
}
