// The main window's player: play commands, start music, loop play, previous and next, the
// player's context menu and the title label.
#include "frm_search_music.h"

#include "app/player/stream_player.h"
#include "lists/playback_controller.h"
#include "session.h"
#include "ui/plain_tool_tip.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "platform/dialogs.h"

void frmSearchMusic::buildPlayback() {
    StreamPlayer *player = &session_.player();
    PlaybackController *playback = &session_.playback();

    mnuRealAudio = new QMenu(this);
    mnuRealAudioPlayByRealOne = mnuRealAudio->addAction(QStringLiteral("使用RealOne播放(&O)"));
    mnuRealAudio->addSeparator();
    mnuMoreLoopPlay = mnuRealAudio->addAction(QStringLiteral("设置循环播放(&L)"));
    mnuMoreLoopPlay->setCheckable(true);
    mnuMoreLoopPlay->setChecked(true);
    mnuRealAudioDoPrevItem = mnuRealAudio->addAction(QStringLiteral("播放上一首(&T)"));
    mnuRealAudioDoNextItem = mnuRealAudio->addAction(QStringLiteral("播放下一首(&N)"));
    mnuRealAudioDoPrevItem->setShortcut(Qt::Key_F8);
    mnuRealAudioDoNextItem->setShortcut(Qt::Key_F9);
    mnuRealAudio->addSeparator();
    mnuRealAudioAbout = mnuRealAudio->addAction(QStringLiteral("关于 Tonaply(&A)"));
    connect(mnuRealAudioAbout, &QAction::triggered, this, &frmSearchMusic::mnuRealAudioAbout_Click);
    for (QAction *action : {mnuRealAudioDoPrevItem, mnuRealAudioDoNextItem}) {
        action->setEnabled(false);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    connect(mnuRealAudioPlayByRealOne, &QAction::triggered, playback,
            &PlaybackController::PlayByRealOne);
    connect(mnuMoreLoopPlay, &QAction::toggled, playback, &PlaybackController::setLoopPlay);
    connect(mnuRealAudioDoPrevItem, &QAction::triggered, playback, &PlaybackController::DoPrevItem);
    connect(mnuRealAudioDoNextItem, &QAction::triggered, playback, &PlaybackController::DoNextItem);
    connect(mnuMorePlayStartMusic, &QAction::triggered, playback,
            &PlaybackController::PlayStartMusic);
    connect(mnuMoreEditStartMusic, &QAction::triggered, playback,
            &PlaybackController::EditStartMusic);
    connect(playback, &PlaybackController::openedSongNameChanged, this,
            [this](const QString &text) {
                lblOpenedSongName->setText(lblOpenedSongName->fontMetrics().elidedText(
                    text, Qt::ElideRight, lblOpenedSongName->width()));
                lblOpenedSongName->setToolTip(PlainToolTip(text));
            });
    connect(playback, &PlaybackController::prevNextChanged, this,
            [this](bool hasPrevious, bool hasNext) {
                mnuRealAudioDoPrevItem->setEnabled(hasPrevious);
                mnuRealAudioDoNextItem->setEnabled(hasNext);
            });
    connect(player, &StreamPlayer::rightClicked, this, &frmSearchMusic::RealAudio1_RightClick);

    connect(mnuSearchListPlay, &QAction::triggered, this,
            [=, this] { playback->PlayFromCurrentSong(*searchList_); });
    connect(mnuSearchListPlaySelectedSong, &QAction::triggered, this,
            [=, this] { playback->PlaySelectedSongs(*searchList_); });
    connect(mnuPlayListPlay, &QAction::triggered, this,
            [=, this] { playback->PlayFromCurrentSong(session_.playList()); });
    connect(mnuPlayListPlaySelectedSong, &QAction::triggered, this,
            [=, this] { playback->PlaySelectedSongs(session_.playList()); });
    connect(mnuPlayListOpenLocalSong, &QAction::triggered, this,
            [=, this] { playback->OpenLocalSongs(session_.playList()); });
}

void frmSearchMusic::RealAudio1_RightClick() {
    // Shown once the player's own event has returned, and once per right click.
    QTimer::singleShot(0, this,
                       [this] { session_.dialogs().popupMenu(mnuRealAudio, QCursor::pos()); });
}
