#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QString>

namespace cli {

struct ObjText {
    QByteArray text;
    // Empty on success; else why the model cannot be written as OBJ.
    QString error;
};

// The car's model as Wavefront OBJ with LF line ends: the vertices up to
// VertexCount, or up to the highest one a triangle in use names, each with its
// normal, and the triangles in use as "f a//a b//b c//c". Refuses a record
// outside the model and coordinates that no OBJ number can hold.
ObjText ModelAsObj(const modLoad::CarRecord& car, const QString& title);

}  // namespace cli
