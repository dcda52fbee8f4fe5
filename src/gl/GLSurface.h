#pragma once

#include <QImage>
#include <QSurfaceFormat>
#include <QWidget>

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

// The widget a rendering context draws into. The context draws off the
// screen, into a framebuffer of the widget's size in device pixels; a present
// copies the frame into a picture that the widget paints as any other widget
// paints. So the window stays an ordinary one, framed and decorated by the
// platform on X and on Wayland alike. The widget stays hidden, showing the
// window's colour, until a context is made for it.
class GLSurface : public QWidget {
    Q_OBJECT

public:
    explicit GLSurface(QWidget* parent = nullptr);
    ~GLSurface() override;

    // The format the context is made with; false when a context made with
    // another exists already.
    bool TakeFormat(const QSurfaceFormat& format);

    // Makes the context, once, with the format taken and shows the widget;
    // nullptr when no context can be made.
    QOpenGLContext* MakeContext();
    QOpenGLContext* Context() const { return context_.get(); }
    // Makes the context current with a framebuffer of the widget's size bound.
    bool MakeCurrent();
    // Deletes the context and takes the widget off the screen.
    void DropContext();

    // Shows what was drawn since the last present, on the window's next frame.
    void Present();
    // What the widget shows, in device pixels.
    const QImage& Picture() const { return picture_; }

signals:
    // The widget needs its picture drawn anew: first shown, resized, or moved
    // to a screen of another pixel ratio. The context is current.
    void Repaint();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSize PixelSize() const;
    void Redraw();
    bool Capture();

    QSurfaceFormat taken_;
    // Declared in the order they are needed: the framebuffer goes first, while its context is there.
    std::unique_ptr<QOffscreenSurface> offscreen_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> frame_;
    QImage picture_;
};
