#include "DemoLibrary.h"
#include "HostileLibrary.h"
#include "ObjSamples.h"
#include "TestLibrary.h"

#include <QSet>
#include <QTemporaryDir>

#include <cmath>
#include <set>

#include <gtest/gtest.h>

using namespace modLoad;
using testlib::ReadFile;

TEST(Samples, CommittedFilesAreWhatTheGeneratorMakes)
{
    QTemporaryDir dir;
    const QString committed = QStringLiteral(VELMAR_SOURCE_DIR "/samples/");
    for (const auto& [name, cars] :
         {std::pair{"demo.car", samples::DemoLibrary()}, {"hostile.car", samples::HostileLibrary()}}) {
        ASSERT_TRUE(SaveCars(dir.filePath(name), cars));
        EXPECT_EQ(ReadFile(committed + name), ReadFile(dir.filePath(name))) << "run makesamples";
    }
    EXPECT_EQ(ReadFile(committed + "wedge.obj"), samples::WedgeObj()) << "run makesamples";
    EXPECT_EQ(ReadFile(committed + "wedge-lf.obj"), samples::WedgeObjLF()) << "run makesamples";
    EXPECT_EQ(ReadFile(committed + "kart.obj"), samples::KartObj()) << "run makesamples";
    EXPECT_FALSE(samples::WedgeObj().replace("\r\n", "").contains('\n')) << "every line ends in CR LF";
}

TEST(Samples, DemoCarsAreWholeModelsStandingOnTheGround)
{
    const CarTable cars = samples::DemoLibrary();
    ASSERT_GE(cars.size(), 5u);
    QSet<QString> names;
    for (const CarRecord& car : cars) {
        names.insert(NameAsShown(car.Name));
        SCOPED_TRACE(qPrintable(NameAsShown(car.Name)));
        const int triangles = car.PolyPointCount / 3;
        EXPECT_EQ(car.PolyPointCount % 3, 0);
        EXPECT_GE(triangles, 12);
        ASSERT_LE(triangles, MaxPolys);
        std::set<int> used;
        for (int p = 0; p < triangles; ++p) {
            used.insert({car.Polys[p].A, car.Polys[p].B, car.Polys[p].C});
            EXPECT_LT(car.PolyColour[p], PaletteSize);
        }
        EXPECT_GE(used.size(), 8u);
        EXPECT_LT(*used.rbegin(), car.VertexCount);
        EXPECT_LE(car.VertexCount, MaxVertices);
        // A wheel's size is its radius, so its sphere touches the ground from above.
        for (int w = 0; w < 4; ++w)
            EXPECT_NEAR(samples::GroundZ - car.SpherePos[w].Z, car.Parameters[w], 1e-6f) << "wheel " << w;
    }
    EXPECT_EQ(names.size(), static_cast<qsizetype>(cars.size()));
}

// However odd, every car keeps triangles in use whose corners name vertices of
// the model at finite places, for an editor to draw.
TEST(Samples, HostileCarsAreDistinctAndKeepADrawableModel)
{
    const CarTable cars = samples::HostileLibrary();
    QSet<QByteArray> names;
    for (const CarRecord& car : cars) {
        names.insert(QByteArray(car.Name.data(), NameLength));
        const auto finite = [&](int v) {
            return std::isfinite(car.Vertices[v].X + car.Vertices[v].Y + car.Vertices[v].Z);
        };
        int drawable = 0;
        for (int p = 0; p < UsedPolys(car); ++p) {
            const Poly& poly = car.Polys[p];
            drawable += PolyInModel(poly) && finite(poly.A) && finite(poly.B) && finite(poly.C);
        }
        EXPECT_GE(drawable, 12) << qPrintable(NameAsShown(car.Name));
    }
    EXPECT_EQ(names.size(), static_cast<qsizetype>(cars.size()));
}
