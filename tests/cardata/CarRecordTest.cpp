#include "TestLibrary.h"

#include <QSet>

#include <bit>

#include <gtest/gtest.h>

using namespace modLoad;
using namespace testlib;

TEST(CarRecord, CopyCarCopiesEveryByteAndBit)
{
    CarRecord source = MakeCars(1, 1)[0];
    source.Name = RawName("Thirteen Char");
    source.Parameters[5] = std::bit_cast<float>(0x7FA00001u);  // a signalling NaN
    CarRecord destination = MakeCars(1, 2)[0];

    CopyCar(source, destination);

    EXPECT_EQ(Encoded(destination), Encoded(source));
}

// Stored: the text, one NUL, then spaces; shown: up to the first NUL.
TEST(CarRecord, NamesAsStoredAndAsShown)
{
    EXPECT_EQ(StoredName("Racer"), RawName("Racer\0       "));
    EXPECT_EQ(StoredName(""), RawName("\0            "));
    EXPECT_EQ(StoredName("Twelve chars"), RawName("Twelve chars\0"));
    EXPECT_EQ(StoredName("Much longer than thirteen"), RawName("Much longer t"));
    EXPECT_EQ(NameAsShown(RawName("Racer\0\0\0\0\0\0\0\0")), "Racer");
    EXPECT_EQ(NameAsShown(RawName("Thirteen Char")), "Thirteen Char");
    EXPECT_EQ(NameAsShown(RawName("Abc          ")), "Abc          ");
    EXPECT_EQ(NameAsShown(RawName("\0Hidden text ")), "");
}

TEST(CarRecord, ParameterNamesFollowTheParameterOrder)
{
    FillParameterNames();
    EXPECT_EQ(ParameterNames[0], "Size of Right Front Wheel");
    EXPECT_EQ(ParameterNames[16], "Grip on Kerb 2");
    EXPECT_EQ(ParameterNames[30], "Slowdown on Kerb2");
    EXPECT_EQ(ParameterNames[39], "AI Value");
    const QSet<QString> distinct(ParameterNames.begin(), ParameterNames.end());
    EXPECT_EQ(distinct.size(), ParameterCount);
    EXPECT_FALSE(distinct.contains(""));
}
