#include "ObjLines.h"
#include "ObjPolygon.h"
#include "ObjReader.h"

#include "NumberText.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace modOBJ {

std::vector<ObjVertex> ObjVertices;
std::vector<ObjFace> ObjFaces;
std::vector<ObjVertex> ObjNormals;

namespace {

using modLoad::FileFault;
using modLoad::FileResult;
using modLoad::MaxPolys;
using modLoad::MaxVertices;

// A token as a message quotes it: cut short and control characters shown as
// "?", so a line of junk stays readable.
QString quoted(std::string_view token)
{
    constexpr qsizetype longest = 24;
    const std::size_t bytes = std::min<std::size_t>(token.size(), 4 * longest);
    QString text = QString::fromUtf8(token.data(), static_cast<qsizetype>(bytes));
    const bool cut = text.size() > longest || token.size() > 4 * longest;
    text.truncate(longest);
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            c = QLatin1Char('?');
    }
    return QLatin1Char('"') + text + (cut ? QLatin1String("...\"") : QLatin1String("\""));
}

FileResult lineFault(const QString& fileName, qint64 line, const QString& what)
{
    return FileFault(Text::tr("Line %2 of \"%1\" %3"), fileName, QString::number(line), what);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The tokens of one line, separated by runs of spaces and tabs, up to a "#",
// which starts a comment anywhere on the line.
class Tokens {
public:
    explicit Tokens(std::string_view line) : p_(line.data()), end_(line.data() + line.size()) {}

    // The next token; empty at the end of the line.
    std::string_view next()
    {
        while (p_ != end_ && isBlank(*p_))
            ++p_;
        const char* const start = p_;
        // Once at the "#", every further token is empty.
        while (p_ != end_ && !isBlank(*p_) && *p_ != '#')
            ++p_;
        return {start, static_cast<std::size_t>(p_ - start)};
    }

private:
    const char* p_;
    const char* const end_;
};

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
        if (!numbertext::IsDigit(c))
            return false;
        value = std::min(value * 10 + (c - '0'), 100'000);
    }
    value = negative ? -value : value;
    if (value < INT16_MIN || value > INT16_MAX)
        return false;
    number = value;
    return true;
}

// Reads the lines of one file into the tables. For a car, the first line that
// keeps the mesh from fitting one is refused at once.
class Parser {
public:
    Parser(const QString& fileName, bool forCar) : fileName_(fileName), forCar_(forCar) {}

    FileResult line(std::string_view text, qint64 number)
    {
        Tokens tokens(text);
        const std::string_view kind = tokens.next();
        if (kind == "v")
            return vertex(tokens, number);
        if (kind == "f")
            return face(tokens, number);
        return {};
    }

    // After the last line: the polygons that name vertices yet to come split,
    // and the room kept for their triangles closed up.
    FileResult finish()
    {
        if (forCar_) {
            if (ObjVertices.empty())
                return FileFault(Text::tr("\"%1\" has no vertex lines, so there is no model to import."), fileName_);
            if (highest_ >= std::ssize(ObjVertices))
                return misfit(Text::tr("line %1 names vertex %2, and the file has vertices 1 to %3.")
                                  .arg(highestLine_)
                                  .arg(highest_ + 1)
                                  .arg(ObjVertices.size()));
        }
        const auto faces = ObjFaces.begin();
        std::size_t to = 0, from = 0;
        for (const Polygon& polygon : polygons_) {
            const auto corners = std::span(polygonCorners_).subspan(polygon.corners, polygon.count);
            if (!std::all_of(corners.begin(), corners.end(), NamesVertex))
                return lineFault(fileName_, polygon.line,
                                 Text::tr("is a face with a corner that names no vertex of the file, so it "
                                          "cannot be split into triangles."));
            to = static_cast<std::size_t>(std::move(faces + from, faces + polygon.firstFace, faces + to) - faces);
            --pending_;
            const SplitResult split = SplitPolygon(corners, &ObjFaces[to], room());
            if (split.fault != PolygonFault::None)
                return polygonFault(split, 0, polygon.line);
            to += split.triangles;
            exact_ += split.triangles;
            from = polygon.firstFace + polygon.count - 2;
        }
        ObjFaces.erase(faces + to, faces + from);
        return {};
    }

private:
    // A face of more than three corners, split once the file is read.
    struct Polygon {
        std::size_t firstFace;
        qint64 line;
        std::size_t corners;
        std::size_t count;
    };

