#include "frm_search_music.h"

#include "app/mod_main.h"
#include "app/version_check.h"
#include "lists/list_commands.h"
#include "lists/playback_controller.h"
#include "lists/playlist_commands.h"
#include "lists/song_list.h"
#include "lists/song_list_view.h"
#include "platform/dialogs.h"
#include "session.h"
#include "ui/caption_bar.h"
#include "ui/cls_button.h"
#include "ui/cls_no_caption_form.h"
#include "ui/frm_waiting.h"
#include "ui/information.h"
#include "ui/player_area.h"
#include "ui/skin.h"
#include "ui/window_region.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <utility>

namespace {
constexpr int FormWidth = 450;
constexpr int FormHeight = 486;
constexpr int CornerSize = 36;

// Labels get their places from the design, not from their text: text is measured only once
// the window is on the screen, so no font has to load on the way there.
constexpr int LabelHeight = 18;

QLabel *makeLabel(const QString &text, QWidget *parent, const QRect &at = {},
                  const QString &tip = {}) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(tip);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (at.isValid())
        label->setGeometry(at);
    return label;
}

// Runs a step once, when the window system first shows the window (before it is painted).
class FirstExpose : public QObject {
public:
    FirstExpose(QWindow *window, std::function<void()> step)
        : QObject(window), step_(std::move(step)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            deleteLater();
            step_();
        }
        return false;
    }

private:
    std::function<void()> step_;
};

QListView *makeNameList(SongList &model, QWidget *parent) {
    auto *view = new SongListView(model, parent);
    view->setToolTip(QStringLiteral("回车播放(更多功能单击鼠标右键)"));
    return view;
}
} // namespace

