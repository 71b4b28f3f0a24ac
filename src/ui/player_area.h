#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;
class StreamPlayer;

// The player as the windows show it: the picture on black, a control panel (play or pause,
// stop, previous, next, position, volume) and a status bar (clip title, time, state).
class PlayerArea : public QWidget {
    Q_OBJECT
public:
    explicit PlayerArea(StreamPlayer &player, QWidget *parent = nullptr);

    QToolButton *playButton, *stopButton, *previousButton, *nextButton;
    QSlider *positionSlider, *volumeSlider;
    QLabel *titleLabel, *timeLabel, *stateLabel;

    static QString StateText(int state);
    static QString TimeText(double position, double duration);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showState(int state);
    void showProgress(double position, double duration);
    void layOut();

    StreamPlayer &player_;
    QWidget *screen_;
    bool seeking_ = false;
};
