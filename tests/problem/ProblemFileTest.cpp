// Problem files: the written layout, reading hand-written files, refusals
// that must leave the problem alone, and damaged input.

#include "problem/ProblemFile.h"

#include "ProblemTestData.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <limits>
#include <random>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include <sys/stat.h>

using namespace problemtest;

namespace {

// The small example: F1 maximizes 3 X1 + X2, Cost minimizes X1 + 2 X2,
// X1 + X2 <= 10 and X2 <= 5.
const QByteArray kExampleText = QByteArrayLiteral(
    "2\t(number of O.F.)\r\n"
    "1\t(number of Constraints)\r\n"
    "2\t(number of variables}\r\n"
    "O.FUNCTIONS: type (1=MAX; -1=MIN) ; coefficients \r\n"
    "1\t 3.00000000000000E+0000\t 1.00000000000000E+0000\tF1\r\n"
    "-1\t 1.00000000000000E+0000\t 2.00000000000000E+0000\tCost\r\n"
    "CONSTRAINTS: coefficients; type (0 <=, 1 =, 2 >=); rhs\r\n"
    " 1.00000000000000E+0000\t 1.00000000000000E+0000\t0\t 1.00000000000000E+0001\r\n"
    "VARIABLES:  LB; UB (infinite=1e41); name\r\n"
    " 0.00000000000000E+0000\t 1.00000000000000E+0041\tX1\r\n"
    " 0.00000000000000E+0000\t 5.00000000000000E+0000\tX2\r\n");

std::unique_ptr<ProblemData> ExampleProblem()
{
    auto problem = NewResetProblem();
    problem->numObjectives = 2;
    problem->numConstraints = 1;
    problem->numVariables = 2;
    problem->objSense[1] = 1;
    problem->objCoef[1][1] = 3;
    problem->objCoef[1][2] = 1;
    problem->objName[1] = QStringLiteral("F1");
    problem->objSense[2] = -1;
    problem->objCoef[2][1] = 1;
    problem->objCoef[2][2] = 2;
    problem->objName[2] = QStringLiteral("Cost");
    problem->conCoef[1][1] = 1;
    problem->conCoef[1][2] = 1;
    problem->conType[1] = ConLessEqual;
    problem->conRhs[1] = 10;
    problem->vars[2].ub = 5;
    return problem;
}

// A target that differs from a reset problem everywhere a reader could
// write, so that a refusal which touched anything shows.
std::unique_ptr<ProblemData> MarkedTarget()
{
    auto problem = RandomProblem(4242, 3, 4, 5);
    for (int k = 1; k <= MaxObjectives; ++k)
        problem->objName[k] = QStringLiteral("old%1").arg(k);
    for (int i = 1; i <= MaxConstraints; ++i)
        problem->slackName[i] = QStringLiteral("sl%1").arg(i);
    return problem;
}

// The bytes of a problem file, written line by line.
QByteArray Lines(std::initializer_list<const char*> lines, const char* lineEnd = "\r\n")
{
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line) + lineEnd;
    return text;
}

// ------------------------------------------------------------- writing

TEST(ProblemFileWrite, ExampleTextByteForByte)
{
    const auto problem = ExampleProblem();
    EXPECT_EQ(ProblemFileText(*problem).toStdString(), kExampleText.toStdString());
}

