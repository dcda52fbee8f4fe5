#pragma once

#include "CarRecord.h"

#include <QPointF>
#include <QSizeF>

class QPainter;

namespace editor {

enum class Axis { X, Y, Z };

// The model axis a flat view shows to the right (H) and downwards (V).
struct ViewAxes {
    Axis H;
    Axis V;
};

constexpr ViewAxes XYAxes{Axis::X, Axis::Y};
constexpr ViewAxes YZAxes{Axis::Y, Axis::Z};
constexpr ViewAxes XZAxes{Axis::X, Axis::Z};

float Coordinate(const modLoad::Vector& v, Axis axis);
float& Coordinate(modLoad::Vector& v, Axis axis);

// Pixels per model unit in the editor's flat views.
constexpr float ViewScale = 50.0f;

// Where a model point lies in a view of the given size: scale pixels per
// unit about the view's centre, no axis mirrored.
QPointF MapToView(const modLoad::Vector& v, ViewAxes axes, float scale, QSizeF size);

// The edges of the triangles in use, in black, one pixel wide, and a circle of
// radius 10 about the selected vertex. Edges that end at a vertex the table
// does not hold, or at a point that is not finite, are left out.
void DrawWireView(QPainter& painter, QSizeF size, const modLoad::CarRecord& car, ViewAxes axes, float scale,
                  int selectedVertex);

}  // namespace editor
