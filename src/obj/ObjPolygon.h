#pragma once

#include "modOBJ.h"

#include <span>

namespace modOBJ {

enum class PolygonFault { None, OnALine, Crossing, TooMany };

struct SplitResult {
    PolygonFault fault;
    // Triangles written; for TooMany, the triangles the face would make.
    std::size_t triangles;
};

// Splits a face of more than three corners, each naming an entry of
// ObjVertices, into at most corners.size() - 2 triangles written to out.
// Corners repeated in a row, and corners on the line through their
// neighbours, are dropped first, within a tolerance that follows the size of
// the coordinates; every triangle then has area, runs the way the face runs,
// and together they cover the face once. What remains is split as a fan from
// its first corner when convex, else by cutting off ears in its own plane.
// OnALine when fewer than three corners remain; TooMany, before any further
// work, when what remains makes more than most triangles; Crossing when the
// face's edges cross or fold over one another, seen along its plane.
SplitResult SplitPolygon(std::span<const std::int32_t> corners, ObjFace* out, std::size_t most);

}  // namespace modOBJ