TEST(ProblemFileWrite, ExampleReadsAsTheProblemItWasWrittenFrom)
{
    auto target = NewResetProblem();
    const auto result = ParseProblemText(kExampleText, *target);
    ASSERT_EQ(result.status, ProblemReadStatus::Ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_TRUE(SameProblem(*target, *ExampleProblem()));
}

TEST(ProblemFileWrite, NamesAreWindows1252AndStayOnTheirLine)
{
    auto problem = ExampleProblem();
    problem->objName[1] = QStringLiteral("Preço €");
    problem->vars[1].name = QStringLiteral("Größe\r\nX");
    const QByteArray text = ProblemFileText(*problem);
    EXPECT_TRUE(text.contains("\tPre\xE7o \x80\r\n"));
    EXPECT_TRUE(text.contains("\tGr\xF6\xDF" "eX\r\n"));
    EXPECT_EQ(text.count('\n'), kExampleText.count('\n'));
}

TEST(ProblemFileWrite, SensesAndTypesAsIntegers)
{
    auto problem = ExampleProblem();
    problem->conType[1] = ConGreaterEqual;
    problem->objSense[1] = -1;
    const QByteArray text = ProblemFileText(*problem);
    EXPECT_TRUE(text.contains("\r\n-1\t 3.00000000000000E+0000\t 1.00000000000000E+0000\tF1\r\n"));
    EXPECT_TRUE(text.contains("E+0000\t2\t 1.00000000000000E+0001\r\n"));
}

TEST(ProblemFileWrite, NonFiniteValuesKeepTheLayoutAndAreRefusedOnReading)
{
    auto problem = ExampleProblem();
    problem->conRhs[1] = std::numeric_limits<Real>::quiet_NaN();
    problem->vars[1].ub = std::numeric_limits<Real>::infinity();
    const QByteArray text = ProblemFileText(*problem);
    EXPECT_TRUE(text.contains("\t                    NAN\r\n"));
    EXPECT_TRUE(text.contains("\t                    INF\tX1\r\n"));
    auto target = NewResetProblem();
    const auto result = ParseProblemText(text, *target);
    EXPECT_EQ(result.status, ProblemReadStatus::InputError);
    EXPECT_EQ(result.message, QStringLiteral("Input error in line 8: \"NAN\" is not a valid number."));
}

// ---------------------------------------------------------- round trips

using RoundTripParam = std::tuple<std::tuple<int, int, int>, std::uint64_t>;

class ProblemRoundTrip : public testing::TestWithParam<RoundTripParam> {};

TEST_P(ProblemRoundTrip, EveryValueBackTo15DigitsAndEveryNameExactly)
{
    const auto [p, m, n] = std::get<0>(GetParam());
    const std::uint64_t seed = std::get<1>(GetParam());
    const auto written = RandomProblem(seed, p, m, n);
    const QByteArray text = ProblemFileText(*written);

    auto read = NewResetProblem();
    const auto result = ParseProblemText(text, *read);
    ASSERT_EQ(result.status, ProblemReadStatus::Ok) << result.message.toStdString();
    ASSERT_EQ(read->numObjectives, p);
    ASSERT_EQ(read->numConstraints, m);
    ASSERT_EQ(read->numVariables, n);
    for (int k = 1; k <= p; ++k) {
        EXPECT_EQ(read->objSense[k], written->objSense[k]);
        EXPECT_EQ(read->objName[k], written->objName[k]) << "objective " << k;
        for (int j = 1; j <= n; ++j)
            ASSERT_TRUE(SameTo15Digits(written->objCoef[k][j], read->objCoef[k][j])) << k << "," << j;
    }
    for (int i = 1; i <= m; ++i) {
        EXPECT_EQ(read->conType[i], written->conType[i]) << "row " << i;
        ASSERT_TRUE(SameTo15Digits(written->conRhs[i], read->conRhs[i])) << "row " << i;
        for (int j = 1; j <= n; ++j)
            ASSERT_TRUE(SameTo15Digits(written->conCoef[i][j], read->conCoef[i][j])) << i << "," << j;
    }
    for (int j = 1; j <= n; ++j) {
        ASSERT_TRUE(SameTo15Digits(written->vars[j].lb, read->vars[j].lb)) << "variable " << j;
        ASSERT_TRUE(SameTo15Digits(written->vars[j].ub, read->vars[j].ub)) << "variable " << j;
        EXPECT_EQ(read->vars[j].name, written->vars[j].name) << "variable " << j;
    }
    // Written again, the file is the same: nothing drifts over repeated saves.
    EXPECT_EQ(ProblemFileText(*read), text);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProblemRoundTrip,
                         testing::Combine(testing::Values(std::make_tuple(1, 0, 1), std::make_tuple(1, 1, 1),
                                                          std::make_tuple(2, 1, 2), std::make_tuple(3, 5, 4),
                                                          std::make_tuple(7, 100, 3), std::make_tuple(5, 50, 50),
                                                          std::make_tuple(20, 0, 101),
                                                          std::make_tuple(20, 100, 101)),
                                          testing::Values(std::uint64_t(1), std::uint64_t(99), std::uint64_t(2026))));

TEST(ProblemRoundTrip, TenCharacterObjectiveNamesAndBlankNames)
{
    auto problem = ExampleProblem();
    problem->objName[1] = QStringLiteral("Preço 1234"); // 10 characters
    problem->objName[2] = QStringLiteral(" Cost  ");
    problem->vars[1].name = QStringLiteral("  two words  ");
    problem->vars[2].name = QString(); // an empty variable name stays empty
    auto read = NewResetProblem();
    ASSERT_EQ(ParseProblemText(ProblemFileText(*problem), *read).status, ProblemReadStatus::Ok);
    EXPECT_EQ(read->objName[1], QStringLiteral("Preço 1234"));
    EXPECT_EQ(read->objName[2], QStringLiteral(" Cost  "));
    EXPECT_EQ(read->vars[1].name, QStringLiteral("  two words  "));
    EXPECT_EQ(read->vars[2].name, QString());
}

TEST(ProblemRoundTrip, ThroughTheFileSystem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("round trip.mlp"));
    const auto written = RandomProblem(31337, 4, 6, 9);
    auto first = WriteProblemFile(path, *written);
    ASSERT_TRUE(first.ok) << first.message.toStdString();
    EXPECT_TRUE(ProblemFileExists(path));

    // Saving again replaces the file.
    const auto smaller = ExampleProblem();
    const auto second = WriteProblemFile(path, *smaller);
    ASSERT_TRUE(second.ok) << second.message.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kExampleText);
    file.close();
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    auto read = MarkedTarget();
    const auto result = ReadProblemFile(path, *read);
    ASSERT_EQ(result.status, ProblemReadStatus::Ok) << result.message.toStdString();
    EXPECT_EQ(read->objName[2], QStringLiteral("Cost"));
    EXPECT_EQ(read->conRhs[1], 10.0L);
    EXPECT_EQ(read->vars[2].ub, 5.0L);
}

