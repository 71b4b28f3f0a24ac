#include "frm_net_flash.h"

#include "app/session.h"
#include "flash_catalogue.h"
#include "flash_commands.h"
#include "flash_player.h"
#include "flash_update.h"
#include "lists/list_input.h"
#include "lists/song_list.h"
#include "lists/song_list_view.h"
#include "platform/dialogs.h"
#include "platform/download_dialog.h"
#include "platform/shell.h"
#include "ui/caption_bar.h"
#include "ui/cls_button.h"
#include "ui/cls_no_caption_form.h"
#include "ui/frm_waiting.h"
#include "ui/skin.h"
#include "ui/wait_seconds.h"
#include "ui/window_region.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStringDecoder>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int FormWidth = 640;
constexpr int FormHeight = 440;
constexpr int CornerSize = 25;
constexpr int ListLeft = 10;
constexpr int ListWidth = 210;
constexpr int BodyTop = 38;
// A catalogue file larger than this is read only this far.
constexpr qint64 MaxCatalogueBytes = 16 * 1024 * 1024;
const QColor FlashText{0, 255, 0};

// "全屏播放": the animation over the whole screen in a player of its own; Esc or a double
// click ends it, also when the web view (which takes every key and click) has the focus.
class FullScreenFlash : public QWidget {
public:
    FullScreenFlash(FlashPlayer *player) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setAttribute(Qt::WA_DeleteOnClose);
        setAutoFillBackground(true);
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        setPalette(black);
        player->setParent(this);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        if (QWidget *view = player->view())
            layout->addWidget(view);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screen->geometry());
        qApp->installEventFilter(this);
    }

    void showOnTop() {
        showFullScreen();
        raise();
        activateWindow();
        // The keys go to the animation, which games need.
        if (QWidget *view = findChild<QWidget *>())
            view->setFocus();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const bool ends = (event->type() == QEvent::KeyPress &&
                           static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) ||
                          event->type() == QEvent::MouseButtonDblClick;
        if (ends && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
            close();
            return true;
        }
        return false;
    }
};
} // namespace

frmNetFlash::frmNetFlash(Session &session, QWidget *parent)
    : SkinnedWindow(QStringLiteral("精彩动漫世界"), {FormWidth, FormHeight}, parent),
      session_(session), flashList_(new SongList(this)) {
    buildControls();
    buildMenu();
}

frmNetFlash::~frmNetFlash() {
    delete fullScreen_;
}

QString frmNetFlash::flashFolder() const {
    return FlashCatalogue::FlashFolder(session_.appFolder());
}

void frmNetFlash::buildControls() {
    const CaptionBar bar = MakeCaptionBar(this, QStringLiteral("精彩动漫世界"), FormWidth);
    imgFormIcon = bar.icon;
    lblFormCaption = bar.caption;
    lblMinButton = bar.minButton;
    lblCloseButton = bar.closeButton;

    cboFlashType = new QComboBox(this);
    for (const FlashCatalogue::Category &c : FlashCatalogue::Categories())
        cboFlashType->addItem(c.text);
    cboFlashType->setGeometry(ListLeft, BodyTop, ListWidth, 24);
    connect(cboFlashType, &QComboBox::activated, this, [this] { cboFlashType_Click(); });

    lstFlashName = new SongListView(*flashList_, this);
    lstFlashName->setGeometry(ListLeft, BodyTop + 30, ListWidth, FormHeight - 10 - BodyTop - 30);
    lstFlashName->setToolTip(QStringLiteral("双击播放(更多功能单击鼠标右键)"));
    ListInColourOnBlack(lstFlashName, FlashText);
    auto *input = new ListInput(lstFlashName);
    connect(input, &ListInput::doubleClicked, this, &frmNetFlash::lstFlashName_DblClick);
    connect(input, &ListInput::keyDown, this, &frmNetFlash::lstFlashName_KeyPress);
    connect(input, &ListInput::rightPressed, this, &frmNetFlash::lstFlashName_MouseDown);

    picShockwaveFlash = new QWidget(this);
    const int left = ListLeft + ListWidth + 8;
    picShockwaveFlash->setGeometry(left, BodyTop, FormWidth - 10 - left, FormHeight - 10 - BodyTop);
    picShockwaveFlash->setAutoFillBackground(true);
    QPalette black = picShockwaveFlash->palette();
    black.setColor(QPalette::Window, Qt::black);
    picShockwaveFlash->setPalette(black);
    picShockwaveFlash->setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(picShockwaveFlash);
    layout->setContentsMargins(0, 0, 0, 0);
}

