#include "GLSurface.h"

#include "Controls.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>

#include <GL/gl.h>

#include <cmath>

GLSurface::GLSurface(QWidget* parent) : QWidget(parent)
{
    // The picture covers the whole widget; nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

GLSurface::~GLSurface()
{
    DropContext();
}

bool GLSurface::TakeFormat(const QSurfaceFormat& format)
{
    if (context_)
        return format == taken_;
    taken_ = format;
    return true;
}

QOpenGLContext* GLSurface::MakeContext()
{
    if (!context_) {
        auto offscreen = std::make_unique<QOffscreenSurface>();
        offscreen->setFormat(taken_);
        offscreen->create();
        auto context = std::make_unique<QOpenGLContext>();
        context->setFormat(taken_);
        if (!offscreen->isValid() || !context->create())
            return nullptr;
        offscreen_ = std::move(offscreen);
        context_ = std::move(context);
    }
    show();
    return context_.get();
}

QSize GLSurface::PixelSize() const
{
    // Rounded as the view's size is; a pixel at least, also for a widget squeezed to nothing.
    const qreal ratio = devicePixelRatioF();
    return QSize(static_cast<int>(std::lrint(width() * ratio)), static_cast<int>(std::lrint(height() * ratio)))
        .expandedTo({1, 1});
}

bool GLSurface::MakeCurrent()
{
    if (!context_ || !context_->makeCurrent(offscreen_.get()))
        return false;
    if (const QSize pixels = PixelSize(); !frame_ || frame_->size() != pixels) {
        frame_.reset();
        // Without alpha, as the format asks: the picture is opaque whatever alpha it is cleared with.
        frame_ = std::make_unique<QOpenGLFramebufferObject>(pixels, QOpenGLFramebufferObject::Depth, GL_TEXTURE_2D,
                                                            GL_RGB8);
    }
    return frame_->bind();
}

void GLSurface::DropContext()
{
    if (context_)
        context_->makeCurrent(offscreen_.get());
    frame_.reset();
    context_.reset();
    offscreen_.reset();
    picture_ = QImage();
    hide();
}

void GLSurface::Present()
{
    if (Capture())
        update();
}

// Copies the frame into the picture; false while there is no frame.
bool GLSurface::Capture()
{
    if (!frame_ || !context_->makeCurrent(offscreen_.get()))
        return false;
    picture_ = frame_->toImage();
    picture_.setDevicePixelRatio(devicePixelRatioF());
    return true;
}

void GLSurface::Redraw()
{
    if (MakeCurrent()) {
        emit Repaint();
        Capture();
    }
}

void GLSurface::resizeEvent(QResizeEvent*)
{
    // At once, as the window lays out its other parts.
    if (context_)
        Redraw();
}

void GLSurface::paintEvent(QPaintEvent*)
{
    // First shown, or moved to a screen of another pixel ratio.
    if (context_ && (picture_.size() != PixelSize() || picture_.devicePixelRatio() != devicePixelRatioF()))
        Redraw();
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(QPointF(0, 0), picture_);
    ui::DrawFocusFrame(painter, *this);
}
