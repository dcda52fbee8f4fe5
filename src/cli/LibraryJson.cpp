#include "LibraryJson.h"

#include "CarText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

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

QByteArray quoted(const QString& text)
{
    QByteArray out = "\"";
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (c == u'"' || c == u'\\')
            out += '\\' + QByteArray(1, static_cast<char>(code));
        // Controls, DEL and the invisible C1 range are escaped so a name shows what it holds.
        else if (IsControl(c))
            out += QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0')).toLatin1();
        else
            out += QString(c).toUtf8();
    }
    return out + '"';
}

QByteArray single(float value)
{
    if (const std::optional<QByteArray> decimal = ExactDecimal(value))
        return *decimal;
    return "\"0x" + QByteArray::number(std::bit_cast<std::uint32_t>(value), 16).rightJustified(8, '0') + '"';
}

QByteArray vector(const Vector& v)
{
    return '[' + single(v.X) + ", " + single(v.Y) + ", " + single(v.Z) + ']';
}

QByteArray rawHex(const RawVector& v)
{
    std::uint8_t bytes[12];
    modLoad::WriteLittle32(v.X, bytes);
    modLoad::WriteLittle32(v.Y, bytes + 4);
    modLoad::WriteLittle32(v.Z, bytes + 8);
    return '"' + QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes).toHex() + '"';
}

class JsonOut {
public:
    explicit JsonOut(int depth) : depth_(depth) {}

    QByteArray object(int depth) const { return block('{', '}', depth); }

    void name(const char* key, const modLoad::CarName& name)
    {
        add(key, quoted(QString::fromLatin1(name.data(), name.size())));
    }
    void hex(const char* key, const void* data, std::size_t size)
    {
        add(key, '"' + QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(size)).toHex() + '"');
    }
    void raw(const char* key, const RawVector& v) { add(key, rawHex(v)); }
    void byte(const char* key, std::uint8_t v) { add(key, QByteArray::number(v)); }
    void parameters(const char* key, const std::array<float, modLoad::ParameterCount>& values)
    {
        JsonOut inner(depth_ + 1);
        for (int i = 0; i < modLoad::ParameterCount; ++i)
            inner.fields_ << quoted(modLoad::ParameterNames[i]) + ": " + single(values[i]);
        add(key, inner.object(depth_));
    }
    template <std::size_t N>
    void polys(const char* key, const std::array<Poly, N>& polys)
    {
        QList<QByteArray> items;
        for (const Poly& p : polys)
            items << '[' + QByteArray::number(p.A) + ", " + QByteArray::number(p.B) + ", " + QByteArray::number(p.C) + ']';
        add(key, lines(items));
    }
    template <std::size_t N>
    void bytes(const char* key, const std::array<std::uint8_t, N>& values)
    {
        QList<QByteArray> items;
        for (const std::uint8_t v : values)
            items << QByteArray::number(v);
        add(key, '[' + items.join(", ") + ']');
    }
    template <std::size_t N>
    void vectors(const char* key, const std::array<Vector, N>& values)
    {
        QList<QByteArray> items;
        for (const Vector& v : values)
            items << vector(v);
        add(key, lines(items));
    }
    template <std::size_t N>
    void raws(const char* key, const std::array<RawVector, N>& values)
    {
        QList<QByteArray> items;
        for (const RawVector& v : values)
            items << rawHex(v);
        add(key, lines(items));
    }

private:
    void add(const char* key, const QByteArray& value) { fields_ << '"' + QByteArray(key) + "\": " + value; }

    // An array with one entry per line, one level deeper than the fields.
    QByteArray lines(const QList<QByteArray>& items) const
    {
        JsonOut inner(depth_ + 1);
        inner.fields_ = items;
        return inner.block('[', ']', depth_);
    }

    QByteArray block(char open, char close, int outerDepth) const
    {
        const QByteArray indent(2 * depth_, ' ');
        return open + ('\n' + indent + fields_.join(",\n" + indent)) + '\n' + QByteArray(2 * outerDepth, ' ') +
               close;
    }

    int depth_;
    QList<QByteArray> fields_;
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

const QString FloatForm = QStringLiteral(
    "must be a number, or a float's bits as a string of \"0x\" and 8 hex digits");

class JsonIn {
public:
    JsonIn(const QJsonObject& object, const QString& path, QString& error)
        : object_(object), path_(path), error_(error)
    {
    }

    // Every key of the object must be one the walk asks for.
    void refuseUnknown(const QStringList& known, const QString& what)
    {
        for (const QString& key : object_.keys())
            if (!known.contains(key))
                fail(member(path_, key), QStringLiteral("is not %1").arg(what));
    }

