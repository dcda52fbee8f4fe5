// Runs the real velmar-car as a user would and reads what it prints.

#include "ContactSheet.h"
#include "QtPrinters.h"
#include "TestLibrary.h"
#include "WireFrame.h"
#include "modOBJ.h"

#include <QImage>
#include <QLineF>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace modLoad;
using namespace testlib;

namespace {

struct Result {
    int status;
    QString out;
    QString err;
};

const QString Demo = QStringLiteral(VELMAR_SOURCE_DIR "/samples/demo.car");

float bits(std::uint32_t b)
{
    return std::bit_cast<float>(b);
}

// Cars outside the model in every way a file can put them there, among cars
// inside it.
CarTable HostileCars()
{
    CarTable cars = MakeCars(6, 3, QStringLiteral("Hostile"));
    for (CarRecord& car : cars) {
        car.VertexCount = 4;
        car.PolyPointCount = 6;
        car.Polys[0] = {0, 1, 2};
        car.Polys[1] = {1, 2, 3};
    }
    cars[1].PolyPointCount = 255;
    cars[2].Polys[1] = {1, 2, 200};
    cars[2].VertexCount = 31;
    cars[3].Name = RawName("No NUL at all");
    cars[3].Parameters[34] = bits(0x7FA00001);  // a signalling NaN with a payload
    cars[3].Parameters[35] = -std::numeric_limits<float>::infinity();
    cars[3].Parameters[36] = -0.0f;
    // The float whose shortest decimal, read as a double and narrowed, gives its neighbour.
    cars[3].Parameters[37] = bits(0x15AE43FD);
    cars[3].Vertices[2].Y = std::numeric_limits<float>::quiet_NaN();
    cars[4].Name = RawName("\x1b[2J%1\x85\xE9\xFF\n\0  ");
    cars[5].Name = cars[0].Name;
    return cars;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        hostile = WriteLibrary(path("hostile.car"), HostileCars());
        inputs = {{Demo, ReadFile(Demo)}, {hostile, ReadFile(hostile)}};
    }

    // No command ever changes its input.
    void TearDown() override
    {
        for (const auto& [file, bytes] : inputs)
            EXPECT_EQ(ReadFile(file), bytes) << qPrintable(file);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    static Result run(const QStringList& args, const QByteArray& input = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        // As on a machine with no display: a command that wanted one would fail.
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VELMAR_CLI), args);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(120000)) << qPrintable(args.join(u' '));
        const Result result{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                            QString::fromUtf8(process.readAllStandardError())};
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << qPrintable(result.err);
        EXPECT_FALSE(result.err.contains(QLatin1String("Sanitizer")) || result.err.contains(QLatin1String("runtime error")))
            << qPrintable(result.err);
        return result;
    }

    QTemporaryDir dir;
    QString hostile;
    std::vector<std::pair<QString, QByteArray>> inputs;
};

TEST_F(Cli, DumpThenBuildGivesTheFileByteForByte)
{
    // Random bytes put NaNs with payloads, infinities and -0 in every float field.
    const QString random = path("random.car");
    WriteFile(random, LibraryFile(RandomBytes(40 * RecordSize, 11), 40));
    for (const QString& library : {Demo, hostile, random}) {
        const Result dumped = run({QStringLiteral("dump"), library});
        ASSERT_EQ(dumped.status, 0) << qPrintable(dumped.err);
        const QString built = path("built.car");
        WriteFile(path("dump.json"), dumped.out.toUtf8());
        ASSERT_EQ(run({QStringLiteral("build"), path("dump.json"), built}).status, 0);
        EXPECT_EQ(ReadFile(built), ReadFile(library)) << qPrintable(library);
        // The same through standard input.
        ASSERT_EQ(run({QStringLiteral("build"), QStringLiteral("-"), built}, dumped.out.toUtf8()).status, 0);
        EXPECT_EQ(ReadFile(built), ReadFile(library)) << qPrintable(library);
    }
    // What no table of cars keeps is told, not silently dropped.
    WriteFile(path("odd.car"), LibraryFile(Encoded(HostileCars()), 6, 1000) + "tail");
    const QString err = run({QStringLiteral("dump"), path("odd.car")}).err;
    EXPECT_TRUE(err.contains(QLatin1String("gives its record size as 1000")) &&
                err.contains(QLatin1String("the 4 bytes after the last car")))
        << qPrintable(err);
}

