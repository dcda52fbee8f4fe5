#include "Palette.h"

#include <initializer_list>

namespace modLoad {

std::array<ColourRGB, PaletteSize> Palette{};

ColourRGB MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return ColourRGB{red, green, blue};
}

namespace {

struct Rgb {
    int r, g, b;
};

class PaletteFiller {
public:
    void greys(std::initializer_list<int> levels)
    {
        for (const int v : levels)
            put({v, v, v});
    }
    void colours(std::initializer_list<Rgb> entries)
    {
        for (const Rgb& c : entries)
            put(c);
    }
    // A run of n + 1 entries blending from first to last, rounding down.
    void blend(Rgb first, Rgb last, int n)
    {
        for (int k = 0; k <= n; ++k)
            put({step(first.r, last.r, k, n), step(first.g, last.g, k, n), step(first.b, last.b, k, n)});
    }
private:
    static int step(int first, int last, int k, int n)
    {
        const int span = (last - first) * k;
        // Floor division, also for falling components.
        return first + (span >= 0 ? span / n : -((-span + n - 1) / n));
    }
    void put(Rgb c)
    {
        Palette[next_++] = MakeColour(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                                      static_cast<std::uint8_t>(c.b));
    }
    int next_ = 0;
};

}  // namespace

void BuildPalette()
{
    PaletteFiller p;
    p.greys({160, 192, 224});
    p.colours({{102, 166, 230}, {0, 96, 95}, {0, 128, 128}, {0, 160, 158}, {102, 166, 230}});
    p.greys({49, 55, 62, 68, 74, 80, 86, 93, 99, 105, 111, 117, 124, 130, 136, 142, 148, 155, 161, 167, 173, 180});
    p.blend({40, 80, 40}, {160, 200, 100}, 14);
    p.blend({60, 50, 40}, {150, 125, 100}, 14);
    p.blend({80, 60, 40}, {180, 150, 120}, 14);
    p.blend({140, 100, 90}, {230, 220, 210}, 14);
    p.blend({160, 180, 200}, {245, 250, 255}, 14);
    p.blend({200, 200, 200}, {255, 250, 245}, 4);
    p.blend({200, 200, 0}, {255, 250, 60}, 4);
    p.blend({200, 0, 0}, {255, 60, 60}, 4);
    p.colours({{6, 70, 134},    {21, 85, 149},   {37, 101, 165},  {52, 116, 180},  {68, 132, 196},
               {83, 147, 211},  {28, 112, 152},  {50, 134, 163},  {71, 155, 173},  {36, 94, 152},
               {52, 107, 163},  {68, 121, 173},  {47, 100, 153},  {65, 116, 168},  {82, 132, 182},
               {76, 122, 181},  {92, 144, 203},  {108, 165, 224}, {86, 159, 231},  {101, 171, 241},
               {116, 184, 251}, {113, 176, 239}, {113, 174, 143}, {113, 79, 143}});
    p.colours({{220, 220, 200}, {225, 225, 205}, {230, 230, 210}, {112, 176, 230},
               {210, 0, 0},     {225, 30, 30},   {240, 60, 60},   {112, 79, 143},
               {170, 180, 100}, {180, 195, 115}, {190, 210, 130}, {90, 161, 185},
               {60, 100, 20},   {90, 130, 50},   {120, 160, 80},  {45, 129, 153},
               {80, 100, 20},   {110, 130, 50},  {140, 160, 80},  {55, 129, 153},
               {100, 90, 50},   {110, 100, 65},  {120, 110, 80},  {55, 114, 160},
               {50, 50, 50},    {75, 75, 75},    {100, 100, 100}, {37, 101, 165},
               {235, 235, 40},  {245, 245, 42},  {255, 255, 45},  {122, 186, 149},
               {215, 215, 215}, {235, 235, 235}, {255, 255, 255}, {117, 181, 245},
               {40, 115, 235},  {50, 125, 245},  {60, 135, 255},  {25, 126, 250},
               {170, 190, 210}, {175, 195, 215}, {180, 200, 220}, {87, 161, 235},
               {200, 120, 100}, {210, 130, 110}, {220, 140, 120}, {105, 129, 183}});
}

}  // namespace modLoad
