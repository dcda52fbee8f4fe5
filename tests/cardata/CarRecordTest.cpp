#include "TestLibrary.h"

#include <gtest/gtest.h>

using namespace modLoad;
using namespace testlib;

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

// PolyPointCount / 3 - 1 rounded: 2 rounds to triangle 0, 122 claims a 41st.
TEST(CarRecord, UsedPolysRoundAndStayWithinTheTable)
{
    CarRecord car{};
    struct Case {
        int points, last, used;
    };
    for (const Case c : {Case{0, -1, 0}, {1, -1, 0}, {2, 0, 1}, {4, 0, 1}, {5, 1, 2}, {6, 1, 2}, {120, 39, 40},
                         {121, 39, 40}, {122, 40, 40}, {255, 84, 40}}) {
        car.PolyPointCount = static_cast<std::uint8_t>(c.points);
        EXPECT_EQ(LastPolyNumber(car), c.last) << c.points;
        EXPECT_EQ(UsedPolys(car), c.used) << c.points;
    }
    EXPECT_TRUE(PolyInModel({0, 29, 7}));
    EXPECT_FALSE(PolyInModel({0, 30, 7}));
    EXPECT_FALSE(VertexInModel(-1));
}
