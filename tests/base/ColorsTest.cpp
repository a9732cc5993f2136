#include "base/Colors.h"

#include <gtest/gtest.h>

namespace {

struct LabelCase {
    std::uint32_t background; // 0xRRGGBB
    std::uint32_t text;
};

class TextOnColour : public ::testing::TestWithParam<LabelCase> {};

// Light labels (yellow, pale pink, the pale race colours) take black text,
// dark ones white; mid red still reads better in black.
TEST_P(TextOnColour, PicksTheBetterContrast)
{
    EXPECT_EQ(TextColorOn(hexColor(GetParam().background)), hexColor(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Labels, TextOnColour,
                         ::testing::Values(LabelCase{0xFFFF00, 0x000000}, LabelCase{0xFFB6C1, 0x000000},
                                           LabelCase{0xFFFFFF, 0x000000}, LabelCase{0x91ECCA, 0x000000},
                                           LabelCase{0xFF0000, 0x000000}, LabelCase{0x000080, 0xFFFFFF},
                                           LabelCase{0x800000, 0xFFFFFF}, LabelCase{0x008000, 0xFFFFFF},
                                           LabelCase{0x000000, 0xFFFFFF}, LabelCase{0x5353FF, 0xFFFFFF}));

} // namespace
