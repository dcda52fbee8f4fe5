#pragma once

#include "WireFrame.h"

#include <array>
#include <span>

namespace editor {

// A vertex this close to the pointer, in model units, is under it.
constexpr double PickRadius = 0.3;

// The vertex under the model point (h, v) of a flat view: of the corners of
// the triangles in use within the radius, the one met last, not the nearest;
// -1 for none. Corners that name no vertex of the table are passed over.
int PickVertex(const modLoad::CarRecord& car, ViewAxes axes, float h, float v);

// Which vertices a corner of a triangle in use names: those the pointer can pick.
using Pickable = std::array<bool, modLoad::MaxVertices>;
Pickable PickableVertices(const modLoad::CarRecord& car);

// The pickable index next after `from` (step 1) or before it (step -1),
// round from the last to the first; from none, the first or the last. -1
// when none is pickable.
int NextPickable(std::span<const bool> pickable, int from, int step);

}  // namespace editor
