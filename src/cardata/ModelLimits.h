#pragma once

#include "CarRecord.h"

#include <QStringList>

namespace modLoad {

// The one place that says which parts of a model may be read. A record read
// from a file may claim more triangles than the table holds, or name vertices
// past its end; the views, picking and the preview ask here before reading.

// PolyPointCount / 3 - 1 taken to the nearest whole number: -1 for no
// triangles, above 39 for a record that claims more than the table holds.
int LastPolyNumber(const CarRecord& car);

// How many triangles the record claims: the last triangle number + 1, 0 to 85.
int ClaimedPolys(const CarRecord& car);

// How many triangles, from 0 on, may be read: those claimed, at most 40.
int UsedPolys(const CarRecord& car);

// Whether an index names an entry of Vertices and Normals.
constexpr bool VertexInModel(int index)
{
    return index >= 0 && index < MaxVertices;
}

// Whether all three corners of a triangle name vertices of the table.
constexpr bool PolyInModel(const Poly& poly)
{
    return VertexInModel(poly.A) && VertexInModel(poly.B) && VertexInModel(poly.C);
}

// Why the record lies outside the model, one sentence each; empty when it
// lies inside and every part of its model may be read.
QStringList ModelFaults(const CarRecord& car);

}  // namespace modLoad
