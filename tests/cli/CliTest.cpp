#include "CarText.h"
#include "ContactSheet.h"
#include "JsonSource.h"
#include "LibraryJson.h"
#include "TestLibrary.h"
#include "WireFrame.h"
#include "modOBJ.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace modLoad;
using namespace testlib;

namespace {

struct Result { int status; QString out, err; QByteArray bytes; };

const QString Demo = QStringLiteral(VELMAR_SOURCE_DIR "/samples/demo.car");
const QString Hostile = QStringLiteral(VELMAR_SOURCE_DIR "/samples/hostile.car");

CarTable Loaded(const QString& path) { CarTable cars; return LoadCars(path, cars) ? cars : CarTable{}; }

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The demo cars with a name of controls and a %, two cars of one name,
        // and the float whose shortest decimal narrows to its neighbour through a double.
        CarTable cars = Loaded(Demo);
        cars[1].Name = RawName("\x1b[2J%1\x85\xE9\xFF\n\0  "), cars[2].Name = cars[0].Name;
        cars[3].Parameters[37] = std::bit_cast<float>(0x15AE43FDu);
        odd = WriteFile(path("odd.car"), cars);
        inputs = {{Demo, ReadFile(Demo)}, {Hostile, ReadFile(Hostile)}, {odd, ReadFile(odd)}};
    }

    // No command ever changes its input.
    void TearDown() override
    {
        for (const auto& [file, bytes] : inputs) EXPECT_EQ(ReadFile(file), bytes) << qPrintable(file);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    static Result run(const QStringList& args, const QByteArray& input = {})
    {
        QProcess process;
        // As on a machine with no display: a command that wanted one would fail.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8"), env.remove("DISPLAY"), env.insert("QT_QPA_PLATFORM", "xcb");
        process.setProcessEnvironment(env);
        process.start(VELMAR_CLI, args), process.write(input), process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) << qPrintable(args.join(u' '));
        const QByteArray bytes = process.readAllStandardOutput();
        const Result result{process.exitCode(), QString::fromUtf8(bytes), QString::fromUtf8(process.readAllStandardError()), bytes};
        // No text it prints carries a control character from outside.
        const auto printable = [](const QString& text) {
            return std::ranges::none_of(text, [](QChar c) { return c != u'\n' && cli::IsControl(c.unicode()); });
        };
        EXPECT_TRUE(printable(result.err) && (args.value(0) == "build" || printable(result.out))) << qPrintable(result.err);
        return result;
    }

    QTemporaryDir dir;
    QString odd;
    std::vector<std::pair<QString, QByteArray>> inputs;
};

TEST_F(Cli, DumpThenBuildGivesTheFileByteForByte)
{
    // Random bytes put NaNs with payloads, infinities and -0 in every float field.
    WriteFile(path("random.car"), LibraryFile(RandomBytes(40 * RecordSize, 11), 40));
    for (const QString& library : {Demo, Hostile, odd, path("random.car")}) {
        const Result dumped = run({"dump", library});
        ASSERT_EQ(std::pair(dumped.status, dumped.err), std::pair(0, QString())) << qPrintable(library);
        WriteFile(path("dump.json"), dumped.out.toUtf8());
        // From the file, then from standard input; to a file, then to standard output.
        for (const QString& json : {path("dump.json"), QString("-")})
            EXPECT_TRUE(run({"build", json, path("built.car")}, dumped.out.toUtf8()).status == 0 && ReadFile(path("built.car")) == ReadFile(library));
        EXPECT_EQ(run({"build", "-", "-"}, dumped.out.toUtf8()).bytes, ReadFile(library));
    }
    // What no table of cars keeps is told, not silently dropped.
    WriteFile(path("odd size.car"), LibraryFile(Encoded(Loaded(Demo)), 6, 1000) + "tail");
    const QString err = run({"dump", path("odd size.car")}).err;
    EXPECT_TRUE(err.contains("gives its record size as 1000") && err.contains("the 4 bytes after the last car")) << qPrintable(err);
}

