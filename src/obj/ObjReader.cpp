#include "modOBJ.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

namespace modOBJ {

std::vector<ObjVertex> ObjVertices;
std::vector<ObjFace> ObjFaces;
std::vector<ObjVertex> ObjNormals;

namespace {

using modLoad::FileResult;

// A token as a message quotes it: cut short and control characters shown as
// "?", so a line of junk stays readable.
QString quoted(std::string_view token)
{
    constexpr std::size_t longest = 24;
    QString text = QString::fromLatin1(token.data(), static_cast<qsizetype>(std::min(token.size(), longest)));
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('?');
    }
    return QLatin1Char('"') + text + (token.size() > longest ? QLatin1String("...\"") : QLatin1String("\""));
}

FileResult lineFault(const QString& fileName, qsizetype line, const QString& what)
{
    return modLoad::FileFault("Line %2 of \"%1\" %3", fileName, QString::number(line), what);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The tokens of one line, separated by runs of spaces and tabs.
class Tokens {
public:
    Tokens(const char* begin, const char* end) : p_(begin), end_(end) {}

    // The next token; empty at the end of the line.
    std::string_view next()
    {
        while (p_ != end_ && isBlank(*p_))
            ++p_;
        const char* const start = p_;
        while (p_ != end_ && !isBlank(*p_))
            ++p_;
        return {start, static_cast<std::size_t>(p_ - start)};
    }

private:
    const char* p_;
    const char* const end_;
};

// For a number beyond float range (digits without a sign), whether it lies
// below it rather than above: the sign of its decimal exponent tells.
bool belowFloatRange(std::string_view number)
{
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    // Never npos: a number of zeros is never out of range.
    const auto lead = static_cast<long long>(mantissa.find_first_of("123456789"));
    long long exponent = lead < point ? point - lead - 1 : point - lead;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = digits.front() == '-';
        if (!isDigit(digits.front()))
            digits.remove_prefix(1);
        long long value = 0;
        for (const char c : digits)
            value = std::min(value * 10 + (c - '0'), 1'000'000'000'000LL);
        exponent += negative ? -value : value;
    }
    return exponent < 0;
}

enum class Number { Read, NotANumber, TooLarge };

// A coordinate as OBJ writes it, whatever the locale: an optional sign, digits
// with an optional point and fraction, an optional exponent. A number too
// small for a float reads as zero of its sign.
Number readSingle(std::string_view token, float& value)
{
    const bool negative = token.front() == '-';
    std::string_view digits = token;
    if (negative || token.front() == '+')
        digits.remove_prefix(1);
    // from_chars alone would also take "inf", "nan" and a second sign.
    if (digits.empty() || !(isDigit(digits.front()) || digits.front() == '.'))
        return Number::NotANumber;
    const char* const first = negative ? token.data() : digits.data();
    const char* const end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(first, end, value);
    if (stop != end || error == std::errc::invalid_argument)
        return Number::NotANumber;
    if (error == std::errc::result_out_of_range) {
        if (!belowFloatRange(digits))
            return Number::TooLarge;
        value = negative ? -0.0f : 0.0f;
    }
    return Number::Read;
}

// A face corner's vertex number: the text before any "/", a whole number in the 16-bit range.
bool readCorner(std::string_view token, std::int32_t& number)
{
    std::string_view digits = token.substr(0, token.find('/'));
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative || (!digits.empty() && digits.front() == '+'))
        digits.remove_prefix(1);
    if (digits.empty())
        return false;
    std::int32_t value = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            return false;
        value = std::min(value * 10 + (c - '0'), 100'000);
    }
    value = negative ? -value : value;
    if (value < INT16_MIN || value > INT16_MAX)
        return false;
    number = value;
    return true;
}

class Parser {
public:
    explicit Parser(const QString& fileName) : fileName_(fileName) {}

    FileResult vertex(Tokens& tokens, qsizetype line)
    {
        ObjVertex v{0.0f, 0.0f, 0.0f, 0};
        for (float* const coordinate : {&v.X, &v.Y, &v.Z}) {
            const std::string_view token = tokens.next();
            if (token.empty())
                return lineFault(fileName_, line, QStringLiteral("is a vertex with fewer than three coordinates."));
            switch (readSingle(token, *coordinate)) {
            case Number::NotANumber:
                return lineFault(fileName_, line, QStringLiteral("has %1 where a number should be.").arg(quoted(token)));
            case Number::TooLarge:
                return lineFault(fileName_, line, QStringLiteral("has %1, a number too large for a model.").arg(quoted(token)));
            case Number::Read:
                break;
            }
        }
        ObjVertices.push_back(v);
        return {};
    }

    FileResult face(Tokens& tokens, qsizetype line)
    {
        std::array<std::string_view, 3> corners;
        int count = 0;
        for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next(), ++count) {
            if (count < 3)
                corners[count] = token;
        }
        if (count != 3)
            return lineFault(fileName_, line,
                             QStringLiteral("is a face with %1 corners; the mesh must be made of triangles.").arg(count));
        ObjFace f{0, {}};
        for (int k = 0; k < 3; ++k) {
            std::int32_t number;
            if (!readCorner(corners[k], number))
                return lineFault(fileName_, line,
                                 QStringLiteral("has the face corner %1; a corner is a vertex number from -32768 to 32767.")
                                     .arg(quoted(corners[k])));
            f.Corners[k] = number - 1;
        }
        ObjFaces.push_back(f);
        return {};
    }

    // Lines end at LF; a CR right before it is not part of the line.
    FileResult all(const QByteArray& text)
    {
        const char* p = text.constData();
        const char* const end = p + text.size();
        for (qsizetype line = 1;; ++line) {
            const auto* const lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            const char* stop = lf ? lf : end;
            if (lf && stop != p && stop[-1] == '\r')
                --stop;
            Tokens tokens(p, stop);
            const std::string_view kind = tokens.next();
            FileResult result;
            if (kind == "v")
                result = vertex(tokens, line);
            else if (kind == "f")
                result = face(tokens, line);
            if (!result)
                return result;
            if (!lf)
                return {};
            p = lf + 1;
        }
    }

private:
    const QString& fileName_;
};

FileResult readWhole(const QString& fileName, QByteArray& text)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return modLoad::FileFault("Cannot open \"%1\": %2.", fileName, file.errorString());
    // A device or pipe may never end.
    if (file.isSequential())
        return modLoad::FileFault("\"%1\" is not a file that holds a model.", fileName);
    if (file.size() > MaxFileSize)
        return modLoad::FileFault("\"%1\" is too large for a model: it has %2 MB, and the editor reads at most %3 MB.",
                      fileName, QString::number(file.size() >> 20), QString::number(MaxFileSize >> 20));
    text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return modLoad::FileFault("Cannot read \"%1\": %2.", fileName, file.errorString());
    return {};
}

}  // namespace

FileResult ReadOBJMesh(const QString& fileName)
{
    ObjVertices.clear();
    ObjFaces.clear();
    ObjNormals.clear();
    QByteArray text;
    FileResult result = readWhole(fileName, text);
    if (result)
        result = Parser(fileName).all(text);
    if (!result) {
        ObjVertices.clear();
        ObjFaces.clear();
    }
    return result;
}

FileResult ReadOBJ(const QString& fileName)
{
    FileResult result = ReadOBJMesh(fileName);
    if (result)
        ComputeNormals();
    return result;
}

}  // namespace modOBJ
