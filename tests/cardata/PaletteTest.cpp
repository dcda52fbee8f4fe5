#include "Palette.h"

#include <QString>
#include <QStringList>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

using namespace modLoad;

namespace {

// The palette row by row: a range of colour numbers, then its entries, either
// "grey" levels or red,green,blue triples.
const char* const ExpectedPalette = R"(
     0-2 grey 160 192 224
     3-7 102,166,230 0,96,95 0,128,128 0,160,158 102,166,230
    8-29 grey 49 55 62 68 74 80 86 93 99 105 111 117 124 130 136 142 148 155 161 167 173 180
   30-44 40,80,40 48,88,44 57,97,48 65,105,52 74,114,57 82,122,61 91,131,65 100,140,70 108,148,74 117,157,78 125,165,82 134,174,87 142,182,91 151,191,95 160,200,100
   45-59 60,50,40 66,55,44 72,60,48 79,66,52 85,71,57 92,76,61 98,82,65 105,87,70 111,92,74 117,98,78 124,103,82 130,108,87 137,114,91 143,119,95 150,125,100
   60-74 80,60,40 87,66,45 94,72,51 101,79,57 108,85,62 115,92,68 122,98,74 130,105,80 137,111,85 144,117,91 151,124,97 158,130,102 165,137,108 172,143,114 180,150,120
   75-89 140,100,90 146,108,98 152,117,107 159,125,115 165,134,124 172,142,132 178,151,141 185,160,150 191,168,158 197,177,167 204,185,175 210,194,184 217,202,192 223,211,201 230,220,210
  90-104 160,180,200 166,185,203 172,190,207 178,195,211 184,200,215 190,205,219 196,210,223 202,215,227 208,220,231 214,225,235 220,230,239 226,235,243 232,240,247 238,245,251 245,250,255
 105-109 200,200,200 213,212,211 227,225,222 241,237,233 255,250,245
 110-114 200,200,0 213,212,15 227,225,30 241,237,45 255,250,60
 115-119 200,0,0 213,15,15 227,30,30 241,45,45 255,60,60
 120-125 6,70,134 21,85,149 37,101,165 52,116,180 68,132,196 83,147,211
 126-128 28,112,152 50,134,163 71,155,173
 129-131 36,94,152 52,107,163 68,121,173
 132-134 47,100,153 65,116,168 82,132,182
 135-137 76,122,181 92,144,203 108,165,224
 138-140 86,159,231 101,171,241 116,184,251
 141-143 113,176,239 113,174,143 113,79,143
 144-147 220,220,200 225,225,205 230,230,210 112,176,230
 148-151 210,0,0 225,30,30 240,60,60 112,79,143
 152-155 170,180,100 180,195,115 190,210,130 90,161,185
 156-159 60,100,20 90,130,50 120,160,80 45,129,153
 160-163 80,100,20 110,130,50 140,160,80 55,129,153
 164-167 100,90,50 110,100,65 120,110,80 55,114,160
 168-171 50,50,50 75,75,75 100,100,100 37,101,165
 172-175 235,235,40 245,245,42 255,255,45 122,186,149
 176-179 215,215,215 235,235,235 255,255,255 117,181,245
 180-183 40,115,235 50,125,245 60,135,255 25,126,250
 184-187 170,190,210 175,195,215 180,200,220 87,161,235
 188-191 200,120,100 210,130,110 220,140,120 105,129,183
)";

std::vector<ColourRGB> expectedPalette()
{
    std::vector<ColourRGB> colours;
    for (const QString& line : QString::fromLatin1(ExpectedPalette).split('\n', Qt::SkipEmptyParts)) {
        QStringList words = line.split(' ', Qt::SkipEmptyParts);
        const QStringList range = words.takeFirst().split('-');
        EXPECT_EQ(range.first().toInt(), static_cast<int>(colours.size())) << qPrintable(line);
        const bool grey = words.first() == "grey";
        if (grey)
            words.removeFirst();
        for (const QString& word : words) {
            const QStringList rgb = grey ? QStringList{word, word, word} : word.split(',');
            colours.push_back({static_cast<std::uint8_t>(rgb[0].toInt()), static_cast<std::uint8_t>(rgb[1].toInt()),
                               static_cast<std::uint8_t>(rgb[2].toInt())});
        }
        EXPECT_EQ(range.last().toInt() + 1, static_cast<int>(colours.size())) << qPrintable(line);
    }
    return colours;
}

}  // namespace

TEST(Palette, HoldsEveryColourOfTheTableInOrder)
{
    BuildPalette();
    const std::vector<ColourRGB> expected = expectedPalette();
    ASSERT_EQ(expected.size(), Palette.size());
    for (int i = 0; i < PaletteSize; ++i) {
        EXPECT_EQ(Palette[i].Red, expected[i].Red) << "colour " << i;
        EXPECT_EQ(Palette[i].Green, expected[i].Green) << "colour " << i;
        EXPECT_EQ(Palette[i].Blue, expected[i].Blue) << "colour " << i;
    }

    // Building it again changes nothing.
    const auto first = Palette;
    BuildPalette();
    EXPECT_EQ(0, std::memcmp(first.data(), Palette.data(), sizeof first));
}

TEST(Palette, MakeColourKeepsTheOrderRedGreenBlue)
{
    const ColourRGB c = MakeColour(1, 2, 3);
    EXPECT_EQ(c.Red, 1);
    EXPECT_EQ(c.Green, 2);
    EXPECT_EQ(c.Blue, 3);
}
