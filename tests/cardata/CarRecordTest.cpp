#include "modLoad.h"

#include <tuple>

#include <gtest/gtest.h>

using namespace modLoad;

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

TEST(Palette, HoldsTheFixedColoursAndRoundsBlendsDown)
{
    BuildPalette();
    BuildPalette();  // building again starts over at colour 0
    // Fixed rows, then both ends and the inside of every blended run, then the irregular rows.
    const std::tuple<int, int, int, int> samples[] = {
        {0, 160, 160, 160},   {2, 224, 224, 224},   {4, 0, 96, 95},       {8, 49, 49, 49},      {29, 180, 180, 180},
        {30, 40, 80, 40},     {31, 48, 88, 44},     {37, 100, 140, 70},   {44, 160, 200, 100},  {46, 66, 55, 44},
        {52, 105, 87, 70},    {61, 87, 66, 45},     {67, 130, 105, 80},   {76, 146, 108, 98},   {83, 191, 168, 158},
        {91, 166, 185, 203},  {100, 220, 230, 239}, {104, 245, 250, 255}, {106, 213, 212, 211}, {108, 241, 237, 233},
        {111, 213, 212, 15},  {114, 255, 250, 60},  {116, 213, 15, 15},   {118, 241, 45, 45},   {120, 6, 70, 134},
        {143, 113, 79, 143},  {147, 112, 176, 230}, {165, 110, 100, 65},  {178, 255, 255, 255}, {183, 25, 126, 250},
        {191, 105, 129, 183}};
    for (const auto& [index, red, green, blue] : samples) {
        const ColourRGB c = Palette[index];
        EXPECT_EQ(std::tuple(int{c.Red}, int{c.Green}, int{c.Blue}), std::tuple(red, green, blue))
            << "colour " << index;
    }
    EXPECT_EQ(std::tuple(Palette[3].Red, Palette[3].Green, Palette[3].Blue),
              std::tuple(Palette[7].Red, Palette[7].Green, Palette[7].Blue));
}
