#pragma once

#include "WireFrame.h"

#include <QImage>
#include <QWidget>

// One flat view of the model editor. It shows the picture the last frame drew
// into it and passes the pointer on to the window.
class WireView : public QWidget {
    Q_OBJECT

public:
    WireView(const char* objectName, editor::ViewAxes axes, QWidget* parent);

    editor::ViewAxes Axes() const { return axes_; }

    // Clears the picture to the view's background and draws the model into it.
    void Draw(const modLoad::CarRecord& car, float scale, int selectedVertex);

    const QImage& Picture() const { return picture_; }

signals:
    void MouseDown(WireView* view, int button);
    void MouseUp(WireView* view, int button);
    void MouseMove(WireView* view, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    editor::ViewAxes axes_;
    QImage picture_;
};
