#include "DemoLibrary.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <set>

#include <gtest/gtest.h>

using namespace modLoad;

namespace {

QByteArray committed(const char* name)
{
    QFile file(QStringLiteral(VELMAR_SOURCE_DIR "/samples/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Vector minus(const Vector& a, const Vector& b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

float dot(const Vector& a, const Vector& b)
{
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

// The normal that the corners' order gives a triangle, unscaled.
Vector facing(const CarRecord& car, const Poly& p)
{
    const Vector u = minus(car.Vertices[p.B], car.Vertices[p.A]);
    const Vector v = minus(car.Vertices[p.C], car.Vertices[p.A]);
    return {u.Y * v.Z - u.Z * v.Y, u.Z * v.X - u.X * v.Z, u.X * v.Y - u.Y * v.X};
}

}  // namespace

TEST(Samples, CommittedFilesAreWhatTheGeneratorMakes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(SaveCars(dir.filePath("demo.car"), samples::DemoLibrary()));
    QFile made(dir.filePath("demo.car"));
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    EXPECT_EQ(committed("demo.car"), made.readAll()) << "run makesamples";
    EXPECT_EQ(committed("wedge.obj"), samples::WedgeObj()) << "run makesamples";
}

TEST(Samples, DemoCarsHaveDistinctNamesAndWholeModels)
{
    const CarTable cars = samples::DemoLibrary();
    ASSERT_GE(cars.size(), 5u);
    QSet<QString> names;
    for (const CarRecord& car : cars) {
        const QString name = NameAsShown(car.Name);
        SCOPED_TRACE(qPrintable(name));
        names.insert(name);
        EXPECT_EQ(StoredName(name), car.Name);
        EXPECT_LE(name.size(), 12);

        const int triangles = car.PolyPointCount / 3;
        EXPECT_EQ(car.PolyPointCount % 3, 0);
        EXPECT_GE(triangles, 12);
        EXPECT_LE(triangles, MaxPolys);
        EXPECT_LE(car.VertexCount, MaxVertices);
        std::set<int> used;
        for (int p = 0; p < triangles; ++p) {
            const Poly& poly = car.Polys[p];
            for (const int v : {poly.A, poly.B, poly.C}) {
                EXPECT_LT(v, car.VertexCount);
                used.insert(v);
            }
            EXPECT_LT(car.PolyColour[p], 192);
            // Corner normals lean the way the triangle faces.
            for (const int v : {poly.A, poly.B, poly.C})
                EXPECT_GT(dot(facing(car, poly), car.Normals[v]), 0.0f) << "triangle " << p;
        }
        EXPECT_EQ(used.size(), car.VertexCount);
        EXPECT_GE(used.size(), 8u);
        for (int v = 0; v < car.VertexCount; ++v) {
            EXPECT_NEAR(dot(car.Normals[v], car.Normals[v]), 1.0f, 1e-5f);
            EXPECT_LE(car.Vertices[v].Z, samples::GroundZ) << "vertex below the ground";
        }

        // Each wheel sphere rests on the ground from above.
        for (int w = 0; w < 4; ++w) {
            EXPECT_GT(car.Parameters[w], 0.25f);
            EXPECT_LT(car.Parameters[w], 0.5f);
            EXPECT_NEAR(samples::GroundZ - car.SpherePos[w].Z, car.Parameters[w], 1e-6f) << "wheel " << w;
        }
        EXPECT_GT(car.SpherePos[0].X, 0.0f) << "right front is on the right";
        EXPECT_LT(car.SpherePos[0].Y, car.SpherePos[2].Y) << "front wheels are ahead of the rear ones";
        EXPECT_EQ(car.SpherePos[0].X, -car.SpherePos[1].X);
        EXPECT_EQ(car.HeadHidden, 0);
        EXPECT_LT(car.SpherePos[4].Z, samples::GroundZ);
    }
    EXPECT_EQ(names.size(), static_cast<qsizetype>(cars.size()));
}

TEST(Samples, WedgeIsASmallObjWithCrLfLines)
{
    const QByteArray text = samples::WedgeObj();
    ASSERT_TRUE(text.endsWith("\r\n"));
    const QList<QByteArray> lines = text.chopped(1).split('\n');
    int vertices = 0;
    int faces = 0;
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.endsWith('\r')) << line.constData();
        const QList<QByteArray> words = line.chopped(1).split(' ');
        if (words[0] == "v") {
            ASSERT_EQ(words.size(), 4);
            ++vertices;
        } else if (words[0] == "f") {
            ASSERT_EQ(words.size(), 4);
            for (int i = 1; i < 4; ++i) {
                bool ok = false;
                const int index = words[i].toInt(&ok);
                EXPECT_TRUE(ok && index >= 1 && index <= vertices) << line.constData();
            }
            ++faces;
        }
    }
    EXPECT_GE(vertices, 4);
    EXPECT_LE(vertices, 30);
    EXPECT_GE(faces, 4);
    EXPECT_LE(faces, 40);
}
