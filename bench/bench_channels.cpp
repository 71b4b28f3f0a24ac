// The channel windows against the demo data server on this machine, on a real screen (run
// under Xvfb by scripts/bench): from the link-bar command to the window on the screen with its
// list, from "打开" to the first picture of a local clip, the CPU the program takes to play a
// 640x480 clip beside mpv playing it in its own window, and resident memory over twenty
// open, play and close cycles.
#include "app/net/qt_http_transfer.h"
#include "app/player/mpv_player_factory.h"
#include "app/session.h"
#include "channels/channel_program.h"
#include "channels/frm_net_channel.h"
#include "data_server.h"
#include "lists/song_list.h"
#include "measures.h"
#include "net/test_http_server.h"
#include "platform/memory_tuning.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
const ChannelCatalogue::Kind Kinds[] = {ChannelCatalogue::Kind::Movie, ChannelCatalogue::Kind::Mtv,
                                        ChannelCatalogue::Kind::Tv};

// User and system seconds of another process so far.
double cpuSecondsOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool lit(frmNetChannel *w) {
    const QRect area = w->picPlayer->rect().adjusted(0, 0, 0, -44);
    const QPoint at = w->picPlayer->mapToGlobal(area.topLeft());
    const QImage image = QGuiApplication::primaryScreen()
                             ->grabWindow(0, at.x(), at.y(), area.width(), area.height())
                             .toImage();
    for (int y = 0; y < image.height(); y += 8)
        for (int x = 0; x < image.width(); x += 8)
            if (qGray(image.pixel(x, y)) > 24)
                return true;
    return false;
}

// Opened, on the screen with its list, then closed again: milliseconds to the screen.
double openOnce(ChannelProgram &program, int which) {
    QElapsedTimer clock;
    clock.start();
    QPointer<frmNetChannel> w = program.open(Kinds[which]);
    while (!(w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed()))
        QTest::qWait(1);
    const double ms = clock.nsecsElapsed() / 1e6;
    w->close();
    while (w)
        QTest::qWait(1);
    return ms;
}

// From the typed URL's "打开" to the first picture on the screen.
double firstPicture(ChannelProgram &program, const QString &clip) {
    QPointer<frmNetChannel> w = program.open(ChannelCatalogue::Kind::Movie);
    while (!w->isVisible())
        QTest::qWait(1);
    QTest::qWait(300); // the player's core is ready, as it is once the user has chosen
    program.fakes.dialogs.inputAnswers.enqueue(QStringLiteral("file://") + clip);
    QElapsedTimer clock;
    clock.start();
    w->mnuControlOpenUrl_Click();
    while (!lit(w) && clock.elapsed() < 10000)
        QTest::qWait(2);
    const double ms = clock.nsecsElapsed() / 1e6;
    w->close();
    while (w)
        QTest::qWait(1);
    return ms;
}
} // namespace

int main(int argc, char *argv[]) {
    // The program's own heap settings.
    MemoryTuning::ForThePlayer();
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    TestHttpServer http;
    DataServer::Serve(http.server, TONAPLY_DEMO_DATA);
    http.start();
    QtTransferFactory network;
    MpvPlayerFactory players{{{"ao", "null"}}};
    ChannelProgram program(network, players, http.url("/"));

    const char *names[] = {"movie", "MTV", "TV"};
    for (int which = 0; which < 3; ++which) {
        openOnce(program, which); // the first opening loads the libraries
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i)
            ms.push_back(openOnce(program, which));
        std::printf("%-5s link-bar command to the window on the screen with its list: median "
                    "%.1f ms (%d runs, min %.1f, max %.1f)\n",
                    names[which], median(ms), runs, *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()));
    }

    const QString clip = QStringLiteral(TONAPLY_DEMO_DATA "/media/movie1.rmvb");
    std::vector<double> first;
    for (int i = 0; i < runs; ++i)
        first.push_back(firstPicture(program, clip));
    std::printf(
        "\"打开\" to the first picture of a local clip: median %.1f ms (%d runs, max %.1f)\n",
        median(first), runs, *std::max_element(first.begin(), first.end()));

    // A 640x480 clip, played for ten seconds by the movie window and then by mpv.
    QTemporaryDir folder;
    const QString big = folder.filePath("clip640x480.rm");
    QProcess::execute(QStringLiteral("ffmpeg"), {"-v",
                                                 "error",
                                                 "-y",
                                                 "-f",
                                                 "lavfi",
                                                 "-i",
                                                 "testsrc2=size=640x480:rate=25:duration=30",
                                                 "-f",
                                                 "lavfi",
                                                 "-i",
                                                 "sine=frequency=440:duration=30",
                                                 "-c:v",
                                                 "rv20",
                                                 "-b:v",
                                                 "400k",
                                                 "-c:a",
                                                 "ac3",
                                                 "-b:a",
                                                 "64k",
                                                 "-f",
                                                 "rm",
                                                 big});
    constexpr int PlaySeconds = 10;
    {
        QPointer<frmNetChannel> w = program.open(ChannelCatalogue::Kind::Movie);
        while (!w->isVisible())
            QTest::qWait(1);
        QTest::qWait(500);
        program.fakes.dialogs.inputAnswers.enqueue(QStringLiteral("file://") + big);
        w->mnuControlOpenUrl_Click();
        QTest::qWait(1000);
        const double cpu = cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(PlaySeconds * 1000);
        const double share = (cpuSeconds() - cpu) / (clock.nsecsElapsed() / 1e9);
        std::printf("playing a 640x480 clip: the program (mpv inside) %.0f %% of one core\n",
                    share * 100);
        w->close();
        while (w)
            QTest::qWait(1);
    }
    const QString mpv = QStandardPaths::findExecutable(QStringLiteral("mpv"));
    if (!mpv.isEmpty()) {
        QProcess player;
        player.start(mpv, {"--no-config", "--ao=null", "--geometry=412x296", "--really-quiet",
                           "--loop-file=inf", big});
        player.waitForStarted();
        QTest::qWait(1000);
        const double cpu = cpuSecondsOf(player.processId());
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(PlaySeconds * 1000);
        const double share =
            (cpuSecondsOf(player.processId()) - cpu) / (clock.nsecsElapsed() / 1e9);
        std::printf("playing the same clip: mpv in its own window of the same size %.0f %% of "
                    "one core\n",
                    share * 100);
        player.kill();
        player.waitForFinished();
    } else {
        std::printf("mpv is not installed: no comparison\n");
    }

    // Twenty cycles: open, play, close.
    long afterFirst = 0;
    for (int i = 1; i <= 20; ++i) {
        QPointer<frmNetChannel> w = program.open(Kinds[i % 3]);
        while (!w->isVisible())
            QTest::qWait(1);
        w->btnOpen_Click();
        QTest::qWait(700);
        w->close();
        while (w)
            QTest::qWait(1);
        QTest::qWait(50);
        if (i == 1)
            afterFirst = rssKb();
    }
    const long after = rssKb();
    std::printf("resident memory after the first cycle %.1f MB, after 20 cycles %.1f MB "
                "(%+.1f MB)\n",
                afterFirst / 1024.0, after / 1024.0, (after - afterFirst) / 1024.0);
    return 0;
}
