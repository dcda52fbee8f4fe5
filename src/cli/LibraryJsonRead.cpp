// The JSON reader of build: RapidJSON's events fitted to the library as they
// come, every value straight to its place in the table.
#include "LibraryJson.h"
#include "LibraryJsonFields.h"

#include "NumberText.h"

#include <rapidjson/reader.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <numeric>

namespace cli {

using json::CarFields;
using json::CarsForm;
using json::Field;
using json::FormOf;
using json::Item;
using json::Member;
using json::ParameterKeys;
using json::RootForm;
using json::Shape;
using json::TooLargeForFloat;
using modLoad::Poly;
using modLoad::RawVector;
using modLoad::Vector;

namespace {

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

// The wrong nesting of a broken or hostile text stops the reader here; a
// library's JSON is five levels deep.
constexpr std::size_t DeepestNesting = 256;

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
            known = find([](std::size_t i) { return CarFields()[i].key; }, CarFields().size(), key, frame.field);
            nothing = QStringLiteral("is not a field of a car");
        } else if (frame.shape == Shape::Parameters) {
            known = find([](std::size_t i) -> const std::string& { return ParameterKeys()[i]; }, ParameterKeys().size(), key, frame.field);
            nothing = QStringLiteral("is not a parameter name");
        } else {
            return true;  // within a value already refused
        }
        // Made only for a fault: a path is slow to write.
        const auto where = [&] {
            const TextPlace at = source_.LastTokenStart();
            return QStringLiteral("%1: %2 at line %3, column %4")
                .arg(Member(path(frames_.size() - 1), QString::fromUtf8(text, length)))
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
            fault(QStringLiteral("$"), RootForm());
        if (frame.shape == Shape::Car || frame.shape == Shape::Parameters) {
            const std::size_t count = frame.shape == Shape::Car ? CarFields().size() : modLoad::ParameterCount;
            for (std::size_t i = 0; i < count; ++i) {
                if (!((frame.seen >> i) & 1)) {
                    fault(Member(path(frames_.size() - 1), frame.shape == Shape::Car
                                                              ? QLatin1String(CarFields()[i].key)
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
            fault(path(frames_.size() - 1), CarsForm());
        else if (frame.shape != Shape::Skip && frame.shape != Shape::Cars && count != frame.size)
            fault(path(frames_.size() - 1), FormOf(frame.shape, frame.size));
        frames_.pop_back();
        return true;
    }

    bool RawNumber(const char* text, rapidjson::SizeType length, bool)
    {
        const Slot slot = next();
        // Most numbers of a library are bytes written as plain digits.
        if (slot.shape == Shape::Byte && length <= 3 && std::all_of(text, text + length, numbertext::IsDigit)) {
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
            fault(path(frames_.size()), TooLargeForFloat());
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
        // among the known ones, -1 before the first key.
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

    // The path of the value the first levels lead to; made only for a fault.
    QString path(std::size_t levels) const
    {
        QString path = QStringLiteral("$");
        for (std::size_t i = 0; i < levels; ++i)
            path = frames_[i].object ? Member(path, QString::fromStdString(frames_[i].key))
                                     : Item(path, frames_[i].index);
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
            fault(QStringLiteral("$"), RootForm());
        else if (slot.shape != Shape::Skip)
            fault(path(frames_.size()), FormOf(slot.shape, slot.size));
    }

    void store(const Slot& slot, float value) { std::memcpy(slot.into, &value, sizeof value); }

    // A float read straight from its digits, with one rounding; the JSON
    // reader has made sure of the form.
    bool single(const Slot& slot, std::string_view digits)
    {
        float value = 0;
        switch (numbertext::ReadDecimal(digits, value)) {
        case numbertext::Decimal::TooLarge:
            fault(path(frames_.size()), TooLargeForFloat());
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
        stored = modLoad::StoredName(QByteArrayView(bytes.data(), static_cast<qsizetype>(count)));
        return true;
    }

    bool hex(const Slot& slot, std::string_view text)
    {
        const std::size_t size = slot.size;
        if (text.size() != 2 * size || !std::all_of(text.begin(), text.end(), hexDigit)) {
            fault(path(frames_.size()), FormOf(Shape::Hex, size));
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
            fault(path(frames_.size() - 1), CarsForm());
            break;
        // Every key of these names a place: Key has refused any other.
        case Shape::Car: {
            const Field& field = CarFields()[static_cast<std::size_t>(frame.field)];
            return {field.shape, frame.into + field.offset, field.size};
        }
        case Shape::Parameters:
            return {Shape::Single, frame.into + sizeof(float) * static_cast<std::size_t>(frame.field), 0};
        case Shape::Polys:
        case Shape::Corners:
        case Shape::Bytes:
        case Shape::Points:
        case Shape::Point:
        case Shape::Raws:
            if (entry < frame.size) {
                const json::Entry of = json::EntryOf(frame.shape);
                return {of.shape, frame.into + of.stride * entry, of.size};
            }
            fault(path(frames_.size() - 1), FormOf(frame.shape, frame.size));
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
                                 : slot.shape == Shape::Cars || json::EntryOf(slot.shape).shape != Shape::Skip;
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

}  // namespace

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
        result.error = QStringLiteral("line %1, column %2: %3").arg(at.line).arg(at.column).arg(json::ParseFault(parsed.Code()));
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
