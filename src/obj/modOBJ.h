#pragma once

// The OBJ module: reads the vertices and faces of a Wavefront OBJ text file
// into mesh tables, splitting polygons into triangles, gives them unit
// normals and copies the mesh into a car's model; and writes a car's model as
// OBJ.

#include "CarFile.h"
#include "CarRecord.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace modOBJ {

// The module's texts for the user, through Qt's translation, as in modLoad.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(modOBJ)
};

struct ObjVertex {
    float X;
    float Y;
    float Z;
    // Index into ObjNormals. 32 bits: a large file has more normals than 16 bits count.
    std::int32_t NormalIndex;
};

struct ObjFace {
    std::int32_t NormalIndex;
    // The vertices the corners name, counted from 0, in the order of the
    // file's face (or of the triangle split from it); negative when a corner
    // names none. 32 bits keep every 16-bit vertex number apart.
    std::array<std::int32_t, 3> Corners;
};

// The last mesh read: one vertex per vertex line, and per face line its
// triangles (one, or a polygon's corners less two), in file order.
extern std::vector<ObjVertex> ObjVertices;
extern std::vector<ObjFace> ObjFaces;
// Every distinct normal of the mesh once; sized for one per face and one per vertex.
extern std::vector<ObjVertex> ObjNormals;

// Whether a face corner names a vertex of ObjVertices.
inline bool NamesVertex(std::int32_t corner)
{
    return corner >= 0 && static_cast<std::size_t>(corner) < ObjVertices.size();
}

// Larger files are refused unread: a car's model is a few hundred bytes of text.
constexpr qint64 MaxFileSize = 256 * 1024 * 1024;
// The most a line may hold before its end or its "#": lines are read through
// a buffer of this size, so that no file takes more memory.
constexpr qint64 MaxLineLength = 1024 * 1024;

// Reads the file's vertices and faces into the tables, without normals.
// On failure the tables are empty and the message names the line at fault.
modLoad::FileResult ReadOBJMesh(const QString& fileName);

// ReadOBJMesh, then ComputeNormals.
modLoad::FileResult ReadOBJ(const QString& fileName);

ObjVertex VecSubtract(const ObjVertex& a, const ObjVertex& b);
ObjVertex VecCross(const ObjVertex& a, const ObjVertex& b);
// Both change v to their result and return it.
ObjVertex VecNormalize(ObjVertex& v);
ObjVertex VecDivide(ObjVertex& v, double s);

// Gives every face and every vertex of the tables a unit normal in ObjNormals.
void ComputeNormals();

// The Import command once a file is chosen: reads it and replaces the car's
// vertices, normals and triangles by its mesh. The file is read a line at a
// time and refused at the first line that keeps it from fitting a car, so a
// file of any size is refused at once. A file that cannot be read or does not
// fit leaves the car exactly as it was; the message is then ready to show.
modLoad::FileResult ImportOBJ(const QString& fileName, modLoad::CarRecord& car);

// The car's model as the OBJ text ExportOBJ writes; empty, with the reason,
// when the model cannot be written as OBJ.
QString ModelText(const modLoad::CarRecord& car, const QString& title, QByteArray& text);

// Writes the car's model to the file as OBJ with LF line ends, after a
// comment line holding the title: the vertices up to VertexCount, or up to
// the highest one a triangle in use names, each with its normal, and the
// triangles in use as "f a//a b//b c//c". Refuses a record outside the model
// and coordinates that no OBJ number can hold; a failed write leaves no file.
modLoad::FileResult ExportOBJ(const QString& fileName, const modLoad::CarRecord& car, const QString& title);

}  // namespace modOBJ