void frmNetFlash::buildMenu() {
    mnuControl = new QMenu(QStringLiteral("控制菜单(&C)"), this);
    auto item = [this](const QString &caption, void (frmNetFlash::*handler)()) {
        QAction *a = mnuControl->addAction(caption);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mnuControlOpen =
        item(QStringLiteral("打开当前动漫文件(&O)"), &frmNetFlash::mnuControlOpen_Click);
    mnuControl->addSeparator();
    mnuControlDownload =
        item(QStringLiteral("下载当前动漫文件(&D)"), &frmNetFlash::mnuControlDownload_Click);
    mnuControlFind = item(QStringLiteral("查找当前列表(&F)"), &frmNetFlash::mnuControlFind_Click);
    mnuControlClear = item(QStringLiteral("清空当前列表(&C)"), &frmNetFlash::mnuControlClear_Click);
    mnuControlUpdateData =
        item(QStringLiteral("更新动漫数据(&U)"), &frmNetFlash::mnuControlUpdateData_Click);
    mnuControl->addSeparator();
    mnuControlFullScreen =
        item(QStringLiteral("全屏播放(&F)..."), &frmNetFlash::mnuControlFullScreen_Click);
    mnuControlVolume =
        item(QStringLiteral("调节音量(&V)..."), &frmNetFlash::mnuControlVolume_Click);
    mnuControl->addSeparator();
    mnuControlExit = item(QStringLiteral("退出(&X)"), &frmNetFlash::mnuControlExit_Click);
}

void frmNetFlash::Form_Load() {
    if (isLoading() || update_)
        return;
    setLoading(true);
    waiting_ = std::make_unique<frmWaiting>();
    waiting_->show();
    // The designed pause, without holding the other windows: the load goes on when it ends.
    const double now = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    QTimer::singleShot(static_cast<int>(std::lround(WaitSecondsDuration(now, 1) * 1000.0)), this,
                       &frmNetFlash::afterPause);
}

void frmNetFlash::afterPause() {
    noCaptionForm_ = new clsNoCaptionForm(this);
    noCaptionForm_->setName(this);
    btnMinButton = new clsButton(this);
    btnMinButton->SetUpNoShape(lblMinButton);
    connect(btnMinButton, &clsButton::Click, this, &frmNetFlash::btnMinButton_Click);
    btnCloseButton = new clsButton(this);
    btnCloseButton->SetUpNoShape(lblCloseButton);
    connect(btnCloseButton, &clsButton::Click, this, &frmNetFlash::btnCloseButton_Click);
    SetWindowRoundRegion(this, CornerSize);
    update_ = new FlashUpdate(session_.network(), session_.dialogs(),
                              session_.endpoints().dataServerUrl, flashFolder(), this);
    connect(update_, &FlashUpdate::finished, this, [this](bool) { catalogueIn(); });
    update_->start(false);
}

void frmNetFlash::catalogueIn() {
    disconnect(update_, &FlashUpdate::finished, this, nullptr);
    connect(update_, &FlashUpdate::finished, this, &frmNetFlash::updated);
    selectCategory(FlashCatalogue::FirstShownCategory);
    if (flashList_->count() > 0) {
        flashList_->clearSelection();
        flashList_->setSelected(0, true);
        flashList_->setCurrentEntry(0);
        flashList_->makeVisible(0);
    }
    waiting_.reset();
    const QDir folder(flashFolder());
    if (!folder.exists() || folder.isEmpty(QDir::Files)) {
        unload();
        return;
    }
    setLoading(false);
    show();
    raise();
    activateWindow();
    emit loaded();
}

void frmNetFlash::selectCategory(int index) {
    cboFlashType->setCurrentIndex(index);
    cboFlashType_Click();
}

void frmNetFlash::cboFlashType_Click() {
    picShockwaveFlash->setFocus();
    const QString file = FlashCatalogue::FileOf(cboFlashType->currentText());
    if (!file.isEmpty())
        LoadFlashCategory(file);
}

void frmNetFlash::LoadFlashCategory(const QString &file) {
    QFile f(QDir(flashFolder()).filePath(file));
    if (!f.open(QIODevice::ReadOnly))
        return;
    QStringDecoder decode("GB18030");
    FlashCatalogue::AppendCategory(decode(f.read(MaxCatalogueBytes)), *flashList_);
}

FlashPlayer *frmNetFlash::player() {
    if (ShockwaveFlash1)
        return ShockwaveFlash1;
    QString reason;
    ShockwaveFlash1 = session_.flash().newFlashPlayer(this, &reason);
    if (!ShockwaveFlash1) {
        session_.dialogs().message(reason, Dialogs::Icon::Warning);
        return nullptr;
    }
    if (QWidget *view = ShockwaveFlash1->view())
        picShockwaveFlash->layout()->addWidget(view);
    connect(ShockwaveFlash1, &FlashPlayer::failed, this, [this](const QString &why) {
        session_.dialogs().message(why, Dialogs::Icon::Warning);
    });
    return ShockwaveFlash1;
}

void frmNetFlash::Play() {
    const QString url = FlashCommands::CurrentUrl(*flashList_);
    if (FlashPlayer *p = player()) {
        p->setMovie(url);
        p->play();
    }
}

void frmNetFlash::lstFlashName_DblClick() {
    Play();
}

void frmNetFlash::lstFlashName_KeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Play();
}

