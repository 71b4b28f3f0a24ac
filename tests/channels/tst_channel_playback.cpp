// The channel windows for real, on a screen: the demo data server, its live channels over
// RTSP, the real network and real players drawing pictures. Each window loads its list and
// shows moving pictures; the TV window switches categories; with the server down nothing
// opens.
#include "app/net/qt_http_transfer.h"
#include "app/player/mpv_player_factory.h"
#include "app/session.h"
#include "channel_program.h"
#include "channels/frm_net_channel.h"
#include "data_server.h"
#include "lists/song_list.h"
#include "net/test_http_server.h"
#include "rtsp_albums.h"
#include "ui/window_probes.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTest>

using ChannelCatalogue::Kind;
Q_DECLARE_METATYPE(Kind)

namespace {
// What the screen shows in the player's picture (its native video window included).
QImage picture(frmNetChannel *w) {
    return ScreenPicture(w->picPlayer, w->picPlayer->rect().adjusted(0, 0, 0, -44));
}

bool black(const QImage &image) {
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (qGray(image.pixel(x, y)) > 24)
                return false;
    return true;
}
} // namespace

class TestChannelPlayback : public QObject {
    Q_OBJECT
    TestHttpServer http;
    RtspAlbums live;
    QtTransferFactory network;
    MpvPlayerFactory players{{{"ao", "null"}}};

private slots:
    void initTestCase() {
        QVERIFY(DataServer::Serve(http.server, TONAPLY_DEMO_DATA));
        QVERIFY(live.start(TONAPLY_DEMO_DATA "/music", 0));
        // A clip whose stream breaks off a third of the way in.
        http.server.Get("/cut/movie2.rm", [](const httplib::Request &, httplib::Response &res) {
            QFile clip(TONAPLY_DEMO_DATA "/media/movie2.rm");
            clip.open(QIODevice::ReadOnly);
            const auto bytes = std::make_shared<QByteArray>(clip.readAll());
            res.set_content_provider(bytes->size(), "application/vnd.rn-realmedia",
                                     [bytes](size_t offset, size_t, httplib::DataSink &sink) {
                                         if (offset >= size_t(bytes->size() / 3))
                                             return false;
                                         sink.write(bytes->constData() + offset, 16384);
                                         return true;
                                     });
        });
        http.start();
        DataServer::NameOwnAddresses(http.server, http.url("/").toStdString(),
                                     "rtsp://127.0.0.1:" + std::to_string(live.port()) + "/");
    }

    void eachWindowPlaysMovingPictures_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("entry");
        QTest::newRow("movie, .rmvb") << Kind::Movie << 0;
        QTest::newRow("movie, .rm") << Kind::Movie << 1;
        QTest::newRow("MTV") << Kind::Mtv << 1;
        QTest::newRow("TV, live") << Kind::Tv << 0;
    }
    void eachWindowPlaysMovingPictures() {
        QFETCH(Kind, kind);
        QFETCH(int, entry);
        ChannelProgram program(network, players, http.url("/"));
        frmNetChannel *w = program.open(kind);
        QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
        QVERIFY(w->channels().count() >= 2);
        QVERIFY(program.fakes.dialogs.messages.isEmpty());
        w->channels().clearSelection();
        w->channels().setSelected(entry, true);
        w->btnOpen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(!black(picture(w)), 15000);
        const QImage first = picture(w);
        QTRY_VERIFY_WITH_TIMEOUT(picture(w) != first, 5000);
        QVERIFY(program.fakes.shell.played.isEmpty());
        QVERIFY(program.fakes.dialogs.messages.isEmpty());
        w->btnCloseButton_Click();
    }

    // Channels that do not play leave the window as it was, without a word, and the next one
    // plays.
    void aChannelThatDoesNotPlayLeavesTheWindowUsable() {
        ChannelProgram program(network, players, http.url("/"));
        program.windows->ShowNetMtv();
        frmNetChannel *w = program.windows->netMtv();
        QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
        TestHttpServer closed;
        closed.start();
        const QString refused = closed.url("/x.rm");
        closed.stop();
        for (const QString &url :
             {http.url("/media/missing.rm"), refused, http.url("/cut/movie2.rm")}) {
            program.fakes.dialogs.inputAnswers.enqueue(url);
            w->mnuControlOpenUrl_Click();
            QTest::qWait(1500);
            QVERIFY(w->isVisible());
        }
        QVERIFY(program.fakes.dialogs.messages.isEmpty());
        w->btnOpen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(!black(picture(w)), 15000);
        const QImage first = picture(w);
        QTRY_VERIFY_WITH_TIMEOUT(picture(w) != first, 5000);
        QVERIFY(program.fakes.dialogs.messages.isEmpty());
    }

    // "全屏" puts the picture over the whole screen, the list window staying; Esc or a double
    // click brings it back into the window.
    void fullScreenAndBack() {
        ChannelProgram program(network, players, http.url("/"));
        program.windows->ShowNetMovie();
        frmNetChannel *w = program.windows->netMovie();
        QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
        w->btnOpen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(!black(picture(w)), 15000);
        QWidget *video = w->RealAudio1->videoSurface();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        for (int way = 0; way < 2; ++way) {
            w->btnFullScreen_Click();
            QTRY_VERIFY(video->isWindow() && video->isVisible());
            QTRY_COMPARE(video->geometry(), screen);
            QVERIFY(w->isVisible());
            if (way == 0)
                QTest::keyClick(video, Qt::Key_Escape);
            else
                QTest::mouseDClick(video, Qt::LeftButton, {}, {50, 50});
            QTRY_VERIFY(!video->isWindow());
            QVERIFY(w->isAncestorOf(video));
        }
    }

    // The TV window's four catalogues came with it: a category shows its own stations.
    void theTvWindowSwitchesCategories() {
        ChannelProgram program(network, players, http.url("/"));
        program.windows->ShowNetTv();
        frmNetChannel *w = program.windows->netTv();
        QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
        QCOMPARE(w->channels().name(0), QStringLiteral("-城市新闻台"));
        w->cboUrlType->setCurrentIndex(3);
        w->cboUrlType_Click();
        QCOMPARE(w->channels().count(), 3);
        QCOMPARE(w->channels().name(0), QStringLiteral("-港岛明珠台"));
        QVERIFY(w->channels().url(0).startsWith(http.url("/tv/")));
    }

    // A server that cannot be reached: the message, and no window.
    void withTheServerDownNothingOpens() {
        TestHttpServer closed;
        closed.start();
        const QString url = closed.url("/");
        closed.stop();
        ChannelProgram program(network, players, url);
        program.windows->ShowNetMovie();
        QPointer<frmNetChannel> w = program.windows->netMovie();
        QTRY_COMPARE_WITH_TIMEOUT(program.fakes.dialogs.messages.size(), 1, 10000);
        QTRY_VERIFY(!w);
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY(!top->isVisible());
    }
};

QTEST_MAIN(TestChannelPlayback)
#include "tst_channel_playback.moc"
