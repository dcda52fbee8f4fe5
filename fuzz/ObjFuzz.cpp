// Feeds arbitrary bytes to the OBJ reader and to the import as a file. Every
// normal index that a read gives must name a stored normal, and every vertex a
// triangle uses has a normal of length 1. Text made of ASCII without NULs
// reads the same behind a byte-order mark. The import takes a file
// exactly when the reader takes it and its mesh fits a car, and then copies
// that mesh; a refused import must leave the car as it was, byte for byte, and
// an accepted one changes only the used entries of the model and its counts.
#include "FuzzSupport.h"
#include "modOBJ.h"

#include <algorithm>
#include <bit>
#include <cmath>

using namespace modOBJ;
using fuzz::bytesOf;
using fuzz::require;
using modLoad::CarRecord;

namespace {

bool namesNormal(std::int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < ObjNormals.size();
}

// The mesh read, as bits, so that NaNs compare too.
struct Mesh {
    std::vector<std::array<std::uint32_t, 3>> vertices;
    std::vector<std::array<std::int32_t, 3>> faces;

    bool operator==(const Mesh&) const = default;
};

Mesh tables()
{
    Mesh mesh;
    for (const ObjVertex& v : ObjVertices)
        mesh.vertices.push_back(
            {std::bit_cast<std::uint32_t>(v.X), std::bit_cast<std::uint32_t>(v.Y), std::bit_cast<std::uint32_t>(v.Z)});
    for (const ObjFace& f : ObjFaces)
        mesh.faces.push_back(f.Corners);
    return mesh;
}

bool fitsACar(const Mesh& mesh)
{
    const auto vertices = static_cast<std::int32_t>(mesh.vertices.size());
    return vertices >= 1 && vertices <= modLoad::MaxVertices && std::ssize(mesh.faces) <= modLoad::MaxPolys &&
           std::all_of(mesh.faces.begin(), mesh.faces.end(), [&](const auto& f) {
               return std::all_of(f.begin(), f.end(), [&](std::int32_t c) { return c >= 0 && c < vertices; });
           });
}

// The text behind a UTF-8 mark, or in UTF-16 of either byte order: one of
// the three for each input, by its length, so that each read costs one more
// read of the file and not three.
QByteArray marked(const std::uint8_t* data, std::size_t size)
{
    const std::size_t form = size % 3;
    QByteArray text = form == 0 ? "\xEF\xBB\xBF" : form == 1 ? "\xFF\xFE" : "\xFE\xFF";
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (form == 0)
            text += c;
        else if (form == 1)
            text += c, text += '\0';
        else
            text += '\0', text += c;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString in = fuzz::scratchFile("in.obj");
    static const QString other = fuzz::scratchFile("marked.obj");
    static const CarRecord original = fuzz::oddCars(1)[0];
    static const QByteArray originalBytes = bytesOf({original});
    fuzz::writeInput(in, data, size);

    const bool read = bool(ReadOBJ(in));
    const Mesh mesh = read ? tables() : Mesh{};
    if (read) {
        for (const ObjFace& f : ObjFaces)
            require(namesNormal(f.NormalIndex), "a face's normal index names no normal");
        for (const ObjVertex& v : ObjVertices)
            require(namesNormal(v.NormalIndex), "a vertex's normal index names no normal");
        for (const ObjFace& f : ObjFaces) {
            if (!std::all_of(f.Corners.begin(), f.Corners.end(), NamesVertex))
                continue;
            for (const std::int32_t c : f.Corners) {
                const ObjVertex& n = ObjNormals[static_cast<std::size_t>(ObjVertices[static_cast<std::size_t>(c)].NormalIndex)];
                require(std::fabs(std::hypot(n.X, n.Y, n.Z) - 1.0f) < 1e-5f, "a vertex a triangle uses has no unit normal");
            }
        }
    }
    // A NUL in every other byte is UTF-16 without its mark, which is refused.
    if (std::all_of(data, data + size, [](std::uint8_t b) { return b > 0 && b < 0x80; })) {
        const QByteArray form = marked(data, size);
        fuzz::writeInput(other, reinterpret_cast<const std::uint8_t*>(form.constData()),
                         static_cast<std::size_t>(form.size()));
        require(bool(ReadOBJ(other)) == read && (!read || tables() == mesh),
                "the text reads differently behind a byte-order mark");
    }

    CarRecord car = original;
    const modLoad::FileResult imported = ImportOBJ(in, car);
    require(bool(imported) == (read && fitsACar(mesh)), "the import and the reader disagree on a mesh that fits");
    if (!imported) {
        require(!imported.message.isEmpty(), "refused without a message");
        require(bytesOf({car}) == originalBytes, "a refused import changed the car");
        return 0;
    }

    const int vertices = car.VertexCount;
    const int faces = car.PolyPointCount / 3;
    require(car.PolyPointCount % 3 == 0 && vertices == std::ssize(mesh.vertices) && faces == std::ssize(mesh.faces),
            "imported counts other than the mesh's");
    CarRecord expected = original;
    for (int i = 0; i < vertices; ++i) {
        const auto& [x, y, z] = mesh.vertices[static_cast<std::size_t>(i)];
        expected.Vertices[i] = {std::bit_cast<float>(x), std::bit_cast<float>(y), std::bit_cast<float>(z)};
        expected.Normals[i] = car.Normals[i];
    }
    for (int j = 0; j < faces; ++j) {
        const auto& [a, b, c] = mesh.faces[static_cast<std::size_t>(j)];
        expected.Polys[j] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c)};
    }
    expected.VertexCount = car.VertexCount;
    expected.PolyPointCount = car.PolyPointCount;
    require(bytesOf({expected}) == bytesOf({car}), "the import changed more than the mesh it read");
    return 0;
}
