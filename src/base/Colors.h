#pragma once

#include <array>
#include <cstdint>

// Colours are stored as R + 256*G + 65536*B (the byte order of a Windows
// COLORREF), which is also how results files write them.
using Color = std::uint32_t;

constexpr Color rgbColor(unsigned r, unsigned g, unsigned b) { return r + 256u * g + 65536u * b; }
// From a 0xRRGGBB literal as colours are usually written.
constexpr Color hexColor(std::uint32_t rrggbb)
{
    return rgbColor((rrggbb >> 16) & 0xFFu, (rrggbb >> 8) & 0xFFu, rrggbb & 0xFFu);
}
constexpr unsigned colorRed(Color c) { return c & 0xFFu; }
constexpr unsigned colorGreen(Color c) { return (c >> 8) & 0xFFu; }
constexpr unsigned colorBlue(Color c) { return (c >> 16) & 0xFFu; }

constexpr Color kNoColor = 16777215;                // white: no colour chosen yet
constexpr Color kComputedColor = hexColor(0x8484FF); // a computed solution outside a Pareto Race
constexpr Color kStoredComputedColor = hexColor(0x5353FF); // basket colour of a ComputedColor solution
constexpr Color kOlderComputedColor = hexColor(0x9B9BFF);  // report colour of an older ComputedColor record

constexpr int kBasketPaletteSize = 86;
constexpr int kRaceColorCount = 12;

// Positions 1..86 are used; position 0 is never read.
using BasketPalette = std::array<Color, kBasketPaletteSize + 1>;
// Positions 0..11.
using RaceColors = std::array<Color, kRaceColorCount>;

void InitPalettes(BasketPalette& basketPalette, RaceColors& raceColors);

// Relative luminance of a colour: 0 for black, 1 for white (sRGB weights of
// the linear channels).
double RelativeLuminance(Color c);
// Black or white, whichever contrasts more with `background`: the text
// colour of a label painted in a solution's colour.
Color TextColorOn(Color background);
