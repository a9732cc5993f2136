#include "base/RealParser.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <optional>
#include <ostream>

namespace {

struct RealText {
    const char* text; // UTF-8
    std::optional<Real> value; // nullopt: refused
};

void PrintTo(const RealText& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class ParseRealTable : public testing::TestWithParam<RealText> {};

// Typed (QString) and file (bytes) texts follow the one rule.
TEST_P(ParseRealTable, AcceptsDecimalTextsOnly)
{
    const RealText& c = GetParam();
    EXPECT_EQ(ParseReal(QString::fromUtf8(c.text)), c.value);
    EXPECT_EQ(ParseReal(QByteArray(c.text)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseRealTable,
    testing::Values(RealText{"0.1", 0.1L}, // long double, not the double 0.1
                    RealText{" -1.5e2 ", -150.0L}, RealText{"\t7\n", 7.0L}, RealText{".5", 0.5L},
                    RealText{"+.5", 0.5L}, RealText{"5.", 5.0L}, RealText{"00012", 12.0L},
                    RealText{"1.5E+0003", 1500.0L}, RealText{"1e41", 1e41L}, RealText{"-0", -0.0L},
                    RealText{"1.7976931348623157e308", 1.7976931348623157e308L},
                    RealText{"1e-400", 1e-400L}, // below the doubles, still a long double
                    RealText{"", std::nullopt}, RealText{"  ", std::nullopt}, RealText{"-", std::nullopt},
                    RealText{"+", std::nullopt}, RealText{".", std::nullopt}, RealText{"e5", std::nullopt},
                    RealText{"1e", std::nullopt}, RealText{"1e+", std::nullopt}, RealText{"1,5", std::nullopt},
                    RealText{"1,000", std::nullopt}, RealText{"1.2.3", std::nullopt},
                    RealText{"1.5e3.2", std::nullopt}, RealText{"+-1", std::nullopt}, RealText{"1 2", std::nullopt},
                    RealText{"1_000", std::nullopt}, RealText{"1d5", std::nullopt}, RealText{"nan", std::nullopt},
                    RealText{"inf", std::nullopt}, RealText{"0x1A", std::nullopt},
                    RealText{"0x1p3", std::nullopt}, RealText{"\xd9\xa1", std::nullopt}, // an Arabic-Indic one
                    RealText{"1e400", std::nullopt}, RealText{"-2e308", std::nullopt},
                    RealText{"1e5000", std::nullopt}, RealText{"1.8e308", std::nullopt}));

} // namespace