    FileResult misfit(const QString& why) const
    {
        return FileFault(Text::tr("The model in \"%1\" does not fit a car: %2"), fileName_, why);
    }

    FileResult vertex(Tokens& tokens, qint64 line)
    {
        if (forCar_ && ObjVertices.size() == MaxVertices)
            return misfit(Text::tr("line %1 holds vertex %2, and a car holds at most %3 vertices.")
                              .arg(line)
                              .arg(MaxVertices + 1)
                              .arg(MaxVertices));
        ObjVertex v{0.0f, 0.0f, 0.0f, 0};
        for (float* const coordinate : {&v.X, &v.Y, &v.Z}) {
            const std::string_view token = tokens.next();
            if (token.empty())
                return lineFault(fileName_, line, Text::tr("is a vertex with fewer than three coordinates."));
            // Whatever the locale; a number too small for a float reads as the zero of its sign.
            switch (numbertext::ReadDecimal(token, *coordinate)) {
            case numbertext::Decimal::NotANumber:
                return lineFault(fileName_, line, Text::tr("has %1 where a number should be.").arg(quoted(token)));
            case numbertext::Decimal::TooLarge:
                return lineFault(fileName_, line,
                                 Text::tr("has %1, a number too large for a model.").arg(quoted(token)));
            case numbertext::Decimal::TooSmall:
            case numbertext::Decimal::Single:
                break;
            }
        }
        ObjVertices.push_back(v);
        return {};
    }

