#include "WireFrame.h"

#include "ModelLimits.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

#include <array>
#include <cmath>

namespace editor {

namespace {

bool finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

}  // namespace

float Coordinate(const modLoad::Vector& v, Axis axis)
{
    return axis == Axis::X ? v.X : axis == Axis::Y ? v.Y : v.Z;
}

float& Coordinate(modLoad::Vector& v, Axis axis)
{
    return axis == Axis::X ? v.X : axis == Axis::Y ? v.Y : v.Z;
}

QPointF MapToView(const modLoad::Vector& v, ViewAxes axes, float scale, QSizeF size)
{
    const float halfWidth = static_cast<float>(size.width()) / 2.0f;
    const float halfHeight = static_cast<float>(size.height()) / 2.0f;
    return {Coordinate(v, axes.H) * scale + halfWidth, Coordinate(v, axes.V) * scale + halfHeight};
}

void DrawWireView(QPainter& painter, QSizeF size, const modLoad::CarRecord& car, ViewAxes axes, float scale,
                  int selectedVertex)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    const int used = modLoad::UsedPolys(car);
    for (int p = 0; p < used; ++p) {
        const modLoad::Poly& poly = car.Polys[p];
        const std::array<std::uint8_t, 3> corners{poly.A, poly.B, poly.C};
        for (int k = 0; k < 3; ++k) {
            const int from = corners[k], to = corners[(k + 1) % 3];
            if (!modLoad::VertexInModel(from) || !modLoad::VertexInModel(to))
                continue;
            const QLineF edge(MapToView(car.Vertices[from], axes, scale, size),
                              MapToView(car.Vertices[to], axes, scale, size));
            if (finite(edge.p1()) && finite(edge.p2()))
                painter.drawLine(edge);
        }
    }
    if (modLoad::VertexInModel(selectedVertex)) {
        const QPointF centre = MapToView(car.Vertices[selectedVertex], axes, scale, size);
        if (finite(centre))
            painter.drawEllipse(centre, 10.0, 10.0);
    }
}

}  // namespace editor
