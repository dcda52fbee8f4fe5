#pragma once

#include "modOBJ.h"

#include <span>

namespace modOBJ {

// Splits a face of more than three corners, each naming an entry of
// ObjVertices, into corners.size() - 2 triangles written to out, all running
// the way the face runs. A convex face is split as a fan from its first
// corner; a concave one by cutting off ears in its own plane. False when the
// corners all lie on one line and span no plane.
bool SplitPolygon(std::span<const std::int32_t> corners, ObjFace* out);

}  // namespace modOBJ