    void name(const char* key, modLoad::CarName& name)
    {
        const QJsonValue v = field(key);
        const QString text = v.toString();
        const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
        if (!v.isString() || text.size() > modLoad::NameLength || !latin1)
            return fail(member(path_, key), QStringLiteral("must be a text of at most 13 characters, each from "
                                                           "U+0000 to U+00FF (the bytes of the name)"));
        if (text.size() < modLoad::NameLength)
            return void(name = modLoad::StoredName(text));
        for (int i = 0; i < modLoad::NameLength; ++i)
            name[i] = static_cast<char>(text[i].unicode());
    }
    void hex(const char* key, void* data, std::size_t size)
    {
        const std::optional<QByteArray> bytes = hexBytes(field(key), member(path_, key), size);
        if (bytes)
            std::memcpy(data, bytes->constData(), size);
    }
    void raw(const char* key, RawVector& v) { rawFrom(field(key), member(path_, key), v); }
    void byte(const char* key, std::uint8_t& v) { byteFrom(field(key), member(path_, key), v); }
    void parameters(const char* key, std::array<float, modLoad::ParameterCount>& values)
    {
        const QString path = member(path_, key);
        const QJsonValue v = field(key);
        if (!v.isObject())
            return fail(path, QStringLiteral("must be an object of the 40 parameters by name"));
        JsonIn inner(v.toObject(), path, error_);
        const QStringList names(modLoad::ParameterNames.begin(), modLoad::ParameterNames.end());
        inner.refuseUnknown(names, QStringLiteral("a parameter name"));
        for (int i = 0; i < modLoad::ParameterCount; ++i)
            inner.singleFrom(inner.field(names[i]), member(path, names[i]), values[i]);
    }
    template <std::size_t N>
    void polys(const char* key, std::array<Poly, N>& polys)
    {
        const QString path = member(path_, key);
        const QJsonArray list = array(field(key), path, N, QStringLiteral("triangles of 3 corners"));
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonArray corners = array(list[i], item(path, i), 3, QStringLiteral("corners"));
            std::uint8_t* const abc[] = {&polys[i].A, &polys[i].B, &polys[i].C};
            for (qsizetype k = 0; k < corners.size(); ++k)
                byteFrom(corners[k], item(item(path, i), k), *abc[k]);
        }
    }
    template <std::size_t N>
    void bytes(const char* key, std::array<std::uint8_t, N>& values)
    {
        const QString path = member(path_, key);
        const QJsonArray list = array(field(key), path, N, QStringLiteral("whole numbers"));
        for (qsizetype i = 0; i < list.size(); ++i)
            byteFrom(list[i], item(path, i), values[i]);
    }
    template <std::size_t N>
    void vectors(const char* key, std::array<Vector, N>& values)
    {
        const QString path = member(path_, key);
        const QJsonArray list = array(field(key), path, N, QStringLiteral("points [X, Y, Z]"));
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonArray xyz = array(list[i], item(path, i), 3, QStringLiteral("numbers X, Y, Z"));
            float* const parts[] = {&values[i].X, &values[i].Y, &values[i].Z};
            for (qsizetype k = 0; k < xyz.size(); ++k)
                singleFrom(xyz[k], item(item(path, i), k), *parts[k]);
        }
    }
    template <std::size_t N>
    void raws(const char* key, std::array<RawVector, N>& values)
    {
        const QString path = member(path_, key);
        const QJsonArray list = array(field(key), path, N, QStringLiteral("hex strings of 12 bytes"));
        for (qsizetype i = 0; i < list.size(); ++i)
            rawFrom(list[i], item(path, i), values[i]);
    }

