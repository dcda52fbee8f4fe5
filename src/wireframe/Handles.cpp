#include "Handles.h"

#include "ModelLimits.h"
#include "Picking.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace editor {

namespace {

// A circle wider than this many pixels is no use to see and costly to draw.
constexpr double LargestCircle = 1e5;
const QColor SphereInk(64, 64, 64);

double distance(const modLoad::Vector& point, ViewAxes axes, float h, float v)
{
    const double dh = static_cast<double>(h) - Coordinate(point, axes.H);
    const double dv = static_cast<double>(v) - Coordinate(point, axes.V);
    return std::sqrt(dh * dh + dv * dv);
}

bool near(float a, float b)
{
    return std::abs(a - b) <= MirrorTolerance;
}

modLoad::Vector* point(modLoad::CarRecord& car, Handle handle)
{
    return const_cast<modLoad::Vector*>(HandlePoint(car, handle));
}

}  // namespace

bool SphereShown(const modLoad::CarRecord& car, int i)
{
    return i >= 0 && i < modLoad::SphereCount && (i != HeadSphere || car.HeadHidden == 0);
}

double SphereRadius(const modLoad::CarRecord& car, int i)
{
    return i == HeadSphere ? HeadRadius : car.Parameters[static_cast<std::size_t>(i)];
}

Handle PickHandle(const modLoad::CarRecord& car, ViewAxes axes, float h, float v, bool spheres)
{
    const Handle vertex{PickVertex(car, axes, h, v), -1};
    Handle nearest;
    double best = PickRadius;
    for (int i = 0; spheres && i < modLoad::SphereCount; ++i) {
        const double d = distance(car.SpherePos[static_cast<std::size_t>(i)], axes, h, v);
        if (SphereShown(car, i) && d < best)
            best = d, nearest = {-1, i};
    }
    if (nearest.sphere == -1 || (vertex.vertex != -1 && distance(car.Vertices[vertex.vertex], axes, h, v) <= best))
        return vertex;
    return nearest;
}

Handle NextHandle(const modLoad::CarRecord& car, Handle from, int step, bool spheres)
{
    constexpr int centres = modLoad::MaxVertices;
    std::array<bool, centres + modLoad::SphereCount> pickable{};
    const Pickable vertices = PickableVertices(car);
    std::copy(vertices.begin(), vertices.end(), pickable.begin());
    for (int i = 0; spheres && i < modLoad::SphereCount; ++i)
        pickable[static_cast<std::size_t>(centres + i)] = SphereShown(car, i);
    const int at = modLoad::VertexInModel(from.vertex) ? from.vertex
                   : SphereShown(car, from.sphere)     ? centres + from.sphere
                                                       : -1;
    const int next = NextPickable(pickable, at, step);
    return next < 0 ? Handle{} : next < centres ? Handle{next, -1} : Handle{-1, next - centres};
}

Handle MirrorHandle(const modLoad::CarRecord& car, Handle handle)
{
    if (handle.sphere >= 0 && handle.sphere < HeadSphere)
        return {-1, handle.sphere ^ 1};
    if (!modLoad::VertexInModel(handle.vertex))
        return {};
    const modLoad::Vector& from = car.Vertices[static_cast<std::size_t>(handle.vertex)];
    if (!(std::abs(from.X) >= MirrorTolerance))
        return {};
    const Pickable pickable = PickableVertices(car);
    for (int i = 0; i < modLoad::MaxVertices; ++i) {
        const modLoad::Vector& to = car.Vertices[static_cast<std::size_t>(i)];
        if (pickable[static_cast<std::size_t>(i)] && i != handle.vertex && near(to.X, -from.X) && near(to.Y, from.Y) &&
            near(to.Z, from.Z))
            return {i, -1};
    }
    return {};
}

const modLoad::Vector* HandlePoint(const modLoad::CarRecord& car, Handle handle)
{
    if (modLoad::VertexInModel(handle.vertex))
        return &car.Vertices[static_cast<std::size_t>(handle.vertex)];
    if (handle.sphere >= 0 && handle.sphere < modLoad::SphereCount)
        return &car.SpherePos[static_cast<std::size_t>(handle.sphere)];
    return nullptr;
}

void MoveHandle(modLoad::CarRecord& car, Handle handle, Handle partner, ViewAxes axes, float h, float v)
{
    modLoad::Vector* moved = point(car, handle);
    if (!moved)
        return;
    Coordinate(*moved, axes.H) = h;
    Coordinate(*moved, axes.V) = v;
    if (modLoad::Vector* mirror = point(car, partner))
        for (const Axis axis : {axes.H, axes.V})
            Coordinate(*mirror, axis) = axis == Axis::X ? -Coordinate(*moved, axis) : Coordinate(*moved, axis);
}

void NudgeHandle(modLoad::CarRecord& car, Handle handle, Handle partner, ViewAxes axes, QPointF step)
{
    if (const modLoad::Vector* from = HandlePoint(car, handle))
        MoveHandle(car, handle, partner, axes, Coordinate(*from, axes.H) + static_cast<float>(step.x()),
                   Coordinate(*from, axes.V) + static_cast<float>(step.y()));
}

void DrawSpheres(QPainter& painter, QSizeF size, const modLoad::CarRecord& car, ViewAxes axes, float scale,
                 int selectedSphere)
{
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < modLoad::SphereCount; ++i) {
        const QPointF centre = MapToView(car.SpherePos[static_cast<std::size_t>(i)], axes, scale, size);
        const double radius = std::abs(SphereRadius(car, i) * scale);
        if (!SphereShown(car, i) || !std::isfinite(centre.x()) || !std::isfinite(centre.y()))
            continue;
        painter.setPen(QPen(SphereInk, 1));
        if (radius < LargestCircle)
            painter.drawEllipse(centre, radius, radius);
        painter.drawEllipse(centre, 1.0, 1.0);
        if (i == selectedSphere) {
            painter.setPen(QPen(Qt::black, 1));
            painter.drawEllipse(centre, 10.0, 10.0);
        }
    }
}

}  // namespace editor