TEST_F(Cli, RefusesBrokenJsonWithThePathOfTheFirstFault)
{
    const QString json = run({"dump", Demo}).out;
    const auto replaced = [&json](const QString& from, const QString& to) {
        return json.contains(from) ? QString(json).replace(json.indexOf(from), from.size(), to) : QString();
    };
    const std::pair<QString, const char*> cases[] = {
        {replaced("\"cars\": [", "\"cars\": [,"), "line 2, column 12: illegal value"},
        // Too large or too small for a float, one message each whatever the exponent. Halfway between
        // the largest float and the next power of two is too large; a byte past a double's range misfits.
        {replaced("\"Top Speed\": 285", "\"Top Speed\": 1e400"), "$.cars[0].Parameters[\"Top Speed\"]: is too large for a 32-bit"},
        {replaced("\"Mass\": 1250", "\"Mass\": -340282356779733661637539395458142568448"), "$.cars[0].Parameters.Mass: is too large for a 32-bit"},
        {replaced("\"Mass\": 1250", "\"Mass\": -1e-400"), "$.cars[0].Parameters.Mass: is too small for a 32-bit float, whose"},
        {replaced("\"Mass\": 1250", "\"Mass\": 7e-46"), "$.cars[0].Parameters.Mass: is too small for a 32-bit float, whose"},
        {replaced("\"ExtraByte1\": 0", "\"ExtraByte1\": 1e999"), "$.cars[0].ExtraByte1: must be a whole number from 0 to 255"},
        {replaced("\"Mass\": 1250", "\"Mass\": \"0x7fc00000\\n\""), "$.cars[0].Parameters.Mass: must be a number"},
        // A key that is no field ends the reading where it stands, before a fault of the text after it.
        {replaced("\"Mass\": 1250", "\"Mass\\n\": 1250"), "$.cars[0].Parameters[\"Mass\\u000a\"]: is not a parameter name; it is at line 45, column 9"},
        {replaced("\"Mass\": 1250", "\"Mass\U0001F600\": 1250"), "$.cars[0].Parameters[\"Mass\U0001F600\"]: is not a parameter name"},
        {replaced("\"HeadHidden\": 0,", "\"HeadHidden\": 0, \"Colour\": 1,") + "}", "$.cars[0].Colour: is not a field of a car; it is at line 53, column 24"},
        // A key given twice, refused at the second, also where nothing else is read.
        {replaced("\"Power\": 420", "\"Power\": \"junk\", \"Power\": 1"),
         "$.cars[0].Parameters.Power: is given twice; the second is at line 42, column 26"},
        // Keys within a value already refused are not read.
        {replaced("[0, 1, 2]", "[0, 1, 2], {\"a\": [{\"b\": 1, \"b\": 2}]}"), "$.cars[0].Polys[1]: must be a list of 3 corners"},
        {replaced("[0, 1, 2]", "[0, 1, 256]"), "$.cars[0].Polys[0][2]: must be a whole number from 0 to 255"},
        {replaced("\"ExtraByte1\": 0", "\"ExtraByte1\": 2.56e2"), "$.cars[0].ExtraByte1: must be a whole number from 0 to 255"},
        {replaced("[0, 1, 2]", "[0, 1]"), "$.cars[0].Polys[0]: must be a list of 3"},
        {replaced("\"Text3\": \"000000\"", "\"Text3\": \"00000g\""), "$.cars[0].Text3: must be 3 bytes"},
        {replaced("\"HeadHidden\": 0,", ""), "$.cars[0].HeadHidden: is missing"},
        {QString("[").repeated(300), "line 1, column 257: nested too deeply"},
        {json + QChar(0), "The standard input is not JSON text: byte 31261 is 0x00"},
        // A UTF-8 byte-order mark is passed over; columns count after it.
        {QChar(0xFEFF) + replaced("\"cars\": [", "\"cars\": [,"), "line 2, column 12: illegal value"},
    };
    const QString out = path("out.car");
    for (const auto& [text, fault] : cases) {
        ASSERT_FALSE(text.isEmpty()) << fault;
        const Result built = run({"build", "-", out}, text.toUtf8());
        EXPECT_TRUE(built.status == 1 && built.err.contains(fault) && !QFile::exists(out)) << fault << " | " << qPrintable(built.err);
    }
    // Text in UTF-16 or UTF-32 is named, with a mark or without.
    for (const auto& [encoding, mark, says] : {std::tuple{QStringConverter::Utf16LE, true, "UTF-16 little-endian"},
                                               {QStringConverter::Utf16BE, false, "UTF-16 big-endian"},
                                               {QStringConverter::Utf32LE, false, "UTF-32 little-endian"}})
        EXPECT_TRUE(run({"build", "-", out}, QStringEncoder(encoding, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default)(json))
                        .err.contains(QString("The standard input is in %1; JSON is read in UTF-8.").arg(says))) << says;
    // A name shorter than 13 characters is stored as the editor stores a new name; a decimal
    // becomes the float nearest to it, behind a byte-order mark too.
    const QString power = replaced("\"Power\": 420", "\"Power\": 1.000000059604644785390625");
    ASSERT_EQ(run({"build", "-", out}, "\xEF\xBB\xBF" + replaced("Comet GT\\u0000    ", "Comet").toUtf8()).status, 0);
    EXPECT_EQ(Loaded(out)[0].Name, RawName("Comet\0       "));
    ASSERT_EQ(run({"build", "-", out}, power.toUtf8()).status, 0);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(Loaded(out)[0].Parameters[34]), 0x3F800001u);
}

