#include "base/NumberFormat.h"

#include "ScriptedUiPort.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FormatCase {
    Real x;
    int precision;
    const char* expected;
};

class GeneralFormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(GeneralFormatTable, WritesTheExpectedText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(GeneralFormat(c.x, c.precision).toStdString(), c.expected)
        << "x = " << static_cast<double>(c.x) << ", precision " << c.precision;
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralFormatTable,
    ::testing::Values(
        FormatCase{123.456L, 5, "123.46"}, FormatCase{1.5e9L, 7, "1.5E9"}, FormatCase{0.000001L, 7, "1E-6"},
        FormatCase{0, 7, "0"}, FormatCase{-0.0L, 7, "0"}, FormatCase{0.0001L, 7, "0.0001"},
        FormatCase{0.00005L, 7, "5E-5"}, FormatCase{-2.5e-5L, 7, "-2.5E-5"}, FormatCase{-123.456L, 5, "-123.46"},
        FormatCase{100, 7, "100"}, FormatCase{1000000, 7, "1000000"}, FormatCase{1234567, 7, "1234567"},
        // 10^precision itself is 0.1 x 10^(precision+1): scientific.
        FormatCase{10000000, 7, "1E7"}, FormatCase{12345678, 7, "1.234568E7"}, FormatCase{1e20L, 7, "1E20"},
        FormatCase{-4.25e12L, 7, "-4.25E12"}, FormatCase{1e-12L, 7, "1E-12"}, FormatCase{-1e-20L, 7, "-1E-20"},
        FormatCase{0.00012345678L, 7, "0.0001234568"}, FormatCase{1.0L / 3, 7, "0.3333333"},
        FormatCase{2.0L / 3, 7, "0.6666667"}, FormatCase{-2.0L / 3, 4, "-0.6667"}, FormatCase{3.5L, 7, "3.5"},
        FormatCase{12.0L, 5, "12"}, FormatCase{0.1L, 7, "0.1"},
        // Rounding carries into a new leading digit, and across the
        // fixed/scientific boundary in both directions.
        FormatCase{9999999.6L, 7, "1E7"}, FormatCase{9999999.4L, 7, "9999999"}, FormatCase{-9999999.6L, 7, "-1E7"},
        FormatCase{99999.96L, 5, "1E5"}, FormatCase{0.99996L, 4, "1"}, FormatCase{9.96L, 2, "10"},
        FormatCase{0.000099999996L, 7, "0.0001"}, FormatCase{-0.000099999996L, 7, "-0.0001"},
        FormatCase{0.00009999996L, 7, "9.999996E-5"},
        // Decimal ties of exactly representable values go away from zero.
        FormatCase{2.5L, 1, "3"}, FormatCase{-2.5L, 1, "-3"}, FormatCase{0.125L, 2, "0.13"},
        FormatCase{1.25L, 2, "1.3"},
        // Precision is kept within 1..18.
        FormatCase{123.456L, 0, "1E2"}, FormatCase{1.0L / 3, 40, "0.333333333333333333"}));

TEST(GeneralFormat, NotANumberAndInfinities)
{
    EXPECT_EQ(GeneralFormat(std::numeric_limits<Real>::quiet_NaN(), 7), QStringLiteral("NAN"));
    EXPECT_EQ(GeneralFormat(std::numeric_limits<Real>::infinity(), 7), QStringLiteral("INF"));
    EXPECT_EQ(GeneralFormat(-std::numeric_limits<Real>::infinity(), 7), QStringLiteral("-INF"));
}

