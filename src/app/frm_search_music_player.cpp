// The main window's player: play commands, start music, loop play, previous and next, the
// player's context menu and the title label.
#include "frm_search_music.h"

#include "app/player/stream_player.h"
#include "lists/playback_controller.h"
#include "ui/plain_tool_tip.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "platform/dialogs.h"

void frmSearchMusic::buildPlayback() {
    StreamPlayer *player = services_.realAudio1;
    if (!player)
        return;
    playback_ = new PlaybackController(*player, services_.shell, services_.dialogs,
                                       services_.appFolder, services_.metafileFolder, this);

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
    for (QAction *action : {mnuRealAudioDoPrevItem, mnuRealAudioDoNextItem}) {
        action->setEnabled(false);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    connect(mnuRealAudioPlayByRealOne, &QAction::triggered, playback_,
            &PlaybackController::PlayByRealOne);
    connect(mnuMoreLoopPlay, &QAction::toggled, playback_, &PlaybackController::setLoopPlay);
    connect(mnuRealAudioDoPrevItem, &QAction::triggered, playback_,
            &PlaybackController::DoPrevItem);
    connect(mnuRealAudioDoNextItem, &QAction::triggered, playback_,
            &PlaybackController::DoNextItem);
    connect(mnuMorePlayStartMusic, &QAction::triggered, playback_,
            &PlaybackController::PlayStartMusic);
    connect(mnuMoreEditStartMusic, &QAction::triggered, playback_,
            &PlaybackController::EditStartMusic);
    connect(playback_, &PlaybackController::openedSongNameChanged, this,
            [this](const QString &text) {
                lblOpenedSongName->setText(lblOpenedSongName->fontMetrics().elidedText(
                    text, Qt::ElideRight, lblOpenedSongName->width()));
                lblOpenedSongName->setToolTip(PlainToolTip(text));
            });
    connect(playback_, &PlaybackController::prevNextChanged, this,
            [this](bool hasPrevious, bool hasNext) {
                mnuRealAudioDoPrevItem->setEnabled(hasPrevious);
                mnuRealAudioDoNextItem->setEnabled(hasNext);
            });
    connect(player, &StreamPlayer::rightClicked, this, &frmSearchMusic::RealAudio1_RightClick);

    connect(mnuSearchListPlay, &QAction::triggered, this,
            [this] { playback_->PlayFromCurrentSong(*searchList_); });
    connect(mnuSearchListPlaySelectedSong, &QAction::triggered, this,
            [this] { playback_->PlaySelectedSongs(*searchList_); });
    connect(mnuPlayListPlay, &QAction::triggered, this,
            [this] { playback_->PlayFromCurrentSong(*playList_); });
    connect(mnuPlayListPlaySelectedSong, &QAction::triggered, this,
            [this] { playback_->PlaySelectedSongs(*playList_); });
    connect(mnuPlayListOpenLocalSong, &QAction::triggered, this,
            [this] { playback_->OpenLocalSongs(*playList_); });
}

void frmSearchMusic::RealAudio1_RightClick() {
    // Shown once the player's own event has returned, and once per right click.
    QTimer::singleShot(0, this, [this] {
        if (services_.dialogs && mnuRealAudio)
            services_.dialogs->popupMenu(mnuRealAudio, QCursor::pos());
    });
}
