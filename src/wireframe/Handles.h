#pragma once

#include "WireFrame.h"

class QPainter;

namespace editor {

// The head's sphere has a fixed radius; each wheel's is its size parameter.
constexpr int HeadSphere = 4;
constexpr double HeadRadius = 0.35;
// Mirror images across X = 0 are matched this closely, in model units.
constexpr float MirrorTolerance = 0.001f;

// What the pointer holds in a flat view: a vertex, or the centre of a wheel
// or of the head (an index of SpherePos); -1 for neither.
struct Handle {
    int vertex = -1;
    int sphere = -1;
    bool operator==(const Handle&) const = default;
};

// Whether sphere i shows: the wheels always, the head while it is not hidden.
bool SphereShown(const modLoad::CarRecord& car, int i);
double SphereRadius(const modLoad::CarRecord& car, int i);

// The handle under the model point (h, v) of a flat view: the vertex that
// PickVertex gives and, with the spheres shown, the nearest shown centre
// within the pick radius; of the two, the nearer, a tie going to the vertex.
Handle PickHandle(const modLoad::CarRecord& car, ViewAxes axes, float h, float v, bool spheres);

// The handle Page Down (step 1) or Page Up (-1) picks after `from`: the
// vertices the pointer can pick in index order, then, with the spheres shown,
// the shown centres, round from the last to the first.
Handle NextHandle(const modLoad::CarRecord& car, Handle from, int step, bool spheres);

// The handle that moves with `handle` when editing both sides: for a vertex
// off the plane X = 0, the first vertex the pointer can pick at its mirror
// image within the tolerance; for a wheel, the other wheel of its axle.
Handle MirrorHandle(const modLoad::CarRecord& car, Handle handle);

// Moves `handle` to (h, v) in the view's two coordinates, and `partner` to
// the mirror image of that place: the same coordinates with X negated.
void MoveHandle(modLoad::CarRecord& car, Handle handle, Handle partner, ViewAxes axes, float h, float v);

// Moves `handle` by `step` model units along the view's two axes, and
// `partner` to the mirror image of its new place.
void NudgeHandle(modLoad::CarRecord& car, Handle handle, Handle partner, ViewAxes axes, QPointF step);

// The point a handle stands for; none for no handle.
const modLoad::Vector* HandlePoint(const modLoad::CarRecord& car, Handle handle);

// Each shown sphere as a dark grey circle of its radius about a dot at its
// centre, and a circle of radius 10 about the selected centre, as about a
// selected vertex.
void DrawSpheres(QPainter& painter, QSizeF size, const modLoad::CarRecord& car, ViewAxes axes, float scale,
                 int selectedSphere);

}  // namespace editor
