#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QRadioButton;
class QTimer;
class PlayerArea;
class ExtraWindows;
class SearchFlow;
class Session;
class Shape;
class SongList;
class SongListMenu;
class clsButton;
class clsNoCaptionForm;
class frmDownloads;
class frmWaiting;
namespace VersionCheck {
class Request;
}

// The main window: keyword box, search controls, the search list, the playlist and the
// player area, on a skinned captionless window. The playlist, the player and the network
// are the session's, which other windows share; the windows of the link bar are opened
// through extraWindows.
class frmSearchMusic : public QWidget {
    Q_OBJECT
public:
    frmSearchMusic(Session &session, ExtraWindows &extraWindows, QWidget *parent = nullptr);
    ~frmSearchMusic() override;

    // Loads the window (its load sequence) and shows it.
    void Show();
    // Asks the data server for a newer version; when there is one, the process ends in here.
    void GetNewVersion();
    // Whether the tray icon is there to bring a hidden window back.
    void setTrayIconShown(bool shown) {
        trayIconShown_ = [shown] { return shown; };
    }
    // The same, asked each time: the desktop's notification area may come and go.
    void setTrayIconShown(std::function<bool()> shown) { trayIconShown_ = std::move(shown); }

    SongList &searchList() { return *searchList_; }
    SongList &playList();
    SearchFlow *searchFlow() const { return searchFlow_; }

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
    QLabel *lblOpenedSongName;
    // The link bar: seven links separated by "|" labels, and the frame of the pressed link.
    std::array<QLabel *, 7> Label2;
    std::array<QLabel *, 6> Label1;
    Shape *Shape5;

    clsButton *btnSearch = nullptr, *btnMoreOperation = nullptr, *btnStop = nullptr,
              *btnMinButton = nullptr, *btnCloseButton = nullptr;

    QMenu *mnuMoreOperation;
    std::array<QAction *, 2> mnuMoreSearcher;
    QAction *mnuMorePlayStartMusic, *mnuMoreEditStartMusic, *mnuMoreHelp, *mnuMoreHomePage,
        *mnuMoreAbout, *mnuMoreExit;

    QMenu *mnuRealAudio;
    QAction *mnuRealAudioPlayByRealOne, *mnuMoreLoopPlay, *mnuRealAudioDoPrevItem,
        *mnuRealAudioDoNextItem, *mnuRealAudioAbout;

    SongListMenu *mnuSearchList;
    QAction *mnuSearchListAddToPlayList, *mnuSearchListPlay, *mnuSearchListPlaySelectedSong,
        *mnuSearchListSearchSongWord, *mnuSearchListFind, *mnuSearchListCopySongName,
        *mnuSearchListCopySongUrl, *mnuSearchListDelete, *mnuSearchListDownload,
        *mnuSearchListDownloadByFlashGet;
    SongListMenu *mnuPlayList;
    QAction *mnuPlayListPlay, *mnuPlayListPlaySelectedSong, *mnuPlayListSearchSongWord,
        *mnuPlayListOpenLocalSong, *mnuPlayListFind, *mnuPlayListUp, *mnuPlayListDown,
        *mnuPlayListCopySongName, *mnuPlayListCopySongUrl, *mnuPlayListDelete, *mnuPlayListOpen,
        *mnuPlayListSave, *mnuPlayListDownload, *mnuPlayListDownloadByFlashGet;

    // Handlers, as the window's events call them.
    void btnSearch_Click();
    void btnStop_Click();
    void Combo1_KeyPress(int keyAscii);
    void btnMinButton_Click();
    void btnCloseButton_Click();
    void btnMoreOperation_Click();
    void mnuMoreSearcher_Click(int index);
    void mnuMoreHelp_Click();
    void mnuMoreHomePage_Click();
    void mnuMoreAbout_Click();
    void mnuMoreExit_Click();
    void mnuRealAudioAbout_Click();
    void lstSearchListSongName_MouseDown(const QPoint &globalPos);
    void lstPlayListSongName_MouseDown(const QPoint &globalPos);
    void lstSearchListSongName_KeyDown(int key);
    void lstPlayListSongName_KeyDown(int key);
    void lstSearchListSongName_DblClick();
    void lstPlayListSongName_DblClick();
    void RealAudio1_RightClick();
    void Label2_MouseDown(int index);
    void Label2_MouseUp(int index);
    void mnuSearchListDownload_Click();
    void mnuPlayListDownload_Click();
    void mnuSearchListDownloadByFlashGet_Click();
    void mnuPlayListDownloadByFlashGet_Click();
    void mnuSearchListSearchSongWord_Click();
    void mnuPlayListSearchSongWord_Click();

signals:
    // The window has just been shown by its load sequence (before its first paint).
    void shown();
    // The window has been painted on the screen for the first time.
    void firstPainted();
    // The window has been unloaded (the playlist saved): the program ends.
    void unloaded();

protected:
    void paintEvent(QPaintEvent *) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void buildListMenus();
    void buildSearch();
    void buildPlayback();
    void buildLinkBar(int top);
    void LoadSingerList();
    void lockSearchControls(bool locked);
    int checkedEngine() const;
    int selectedOption() const;
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void ActivateMainWindow();
    void makeKeywordBoxEditable();
    void refreshPlayListCount();
    void showDownloads();

    Session &session_;
    ExtraWindows &extraWindows_;
    SongList *searchList_;
    clsNoCaptionForm *noCaptionForm_ = nullptr;
    std::unique_ptr<frmWaiting> waiting_;
    std::unique_ptr<VersionCheck::Request> versionRequest_;
    // Made at the first hand-off to the download manager.
    frmDownloads *downloads_ = nullptr;
    // Read at load, offered by the keyword box once the window is on the screen.
    QStringList singerNames_;
    std::function<bool()> trayIconShown_ = [] { return false; };
    bool unloaded_ = false;
    bool painted_ = false;
    SearchFlow *searchFlow_ = nullptr;
    // Passes Enter in the keyword box (and its line edit) to Combo1_KeyPress.
    QObject *enterKey_ = nullptr;
    // While a search runs, the results list repaints at most once a frame.
    QTimer *resultsFrame_ = nullptr;
    bool searching_ = false;
};