TEST_F(Cli, RefusalsAndUsageErrorsSayWhatIsWrong)
{
    const QString copy = path("copy.car"), png = path("copy.png"), huge = path("huge.json"), fifo = path("fifo.car");
    QFile::copy(Demo, copy), QFile::copy(Demo, png);
    ASSERT_EQ(mkfifo(qPrintable(fifo), 0600), 0);
    ASSERT_TRUE(QFile::resize(WriteFile(huge, QByteArray()), cli::MaxJsonBytes + 1));  // its bytes are never read
    const std::tuple<QStringList, int, const char*> cases[] = {
        {{"\x1b[2J"}, 2, "\"\\x1b[2J\" is not a command"},
        {{"list", Demo, "extra"}, 2, "usage: velmar-car list LIB"},
        {{"show", "--names", Demo, "0"}, 2, "--names goes with list"},
        {{"list", path("no\x1b[2J\n.car")}, 1, "no\\x1b[2J\\x0a.car\": No such file"},
        {{"list", path("\u202egnp.car")}, 1, "\\u202egnp.car\": No such file"},
        {{"build", "/dev/zero", path("x.car")}, 1, "\"/dev/zero\" is not JSON text: byte 0 is 0x00, a control character."},
        {{"build", huge, path("x.car")}, 1, "huge.json\" is longer than the JSON of any library can be (536854528 bytes)."},
        {{"list", fifo}, 1, "fifo.car\": no program is writing to it."},
        {{"build", fifo, path("x.car")}, 1, "fifo.car\": no program is writing to it."},
        {{"show", Demo, "1\n"}, 1, "holds no car named \"1\\x0a\""},
        {{"show", Demo, "6"}, 1, "holds 6 cars, at positions 0 to 5; there is no car at position 6."},
        {{"show", odd, "Comet GT"}, 1, "holds 2 cars named \"Comet GT\", at positions 0, 2"},
        {{"export-obj", Hostile, "3", path("x.obj")}, 1, "8 triangles in use name a vertex past 29 (triangle 0 names vertex 30)"},
        {{"export-obj", copy, "0", copy}, 1, "is the library to read"},
        {{"render", Demo, path("x.jpg")}, 1, "give the output a name that ends in .png"},
        {{"render", png, png}, 1, "is the library to read"},
    };
    for (const auto& [args, status, message] : cases) {
        const Result r = run(args);
        EXPECT_TRUE(r.status == status && r.err.contains(message) && r.out.isEmpty()) << qPrintable(r.err);
    }
    EXPECT_FALSE(QFile::exists(path("x.obj")) || QFile::exists(path("x.car")));
    EXPECT_TRUE(ReadFile(copy) == ReadFile(Demo) && ReadFile(png) == ReadFile(Demo));
    // Output that a full disk refuses is a failure, told in one line, the help and the version included.
    for (const QStringList& args : {QStringList{"--help"}, {"--version"}, {"list", Demo}, {"dump", Demo}}) {
        QProcess process;
        process.setStandardOutputFile("/dev/full"), process.start(VELMAR_CLI, args);
        EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 1) << qPrintable(args.join(u' '));
        EXPECT_EQ(process.readAllStandardError().count('\n'), 1) << qPrintable(args.join(u' '));
    }
    // A failed sync fails the write, the file's before the rename as the folder's after it; the old file stays.
    const QString kept = WriteFile(path("kept.obj"), QByteArray("mine"));
    for (const QString call : {"fdatasync", "fsync"}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");  // the leak checker cannot work under a tracer
        process.setProcessEnvironment(env);
        process.start("strace", {"-f", "-o", "/dev/null", "-e", "inject=" + call + ":error=EIO", VELMAR_CLI, "export-obj", Demo, "0", kept});
        EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 1) << qPrintable(call);
        EXPECT_TRUE(process.readAllStandardError().contains("kept.obj\": Input/output error. The file was not changed.")) << qPrintable(call);
        EXPECT_TRUE(ReadFile(kept) == "mine" && QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(".kept").isEmpty());
    }
}

