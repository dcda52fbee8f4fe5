#include "modLoad.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace modLoad;

TEST(CarFile, RoundTripsARecordByteForByte)
{
    std::array<std::uint8_t, RecordSize> bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    CarRecord car;
    DecodeRecord(bytes.data(), car);
    std::array<std::uint8_t, RecordSize> again{};
    EncodeRecord(car, again.data());
    EXPECT_EQ(bytes, again);

    QTemporaryDir dir;
    const QString path = dir.filePath("one.car");
    ASSERT_TRUE(SaveCars(path, CarTable{car}));
    CarTable loaded;
    ASSERT_TRUE(LoadCars(path, loaded));
    ASSERT_EQ(loaded.size(), 1u);
    EncodeRecord(loaded[0], again.data());
    EXPECT_EQ(bytes, again);
}
