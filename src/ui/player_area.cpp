#include "player_area.h"

#include "app/player/stream_player.h"
#include "plain_tool_tip.h"

#include <QHash>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QToolButton>
#include <cmath>

namespace {
constexpr int PanelHeight = 24;
constexpr int StatusHeight = 18;
const QColor PanelText(200, 210, 225);
// Dark on the silver control panel.
const QColor SymbolColour(45, 58, 80);

enum class Symbol { Play, Pause, Stop, Previous, Next };

// The control panel's symbols, drawn here: the desktop's icon theme would first have to be
// looked up, which took longer than building the whole rest of the main window.
QIcon drawSymbol(Symbol symbol) {
    constexpr int Size = 16;
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(SymbolColour);
    auto triangle = [&p](qreal left, qreal right) { // pointing from left to right
        p.drawPolygon(QPolygonF{{left, 3.0}, {right, 8.0}, {left, 13.0}});
    };
    switch (symbol) {
    case Symbol::Play:
        triangle(4.0, 13.0);
        break;
    case Symbol::Pause:
        p.drawRect(QRectF(4.0, 3.0, 3.0, 10.0));
        p.drawRect(QRectF(9.0, 3.0, 3.0, 10.0));
        break;
    case Symbol::Stop:
        p.drawRect(QRectF(4.0, 4.0, 8.0, 8.0));
        break;
    case Symbol::Previous:
        p.drawRect(QRectF(2.5, 3.0, 2.0, 10.0));
        triangle(12.0, 4.5);
        break;
    case Symbol::Next:
        triangle(4.0, 11.5);
        p.drawRect(QRectF(11.5, 3.0, 2.0, 10.0));
        break;
    }
    return QIcon(pixmap);
}

// Each symbol is drawn once: a new picture at every change of state (and in every window)
// left a copy of each in the pixmap cache, which long use filled. Kept to the end.
QIcon symbolIcon(Symbol symbol) {
    static auto *drawn = new QHash<int, QIcon>;
    auto found = drawn->constFind(static_cast<int>(symbol));
    if (found != drawn->constEnd())
        return *found;
    return *drawn->insert(static_cast<int>(symbol), drawSymbol(symbol));
}

QToolButton *makeButton(Symbol symbol, const QString &tip, QWidget *parent) {
    auto *b = new QToolButton(parent);
    b->setIcon(symbolIcon(symbol));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *makeStatus(QWidget *parent) {
    auto *l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, PanelText);
    l->setPalette(pal);
    return l;
}
} // namespace

PlayerArea::PlayerArea(StreamPlayer &player, QWidget *parent)
    : QWidget(parent), player_(player), screen_(new QWidget(this)) {
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, PanelText);
    black.setColor(QPalette::ButtonText, PanelText);
    setPalette(black);
    screen_->setAutoFillBackground(true);
    screen_->setPalette(black);
    screen_->installEventFilter(this);

    playButton = makeButton(Symbol::Play, QStringLiteral("播放/暂停"), this);
    stopButton = makeButton(Symbol::Stop, QStringLiteral("停止"), this);
    previousButton = makeButton(Symbol::Previous, QStringLiteral("上一首"), this);
    nextButton = makeButton(Symbol::Next, QStringLiteral("下一首"), this);
    positionSlider = new QSlider(Qt::Horizontal, this);
    positionSlider->setToolTip(QStringLiteral("播放进度"));
    positionSlider->setRange(0, 0);
    positionSlider->setFocusPolicy(Qt::NoFocus);
    volumeSlider = new QSlider(Qt::Horizontal, this);
    volumeSlider->setToolTip(QStringLiteral("音量"));
    volumeSlider->setRange(0, 100);
    volumeSlider->setFocusPolicy(Qt::NoFocus);
    titleLabel = makeStatus(this);
    timeLabel = makeStatus(this);
    stateLabel = makeStatus(this);
    timeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    stateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    showState(StreamPlayer::Stopped);
    showProgress(0, 0);

    // Without a working player (libmpv missing) the controls would do nothing.
    connect(&player_, &StreamPlayer::unavailable, this, [this] {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 playButton, stopButton, previousButton, nextButton, positionSlider, volumeSlider})
            w->setEnabled(false);
        stateLabel->setText(QStringLiteral("无法播放"));
    });
    volumeSlider->setValue(player_.volume());
    auto embed = [this](QWidget *video) {
        if (!video)
            return;
        video->setParent(screen_);
        video->setGeometry(screen_->rect());
        video->installEventFilter(this);
        video->show();
    };
    embed(player_.videoSurface());
    connect(&player_, &StreamPlayer::videoSurfaceCreated, this, embed);
    connect(playButton, &QToolButton::clicked, this, [this] {
        if (player_.playState() == StreamPlayer::Playing ||
            player_.playState() == StreamPlayer::Buffering)
            player_.setPaused(true);
        else
            player_.play();
    });
    connect(stopButton, &QToolButton::clicked, &player_, &StreamPlayer::stop);
    connect(previousButton, &QToolButton::clicked, &player_, &StreamPlayer::previousClip);
    connect(nextButton, &QToolButton::clicked, &player_, &StreamPlayer::nextClip);
    connect(volumeSlider, &QSlider::valueChanged, &player_, &StreamPlayer::setVolume);
    connect(positionSlider, &QSlider::sliderPressed, this, [this] { seeking_ = true; });
    connect(positionSlider, &QSlider::sliderReleased, this, [this] {
        seeking_ = false;
        player_.seek(positionSlider->value());
    });
    connect(&player_, &StreamPlayer::playStateChanged, this, &PlayerArea::showState);
    connect(&player_, &StreamPlayer::progressChanged, this, &PlayerArea::showProgress);
    connect(&player_, &StreamPlayer::titleChanged, this, [this](const QString &title) {
        titleLabel->setText(
            titleLabel->fontMetrics().elidedText(title, Qt::ElideRight, titleLabel->width()));
        titleLabel->setToolTip(PlainToolTip(title));
    });
    connect(&player_, &StreamPlayer::errorOccurred, this,
            [this] { stateLabel->setText(QStringLiteral("无法播放")); });
}