TEST(ProblemFileSystem, MissingFileIsAnInputErrorAndChangesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("absent.mlp"));
    EXPECT_FALSE(ProblemFileExists(path));
    EXPECT_FALSE(ProblemFileExists(QString()));
    EXPECT_FALSE(ProblemFileExists(dir.path())); // a folder is not a problem file
    auto target = MarkedTarget();
    const auto before = std::make_unique<ProblemData>(*target);
    const auto result = ReadProblemFile(path, *target);
    EXPECT_EQ(result.status, ProblemReadStatus::InputError);
    EXPECT_EQ(result.message, QStringLiteral("Input error: cannot open %1.").arg(path));
    EXPECT_TRUE(SameProblem(*target, *before));
}

// What cannot be a problem file is refused before a byte is parsed: a FIFO
// or a device would block the reader or never end, and the limit is what a
// problem within the limits can need at most.
struct FileKindCase {
    const char* label;
    const char* path; // "pipe", "exact" and "over" are made in the test's folder
    const char* reason; // the message after the path; empty when the file reads
};
void PrintTo(const FileKindCase& c, std::ostream* os) { *os << c.label; }

class ProblemFileKind : public testing::TestWithParam<FileKindCase> {};

TEST_P(ProblemFileKind, OnlyARegularFileWithinTheSizeLimitIsRead)
{
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    // The example padded with blanks after its last line, which the reader
    // never reaches: up to the limit it reads.
    const std::pair<const char*, qint64> padded[] = {{"exact", kMaxProblemFileBytes}, {"over", kMaxProblemFileBytes + 1}};
    for (const auto& [name, size] : padded) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kExampleText + QByteArray(int(size - kExampleText.size()), ' '));
    }
    const QString given = QString::fromLatin1(GetParam().path);
    const QString path = given.startsWith(QLatin1Char('/')) ? given : dir.filePath(given);

    auto target = MarkedTarget();
    const auto before = std::make_unique<ProblemData>(*target);
    const auto result = ReadProblemFile(path, *target);
    if (!*GetParam().reason) {
        EXPECT_EQ(result.status, ProblemReadStatus::Ok) << result.message.toStdString();
        return;
    }
    EXPECT_EQ(result.status, ProblemReadStatus::InputError);
    EXPECT_EQ(result.message, QStringLiteral("Input error: %1 %2").arg(path, QString::fromLatin1(GetParam().reason)));
    EXPECT_TRUE(SameProblem(*target, *before));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProblemFileKind,
    testing::Values(FileKindCase{"AtTheLimit", "exact", ""},
                    FileKindCase{"OneByteOver", "over",
                                 "is larger than any problem within the limits can be (3225216 bytes at most)."},
                    FileKindCase{"Fifo", "pipe", "is not a regular file."},
                    FileKindCase{"EndlessDevice", "/dev/zero", "is not a regular file."}),
    [](const testing::TestParamInfo<FileKindCase>& info) { return std::string(info.param.label); });

// The bound leaves room: the largest problem the program writes, every name
// at its longest, is a tenth of it.
TEST(ProblemFileSystem, TheSizeLimitIsTenTimesTheLargestFileWritten)
{
    auto largest = NewResetProblem();
    largest->numObjectives = MaxObjectives;
    largest->numConstraints = MaxConstraints;
    largest->numVariables = MaxVariables;
    for (int k = 1; k <= MaxObjectives; ++k) {
        largest->objSense[k] = -1;
        largest->objName[k] = QString(MaxObjNameLength, QLatin1Char('F'));
        for (int j = 1; j <= MaxVariables; ++j)
            largest->objCoef[k][j] = -1.5L;
    }
    for (int i = 1; i <= MaxConstraints; ++i) {
        for (int j = 1; j <= MaxVariables; ++j)
            largest->conCoef[i][j] = -2.5L;
        largest->conType[i] = ConGreaterEqual;
        largest->conRhs[i] = -3;
    }
    for (int j = 1; j <= MaxVariables; ++j)
        largest->vars[j].name = QString(MaxVarNameLength, QLatin1Char('X'));
    const qint64 written = ProblemFileText(*largest).size();
    EXPECT_GT(written, 300000);
    EXPECT_LE(10 * written, kMaxProblemFileBytes);
}

