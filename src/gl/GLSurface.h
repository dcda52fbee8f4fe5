#pragma once

#include <QOpenGLWidget>
#include <QSurfaceFormat>

// The widget a rendering context draws into: a picture kept in the widget's
// own framebuffer, which the window composes on the platform's next frame.
// It stays hidden, showing the window's colour, until a context is made for it.
class GLSurface : public QOpenGLWidget {
    Q_OBJECT

public:
    explicit GLSurface(QWidget* parent = nullptr);

    // The format the context is made with; false when a context made with
    // another exists already.
    bool TakeFormat(const QSurfaceFormat& format);

    // Shows what was drawn since the last present, on the window's next frame.
    void Present();

signals:
    // The widget needs its picture drawn anew: first shown, resized, or moved
    // to a screen of another pixel ratio. The context is current.
    void Repaint();

protected:
    void paintGL() override;

private:
    QSurfaceFormat taken_;
    bool presented_ = false;
};
