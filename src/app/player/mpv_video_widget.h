#pragma once

#include <QOpenGLWidget>
#include <QPointer>

class MpvCore;
struct mpv_render_context;

// Draws an mpv player's video through the render API, so it works inside skinned frameless
// windows and under Xvfb. Full screen takes the widget out into a window of its own; a
// double click or Esc brings it back.
class MpvVideoWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit MpvVideoWidget(MpvCore *core, QWidget *parent = nullptr);
    ~MpvVideoWidget() override;

    void setFullScreen(bool on);
    bool isFullScreenVideo() const { return fullScreen_; }

signals:
    void renderContextReady();

protected:
    void initializeGL() override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void contextAboutToGo();
    void createRenderContext();
    void freeRenderContext();

    MpvCore *core_;
    mpv_render_context *render_ = nullptr;
    bool fullScreen_ = false;
    QPointer<QWidget> home_;
    QRect homeGeometry_;
};