TEST(ProblemFileSystem, WriteIntoAMissingFolderFailsWithTheReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("no such folder/p.mlp"));
    const auto result = WriteProblemFile(path, *ExampleProblem());
    EXPECT_FALSE(result.ok);
    const QString prefix = QStringLiteral("Cannot write %1: ").arg(path);
    EXPECT_TRUE(result.message.startsWith(prefix)) << result.message.toStdString();
    EXPECT_GT(result.message.size(), prefix.size()); // the system's reason follows
    EXPECT_FALSE(QFile::exists(path));
}

// ------------------------------------------------- hand-written files

struct HandFileCase {
    const char* label;
    QByteArray text;
    std::function<void(const ProblemData&)> check;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const HandFileCase& c, std::ostream* os) { *os << c.label; }

class HandWrittenFile : public testing::TestWithParam<HandFileCase> {};

TEST_P(HandWrittenFile, ReadsAsTheLayoutSays)
{
    auto problem = NewResetProblem();
    const auto result = ParseProblemText(GetParam().text, *problem);
    ASSERT_EQ(result.status, ProblemReadStatus::Ok) << result.message.toStdString();
    GetParam().check(*problem);
}

const char* const kVarHeading = "VARIABLES:  LB; UB (infinite=1e41); name";
const char* const kConHeading = "CONSTRAINTS: coefficients; type (0 <=, 1 =, 2 >=); rhs";
const char* const kObjHeading = "O.FUNCTIONS: type (1=MAX; -1=MIN) ; coefficients ";

