#pragma once

#include "CarRecord.h"

#include <QPointF>
#include <QSizeF>

namespace editor {

// How far the preview's eye is from the model, in model units; the drawing
// and the picking must agree on it.
constexpr float EyeDistance = 6.0f;

// The preview's camera: 45 degrees of view from 0.1 to 100 units, the model
// EyeDistance away, turned by rotY about Y, then by rotX about X.
struct PreviewCamera {
    float rotX;
    float rotY;
    QSizeF size;
};

// The triangle in use that the preview shows at `at` (pixels from its top
// left corner): of those that cover the point within the depth range, the
// frontmost, a tie going to the later one as the depth test lets it draw
// over; -1 for none. Triangles with a corner at or behind the eye are passed
// over.
int PickTriangle(const modLoad::CarRecord& car, const PreviewCamera& camera, QPointF at);

}  // namespace editor
