#include "fakes/fake_stream_player.h"
#include "ui/player_area.h"
#include "ui/shown_tool_tip.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

class TestPlayerArea : public QObject {
    Q_OBJECT
private slots:
    void texts_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::newRow("stopped") << 0 << "已停止";
        QTest::newRow("contacting") << 1 << "正在连接…";
        QTest::newRow("buffering") << 2 << "缓冲中…";
        QTest::newRow("playing") << 3 << "正在播放";
        QTest::newRow("paused") << 4 << "已暂停";
    }
    void texts() {
        QFETCH(int, state);
        QFETCH(QString, text);
        QCOMPARE(PlayerArea::StateText(state), text);
        QCOMPARE(PlayerArea::TimeText(83.9, 3725), QStringLiteral("01:23 / 62:05"));
    }

    void controlsDriveThePlayer() {
        FakeStreamPlayer player;
        PlayerArea area(player);
        area.resize(430, 136);
        area.show();
        area.playButton->click();
        player.raiseState(StreamPlayer::Playing);
        QCOMPARE(area.stateLabel->text(), QStringLiteral("正在播放"));
        area.playButton->click(); // pauses while playing
        area.stopButton->click();
        area.previousButton->click();
        area.nextButton->click();
        area.volumeSlider->setValue(40);
        QCOMPARE(player.calls,
                 (QStringList{"play", "paused:1", "stop", "previous", "next", "volume:40"}));
        // Titles come from files: markup in them is shown as it is, in the tip too.
        const QString title = QStringLiteral("<b>演示</b> <img src=\"x.png\"> & 歌曲1");
        emit player.titleChanged(title);
        QCOMPARE(area.titleLabel->textFormat(), Qt::PlainText);
        QCOMPARE(shownToolTip(area.titleLabel->toolTip()), title);
        emit player.progressChanged(5, 65);
        QCOMPARE(area.timeLabel->text(), QStringLiteral("00:05 / 01:05"));
        QCOMPARE(area.positionSlider->maximum(), 65);
    }

    // Long use: every change of state and every window shows the same two pictures, so the
    // pixmap cache holds one copy of each instead of one per change.
    void theSymbolsAreDrawnOnce() {
        FakeStreamPlayer player;
        PlayerArea area(player), another(player);
        QSet<qint64> pictures;
        for (int i = 0; i < 50; ++i)
            for (StreamPlayer::PlayState s : {StreamPlayer::Playing, StreamPlayer::Stopped}) {
                player.raiseState(s);
                pictures << area.playButton->icon().cacheKey()
                         << another.playButton->icon().cacheKey();
            }
        QCOMPARE(pictures.size(), 2);
        QCOMPARE(area.stopButton->icon().cacheKey(), another.stopButton->icon().cacheKey());
    }

    void aRightClickOverThePlayerIsReportedWhenAskedFor() {
        FakeStreamPlayer player;
        PlayerArea area(player);
        area.resize(430, 136);
        QSignalSpy clicks(&player, &StreamPlayer::rightClicked);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(20, 20),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(&area, &press);
        QCOMPARE(clicks.count(), 0);
        player.setMouseEventReporting(true);
        QApplication::sendEvent(&area, &press);
        QCOMPARE(clicks.count(), 1);
    }

    void anUnavailablePlayerTurnsTheControlsOff() {
        FakeStreamPlayer player;
        PlayerArea area(player);
        QVERIFY(area.playButton->isEnabled());
        QCOMPARE(area.stateLabel->text(), QStringLiteral("已停止"));
        emit player.unavailable();
        QVERIFY(!area.playButton->isEnabled());
        QVERIFY(!area.volumeSlider->isEnabled());
        QCOMPARE(area.stateLabel->text(), QStringLiteral("无法播放"));
    }
};

QTEST_MAIN(TestPlayerArea)
#include "tst_player_area.moc"
