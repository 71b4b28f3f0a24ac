#pragma once

#include "platform/platform_layer.h"

#include <QOpenGLWindow>
#include <QPointer>
#include <QWidget>

class MpvCore;
struct mpv_render_context;

// The native window mpv draws into through its render API.
class MpvVideoWindow : public QOpenGLWindow {
    Q_OBJECT
public:
    explicit MpvVideoWindow(MpvCore *core);
    ~MpvVideoWindow() override;

signals:
    void renderContextReady();
    void rightPressed(const QPoint &at);
    void leaveFullScreenRequested();

protected:
    void initializeGL() override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void createRenderContext();
    void freeRenderContext();

    MpvCore *core_;
    mpv_render_context *render_ = nullptr;
};

// Shows an mpv player's picture inside a widget. The picture is drawn in a native window
// of its own, so the surface can be added to a window that is already on the screen (a
// widget drawn with OpenGL would need the whole window made for it from the start).
// Full screen takes the surface out into a window of its own; a double click or Esc brings
// it back.
class MpvVideoWidget : public QWidget {
    Q_OBJECT
public:
    explicit MpvVideoWidget(MpvCore *core, QWidget *parent = nullptr);

    void setFullScreen(bool on);
    bool isFullScreenVideo() const { return fullScreen_; }
    MpvVideoWindow *videoWindow() const { return window_; }

signals:
    void renderContextReady();
    void rightPressed(const QPoint &at);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Esc or a double click leaves full screen wherever the focus or the pointer is in it.
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    MpvVideoWindow *window_;
    QWidget *container_;
    bool fullScreen_ = false;
    QPointer<QWidget> home_;
    QRect homeGeometry_;
};
