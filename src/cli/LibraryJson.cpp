#include "LibraryJson.h"

#include "CarText.h"
#include "NumberText.h"

#include <QBuffer>
#include <QRegularExpression>

#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <numeric>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

using modLoad::CarRecord;
using modLoad::Poly;
using modLoad::RawVector;
using modLoad::Vector;

namespace {

// The one walk over a record's fields, shared by the writer and the reader so
// the two always agree on names and order.
template <typename Car, typename Io>
void walkRecord(Car& car, Io& io)
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

// The room a car's JSON can take, and more: the longest is some 8 KiB.
constexpr std::size_t CarRoom = 16 * 1024;

void hexByte(Text& out, std::uint8_t b)
{
    out << HexDigits[b >> 4] << HexDigits[b & 15];
}

// Latin-1 text as a JSON string: quote and backslash escaped, the controls,
// DEL and the invisible C1 range as \u00XX so a name shows what it holds,
// every other character in UTF-8.
void appendQuoted(Text& out, std::string_view latin1)
{
    out << '"';
    for (const char c : latin1) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (IsControl(QChar(code))) {
            out << "\\u00";
            hexByte(out, code);
        } else if (code < 0x80) {
            out << c;
        } else {
            out << static_cast<char>(0xC0 | (code >> 6)) << static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    out << '"';
}

QByteArray quoted(const QString& text)
{
    QByteArray out = "\"";
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += '\\' + QByteArray(1, static_cast<char>(c.unicode()));
        else if (IsControl(c))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
        else
            out += QString(c).toUtf8();
    }
    return out + '"';
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
        walkRecord(car, *this);
        out_ << "\n    }";
    }

