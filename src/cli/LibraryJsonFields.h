#pragma once

// What build's JSON reader and dump's writer share: the walk over a car's
// fields, the text buffer, a text quoted as a JSON string; and for the
// reader, the shapes a value may take, the messages that say them and the
// paths that name a place in the document.

#include "modLoad.h"

#include <QByteArray>
#include <QString>

#include <rapidjson/error/error.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace cli::json {

// The one walk over a record's fields, shared by the writer and the reader so
// the two always agree on names and order.
template <typename Car, typename Io>
void WalkRecord(Car& car, Io& io)
{
    io.name("Name", car.Name);
    io.hex("Text3", car.Text3.data(), car.Text3.size());
    io.raw("ExtraVector", car.ExtraVector);
    io.parameters("Parameters", car.Parameters);
    io.byte("VertexCount", car.VertexCount);
    io.byte("ExtraByte1", car.ExtraByte1);
    io.byte("PolyPointCount", car.PolyPointCount);
    io.byte("ExtraByte2", car.ExtraByte2);
    io.byte("HeadHidden", car.HeadHidden);
    io.polys("Polys", car.Polys);
    io.bytes("PolyColour", car.PolyColour);
    static_assert(sizeof(car.ExtraPolys) == 30, "ExtraPolys are 30 plain bytes");
    io.hex("ExtraPolys", car.ExtraPolys.data(), sizeof(car.ExtraPolys));
    io.byte("ExtraByte3", car.ExtraByte3);
    io.vectors("Vertices", car.Vertices);
    io.vectors("Normals", car.Normals);
    io.raws("ExtraVectors", car.ExtraVectors);
    io.vectors("SpherePos", car.SpherePos);
}

constexpr char HexDigits[] = "0123456789abcdef";

// Text written into room made before each car, a character at a time with
// no check on each; a car's JSON takes at most a few kilobytes.
class Text {
public:
    void makeRoom(std::size_t size)
    {
        if (chars_.size() - used_ < size)
            chars_.resize(used_ + size);
    }
    Text& operator<<(char c)
    {
        chars_[used_++] = c;
        return *this;
    }
    Text& operator<<(std::string_view s)
    {
        std::memcpy(chars_.data() + used_, s.data(), s.size());
        used_ += s.size();
        return *this;
    }
    char* end() { return chars_.data() + used_; }
    void endAt(const char* end) { used_ = static_cast<std::size_t>(end - chars_.data()); }
    const char* data() const { return chars_.data(); }
    std::size_t size() const { return used_; }
    void clear() { used_ = 0; }

private:
    std::vector<char> chars_;
    std::size_t used_ = 0;
};

// The most bytes one character takes in a quoted text: \u00XX.
constexpr std::size_t QuotedCharRoom = 6;

// Characters (code points) as a JSON string, into room made for them: quote
// and backslash escaped, the controls, DEL and the invisible C1 range as
// \u00XX so a text shows what it holds, every other character in UTF-8.
template <typename Codes>
void AppendQuoted(Text& out, const Codes& codes)
{
    out << '"';
    for (const auto c : codes) {
        const auto code = static_cast<char32_t>(c);
        if (code == '"' || code == '\\') {
            out << '\\' << static_cast<char>(code);
        } else if (modLoad::IsControl(code)) {
            out << "\\u00" << HexDigits[code >> 4] << HexDigits[code & 15];
        } else if (code < 0x80) {
            out << static_cast<char>(code);
        } else if (code < 0x800) {
            out << static_cast<char>(0xC0 | code >> 6) << static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out << static_cast<char>(0xE0 | code >> 12) << static_cast<char>(0x80 | (code >> 6 & 0x3F))
                << static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out << static_cast<char>(0xF0 | code >> 18) << static_cast<char>(0x80 | (code >> 12 & 0x3F))
                << static_cast<char>(0x80 | (code >> 6 & 0x3F)) << static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    out << '"';
}

// A whole text as a JSON string, as AppendQuoted writes it.
QByteArray Quoted(const QString& text);

// What the reader expects a value to be.
enum class Shape : std::uint8_t {
    Skip,  // not read: a place already refused, or one with no meaning
    Root,
    Cars,
    Car,
    Name,
    Hex,
    Raw,
    Byte,
    Parameters,
    Single,
    Polys,
    Corners,
    Bytes,
    Points,
    Point,
    Raws,
};

// A field of a car as the walk gives it: where it lies in the record, and
// its size (bytes of a hex block, entries of a list).
struct Field {
    const char* key;
    Shape shape;
    std::size_t offset;
    std::size_t size;
};

// What a list of the shape holds: the shape of an entry, the bytes from one
// entry to the next, and the entry's size as in Field; Skip for a shape that
// is no list of fixed length.
struct Entry {
    Shape shape;
    std::size_t stride;
    std::size_t size;
};

constexpr Entry EntryOf(Shape list)
{
    switch (list) {
    case Shape::Polys:
        return {Shape::Corners, sizeof(modLoad::Poly), 3};
    case Shape::Corners:
    case Shape::Bytes:
        return {Shape::Byte, 1, 0};
    case Shape::Points:
        return {Shape::Point, sizeof(modLoad::Vector), 3};
    case Shape::Point:
        return {Shape::Single, sizeof(float), 0};
    case Shape::Raws:
        return {Shape::Raw, sizeof(modLoad::RawVector), 12};
    default:
        return {Shape::Skip, 0, 0};
    }
}

// The fields of a car in the walk's order.
const std::vector<Field>& CarFields();
// The parameters' names as the keys of a car's "Parameters".
const std::array<std::string, modLoad::ParameterCount>& ParameterKeys();

// What a value of the shape must be, for a fault's message; size as in Field.
QString FormOf(Shape shape, std::size_t size);
QString RootForm();
QString CarsForm();
QString TooLargeForFloat();

// A fault of the JSON text itself, in words.
QString ParseFault(rapidjson::ParseErrorCode code);

// A path into the document, as "$.cars[2].Parameters["Top Speed"]".
QString Member(const QString& path, const QString& key);
QString Item(const QString& path, qsizetype index);

}  // namespace cli::json