TEST_F(Cli, RefusesBrokenJsonWithThePathOfTheFirstFault)
{
    const QString json = run({QStringLiteral("dump"), Demo}).out;
    const auto replaced = [&json](const char* from, const char* to) {
        QString text = json;
        const qsizetype at = text.indexOf(QLatin1String(from));
        return at < 0 ? QString() : text.replace(at, qsizetype(std::strlen(from)), QLatin1String(to));
    };
    const std::pair<QString, const char*> cases[] = {
        {replaced("\"cars\": [", "\"cars\": [,"), "line 2, column 13"},
        {replaced("\"Power\": 420", "\"Power\": \"fast\""), "$.cars[0].Parameters.Power: must be a number"},
        {replaced("\"Top Speed\": 285", "\"Top Speed\": 1e39"), "$.cars[0].Parameters[\"Top Speed\"]: is out of"},
        {replaced("\"Mass\": 1250", "\"Mass\": \"0x123\""), "$.cars[0].Parameters.Mass: must be a number"},
        {replaced("\"Mass\": 1250", "\"Mas\": 1250"), "$.cars[0].Parameters.Mas: is not a parameter name"},
        {replaced("\"Name\": \"Comet GT", "\"Name\": \"Comet GT Turbo"), "$.cars[0].Name: must be a text of at most 13"},
        {replaced("[0, 1, 2]", "[0, 1, 256]"), "$.cars[0].Polys[0][2]: must be a whole number from 0 to 255"},
        {replaced("[0, 1, 2]", "[0, 1]"), "$.cars[0].Polys[0]: must be a list of 3"},
        {replaced("\"ExtraByte1\": 0", "\"ExtraByte1\": 0.5"), "$.cars[0].ExtraByte1: must be a whole number"},
        {replaced("\"Text3\": \"000000\"", "\"Text3\": \"00000g\""), "$.cars[0].Text3: must be 3 bytes"},
        {replaced("\"Normals\"", "\"Normal\""), "$.cars[0].Normal: is not a field of a car"},
        {replaced("\"HeadHidden\": 0,", ""), "$.cars[0].HeadHidden: is missing"},
        {QStringLiteral("{\"cars\": []}"), "$.cars: must hold 1 to 32767 cars"},
        {QStringLiteral("[]"), "$: must be an object"},
    };
    const QString out = path("out.car");
    for (const auto& [text, fault] : cases) {
        ASSERT_FALSE(text.isEmpty()) << fault;
        const Result built = run({QStringLiteral("build"), QStringLiteral("-"), out}, text.toUtf8());
        EXPECT_EQ(built.status, 1) << fault;
        EXPECT_TRUE(built.err.contains(QLatin1String(fault))) << qPrintable(built.err);
        EXPECT_FALSE(QFile::exists(out)) << fault;
    }
    // A name shorter than 13 characters is stored as the editor stores a new name.
    ASSERT_EQ(run({QStringLiteral("build"), QStringLiteral("-"), out}, replaced("Comet GT\\u0000    ", "Comet").toUtf8()).status, 0);
    CarTable cars;
    ASSERT_TRUE(LoadCars(out, cars));
    EXPECT_EQ(cars[0].Name, StoredName(QStringLiteral("Comet")));
}

