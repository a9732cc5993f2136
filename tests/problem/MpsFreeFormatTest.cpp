// MPS as modelling tools write it today: OBJSENSE in each form and place,
// free format with long names and tabs, the choice between fixed and free,
// and the netlib problems rewritten in free format reaching the optima
// published for the fixed-column originals.

#include "TestEngine.h"
#include "problem/MpsFile.h"
#include "solutions/Payoff.h"
#include "workspace/Workspace.h"

#include "ProblemTestData.h"
#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

using namespace problemtest;

namespace {

QString TestData(const QString& relative)
{
    return QDir(QStringLiteral(QUILVANE_TESTDATA_DIR)).filePath(relative);
}

// Two objectives, COST = X1 + 2 X2 and TIME = 3 X1 - X2, over
// C1: X1 + X2 <= 10 and X2 <= 5; `before` goes before ROWS, `between`
// between ROWS and COLUMNS, `after` before ENDATA.
QByteArray FixedFile(const QByteArray& before, const QByteArray& between = {}, const QByteArray& after = {})
{
    return "NAME          SENSE\n" + before + "ROWS\n N  COST\n L  C1\n N  TIME\n" + between
           + "COLUMNS\n"
             "    X1        COST                 1   TIME                 3\n"
             "    X1        C1                   1\n"
             "    X2        COST                 2   TIME                -1\n"
             "    X2        C1                   1\n"
             "RHS\n"
             "    RHS       C1                  10\n"
             "BOUNDS\n"
             " UP BND       X2                   5\n"
           + after + "ENDATA\n";
}

// The same problem in free format.
QByteArray FreeFile(const QByteArray& before, const QByteArray& between = {}, const QByteArray& after = {})
{
    return "NAME sense\n" + before + "ROWS\n N COST\n L C1\n N TIME\n" + between
           + "COLUMNS\n X1 COST 1 TIME 3\n X1 C1 1\n X2 COST 2 TIME -1\n X2 C1 1\nRHS\n RHS C1 10\n"
             "BOUNDS\n UP BND X2 5\n"
           + after + "ENDATA\n";
}

struct SenseCase {
    const char* name;
    QByteArray text;
    int sense;
};

void PrintTo(const SenseCase& c, std::ostream* os) { *os << c.name; }

class ObjSense : public ::testing::TestWithParam<SenseCase> {};

TEST_P(ObjSense, AppliesToEveryObjective)
{
    auto pb = NewResetProblem();
    const MpsReadResult read = ParseMpsText(GetParam().text, *pb);
    ASSERT_TRUE(read.accepted()) << read.notConvertedAt.toStdString() << read.message.toStdString();
    ASSERT_EQ(pb->numObjectives, 2);
    EXPECT_EQ(pb->objSense[1], GetParam().sense);
    EXPECT_EQ(pb->objSense[2], GetParam().sense);
    // The sense leaves the coefficients as the file gives them.
    EXPECT_EQ(pb->objCoef[2][1], 3);
    EXPECT_EQ(pb->objCoef[2][2], -1);
    EXPECT_EQ(pb->numConstraints, 1);
    EXPECT_EQ(pb->vars[2].ub, 5);
}

INSTANTIATE_TEST_SUITE_P(
    FormsAndPlaces, ObjSense,
    ::testing::Values(SenseCase{"None", FixedFile(""), -1},
                      SenseCase{"SectionBeforeRows", FixedFile("OBJSENSE\n    MAX\n"), 1},
                      SenseCase{"SectionMaximize", FixedFile("OBJSENSE\n    MAXIMIZE\n"), 1},
                      SenseCase{"OneLineBeforeRows", FixedFile("OBJSENSE MAX\n"), 1},
                      SenseCase{"OneLineAfterRows", FixedFile("", "OBJSENSE    MAXIMIZE\n"), 1},
                      SenseCase{"SectionAfterBounds", FixedFile("", "", "OBJSENSE\n    MAX\n"), 1},
                      SenseCase{"SectionMin", FixedFile("OBJSENSE\n    MIN\n"), -1},
                      SenseCase{"OneLineMinimize", FixedFile("OBJSENSE MINIMIZE\n"), -1},
                      SenseCase{"LowerCase", FixedFile("OBJSENSE\n    max\n"), 1},
                      SenseCase{"FreeSection", FreeFile("OBJSENSE\n\tMAX\n"), 1},
                      SenseCase{"FreeOneLineAfterRows", FreeFile("", "OBJSENSE MAXIMIZE\n"), 1},
                      SenseCase{"FreeCrLf", FreeFile("OBJSENSE\r\n  MAX\r\n"), 1},
                      SenseCase{"SenseInTheFirstColumn", FreeFile("OBJSENSE\nMAXIMIZE\n"), 1}),
    [](const ::testing::TestParamInfo<SenseCase>& info) { return std::string(info.param.name); });

struct Refused {
    const char* name;
    QByteArray text;
    QString at; // notConvertedAt
};

void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

class MpsRefusalLine : public ::testing::TestWithParam<Refused> {};

TEST_P(MpsRefusalLine, NamesTheLine)
{
    auto problem = RandomProblem(31, 2, 2, 2);
    const auto before = std::make_unique<ProblemData>(*problem);
    const MpsReadResult read = ParseMpsText(GetParam().text, *problem);
    EXPECT_FALSE(read.converted);
    EXPECT_EQ(read.notConvertedAt, GetParam().at);
    EXPECT_TRUE(SameProblem(*problem, *before));
    EXPECT_EQ(MpsRefusalMessages(read),
              QStringList{QStringLiteral("Error in converting the problem\n") + GetParam().at});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MpsRefusalLine,
    ::testing::Values(
        Refused{"UnknownSense", FixedFile("OBJSENSE\n    UP\n"),
                QStringLiteral("Line 3: OBJSENSE \"UP\" is not MAX, MAXIMIZE, MIN or MINIMIZE.")},
        Refused{"SenseMissing", FixedFile("OBJSENSE\n"), QStringLiteral("Line 2: OBJSENSE without MAX or MIN.")},
        Refused{"FreeRowLine", FreeFile("", " L C2 extra\n"),
                QStringLiteral("Line 6: 3 fields where a ROWS line has 2.")},
        Refused{"SameVariableNames",
                FreeFile("", "", "").replace(" X2 ", " X1_abcdefghijklmnopqrstuvwxyz_2 ").replace(
                    " X1 ", " X1_abcdefghijklmnopqrstuvwxyz_1 "),
                QStringLiteral("Line 9: column names \"X1_abcdefghijklmnopqrstuvwxyz_1\" and "
                               "\"X1_abcdefghijklmnopqrstuvwxyz_2\" are the same in their first 20 characters.")},
        Refused{"SameObjectiveNames", FreeFile("").replace("COST", "OBJECTIVE_A").replace("TIME", "OBJECTIVE_B"),
                QStringLiteral("Line 5: objective names \"OBJECTIVE_A\" and \"OBJECTIVE_B\" are the same in their "
                               "first 10 characters.")}),
    [](const ::testing::TestParamInfo<Refused>& info) { return std::string(info.param.name); });

TEST(MpsFreeFormat, LongNamesTabsAndNumbersInAnyColumn)
{
    const QByteArray text = "NAME\tlong names\n"
                            "ROWS\n"
                            " N\tprofit_of_the_whole_plant\n"
                            "  L capacity_of_the_first_machine\n"
                            "\tG   demand\n"
                            "COLUMNS\n"
                            "  widgets_made_in_the_north_plant   profit_of_the_whole_plant  -1.5e+1 "
                            "capacity_of_the_first_machine 2E0\n"
                            "\twidgets_made_in_the_north_plant\tdemand\t.5\n"
                            " gadgets   capacity_of_the_first_machine   +3.   demand 1e-1\n"
                            "RHS\n"
                            " capacity_of_the_first_machine 1.2e2   demand -4\n"
                            "BOUNDS\n"
                            " UP BND gadgets 7.5\n"
                            " LO widgets_made_in_the_north_plant -2\n"
                            " BV gadgets\n"
                            "ENDATA\n";
    EXPECT_EQ(DetectMpsFormat(text), MpsFormat::Free);
    auto pb = NewResetProblem();
    const MpsReadResult read = ParseMpsText(text, *pb);
    ASSERT_TRUE(read.accepted()) << read.notConvertedAt.toStdString() << read.message.toStdString();
    ASSERT_EQ(pb->numObjectives, 1);
    ASSERT_EQ(pb->numConstraints, 2);
    ASSERT_EQ(pb->numVariables, 2);
    // Names cut to what the workspace holds.
    EXPECT_EQ(pb->objName[1], QStringLiteral("profit_of_"));
    EXPECT_EQ(pb->vars[1].name, QStringLiteral("widgets_made_in_the_"));
    EXPECT_EQ(pb->vars[2].name, QStringLiteral("gadgets"));
    EXPECT_EQ(pb->objCoef[1][1], -15);
    EXPECT_EQ(pb->objCoef[1][2], 0);
    EXPECT_EQ(pb->conCoef[1][1], 2);
    EXPECT_EQ(pb->conCoef[1][2], 3);
    EXPECT_EQ(pb->conCoef[2][1], 0.5L);
    EXPECT_EQ(pb->conCoef[2][2], 0.1L);
    EXPECT_EQ(pb->conType[2], ConGreaterEqual);
    EXPECT_EQ(pb->conRhs[1], 120);
    EXPECT_EQ(pb->conRhs[2], -4);
    EXPECT_EQ(pb->vars[1].lb, -2);
    EXPECT_EQ(pb->vars[2].ub, 1);
}

TEST(MpsFreeFormat, ObjectiveNamesCutToTheirLength)
{
    QByteArray text = FreeFile("");
    text.replace("COST", "COST_OF_ALL");
    auto pb = NewResetProblem();
    ASSERT_TRUE(ParseMpsText(text, *pb).accepted());
    EXPECT_EQ(pb->objName[1], QStringLiteral("COST_OF_AL"));
}

// A fixed-column file whose names hold blanks reads as it always did; the
// switches override the choice.
TEST(MpsFormatChoice, BlanksInFixedNamesKeepTheFixedLayout)
{
    const QByteArray fixed = "ROWS\n"
                             " N  MY COST\n"
                             " L  ROW 1\n"
                             "COLUMNS\n"
                             "    X ONE     MY COST              4   ROW 1                2\n"
                             "RHS\n"
                             "    RHS       ROW 1                8\n"
                             "ENDATA\n";
    EXPECT_EQ(DetectMpsFormat(fixed), MpsFormat::Fixed);
    auto pb = NewResetProblem();
    ASSERT_TRUE(ParseMpsText(fixed, *pb).accepted());
    EXPECT_EQ(pb->objName[1], QStringLiteral("MY COST"));
    EXPECT_EQ(pb->vars[1].name, QStringLiteral("X ONE"));
    EXPECT_EQ(pb->conCoef[1][1], 2);
    EXPECT_EQ(pb->conRhs[1], 8);
    // Read as free format the names fall apart.
    EXPECT_FALSE(ParseMpsText(fixed, *pb, MpsFormat::Free).accepted());

    const QByteArray free = FreeFile("OBJSENSE MAX\n");
    EXPECT_EQ(DetectMpsFormat(free), MpsFormat::Free);
    EXPECT_FALSE(ParseMpsText(free, *pb, MpsFormat::Fixed).accepted());
    EXPECT_TRUE(ParseMpsText(free, *pb, MpsFormat::Free).accepted());
    EXPECT_EQ(DetectMpsFormat(FixedFile("OBJSENSE MAX\n")), MpsFormat::Fixed);
}

// A fixed-column netlib file in free format: the fields joined by tabs and
// blanks, every name made longer than eight characters.
QByteArray ToFreeFormat(const QByteArray& fixed)
{
    QByteArray out;
    for (const QByteArray& raw : fixed.split('\n')) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.isEmpty() || line.startsWith('*'))
            continue;
        if (line.at(0) != ' ') {
            out += line + '\n';
            continue;
        }
        const auto field = [&line](int first, int last) { return line.mid(first - 1, last - first + 1).trimmed(); };
        const auto name = [](const QByteArray& n) { return n.isEmpty() ? n : n + "_with_a_long_suffix"; };
        QByteArrayList words;
        words << field(2, 3) << name(field(5, 12)) << name(field(15, 22)) << field(25, 36) << name(field(40, 47))
              << field(50, 61);
        words.removeAll(QByteArray());
        out += "\t " + words.join(" \t") + "  \n";
    }
    return out;
}

