#pragma once

#include "services.h"

#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QRadioButton;
class QTimer;
class PlayerArea;
class SearchFlow;
class PlaybackController;
class Shape;
class SongList;
class clsButton;
class clsNoCaptionForm;
class frmWaiting;

// The main window: keyword box, search controls, the search list, the playlist and the
// player area, on a skinned captionless window.
class frmSearchMusic : public QWidget {
    Q_OBJECT
public:
    explicit frmSearchMusic(Services services, QWidget *parent = nullptr);
    ~frmSearchMusic() override;

    // Loads the window (its load sequence) and shows it.
    void Show();
    // Whether the tray icon is there to bring a hidden window back.
    void setTrayIconShown(bool shown) { trayIconShown_ = shown; }

    SongList &searchList() { return *searchList_; }
    SearchFlow *searchFlow() const { return searchFlow_; }
    // The album songs' streaming base, read from the data server at start.
    const QString &StreamBaseUrl() const { return streamBaseUrl_; }
    SongList &playList() { return *playList_; }

    // Controls, named as in the window design.
    QComboBox *Combo1;
    std::array<QRadioButton *, 2> optMusicFileType;
    QLabel *imgFormIcon;
    QLabel *lblFormCaption;
    QLabel *lblSearch, *lblStop, *lblMoreOperation, *lblMinButton, *lblCloseButton;
    Shape *shpSearch, *shpStop, *shpMoreOperation;
    QLabel *lblSearchListCaption, *lblPlayListCaption, *lblPlayListCount;
    QListView *lstSearchListSongName;
    QListView *lstPlayListSongName;
    PlayerArea *picPlayer;

    clsButton *btnSearch = nullptr, *btnMoreOperation = nullptr, *btnStop = nullptr,
              *btnMinButton = nullptr, *btnCloseButton = nullptr;

    QMenu *mnuMoreOperation;
    std::array<QAction *, 2> mnuMoreSearcher;
    QAction *mnuMoreExit;
    QAction *mnuMorePlayStartMusic = nullptr, *mnuMoreEditStartMusic = nullptr;

    QMenu *mnuRealAudio = nullptr;
    QAction *mnuRealAudioPlayByRealOne = nullptr, *mnuMoreLoopPlay = nullptr,
            *mnuRealAudioDoPrevItem = nullptr, *mnuRealAudioDoNextItem = nullptr;
    QLabel *lblOpenedSongName;
    QAction *mnuSearchListPlay = nullptr, *mnuSearchListPlaySelectedSong = nullptr,
            *mnuPlayListPlay = nullptr, *mnuPlayListPlaySelectedSong = nullptr,
            *mnuPlayListOpenLocalSong = nullptr;

    QMenu *mnuSearchList;
    QAction *mnuSearchListAddToPlayList, *mnuSearchListFind, *mnuSearchListCopySongName,
        *mnuSearchListCopySongUrl, *mnuSearchListDelete;
    QMenu *mnuPlayList;
    QAction *mnuPlayListFind, *mnuPlayListUp, *mnuPlayListDown, *mnuPlayListCopySongName,
        *mnuPlayListCopySongUrl, *mnuPlayListDelete, *mnuPlayListOpen, *mnuPlayListSave;

    // Handlers, as the window's events call them.
    void btnSearch_Click();
    void btnStop_Click();
    void Combo1_KeyPress(int keyAscii);
    void btnMinButton_Click();
    void btnCloseButton_Click();
    void btnMoreOperation_Click();
    void mnuMoreSearcher_Click(int index);
    void lstSearchListSongName_MouseDown(const QPoint &globalPos);
    void lstPlayListSongName_MouseDown(const QPoint &globalPos);
    void lstSearchListSongName_KeyDown(int key);
    void lstSearchListSongName_DblClick();
    void lstPlayListSongName_DblClick();
    void RealAudio1_RightClick();
    PlaybackController *playback() const { return playback_; }
    void lstPlayListSongName_KeyDown(int key);

signals:
    // The window has been painted on the screen for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void buildListMenus();
    void buildSearch();
    void buildPlayback();
    void addPlayItems();
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void ActivateMainWindow();
    void refreshPlayListCount();

    Services services_;
    SongList *searchList_;
    SongList *playList_;
    clsNoCaptionForm *noCaptionForm_ = nullptr;
    std::unique_ptr<frmWaiting> waiting_;
    bool trayIconShown_ = false;
    bool unloaded_ = false;
    bool painted_ = false;
    SearchFlow *searchFlow_ = nullptr;
    // While a search runs, the results list repaints at most once a frame.
    QTimer *resultsFrame_ = nullptr;
    bool searching_ = false;
    PlaybackController *playback_ = nullptr;
    QString streamBaseUrl_;
};