frmSearchMusic::frmSearchMusic(Session &session, ExtraWindows &extraWindows, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), session_(session),
      extraWindows_(extraWindows), searchList_(new SongList(this)),
      // Asked first: the answer travels while the window is built.
      versionRequest_(std::make_unique<VersionCheck::Request>(session.network(),
                                                              session.endpoints().dataServerUrl)) {
    setWindowTitle(QStringLiteral("Tonaply"));
    // The window's icon is given once the window is on its way to the screen (see
    // ActivateMainWindow): its picture took up to 3 ms before the map.
    setFixedSize(FormWidth, FormHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    buildControls();
    buildMenus();
    buildListMenus();
    buildPlayback();
    SongList *playList = &session_.playList();
    connect(playList, &QAbstractItemModel::rowsInserted, this,
            &frmSearchMusic::refreshPlayListCount);
    connect(playList, &QAbstractItemModel::rowsRemoved, this,
            &frmSearchMusic::refreshPlayListCount);
    connect(playList, &QAbstractItemModel::modelReset, this, &frmSearchMusic::refreshPlayListCount);
    refreshPlayListCount();
}

frmSearchMusic::~frmSearchMusic() = default;

SongList &frmSearchMusic::playList() {
    return session_.playList();
}

void frmSearchMusic::buildControls() {
    const CaptionBar bar = MakeCaptionBar(this, QStringLiteral("Tonaply"), FormWidth);
    imgFormIcon = bar.icon;
    lblFormCaption = bar.caption;
    lblMinButton = bar.minButton;
    lblCloseButton = bar.closeButton;

    // Editable once the window is on the screen (makeKeywordBoxEditable): a line edit lays
    // out its text as it is made, which would load every font on the way to the map.
    Combo1 = new QComboBox(this);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setGeometry(10, 40, 180, 24);

    optMusicFileType[0] = new QRadioButton(QStringLiteral("RM"), this);
    optMusicFileType[1] = new QRadioButton(QStringLiteral("MP3"), this);
    optMusicFileType[0]->setGeometry(196, 42, 44, 20);
    optMusicFileType[1]->setGeometry(240, 42, 52, 20);
    optMusicFileType[0]->setChecked(true);

    shpSearch = new Shape(this);
    shpStop = new Shape(this);
    shpMoreOperation = new Shape(this);
    shpSearch->setGeometry(294, 40, 48, 24);
    shpStop->setGeometry(346, 40, 48, 24);
    shpMoreOperation->setGeometry(398, 40, 42, 24);
    lblSearch = makeLabel(QStringLiteral("搜索"), this, {}, QStringLiteral("搜索歌曲"));
    lblStop = makeLabel(QStringLiteral("停止"), this, {}, QStringLiteral("停止搜索"));
    lblMoreOperation = makeLabel(QStringLiteral("↓"), this, {}, QStringLiteral("更多操作"));

    lblSearchListCaption =
        makeLabel(QStringLiteral("搜索结果"), this, QRect(12, 72, 100, LabelHeight));
    lblPlayListCaption =
        makeLabel(QStringLiteral("播放列表"), this, QRect(230, 72, 100, LabelHeight));
    lblPlayListCount =
        makeLabel(ListCommands::PlayListCountText(0), this, QRect(330, 72, 110, LabelHeight));
    for (QLabel *heading : {lblSearchListCaption, lblPlayListCaption, lblPlayListCount}) {
        SetLabelTextColour(heading, Skin::HeadingText);
        heading->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    lblPlayListCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    lstSearchListSongName = makeNameList(*searchList_, this);
    lstPlayListSongName = makeNameList(session_.playList(), this);
    lstSearchListSongName->setGeometry(10, 92, 212, 206);
    lstPlayListSongName->setGeometry(228, 92, 212, 206);
    lblOpenedSongName = makeLabel(QString(), this, QRect(12, 300, 426, LabelHeight));
    buildLinkBar(318);
    SetLabelTextColour(lblOpenedSongName, Skin::CaptionText);
    lblOpenedSongName->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The player: the picture on black, its control panel and status bar.
    picPlayer = new PlayerArea(session_.player(), this);
    picPlayer->setGeometry(10, 338, 430, 136);

    setTabOrder(Combo1, optMusicFileType[0]);
    setTabOrder(optMusicFileType[0], optMusicFileType[1]);
    setTabOrder(optMusicFileType[1], lstSearchListSongName);
    setTabOrder(lstSearchListSongName, lstPlayListSongName);
}

void frmSearchMusic::buildMenus() {
    mnuMoreOperation = new QMenu(QStringLiteral("更多操作(&M)"), this);
    mnuMoreSearcher[0] = mnuMoreOperation->addAction(QStringLiteral("网络搜索引擎Ⅰ(&F)"));
    mnuMoreSearcher[1] = mnuMoreOperation->addAction(QStringLiteral("网络搜索引擎Ⅱ(&S)"));
    for (int i = 0; i < 2; ++i) {
        mnuMoreSearcher[i]->setCheckable(true);
        connect(mnuMoreSearcher[i], &QAction::triggered, this,
                [this, i] { mnuMoreSearcher_Click(i); });
    }
    mnuMoreSearcher[0]->setChecked(true);
    mnuMoreOperation->addSeparator();
    mnuMorePlayStartMusic = mnuMoreOperation->addAction(QStringLiteral("播放开始歌曲(&S)"));
    mnuMoreEditStartMusic = mnuMoreOperation->addAction(QStringLiteral("编辑开始歌曲(&E)"));
    mnuMoreOperation->addSeparator();
    mnuMoreHelp = mnuMoreOperation->addAction(QStringLiteral("软件说明(&H)"));
    mnuMoreHomePage = mnuMoreOperation->addAction(QStringLiteral("软件主页(&P)"));
    mnuMoreAbout = mnuMoreOperation->addAction(QStringLiteral("关于 Tonaply(&A)"));
    mnuMoreOperation->addSeparator();
    mnuMoreExit = mnuMoreOperation->addAction(QStringLiteral("退出(&X)"));
    connect(mnuMoreHelp, &QAction::triggered, this, &frmSearchMusic::mnuMoreHelp_Click);
    connect(mnuMoreHomePage, &QAction::triggered, this, &frmSearchMusic::mnuMoreHomePage_Click);
    connect(mnuMoreAbout, &QAction::triggered, this, &frmSearchMusic::mnuMoreAbout_Click);
    connect(mnuMoreExit, &QAction::triggered, this, &frmSearchMusic::mnuMoreExit_Click);
}

void frmSearchMusic::mnuMoreHelp_Click() {
    Information::ShowHelp(session_);
}

void frmSearchMusic::mnuMoreHomePage_Click() {
    Information::ShowHomePage(session_);
}

void frmSearchMusic::mnuMoreAbout_Click() {
    Information::ShowAboutBox(this, session_);
}

void frmSearchMusic::mnuRealAudioAbout_Click() {
    Information::ShowAboutBox(this, session_);
}

void frmSearchMusic::mnuMoreExit_Click() {
    close();
}

void frmSearchMusic::Show() {
    Form_Load();
    if (!isVisible())
        show();
}

void frmSearchMusic::Form_Load() {
    // Every step runs even when an earlier one failed.
    noCaptionForm_ = new clsNoCaptionForm(this);
    btnSearch = new clsButton(this);
    btnMoreOperation = new clsButton(this);
    btnStop = new clsButton(this);
    btnMinButton = new clsButton(this);
    btnCloseButton = new clsButton(this);
    noCaptionForm_->setName(this);

    btnSearch->SetUpByShape(lblSearch, shpSearch);
    btnMoreOperation->SetUpByShape(lblMoreOperation, shpMoreOperation);
    btnStop->SetUpByShape(lblStop, shpStop);
    btnMinButton->SetUpNoShape(lblMinButton);
    btnCloseButton->SetUpNoShape(lblCloseButton);
    connect(btnMinButton, &clsButton::Click, this, &frmSearchMusic::btnMinButton_Click);
    connect(btnCloseButton, &clsButton::Click, this, &frmSearchMusic::btnCloseButton_Click);
    connect(btnMoreOperation, &clsButton::Click, this, &frmSearchMusic::btnMoreOperation_Click);
    buildSearch();
    // The keyboard goes through the keyword box, the type, the two lists, then the buttons
    // and the links; the keyword box has the focus first.
    QList<QWidget *> chain{lstPlayListSongName, lblSearch, lblStop, lblMoreOperation};
    for (QLabel *link : Label2)
        chain << link;
    chain << lblMinButton << lblCloseButton;
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    Combo1->setFocus();

    waiting_ = std::make_unique<frmWaiting>();
    waiting_->show();

    GetNewVersion();
    SetWindowRoundRegion(this, CornerSize);
    LoadSingerList();
    const QString keptCopy =
        PlaylistCommands::LoadPlayList(session_.playList(), session_.appFolder());
    session_.playback().PlayStartMusic();
    ActivateMainWindow();
    // Said over the main window, once it is there.
    if (!keptCopy.isEmpty())
        session_.dialogs().message(PlaylistCommands::KeptCopyText(keptCopy),
                                   Dialogs::Icon::Information);
    session_.LoadStreamBaseUrl();

    waiting_.reset();
}

void frmSearchMusic::GetNewVersion() {
    if (!versionRequest_)
        versionRequest_ = std::make_unique<VersionCheck::Request>(
            session_.network(), session_.endpoints().dataServerUrl);
    // A newer version on the data server ends the process in here.
    VersionCheck::GetNewVersion(*versionRequest_, session_.dialogs(), session_.installer(),
                                session_.endpoints().updateInstallerUrl, modMain::VersionText());
    versionRequest_.reset();
}

void frmSearchMusic::ActivateMainWindow() {
    // Brings the window to the front with the keyboard focus inside it.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    // The window system gets the map now, ahead of the painting that the events queued while
    // the window was built are about to do.
    emit shown();
    if (windowIcon().isNull())
        setWindowIcon(Skin::ProgramIcon(32));
    if (QWindow *window = windowHandle())
        window->installEventFilter(new FirstExpose(window, [this] { makeKeywordBoxEditable(); }));
    raise();
    activateWindow();
    focusNextChild();
    focusPreviousChild();
    // Let the window system show it now, before the slower steps that follow.
    QCoreApplication::processEvents();
    makeKeywordBoxEditable(); // also where the window is never exposed
}

void frmSearchMusic::makeKeywordBoxEditable() {
    if (Combo1->isEditable())
        return;
    Combo1->addItems(std::exchange(singerNames_, {}));
    // The keyword box starts empty: the names are offers, not a keyword.
    Combo1->setCurrentIndex(-1);
    Combo1->setEditable(true);
    Combo1->lineEdit()->setPlaceholderText(QStringLiteral("歌名或歌手"));
    Combo1->lineEdit()->installEventFilter(enterKey_);
}

void frmSearchMusic::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (!PlaylistCommands::SavePlayList(session_.playList(), session_.appFolder())) {
        // The old file is still whole; say that this session's changes were not kept.
        session_.dialogs().message(PlaylistCommands::WriteFailedText(
                                       PlaylistCommands::DefaultPlayListPath(session_.appFolder())),
                                   Dialogs::Icon::Warning);
    }
    emit unloaded();
}

void frmSearchMusic::closeEvent(QCloseEvent *event) {
    Form_Unload();
    event->accept();
}

void frmSearchMusic::btnCloseButton_Click() {
    close();
}

void frmSearchMusic::btnMinButton_Click() {
    // Without a tray icon a hidden window could never come back: minimise normally then.
    if (trayIconShown_()) {
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
    } else {
        showMinimized();
    }
}

void frmSearchMusic::Form_Resize() {
    if (isMinimized() && trayIconShown_())
        hide();
}

void frmSearchMusic::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmSearchMusic::btnMoreOperation_Click() {
    session_.dialogs().popupMenu(mnuMoreOperation, QCursor::pos());
}

void frmSearchMusic::mnuMoreSearcher_Click(int index) {
    for (QAction *item : mnuMoreSearcher)
        item->setChecked(false);
    if (index >= 0 && index < static_cast<int>(mnuMoreSearcher.size()))
        mnuMoreSearcher[index]->setChecked(true);
}

void frmSearchMusic::refreshPlayListCount() {
    lblPlayListCount->setText(ListCommands::PlayListCountText(session_.playList().count()));
}

void frmSearchMusic::paintEvent(QPaintEvent *) {
    QPainter p(this);
    Skin::PaintBackground(p, rect());
    if (!painted_) {
        painted_ = true;
        QMetaObject::invokeMethod(this, &frmSearchMusic::firstPainted, Qt::QueuedConnection);
    }
}