private:
    QJsonValue field(const QString& key)
    {
        if (!object_.contains(key))
            fail(member(path_, key), QStringLiteral("is missing"));
        return object_.value(key);
    }

    void fail(const QString& path, const QString& what)
    {
        if (error_.isEmpty())
            error_ = path + QStringLiteral(": ") + what;
    }

    // The array when it has exactly the size asked for, else an empty one and a fault.
    QJsonArray array(const QJsonValue& v, const QString& path, std::size_t size, const QString& entries)
    {
        if (!error_.isEmpty())
            return {};
        if (!v.isArray() || static_cast<std::size_t>(v.toArray().size()) != size) {
            fail(path, QStringLiteral("must be a list of %1 %2").arg(size).arg(entries));
            return {};
        }
        return v.toArray();
    }

    void byteFrom(const QJsonValue& v, const QString& path, std::uint8_t& out)
    {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d < 0 || d > 255 || d != std::floor(d))
            return fail(path, QStringLiteral("must be a whole number from 0 to 255"));
        out = static_cast<std::uint8_t>(d);
    }

    void singleFrom(const QJsonValue& v, const QString& path, float& out)
    {
        if (v.isString()) {
            static const QRegularExpression bits(QRegularExpression::anchoredPattern(QStringLiteral("0x[0-9A-Fa-f]{8}")));
            if (!bits.match(v.toString()).hasMatch())
                return fail(path, FloatForm);
            out = std::bit_cast<float>(v.toString().mid(2).toUInt(nullptr, 16));
            return;
        }
        if (!v.isDouble())
            return fail(path, FloatForm);
        const double d = v.toDouble();
        // Halfway between the largest float and the next power of two rounds to infinity.
        if (!(std::fabs(d) < 0x1.ffffffp127))
            return fail(path, QStringLiteral("is out of the range of a 32-bit float"));
        out = static_cast<float>(d);
    }

    std::optional<QByteArray> hexBytes(const QJsonValue& v, const QString& path, std::size_t size)
    {
        static const QRegularExpression digits(QRegularExpression::anchoredPattern(QStringLiteral("([0-9A-Fa-f]{2})*")));
        const QString text = v.toString();
        if (!v.isString() || static_cast<std::size_t>(text.size()) != 2 * size || !digits.match(text).hasMatch()) {
            fail(path, QStringLiteral("must be %1 bytes as a string of %2 hex digits").arg(size).arg(2 * size));
            return std::nullopt;
        }
        return QByteArray::fromHex(text.toLatin1());
    }

    void rawFrom(const QJsonValue& v, const QString& path, RawVector& out)
    {
        if (const std::optional<QByteArray> bytes = hexBytes(v, path, 12)) {
            const auto* b = reinterpret_cast<const std::uint8_t*>(bytes->constData());
            out.X = modLoad::ReadLittle32(b);
            out.Y = modLoad::ReadLittle32(b + 4);
            out.Z = modLoad::ReadLittle32(b + 8);
        }
    }

    QJsonObject object_;
    QString path_;
    QString& error_;
};

// The keys the walk asks for, so that no other key slips through unread.
class KeyList {
public:
    QStringList keys;
    void name(const char* key, const auto&...) { keys << QLatin1String(key); }
    void hex(const char* key, const auto&...) { keys << QLatin1String(key); }
    void raw(const char* key, const auto&...) { keys << QLatin1String(key); }
    void byte(const char* key, const auto&...) { keys << QLatin1String(key); }
    void parameters(const char* key, const auto&...) { keys << QLatin1String(key); }
    void polys(const char* key, const auto&...) { keys << QLatin1String(key); }
    void bytes(const char* key, const auto&...) { keys << QLatin1String(key); }
    void vectors(const char* key, const auto&...) { keys << QLatin1String(key); }
    void raws(const char* key, const auto&...) { keys << QLatin1String(key); }
};

