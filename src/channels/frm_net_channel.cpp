#include "frm_net_channel.h"

#include "app/net/fetch_texts.h"
#include "app/player/media_player.h"
#include "app/player/player_factory.h"
#include "app/player/stream_player.h"
#include "app/session.h"
#include "app/spaces.h"
#include "channel_commands.h"
#include "lists/list_input.h"
#include "lists/song_list.h"
#include "platform/dialogs.h"
#include "platform/download_manager.h"
#include "platform/shell.h"
#include "ui/caption_bar.h"
#include "ui/cls_button.h"
#include "ui/cls_no_caption_form.h"
#include "ui/frm_waiting.h"
#include "ui/player_area.h"
#include "ui/skin.h"
#include "ui/window_region.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QScreen>

using ChannelCatalogue::Kind;

namespace {
constexpr int FormWidth = 640;
constexpr int FormHeight = 420;
constexpr int CornerSize = 25;
constexpr int ListLeft = 10;
constexpr int ListWidth = 200;
constexpr int PlayerLeft = ListLeft + ListWidth + 8;
constexpr int BodyTop = 38;
constexpr int ButtonTop = FormHeight - 36;
const QColor ChannelText{0, 255, 0};

QLabel *makeLabel(const QString &text, QWidget *parent, const QString &tip = {}) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(tip);
    return label;
}

// The TV player's picture on black, with a line saying what it does.
class VideoScreen : public QWidget {
public:
    VideoScreen(MediaPlayer &player, QWidget *parent) : QWidget(parent), state_(new QLabel(this)) {
        setAutoFillBackground(true);
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        black.setColor(QPalette::WindowText, QColor(200, 210, 225));
        setPalette(black);
        state_->setTextFormat(Qt::PlainText);
        state_->setText(QStringLiteral("已停止"));
        if (QWidget *video = player.videoSurface()) {
            video_ = video;
            video->setParent(this);
            video->show();
        }
        connect(&player, &MediaPlayer::playingChanged, this, [this](bool playing) {
            state_->setText(playing ? QStringLiteral("正在播放") : QStringLiteral("已停止"));
        });
        connect(&player, &MediaPlayer::errorOccurred, this,
                [this] { state_->setText(QStringLiteral("无法播放")); });
    }
    QLabel *stateLabel() const { return state_; }

protected:
    void resizeEvent(QResizeEvent *) override {
        constexpr int StatusHeight = 18;
        if (video_ && !video_->isWindow())
            video_->setGeometry(0, 0, width(), height() - StatusHeight);
        state_->setGeometry(6, height() - StatusHeight, width() - 12, StatusHeight);
    }

private:
    QLabel *state_;
    QPointer<QWidget> video_;
};
} // namespace

frmNetChannel::frmNetChannel(Session &session, Kind kind, QWidget *parent)
    : SkinnedWindow(ChannelCatalogue::DesignOf(kind).caption, {FormWidth, FormHeight}, parent),
      session_(session), kind_(kind), channels_(new SongList(this)) {
    buildControls();
    buildMenu();
}

frmNetChannel::~frmNetChannel() = default;

