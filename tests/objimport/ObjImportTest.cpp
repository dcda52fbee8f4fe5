#include "QtPrinters.h"
#include "TestLibrary.h"
#include "modOBJ.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace modOBJ;
using modLoad::CarRecord;
using testlib::Encoded;

namespace {

class Import : public testing::Test {
protected:
    modLoad::FileResult import(const QByteArray& text)
    {
        testlib::WriteFile(path, text);
        return ImportOBJ(path, car);
    }

    // n vertices on a line and m faces (1, 2, 3), LF line ends.
    static QByteArray mesh(int vertices, int faces)
    {
        QByteArray text;
        for (int i = 0; i < vertices; ++i)
            text += QByteArray("v ") + QByteArray::number(i) + " 0.5 -1\n";
        for (int j = 0; j < faces; ++j)
            text += "f 1 2 3\n";
        return text;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("model.obj"));
    // Odd bytes in every field, so a stray write shows.
    CarRecord car = testlib::MakeCars(1, 5)[0];
    const CarRecord before = car;
};

}  // namespace

// Positions, normals, triangles and the two counts change; the colours, the
// entries past the counts, the wheels, head, name and parameters do not.
TEST_F(Import, ReplacesTheModelAndNothingElse)
{
    ASSERT_TRUE(import("v 0 0 0\r\nv 2 0 0\r\nv 0 2 0\r\nv 2 2 0\r\nf 1 2 3\r\nf 2 4 3\r\n"));
    CarRecord expected = before;
    expected.Vertices[0] = {0, 0, 0};
    expected.Vertices[1] = {2, 0, 0};
    expected.Vertices[2] = {0, 2, 0};
    expected.Vertices[3] = {2, 2, 0};
    for (int i = 0; i < 4; ++i)
        expected.Normals[i] = {0, 0, 1};
    expected.Polys[0] = {0, 1, 2};
    expected.Polys[1] = {1, 3, 2};
    expected.VertexCount = 4;
    expected.PolyPointCount = 6;
    EXPECT_EQ(Encoded(car), Encoded(expected));
}

TEST_F(Import, FillsTheModelUpToItsLimits)
{
    const struct {
        int vertices, faces;
    } cases[] = {{30, 40}, {5, 0}, {3, 1}};
    for (const auto& c : cases) {
        ASSERT_TRUE(import(mesh(c.vertices, c.faces))) << c.vertices << ", " << c.faces;
        EXPECT_EQ(car.VertexCount, c.vertices);
        EXPECT_EQ(car.PolyPointCount, 3 * c.faces);
        EXPECT_EQ(car.Vertices[c.vertices - 1].X, c.vertices - 1);
        EXPECT_EQ(car.PolyColour, before.PolyColour);
    }
}

// Refused before the normals are worked out, so a huge file is refused fast.
TEST_F(Import, RefusalsLeaveTheCarAsItWas)
{
    const struct {
        QByteArray text;
        const char* says;
    } cases[] = {
        {mesh(31, 1), "has 31 vertices and 1 triangles, and a car holds at most 30 vertices and 40 triangles"},
        {mesh(3, 41), "has 3 vertices and 41 triangles"},
        {mesh(3, 1) + "f 1 2 0\n", "triangle 2 names vertex 0, and the file has vertices 1 to 3"},
        {mesh(3, 1) + "f 4 2 1\n", "triangle 2 names vertex 4"},
        {mesh(3, 1) + "f 1 -1 2\n", "triangle 2 names vertex -1"},
        {mesh(4, 1) + "f 1 2 3 4\n", "Line 6 of"},
        {mesh(3, 0) + "v 1 2 x\n", "Line 4 of"},
        {"", "has no vertex lines"},
        {"# only a comment\r\nvt 0 0\r\nf 1 2 3\r\n", "has no vertex lines"},
        {QByteArray("\xff\xfev\0 \0" "1\0 \0" "2\0 \0" "3\0\n\0", 18), "has no vertex lines"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const modLoad::FileResult result = import(c.text);
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.message.contains(QString::fromLatin1(c.says))) << qPrintable(result.message);
        EXPECT_EQ(Encoded(car), Encoded(before));
        EXPECT_TRUE(ObjNormals.empty());
    }
    EXPECT_TRUE(ImportOBJ(dir.filePath("missing.obj"), car).message.startsWith("Cannot open"));
    EXPECT_EQ(Encoded(car), Encoded(before));
}

// The samples that come with the editor import at once; the same wedge with
// either line end gives the same model.
TEST_F(Import, SamplesImport)
{
    const QDir samples(QStringLiteral(VELMAR_SOURCE_DIR "/samples"));
    const QStringList files = samples.entryList({QStringLiteral("*.obj")});
    ASSERT_GE(files.size(), 3);
    for (const QString& file : files) {
        car = before;
        EXPECT_TRUE(ImportOBJ(samples.filePath(file), car)) << qPrintable(file);
        EXPECT_GE(car.PolyPointCount, 3 * 8) << qPrintable(file);
    }
    CarRecord lf = before;
    ASSERT_TRUE(ImportOBJ(samples.filePath("wedge.obj"), car));
    ASSERT_TRUE(ImportOBJ(samples.filePath("wedge-lf.obj"), lf));
    EXPECT_EQ(Encoded(car), Encoded(lf));
}