struct NetlibOptimum {
    const char* file;
    long double optimum; // netlib's published optimal value
};

class NetlibFreeFormat : public ::testing::TestWithParam<NetlibOptimum> {};

TEST_P(NetlibFreeFormat, ReachesThePublishedOptimum)
{
    QFile f(TestData(QStringLiteral("netlib/") + QLatin1String(GetParam().file)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray free = ToFreeFormat(f.readAll());
    ASSERT_EQ(DetectMpsFormat(free), MpsFormat::Free);

    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    const MpsReadResult read = ParseMpsText(free, *ws);
    ASSERT_TRUE(read.accepted()) << read.notConvertedAt.toStdString() << read.message.toStdString();
    ResetComputedState(*ws);
    ApplyNormalization(*ws, false);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    const long double published = GetParam().optimum;
    EXPECT_LE(std::fabs(ws->idealPoint[1] - published), 1e-6L * std::max(1.0L, std::fabs(published)))
        << double(ws->idealPoint[1]);
}

INSTANTIATE_TEST_SUITE_P(Published, NetlibFreeFormat,
                         ::testing::Values(NetlibOptimum{"afiro.mps", -4.6475314286E+02L},
                                           NetlibOptimum{"sc50a.mps", -6.4575077059E+01L},
                                           NetlibOptimum{"sc50b.mps", -7.0000000000E+01L},
                                           NetlibOptimum{"kb2.mps", -1.7499001299E+03L},
                                           NetlibOptimum{"adlittle.mps", 2.2549496316E+05L},
                                           NetlibOptimum{"blend.mps", -3.0812149846E+01L},
                                           NetlibOptimum{"share2b.mps", -4.1573224074E+02L}),
                         [](const ::testing::TestParamInfo<NetlibOptimum>& info) {
                             return QByteArray(info.param.file).split('.').first().toStdString();
                         });

// Every cut of a free-format file short of its ENDATA is refused.
// ENDATA may be missing, so a file cut at a line end can still be a smaller
// problem; any other cut is refused and leaves the problem as it was.
TEST(MpsFreeFormat, EveryTruncationIsReadOrRefusedCleanly)
{
    for (const QByteArray& whole : {FreeFile("OBJSENSE\n MAX\n"), FixedFile("OBJSENSE MAX\n")}) {
        auto full = RandomProblem(7, 2, 2, 2);
        ASSERT_TRUE(ParseMpsText(whole, *full).accepted());
        const qsizetype end = whole.lastIndexOf("ENDATA") + 6;
        int refused = 0;
        for (qsizetype cut = 0; cut < end; ++cut) {
            auto problem = RandomProblem(7, 2, 2, 2);
            const auto before = std::make_unique<ProblemData>(*problem);
            if (ParseMpsText(whole.left(cut), *problem).accepted()) {
                EXPECT_LE(problem->numConstraints, full->numConstraints) << cut;
                EXPECT_LE(problem->numVariables, full->numVariables) << cut;
            } else {
                ++refused;
                EXPECT_TRUE(SameProblem(*problem, *before)) << cut;
            }
        }
        EXPECT_GT(refused, end / 2);
    }
}

TEST(MpsBatchFormats, SwitchesOverrideTheChoice)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("free.mps"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(FreeFile("OBJSENSE MAX\n"));
    f.close();
    const auto run = [](const QStringList& args) {
        QProcess process;
        process.start(QStringLiteral(QUILVANE_BATCH_EXE), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
    };
    EXPECT_EQ(run({path}).first, 0);
    EXPECT_EQ(run({QStringLiteral("--free-mps"), path}).first, 0);
    const auto fixed = run({QStringLiteral("--fixed-mps"), path});
    EXPECT_EQ(fixed.first, 2);
    // In fixed columns the words of line 8 leave its value field empty.
    EXPECT_EQ(fixed.second, QStringLiteral("Error: '' is not a valid floating point value\nLine 8.\n"));
    EXPECT_EQ(run({QStringLiteral("--free-mps"), QStringLiteral("--fixed-mps"), path}).first, 2);
}

} // namespace
