#pragma once

#include <QByteArray>

namespace samples {

// The wedge of WedgeObj with LF line ends, as most programs on Linux and macOS write it.
QByteArray WedgeObjLF();

// A small kart written as 3D programs export a model: comments, object, group
// and material lines, texture coordinates, normals and corners of the form
// v/vt/vn, LF line ends.
QByteArray KartObj();

}  // namespace samples
