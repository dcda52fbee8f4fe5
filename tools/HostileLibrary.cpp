#include "HostileLibrary.h"

#include "DemoLibrary.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace samples {

using modLoad::CarRecord;

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Infinity = std::numeric_limits<float>::infinity();
constexpr float Huge = std::numeric_limits<float>::max();
constexpr float SignallingNaN = std::bit_cast<float>(0x7FA00000u);
constexpr float NegativeNaN = std::bit_cast<float>(0xFFC00001u);
constexpr float PayloadNaN = std::bit_cast<float>(0x7FC12345u);

// Junk where nothing may read it: corners and colours of the unused triangles,
// the unused vertices and normals, and the blocks only carried along.
void fillUnused(CarRecord& car, int triangles)
{
    for (int p = triangles; p < modLoad::MaxPolys; ++p) {
        car.Polys[p] = {255, 255, 255};
        car.PolyColour[p] = 255;
    }
    for (int v = car.VertexCount; v < modLoad::MaxVertices; ++v)
        car.Vertices[v] = car.Normals[v] = {NaN, SignallingNaN, -Infinity};
    car.Text3 = {'\x01', '\x7F', '\xFF'};
    car.ExtraVector = {0x7FA00000u, 0x80000000u, 0xDEADBEEFu};
    car.ExtraByte1 = 0xA5;
    car.ExtraByte2 = 0x5A;
    car.ExtraByte3 = 0xFF;
    for (int i = 0; i < 10; ++i)
        car.ExtraPolys[i] = {static_cast<std::uint8_t>(200 + i), static_cast<std::uint8_t>(i), 0x80};
    for (std::uint32_t i = 0; i < 15; ++i)
        car.ExtraVectors[i] = {0x01010101u * i, 0xFF800000u + i, ~i};
}

}  // namespace

modLoad::CarTable HostileLibrary()
{
    // A demo car with a wing: most of the triangle table in use.
    CarRecord base = DemoLibrary().front();
    const int triangles = base.PolyPointCount / 3;
    fillUnused(base, triangles);

    modLoad::CarTable cars;
    const auto add = [&](const QString& name, auto odd) {
        CarRecord& car = cars.emplace_back(base);
        car.Name = modLoad::StoredName(name.toLatin1());
        odd(car);
    };

    // Every slot of the triangle table in use and in the model: only the count is odd.
    for (const int points : {121, 122, 255})
        add(QStringLiteral("%1 points").arg(points), [&](CarRecord& car) {
            for (int p = triangles; p < modLoad::MaxPolys; ++p) {
                car.Polys[p] = car.Polys[p - triangles];
                car.PolyColour[p] = car.PolyColour[p - triangles];
            }
            car.PolyPointCount = static_cast<std::uint8_t>(points);
        });
    // One corner each of seven triangles, then all three of the last.
    add("Corners 30+", [&](CarRecord& car) {
        const std::uint8_t far[] = {30, 31, 127, 128, 200, 254, 255};
        for (int k = 0; k < 7; ++k) {
            modLoad::Poly& poly = car.Polys[3 * k];
            (k % 3 == 0 ? poly.A : k % 3 == 1 ? poly.B : poly.C) = far[k];
        }
        car.Polys[triangles - 1] = {30, 128, 255};
    });
    add("Colours 192+", [&](CarRecord& car) {
        for (int p = 0; p < triangles; ++p)
            car.PolyColour[p] = static_cast<std::uint8_t>(192 + p * 63 / (triangles - 1));
    });
    // 205 sets no colour of its own: the first triangle takes what was set before it.
    add("205 first", [](CarRecord& car) { car.PolyColour[0] = 205; });
    add("NaN model", [](CarRecord& car) {
        car.Vertices[0].X = NaN;
        car.Vertices[3] = {SignallingNaN, SignallingNaN, SignallingNaN};
        car.Vertices[5].Z = NegativeNaN;
        car.Normals[1] = {NaN, NaN, NaN};
        car.Normals[4].Y = SignallingNaN;
        car.SpherePos[0].X = NaN;
        car.SpherePos[4] = {NaN, PayloadNaN, NaN};
    });
    add("Inf model", [](CarRecord& car) {
        car.Vertices[1].X = Infinity;
        car.Vertices[2].Z = -Infinity;
        car.Vertices[6] = {Huge, -Huge, Huge};
        car.Normals[2] = {Infinity, -Infinity, 0.0f};
        car.SpherePos[1].Y = Infinity;
        car.SpherePos[4].Z = -Huge;
    });
    add("NaN wheels", [](CarRecord& car) {
        car.Parameters[0] = NaN;
        car.Parameters[1] = SignallingNaN;
        car.Parameters[2] = NegativeNaN;
        car.Parameters[3] = PayloadNaN;
    });
    add("Inf wheels", [](CarRecord& car) {
        car.Parameters[0] = Infinity;
        car.Parameters[1] = -Infinity;
        car.Parameters[2] = Huge;
        car.Parameters[3] = -Huge;
    });
    add("HeadHidden 7", [](CarRecord& car) { car.HeadHidden = 7; });
    add("255 vertices", [](CarRecord& car) { car.VertexCount = 255; });

    // Names odd themselves: 13 characters and no NUL; bytes from 0x80 to 0xFF,
    // led by 0xA0; nothing before the NUL.
    add("No NUL at all", [](CarRecord&) {});
    for (const char* raw : {"\xA0\x80\x85\x9F" "High\xAD\xE9\xFF\0 ", "\0Hidden text "})
        add({}, [raw](CarRecord& car) { std::memcpy(car.Name.data(), raw, modLoad::NameLength); });
    return cars;
}

}  // namespace samples
