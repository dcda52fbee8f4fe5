#pragma once

#include <array>
#include <cstdint>

namespace modLoad {

struct ColourRGB {
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
};

constexpr int PaletteSize = 192;

// Zero until BuildPalette has run, read-only afterwards.
extern std::array<ColourRGB, PaletteSize> Palette;

ColourRGB MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
void BuildPalette();

}  // namespace modLoad
