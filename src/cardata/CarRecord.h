#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

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

// Names are Windows-1252, a byte a character: the code page of the game's
// platform. Its five unassigned bytes stand for the controls of their number,
// so that every byte is a character and each character one byte.

// The name's text: the characters before the first NUL, or all 13.
QString NameAsShown(const CarName& name);

// C0 and C1 controls and DEL; every other Latin-1 character prints.
constexpr bool IsControl(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

// The name as a list shows it, so that every name can be told apart: its
// text with control characters written as \xNN, each space of a name of only
// spaces as the sign for a space, and a name with no character before its NUL
// as \x00.
QString NameInList(const CarName& name);

// The name as a rename offers it, without the padding a name read from a
// file may carry: no spaces before it, and none after it when it has no NUL.
QString NameToEdit(const CarName& name);

// The bytes of the text as a name holds it; nothing when it has a character
// that no name can hold, which refused then gives (a surrogate pair whole).
std::optional<QByteArray> NameBytes(const QString& text, QString* refused = nullptr);

// The name as this system stores one: the bytes, one NUL, then spaces up to
// 13; 13 bytes or more are cut to 13, with no NUL.
CarName StoredName(QByteArrayView bytes);

// The text without the spaces around it. Spaces only: a tab or byte 0xA0 is a
// character a name may hold.
QString TrimSpaces(const QString& text);

}  // namespace modLoad
