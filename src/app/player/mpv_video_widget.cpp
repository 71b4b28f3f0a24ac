#include "mpv_video_widget.h"

#include "mpv_core.h"

#include "mpv_api.h"
#include <QKeyEvent>
#include <QOpenGLContext>

#include <mpv/render_gl.h>

namespace {
void *procAddress(void *, const char *name) {
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(name)) : nullptr;
}
} // namespace

MpvVideoWidget::MpvVideoWidget(MpvCore *core, QWidget *parent)
    : QOpenGLWidget(parent), core_(core) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(core_, &MpvCore::ready, this, [this] {
        if (context() && !render_) {
            makeCurrent();
            createRenderContext();
            doneCurrent();
        }
    });
}

MpvVideoWidget::~MpvVideoWidget() {
    if (render_) {
        makeCurrent();
        freeRenderContext();
        doneCurrent();
    }
}

void MpvVideoWidget::initializeGL() {
    // A new context (first show, or a move into or out of full screen).
    connect(
        context(), &QOpenGLContext::aboutToBeDestroyed, this,
        [this] {
            makeCurrent();
            freeRenderContext();
            doneCurrent();
        },
        Qt::UniqueConnection);
    createRenderContext();
}

void MpvVideoWidget::contextAboutToGo() {
    makeCurrent();
    freeRenderContext();
    doneCurrent();
}

void MpvVideoWidget::createRenderContext() {
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
            QMetaObject::invokeMethod(static_cast<MpvVideoWidget *>(self), "update",
                                      Qt::QueuedConnection);
        },
        this);
    emit renderContextReady();
}

void MpvVideoWidget::freeRenderContext() {
    if (!render_)
        return;
    MpvApi::get()->render_context_set_update_callback(render_, nullptr, nullptr);
    MpvApi::get()->render_context_free(render_);
    render_ = nullptr;
}

void MpvVideoWidget::paintGL() {
    if (!render_) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()),
                       static_cast<int>(width() * ratio), static_cast<int>(height() * ratio), 0};
    int flip = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    MpvApi::get()->render_context_render(render_, params);
}

void MpvVideoWidget::setFullScreen(bool on) {
    if (on == fullScreen_)
        return;
    fullScreen_ = on;
    if (on) {
        home_ = parentWidget();
        homeGeometry_ = geometry();
        setParent(nullptr);
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        showFullScreen();
        setFocus();
    } else {
        setParent(home_);
        setWindowFlags(Qt::Widget);
        setGeometry(homeGeometry_);
        show();
    }
}

void MpvVideoWidget::keyPressEvent(QKeyEvent *event) {
    if (fullScreen_ && event->key() == Qt::Key_Escape)
        setFullScreen(false);
    else
        QOpenGLWidget::keyPressEvent(event);
}

void MpvVideoWidget::mouseDoubleClickEvent(QMouseEvent *event) {
    if (fullScreen_)
        setFullScreen(false);
    else
        QOpenGLWidget::mouseDoubleClickEvent(event);
}
