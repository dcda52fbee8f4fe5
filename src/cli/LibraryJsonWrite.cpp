// The JSON writer of dump: a car at a time into a buffer, written out a piece
// at a time.
#include "LibraryJson.h"
#include "LibraryJsonFields.h"

#include <QBuffer>

#include <bit>
#include <charconv>
#include <span>

namespace cli {

using json::AppendQuoted;
using json::HexDigits;
using json::Quoted;
using json::Text;
using json::WalkRecord;
using modLoad::CarRecord;
using modLoad::Poly;
using modLoad::RawVector;
using modLoad::Vector;

namespace {

// The room a car's JSON can take, and more: the longest is some 8 KiB.
constexpr std::size_t CarRoom = 16 * 1024;

void hexByte(Text& out, std::uint8_t b)
{
    out << HexDigits[b >> 4] << HexDigits[b & 15];
}

void appendHex(Text& out, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out << '"';
    for (std::size_t i = 0; i < size; ++i)
        hexByte(out, bytes[i]);
    out << '"';
}

void appendRaw(Text& out, const RawVector& v)
{
    std::uint8_t bytes[12];
    modLoad::WriteLittle32(v.X, bytes);
    modLoad::WriteLittle32(v.Y, bytes + 4);
    modLoad::WriteLittle32(v.Z, bytes + 8);
    appendHex(out, bytes, sizeof bytes);
}

void appendNumber(Text& out, unsigned value)
{
    out.endAt(std::to_chars(out.end(), out.end() + 16, value).ptr);
}

void appendSingle(Text& out, float value)
{
    if (const char* end = modLoad::ExactDecimal(value, out.end()))
        return out.endAt(end);
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    out << "\"0x";
    for (int shift = 24; shift >= 0; shift -= 8)
        hexByte(out, static_cast<std::uint8_t>(bits >> shift));
    out << '"';
}

// The fields of one car in dump's layout: six spaces in, lists and the
// parameters one entry a line two more in.
class JsonOut {
public:
    explicit JsonOut(Text& out) : out_(out) {}

    void car(const CarRecord& car)
    {
        out_.makeRoom(CarRoom);
        out_ << '{';
        first_ = true;
        WalkRecord(car, *this);
        out_ << "\n    }";
    }

    void name(const char* key, const modLoad::CarName& name)
    {
        field(key);
        AppendQuoted(out_, std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
    }
    void hex(const char* key, const void* data, std::size_t size)
    {
        field(key);
        appendHex(out_, data, size);
    }
    void raw(const char* key, const RawVector& v)
    {
        field(key);
        appendRaw(out_, v);
    }
    void byte(const char* key, std::uint8_t v)
    {
        field(key);
        appendNumber(out_, v);
    }
    void parameters(const char* key, const std::array<float, modLoad::ParameterCount>& values)
    {
        field(key);
        out_ << '{';
        for (std::size_t i = 0; i < values.size(); ++i) {
            line(i);
            out_ << quotedNames()[i] << ": ";
            appendSingle(out_, values[i]);
        }
        out_ << "\n      }";
    }
    template <std::size_t N>
    void polys(const char* key, const std::array<Poly, N>& polys)
    {
        list(key, polys, [this](const Poly& p) { row(p); });
    }
    template <std::size_t N>
    void bytes(const char* key, const std::array<std::uint8_t, N>& values)
    {
        field(key);
        row(values);
    }
    template <std::size_t N>
    void vectors(const char* key, const std::array<Vector, N>& values)
    {
        list(key, values, [this](const Vector& v) { row(v); });
    }
    template <std::size_t N>
    void raws(const char* key, const std::array<RawVector, N>& values)
    {
        list(key, values, [this](const RawVector& v) { appendRaw(out_, v); });
    }

private:
    static const std::array<std::string, modLoad::ParameterCount>& quotedNames()
    {
        static const std::array<std::string, modLoad::ParameterCount> names = [] {
            std::array<std::string, modLoad::ParameterCount> quotedNames;
            for (int i = 0; i < modLoad::ParameterCount; ++i)
                quotedNames[i] = Quoted(modLoad::ParameterNames[i]).toStdString();
            return quotedNames;
        }();
        return names;
    }

    void value(std::uint8_t v) { appendNumber(out_, v); }
    void value(float v) { appendSingle(out_, v); }

    // Values on one line, as "[1, 2, 3]".
    template <typename T, std::size_t N>
    void row(const std::array<T, N>& values)
    {
        out_ << '[';
        for (std::size_t i = 0; i < N; ++i) {
            if (i > 0)
                out_ << ", ";
            value(values[i]);
        }
        out_ << ']';
    }
    // A triangle's corners or a point's coordinates.
    template <typename Triple>
    void row(const Triple& t)
    {
        const auto& [a, b, c] = t;
        row(std::array{a, b, c});
    }

    void field(const char* key)
    {
        out_ << (first_ ? std::string_view("\n      \"") : std::string_view(",\n      \"")) << key << "\": ";
        first_ = false;
    }
    void line(std::size_t i) { out_ << (i == 0 ? std::string_view("\n        ") : std::string_view(",\n        ")); }

    template <typename List, typename Entry>
    void list(const char* key, const List& entries, Entry entry)
    {
        field(key);
        out_ << '[';
        for (std::size_t i = 0; i < entries.size(); ++i) {
            line(i);
            entry(entries[i]);
        }
        out_ << "\n      ]";
    }

    Text& out_;
    bool first_ = true;
};

}  // namespace

bool DumpJson(const modLoad::CarTable& cars, QIODevice& out)
{
    modLoad::FillParameterNames();
    Text text;
    text.makeRoom(CarRoom);
    text << "{\n  \"cars\": [\n    ";
    JsonOut fields(text);
    // Written a piece at a time, so memory holds no more than a car past the piece.
    constexpr std::size_t Piece = 1 << 16;
    for (std::size_t k = 0; k < cars.size(); ++k) {
        if (k > 0)
            text << ",\n    ";
        fields.car(cars[k]);
        if (text.size() >= Piece) {
            if (!modLoad::WriteAll(out, text.data(), static_cast<qint64>(text.size())))
                return false;
            text.clear();
        }
    }
    text.makeRoom(CarRoom);
    text << "\n  ]\n}\n";
    return modLoad::WriteAll(out, text.data(), static_cast<qint64>(text.size()));
}

QByteArray DumpJson(const modLoad::CarTable& cars)
{
    QByteArray text;
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    DumpJson(cars, buffer);
    return text;
}

}  // namespace cli
