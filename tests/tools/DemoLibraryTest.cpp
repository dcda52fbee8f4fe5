#include "DemoLibrary.h"
#include "HostileLibrary.h"
#include "ObjSamples.h"
#include "TestLibrary.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using testlib::ReadFile;

TEST(Samples, CommittedFilesAreWhatTheGeneratorMakes)
{
    QTemporaryDir dir;
    const QString committed = QStringLiteral(VELMAR_SOURCE_DIR "/samples/");
    for (const auto& [name, cars] :
         {std::pair{"demo.car", samples::DemoLibrary()}, {"hostile.car", samples::HostileLibrary()}}) {
        ASSERT_TRUE(modLoad::SaveCars(dir.filePath(name), cars));
        EXPECT_EQ(ReadFile(committed + name), ReadFile(dir.filePath(name))) << "run makesamples";
    }
    for (const auto& [name, bytes] : {std::pair{"wedge.obj", samples::WedgeObj()}, {"wedge-lf.obj", samples::WedgeObjLF()}, {"kart.obj", samples::KartObj()}})
        EXPECT_EQ(ReadFile(committed + name), bytes) << "run makesamples";
}
