// The floor under the program's settled memory: what Qt 6 and libmpv take on their own for a
// window of the main window's size with one line of Chinese text, while the program's player
// plays the start music (the same player, options and heap settings as the program's).
// Usage: memory_floor METAFILE — run by scripts/bench under map_time, window "Floor".
#include "app/player/mpv_stream_player.h"
#include "platform/memory_tuning.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[]) {
    MemoryTuning::ForThePlayer();
    QApplication app(argc, argv);
    MemoryTuning::ForTheWindows();
    if (argc < 2)
        return 2;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(450, 486);
    auto *text = new QLabel(QStringLiteral("搜索结果 播放列表 应用程序正在载入数据……"), &window);
    text->setGeometry(10, 10, 430, 20);
    window.show();
    MpvStreamPlayer player(true, MpvCore::Options{}, false);
    // As the program does: the player's core once the window is on the screen.
    QTimer::singleShot(0, &player, [&player, metafile = QString::fromLocal8Bit(argv[1])] {
        player.startCore();
        player.setSource(QStringLiteral("file://") + metafile);
        player.play();
    });
    return app.exec();
}
