// The Flash gallery against the demo data server on this machine, on a real screen (run under
// Xvfb by scripts/bench): the window opening with local catalogues (after its designed pause),
// the first picture of the first animation of a run (the web engine cold) and of the next
// one, and memory while an animation plays and after the window is closed, this process and
// the web engine's own processes.
#include "app/extra_windows.h"
#include "app/net/qt_http_transfer.h"
#include "data_server.h"
#include "fakes/fake_session.h"
#include "flash/flash_plugin_loader.h"
#include "flash/frm_net_flash.h"
#include "lists/song_list.h"
#include "measures.h"
#include "net/test_http_server.h"
#include "platform/memory_tuning.h"
#include "ui/wait_seconds.h"
#include "ui/window_probes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QScreen>
#include <QTest>
#include <QTime>
#include <QWindow>
#include <cstdio>

namespace {

// Resident memory of the processes this one started and theirs (the web engine's: its zygote,
// the GPU process, the page's renderer), in kB.
long childrenRssKb() {
    QHash<QString, QString> parentOf;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        parentOf.insert(
            pid, QString::fromLatin1(text.mid(text.lastIndexOf(')') + 2).split(' ').value(1)));
    }
    const QString self = QString::number(QCoreApplication::applicationPid());
    long total = 0;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        QString up = it.value();
        for (int depth = 0; depth < 8 && up != self && parentOf.contains(up); ++depth)
            up = parentOf.value(up);
        if (up != self)
            continue;
        QFile status(QStringLiteral("/proc/%1/status").arg(it.key()));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmRSS:"))
                    total += line.mid(6).trimmed().split(' ').first().toLong();
    }
    return total;
}

double waitMs(const std::function<bool()> &until, int timeoutMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!until() && clock.elapsed() < timeoutMs)
        QTest::qWait(2);
    return clock.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char *argv[]) {
    // The program's own heap settings.
    MemoryTuning::ForThePlayer();
    QApplication app(argc, argv);
    TestHttpServer http;
    DataServer::Serve(http.server, TONAPLY_DEMO_DATA);
    http.start();
    DataServer::NameOwnAddresses(http.server, http.url("/").toStdString(), "rtsp://127.0.0.1:9/");
    QtTransferFactory network;
    FlashPluginLoader viewer{{QStringLiteral(TONAPLY_BUILD_DIR)}};
    FakeSession fakes;
    fakes.make(http.url("/"));
    Session session({fakes.dialogs, fakes.clipboard, fakes.shell, fakes.player, network,
                     fakes.downloadDialog, fakes.downloadManager, fakes.players, viewer,
                     fakes.installer},
                    fakes.session->endpoints(), fakes.folder.path(), fakes.metafiles.path());
    ExtraWindows windows(session);

    // The first opening fetches the catalogue; the next ones read it.
    auto open = [&] {
        const double pause =
            WaitSecondsDuration(QTime::currentTime().msecsSinceStartOfDay() / 1000.0, 1) * 1000;
        QElapsedTimer clock;
        clock.start();
        windows.ShowNetFlash();
        frmNetFlash *w = windows.netFlash();
        waitMs([w] { return w->isVisible() && w->windowHandle()->isExposed(); });
        return std::pair{w, clock.nsecsElapsed() / 1e6 - pause};
    };
    frmNetFlash *w = open().first;
    w->close();
    QTest::qWait(100);
    std::vector<double> shown;
    for (int i = 0; i < 5; ++i) {
        auto [window, ms] = open();
        shown.push_back(ms);
        window->close();
        QTest::qWait(100);
    }
    std::sort(shown.begin(), shown.end());
    std::printf("Flash window with local catalogues shown %.1f ms after its pause (median of 5)\n",
                shown[2]);

    w = open().first;
    const long before = rssKb();
    QElapsedTimer clock;
    clock.start();
    w->lstFlashName_DblClick();
    const double cold =
        waitMs([w] { return ColouredPixels(ScreenPicture(w->picShockwaveFlash), 8) > 50; });
    std::printf("first animation of the run: first picture %.0f ms after the double click (the "
                "web engine cold)\n",
                cold);
    std::vector<double> next;
    for (int i = 1; i <= 3; ++i) {
        // Stopped, the last picture stands still; the next animation's first one replaces it.
        w->ShockwaveFlash1->stop();
        QTest::qWait(400);
        const QImage still = ScreenPicture(w->picShockwaveFlash);
        w->flashList().setCurrentEntry(i);
        w->mnuControlOpen_Click();
        next.push_back(waitMs([&] { return ScreenPicture(w->picShockwaveFlash) != still; }));
    }
    std::sort(next.begin(), next.end());
    std::printf("next animations: first picture %.0f ms after \"打开\" (median of 3)\n", next[1]);
    QTest::qWait(3000);
    std::printf("playing: this process %.1f MB (%.1f MB before the first animation), the web "
                "engine's processes %.1f MB\n",
                rssKb() / 1024.0, before / 1024.0, childrenRssKb() / 1024.0);
    w->close();
    QTest::qWait(3000);
    std::printf("window closed: this process %.1f MB, the web engine's processes %.1f MB\n",
                rssKb() / 1024.0, childrenRssKb() / 1024.0);
    return 0;
}