void frmNetChannel::buildControls() {
    const ChannelCatalogue::Design &design = ChannelCatalogue::DesignOf(kind_);
    const CaptionBar bar = MakeCaptionBar(this, design.caption, FormWidth);
    imgFormIcon = bar.icon;
    lblFormCaption = bar.caption;
    lblMinButton = bar.minButton;
    lblCloseButton = bar.closeButton;

    int listTop = BodyTop;
    if (kind_ == Kind::Tv) {
        cboUrlType = new QComboBox(this);
        cboUrlType->addItems({QStringLiteral("→推荐电视台"), QStringLiteral("→国内电视台"),
                              QStringLiteral("→国外电视台"), QStringLiteral("→港澳台电视")});
        cboUrlType->setGeometry(ListLeft, BodyTop, ListWidth, 24);
        connect(cboUrlType, &QComboBox::activated, this, [this] { cboUrlType_Click(); });
        listTop += 30;
    }
    cboUrl = new QListView(this);
    cboUrl->setModel(channels_);
    QItemSelectionModel *own = cboUrl->selectionModel();
    cboUrl->setSelectionModel(channels_->selectionModel());
    delete own;
    cboUrl->setSelectionMode(QAbstractItemView::SingleSelection);
    cboUrl->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cboUrl->setUniformItemSizes(true);
    cboUrl->setTextElideMode(Qt::ElideRight);
    cboUrl->setGeometry(ListLeft, listTop, ListWidth, FormHeight - 10 - listTop);
    cboUrl->setToolTip(QStringLiteral("双击播放"));
    ListInColourOnBlack(cboUrl, ChannelText);
    auto *input = new ListInput(cboUrl);
    connect(input, &ListInput::doubleClicked, this, &frmNetChannel::cboUrl_DblClick);
    connect(input, &ListInput::keyDown, this, [this](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            btnOpen_Click();
    });

    // The player comes with the catalogue; until then its place stays black.
    picPlayer = new QWidget(this);
    picPlayer->setGeometry(PlayerLeft, BodyTop, FormWidth - 10 - PlayerLeft,
                           ButtonTop - 8 - BodyTop);
    picPlayer->setAutoFillBackground(true);
    QPalette black = picPlayer->palette();
    black.setColor(QPalette::Window, Qt::black);
    picPlayer->setPalette(black);
    picPlayer->setFocusPolicy(Qt::StrongFocus);

    struct Button {
        QLabel **label;
        Shape **shape;
        QString caption, tip;
        int width;
    };
    const bool download = design.downloadOnButton;
    const Button buttons[] = {
        {&lblOpen, &shpOpen, QStringLiteral("打开"), QStringLiteral("打开"), 52},
        {&lblStop, &shpStop, QStringLiteral("停止"), QStringLiteral("停止"), 52},
        {&lblFullScreen, &shpFullScreen, QStringLiteral("全屏"), QStringLiteral("全屏"), 52},
        {&lblVolume, &shpVolume, download ? QStringLiteral("下载") : QStringLiteral("音量"),
         download ? QStringLiteral("下载") : QStringLiteral("音量"), 52},
        {&lblMoreOperation, &shpMoreOperation, QStringLiteral("↓"), QStringLiteral("更多操作"), 42},
    };
    int left = PlayerLeft;
    for (const Button &b : buttons) {
        *b.shape = new Shape(this);
        (*b.shape)->setGeometry(left, ButtonTop, b.width, 24);
        *b.label = makeLabel(b.caption, this, b.tip);
        left += b.width + 6;
    }
}

void frmNetChannel::buildMenu() {
    mnuControl = new QMenu(QStringLiteral("控制菜单(&C)"), this);
    mnuOpenByPlayer = new QAction(QStringLiteral("使用关联播放器打开(&O)"), mnuControl);
    mnuControlOpenUrl = new QAction(QStringLiteral("打开指定的URL(&U)"), mnuControl);
    mnuControlDownloadByFlashGet = new QAction(ChannelCatalogue::DesignOf(kind_).downloadOnButton
                                                   ? QStringLiteral("调节音量(&V)")
                                                   : QStringLiteral("使用网际快车下载(&F)"),
                                               mnuControl);
    mnuControlExit = new QAction(QStringLiteral("退出(&X)"), mnuControl);
    mnuControl->addAction(mnuOpenByPlayer);
    mnuControl->addSeparator();
    if (kind_ == Kind::Tv) {
        mnuControl->addAction(mnuControlDownloadByFlashGet);
        mnuControl->addAction(mnuControlOpenUrl);
    } else {
        mnuControl->addAction(mnuControlOpenUrl);
        mnuControl->addAction(mnuControlDownloadByFlashGet);
    }
    mnuControl->addSeparator();
    mnuControl->addAction(mnuControlExit);
    connect(mnuOpenByPlayer, &QAction::triggered, this, &frmNetChannel::mnuOpenByPlayer_Click);
    connect(mnuControlOpenUrl, &QAction::triggered, this, &frmNetChannel::mnuControlOpenUrl_Click);
    connect(mnuControlDownloadByFlashGet, &QAction::triggered, this,
            &frmNetChannel::mnuControlDownloadByFlashGet_Click);
    connect(mnuControlExit, &QAction::triggered, this, &frmNetChannel::mnuControlExit_Click);
}

