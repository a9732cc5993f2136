// The pieces every text file of the program shares: the 23-character real,
// the Windows-1252 codec and the token rules.

#include "base/TextFileFormat.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <ostream>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- reals

struct FileRealCase {
    const char* label;
    Real value;
    const char* text;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const FileRealCase& c, std::ostream* os) { *os << c.label; }

class FileRealFormat : public testing::TestWithParam<FileRealCase> {};

TEST_P(FileRealFormat, WritesTheExact23Characters)
{
    const auto& c = GetParam();
    const QString text = FormatFileReal(c.value);
    EXPECT_EQ(text.toStdString(), std::string(c.text));
    EXPECT_EQ(text.size(), 23);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FileRealFormat,
    testing::Values(FileRealCase{"One", 1.0L, " 1.00000000000000E+0000"},
                    FileRealCase{"MinusTwoAndHalf", -2.5L, "-2.50000000000000E+0000"},
                    FileRealCase{"Zero", 0.0L, " 0.00000000000000E+0000"},
                    FileRealCase{"NegativeZero", -0.0L, " 0.00000000000000E+0000"},
                    FileRealCase{"InfiniteBound", 1e41L, " 1.00000000000000E+0041"},
                    FileRealCase{"Tiny", 1e-300L, " 1.00000000000000E-0300"},
                    FileRealCase{"EighteenDigits", 123456789012345678.0L, " 1.23456789012346E+0017"},
                    FileRealCase{"RoundingCarry", 9.999999999999999e5L, " 1.00000000000000E+0006"},
                    FileRealCase{"NegativeRoundingCarry", -9.9999999999999999L, "-1.00000000000000E+0001"},
                    FileRealCase{"NegativeExponent", 0.00125L, " 1.25000000000000E-0003"},
                    FileRealCase{"NegativeValueNegativeExponent", -3.5e-12L, "-3.50000000000000E-0012"},
                    FileRealCase{"FifteenDigitsKept", 1.23456789012345L, " 1.23456789012345E+0000"},
                    FileRealCase{"SixteenthDigitRoundsUp", 1.234567890123456L, " 1.23456789012346E+0000"},
                    FileRealCase{"Ten", 10.0L, " 1.00000000000000E+0001"},
                    FileRealCase{"HugeLongDouble", 1e4000L, " 1.00000000000000E+4000"},
                    FileRealCase{"TinyLongDouble", -2.5e-4000L, "-2.50000000000000E-4000"},
                    FileRealCase{"LargestLongDouble", std::numeric_limits<Real>::max(), " 1.18973149535723E+4932"},
                    FileRealCase{"SmallestNormalLongDouble", std::numeric_limits<Real>::min(),
                                 " 3.36210314311209E-4932"},
                    FileRealCase{"OneThird", 1.0L / 3.0L, " 3.33333333333333E-0001"},
                    FileRealCase{"MinusTwoThirds", -2.0L / 3.0L, "-6.66666666666667E-0001"}),
    [](const testing::TestParamInfo<FileRealCase>& info) { return std::string(info.param.label); });

TEST(FileRealFormatRandom, EveryValueGives23CharactersThatReadBackTo15Digits)
{
    std::mt19937_64 rng(20261209);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-4900, 4900);
    for (int trial = 0; trial < 20000; ++trial) {
        Real value = Real(mantissa(rng)) * std::pow(10.0L, Real(exponent(rng)));
        if (trial % 2)
            value = -value;
        const QString text = FormatFileReal(value);
        ASSERT_EQ(text.size(), 23) << text.toStdString();
        ASSERT_EQ(text.at(0), value < 0 ? QLatin1Char('-') : QLatin1Char(' '));
        ASSERT_EQ(text.at(2), QLatin1Char('.'));
        ASSERT_EQ(text.at(17), QLatin1Char('E'));
        ASSERT_NE(text.at(1), QLatin1Char('0')) << text.toStdString();
        const Real back = std::strtold(text.toLatin1().constData(), nullptr);
        ASSERT_LE(std::fabs(back - value), std::fabs(value) * 5.0000001e-15L) << text.toStdString();
    }
}

// --------------------------------------------------------- Windows-1252

TEST(Cp1252, EveryByteDecodesToItsCodePoint)
{
    const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int b = 0; b < 256; ++b) {
        const QString text = FromCp1252(QByteArray(1, char(b)));
        ASSERT_EQ(text.size(), 1);
        const char16_t expected = (b >= 0x80 && b <= 0x9F) ? high[b - 0x80] : char16_t(b);
        EXPECT_EQ(text.at(0).unicode(), expected) << "byte " << b;
    }
}

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
}