// The JSON read is bounded by twice the largest dump of a car for every car a
// library holds; a file or a pipe one byte longer than the bound is refused.
TEST_F(Cli, ReadsJsonUpToTheLargestALibraryCanTake)
{
    QByteArray bytes(RecordSize, '\xff');
    CarRecord widest;
    DecodeRecord(reinterpret_cast<const std::uint8_t*>(bytes.constData()), widest);
    widest.Name.fill('\x01');
    const float longest = std::bit_cast<float>(0x83AAA882u);  // -1.00303895e-36
    widest.Parameters.fill(longest);
    const auto fill = [&](auto& table) { table.fill({longest, longest, longest}); };
    fill(widest.Vertices), fill(widest.Normals), fill(widest.SpherePos);
    const qint64 perCar = cli::DumpJson(CarTable(2, widest)).size() - cli::DumpJson(CarTable(1, widest)).size();
    EXPECT_LE(2 * perCar * MaxCars, cli::MaxJsonBytes);

    for (const qsizetype size : {100, 101}) {
        const QByteArray text(size, ' ');
        int ends[2];
        ASSERT_TRUE(pipe(ends) == 0 && write(ends[1], text.constData(), size) == size && close(ends[1]) == 0);
        for (const QString& from : {WriteFile(path("spaces.json"), text), QStringLiteral("/dev/fd/%1").arg(ends[0])}) {
            cli::JsonSource source(from, 100);
            const QString error = cli::BuildFromJson(source).error;
            EXPECT_EQ(source.Fault().contains("is longer than the JSON of any library can be (100 bytes)"), size > 100);
            EXPECT_EQ(error.contains("line 1, column 101: no JSON value"), size <= 100) << qPrintable(error);
        }
        close(ends[0]);
    }
}

TEST_F(Cli, ListsAndShowsOddCarsWithoutHarm)
{
    const QStringList lines = run({"list", Hostile}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], " 0  121 points     20 vertices  40 triangles");
    EXPECT_TRUE(lines[11].endsWith("255 vertices  32 triangles  (outside the model: VertexCount is 255, and a model holds 30 vertices)"));
    // Controls escaped, a % left alone, Windows-1252 letters as they are, the name ending at its NUL.
    EXPECT_TRUE(lines[13].startsWith("13  \u00a0\u20ac\u2026\u0178High\u00ad\u00e9\u00ff  ")) << qPrintable(lines[13]);
    EXPECT_TRUE(run({"list", odd}).out.contains("\n1  \\x1b[2J%1\u2026\u00e9\u00ff\\x0a  "));
    // A car is chosen by its name as list prints it, and counts of one are singular.
    EXPECT_EQ(run({"show", odd, "\\x1b[2J%1\u2026\u00e9\u00ff\\x0a"}).out, run({"show", odd, "1"}).out);
    CarTable one{Loaded(Demo)[1]};
    one[0].VertexCount = 1, one[0].PolyPointCount = 3;
    const QString oneCar = WriteFile(path("one.car"), one), title = WriteFile(path("\x1b]0;title\a.car"), Loaded(Demo));
    EXPECT_EQ(run({"list", oneCar}).out, "0  Mudlark   1 vertex     1 triangle\n");
    EXPECT_TRUE(run({"diff", oneCar, title}).out.startsWith("\"" + oneCar + "\" has 1 car, \"" + path("\\x1b]0;title\\x07.car")));

    const QString shown = run({"show", Hostile, "Inf wheels"}).out;
    for (const char* row : {"\"Inf wheels\", car 9 of 15", "\nSize of Left Front Wheel   -Infinity\n", "\nTriangles                  32\n"})
        EXPECT_TRUE(shown.contains(row)) << row << qPrintable(shown);
}

