#include "ObjReader.h"

namespace modOBJ {

modLoad::FileResult ImportOBJ(const QString& fileName, modLoad::CarRecord& car)
{
    const modLoad::FileResult result = ReadMesh(fileName, true);
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
