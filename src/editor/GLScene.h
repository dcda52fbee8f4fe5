#pragma once

#include "CarRecord.h"

namespace editor {

// What of the editor the preview shows besides the car.
struct SceneView {
    int selectedPoly;
    int selectedVertex;
    float rotX;
    float rotY;
    // The wheel or head whose centre the pointer holds in a flat view; -1 for none.
    int selectedSphere = -1;
};

// One frame of the preview into the current context's back buffer: the four
// wheels, the head, the triangles in their palette colours with the selected
// one blue, and a red marker on the selected vertex or sphere centre.
void DrawCarScene(const modLoad::CarRecord& car, const SceneView& view);

}  // namespace editor