void frmNetChannel::Form_Load() {
    if (isLoading() || fetch_)
        return;
    setLoading(true);
    waiting_ = std::make_unique<frmWaiting>();
    waiting_->show();
    noCaptionForm_ = new clsNoCaptionForm(this);
    noCaptionForm_->setName(this);

    auto bind = [this](clsButton *&button, void (frmNetChannel::*handler)()) {
        button = new clsButton(this);
        connect(button, &clsButton::Click, this, handler);
        return button;
    };
    bind(btnMinButton, &frmNetChannel::btnMinButton_Click)->SetUpNoShape(lblMinButton);
    bind(btnCloseButton, &frmNetChannel::btnCloseButton_Click)->SetUpNoShape(lblCloseButton);
    bind(btnOpen, &frmNetChannel::btnOpen_Click)->SetUpByShape(lblOpen, shpOpen);
    bind(btnStop, &frmNetChannel::btnStop_Click)->SetUpByShape(lblStop, shpStop);
    bind(btnFullScreen, &frmNetChannel::btnFullScreen_Click)
        ->SetUpByShape(lblFullScreen, shpFullScreen);
    bind(btnVolume, &frmNetChannel::btnVolume_Click)->SetUpByShape(lblVolume, shpVolume);
    bind(btnMoreOperation, &frmNetChannel::btnMoreOperation_Click)
        ->SetUpByShape(lblMoreOperation, shpMoreOperation);

    // The catalogue files are fetched one after another while the splash paints and the
    // other windows go on working.
    QStringList urls;
    for (int n = 0; n < ChannelCatalogue::DesignOf(kind_).files; ++n)
        urls << ChannelCatalogue::FileUrl(session_.endpoints().dataServerUrl, kind_, n);
    fetch_ = new FetchTexts(session_.network(), urls, this);
    connect(fetch_, &FetchTexts::fetched, this,
            [this](int n, const QString &text, bool) { catalogueFetched(n, text); });
    connect(fetch_, &FetchTexts::finished, this, &frmNetChannel::cataloguesIn);
    fetch_->start();
}

void frmNetChannel::catalogueFetched(int n, const QString &text) {
    ChannelData << text;
    if (n == 0 && !ChannelCatalogue::IsCatalogue(text, kind_))
        failLoading();
}

void frmNetChannel::failLoading() {
    fetch_->abort();
    session_.dialogs().message(ChannelCommands::TextNoServer, Dialogs::Icon::Warning);
    waiting_.reset();
    unload();
}

void frmNetChannel::cataloguesIn() {
    // The player is made with the list it plays from, and lives as long as the window.
    PlayerFactory &players = session_.players();
    if (kind_ == Kind::Tv) {
        WindowsMediaPlayer1 = players.newMediaPlayer(this);
        auto *screen = new VideoScreen(*WindowsMediaPlayer1, this);
        screen->setGeometry(picPlayer->geometry());
        delete picPlayer;
        picPlayer = screen;
    } else {
        RealAudio1 = players.newStreamPlayer(this);
        auto *area = new PlayerArea(*RealAudio1, this);
        area->setGeometry(picPlayer->geometry());
        delete picPlayer;
        picPlayer = area;
        connect(RealAudio1, &StreamPlayer::rightClicked, this,
                &frmNetChannel::RealAudio1_RightClick);
    }
    picPlayer->setFocusPolicy(Qt::StrongFocus);
    picPlayer->show();

    if (kind_ == Kind::Tv) {
        cboUrlType->setCurrentIndex(0);
        cboUrlType_Click();
    } else {
        ChannelCatalogue::LoadChannelList(ChannelData.value(0), *channels_, kind_);
        RealAudio1->setMouseEventReporting(true);
    }
    SetWindowRoundRegion(this, CornerSize);
    waiting_.reset();
    setLoading(false);
    show();
    raise();
    activateWindow();
    emit loaded();
}