QString lineAndColumn(const QByteArray& json, qsizetype offset)
{
    const QByteArray before = json.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

// The string that starts at the quote at json[at], decoded; at ends past its
// closing quote. Empty for an escape JSON does not have, which Qt's reader
// would take as the letter escaped; at is then at the backslash.
std::optional<QString> readString(const QByteArray& json, qsizetype& at)
{
    static constexpr char Escapes[] = "\"\\/bfnrt", Meant[] = "\"\\/\b\f\n\r\t";
    QString text;
    qsizetype run = ++at;
    while (json[at] != '"') {
        if (json[at] != '\\') {
            ++at;
            continue;
        }
        text += QString::fromUtf8(json.constData() + run, at - run);
        const char escape = json[at + 1];
        if (escape == 'u') {
            // Qt's reader has made sure of the four hex digits.
            text += QChar(json.mid(at + 2, 4).toUShort(nullptr, 16));
            at += 6;
        } else if (const char* known = escape ? std::strchr(Escapes, escape) : nullptr) {
            text += QLatin1Char(Meant[known - Escapes]);
            at += 2;
        } else {
            return std::nullopt;
        }
        run = at;
    }
    text += QString::fromUtf8(json.constData() + run, at - run);
    ++at;
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool inNumber(char c)
{
    return isDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
}

// Whether the text is a number as JSON writes one: Qt's reader also takes ".5" and "1.".
bool jsonNumber(const char* p, const char* end)
{
    const auto digits = [&] {
        const char* first = p;
        while (p != end && isDigit(*p))
            ++p;
        return p != first;
    };
    if (p != end && *p == '-')
        ++p;
    if (p != end && *p == '0')
        ++p;
    else if (!digits())
        return false;
    if (p != end && *p == '.' && (++p, !digits()))
        return false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        if (!digits())
            return false;
    }
    return p == end;
}

// What Qt's reader lets through, found on text it has accepted: an escape or
// a number that JSON does not have, and a key given twice in one object, of
// which Qt would keep only the last. The first such fault, or empty.
QString strictFault(const QByteArray& json)
{
    struct Level {
        bool object;
        qsizetype index = 0;  // of the array's entry
        QString key;          // the object's member being read
        QSet<QString> keys;
        bool wantKey = true;
    };
    std::vector<Level> open;
    // Made only for a fault: the path of the value the first levels lead to.
    const auto pathOf = [&open](std::size_t levels) {
        QString path = QStringLiteral("$");
        for (std::size_t i = 0; i < levels; ++i)
            path = open[i].object ? member(path, open[i].key) : item(path, open[i].index);
        return path;
    };
    for (qsizetype at = 0; at < json.size();) {
        const char c = json[at];
        if (c == '{' || c == '[') {
            open.push_back({c == '{', 0, {}, {}, true});
            ++at;
        } else if (c == '}' || c == ']') {
            open.pop_back();
            ++at;
        } else if (c == ',') {
            if (open.back().object)
                open.back().wantKey = true;
            else
                ++open.back().index;
            ++at;
        } else if (c == '"') {
            const qsizetype start = at;
            std::optional<QString> text = readString(json, at);
            if (!text)
                return lineAndColumn(json, at) + QStringLiteral(": invalid escape sequence");
            if (!open.empty() && open.back().object && open.back().wantKey) {
                Level& level = open.back();
                if (level.keys.contains(*text))
                    return member(pathOf(open.size() - 1), *text) +
                           QStringLiteral(": is given twice; the second is at %1").arg(lineAndColumn(json, start));
                level.keys.insert(*text);
                level.key = std::move(*text);
                level.wantKey = false;
            }
        } else if (c == '-' || c == '.' || isDigit(c)) {
            const qsizetype start = at;
            while (at < json.size() && inNumber(json[at]))
                ++at;
            if (!jsonNumber(json.constData() + start, json.constData() + at))
                return lineAndColumn(json, start) + QStringLiteral(": illegal number");
        } else {
            ++at;
        }
    }
    return {};
}

}  // namespace

QByteArray DumpJson(const modLoad::CarTable& cars)
{
    modLoad::FillParameterNames();
    QList<QByteArray> objects;
    for (const CarRecord& car : cars) {
        JsonOut fields(3);
        walkRecord(car, fields);
        objects << fields.object(2);
    }
    return "{\n  \"cars\": [\n    " + objects.join(",\n    ") + "\n  ]\n}\n";
}

JsonLibrary BuildFromJson(const QByteArray& json)
{
    modLoad::FillParameterNames();
    JsonLibrary result;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = lineAndColumn(json, parseError.offset) + QStringLiteral(": ") + parseError.errorString();
        return result;
    }
    if (result.error = strictFault(json); !result.error.isEmpty())
        return result;
    const QString top = QStringLiteral("$");
    const QJsonObject root = document.object();
    const QJsonValue cars = root.value(QLatin1String("cars"));
    if (!document.isObject() || root.size() != 1 || !cars.isArray()) {
        result.error = top + QStringLiteral(": must be an object with the one field \"cars\", a list of cars");
        return result;
    }
    const QJsonArray list = cars.toArray();
    const QString path = member(top, QStringLiteral("cars"));
    if (list.isEmpty() || list.size() > modLoad::MaxCars) {
        result.error = path + QStringLiteral(": must hold 1 to %1 cars").arg(modLoad::MaxCars);
        return result;
    }
    KeyList keyList;
    CarRecord blank{};
    walkRecord(blank, keyList);
    result.cars.assign(static_cast<std::size_t>(list.size()), CarRecord{});
    for (qsizetype i = 0; i < list.size() && result.error.isEmpty(); ++i) {
        if (!list[i].isObject()) {
            result.error = item(path, i) + QStringLiteral(": must be an object of a car's fields");
            break;
        }
        JsonIn in(list[i].toObject(), item(path, i), result.error);
        in.refuseUnknown(keyList.keys, QStringLiteral("a field of a car"));
        walkRecord(result.cars[static_cast<std::size_t>(i)], in);
    }
    if (!result.error.isEmpty())
        result.cars.clear();
    return result;
}

}  // namespace cli
