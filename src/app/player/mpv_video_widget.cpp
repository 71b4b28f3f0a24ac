#include "mpv_video_widget.h"

#include "mpv_api.h"
#include "mpv_core.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>
#include <mpv/render_gl.h>

namespace {
void *procAddress(void *, const char *name) {
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(name)) : nullptr;
}
} // namespace

MpvVideoWindow::MpvVideoWindow(MpvCore *core) : core_(core) {
    connect(core_, &MpvCore::ready, this, [this] {
        if (context() && !render_) {
            makeCurrent();
            createRenderContext();
            doneCurrent();
        }
    });
}

MpvVideoWindow::~MpvVideoWindow() {
    if (render_) {
        makeCurrent();
        freeRenderContext();
        doneCurrent();
    }
}

void MpvVideoWindow::initializeGL() {
    createRenderContext();
}

void MpvVideoWindow::createRenderContext() {
    if (render_ || !core_->handle())
        return;
    mpv_opengl_init_params gl{procAddress, nullptr};
    int advanced = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
        {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advanced},
        {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (MpvApi::get()->render_context_create(&render_, core_->handle(), params) < 0) {
        render_ = nullptr;
        return;
    }
    MpvApi::get()->render_context_set_update_callback(
        render_,
        [](void *self) {
            QMetaObject::invokeMethod(static_cast<MpvVideoWindow *>(self), "update",
                                      Qt::QueuedConnection);
        },
        this);
    emit renderContextReady();
}

void MpvVideoWindow::freeRenderContext() {
    if (!render_)
        return;
    MpvApi::get()->render_context_set_update_callback(render_, nullptr, nullptr);
    MpvApi::get()->render_context_free(render_);
    render_ = nullptr;
}

void MpvVideoWindow::paintGL() {
    if (!render_) {
        context()->functions()->glClearColor(0, 0, 0, 1);
        context()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatio();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()),
                       static_cast<int>(width() * ratio), static_cast<int>(height() * ratio), 0};
    int flip = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    MpvApi::get()->render_context_render(render_, params);
}

void MpvVideoWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape)
        emit leaveFullScreenRequested();
    QOpenGLWindow::keyPressEvent(event);
}

void MpvVideoWindow::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton)
        emit rightPressed(event->position().toPoint());
    QOpenGLWindow::mousePressEvent(event);
}

void MpvVideoWindow::mouseDoubleClickEvent(QMouseEvent *event) {
    emit leaveFullScreenRequested();
    QOpenGLWindow::mouseDoubleClickEvent(event);
}

MpvVideoWidget::MpvVideoWidget(MpvCore *core, QWidget *parent)
    : QWidget(parent), window_(new MpvVideoWindow(core)),
      container_(QWidget::createWindowContainer(window_, this)) {
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    connect(window_, &MpvVideoWindow::renderContextReady, this,
            &MpvVideoWidget::renderContextReady);
    connect(window_, &MpvVideoWindow::rightPressed, this,
            [this](const QPoint &at) { emit rightPressed(container_->mapTo(this, at)); });
    connect(window_, &MpvVideoWindow::leaveFullScreenRequested, this,
            [this] { setFullScreen(false); });
}

void MpvVideoWidget::resizeEvent(QResizeEvent *) {
    container_->setGeometry(rect());
}

void MpvVideoWidget::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && fullScreen_)
        setFullScreen(false);
    else
        QWidget::keyPressEvent(event);
}

void MpvVideoWidget::mouseDoubleClickEvent(QMouseEvent *event) {
    if (fullScreen_)
        setFullScreen(false);
    else
        QWidget::mouseDoubleClickEvent(event);
}

void MpvVideoWidget::setFullScreen(bool on) {
    if (on == fullScreen_)
        return;
    fullScreen_ = on;
    if (on) {
        home_ = parentWidget();
        homeGeometry_ = geometry();
        QScreen *screen = home_ ? home_->screen() : QGuiApplication::primaryScreen();
        setParent(nullptr, Qt::Window | Qt::FramelessWindowHint);
        // Placed over the whole screen also where no window manager carries out the request.
        if (screen)
            setGeometry(screen->geometry());
        showFullScreen();
        setFocus();
        activateWindow();
        window_->requestActivate();
    } else {
        setParent(home_, Qt::Widget);
        setGeometry(homeGeometry_);
        show();
    }
}