TEST_F(Cli, DiffPairsCarsAndNamesWhatChanged)
{
    const CarTable demo = Loaded(Demo);
    const auto diff = [&](CarTable cars) {
        const QString other = WriteFile(path("other.car"), cars);
        return run({"diff", Demo, other}).out.replace(other, "B").replace(Demo, "A");
    };
    EXPECT_EQ(diff(demo), "The two libraries hold the same cars, byte for byte.\n");
    CarTable removed = demo, changed = demo;
    removed.erase(removed.begin() + 2);
    removed[3].Parameters[34] = std::nextafter(removed[3].Parameters[34], 1e9f);
    EXPECT_EQ(diff(removed), "\"A\" has 6 cars, \"B\" has 5.\nCar 2, \"Bluebird\": only in \"A\"\n"
                             "Car 4 (3 in the second library), \"Hauler 9\":\n"
                             "  Power: 190 -> 190 (bits 433e0000 -> 433e0001)\n");
    changed[1].Name = StoredName("Mudlark II"), changed[1].PolyPointCount -= 3, changed[1].PolyColour[39] = 7;
    changed[1].HeadHidden = 7, changed[1].ExtraVectors[14].Z = 1, changed.push_back(demo[0]);
    EXPECT_EQ(diff(changed), "\"A\" has 6 cars, \"B\" has 7.\nCar 1, \"Mudlark\":\n"
                             "  name: \"Mudlark\" -> \"Mudlark II\"\n  triangles: 20 -> 19\n"
                             "  head: shown -> hidden (HeadHidden 7)\n  model changed: triangle colours\n"
                             "  fields of unknown use changed: ExtraVectors\nCar 6, \"Comet GT\": only in \"B\"\n");
}

// A vertex past VertexCount that a triangle names is written too, and -0 and
// floats that a short decimal misses exactly; the normals are the car's.
TEST_F(Cli, ExportsTheModelAsObjThatTheEditorReadsBack)
{
    CarTable cars = Loaded(Demo);
    CarRecord& car = cars[5];
    car.VertexCount = 18, car.Vertices[0] = {-0.0f, std::bit_cast<float>(0x15AE43FDu), std::bit_cast<float>(0x3F800001u)};
    const QString obj = path("car.obj"), library = WriteFile(path("lib\nv 9 9 9\r\u0085\u2028.car"), cars);
    ASSERT_EQ(run({"export-obj", library, "Ice Runner", obj}).status, 0);
    EXPECT_TRUE(ReadFile(obj).startsWith("# Ice Runner, car 5 of lib\\x0av 9 9 9\\x0d\\x85\\u2028.car\n"));
    CarRecord imported{};
    ASSERT_TRUE(modOBJ::ImportOBJ(obj, imported));
    ASSERT_TRUE(imported.VertexCount == 20 && imported.PolyPointCount == car.PolyPointCount);
    EXPECT_TRUE(!std::memcmp(imported.Vertices.data(), car.Vertices.data(), 20 * sizeof(Vector)) &&
                !std::memcmp(imported.Polys.data(), car.Polys.data(), UsedPolys(car) * sizeof(Poly)));
    std::vector<Vector> normals;
    for (const QByteArray& line : ReadFile(obj).split('\n'))
        if (const QList<QByteArray> t = line.split(' '); t[0] == "vn")
            normals.push_back({t[1].toFloat(), t[2].toFloat(), t[3].toFloat()});
    EXPECT_TRUE(normals.size() == 20 && !std::memcmp(normals.data(), car.Normals.data(), 20 * sizeof(Vector)));
}

