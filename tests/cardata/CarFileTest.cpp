#include "LibraryBytes.h"
#include "modLoad.h"

#include <QTemporaryDir>

#include <bit>
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

using namespace modLoad;
using namespace testing_bytes;

namespace {

void putFloat(QByteArray& bytes, int at, float value)
{
    putInt32(bytes, at, std::bit_cast<std::int32_t>(value));
}

// A record of odd bytes with a few fields set to values that are easy to
// find again, each at its place in the file form.
QByteArray markedRecord()
{
    QByteArray r = randomBytes(RecordSize, 7);
    r.replace(0, 13, QByteArray("Racer\0       ", 13));
    putInt32(r, 16, 0x7FA00001);
    putFloat(r, 28, 0.375f);
    putInt32(r, 32, 0x7F800001);
    putInt32(r, 184, INT32_MIN);
    r[188] = 29;
    r[190] = 120;
    r[192] = 7;
    r[193] = 1;
    r[194] = 2;
    r[195] = 3;
    r[310] = 27;
    r[352] = 191;
    r[383] = char(0xEE);
    putFloat(r, 384, -1.5f);
    putFloat(r, 740, 2.25f);
    putFloat(r, 744, 0.5f);
    putInt32(r, 1280, 0x12345678);
    putFloat(r, 1284, 0.75f);
    putFloat(r, 1340, -0.0f);
    return r;
}

}  // namespace

TEST(CarFile, DecodesEachFieldFromItsPlace)
{
    const QByteArray bytes = markedRecord();
    const CarRecord car = decoded(bytes)[0];
    EXPECT_EQ(0, std::memcmp(car.Name.data(), "Racer\0       ", 13));
    EXPECT_EQ(0, std::memcmp(car.Text3.data(), bytes.constData() + 13, 3));
    EXPECT_EQ(car.ExtraVector.X, 0x7FA00001u);
    EXPECT_EQ(car.Parameters[0], 0.375f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(car.Parameters[1]), 0x7F800001u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(car.Parameters[39]), 0x80000000u);
    EXPECT_EQ(car.VertexCount, 29);
    EXPECT_EQ(car.ExtraByte1, static_cast<std::uint8_t>(bytes[189]));
    EXPECT_EQ(car.PolyPointCount, 120);
    EXPECT_EQ(car.HeadHidden, 7);
    EXPECT_EQ(car.Polys[0].A, 1);
    EXPECT_EQ(car.Polys[0].B, 2);
    EXPECT_EQ(car.Polys[0].C, 3);
    EXPECT_EQ(car.Polys[39].A, 27);
    EXPECT_EQ(car.PolyColour[39], 191);
    EXPECT_EQ(car.ExtraPolys[9].C, static_cast<std::uint8_t>(bytes[382]));
    EXPECT_EQ(car.ExtraByte3, 0xEE);
    EXPECT_EQ(car.Vertices[0].X, -1.5f);
    EXPECT_EQ(car.Vertices[29].Z, 2.25f);
    EXPECT_EQ(car.Normals[0].X, 0.5f);
    EXPECT_EQ(car.ExtraVectors[14].Z, 0x12345678u);
    EXPECT_EQ(car.SpherePos[0].X, 0.75f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(car.SpherePos[4].Z), 0x80000000u);
    EXPECT_EQ(encoded({car}), bytes);
}

TEST(CarFile, LibrariesRoundTripByteForByte)
{
    QTemporaryDir dir;
    QByteArray nulPadded = markedRecord();
    nulPadded.replace(0, 13, QByteArray("Racer\0\0\0\0\0\0\0\0", 13));
    QByteArray noNul = randomBytes(RecordSize, 8);
    noNul.replace(0, 13, "Thirteen Char");
    const QByteArray handMade = markedRecord() + nulPadded + noNul;

    // 64 and 130 cars cross the reader's chunks of records.
    for (const auto& [records, count] : {std::pair{handMade, 3}, {randomBytes(RecordSize, 9), 1},
                                         {randomBytes(64 * RecordSize, 10), 64},
                                         {randomBytes(130 * RecordSize, 11), 130}}) {
        const QByteArray file = library(records, count);
        writeFile(dir.filePath("in.car"), file);
        CarTable cars;
        ASSERT_TRUE(LoadCars(dir.filePath("in.car"), cars)) << count;
        ASSERT_EQ(cars.size(), static_cast<std::size_t>(count));
        ASSERT_TRUE(SaveCars(dir.filePath("out.car"), cars));
        EXPECT_EQ(readFile(dir.filePath("out.car")), file) << count << " cars";
    }
}

TEST(CarFile, TrustsOnlyTheCarCount)
{
    QTemporaryDir dir;
    const QByteArray records = randomBytes(3 * RecordSize, 12);
    for (const std::int32_t recordSize : {0, -1, 1000, 1352, INT32_MAX}) {
        writeFile(dir.filePath("odd.car"), library(records, 3, recordSize) + randomBytes(100, 13));
        CarTable cars;
        ASSERT_TRUE(LoadCars(dir.filePath("odd.car"), cars)) << recordSize;
        EXPECT_EQ(encoded(cars), records);
        ASSERT_TRUE(SaveCars(dir.filePath("odd.car"), cars));
        EXPECT_EQ(readFile(dir.filePath("odd.car")), library(records, 3));
    }
}

TEST(CarFile, LoadsTheLargestLibrary)
{
    QTemporaryDir dir;
    const QByteArray file = library(randomBytes(qsizetype{MaxCars} * RecordSize, 14), MaxCars);
    writeFile(dir.filePath("big.car"), file);
    CarTable cars;
    ASSERT_TRUE(LoadCars(dir.filePath("big.car"), cars));
    ASSERT_EQ(cars.size(), static_cast<std::size_t>(MaxCars));
    EXPECT_EQ(library(encoded(cars), MaxCars), file);
}

TEST(CarFile, RefusedLoadsLeaveTheTableAsItWas)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder.car");
    const QByteArray three = randomBytes(3 * RecordSize, 15);
    const std::pair<const char*, QByteArray> files[] = {
        {"empty.car", {}},
        {"seven.car", library({}, 1).left(7)},
        {"none.car", library(three, 0)},
        {"minus.car", library(three, -1)},
        {"toomany.car", library(three, MaxCars + 1)},
        {"lowest.car", library(three, INT32_MIN)},
        {"short.car", library(three.chopped(1), 3)},
        {"headeronly.car", library({}, 1)},
    };
    for (const auto& [name, bytes] : files)
        writeFile(dir.filePath(name), bytes);

    CarTable cars = decoded(randomBytes(2 * RecordSize, 16));
    const QByteArray before = encoded(cars);
    QStringList names{"missing.car", "folder.car"};
    for (const auto& file : files)
        names << file.first;
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        const FileResult result = LoadCars(path, cars);
        EXPECT_FALSE(result) << qPrintable(name);
        EXPECT_TRUE(result.message.contains(path)) << qPrintable(result.message);
        EXPECT_EQ(encoded(cars), before) << qPrintable(name);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.car")));
}
