#pragma once

#include "modOBJ.h"

namespace modOBJ {

// Reads the file into the tables, as ReadOBJMesh. For a car, the file is
// refused at the first line that keeps the mesh from fitting one (a vertex
// past 30, a triangle past 40, a corner that names no vertex a car holds),
// and at its end when it has no vertex or a corner names a vertex it lacks.
modLoad::FileResult ReadMesh(const QString& fileName, bool forCar);

}  // namespace modOBJ