INSTANTIATE_TEST_SUITE_P(
    Files, HandWrittenFile,
    testing::Values(
        HandFileCase{"BlanksInNames",
                     Lines({"1\tp", "0\tm", "2\tn", kObjHeading, "1\t1\t2\t My Goal ", kConHeading, kVarHeading,
                            "0\t1e41\t first one", "0\t1e41\tsecond\tpart"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral(" My Goal "));
                         EXPECT_EQ(p.vars[1].name, QStringLiteral(" first one"));
                         EXPECT_EQ(p.vars[2].name, QStringLiteral("secondpart")); // TABs removed
                     }},
        HandFileCase{"MissingNamesGetDefaults",
                     Lines({"2", "1", "3", kObjHeading, "1\t1\t2\t3", "-1 4 5 6", kConHeading, "1 1 1 0 9",
                            kVarHeading, "0\t1e41", "0 7", "1\t2\tZ"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("F1"));
                         EXPECT_EQ(p.objName[2], QStringLiteral("F2"));
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("X1"));
                         EXPECT_EQ(p.vars[2].name, QStringLiteral("X2"));
                         EXPECT_EQ(p.vars[2].ub, 7.0L);
                         EXPECT_EQ(p.vars[3].name, QStringLiteral("Z"));
                         EXPECT_EQ(p.objCoef[2][3], 6.0L);
                     }},
        HandFileCase{"NamesOfOnlyTabs",
                     Lines({"2", "0", "2", kObjHeading, "1\t1\t2\t\t\t", "1\t1\t2\tG", kConHeading, kVarHeading,
                            "0\t1\t\t\t", "0\t1\t\t"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("F1"));
                         EXPECT_EQ(p.objName[2], QStringLiteral("G"));
                         EXPECT_EQ(p.vars[1].name, QString());
                         EXPECT_TRUE(p.vars[1].name.isEmpty());
                         EXPECT_TRUE(p.vars[2].name.isEmpty());
                     }},
        HandFileCase{"OddAndEmptyHeadings",
                     Lines({"1", "1\t\t anything at all 1 2 3", "1 trailing words", "", "-1\t2\tMin",
                            "\t 7 8 9 not numbers", "4\t2\t3", "1 2 3", "0\t5\tx"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.numObjectives, 1);
                         EXPECT_EQ(p.numConstraints, 1);
                         EXPECT_EQ(p.numVariables, 1);
                         EXPECT_EQ(p.objSense[1], -1);
                         EXPECT_EQ(p.objName[1], QStringLiteral("Min"));
                         EXPECT_EQ(p.conCoef[1][1], 4.0L);
                         EXPECT_EQ(p.conType[1], ConGreaterEqual);
                         EXPECT_EQ(p.conRhs[1], 3.0L);
                         EXPECT_EQ(p.vars[1].ub, 5.0L);
                     }},
        HandFileCase{"NumbersSpreadOverSeveralLines",
                     Lines({"1", "1", "3", kObjHeading, "1", "  1.5", "", "2.5\t3.5\tSpread", kConHeading, "1",
                            "2", "3\t1", "\t6", kVarHeading, "0", "1e41\tA", "0 1e41 B", "-1", "", "2\t C"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objCoef[1][1], 1.5L);
                         EXPECT_EQ(p.objCoef[1][3], 3.5L);
                         EXPECT_EQ(p.objName[1], QStringLiteral("Spread"));
                         EXPECT_EQ(p.conCoef[1][3], 3.0L);
                         EXPECT_EQ(p.conType[1], ConEqual);
                         EXPECT_EQ(p.conRhs[1], 6.0L);
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("A"));
                         // A blank rather than a TAB before the name belongs to it.
                         EXPECT_EQ(p.vars[2].name, QStringLiteral(" B"));
                         EXPECT_EQ(p.vars[3].lb, -1.0L);
                         EXPECT_EQ(p.vars[3].ub, 2.0L);
                         EXPECT_EQ(p.vars[3].name, QStringLiteral(" C"));
                     }},
        HandFileCase{"LfLineEnds",
                     Lines({"1", "1", "1", kObjHeading, "1\t2\tObj", kConHeading, "1\t2\t8", kVarHeading,
                            "0\t4\tVar"},
                           "\n"),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("Obj"));
                         EXPECT_EQ(p.conType[1], ConGreaterEqual);
                         EXPECT_EQ(p.conRhs[1], 8.0L);
                         EXPECT_EQ(p.vars[1].ub, 4.0L);
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("Var"));
                     }},
        HandFileCase{"CrOnlyLineEnds",
                     Lines({"1", "0", "1", kObjHeading, "1\t2\tObj", kConHeading, kVarHeading, "0\t4\tVar"}, "\r"),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("Obj"));
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("Var"));
                     }},
        HandFileCase{"LongNamesAreCut",
                     Lines({"1", "0", "1", kObjHeading, "1\t2\tABCDEFGHIJK", kConHeading, kVarHeading,
                            "0\t4\t123456789012345678901"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("ABCDEFGHIJ"));
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("12345678901234567890"));
                     }},
        HandFileCase{"TabsDoNotCountTowardsTheLength",
                     Lines({"1", "0", "1", kObjHeading, "1\t2\t\tABCDE\tFGHIJK", kConHeading, kVarHeading, "0\t4\t"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("ABCDEFGHIJ"));
                         EXPECT_TRUE(p.vars[1].name.isEmpty());
                     }},
        HandFileCase{"UnknownConstraintTypeKeepsLessEqual",
                     Lines({"1", "3", "1", kObjHeading, "1\t1", kConHeading, "1\t5\t2", "1\t2\t3", "1\t-7\t4",
                            kVarHeading, "0\t1e41"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.conType[1], ConLessEqual);
                         EXPECT_EQ(p.conRhs[1], 2.0L);
                         EXPECT_EQ(p.conType[2], ConGreaterEqual);
                         EXPECT_EQ(p.conType[3], ConLessEqual);
                         EXPECT_EQ(p.conRhs[3], 4.0L);
                     }},
        HandFileCase{"SensesAreTakenAsRead",
                     Lines({"3", "0", "1", kObjHeading, "0\t1", "+2\t1", "-128\t1", kConHeading, kVarHeading,
                            "0\t1e41"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objSense[1], 0);
                         EXPECT_EQ(p.objSense[2], 2);
                         EXPECT_EQ(p.objSense[3], -128);
                     }},
        HandFileCase{"Windows1252Names",
                     Lines({"1", "0", "1", kObjHeading, "1\t1\tPre\xE7o \x80", kConHeading, kVarHeading,
                            "0\t1e41\t\x93\x41\xE7\xE3o\x94"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.objName[1], QStringLiteral("Preço €"));
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("“Ação”"));
                     }},
        HandFileCase{"NoLineEndAtTheEnd",
                     Lines({"1", "0", "1", kObjHeading, "1\t1", kConHeading, kVarHeading}) + "0\t3\tLast",
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.vars[1].ub, 3.0L);
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("Last"));
                     }},
        HandFileCase{"TextAfterTheProblemIsIgnored",
                     Lines({"1", "0", "1", kObjHeading, "1\t1", kConHeading, kVarHeading, "0\t3\tv", "", "junk ###",
                            "1 2 3"}),
                     [](const ProblemData& p) {
                         EXPECT_EQ(p.numVariables, 1);
                         EXPECT_EQ(p.vars[1].name, QStringLiteral("v"));
                     }}),
    [](const testing::TestParamInfo<HandFileCase>& info) { return std::string(info.param.label); });