    void name(const char* key, const modLoad::CarName& name)
    {
        field(key);
        appendQuoted(out_, {name.data(), name.size()});
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
        list(key, polys, [this](const Poly& p) {
            out_ << '[';
            appendNumber(out_, p.A);
            out_ << ", ";
            appendNumber(out_, p.B);
            out_ << ", ";
            appendNumber(out_, p.C);
            out_ << ']';
        });
    }
    template <std::size_t N>
    void bytes(const char* key, const std::array<std::uint8_t, N>& values)
    {
        field(key);
        out_ << '[';
        for (std::size_t i = 0; i < N; ++i) {
            if (i > 0)
                out_ << ", ";
            appendNumber(out_, values[i]);
        }
        out_ << ']';
    }
    template <std::size_t N>
    void vectors(const char* key, const std::array<Vector, N>& values)
    {
        list(key, values, [this](const Vector& v) {
            out_ << '[';
            appendSingle(out_, v.X);
            out_ << ", ";
            appendSingle(out_, v.Y);
            out_ << ", ";
            appendSingle(out_, v.Z);
            out_ << ']';
        });
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
                quotedNames[i] = quoted(modLoad::ParameterNames[i]).toStdString();
            return quotedNames;
        }();
        return names;
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

// A path into the document, as "$.cars[2].Parameters["Top Speed"]".
QString member(const QString& path, const QString& key)
{
    static const QRegularExpression plain(QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*")));
    return plain.match(key).hasMatch() ? path + u'.' + key : path + u'[' + QString::fromUtf8(quoted(key)) + u']';
}

QString item(const QString& path, qsizetype index)
{
    return path + QStringLiteral("[%1]").arg(index);
}

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

class FieldList {
public:
    FieldList() { walkRecord(std::as_const(base_), *this); }

    const std::vector<Field>& fields() const { return fields_; }

    void name(const char* key, const modLoad::CarName& name) { add(key, Shape::Name, &name, 0); }
    void hex(const char* key, const void* data, std::size_t size) { add(key, Shape::Hex, data, size); }
    void raw(const char* key, const RawVector& v) { add(key, Shape::Raw, &v, 12); }
    void byte(const char* key, const std::uint8_t& v) { add(key, Shape::Byte, &v, 0); }
    void parameters(const char* key, const auto& values) { add(key, Shape::Parameters, &values, 0); }
    template <std::size_t N>
    void polys(const char* key, const std::array<Poly, N>& v)
    {
        add(key, Shape::Polys, &v, N);
    }
    template <std::size_t N>
    void bytes(const char* key, const std::array<std::uint8_t, N>& v)
    {
        add(key, Shape::Bytes, &v, N);
    }
    template <std::size_t N>
    void vectors(const char* key, const std::array<Vector, N>& v)
    {
        add(key, Shape::Points, &v, N);
    }
    template <std::size_t N>
    void raws(const char* key, const std::array<RawVector, N>& v)
    {
        add(key, Shape::Raws, &v, N);
    }

private:
    void add(const char* key, Shape shape, const void* at, std::size_t size)
    {
        fields_.push_back({key, shape,
                           static_cast<std::size_t>(static_cast<const char*>(at) - reinterpret_cast<const char*>(&base_)),
                           size});
    }

    CarRecord base_{};
    std::vector<Field> fields_;
};

const std::vector<Field>& carFields()
{
    static const FieldList list;
    return list.fields();
}

// The number of the name among the names, trying the one after the last
// first, as a dump lists them in order; -1 when it is none of them.
template <typename Names>
int find(const Names& names, std::size_t count, std::string_view key, int last)
{
    const auto at = [&](std::size_t i) { return std::string_view(names(i)); };
    if (static_cast<std::size_t>(last + 1) < count && at(static_cast<std::size_t>(last + 1)) == key)
        return last + 1;
    for (std::size_t i = 0; i < count; ++i)
        if (at(i) == key)
            return static_cast<int>(i);
    return -1;
}

const std::array<std::string, modLoad::ParameterCount>& parameterKeys()
{
    static const std::array<std::string, modLoad::ParameterCount> keys = [] {
        std::array<std::string, modLoad::ParameterCount> names;
        for (int i = 0; i < modLoad::ParameterCount; ++i)
            names[i] = modLoad::ParameterNames[i].toStdString();
        return names;
    }();
    return keys;
}

const QString TooLargeForFloat = QStringLiteral("is too large for a 32-bit float, whose largest is 3.4028235e38");

const QString FloatForm = QStringLiteral(
    "must be a number, or a float's bits as a string of \"0x\" and 8 hex digits");

// The wrong nesting of a broken or hostile text stops the reader here; a
// library's JSON is five levels deep.
constexpr std::size_t DeepestNesting = 256;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool hexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// The events of the JSON reader, fitted to the library as they come: every
// value goes straight to its place in the table, and the first fault of each
// kind is kept with its path.
class LibraryReader : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, LibraryReader> {
public:
    explicit LibraryReader(JsonSource& source) : source_(source) {}

    modLoad::CarTable cars;
    // Faults of the text that end the reading; then keys given twice; then
    // the first value that does not fit a library.
    QString fatal;
    QString twice;
    QString misfit;

    bool StartObject() { return open(true); }
    bool StartArray() { return open(false); }

    // A key that names nothing of a library ends the reading where it stands,
    // so that no count of them takes memory.
    bool Key(const char* text, rapidjson::SizeType length, bool)
    {
        Frame& frame = frames_.back();
        const std::string_view key(text, length);
        frame.key.assign(key);
        int known = -1;
        QString nothing;
        if (frame.shape == Shape::Root) {
            known = key == "cars" ? 0 : -1;
            nothing = QStringLiteral("is not a field of a library, which has the one field \"cars\"");
        } else if (frame.shape == Shape::Car) {
            known = find([](std::size_t i) { return carFields()[i].key; }, carFields().size(), key, frame.field);
            nothing = QStringLiteral("is not a field of a car");
        } else if (frame.shape == Shape::Parameters) {
            known = find([](std::size_t i) -> const std::string& { return parameterKeys()[i]; }, parameterKeys().size(), key, frame.field);
            nothing = QStringLiteral("is not a parameter name");
        } else {
            return true;  // within a value already refused
        }
        // Made only for a fault: a path is slow to write.
        const auto where = [&] {
            const TextPlace at = source_.LastTokenStart();
            return QStringLiteral("%1: %2 at line %3, column %4")
                .arg(member(path(frames_.size() - 1), QString::fromUtf8(text, length)))
                .arg(known < 0 ? nothing + QStringLiteral("; it is") : QStringLiteral("is given twice; the second is"))
                .arg(at.line)
                .arg(at.column);
        };
        if (known < 0) {
            fatal = where();
            return false;
        }
        if ((frame.seen >> known) & 1 && twice.isEmpty())
            twice = where();
        frame.seen |= std::uint64_t{1} << known;
        frame.field = known;
        return true;
    }

    bool EndObject(rapidjson::SizeType)
    {
        const Frame& frame = frames_.back();
        if (frame.shape == Shape::Root && !(frame.seen & 1))
            fault(QStringLiteral("$"), rootForm());
        if (frame.shape == Shape::Car || frame.shape == Shape::Parameters) {
            const std::size_t count = frame.shape == Shape::Car ? carFields().size() : modLoad::ParameterCount;
            for (std::size_t i = 0; i < count; ++i) {
                if (!((frame.seen >> i) & 1)) {
                    fault(member(path(frames_.size() - 1), frame.shape == Shape::Car
                                                              ? QLatin1String(carFields()[i].key)
                                                              : modLoad::ParameterNames[i]),
                          QStringLiteral("is missing"));
                    break;
                }
            }
        }
        frames_.pop_back();
        return true;
    }

    bool EndArray(rapidjson::SizeType count)
    {
        const Frame& frame = frames_.back();
        if (frame.shape == Shape::Cars && count == 0)
            fault(path(frames_.size() - 1), carsForm());
        else if (frame.shape != Shape::Skip && frame.shape != Shape::Cars && count != frame.size)
            fault(path(frames_.size() - 1), form(frame.shape, frame.size));
        frames_.pop_back();
        return true;
    }

    bool RawNumber(const char* text, rapidjson::SizeType length, bool)
    {
        const Slot slot = next();
        // Most numbers of a library are bytes written as plain digits.
        if (slot.shape == Shape::Byte && length <= 3 && std::all_of(text, text + length, isDigit)) {
            const unsigned value = std::accumulate(text, text + length, 0u,
                                                   [](unsigned sum, char c) { return sum * 10 + unsigned(c - '0'); });
            if (value <= 255)
                *slot.into = static_cast<std::uint8_t>(value);
            else
                misfitHere(slot);
            return true;
        }
        if (slot.shape == Shape::Single)
            return single(slot, {text, length});
        double value = 0;
        if (slot.shape == Shape::Byte && std::from_chars(text, text + length, value).ec == std::errc() && value >= 0 &&
            value <= 255 && value == std::floor(value))
            *slot.into = static_cast<std::uint8_t>(value);
        else
            misfitHere(slot);
        return true;
    }

    bool String(const char* text, rapidjson::SizeType length, bool)
    {
        const Slot slot = next();
        const std::string_view s(text, length);
        switch (slot.shape) {
        case Shape::Name:
            return name(slot, s);
        case Shape::Hex:
        case Shape::Raw:
            return hex(slot, s);
        case Shape::Single:
            if (s.size() == 10 && s.starts_with("0x") && std::all_of(s.begin() + 2, s.end(), hexDigit)) {
                std::uint32_t bits = 0;
                for (const char c : s.substr(2))
                    bits = bits << 4 | static_cast<std::uint32_t>(hexValue(c));
                store(slot, std::bit_cast<float>(bits));
                return true;
            }
            break;
        default:
            break;
        }
        misfitHere(slot);
        return true;
    }

    // The JSON reader stops at a number past a double's range, before it
    // hands it over: it is too large for a float, or misplaced.
    void NumberTooLarge()
    {
        const Slot slot = next();
        if (slot.shape == Shape::Single)
            fault(path(frames_.size()), TooLargeForFloat);
        else
            misfitHere(slot);
    }

    // null, true and false fit nowhere in a library.
    bool Default()
    {
        misfitHere(next());
        return true;
    }

private:
    struct Frame {
        Shape shape = Shape::Skip;
        bool object = false;
        // Of an array: the entry being read; of an object: the member's number
        // among the known ones, -1 for another.
        qsizetype index = -1;
        int field = -1;
        std::string key;
        std::uint64_t seen = 0;
        char* into = nullptr;
        std::size_t size = 0;
    };

    // Where the next value goes and what it must be.
    struct Slot {
        Shape shape;
        char* into;
        std::size_t size;
    };

    static QString rootForm() { return QStringLiteral("must be an object with the one field \"cars\", a list of cars"); }
    static QString carsForm() { return QStringLiteral("must hold 1 to %1 cars").arg(modLoad::MaxCars); }

    static QString form(Shape shape, std::size_t size)
    {
        switch (shape) {
        case Shape::Root:
        case Shape::Cars:
            return rootForm();
        case Shape::Car:
            return QStringLiteral("must be an object of a car's fields");
        case Shape::Name:
            return QStringLiteral("must be a text of at most 13 characters, each from U+0000 to U+00FF (the bytes of "
                                  "the name)");
        case Shape::Hex:
        case Shape::Raw:
            return QStringLiteral("must be %1 bytes as a string of %2 hex digits").arg(size).arg(2 * size);
        case Shape::Byte:
            return QStringLiteral("must be a whole number from 0 to 255");
        case Shape::Parameters:
            return QStringLiteral("must be an object of the 40 parameters by name");
        case Shape::Single:
            return FloatForm;
        case Shape::Polys:
            return QStringLiteral("must be a list of %1 triangles of 3 corners").arg(size);
        case Shape::Corners:
            return QStringLiteral("must be a list of 3 corners");
        case Shape::Bytes:
            return QStringLiteral("must be a list of %1 whole numbers").arg(size);
        case Shape::Points:
            return QStringLiteral("must be a list of %1 points [X, Y, Z]").arg(size);
        case Shape::Point:
            return QStringLiteral("must be a list of 3 numbers X, Y, Z");
        case Shape::Raws:
            return QStringLiteral("must be a list of %1 hex strings of 12 bytes").arg(size);
        case Shape::Skip:
            break;
        }
        return {};
    }

    // The path of the value the first levels lead to; made only for a fault.
    QString path(std::size_t levels) const
    {
        QString path = QStringLiteral("$");
        for (std::size_t i = 0; i < levels; ++i)
            path = frames_[i].object ? member(path, QString::fromStdString(frames_[i].key))
                                     : item(path, frames_[i].index);
        return path;
    }

    void fault(const QString& at, const QString& what)
    {
        if (misfit.isEmpty())
            misfit = at + QStringLiteral(": ") + what;
    }

    // The value just read does not fit its place.
    void misfitHere(const Slot& slot)
    {
        if (slot.shape == Shape::Cars)
            fault(QStringLiteral("$"), rootForm());
        else if (slot.shape != Shape::Skip)
            fault(path(frames_.size()), form(slot.shape, slot.size));
    }

    void store(const Slot& slot, float value) { std::memcpy(slot.into, &value, sizeof value); }

    // A float read straight from its digits, with one rounding; the JSON
    // reader has made sure of the form.
    bool single(const Slot& slot, std::string_view digits)
    {
        float value = 0;
        switch (numbertext::ReadDecimal(digits, value)) {
        case numbertext::Decimal::TooLarge:
            fault(path(frames_.size()), TooLargeForFloat);
            break;
        case numbertext::Decimal::TooSmall:
            fault(path(frames_.size()),
                  QStringLiteral("is too small for a 32-bit float, whose smallest is 1.4e-45: it would become 0"));
            break;
        default:
            store(slot, value);
        }
        return true;
    }

    bool name(const Slot& slot, std::string_view utf8)
    {
        // The reader has made sure of the UTF-8; each character must be a byte.
        std::array<char, modLoad::NameLength> bytes{};
        std::size_t count = 0;
        for (std::size_t i = 0; i < utf8.size(); ++count) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            const unsigned code =
                lead < 0x80 ? lead : (lead & 0xE0) == 0xC0 ? (lead & 0x1Fu) << 6 | (utf8[i + 1] & 0x3F) : 0x100;
            i += lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
            if (code > 0xFF || count >= bytes.size()) {
                misfitHere(slot);
                return true;
            }
            bytes[count] = static_cast<char>(code);
        }
        auto& stored = *reinterpret_cast<modLoad::CarName*>(slot.into);
        stored = count < bytes.size() ? modLoad::StoredName(QByteArrayView(bytes.data(), static_cast<qsizetype>(count)))
                                      : bytes;
        return true;
    }

    bool hex(const Slot& slot, std::string_view text)
    {
        const std::size_t size = slot.size;
        if (text.size() != 2 * size || !std::all_of(text.begin(), text.end(), hexDigit)) {
            fault(path(frames_.size()), form(Shape::Hex, size));
            return true;
        }
        std::uint8_t bytes[32];
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<std::uint8_t>(hexValue(text[2 * i]) << 4 | hexValue(text[2 * i + 1]));
        if (slot.shape == Shape::Raw) {
            auto& v = *reinterpret_cast<RawVector*>(slot.into);
            v = {modLoad::ReadLittle32(bytes), modLoad::ReadLittle32(bytes + 4), modLoad::ReadLittle32(bytes + 8)};
        } else {
            std::memcpy(slot.into, bytes, size);
        }
        return true;
    }

    // Moves on to the next value of the innermost container and tells where it goes.
    Slot next()
    {
        if (frames_.empty())
            return {Shape::Root, nullptr, 0};
        Frame& frame = frames_.back();
        if (!frame.object)
            ++frame.index;
        const auto entry = static_cast<std::size_t>(frame.index);
        switch (frame.shape) {
        case Shape::Root:
            return {Shape::Cars, nullptr, 0};
        case Shape::Cars:
            if (entry < static_cast<std::size_t>(modLoad::MaxCars)) {
                cars.emplace_back();
                return {Shape::Car, reinterpret_cast<char*>(&cars.back()), 0};
            }
            fault(path(frames_.size() - 1), carsForm());
            break;
        // Every key of these names a place: Key has refused any other.
        case Shape::Car: {
            const Field& field = carFields()[static_cast<std::size_t>(frame.field)];
            return {field.shape, frame.into + field.offset, field.size};
        }
        case Shape::Parameters:
            return {Shape::Single, frame.into + sizeof(float) * static_cast<std::size_t>(frame.field), 0};
        case Shape::Polys:
            if (entry < frame.size)
                return {Shape::Corners, frame.into + sizeof(Poly) * entry, 3};
            fault(path(frames_.size() - 1), form(frame.shape, frame.size));
            break;
        case Shape::Corners:
        case Shape::Bytes:
            if (entry < frame.size)
                return {Shape::Byte, frame.into + entry, 0};
            fault(path(frames_.size() - 1), form(frame.shape, frame.size));
            break;
        case Shape::Points:
            if (entry < frame.size)
                return {Shape::Point, frame.into + sizeof(Vector) * entry, 3};
            fault(path(frames_.size() - 1), form(frame.shape, frame.size));
            break;
        case Shape::Point:
            if (entry < frame.size)
                return {Shape::Single, frame.into + sizeof(float) * entry, 0};
            fault(path(frames_.size() - 1), form(frame.shape, frame.size));
            break;
        case Shape::Raws:
            if (entry < frame.size)
                return {Shape::Raw, frame.into + sizeof(RawVector) * entry, 12};
            fault(path(frames_.size() - 1), form(frame.shape, frame.size));
            break;
        default:
            break;
        }
        return {Shape::Skip, nullptr, 0};
    }

    bool open(bool object)
    {
        const Slot slot = next();
        if (frames_.size() == DeepestNesting) {
            // The reader tells of an opening bracket before it takes it.
            const TextPlace at = source_.PlaceOf(source_.Tell());
            fatal = QStringLiteral("line %1, column %2: nested too deeply").arg(at.line).arg(at.column);
            return false;
        }
        const bool fits = object ? slot.shape == Shape::Root || slot.shape == Shape::Car ||
                                       slot.shape == Shape::Parameters
                                 : slot.shape == Shape::Cars || slot.shape == Shape::Polys ||
                                       slot.shape == Shape::Corners || slot.shape == Shape::Bytes ||
                                       slot.shape == Shape::Points || slot.shape == Shape::Point ||
                                       slot.shape == Shape::Raws;
        if (!fits)
            misfitHere(slot);
        Frame& frame = frames_.emplace_back();
        frame.shape = fits ? slot.shape : Shape::Skip;
        frame.object = object;
        frame.into = slot.into;
        frame.size = slot.size;
        return true;
    }

    JsonSource& source_;
    std::vector<Frame> frames_;
};

QString parseFault(rapidjson::ParseErrorCode code)
{
    switch (code) {
    case rapidjson::kParseErrorDocumentEmpty:
        return QStringLiteral("no JSON value");
    case rapidjson::kParseErrorDocumentRootNotSingular:
        return QStringLiteral("text after the JSON value");
    case rapidjson::kParseErrorObjectMissName:
        return QStringLiteral("a member name is missing");
    case rapidjson::kParseErrorObjectMissColon:
        return QStringLiteral("a colon is missing");
    case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
        return QStringLiteral("a comma or } is missing");
    case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
        return QStringLiteral("a comma or ] is missing");
    case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
    case rapidjson::kParseErrorStringEscapeInvalid:
        return QStringLiteral("invalid escape sequence");
    case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
        return QStringLiteral("invalid surrogate pair");
    case rapidjson::kParseErrorStringMissQuotationMark:
        return QStringLiteral("unterminated string");
    case rapidjson::kParseErrorStringInvalidEncoding:
        return QStringLiteral("invalid UTF-8");
    case rapidjson::kParseErrorNumberMissFraction:
    case rapidjson::kParseErrorNumberMissExponent:
        return QStringLiteral("illegal number");
    default:
        return QStringLiteral("illegal value");
    }
}

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

JsonLibrary BuildFromJson(JsonSource& source)
{
    modLoad::FillParameterNames();
    JsonLibrary result;
    LibraryReader reader(source);
    rapidjson::Reader parser;
    constexpr unsigned Flags =
        rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;
    const rapidjson::ParseResult parsed = parser.Parse<Flags>(source, reader);
    if (!source.Fault().isEmpty()) {
        result.error = source.Fault();
    } else if (!reader.fatal.isEmpty()) {
        result.error = reader.fatal;
    } else if (parsed.Code() == rapidjson::kParseErrorNumberTooBig) {
        reader.NumberTooLarge();
        result.error = !reader.twice.isEmpty() ? reader.twice : reader.misfit;
    } else if (parsed.IsError()) {
        const TextPlace at = source.PlaceOf(parsed.Offset());
        result.error = QStringLiteral("line %1, column %2: %3").arg(at.line).arg(at.column).arg(parseFault(parsed.Code()));
    } else {
        result.error = !reader.twice.isEmpty() ? reader.twice : reader.misfit;
    }
    if (result.error.isEmpty())
        result.cars = std::move(reader.cars);
    return result;
}

JsonLibrary BuildFromJson(const QByteArray& json)
{
    JsonSource source(json);
    return BuildFromJson(source);
}

}  // namespace cli
