#include "base/Colors.h"

#include <cmath>

namespace {

constexpr std::uint32_t kFirstColors[14] = {
    0x008080, 0x800000, 0xDAA520, 0x000080, 0xDA0000, 0x008000, 0xFF00FF,
    0x0000FF, 0x808080, 0x00FF00, 0x808000, 0x00FFFF, 0x800080, 0xFFFF00,
};

// 72 named web colours as a table of 6 rows by 12 columns; the palette takes
// them column by column so that neighbouring solutions get distinct hues.
constexpr int kWebRows = 6;
constexpr int kWebCols = 12;
constexpr std::uint32_t kWebColors[kWebRows][kWebCols] = {
    {0xFFB6C1, 0xFF69B4, 0xFF1493, 0xDB7093, 0xBC8F8F, 0xC71585, 0xCD5C5C, 0xF08080, 0xFFA07A, 0xFA8072, 0xE9967A, 0xDC143C},
    {0xB8860B, 0xCD853F, 0xD2691E, 0xA0522D, 0xB22222, 0x8B4513, 0x800000, 0xFF6347, 0xFF4500, 0xFF8C00, 0xFFA500, 0xFFD700},
    {0xDDA0DD, 0xFF00FF, 0xEE82EE, 0xDA70D6, 0xBA55D3, 0x8A2BE2, 0x9400D3, 0x9932CC, 0x8B008B, 0x800080, 0x4B0082, 0x483D8B},
    {0xADFF2F, 0x7FFF00, 0x00FF00, 0x00FF7F, 0x90EE90, 0x32CD32, 0x3CB371, 0x2E8B57, 0x228B22, 0x006400, 0x9ACD32, 0x6B8E23},
    {0x20B2AA, 0x008080, 0x00FFFF, 0x7FFFD4, 0xAFEEEE, 0x48D1CC, 0x5F9EA0, 0x4682B4, 0x00BFFF, 0x1E90FF, 0x0000CD, 0x00008B},
    {0xD2B48C, 0xBDB76B, 0x808000, 0x556B2F, 0x8FBC8F, 0x66CDAA, 0xA9A9A9, 0x708090, 0x808080, 0x696969, 0x2F4F4F, 0xFFC0CB},
};

constexpr std::uint32_t kRaceColors[kRaceColorCount] = {
    0x91ECCA, 0x86B4E6, 0xAB84EC, 0xE7BB56, 0xA3E15E, 0xF79464,
    0x63E4B4, 0x5696DC, 0x8F5BE6, 0xE0A927, 0x86D82C, 0xF47C42,
};

} // namespace

void InitPalettes(BasketPalette& basketPalette, RaceColors& raceColors)
{
    basketPalette[0] = kNoColor;
    for (int i = 0; i < 14; ++i)
        basketPalette[i + 1] = hexColor(kFirstColors[i]);
    for (int c = 0; c < kWebCols; ++c)
        for (int r = 0; r < kWebRows; ++r)
            basketPalette[15 + kWebRows * c + r] = hexColor(kWebColors[r][c]);
    for (int i = 0; i < kRaceColorCount; ++i)
        raceColors[i] = hexColor(kRaceColors[i]);
}

namespace {

double linearChannel(unsigned v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(Color c)
{
    return 0.2126 * linearChannel(colorRed(c)) + 0.7152 * linearChannel(colorGreen(c)) +
           0.0722 * linearChannel(colorBlue(c));
}

Color TextColorOn(Color background)
{
    // Contrast ratios (L1 + 0.05) / (L2 + 0.05) against black and white are
    // equal at this luminance.
    constexpr double kEqualContrast = 0.1791287847;
    return RelativeLuminance(background) > kEqualContrast ? rgbColor(0, 0, 0) : rgbColor(255, 255, 255);
}