TEST(HandWrittenFile, FieldsTheFileDoesNotSetKeepTheCallersValues)
{
    // The reader fills a copy of the caller's problem: the rows beyond the
    // counts, the slack names and a row whose type code is unknown stay.
    auto problem = MarkedTarget();
    problem->conType[1] = ConEqual;
    const auto before = std::make_unique<ProblemData>(*problem);
    const QByteArray text =
        Lines({"1", "1", "1", kObjHeading, "1\t1", kConHeading, "1\t9\t2", kVarHeading, "0\t1e41"});
    ASSERT_EQ(ParseProblemText(text, *problem).status, ProblemReadStatus::Ok);
    EXPECT_EQ(problem->conType[1], ConEqual);
    EXPECT_EQ(problem->objCoef[2][1], before->objCoef[2][1]);
    EXPECT_EQ(problem->conCoef[1][2], before->conCoef[1][2]);
    EXPECT_EQ(problem->vars[2].name, before->vars[2].name);
    EXPECT_EQ(problem->objName[2], before->objName[2]);
    EXPECT_EQ(problem->slackName[1], before->slackName[1]);
}

// ----------------------------------------------------------------- counts

struct CountCase {
    const char* label;
    int p;
    int m;
    int n;
    ProblemReadStatus status;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const CountCase& c, std::ostream* os) { *os << c.label; }

class ProblemCounts : public testing::TestWithParam<CountCase> {};

// A complete file of the given size when the reader accepts it.
TEST_P(ProblemCounts, LimitsAndImpossibleSizes)
{
    const auto& c = GetParam();
    QByteArray text;
    if (c.status == ProblemReadStatus::Ok) {
        text = ProblemFileText(*RandomProblem(7, c.p, c.m, c.n));
    } else {
        // Only the counts are read before the refusal: the rest is garbage.
        text = QByteArray::number(c.p) + "\r\n" + QByteArray::number(c.m) + "\r\n" + QByteArray::number(c.n) +
               "\r\nheading\r\nnot a number at all\r\n";
    }
    auto target = MarkedTarget();
    const auto before = std::make_unique<ProblemData>(*target);
    const auto result = ParseProblemText(text, *target);
    EXPECT_EQ(result.status, c.status) << result.message.toStdString();
    if (c.status == ProblemReadStatus::Ok) {
        EXPECT_EQ(target->numObjectives, c.p);
        EXPECT_EQ(target->numConstraints, c.m);
        EXPECT_EQ(target->numVariables, c.n);
        return;
    }
    EXPECT_TRUE(SameProblem(*target, *before));
    if (c.status == ProblemReadStatus::TooBig) {
        EXPECT_EQ(result.message, QStringLiteral("Can´t read this problem. It is too big!"));
    }
    if (c.status == ProblemReadStatus::InputError) {
        EXPECT_EQ(result.message, QStringLiteral("Input error: invalid problem sizes (%1 objective functions, "
                                                 "%2 constraints, %3 variables).")
                                      .arg(c.p)
                                      .arg(c.m)
                                      .arg(c.n));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ProblemCounts,
    testing::Values(CountCase{"AtTheLimits", 20, 100, 101, ProblemReadStatus::Ok},
                    CountCase{"NoConstraints", 1, 0, 1, ProblemReadStatus::Ok},
                    CountCase{"TooManyObjectives", 21, 100, 101, ProblemReadStatus::TooBig},
                    CountCase{"TooManyConstraints", 20, 101, 101, ProblemReadStatus::TooBig},
                    CountCase{"TooManyVariables", 20, 100, 102, ProblemReadStatus::TooBig},
                    CountCase{"FarTooMany", 1000000, 1, 1, ProblemReadStatus::TooBig},
                    // Too big wins over impossible: it is checked first.
                    CountCase{"TooBigAndNegative", 21, -1, 0, ProblemReadStatus::TooBig},
                    CountCase{"ZeroObjectives", 0, 1, 1, ProblemReadStatus::InputError},
                    CountCase{"ZeroVariables", 1, 1, 0, ProblemReadStatus::InputError},
                    CountCase{"NegativeObjectives", -2, 1, 1, ProblemReadStatus::InputError},
                    CountCase{"NegativeConstraints", 1, -1, 1, ProblemReadStatus::InputError},
                    CountCase{"NegativeVariables", 1, 1, -5, ProblemReadStatus::InputError}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.label); });

// ----------------------------------------------------- refused tokens

struct RefusalCase {
    const char* label;
    QByteArray text;
    const char* message;
};
// Failures name the case rather than dumping its bytes.
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.label; }

class ProblemRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(ProblemRefusal, NamesTheLineAndLeavesTheProblemAlone)
{
    auto target = MarkedTarget();
    const auto before = std::make_unique<ProblemData>(*target);
    const auto result = ParseProblemText(GetParam().text, *target);
    EXPECT_EQ(result.status, ProblemReadStatus::InputError);
    EXPECT_EQ(result.message.toStdString(), std::string(GetParam().message));
    EXPECT_TRUE(SameProblem(*target, *before));
}

