#include "modOBJ.h"

namespace modOBJ {

namespace {

using modLoad::FileResult;

// The first reason the mesh read cannot become a car's model, or none.
FileResult checkFits(const QString& fileName)
{
    if (ObjVertices.empty())
        return modLoad::FileFault("\"%1\" has no vertex lines, so there is no model to import.", fileName);
    if (ObjVertices.size() > modLoad::MaxVertices || ObjFaces.size() > modLoad::MaxPolys)
        return modLoad::FileFault("The model in \"%1\" does not fit a car: it has %2 vertices and %3 triangles, and a "
                                  "car holds at most %4 vertices and %5 triangles.",
                                  fileName, QString::number(ObjVertices.size()), QString::number(ObjFaces.size()),
                                  QString::number(modLoad::MaxVertices), QString::number(modLoad::MaxPolys));
    for (std::size_t j = 0; j < ObjFaces.size(); ++j) {
        for (const std::int32_t corner : ObjFaces[j].Corners) {
            if (corner < 0 || static_cast<std::size_t>(corner) >= ObjVertices.size())
                return modLoad::FileFault("The model in \"%1\" does not fit a car: triangle %2 names vertex %3, and "
                                          "the file has vertices 1 to %4.",
                                          fileName, QString::number(j + 1), QString::number(corner + 1),
                                          QString::number(ObjVertices.size()));
        }
    }
    return {};
}

}  // namespace

FileResult ImportOBJ(const QString& fileName, modLoad::CarRecord& car)
{
    FileResult result = ReadOBJMesh(fileName);
    if (result)
        result = checkFits(fileName);
    if (!result)
        return result;
    ComputeNormals();

    for (std::size_t i = 0; i < ObjVertices.size(); ++i) {
        const ObjVertex& v = ObjVertices[i];
        const ObjVertex& n = ObjNormals[static_cast<std::size_t>(v.NormalIndex)];
        car.Vertices[i] = {v.X, v.Y, v.Z};
        car.Normals[i] = {n.X, n.Y, n.Z};
    }
    for (std::size_t j = 0; j < ObjFaces.size(); ++j) {
        const auto& [a, b, c] = ObjFaces[j].Corners;
        car.Polys[j] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c)};
    }
    car.VertexCount = static_cast<std::uint8_t>(ObjVertices.size());
    car.PolyPointCount = static_cast<std::uint8_t>(3 * ObjFaces.size());
    return {};
}

}  // namespace modOBJ