TEST_F(Cli, RefusalsAndUsageErrorsSayWhatIsWrong)
{
    const QString copy = path("copy.car");
    QFile::copy(Demo, copy);
    const QString png = path("copy.png");
    QFile::copy(Demo, png);
    const std::tuple<QStringList, int, const char*> cases[] = {
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "\"frobnicate\" is not a command"},
        {{"list"}, 2, "usage: velmar-car list LIB"},
        {{"show", Demo}, 2, "usage: velmar-car show LIB CAR"},
        {{"--frob", "list", Demo}, 2, "Unknown option 'frob'"},
        {{"list", path("missing.car")}, 1, "Cannot open"},
        {{"show", Demo, "6"}, 1, "holds 6 cars, at positions 0 to 5; there is no car at position 6."},
        {{"show", Demo, "Nobody"}, 1, "holds no car named \"Nobody\""},
        {{"show", hostile, "Hostile 0"}, 1, "holds 2 cars named \"Hostile 0\", at positions 0, 5"},
        {{"export-obj", hostile, "1", path("x.obj")}, 1, "PolyPointCount 255 claims 85 triangles, and a model holds 40"},
        {{"export-obj", hostile, "2", path("x.obj")}, 1, "1 triangle in use names a vertex past 29 (triangle 1 names vertex 200)"},
        {{"export-obj", hostile, "3", path("x.obj")}, 1, "vertex 2 or its normal has a coordinate that is not a finite number"},
        {{"export-obj", copy, "0", copy}, 1, "is the library to read"},
        {{"build", copy, copy}, 1, "is the JSON to read"},
        {{"render", path("missing.car"), path("x.png")}, 1, "Cannot open"},
        {{"render", Demo, path("x.jpg")}, 1, "give the output a name that ends in .png"},
        {{"render", Demo, path("no/x.png")}, 1, "Could not write"},
        {{"render", png, png}, 1, "is the library to read"},
    };
    for (const auto& [args, status, message] : cases) {
        const Result result = run(args);
        EXPECT_EQ(result.status, status) << qPrintable(args.join(u' '));
        EXPECT_TRUE(result.err.contains(QLatin1String(message))) << qPrintable(result.err);
        EXPECT_TRUE(result.out.isEmpty()) << qPrintable(result.out);
    }
    EXPECT_FALSE(QFile::exists(path("x.obj")));
    EXPECT_EQ(ReadFile(copy), ReadFile(Demo));
    EXPECT_EQ(ReadFile(png), ReadFile(Demo));
    const Result help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QLatin1String("counted from 0"))) << qPrintable(help.out);
}

TEST_F(Cli, ListsAndShowsHostileCarsWithoutHarm)
{
    const QStringList lines = run({QStringLiteral("list"), hostile}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("0  Hostile 0             4 vertices   2 triangles"));
    EXPECT_TRUE(lines[1].contains(QLatin1String("85 triangles  (outside the model: PolyPointCount 255 claims 85 "
                                                "triangles, and a model holds 40")));
    EXPECT_TRUE(lines[3].startsWith(QLatin1String("3  No NUL at all  ")));
    // Controls escaped, a % left alone, Latin-1 letters as they are, the name ending at its NUL.
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("4  \\x1b[2J%1\\x85\u00e9\u00ff\\x0a  "))) << qPrintable(lines[4]);

    const Result shown = run({QStringLiteral("show"), hostile, QStringLiteral("3")});
    ASSERT_EQ(shown.status, 0);
    for (const char* row : {"Power                      NaN\n", "Top Speed                  -Infinity\n",
                            "Sliding                    0\n", "Triangles                  2\n"})
        EXPECT_TRUE(shown.out.contains(QLatin1String(row))) << row << qPrintable(shown.out);
    // By name, the same car.
    EXPECT_EQ(run({QStringLiteral("show"), hostile, QStringLiteral("No NUL at all")}).out, shown.out);
}

