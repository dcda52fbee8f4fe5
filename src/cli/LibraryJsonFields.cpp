#include "LibraryJsonFields.h"

#include <QRegularExpression>

#include <utility>

namespace cli::json {

using modLoad::CarRecord;
using modLoad::Poly;
using modLoad::RawVector;
using modLoad::Vector;

namespace {

// The walk's fields as they lie in a record.
class FieldList {
public:
    FieldList() { WalkRecord(std::as_const(base_), *this); }

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

}  // namespace

QByteArray Quoted(const QString& text)
{
    const QList<uint> codes = text.toUcs4();
    Text out;
    out.makeRoom(QuotedCharRoom * static_cast<std::size_t>(codes.size()) + 2);
    AppendQuoted(out, codes);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

const std::vector<Field>& CarFields()
{
    static const FieldList list;
    return list.fields();
}

const std::array<std::string, modLoad::ParameterCount>& ParameterKeys()
{
    static const std::array<std::string, modLoad::ParameterCount> keys = [] {
        std::array<std::string, modLoad::ParameterCount> names;
        for (int i = 0; i < modLoad::ParameterCount; ++i)
            names[i] = modLoad::ParameterNames[i].toStdString();
        return names;
    }();
    return keys;
}

QString TooLargeForFloat()
{
    return QStringLiteral("is too large for a 32-bit float, whose largest is 3.4028235e38");
}

QString RootForm()
{
    return QStringLiteral("must be an object with the one field \"cars\", a list of cars");
}

QString CarsForm()
{
    return QStringLiteral("must hold 1 to %1 cars").arg(modLoad::MaxCars);
}

QString FormOf(Shape shape, std::size_t size)
{
    switch (shape) {
    case Shape::Root:
    case Shape::Cars:
        return RootForm();
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
        return QStringLiteral("must be a number, or a float's bits as a string of \"0x\" and 8 hex digits");
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

// A table of messages, one case a fault: the repeated shape is the table's.
QString ParseFault(rapidjson::ParseErrorCode code)
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

QString Member(const QString& path, const QString& key)
{
    static const QRegularExpression plain(QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*")));
    return plain.match(key).hasMatch() ? path + u'.' + key : path + u'[' + QString::fromUtf8(Quoted(key)) + u']';
}

QString Item(const QString& path, qsizetype index)
{
    return path + QStringLiteral("[%1]").arg(index);
}

}  // namespace cli::json
