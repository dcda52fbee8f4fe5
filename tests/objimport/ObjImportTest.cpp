#include "QtPrinters.h"
#include "TestLibrary.h"
#include "modOBJ.h"

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

    // n vertices on a line and m faces (1, 2, 3).
    static QByteArray mesh(int vertices, int faces)
    {
        QByteArray text;
        for (int i = 0; i < vertices; ++i)
            text += "v " + QByteArray::number(i) + " 0.5 -1\n";
        return text + QByteArray("f 1 2 3\n").repeated(faces);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("model.obj");
    // Odd bytes in every field, so that a stray write shows.
    CarRecord car = testlib::MakeCars(1, 5)[0];
    const CarRecord before = car;
};

}  // namespace

// Positions, normals, triangles and the two counts change; the colours, the
// entries past the counts, the wheels, head, name and parameters do not.
TEST_F(Import, ReplacesTheModelAndNothingElseUpToTheModelsLimits)
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
    for (const auto& [vertices, faces] : {std::pair{30, 40}, {5, 0}}) {
        ASSERT_TRUE(import(mesh(vertices, faces))) << vertices << ", " << faces;
        EXPECT_EQ(std::make_tuple(int{car.VertexCount}, int{car.PolyPointCount}, car.Vertices[vertices - 1].X),
                  std::make_tuple(vertices, 3 * faces, vertices - 1.0f));
    }
}

// Refused before the normals are worked out, so that a huge file is refused fast.
TEST_F(Import, RefusalsLeaveTheCarAsItWas)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {mesh(31, 1), "has 31 vertices and 1 triangles, and a car holds at most 30 vertices and 40 triangles"},
        {mesh(3, 41), "has 3 vertices and 41 triangles"},
        {mesh(3, 1) + "f 1 2 0\n", "triangle 2 names vertex 0, and the file has vertices 1 to 3"},
        {mesh(3, 1) + "f 4 2 1\n", "triangle 2 names vertex 4"},
        {mesh(3, 1) + "f 1 -1 2\n", "triangle 2 names vertex -1"},
        {mesh(4, 1) + "f 1 2 3 4\n", "Line 6 of"},
        {"", "has no vertex lines"},
        {"# only a comment\r\nvt 0 0\r\nf 1 2 3\r\n", "has no vertex lines"},
        {QByteArray("\xff\xfev\0 \0" "1\0 \0" "2\0 \0" "3\0\n\0", 18), "has no vertex lines"},
    };
    for (const auto& [text, says] : cases) {
        const modLoad::FileResult result = import(text);
        EXPECT_TRUE(!result && result.message.contains(says)) << qPrintable(result.message);
        EXPECT_EQ(Encoded(car), Encoded(before)) << says;
        EXPECT_TRUE(ObjNormals.empty()) << says;
    }
    EXPECT_TRUE(ImportOBJ(dir.filePath("missing.obj"), car).message.startsWith("Cannot open"));
    EXPECT_EQ(Encoded(car), Encoded(before));
}