TEST_F(Cli, DiffPairsCarsAndNamesWhatChanged)
{
    const CarTable demo = [] {
        CarTable cars;
        LoadCars(Demo, cars);
        return cars;
    }();
    const auto diff = [&](CarTable cars) {
        const QString other = WriteLibrary(path("other.car"), cars);
        Result result = run({QStringLiteral("diff"), Demo, other});
        EXPECT_EQ(result.status, 0);
        return result.out.replace(other, QStringLiteral("B")).replace(Demo, QStringLiteral("A"));
    };
    EXPECT_EQ(diff(demo), QStringLiteral("The two libraries hold the same cars, byte for byte.\n"));

    CarTable removed = demo;
    removed.erase(removed.begin() + 2);
    removed[3].Parameters[34] = std::nextafter(removed[3].Parameters[34], 1e9f);
    EXPECT_EQ(diff(removed), QStringLiteral("\"A\" has 6 cars, \"B\" has 5.\n"
                                            "Car 2, \"Bluebird\": only in \"A\"\n"
                                            "Car 4 (3 in the second library), \"Hauler 9\":\n"
                                            "  Power: 190 -> 190 (bits 433e0000 -> 433e0001)\n"));

    CarTable changed = demo;
    changed[1].Name = StoredName(QStringLiteral("Mudlark II"));
    changed[1].PolyPointCount -= 3;
    changed[1].PolyColour[39] = 7;
    changed[1].HeadHidden = 7;
    changed[1].ExtraVectors[14].Z = 1;
    changed.push_back(demo[0]);
    EXPECT_EQ(diff(changed), QStringLiteral("\"A\" has 6 cars, \"B\" has 7.\n"
                                            "Car 1, \"Mudlark\":\n"
                                            "  name: \"Mudlark\" -> \"Mudlark II\"\n"
                                            "  triangles: 20 -> 19\n"
                                            "  head: shown -> hidden (HeadHidden 7)\n"
                                            "  model changed: triangle colours\n"
                                            "  fields of unknown use changed: ExtraVectors\n"
                                            "Car 6, \"Comet GT\": only in \"B\"\n"));
}

TEST_F(Cli, ExportsTheModelAsObj)
{
    CarTable cars;
    ASSERT_TRUE(LoadCars(Demo, cars));
    // A vertex past VertexCount that a triangle names is written too; -0 and
    // floats that a short decimal misses, exactly.
    CarRecord& car = cars[5];
    car.VertexCount = 18;
    car.Vertices[0] = {-0.0f, bits(0x15AE43FD), bits(0x3F800001)};
    const QString library = WriteLibrary(path("lib.car"), cars);
    const QString obj = path("car.obj");
    ASSERT_EQ(run({QStringLiteral("export-obj"), library, QStringLiteral("Ice Runner"), obj}).status, 0);
    const QByteArray text = ReadFile(obj);
    EXPECT_FALSE(text.contains('\r'));

    // The editor's Import reads back the vertices and the triangles.
    CarRecord imported{};
    ASSERT_TRUE(modOBJ::ImportOBJ(obj, imported));
    ASSERT_EQ(imported.VertexCount, 20);
    ASSERT_EQ(imported.PolyPointCount, car.PolyPointCount);
    EXPECT_EQ(0, std::memcmp(imported.Vertices.data(), car.Vertices.data(), 20 * sizeof(Vector)));
    EXPECT_EQ(0, std::memcmp(imported.Polys.data(), car.Polys.data(), UsedPolys(car) * sizeof(Poly)));

    // It computes normals of its own; the file carries the car's, one per vertex, named with it.
    std::vector<Vector> normals;
    static const QRegularExpression face(QStringLiteral("^f (\\d+)//\\1 (\\d+)//\\2 (\\d+)//\\3$"));
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> t = line.split(' ');
        if (t[0] == "vn")
            normals.push_back({t[1].toFloat(), t[2].toFloat(), t[3].toFloat()});
        if (t[0] == "f") {
            EXPECT_TRUE(face.match(QString::fromLatin1(line)).hasMatch()) << line.constData();
        }
    }
    ASSERT_EQ(normals.size(), 20u);
    EXPECT_EQ(0, std::memcmp(normals.data(), car.Normals.data(), 20 * sizeof(Vector)));
}

