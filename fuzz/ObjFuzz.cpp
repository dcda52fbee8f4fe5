// Feeds arbitrary bytes to the OBJ reader and to the import as a file. Every
// normal index that a read gives must name a stored normal. A refused import
// must leave the car as it was, byte for byte; an accepted one changes only
// the used entries of the model and its counts, and every corner names an
// imported vertex.
#include "FuzzSupport.h"
#include "modOBJ.h"

using namespace modOBJ;
using fuzz::bytesOf;
using fuzz::require;
using modLoad::CarRecord;

namespace {

bool namesNormal(std::int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < ObjNormals.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString in = fuzz::scratchFile("in.obj");
    static const CarRecord original = fuzz::oddCars(1)[0];
    static const QByteArray originalBytes = bytesOf({original});
    fuzz::writeInput(in, data, size);

    if (ReadOBJ(in)) {
        for (const ObjFace& f : ObjFaces)
            require(namesNormal(f.NormalIndex), "a face's normal index names no normal");
        for (const ObjVertex& v : ObjVertices)
            require(namesNormal(v.NormalIndex), "a vertex's normal index names no normal");
    }

    CarRecord car = original;
    const modLoad::FileResult imported = ImportOBJ(in, car);
    if (!imported) {
        require(!imported.message.isEmpty(), "refused without a message");
        require(bytesOf({car}) == originalBytes, "a refused import changed the car");
        return 0;
    }

    const int vertices = car.VertexCount;
    const int faces = car.PolyPointCount / 3;
    require(vertices >= 1 && vertices <= modLoad::MaxVertices, "imported a vertex count a car cannot hold");
    require(car.PolyPointCount % 3 == 0 && faces <= modLoad::MaxPolys, "imported a triangle count a car cannot hold");
    CarRecord expected = original;
    for (int i = 0; i < vertices; ++i) {
        expected.Vertices[i] = car.Vertices[i];
        expected.Normals[i] = car.Normals[i];
    }
    for (int j = 0; j < faces; ++j) {
        const modLoad::Poly& p = car.Polys[j];
        require(p.A < vertices && p.B < vertices && p.C < vertices, "a corner names no imported vertex");
        expected.Polys[j] = p;
    }
    expected.VertexCount = car.VertexCount;
    expected.PolyPointCount = car.PolyPointCount;
    require(bytesOf({expected}) == bytesOf({car}), "the import changed more than the model");
    return 0;
}
