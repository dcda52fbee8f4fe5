#pragma once

#include "modLoad.h"

#include <QByteArray>

namespace samples {

// Axes of the demo models, as the flat views draw them: X to the car's right,
// Y towards its rear, Z downwards. The ground is the plane Z = 0.
constexpr float GroundZ = 0.0f;

// A handful of believable cars, each with a small closed model, its wheels
// standing on the ground and a driver's head in the cabin.
modLoad::CarTable DemoLibrary();

// A small wedge in Wavefront OBJ text with CR LF line ends.
QByteArray WedgeObj();

}  // namespace samples
