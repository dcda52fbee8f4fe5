#pragma once

#include <QPoint>
#include <QWidget>

#include <optional>

class GLSurface;
class WireView;

// The model editor's four drawing areas in a two-by-two grid: the flat views
// XY, YZ and XZ, and the 3D preview. They take the keyboard after the toolbox,
// in that order, and are named for screen readers. The panel passes the
// preview's pointer and arrow keys on.
class ViewPanel : public QWidget {
    Q_OBJECT

public:
    explicit ViewPanel(QWidget* parent);

    // Places the areas in the panel: the right-hand column one pixel wider
    // than the left. The preview's view is sized before the preview takes its
    // size and draws itself anew.
    void Place();

    WireView* const picXY;
    WireView* const picYZ;
    WireView* const picXZ;
    GLSurface* const picPreview;

signals:
    void PreviewPress(QPointF position);
    void PreviewMove(Qt::MouseButtons buttons, QPointF position);
    // A left press and release on the preview less than 3 pixels apart, the
    // pointer never 3 pixels away in between.
    void PreviewClick(QPointF position);
    // An arrow key over the preview: one step on the screen, y downwards.
    void PreviewArrow(QPoint step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the left button went down on the preview, while it may be a click.
    std::optional<QPointF> clickAt;
};
