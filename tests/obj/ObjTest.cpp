#include "TestLibrary.h"
#include "modOBJ.h"

#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <bit>
#include <cmath>
#include <limits>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace modOBJ;
using modLoad::CarRecord;
using testlib::Encoded;

namespace {

using Bits = std::array<std::uint32_t, 3>;
using Corners = std::array<std::int32_t, 3>;

Bits bits(float x, float y, float z)
{
    return {std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(y), std::bit_cast<std::uint32_t>(z)};
}

// n vertices on a line and m faces (1, 2, 3).
QByteArray mesh(int vertices, int faces)
{
    QByteArray text;
    for (int i = 0; i < vertices; ++i) text += "v " + QByteArray::number(i) + " 0.5 -1\n";
    return text + QByteArray("f 1 2 3\n").repeated(faces);
}

class Obj : public testing::Test {
protected:
    QString file(const QByteArray& text) { return testlib::WriteFile(path, text); }

    QTemporaryDir dir;
    const QString path = dir.filePath("model.obj");
    // Odd bytes in every field, so that a stray write shows.
    CarRecord car = testlib::MakeCars(1, 5)[0];
    const CarRecord before = car;
};

// The text in UTF-16, with a byte-order mark unless told otherwise.
QByteArray utf16(const QString& text, QStringConverter::Encoding order, bool mark = true)
{
    return QStringEncoder(order, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default)(text);
}

const QByteArray square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

TEST_F(Obj, ReadsVerticesAndFacesInEveryLineStyle)
{
    // A decimal comma in the user's locale must not change how a file reads.
    QLocale::setDefault(QLocale(QLocale::German));
    const auto read = [this](const QByteArray& text) {
        EXPECT_TRUE(ReadOBJ(file(text)));
        std::pair<std::vector<Bits>, std::vector<Corners>> got;
        std::ranges::transform(ObjVertices, std::back_inserter(got.first), [](auto& v) { return bits(v.X, v.Y, v.Z); });
        std::ranges::transform(ObjFaces, std::back_inserter(got.second), &ObjFace::Corners);
        return got;
    };
    const float z = -0.0f, tiny = std::numeric_limits<float>::denorm_min();
    const std::vector<Bits> one{bits(1, 2, 3)};
    const std::tuple<QByteArray, std::vector<Bits>, std::vector<Corners>> cases[] = {
        {"v 1.5 -2 0.25\r\nv 1 2 3 1\r\nf 1 2 3\r\n", {bits(1.5f, -2, 0.25f), bits(1, 2, 3)}, {{0, 1, 2}}},
        {"f 3//1 1//1 2//1\n\r\nv 1 2 3\nf 1/4/7 2/5/8 3/6/9", one, {{2, 0, 1}, {0, 1, 2}}},
        {"  v  1\t\t2   3 \n\tf 1 2 3 \r\n v\t4 5 6\r\n", {bits(1, 2, 3), bits(4, 5, 6)}, {{0, 1, 2}}},
        {"f 0 -5 32767\nf -32768 +2 007\n", {}, {{-1, -5, 32766}, {-32768, 1, 6}}},
        {"v +1 -0 1e-50\nv -1e-50 .5 5.\nv 1E2 1e+1 -2.5e-1\nv 8e-46 -7e-46 3.4028235e38\n",
         {bits(1, z, 0), bits(z, 0.5f, 5), bits(100, 10, -0.25f), bits(tiny, z, 3.4028235e38f)}, {}},
        {"# v 1 2 3\nvt 0 0\nvn 0 0 1\ng body\nusemtl paint\ns off\nV 1 2 3\nF 1 2 3\nv1 2 3\nfo 1 2\n\n", {}, {}},
        // Comments anywhere, corners counted back from the last vertex read.
        {"v 1 2 3#c\nv 4 5 6 # v 7 8 9\n#\nf 1 2 -1 # a face\nv 7 8 9\nf -3 -2 -1#\n",
         {bits(1, 2, 3), bits(4, 5, 6), bits(7, 8, 9)}, {{0, 1, 1}, {0, 1, 2}}},
        {"\xEF\xBB\xBFv 1 2 3\nf 1 1 1\n", one, {{0, 0, 0}}},
        {utf16("v 1 2 3\r\nf 1 1 1", QStringConverter::Utf16LE), one, {{0, 0, 0}}},
        {utf16("v 1 2 3\r\nf 1 1 1", QStringConverter::Utf16BE), one, {{0, 0, 0}}},
        {"v 1 2 3 #" + QByteArray(MaxLineLength + 5, 'x') + "\nv 4 5 6", {bits(1, 2, 3), bits(4, 5, 6)}, {}},
        // Old Mac line ends: a lone CR ends a line, also the last one.
        {"v 1 2 3\rv 4 5 6\r\rf 1 1 2\r", {bits(1, 2, 3), bits(4, 5, 6)}, {{0, 0, 1}}},
    };
    for (const auto& [text, vertices, faces] : cases)
        EXPECT_EQ(read(text), std::pair(vertices, faces)) << text.left(80).constData();
    // Convex: a fan, corners named ahead or counted back. An L with a reflex third corner cut
    // into ears that run its way, in XY and XZ (clockwise from +Y). A dart. Corners repeated in
    // a row, or on the line between their neighbours, dropped: also in a face read before its
    // vertices, whose unused room closes up, and at 8000, where floats put them a hair off the line.
    QByteArray far = "f 1 2 3 4 5 6 7 8 9 10\n";
    for (const auto& [x, y] : {std::pair{8000.0, 8000.0}, {8000.3, 8000.1}, {8000.6, 8000.2}, {8000.9, 8000.3}, {8001.2, 8000.4},
                               {8001.5, 8001.5}, {8001.0, 8002.2}, {8000.3, 8002.3}, {7999.6, 8001.7}, {7999.5, 8000.8}})
        far += "v " + QByteArray::number(x, 'f', 1) + ' ' + QByteArray::number(y, 'f', 1) + " 0\n";
    const QByteArray pentagon = "v 0 0 0\nv 1 0 0\nv 2 0 0\nv 2 2 0\nv 0 2 0\n";
    const std::pair<QByteArray, std::vector<Corners>> polygons[] = {
        {"f 1 2 3 4\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0.5 0\nf -4 -1 -3 -2 -5\n", {{0, 1, 2}, {0, 2, 3}, {1, 4, 2}, {1, 2, 3}, {1, 3, 0}}},
        {"v 2 0 0\nv 2 1 0\nv 1 1 0\nv 1 2 0\nv 0 2 0\nv 0 0 0\nf 1 2 3 4 5 6\n", {{5, 0, 1}, {5, 1, 2}, {5, 2, 3}, {5, 3, 4}}},
        {"v 2 0 0\nv 2 0 1\nv 1 0 1\nv 1 0 2\nv 0 0 2\nv 0 0 0\nf 1 2 3 4 5 6\n", {{5, 0, 1}, {5, 1, 2}, {5, 2, 3}, {5, 3, 4}}},
        {"v 2 1 0\nv 0 2 0\nv 1 1 0\nv 0 0 0\nf 1 2 3 4\n", {{0, 1, 2}, {0, 2, 3}}},
        {pentagon + "f 1 2 3 4 5\n", {{0, 2, 3}, {0, 3, 4}}},
        {square + "f 1 2 2 3 4 1\n", {{0, 1, 2}, {0, 2, 3}}},
        {"f 1 2 3 4 5\nf 1 2 3\n" + pentagon, {{0, 2, 3}, {0, 3, 4}, {0, 1, 2}}},
        {far, {{0, 4, 5}, {0, 5, 6}, {0, 6, 7}, {0, 7, 8}, {0, 8, 9}}},
        // Triangles as the file gives them: both sides of one, one without area, one too small for a float's products.
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nf 1 2 3\nf 1 3 2\nf 4 4 1\n", {{0, 1, 2}, {0, 2, 1}, {3, 3, 0}}},
        {"v 0 0 0\nv 1e-25 0 0\nv 0 1e-25 0\nf 1 2 3\n", {{0, 1, 2}}},
    };
    for (const auto& [text, faces] : polygons) {
        EXPECT_EQ(read(text).second, faces) << text.constData();
        // Every vertex a triangle uses has a direction.
        for (const ObjFace& f : ObjFaces)
            for (const std::int32_t c : f.Corners) {
                const ObjVertex& n = ObjNormals[ObjVertices[c].NormalIndex];
                EXPECT_NEAR(std::hypot(n.X, n.Y, n.Z), 1.0, 1e-6) << text.constData() << " vertex " << c;
            }
    }
    QLocale::setDefault(QLocale::c());
}

// Refused at the first line that keeps the model from being read or from fitting a car,
// before the normals are worked out: the tables are left empty and the car as it was.
TEST_F(Obj, RefusesALineOrAFileItCannotReadAndNamesIt)
{
    const std::tuple<QByteArray, const char*, bool> cases[] = {  // true: imported into a car
        {"v 1 2 3\nv 1 2\n", "fewer than three coordinates", false},
        {"v 1,5 2 3", "\"1,5\" where a number", false},
        // A CR at the end of the buffer waits for the LF after it, which ends the same line.
        {"v 1 2 3 #" + QByteArray(MaxLineLength + 65536 - 10, 'x') + "\r\nv 1 2 x\n", "Line 2 of \"@\" has \"x\"", false},
        // A character whose two halves the 64 KiB read splits, and UTF-16 without its mark.
        {utf16("#" + QString(32757, 'x') + "\nv 1 2 3\U0001F3CE\n", QStringConverter::Utf16LE), "has \"3\U0001F3CE\" where", false},
        {utf16("v 1 2 3\r\n", QStringConverter::Utf16LE, false), "\"@\" looks like UTF-16 text (little-endian) without", true},
        {utf16("v 1 2 3\r\n", QStringConverter::Utf16BE, false), "\"@\" looks like UTF-16 text (big-endian) without", false},
        {"v 1 2 3\n\r\nv 1 2 abcdefghijklmnopqrstuvwxyz\n", "Line 3 of \"@\" has \"abcdefghijklmnopqrstuvwx...\" where", false},
        {"v 1 2 3.5e38\n", "\"3.5e38\", a number too large", false},
        {"f 1 2 32768", "face corner \"32768\"", false},
        {"f 1 2 # 3", "a face with 2 corners; a face needs at least three", false},
        {"v 0 0 0\nv 1 1 1\nv 2 2 2\nv 3 3 3\nf 1 2 3 4\n", "Line 5 of \"@\" is a face whose corners all lie on one line", false},
        {"v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3 4\n", "Line 4 of \"@\" is a face with a corner that names no vertex", false},
        {square + "f 1 1 2 2 1\n", "Line 5 of \"@\" is a face whose corners all lie on one line", false},
        {"v 0 0 0\nv 1 1 0\nv 1 0 0\nv 0 1 0\nf 1 2 3 4\n", "Line 5 of \"@\" is a face whose edges cross", true},
        // A five-pointed star turns the same way at every corner, yet a fan of it overlaps itself.
        {"v 0 1 0\nv -0.588 -0.809 0\nv 0.951 0.309 0\nv -0.951 0.309 0\nv 0.588 -0.809 0\nf 1 2 3 4 5\n", "Line 6 of \"@\" is a face whose edges cross", false},
        {"v 1 2 3" + QByteArray(MaxLineLength, ' ') + "4\nv 1 2 3\n", "Line 1 of \"@\" holds more than 1048576 bytes", false},
        {mesh(3, 1) + "f 1 2 0\nv 0 0 0\n", "Line 5 of \"@\" has the face corner \"0\", which names no vertex", true},
        {mesh(31, 1), "fit a car: line 31 holds vertex 31, and a car holds at most 30 vertices.", true},
        {mesh(3, 41), "fit a car: up to line 44 its 41 faces make 41 triangles, and a car holds at most 40.", true},
        {square + QByteArray("f 1 2 3\n").repeated(39) + "f 1 2 3 4\n", "up to line 44 its 40 faces make 41 triangles", true},
        {QByteArray("f 1 2 3 4\n").repeated(20) + "f 1 2 3\n" + square, "fit a car: its 21 faces make 41 triangles", true},
        {mesh(3, 1) + "f 4 2 1\nf 1 2 3\n", "fit a car: line 5 names vertex 4, and the file has vertices 1 to 3.", true},
        {"# only a comment\r\nvt 0 0\r\nf 1 2 3\r\n", "has no vertex lines", true},
    };
    for (const auto& [text, says, import] : cases) {
        ASSERT_TRUE(ReadOBJ(file("v 1 2 3\nf 1 1 1\n")));
        const modLoad::FileResult result = import ? ImportOBJ(file(text), car) : ReadOBJ(file(text));
        EXPECT_TRUE(!result && result.message.contains(QString(says).replace('@', path))) << qPrintable(result.message);
        EXPECT_TRUE(ObjVertices.empty() && ObjFaces.empty() && ObjNormals.empty() && Encoded(car) == Encoded(before)) << says;
    }
    ASSERT_TRUE(QFile(file("v 1 2 3\n")).resize(MaxFileSize + 1));
    EXPECT_TRUE(ReadOBJ(path).message.contains("it has 268435457 bytes, and the editor reads at most 268435456."));
    // Whatever the file's size, the first line too many ends the reading.
    ASSERT_TRUE(QFile(file(mesh(31, 0))).resize(MaxFileSize));
    EXPECT_TRUE(ImportOBJ(path, car).message.contains("line 31 holds vertex 31"));
    EXPECT_TRUE(ImportOBJ(dir.filePath("missing.obj"), car).message.startsWith("Cannot open"));

    // Special files are never opened: a pipe with no writer would block the open for good.
    // Should the import open it all the same, a writer hands it a model to take.
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(0, mkfifo(qPrintable(pipe), 0600));
    std::thread writer([&] { if (QFile out(pipe); out.open(QIODevice::WriteOnly)) out.write(mesh(3, 1)); });
    for (const auto& [name, what] : {std::pair{pipe, "a named pipe"}, {dir.path(), "a folder"}, {"/dev/zero", "a device"}})
        EXPECT_TRUE(ImportOBJ(name, car).message.contains(QStringLiteral("it is %1, not a file").arg(what))) << what;
    EXPECT_EQ(Encoded(car), Encoded(before));
    const int reader = open(qPrintable(pipe), O_RDONLY | O_NONBLOCK);
    writer.join(), close(reader);
}

// Only the model changes: positions, normals, triangles and their counts. A triangle of no area
// and a vertex no triangle uses get no direction: the flat triangle's zero, stored first.
TEST_F(Obj, ImportReplacesTheModelAndNothingElseUpToTheModelsLimits)
{
    const QByteArray text = "v 0 0 0\r\nv 2 0 0\r\nv 0 2 0\r\nv 2 2 0\r\nv 5 5 5\r\nf 1 2 3\r\nf 2 4 3\r\nf 1 2 2\r\n";
    CarRecord expected = before;
    ASSERT_TRUE(ImportOBJ(file(text), car));
    for (int i = 0; i < 4; ++i)
        expected.Vertices[i] = {i % 2 * 2.0f, i / 2 * 2.0f, 0}, expected.Normals[i] = {0, 0, 1};
    expected.Vertices[4] = {5, 5, 5}, expected.Normals[4] = {0, 0, -0.0f};
    expected.Polys[0] = {0, 1, 2}, expected.Polys[1] = {1, 3, 2}, expected.Polys[2] = {0, 1, 1};
    expected.VertexCount = 5, expected.PolyPointCount = 9;
    EXPECT_EQ(Encoded(car), Encoded(expected));
    for (const auto& [vertices, faces] : {std::pair{30, 40}, {5, 0}}) {
        ASSERT_TRUE(ImportOBJ(file(mesh(vertices, faces)), car)) << vertices << ", " << faces;
        EXPECT_EQ(std::tuple(+car.VertexCount, +car.PolyPointCount, car.Vertices[vertices - 1].X), std::tuple(vertices, 3 * faces, vertices - 1.0f));
    }
    // The limit counts triangles: a 30-sided face makes 28, and 12 more fill the car.
    QByteArray circle, polygon = "f";
    for (int i = 0; i < 30; ++i)
        circle += "v " + QByteArray::number(std::cos(i * 0.2)) + ' ' + QByteArray::number(std::sin(i * 0.2)) + " 0\n",
            polygon += ' ' + QByteArray::number(i + 1);
    ASSERT_TRUE(ImportOBJ(file(circle + polygon + '\n' + QByteArray("f 1 2 3\n").repeated(12)), car));
    EXPECT_TRUE(car.PolyPointCount == 120 && car.Polys[27].A == 0 && car.Polys[27].B == 28 && car.Polys[27].C == 29);
}


}  // namespace