void frmNetChannel::cboUrlType_Click() {
    if (!cboUrlType)
        return;
    picPlayer->setFocus();
    ChannelCatalogue::LoadChannelList(ChannelData.value(cboUrlType->currentIndex()), *channels_,
                                      kind_);
}

void frmNetChannel::btnOpen_Click() {
    PlayChannel(ChannelCommands::SelectedUrl(*channels_));
}

void frmNetChannel::cboUrl_DblClick() {
    btnOpen_Click();
}

void frmNetChannel::PlayChannel(const QString &url) {
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->setUrl(url);
    else if (RealAudio1)
        ChannelCommands::PlayChannel(kind_, url, *RealAudio1, session_.shell());
}

void frmNetChannel::OpenWithExternalPlayer(const QString &url) {
    session_.shell().playExternally(url);
}

void frmNetChannel::btnStop_Click() {
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->close();
    else if (RealAudio1)
        RealAudio1->stop();
}

void frmNetChannel::btnFullScreen_Click() {
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->setFullScreen(true);
    else if (RealAudio1)
        RealAudio1->fullScreen();
}

void frmNetChannel::btnVolume_Click() {
    if (ChannelCatalogue::DesignOf(kind_).downloadOnButton)
        DownloadByFlashGet();
    else
        OpenVolumeControl();
}

void frmNetChannel::mnuControlDownloadByFlashGet_Click() {
    if (ChannelCatalogue::DesignOf(kind_).downloadOnButton)
        OpenVolumeControl();
    else
        DownloadByFlashGet();
}

void frmNetChannel::OpenVolumeControl() {
    session_.shell().openVolumeControl();
}

void frmNetChannel::DownloadByFlashGet() {
    const QString name = ChannelCommands::SelectedName(*channels_);
    const QString url = ChannelCommands::SelectedUrl(*channels_);
    DownloadManager &manager = session_.downloadManager();
    auto fail = [this] {
        session_.dialogs().message(ChannelCommands::TextNoDownloadManager, Dialogs::Icon::Warning);
    };
    if (!manager.open())
        return fail();
    if (!ChannelCommands::NamesMetafile(url)) {
        if (!ChannelCommands::HandOver(manager, {url}, name))
            fail();
        return;
    }
    // The metafile is fetched on a transfer of its own, so the window stays usable meanwhile;
    // its addresses go over once it is in.
    auto *fetch = new FetchTexts(session_.network(), {url}, this);
    connect(fetch, &FetchTexts::fetched, this,
            [this, fetch, fail, name](int, const QString &text, bool ok) {
                fetch->deleteLater();
                if (!ok ||
                    !ChannelCommands::HandOver(session_.downloadManager(),
                                               ChannelCommands::MetafileAddresses(text), name))
                    fail();
            });
    fetch->start();
}

void frmNetChannel::btnMoreOperation_Click() {
    session_.dialogs().popupMenu(mnuControl, QCursor::pos());
}

void frmNetChannel::btnMinButton_Click() {
    showMinimized();
}

void frmNetChannel::btnCloseButton_Click() {
    close();
}

void frmNetChannel::mnuControlExit_Click() {
    close();
}

void frmNetChannel::mnuOpenByPlayer_Click() {
    OpenWithExternalPlayer(ChannelCommands::SelectedUrl(*channels_));
}

void frmNetChannel::mnuControlOpenUrl_Click() {
    const QString answer = session_.dialogs().inputBox(ChannelCommands::TextOpenUrlPrompt);
    if (Spaces::IsBlank(answer))
        return;
    PlayChannel(answer);
}

void frmNetChannel::RealAudio1_RightClick() {
    session_.dialogs().message(ChannelCommands::TextNoRightButton, Dialogs::Icon::Information);
}

void frmNetChannel::closeEvent(QCloseEvent *event) {
    // The movie and MTV windows leave the screen before their player ends.
    if (kind_ != Kind::Tv)
        hide();
    SkinnedWindow::closeEvent(event);
}
