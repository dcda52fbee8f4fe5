#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace modLoad {

struct Vector {
    float X;
    float Y;
    float Z;
};

// Three raw 4-byte values in the shape of a Vector; their meaning is unknown,
// so they are kept as bits and never touched by float arithmetic.
struct RawVector {
    std::uint32_t X;
    std::uint32_t Y;
    std::uint32_t Z;
};

struct Poly {
    std::uint8_t A;
    std::uint8_t B;
    std::uint8_t C;
};

constexpr int NameLength = 13;
constexpr int ParameterCount = 40;
constexpr int MaxVertices = 30;
constexpr int MaxPolys = 40;
constexpr int SphereCount = 5;

using CarName = std::array<char, NameLength>;

// One car, in the order and widths of the library file.
struct CarRecord {
    CarName Name;
    std::array<char, 3> Text3;
    RawVector ExtraVector;
    std::array<float, ParameterCount> Parameters;
    std::uint8_t VertexCount;
    std::uint8_t ExtraByte1;
    std::uint8_t PolyPointCount;
    std::uint8_t ExtraByte2;
    std::uint8_t HeadHidden;
    std::array<Poly, MaxPolys> Polys;
    std::array<std::uint8_t, MaxPolys> PolyColour;
    std::array<Poly, 10> ExtraPolys;
    std::uint8_t ExtraByte3;
    std::array<Vector, MaxVertices> Vertices;
    std::array<Vector, MaxVertices> Normals;
    std::array<RawVector, 15> ExtraVectors;
    std::array<Vector, SphereCount> SpherePos;
};

// Copies every field of source into destination, entries beyond the counts too.
void CopyCar(const CarRecord& source, CarRecord& destination);

// The name as lists show it: the characters before the first NUL, or all 13.
QString NameAsShown(const CarName& name);

// The name as this system stores one: the text, one NUL, then spaces up to 13
// characters; a text of 13 or more characters is cut to 13 with no NUL.
CarName StoredName(const QString& text);

// The text without the spaces around it. Spaces only: a tab or byte 0xA0 is a
// character a name may hold.
QString TrimSpaces(const QString& text);

}  // namespace modLoad