QString PlayerArea::StateText(int state) {
    switch (state) {
    case StreamPlayer::Contacting:
        return QStringLiteral("正在连接…");
    case StreamPlayer::Buffering:
        return QStringLiteral("缓冲中…");
    case StreamPlayer::Playing:
        return QStringLiteral("正在播放");
    case StreamPlayer::Paused:
        return QStringLiteral("已暂停");
    default:
        return QStringLiteral("已停止");
    }
}

QString PlayerArea::TimeText(double position, double duration) {
    auto mmss = [](double s) {
        const int whole = std::max(0, static_cast<int>(std::floor(s)));
        return QStringLiteral("%1:%2")
            .arg(whole / 60, 2, 10, QLatin1Char('0'))
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    };
    return mmss(position) + QStringLiteral(" / ") + mmss(duration);
}

void PlayerArea::showState(int state) {
    stateLabel->setText(StateText(state));
    const bool running = state == StreamPlayer::Playing || state == StreamPlayer::Buffering;
    playButton->setIcon(symbolIcon(running ? Symbol::Pause : Symbol::Play));
    if (state == StreamPlayer::Stopped)
        titleLabel->clear();
}

void PlayerArea::showProgress(double position, double duration) {
    timeLabel->setText(TimeText(position, duration));
    if (seeking_)
        return;
    positionSlider->setRange(0, std::max(0, static_cast<int>(duration)));
    positionSlider->setValue(static_cast<int>(position));
}

void PlayerArea::layOut() {
    const int w = width();
    const int h = height();
    const int panelTop = h - PanelHeight - StatusHeight;
    screen_->setGeometry(0, 0, w, std::max(0, panelTop));
    for (QObject *child : screen_->children())
        if (auto *video = qobject_cast<QWidget *>(child); video && !video->isWindow())
            video->setGeometry(screen_->rect());
    int x = 2;
    for (QToolButton *b : {playButton, stopButton, previousButton, nextButton}) {
        b->setGeometry(x, panelTop + 1, 24, PanelHeight - 2);
        x += 25;
    }
    const int volumeWidth = 64;
    positionSlider->setGeometry(x + 4, panelTop + 2, w - x - volumeWidth - 14, PanelHeight - 4);
    volumeSlider->setGeometry(w - volumeWidth - 4, panelTop + 2, volumeWidth, PanelHeight - 4);
    const int statusTop = h - StatusHeight;
    stateLabel->setGeometry(w - 76, statusTop, 72, StatusHeight);
    timeLabel->setGeometry(w - 170, statusTop, 90, StatusHeight);
    titleLabel->setGeometry(6, statusTop, w - 180, StatusHeight);
}

void PlayerArea::paintEvent(QPaintEvent *) {
    // A silver control panel between the picture and the status bar.
    QPainter p(this);
    const QRect panel(0, height() - PanelHeight - StatusHeight, width(), PanelHeight);
    QLinearGradient silver(panel.topLeft(), panel.bottomLeft());
    silver.setColorAt(0, QColor(232, 236, 242));
    silver.setColorAt(1, QColor(188, 196, 208));
    p.fillRect(panel, silver);
}

void PlayerArea::resizeEvent(QResizeEvent *) {
    layOut();
}

void PlayerArea::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton)
        player_.reportRightClick(event->position().toPoint().x(), event->position().toPoint().y());
    QWidget::mousePressEvent(event);
}

bool PlayerArea::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            const QPoint at =
                static_cast<QWidget *>(watched)->mapTo(this, mouse->position().toPoint());
            player_.reportRightClick(at.x(), at.y());
            return true;
        }
    }
    if (event->type() == QEvent::Resize && watched == screen_)
        layOut();
    return QWidget::eventFilter(watched, event);
}
