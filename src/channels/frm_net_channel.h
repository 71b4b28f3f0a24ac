#pragma once

#include "channel_catalogue.h"
#include "ui/skinned_window.h"

#include <QStringList>
#include <memory>

class FetchTexts;
class MediaPlayer;
class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class Session;
class Shape;
class SongList;
class StreamPlayer;
class clsButton;
class clsNoCaptionForm;
class frmWaiting;

// A channel window: the movie (frmNetMovie), MTV (frmNetMtv) or TV (frmNetTv) window. It
// fetches its catalogue when it loads, lists the channels green on black and plays them in its
// own player. Shown only once the catalogue is there; without it, it says so and goes.
class frmNetChannel : public SkinnedWindow {
    Q_OBJECT
public:
    frmNetChannel(Session &session, ChannelCatalogue::Kind kind, QWidget *parent = nullptr);
    ~frmNetChannel() override;

    ChannelCatalogue::Kind kind() const { return kind_; }
    // Loads the window (its load sequence), which shows it once its catalogue is in.
    void Form_Load();
    SongList &channels() const { return *channels_; }
    // ChannelData: the catalogue texts as fetched.
    const QStringList &channelData() const { return ChannelData; }

    // Controls, named as in the window design.
    QLabel *imgFormIcon, *lblFormCaption;
    QLabel *lblOpen, *lblStop, *lblFullScreen, *lblVolume, *lblMoreOperation, *lblMinButton,
        *lblCloseButton;
    Shape *shpOpen, *shpStop, *shpFullScreen, *shpVolume, *shpMoreOperation;
    // cboUrl(0): the names; the URLs stand beside them in the channel list.
    QListView *cboUrl;
    QComboBox *cboUrlType = nullptr; // TV only
    QWidget *picPlayer;
    StreamPlayer *RealAudio1 = nullptr;         // movie, MTV
    MediaPlayer *WindowsMediaPlayer1 = nullptr; // TV

    clsButton *btnOpen = nullptr, *btnStop = nullptr, *btnFullScreen = nullptr,
              *btnVolume = nullptr, *btnMoreOperation = nullptr, *btnMinButton = nullptr,
              *btnCloseButton = nullptr;

    QMenu *mnuControl;
    QAction *mnuOpenByPlayer, *mnuControlOpenUrl, *mnuControlDownloadByFlashGet, *mnuControlExit;

    // Handlers, as the window's events call them.
    void btnOpen_Click();
    void cboUrl_DblClick();
    void btnStop_Click();
    void btnFullScreen_Click();
    void btnVolume_Click();
    void btnMoreOperation_Click();
    void btnMinButton_Click();
    void btnCloseButton_Click();
    void mnuOpenByPlayer_Click();
    void mnuControlOpenUrl_Click();
    void mnuControlDownloadByFlashGet_Click();
    void mnuControlExit_Click();
    void cboUrlType_Click();
    void RealAudio1_RightClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void catalogueFetched(int n, const QString &text);
    void cataloguesIn();
    void PlayChannel(const QString &url);
    void OpenWithExternalPlayer(const QString &url);
    void DownloadByFlashGet();
    void OpenVolumeControl();
    void failLoading();

    Session &session_;
    ChannelCatalogue::Kind kind_;
    SongList *channels_;
    QStringList ChannelData;
    clsNoCaptionForm *noCaptionForm_ = nullptr;
    std::unique_ptr<frmWaiting> waiting_;
    FetchTexts *fetch_ = nullptr;
};

// The three windows by their names.
class frmNetMovie : public frmNetChannel {
public:
    explicit frmNetMovie(Session &session, QWidget *parent = nullptr)
        : frmNetChannel(session, ChannelCatalogue::Kind::Movie, parent) {}
};
class frmNetMtv : public frmNetChannel {
public:
    explicit frmNetMtv(Session &session, QWidget *parent = nullptr)
        : frmNetChannel(session, ChannelCatalogue::Kind::Mtv, parent) {}
};
class frmNetTv : public frmNetChannel {
public:
    explicit frmNetTv(Session &session, QWidget *parent = nullptr)
        : frmNetChannel(session, ChannelCatalogue::Kind::Tv, parent) {}
};