struct EncodeCase {
    const char* label;
    QString text;
    QByteArray bytes;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.label; }

class Cp1252Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Cp1252Encode, GivesTheCodePageBytes)
{
    EXPECT_EQ(ToCp1252(GetParam().text).toHex().toStdString(), GetParam().bytes.toHex().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp1252Encode,
    testing::Values(EncodeCase{"Latin1Letters", QStringLiteral("Preço Ação"), QByteArray("Pre\xE7o A\xE7\xE3o")},
                    EncodeCase{"EuroAndQuotes", QStringLiteral("€ “x” – Œ"),
                               QByteArray("\x80 \x93x\x94 \x96 \x8C")},
                    EncodeCase{"CjkIsQuestionMark", QStringLiteral("a中b"), QByteArray("a?b")},
                    EncodeCase{"SurrogatePairIsOneQuestionMark", QStringLiteral("x\U0001F600y"),
                               QByteArray("x?y")},
                    // U+0080 has no byte: 0x80 is the euro sign.
                    EncodeCase{"C1ControlWithoutByte", QString(QChar(0x0080)), QByteArray("?")},
                    EncodeCase{"UnassignedByteKept", QString(QChar(0x008D)), QByteArray("\x8D")},
                    EncodeCase{"LatinExtendedWithoutByte", QStringLiteral("Ā"), QByteArray("?")}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------- tokens

// The bytes in a heap block of exactly their size, seen through a QByteArray
// that does not own them: a read past the end lands outside the block.
class ExactBuffer {
public:
    explicit ExactBuffer(const std::string& text) : data_(new char[text.size() ? text.size() : 1])
    {
        std::memcpy(data_.get(), text.data(), text.size());
        view_ = QByteArray::fromRawData(data_.get(), qsizetype(text.size()));
    }
    const QByteArray& bytes() const { return view_; }

private:
    std::unique_ptr<char[]> data_;
    QByteArray view_;
};

struct RealTokenCase {
    const char* label;
    const char* text;
    bool valid;
    Real value;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const RealTokenCase& c, std::ostream* os) { *os << c.label; }

class RealToken : public testing::TestWithParam<RealTokenCase> {};

TEST_P(RealToken, ConvertsOnlyWholeDecimalTokens)
{
    const auto& c = GetParam();
    // Alone in the buffer, so the token ends with the data.
    ExactBuffer buffer(c.text);
    TokenReader reader(buffer.bytes());
    const auto value = reader.readReal();
    ASSERT_EQ(value.has_value(), c.valid);
    if (c.valid) {
        EXPECT_EQ(*value, c.value);
    } else {
        EXPECT_FALSE(reader.lastFailureWasEnd());
        EXPECT_EQ(reader.lastToken().toStdString(), std::string(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, RealToken,
    testing::Values(RealTokenCase{"FileForm", "1.50000000000000E+0003", true, 1500.0L},
                    RealTokenCase{"Integer", "-2", true, -2.0L},
                    RealTokenCase{"ShortExponent", "1e41", true, 1e41L},
                    RealTokenCase{"PlusSign", "+0.25", true, 0.25L},
                    RealTokenCase{"LeadingPoint", ".5", true, 0.5L},
                    RealTokenCase{"TrailingPoint", "5.", true, 5.0L},
                    RealTokenCase{"LowerCaseExponent", "2.5e-3", true, 2.5e-3L},
                    RealTokenCase{"LargestDouble", "1.7976931348623157e308", true, 1.7976931348623157e308L},
                    RealTokenCase{"BelowTheSmallestDouble", "1e-400", true, 1e-400L},
                    RealTokenCase{"BeyondDouble", "1e400", false, 0},
                    RealTokenCase{"NegativeBeyondDouble", "-1.8e308", false, 0},
                    RealTokenCase{"NegativeZero", "-0", true, -0.0L},
                    RealTokenCase{"Nan", "nan", false, 0},
                    RealTokenCase{"Inf", "inf", false, 0},
                    RealTokenCase{"Infinity", "-Infinity", false, 0},
                    RealTokenCase{"Hex", "0x1p3", false, 0},
                    RealTokenCase{"DecimalComma", "3,5", false, 0},
                    RealTokenCase{"ExponentWithoutDigits", "1e", false, 0},
                    RealTokenCase{"ExponentSignOnly", "1E+", false, 0},
                    RealTokenCase{"TwoPoints", "1.2.3", false, 0},
                    RealTokenCase{"DoubleSign", "--1", false, 0},
                    RealTokenCase{"PointOnly", ".", false, 0},
                    RealTokenCase{"TrailingLetter", "12a", false, 0},
                    RealTokenCase{"BeyondLongDouble", "1e5000", false, 0}),
    [](const testing::TestParamInfo<RealTokenCase>& info) { return std::string(info.param.label); });

struct IntegerTokenCase {
    const char* label;
    const char* text;
    bool valid;
    std::int64_t value;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const IntegerTokenCase& c, std::ostream* os) { *os << c.label; }

class IntegerToken : public testing::TestWithParam<IntegerTokenCase> {};

TEST_P(IntegerToken, ConvertsOnlyDecimalIntegers)
{
    const auto& c = GetParam();
    ExactBuffer buffer(c.text);
    TokenReader reader(buffer.bytes());
    const auto value = reader.readInteger();
    ASSERT_EQ(value.has_value(), c.valid);
    if (c.valid)
        EXPECT_EQ(*value, c.value);
    else
        EXPECT_FALSE(reader.lastFailureWasEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, IntegerToken,
    testing::Values(IntegerTokenCase{"Plain", "20", true, 20},
                    IntegerTokenCase{"Negative", "-1", true, -1},
                    IntegerTokenCase{"Plus", "+3", true, 3},
                    IntegerTokenCase{"LeadingZeros", "007", true, 7},
                    IntegerTokenCase{"Largest", "9223372036854775807", true, std::numeric_limits<std::int64_t>::max()},
                    IntegerTokenCase{"Smallest", "-9223372036854775808", true, std::numeric_limits<std::int64_t>::min()},
                    IntegerTokenCase{"Overflow", "9223372036854775808", false, 0},
                    IntegerTokenCase{"NegativeOverflow", "-9223372036854775809", false, 0},
                    IntegerTokenCase{"Real", "1.0", false, 0},
                    IntegerTokenCase{"Exponent", "1e2", false, 0},
                    IntegerTokenCase{"SignOnly", "-", false, 0},
                    IntegerTokenCase{"Hex", "0x10", false, 0},
                    IntegerTokenCase{"Letters", "two", false, 0}),
    [](const testing::TestParamInfo<IntegerTokenCase>& info) { return std::string(info.param.label); });

TEST(TokenReader, TokensLongerThanTheirLimitAreRefusedWhole)
{
    {
        TokenReader reader(QByteArray::fromStdString("+" + std::string(31, '0') + "\t5"));
        EXPECT_EQ(reader.readInteger(), 0); // 32 characters: still one token
        EXPECT_EQ(reader.readInteger(), 5);
    }
    {
        TokenReader reader(QByteArray::fromStdString(std::string(33, '0') + " 5"));
        EXPECT_FALSE(reader.readInteger().has_value());
        EXPECT_FALSE(reader.lastFailureWasEnd());
        EXPECT_EQ(reader.lastToken().toStdString(), std::string(32, '0') + "...");
    }
    const std::string real64 = "1." + std::string(58, '0') + "E+0001"; // 66 characters
    ASSERT_EQ(real64.size(), 66u);
    {
        TokenReader reader(QByteArray::fromStdString(real64.substr(0, 58) + "E+0001"));
        ASSERT_EQ(real64.substr(0, 58).size() + 6, 64u);
        EXPECT_EQ(reader.readReal(), 10.0L);
    }
    {
        TokenReader reader(QByteArray::fromStdString(real64));
        EXPECT_FALSE(reader.readReal().has_value());
        EXPECT_FALSE(reader.lastFailureWasEnd());
    }
}

TEST(TokenReader, CountsLinesOverEveryKindOfLineEnd)
{
    // CR LF, LF and a lone CR each end one line; blank lines count too.
    TokenReader reader(QByteArray("1\r\n2\n3\r4\r\n\r\n\n\t 5 \r\n"));
    const int expectedLines[] = {1, 2, 3, 4, 7};
    for (int i = 0; i < 5; ++i) {
        const auto value = reader.readInteger();
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, i + 1);
        EXPECT_EQ(reader.lineNumber(), expectedLines[i]) << "token " << i + 1;
    }
    EXPECT_FALSE(reader.readInteger().has_value());
    EXPECT_TRUE(reader.lastFailureWasEnd());
    EXPECT_EQ(reader.lineNumber(), 8);
}

TEST(TokenReader, LeavesTheCharacterThatEndedTheToken)
{
    TokenReader reader(QByteArray("2.5\t Name\twith tab\r\nnext"));
    EXPECT_EQ(reader.readReal(), 2.5L);
    EXPECT_FALSE(reader.atLineEnd());
    EXPECT_EQ(reader.restOfLine().toStdString(), "\t Name\twith tab");
    // restOfLine does not consume.
    EXPECT_EQ(reader.restOfLine().toStdString(), "\t Name\twith tab");
    reader.skipLine();
    EXPECT_EQ(reader.lineNumber(), 2);
    EXPECT_EQ(reader.restOfLine().toStdString(), "next");
}

TEST(TokenReader, LineEndDirectlyAfterTheToken)
{
    TokenReader reader(QByteArray("7\r\n8"));
    EXPECT_EQ(reader.readInteger(), 7);
    EXPECT_TRUE(reader.atLineEnd());
    EXPECT_TRUE(reader.restOfLine().isEmpty());
    EXPECT_EQ(reader.readInteger(), 8);
    EXPECT_TRUE(reader.atLineEnd()); // the end of the data ends the line too
    EXPECT_TRUE(reader.atEnd());
    reader.skipLine(); // harmless at the end
    EXPECT_TRUE(reader.atEnd());
}

TEST(TokenReader, EndOfDataIsToldApartFromABadToken)
{
    TokenReader reader(QByteArray(" \t\r\n  "));
    EXPECT_FALSE(reader.readReal().has_value());
    EXPECT_TRUE(reader.lastFailureWasEnd());
    EXPECT_TRUE(reader.lastToken().isEmpty());
    TokenReader empty{QByteArray()};
    EXPECT_FALSE(empty.readInteger().has_value());
    EXPECT_TRUE(empty.lastFailureWasEnd());
    EXPECT_TRUE(empty.atLineEnd());
}

TEST(TokenReader, SkipLineTakesOneLineEndOfEachKind)
{
    TokenReader reader(QByteArray("a\rb\nc\r\nd\n\re"));
    std::string firsts;
    for (int i = 0; i < 6; ++i) {
        firsts += reader.restOfLine().toStdString() + "|";
        reader.skipLine();
    }
    // "d\n\re": LF then a lone CR, so the empty line between them counts.
    EXPECT_EQ(firsts, "a|b|c|d||e|");
    EXPECT_EQ(reader.lineNumber(), 6);
}

// Random bytes in exact-size buffers: every operation must stay inside them.
TEST(TokenReader, RandomBytesNeverReadOutsideTheBuffer)
{
    std::mt19937_64 rng(77);
    std::uniform_int_distribution<int> length(0, 300);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> op(0, 4);
    const std::string alphabet = "0123456789+-.eE \t\r\nx";
    std::uniform_int_distribution<int> letter(0, int(alphabet.size()) - 1);
    for (int trial = 0; trial < 3000; ++trial) {
        std::string text(size_t(length(rng)), '\0');
        for (char& c : text)
            c = trial % 2 ? char(byte(rng)) : alphabet[size_t(letter(rng))];
        ExactBuffer buffer(text);
        TokenReader reader(buffer.bytes());
        int previousLine = 1;
        for (int step = 0; step < 400 && !reader.atEnd(); ++step) {
            switch (op(rng)) {
            case 0: reader.readInteger(); break;
            case 1: reader.readReal(); break;
            case 2: reader.skipLine(); break;
            case 3: EXPECT_LE(reader.restOfLine().size(), buffer.bytes().size()); break;
            default: reader.atLineEnd(); break;
            }
            ASSERT_GE(reader.lineNumber(), previousLine);
            previousLine = reader.lineNumber();
        }
    }
}

// ------------------------------------------------------------------ locale

// A locale whose decimal separator is a comma; built with localedef into a
// temporary folder when the system has none installed.
class CommaLocale : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            ASSERT_TRUE(dir_.isValid());
            const QString target = QDir(dir_.path()).filePath(QStringLiteral("de_DE.UTF-8"));
            const std::string command =
                "localedef -i de_DE -f UTF-8 '" + target.toStdString() + "' >/dev/null 2>&1";
            [[maybe_unused]] const int status = std::system(command.c_str());
            ::setenv("LOCPATH", dir_.path().toLocal8Bit().constData(), 1);
            if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
                GTEST_SKIP() << "no locale with a decimal comma can be set up here";
        }
        ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        ::unsetenv("LOCPATH");
    }

private:
    QTemporaryDir dir_;
};

TEST_F(CommaLocale, FilesKeepTheDecimalPoint)
{
    EXPECT_EQ(FormatFileReal(-2.5L).toStdString(), "-2.50000000000000E+0000");
    TokenReader reader(QByteArray("1.5 2,5 1.50000000000000E+0003"));
    EXPECT_EQ(reader.readReal(), 1.5L);
    EXPECT_FALSE(reader.readReal().has_value());
    EXPECT_EQ(reader.lastToken().toStdString(), "2,5");
    EXPECT_EQ(reader.readReal(), 1500.0L);
}

} // namespace
