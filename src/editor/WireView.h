#pragma once

#include "WireFrame.h"

#include <QImage>
#include <QWidget>

// One flat view of the model editor. It shows the picture the last frame drew
// into it, with a frame while it has the keyboard, and passes the pointer and
// the keys that pick and move vertices on to the window.
class WireView : public QWidget {
    Q_OBJECT

public:
    WireView(const char* objectName, editor::ViewAxes axes, QWidget* parent);

    editor::ViewAxes Axes() const { return axes_; }

    // Clears the picture to the view's background and draws the model into
    // it, with the wheels and the head when `spheres` is set.
    void Draw(const modLoad::CarRecord& car, float scale, int selectedVertex, bool spheres, int selectedSphere);

    const QImage& Picture() const { return picture_; }

    // A point of the view in model units along its two axes, from its centre.
    QPointF ToUnits(QPointF pixel, float scale) const;

signals:
    void MouseDown(WireView* view, int button);
    void MouseUp(WireView* view, int button);
    void MouseMove(WireView* view, QPointF position);
    // Page Down (1) or Page Up (-1).
    void PickStep(WireView* view, int step);
    // An arrow key: one step on the screen, y downwards.
    void Nudge(WireView* view, QPoint step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    editor::ViewAxes axes_;
    QImage picture_;
};
