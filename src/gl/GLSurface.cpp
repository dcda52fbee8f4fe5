#include "GLSurface.h"

#include <GL/gl.h>

#include <utility>

GLSurface::GLSurface(QWidget* parent) : QOpenGLWidget(parent)
{
    // A present shows the picture drawn outside paintGL, so the widget must
    // not clear it before painting.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    // A context is made only for a widget with pixels.
    setMinimumSize(1, 1);
    hide();
    // A new framebuffer, for a new size or pixel ratio, holds no picture yet.
    connect(this, &QOpenGLWidget::resized, this, [this] { presented_ = false; });
}

bool GLSurface::TakeFormat(const QSurfaceFormat& format)
{
    if (context())
        return format == taken_;
    setFormat(format);
    // A framebuffer without alpha, as asked: the window shows the picture
    // opaque whatever alpha it is cleared with, on a compositor too.
    if (format.alphaBufferSize() <= 0)
        setTextureFormat(GL_RGB8);
    taken_ = format;
    return true;
}

void GLSurface::Present()
{
    presented_ = true;
    update();
}

void GLSurface::paintGL()
{
    // A present needs no drawing: the frame is in the framebuffer already.
    if (!std::exchange(presented_, false))
        emit Repaint();
}