TEST(NumText, SevenDigitsUpToTenMillionEightAbove)
{
    EXPECT_EQ(NumText(3.14159265L), QStringLiteral("3.141593"));
    EXPECT_EQ(NumText(10000000), QStringLiteral("1E7"));         // not above 1e7: 7 digits
    EXPECT_EQ(NumText(10000001), QStringLiteral("10000001"));    // 8 digits
    EXPECT_EQ(NumText(12345678), QStringLiteral("12345678"));
    EXPECT_EQ(NumText(-12345678), QStringLiteral("-12345678"));
    EXPECT_EQ(NumText(123456789), QStringLiteral("1.2345679E8"));
    EXPECT_EQ(NumText(99999999.6L), QStringLiteral("1E8"));
    EXPECT_EQ(NumText(9999999.6L), QStringLiteral("1E7"));
    EXPECT_EQ(NumText(0.0001L), QStringLiteral("0.0001"));
    EXPECT_EQ(NumText(0.00005L), QStringLiteral("5E-5"));
    EXPECT_EQ(NumText(1e-12L), QStringLiteral("1E-12"));
    EXPECT_EQ(NumText(0), QStringLiteral("0"));
    EXPECT_EQ(NumText(-12345.456789L), QStringLiteral("-12345.46"));
}

constexpr double kSecond = 1.0 / 86400.0;

TEST(ElapsedText, DecodesTheDurationAsATimeOfDay)
{
    EXPECT_EQ(ElapsedText(2.031 * kSecond), QStringLiteral("time: 0h 0m 2s 31ms"));
    EXPECT_EQ(ElapsedText(0), QStringLiteral("time: 0h 0m 0s 0ms"));
    EXPECT_EQ(ElapsedText((3600 + 2 * 60 + 3.004) * kSecond), QStringLiteral("time: 1h 2m 3s 4ms"));
    EXPECT_EQ(ElapsedText((23 * 3600 + 59 * 60 + 59.999) * kSecond), QStringLiteral("time: 23h 59m 59s 999ms"));
    // A whole day or more wraps around as a clock does.
    EXPECT_EQ(ElapsedText(1.0 + 3600 * kSecond), QStringLiteral("time: 1h 0m 0s 0ms"));
}

TEST(ElapsedText, MillisecondsRoundToNearestWithHalvesToEven)
{
    const double ms = 1.0 / 86400000.0;
    EXPECT_EQ(ElapsedText(0.4 * ms), QStringLiteral("time: 0h 0m 0s 0ms"));
    EXPECT_EQ(ElapsedText(0.6 * ms), QStringLiteral("time: 0h 0m 0s 1ms"));
    // These products are exact halves in double arithmetic.
    ASSERT_EQ(2.5 * ms * 86400000.0, 2.5);
    ASSERT_EQ(3.5 * ms * 86400000.0, 3.5);
    EXPECT_EQ(ElapsedText(2.5 * ms), QStringLiteral("time: 0h 0m 0s 2ms"));
    EXPECT_EQ(ElapsedText(3.5 * ms), QStringLiteral("time: 0h 0m 0s 4ms"));
    // 999.6 ms carries into the seconds.
    EXPECT_EQ(ElapsedText(1.9996 * kSecond), QStringLiteral("time: 0h 0m 2s 0ms"));
}

TEST(ElapsedText, NegativeDurationHasNoText)
{
    EXPECT_TRUE(ElapsedText(-kSecond).isEmpty());
    EXPECT_TRUE(ElapsedText(std::numeric_limits<double>::quiet_NaN()).isEmpty());
}

TEST(ShowElapsedTime, WritesStatusPanelOneAndClearsItForANegativeDuration)
{
    ScriptedUiPort ui;
    ui.status[0] = QStringLiteral("progress");
    ShowElapsedTime(ui, 2.031 * kSecond);
    EXPECT_EQ(ui.status[1], QStringLiteral("time: 0h 0m 2s 31ms"));
    EXPECT_EQ(ui.status[0], QStringLiteral("progress"));

    ShowElapsedTime(ui, -kSecond);
    EXPECT_TRUE(ui.status[1].isEmpty());
    EXPECT_EQ(ui.status[0], QStringLiteral("progress"));
}

} // namespace