// A tile per car, two to a row: the name over the three views as the editor draws them,
// cut at their edges. More cars than a sheet shows go on sheets named for their positions.
TEST_F(Cli, RendersATilePerCarWithItsViewsAsTheEditorDrawsThem)
{
    const CarTable demo = Loaded(Demo);
    CarTable many;
    for (int i = 0; i < 53; ++i) many.push_back(demo[i % demo.size()]);
    std::ranges::for_each(many[0].Vertices, [](Vector& v) { v = {v.X * 3, v.Y * 3, v.Z * 3}; });
    const std::tuple<QString, CarTable, QString, QStringList> runs[] = {
        {Demo, demo, "demo.png", {"demo.png"}}, {Hostile, Loaded(Hostile), "hostile.png", {"hostile.png"}},
        {WriteFile(path("many.car"), many), many, "many%1.png", {"many%1-0-49.png", "many%1-50-52.png"}},
    };
    const editor::ViewAxes axes[] = {editor::XYAxes, editor::YZAxes, editor::XZAxes};
    // Whether each dark pixel of a has one within a pixel in b: lines cut at a
    // view's edge may step a pixel aside where the sheet cuts them.
    const auto covered = [](const QImage& a, const QImage& b) {
        const auto dark = [](const QImage& image, int x, int y) { return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128; };
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (dark(a, x, y) && !dark(b, x, y) && !dark(b, x - 1, y) && !dark(b, x + 1, y) && !dark(b, x, y - 1) && !dark(b, x, y + 1))
                    return false;
        return true;
    };
    for (const auto& [input, cars, output, sheets] : runs) {
        const Result rendered = run({"render", input, path(output)});
        ASSERT_EQ(rendered.status, 0) << qPrintable(rendered.err);
        EXPECT_EQ(sheets.size() > 1, rendered.err.contains("and one sheet shows 50; wrote " +
                                                           QString::number(sheets.size()) + " sheets, \""));
        EXPECT_FALSE(rendered.err.contains(u'\r'));
        std::size_t car = 0;
        for (const QString& name : sheets) {
            const QImage sheet = QImage(path(name)).convertToFormat(QImage::Format_RGB32);
            const std::size_t tiles = std::min<std::size_t>(50, cars.size() - car);
            ASSERT_EQ(sheet.size(), QSize(cli::ViewRect(std::min<std::size_t>(tiles, 2) - 1, 2).right() + 2, cli::ViewRect(tiles - 1, 0).bottom() + 2));
            for (std::size_t tile = 0; tile < tiles; ++tile, ++car) {
                const QImage caption = sheet.copy(cli::ViewRect(tile, 0).adjusted(0, -20, 0, -260));
                EXPECT_FALSE(covered(caption, QImage())) << "no name over car " << car;
                for (int v = 0; v < 3; ++v) {
                    const QImage shown = sheet.copy(cli::ViewRect(tile, v));
                    QImage expected(shown.size(), QImage::Format_RGB32);
                    expected.fill(Qt::white);
                    QPainter painter(&expected);
                    editor::DrawWireView(painter, expected.size(), cars[car], axes[v], 50, -1);
                    EXPECT_TRUE(covered(shown, expected) && covered(expected, shown)) << "car " << car << ", view " << v;
                }
            }
        }
        EXPECT_EQ(car, cars.size());
    }
    // On a terminal, the sheets written so far, each count over the one before, gone before the note.
    int terminal = -1, child = -1;
    ASSERT_EQ(openpty(&terminal, &child, nullptr, nullptr, nullptr), 0);
    const QByteArray program = VELMAR_CLI, library = QFile::encodeName(path("many.car")), out = QFile::encodeName(path("tty.png"));
    if (fork() == 0)
        dup2(child, STDERR_FILENO), execl(program, program, "render", library.constData(), out.constData(), nullptr), _exit(127);
    close(child);
    QByteArray shown;
    for (char buffer[4096]; const ssize_t got = read(terminal, buffer, sizeof buffer);) {
        if (got < 0) break;  // EIO once the program has gone
        shown.append(buffer, got);
    }
    close(terminal), wait(nullptr);
    const QByteArray last = "velmar-car: 2 of 2 sheets written";
    EXPECT_TRUE(shown.startsWith("\rvelmar-car: 1 of 2 sheets written\r" + last + '\r' + QByteArray(last.size(), ' ') +
                                 "\rvelmar-car: note:")) << shown.toPercentEncoding(" :\"").constData();
    // A failed run leaves every file as it was: a user's file where a sheet goes, or the file a link there names.
    // A sheet that is a folder is refused before any is written; a loop of links when its turn comes.
    for (const QString kind : {"folder", "loop"}) {
        QDir(dir.path()).mkdir(kind);
        const auto at = [&](const char* name) { return path(kind + '/' + name); };
        WriteFile(at("elsewhere.png"), QByteArray("theirs"));
        if (kind == "folder") WriteFile(at("fail-0-49.png"), QByteArray("mine")), QDir().mkdir(at("fail-50-52.png"));
        else QFile::link(at("elsewhere.png"), at("fail-0-49.png")), QFile::link(at("fail-50-52.png"), at("fail-50-52.png"));
        const Result failed = run({"render", path("many.car"), at("fail.png")});
        EXPECT_TRUE(failed.status == 1 && failed.err.contains(kind == "folder" ? "it is a folder." : "symbolic links.")) << qPrintable(failed.err);
        EXPECT_EQ(ReadFile(at("fail-0-49.png")), kind == "folder" ? "mine" : "theirs");
        EXPECT_EQ(ReadFile(at("elsewhere.png")), "theirs");
        EXPECT_EQ(QFileInfo(at("fail-0-49.png")).isSymLink(), kind == "loop");
        EXPECT_EQ(QDir(path(kind)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 3);
    }
}

}  // namespace
