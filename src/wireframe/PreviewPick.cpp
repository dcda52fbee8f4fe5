#include "PreviewPick.h"

#include "ModelLimits.h"

#include <QMatrix4x4>
#include <QVector3D>

#include <array>
#include <cmath>
#include <optional>

namespace editor {

namespace {

// The corner in normalised device coordinates; none at or behind the eye.
std::optional<QVector3D> project(const QMatrix4x4& transform, const modLoad::Vector& v)
{
    const QVector4D clip = transform * QVector4D(v.X, v.Y, v.Z, 1.0f);
    if (!(clip.w() > 0.0f))
        return std::nullopt;
    return clip.toVector3D() / clip.w();
}

float cross(QVector3D a, QVector3D b, QPointF p)
{
    return (b.x() - a.x()) * static_cast<float>(p.y() - a.y()) - (b.y() - a.y()) * static_cast<float>(p.x() - a.x());
}

}  // namespace

int PickTriangle(const modLoad::CarRecord& car, const PreviewCamera& camera, QPointF at)
{
    const double width = camera.size.width(), height = camera.size.height();
    if (!(width > 0 && height > 0))
        return -1;
    QMatrix4x4 transform;
    transform.perspective(45.0f, static_cast<float>(width / height), 0.1f, 100.0f);
    transform.translate(0.0f, 0.0f, -EyeDistance);
    transform.rotate(camera.rotX, 1.0f, 0.0f, 0.0f);
    transform.rotate(camera.rotY, 0.0f, 1.0f, 0.0f);
    const QPointF p(2.0 * at.x() / width - 1.0, 1.0 - 2.0 * at.y() / height);

    int picked = -1;
    float nearest = 1.0f;
    const int used = modLoad::UsedPolys(car);
    for (int t = 0; t < used; ++t) {
        const modLoad::Poly& poly = car.Polys[t];
        if (!modLoad::PolyInModel(poly))
            continue;
        const auto a = project(transform, car.Vertices[poly.A]), b = project(transform, car.Vertices[poly.B]),
                   c = project(transform, car.Vertices[poly.C]);
        if (!a || !b || !c)
            continue;
        // Weights of the corners at p; all of one sign inside, either way round.
        const float area = cross(*a, *b, c->toPointF());
        if (!std::isfinite(area) || area == 0.0f)
            continue;
        const std::array<float, 3> w{cross(*b, *c, p) / area, cross(*c, *a, p) / area, cross(*a, *b, p) / area};
        if (w[0] < 0.0f || w[1] < 0.0f || w[2] < 0.0f)
            continue;
        // Depth is affine on the screen after the divide, so it interpolates exactly.
        const float depth = w[0] * a->z() + w[1] * b->z() + w[2] * c->z();
        if (depth >= -1.0f && depth <= nearest)
            nearest = depth, picked = t;
    }
    return picked;
}

}  // namespace editor