QByteArray ExampleWith(const char* from, const char* to)
{
    QByteArray text = kExampleText;
    const int at = text.indexOf(from);
    if (at < 0)
        return QByteArray("the case's text is not in the example");
    return text.replace(at, int(qstrlen(from)), to);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProblemRefusal,
    testing::Values(
        RefusalCase{"CountIsAWord", QByteArray("two\t(number of O.F.)\r\n"),
                    "Input error in line 1: \"two\" is not a valid number."},
        RefusalCase{"CountIsAReal", ExampleWith("1\t(number of C", "1.0\t(number of C"),
                    "Input error in line 2: \"1.0\" is not a valid number."},
        RefusalCase{"CountOverflows", QByteArray("99999999999999999999\r\n1\r\n1\r\n"),
                    "Input error in line 1: \"99999999999999999999\" is not a valid number."},
        RefusalCase{"DecimalCommaInObjective", ExampleWith(" 3.00000000000000E+0000", " 3,5"),
                    "Input error in line 5: \"3,5\" is not a valid number."},
        RefusalCase{"NanCoefficient", ExampleWith(" 2.00000000000000E+0000", " nan"),
                    "Input error in line 6: \"nan\" is not a valid number."},
        RefusalCase{"InfBound", ExampleWith(" 1.00000000000000E+0041", " inf"),
                    "Input error in line 10: \"inf\" is not a valid number."},
        RefusalCase{"BoundBeyondADouble", ExampleWith(" 1.00000000000000E+0041", " 1.00000000000000E+0400"),
                    "Input error in line 10: \"1.00000000000000E+0400\" is not a valid number."},
        RefusalCase{"SenseOutOfItsByte", ExampleWith("-1\t 1.00000000000000E+0000\t 2.00000000000000E+0000\tCost", "300\t1\t2\tCost"),
                    "Input error in line 6: \"300\" is not a valid number."},
        RefusalCase{"SenseIsAReal", ExampleWith("-1\t 1.00000000000000E+0000\t 2.00000000000000E+0000\tCost", "-1.0\t1\t2\tCost"),
                    "Input error in line 6: \"-1.0\" is not a valid number."},
        RefusalCase{"TypeIsAReal", ExampleWith("\t0\t", "\t0.5\t"),
                    "Input error in line 8: \"0.5\" is not a valid number."},
        RefusalCase{"NameWhereANumberBelongs", ExampleWith("\t 2.00000000000000E+0000\tCost", ""),
                    "Input error in line 7: \"CONSTRAINTS:\" is not a valid number."},
        RefusalCase{"TokenAfterBlankLines", Lines({"1", "0", "1", kObjHeading, "1", "", "", "1.5.5"}),
                    "Input error in line 8: \"1.5.5\" is not a valid number."},
        RefusalCase{"Latin1Token", Lines({"1", "0", "1", kObjHeading, "1\t\xE7"}),
                    "Input error in line 5: \"ç\" is not a valid number."},
        RefusalCase{"OverlongToken", Lines({"1", "0", "1", kObjHeading, "1\t1234567890123456789012345678901234567890"
                                                                      "12345678901234567890123456789"}),
                    "Input error in line 5: "
                    "\"1234567890123456789012345678901234567890123456789012345678901234...\" is not a valid number."},
        RefusalCase{"EmptyFile", QByteArray(), "Input error in line 1: the file ends before the problem is complete."},
        RefusalCase{"OnlyCounts", QByteArray("1\r\n0\r\n1\r\n"),
                    "Input error in line 3: the file ends before the problem is complete."},
        RefusalCase{"EndsInsideAConstraint", kExampleText.left(kExampleText.indexOf("\t0\t")),
                    "Input error in line 8: the file ends before the problem is complete."},
        RefusalCase{"EndsAfterAHeading", kExampleText.left(kExampleText.indexOf("VARIABLES")) + "VARIABLES\r\n",
                    "Input error in line 9: the file ends before the problem is complete."},
        RefusalCase{"EndsBeforeTheLastBound", kExampleText.left(kExampleText.lastIndexOf("\t 5.0")),
                    "Input error in line 11: the file ends before the problem is complete."}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.label); });

// ------------------------------------------------------ damaged input

// Every prefix of a valid file: a file cut before the last upper bound is
// refused and changes nothing; from the end of that bound on it reads, and
// the last variable's name is what the cut left of it.
class TruncatedFile : public testing::TestWithParam<int> {};

