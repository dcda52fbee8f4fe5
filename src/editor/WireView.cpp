#include "WireView.h"

#include "Controls.h"
#include "Handles.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

WireView::WireView(const char* objectName, editor::ViewAxes axes, QWidget* parent) : QWidget(parent), axes_(axes)
{
    setObjectName(QLatin1String(objectName));
    // Hovering picks, so moves count without a button held.
    setMouseTracking(true);
    // The picture covers the whole view; nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void WireView::Draw(const modLoad::CarRecord& car, float scale, int selectedVertex, bool spheres, int selectedSphere)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (picture_.size() != pixels) {
        picture_ = QImage(pixels, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(ratio);
    }
    picture_.fill(palette().color(QPalette::Button));
    QPainter painter(&picture_);
    editor::DrawWireView(painter, size(), car, axes_, scale, selectedVertex);
    if (spheres)
        editor::DrawSpheres(painter, size(), car, axes_, scale, selectedSphere);
    painter.end();
    update();
}

QPointF WireView::ToUnits(QPointF pixel, float scale) const
{
    // In floats, as the model's coordinates are.
    const float halfWidth = static_cast<float>(width()) / 2.0f, halfHeight = static_cast<float>(height()) / 2.0f;
    return {(static_cast<float>(pixel.x()) - halfWidth) / scale, (static_cast<float>(pixel.y()) - halfHeight) / scale};
}

void WireView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    ui::DrawFocusFrame(painter, *this);
}

void WireView::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(this, static_cast<int>(event->button()));
}

void WireView::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseUp(this, static_cast<int>(event->button()));
}

void WireView::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(this, event->position());
}

void WireView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)
        emit PickStep(this, event->key() == Qt::Key_PageDown ? 1 : -1);
    else if (const QPoint step = ui::ArrowStep(event->key()); !step.isNull())
        emit Nudge(this, step);
    else
        QWidget::keyPressEvent(event);
}
