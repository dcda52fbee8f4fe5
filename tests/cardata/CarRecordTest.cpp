#include "LibraryBytes.h"
#include "modLoad.h"

#include <bit>

#include <gtest/gtest.h>

using namespace modLoad;
using namespace testing_bytes;

namespace {

CarName nameOf(const char (&text)[NameLength + 1])
{
    CarName name;
    std::copy_n(text, NameLength, name.begin());
    return name;
}

}  // namespace

TEST(CarRecord, CopyCarCopiesEveryByte)
{
    CarRecord source = decoded(randomBytes(RecordSize, 1))[0];
    source.Name = nameOf("Thirteen Char");
    source.Parameters[5] = std::bit_cast<float>(0x7FA00001u);
    CarRecord destination = decoded(randomBytes(RecordSize, 2))[0];
    const QByteArray before = encoded({source});

    CopyCar(source, destination);

    EXPECT_EQ(encoded({destination}), before);
    EXPECT_EQ(encoded({source}), before);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(destination.Parameters[5]), 0x7FA00001u);
    EXPECT_EQ(destination.Name, nameOf("Thirteen Char"));
}

TEST(CarRecord, StoredNamesAreTextThenOneNulThenSpaces)
{
    EXPECT_EQ(StoredName("Racer"), nameOf("Racer\0       "));
    EXPECT_EQ(StoredName(""), nameOf("\0            "));
    EXPECT_EQ(StoredName("Twelve chars"), nameOf("Twelve chars\0"));
    EXPECT_EQ(StoredName("Thirteen Char"), nameOf("Thirteen Char"));
    EXPECT_EQ(StoredName("Much longer than thirteen"), nameOf("Much longer t"));
}

TEST(CarRecord, ShownNamesEndAtTheFirstNul)
{
    EXPECT_EQ(NameAsShown(nameOf("Racer\0       ")), "Racer");
    EXPECT_EQ(NameAsShown(nameOf("Racer\0\0\0\0\0\0\0\0")), "Racer");
    EXPECT_EQ(NameAsShown(nameOf("Abc          ")), "Abc          ");
    EXPECT_EQ(NameAsShown(nameOf("\0Hidden text ")), "");
    EXPECT_EQ(NameAsShown(StoredName("Twelve chars")), "Twelve chars");
}

TEST(CarRecord, ParameterNamesFollowTheParameterOrder)
{
    const char* const expected[ParameterCount] = {
        "Size of Right Front Wheel", "Size of Left Front Wheel", "Size of Right Rear Wheel", "Size of Left Rear Wheel",
        "Grip on Oil", "Grip on Tarmac", "Grip on Tarmac 2", "Grip on Grass", "Grip on Mud", "Grip on Gravel",
        "Grip on Gravel 2", "Grip on Sand", "Grip on Sand 2", "Grip on Snow", "Grip on Ice", "Grip on Kerb",
        "Grip on Kerb 2", "Grip on Loose Gravel", "Slowdown on Oil", "Slowdown on Tarmac", "Slowdown on Tarmac 2",
        "Slowdown on Grass", "Slowdown on Mud", "Slowdown on Gravel", "Slowdown on Gravel 2", "Slowdown on Sand",
        "Slowdown on Sand 2", "Slowdown on Snow", "Slowdown on Ice", "Slowdown on Kerb", "Slowdown on Kerb2",
        "Slowdown on Loose Gravel", "Air Resistance", "Downforce/Wings", "Power", "Top Speed", "Sliding", "Mass",
        "Balance", "AI Value"};
    FillParameterNames();
    for (int i = 0; i < ParameterCount; ++i)
        EXPECT_EQ(ParameterNames[i], expected[i]) << "parameter " << i;
}
