#include "app/player/mpv_stream_player.h"

#include <QSignalSpy>
#include <QTest>

// Run with TONAPLY_LIBMPV naming a library that is not there: the player as on a machine
// without libmpv.
class TestPlayerMissing : public QObject {
    Q_OBJECT
private slots:
    void aMissingLibraryIsReportedOnceAndNothingPlays() {
        QVERIFY(!qEnvironmentVariableIsEmpty("TONAPLY_LIBMPV"));
        MpvStreamPlayer player(false, {}, false);
        QSignalSpy unavailable(&player, &StreamPlayer::unavailable);
        // Asked to play before its core starts, as at the program's start.
        player.setSource(QStringLiteral("http://127.0.0.1:1/a.mp3"));
        player.play();
        player.startCore();
        QVERIFY(unavailable.wait(10000));
        player.setSource(QStringLiteral("http://127.0.0.1:1/b.mp3"));
        player.play();
        player.nextClip();
        player.stop();
        QCoreApplication::processEvents();
        QCOMPARE(unavailable.count(), 1);
        QCOMPARE(player.playState(), StreamPlayer::Stopped);
    }
};

QTEST_GUILESS_MAIN(TestPlayerMissing)
#include "tst_player_missing.moc"