void frmNetFlash::lstFlashName_MouseDown(const QPoint &globalPos) {
    const bool selected = FlashCommands::HasSelection(*flashList_);
    for (QAction *a : {mnuControlOpen, mnuControlDownload, mnuControlFullScreen})
        a->setEnabled(selected);
    session_.dialogs().popupMenu(mnuControl, globalPos);
}

void frmNetFlash::mnuControlOpen_Click() {
    Play();
}

void frmNetFlash::mnuControlDownload_Click() {
    const int i = flashList_->currentEntry();
    if (i < 0 || i >= flashList_->count())
        return;
    // The file is named after the animation, without the list's arrow.
    session_.downloadDialog().download(flashList_->url(i), flashList_->name(i).mid(1));
}

void frmNetFlash::mnuControlFind_Click() {
    FlashCommands::Find(*flashList_, session_.dialogs(), [this](bool locked) {
        cboFlashType->setEnabled(!locked);
        lstFlashName->setEnabled(!locked);
    });
}

void frmNetFlash::mnuControlClear_Click() {
    flashList_->replaceAll({});
}

void frmNetFlash::lockControls(bool locked) {
    for (QWidget *w : {static_cast<QWidget *>(cboFlashType), static_cast<QWidget *>(lstFlashName),
                       picShockwaveFlash})
        w->setEnabled(!locked);
}

void frmNetFlash::mnuControlUpdateData_Click() {
    if (update_->isRunning())
        return;
    lockControls(true);
    update_->start(true);
}

void frmNetFlash::updated(bool connected) {
    flashList_->replaceAll({});
    selectCategory(FlashCatalogue::FirstShownCategory);
    lockControls(false);
    if (connected)
        session_.dialogs().message(FlashCommands::TextUpdated, Dialogs::Icon::Information);
}

void frmNetFlash::mnuControlFullScreen_Click() {
    const QString url = FlashCommands::CurrentUrl(*flashList_);
    if (ShockwaveFlash1)
        ShockwaveFlash1->stop();
    // Browsers no longer play animations: a full-screen player of ours shows it instead.
    QString reason;
    FlashPlayer *big = session_.flash().newFlashPlayer(nullptr, &reason);
    if (!big) {
        session_.dialogs().message(reason, Dialogs::Icon::Warning);
        return;
    }
    delete fullScreen_;
    auto *window = new FullScreenFlash(big);
    fullScreen_ = window;
    big->setMovie(url);
    big->play();
    window->showOnTop();
}

void frmNetFlash::mnuControlVolume_Click() {
    session_.shell().openVolumeControl();
}

void frmNetFlash::mnuControlExit_Click() {
    close();
}

void frmNetFlash::btnMinButton_Click() {
    showMinimized();
}

void frmNetFlash::btnCloseButton_Click() {
    close();
}