TEST_F(Cli, RendersATilePerCarWithInkWhereTheViewsLinesRun)
{
    CarTable demo;
    ASSERT_TRUE(LoadCars(Demo, demo));
    // More cars than one sheet shows go on sheets named for their positions.
    CarTable many;
    for (int i = 0; i < 9; ++i)
        many.insert(many.end(), demo.begin(), demo.end());
    // A model larger than its views is cut at their edges.
    for (Vector& v : many[0].Vertices)
        v = {v.X * 3, v.Y * 3, v.Z * 3};
    const QString library = WriteLibrary(path("many.car"), many);
    const std::tuple<QString, const CarTable&, QString, QStringList> runs[] = {
        {Demo, demo, QStringLiteral("demo.png"), {QStringLiteral("demo.png")}},
        {library, many, QStringLiteral("many%1.png"), {QStringLiteral("many%1-0-49.png"), QStringLiteral("many%1-50-53.png")}},
    };
    const editor::ViewAxes views[] = {editor::XYAxes, editor::YZAxes, editor::XZAxes};
    const auto ink = [](const QImage& sheet, QRect area) {
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                if (qGray(sheet.pixel(x, y)) < 128)
                    return true;
        return false;
    };
    for (const auto& [input, cars, output, sheets] : runs) {
        const Result rendered = run({QStringLiteral("render"), input, path(output)});
        ASSERT_EQ(rendered.status, 0) << qPrintable(rendered.err);
        EXPECT_EQ(sheets.size() == 1, QFile::exists(path(output)));
        EXPECT_EQ(sheets.size() > 1, rendered.err.contains(QLatin1String("and one sheet shows 50; wrote")));
        std::size_t car = 0;
        for (const QString& name : sheets) {
            const QImage sheet(path(name));
            const std::size_t tiles = std::min(std::size_t{50}, cars.size() - car);
            // One tile per car, two to a row.
            ASSERT_EQ(sheet.size(), QSize(cli::ViewRect(std::min<std::size_t>(tiles, 2) - 1, 2).right() + 2,
                                          cli::ViewRect(tiles - 1, 0).bottom() + 2))
                << qPrintable(name);
            for (std::size_t tile = 0; tile < tiles; ++tile, ++car) {
                const CarRecord& shown = cars[car];
                EXPECT_TRUE(ink(sheet, cli::ViewRect(tile, 0).translated(0, -20).adjusted(0, 0, -200, -240)))
                    << "no name over car " << car;
                for (int v = 0; v < 3; ++v) {
                    const QRect view = cli::ViewRect(tile, v);
                    std::vector<QLineF> edges;
                    for (int p = 0; p < UsedPolys(shown); ++p) {
                        const Poly& poly = shown.Polys[p];
                        const std::uint8_t corners[] = {poly.A, poly.B, poly.C, poly.A};
                        for (int k = 0; k < 3; ++k)
                            edges.emplace_back(
                                editor::MapToView(shown.Vertices[corners[k]], views[v], 50, view.size()) + view.topLeft(),
                                editor::MapToView(shown.Vertices[corners[k + 1]], views[v], 50, view.size()) + view.topLeft());
                    }
                    const auto near = [&edges](QPointF at) {
                        return std::any_of(edges.begin(), edges.end(), [at](const QLineF& edge) {
                            const QPointF d = edge.p2() - edge.p1();
                            const double t = std::clamp(QPointF::dotProduct(at - edge.p1(), d) /
                                                            std::max(QPointF::dotProduct(d, d), 1e-9), 0.0, 1.0);
                            const QPointF off = at - edge.p1() - t * d;
                            return QPointF::dotProduct(off, off) <= 4.0;
                        });
                    };
                    // Ink at each edge's midpoint in the view, to a pixel...
                    for (const QLineF& edge : edges) {
                        const QPoint mid = edge.center().toPoint();
                        EXPECT_TRUE(!view.contains(mid) || ink(sheet, QRect(mid - QPoint(1, 1), QSize(3, 3))))
                            << "car " << car << " view " << v << " at " << mid.x() << "," << mid.y();
                    }
                    // ...and none away from every edge (looked for in the first tiles of a sheet only:
                    // the search is slow in the sanitized build).
                    for (int x = view.left(); tile < demo.size() && x <= view.right(); x += 4) {
                        for (int y = view.top(); y <= view.bottom(); y += 4) {
                            if (!near(QPointF(x + 0.5, y + 0.5))) {
                                ASSERT_FALSE(ink(sheet, QRect(x, y, 1, 1))) << "car " << car << " view " << v << " at " << x << "," << y;
                            }
                        }
                    }
                }
            }
        }
        EXPECT_EQ(car, cars.size());
    }
    // Records outside the model are drawn as far as they lie inside it.
    EXPECT_EQ(run({QStringLiteral("render"), QStringLiteral(VELMAR_SOURCE_DIR "/samples/hostile.car"), path("hostile.png")}).status, 0);
}

}  // namespace