TEST_P(TruncatedFile, EveryPrefixReadsOrIsRefusedCleanly)
{
    const auto full = GetParam() == 0 ? ExampleProblem() : RandomProblem(std::uint64_t(GetParam()), 3, 4, 5);
    const QByteArray text = ProblemFileText(*full);
    const int n = full->numVariables;
    const QByteArray lastName = ToCp1252(full->vars[n].name);
    // The last line: lb TAB ub TAB name CR LF.
    const int lastLine = text.lastIndexOf("\r\n", text.size() - 3) + 2;
    const int ubStart = lastLine + 24;
    const int ubEnd = ubStart + 23;
    ASSERT_EQ(text.at(ubStart - 1), '\t');
    ASSERT_EQ(text.at(ubEnd), '\t');

    const auto before = MarkedTarget();
    auto target = std::make_unique<ProblemData>(*before);
    int accepted = 0;
    for (int length = 0; length <= text.size(); ++length) {
        *target = *before;
        const QByteArray prefix = text.left(length);
        const auto result = ParseProblemText(prefix, *target);
        // Either the end comes too soon or the cut left a broken number.
        if (length <= ubStart) {
            ASSERT_EQ(result.status, ProblemReadStatus::InputError) << "cut at " << length;
        }
        if (result.status != ProblemReadStatus::Ok) {
            ASSERT_NE(result.status, ProblemReadStatus::TooBig) << "cut at " << length;
            ASSERT_FALSE(result.message.isEmpty());
            ASSERT_TRUE(SameProblem(*target, *before)) << "cut at " << length;
            continue;
        }
        ++accepted;
        ASSERT_GT(length, ubStart);
        ASSERT_EQ(target->numVariables, n);
        if (length < ubEnd)
            continue; // a shortened upper bound: some other number
        ASSERT_TRUE(SameTo15Digits(full->vars[n].ub, target->vars[n].ub));
        if (length == ubEnd) {
            ASSERT_EQ(target->vars[n].name, DefaultVariableName(n));
        } else {
            const int kept = std::min(length - ubEnd - 1, int(lastName.size()));
            ASSERT_EQ(target->vars[n].name, FromCp1252(lastName.left(kept))) << "cut at " << length;
        }
    }
    EXPECT_GE(accepted, text.size() - ubEnd + 1);
}

INSTANTIATE_TEST_SUITE_P(Files, TruncatedFile, testing::Values(0, 5, 6, 7));

// Bytes from a seeded generator, whole or as damage to a valid file: the
// reader answers, keeps inside its limits and never half-reads.
class GarbageInput : public testing::TestWithParam<int> {};

TEST_P(GarbageInput, AnswersAndNeverHalfReads)
{
    std::mt19937_64 rng{std::uint64_t(GetParam())};
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 4000);
    const QByteArray valid = ProblemFileText(*RandomProblem(std::uint64_t(GetParam()), 2, 3, 4));
    std::uniform_int_distribution<int> position(0, int(valid.size()) - 1);
    const std::string numberish = "0123456789+-.eE \t\r\n";
    std::uniform_int_distribution<int> numberChar(0, int(numberish.size()) - 1);

    const auto before = MarkedTarget();
    auto target = std::make_unique<ProblemData>(*before);
    for (int trial = 0; trial < 300; ++trial) {
        QByteArray text;
        switch (trial % 3) {
        case 0: // pure noise
            text.resize(length(rng));
            for (char& c : text)
                c = char(byte(rng));
            break;
        case 1: // small counts, then characters numbers are made of
            text = "2\r\n2\r\n2\r\nh\r\n";
            for (int i = length(rng) / 8; i > 0; --i)
                text += numberish[size_t(numberChar(rng))];
            break;
        default: // a valid file with a few bytes changed
            text = valid;
            for (int i = 1 + trial % 5; i > 0; --i)
                text[position(rng)] = char(byte(rng));
            break;
        }
        *target = *before;
        const auto result = ParseProblemText(text, *target);
        switch (result.status) {
        case ProblemReadStatus::Ok:
            ASSERT_TRUE(result.message.isEmpty());
            ASSERT_GE(target->numObjectives, 1);
            ASSERT_LE(target->numObjectives, MaxObjectives);
            ASSERT_GE(target->numConstraints, 0);
            ASSERT_LE(target->numConstraints, MaxConstraints);
            ASSERT_GE(target->numVariables, 1);
            ASSERT_LE(target->numVariables, MaxVariables);
            for (int k = 1; k <= target->numObjectives; ++k)
                ASSERT_LE(target->objName[k].size(), MaxObjNameLength);
            for (int j = 1; j <= target->numVariables; ++j)
                ASSERT_LE(target->vars[j].name.size(), MaxVarNameLength);
            break;
        case ProblemReadStatus::InputError:
            ASSERT_TRUE(result.message.startsWith(QStringLiteral("Input error"))) << result.message.toStdString();
            ASSERT_TRUE(SameProblem(*target, *before));
            break;
        case ProblemReadStatus::TooBig:
            ASSERT_TRUE(SameProblem(*target, *before));
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GarbageInput, testing::Values(1, 2, 3, 4, 5, 6, 7, 8));

} // namespace