    FileResult face(Tokens& tokens, qint64 line)
    {
        corners_.clear();
        for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next()) {
            std::int32_t number;
            if (!readCorner(token, number))
                return lineFault(fileName_, line,
                                 Text::tr("has the face corner %1; a corner is a vertex number from -32768 to "
                                          "32767.")
                                     .arg(quoted(token)));
            // A negative number counts back from the last vertex read so far.
            const std::int32_t corner = number < 0 ? static_cast<std::int32_t>(ObjVertices.size()) + number : number - 1;
            if (forCar_) {
                if (FileResult fits = cornerFits(token, corner, line); !fits)
                    return fits;
            }
            corners_.push_back(corner);
        }
        if (corners_.size() < 3)
            return lineFault(fileName_, line,
                             Text::tr("is a face with %1 corners; a face needs at least three.")
                                 .arg(corners_.size()));
        ++faces_;
        if (corners_.size() == 3) {
            if (room() == 0)
                return polygonFault({PolygonFault::TooMany, 1}, line, line);
            ObjFaces.push_back({0, {corners_[0], corners_[1], corners_[2]}});
            ++exact_;
            return {};
        }
        const std::size_t first = ObjFaces.size();
        ObjFaces.resize(first + corners_.size() - 2, ObjFace{0, {-1, -1, -1}});
        if (std::all_of(corners_.begin(), corners_.end(), NamesVertex)) {
            const SplitResult split = SplitPolygon(corners_, &ObjFaces[first], room());
            if (split.fault != PolygonFault::None)
                return polygonFault(split, line, line);
            ObjFaces.resize(first + split.triangles);
            exact_ += split.triangles;
            return {};
        }
        // Split once every vertex is known; it makes one triangle at least.
        if (room() == 0)
            return polygonFault({PolygonFault::TooMany, 1}, line, line);
        polygons_.push_back({first, line, polygonCorners_.size(), corners_.size()});
        polygonCorners_.insert(polygonCorners_.end(), corners_.begin(), corners_.end());
        ++pending_;
        return {};
    }

    // How many more triangles a car takes, counting a polygon yet to be split as one.
    std::size_t room() const
    {
        const std::size_t taken = exact_ + pending_;
        constexpr auto most = static_cast<std::size_t>(MaxPolys);
        return !forCar_ ? std::numeric_limits<std::size_t>::max() : taken < most ? most - taken : 0;
    }

    // Why the polygon (or triangle) of `line` cannot be taken; `upTo` is the
    // line read so far, 0 after the last.
    FileResult polygonFault(const SplitResult& split, qint64 upTo, qint64 line) const
    {
        switch (split.fault) {
        case PolygonFault::OnALine:
            return lineFault(fileName_, line,
                             Text::tr("is a face whose corners all lie on one line, so it cannot be split "
                                      "into triangles."));
        case PolygonFault::Crossing:
            return lineFault(fileName_, line,
                             Text::tr("is a face whose edges cross or fold over one another, so it cannot be "
                                      "split into triangles; split it into faces that do not."));
        default:
            break;
        }
        // A polygon yet to be split counts as one triangle: the count is then the least it can be.
        const std::size_t made = exact_ + pending_ + split.triangles;
        if (upTo > 0)
            return misfit((pending_ > 0 ? Text::tr("up to line %1 its %2 faces make at least %3 triangles, and a car "
                                                   "holds at most %4.")
                                        : Text::tr("up to line %1 its %2 faces make %3 triangles, and a car holds at "
                                                   "most %4."))
                              .arg(upTo)
                              .arg(faces_)
                              .arg(made)
                              .arg(MaxPolys));
        return misfit((pending_ > 0 ? Text::tr("its %1 faces make at least %2 triangles, and a car holds at most %3.")
                                    : Text::tr("its %1 faces make %2 triangles, and a car holds at most %3."))
                          .arg(faces_)
                          .arg(made)
                          .arg(MaxPolys));
    }

    // A corner that can name no vertex a car holds is refused at its line; one
    // that names a vertex yet to come is checked at the end.
    FileResult cornerFits(std::string_view token, std::int32_t corner, qint64 line)
    {
        if (corner < 0)
            return lineFault(fileName_, line,
                             Text::tr("has the face corner %1, which names no vertex: vertices count from 1, "
                                      "or back from -1 for the last one read, and %2 come before it.")
                                 .arg(quoted(token))
                                 .arg(ObjVertices.size()));
        if (corner >= MaxVertices)
            return misfit(Text::tr("line %1 names vertex %2, and a car holds at most %3 vertices.")
                              .arg(line)
                              .arg(corner + 1)
                              .arg(MaxVertices));
        if (corner > highest_) {
            highest_ = corner;
            highestLine_ = line;
        }
        return {};
    }

    const QString& fileName_;
    const bool forCar_;
    std::vector<std::int32_t> corners_;
    std::vector<Polygon> polygons_;
    std::vector<std::int32_t> polygonCorners_;
    qint64 faces_ = 0;
    // Triangles made so far, and polygons yet to be split.
    std::size_t exact_ = 0;
    std::size_t pending_ = 0;
    std::int32_t highest_ = -1;
    qint64 highestLine_ = 0;
};

}  // namespace

FileResult ReadMesh(const QString& fileName, bool forCar)
{
    ObjVertices.clear();
    ObjFaces.clear();
    ObjNormals.clear();
    ObjLines lines(fileName);
    Parser parser(fileName, forCar);
    FileResult result = lines.open();
    std::string_view line;
    while (result && lines.next(line))
        result = parser.line(line, lines.number());
    if (result)
        result = lines.result();
    if (result)
        result = parser.finish();
    if (!result) {
        ObjVertices.clear();
        ObjFaces.clear();
    }
    return result;
}

FileResult ReadOBJMesh(const QString& fileName)
{
    return ReadMesh(fileName, false);
}

FileResult ReadOBJ(const QString& fileName)
{
    FileResult result = ReadOBJMesh(fileName);
    if (result)
        ComputeNormals();
    return result;
}

}  // namespace modOBJ
