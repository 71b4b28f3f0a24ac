#pragma once

#include "ui/skinned_window.h"

#include <QPointer>
#include <memory>

class FlashPlayer;
class FlashUpdate;
class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class Session;
class SongList;
class clsButton;
class clsNoCaptionForm;
class frmWaiting;

// The Flash gallery ("精彩动漫世界"): ten categories of animations listed green on black from
// the local catalogue files (fetched from the data server on the first opening), played in
// the window's own Flash player, which is made when the first animation plays.
class frmNetFlash : public SkinnedWindow {
    Q_OBJECT
public:
    explicit frmNetFlash(Session &session, QWidget *parent = nullptr);
    ~frmNetFlash() override;

    // The load sequence; the window shows itself at its end, or goes when there is no
    // catalogue.
    void Form_Load();
    SongList &flashList() const { return *flashList_; }
    QString flashFolder() const;

    QLabel *imgFormIcon, *lblFormCaption, *lblMinButton, *lblCloseButton;
    QComboBox *cboFlashType;
    QListView *lstFlashName; // the names; the URLs stand beside them in the list
    QWidget *picShockwaveFlash;
    FlashPlayer *ShockwaveFlash1 = nullptr;
    clsButton *btnMinButton = nullptr, *btnCloseButton = nullptr;

    QMenu *mnuControl;
    QAction *mnuControlOpen, *mnuControlDownload, *mnuControlFind, *mnuControlClear,
        *mnuControlUpdateData, *mnuControlFullScreen, *mnuControlVolume, *mnuControlExit;

    void cboFlashType_Click();
    void lstFlashName_DblClick();
    void lstFlashName_KeyPress(int key);
    void lstFlashName_MouseDown(const QPoint &globalPos);
    void mnuControlOpen_Click();
    void mnuControlDownload_Click();
    void mnuControlFind_Click();
    void mnuControlClear_Click();
    void mnuControlUpdateData_Click();
    void mnuControlFullScreen_Click();
    void mnuControlVolume_Click();
    void mnuControlExit_Click();
    void btnMinButton_Click();
    void btnCloseButton_Click();

private:
    void buildControls();
    void buildMenu();
    void afterPause();
    void catalogueIn();
    void updated(bool connected);
    void selectCategory(int index);
    void LoadFlashCategory(const QString &file);
    void Play();
    // The player, made on first use; nullptr (after saying why) when it cannot be had.
    FlashPlayer *player();
    void lockControls(bool locked);

    Session &session_;
    SongList *flashList_;
    clsNoCaptionForm *noCaptionForm_ = nullptr;
    std::unique_ptr<frmWaiting> waiting_;
    FlashUpdate *update_ = nullptr;
    QPointer<QWidget> fullScreen_;
};
