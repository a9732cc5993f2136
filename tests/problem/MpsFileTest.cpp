// MPS import: hand-written fixed-column files for every section, bound type
// and refusal, and the constraint row deletion the reader shares with the
// problem editor.

#include "problem/MpsFile.h"
#include "problem/ProblemRows.h"

#include "ProblemTestData.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <random>
#include <string>

#include <sys/stat.h>

using namespace problemtest;

namespace {

// One fixed-column data line: each field starts at its position (type at 2,
// names at 5, 15 and 40, values at 25 and 50) and the line stops after the
// last field given, as real files do.
QByteArray Line(const char* type, const char* name1, const char* name2 = "", const char* value1 = "",
                const char* name3 = "", const char* value2 = "")
{
    QByteArray line(" ");
    const auto put = [&line](int position, const char* text) {
        if (!*text)
            return;
        while (line.size() < position - 1)
            line += ' ';
        line += text;
    };
    put(2, type);
    put(5, name1);
    put(15, name2);
    put(25, value1);
    put(40, name3);
    put(50, value2);
    return line;
}

// Lines joined with LF.
QByteArray Text(std::initializer_list<QByteArray> lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + '\n';
    return text;
}

// The rows and columns of a small problem with two objectives interleaved
// with three constraints:
//   COST = 1 X1 + 2 X2 (minimized), TIME = 3 X1 - 1 X2 (minimized)
//   C1: X1 + X2 <= 10, C2: X1 - X2 >= -2, C3: 2 X2 <= 8 (an L row)
QByteArray SmallHead()
{
    return Text({
        "NAME          SMALL",
        "ROWS",
        Line("L", "C1"),
        Line("N", "COST"),
        Line("G", "C2"),
        Line("N", "TIME"),
        Line("L", "C3"),
        "COLUMNS",
        Line("", "X1", "COST", "1", "TIME", "3"),
        Line("", "X1", "C1", "1", "C2", "1"),
        Line("", "X2", "COST", "2", "TIME", "-1"),
        Line("", "X2", "C1", "1", "C2", "-1"),
        Line("", "X2", "C3", "2"),
        "RHS",
        Line("", "RHS", "C1", "10", "C2", "-2"),
        Line("", "RHS", "C3", "8"),
    });
}

struct Parsed {
    MpsReadResult result;
    std::unique_ptr<ProblemData> problem;
};

Parsed Parse(const QByteArray& text)
{
    Parsed parsed{{}, NewResetProblem()};
    parsed.result = ParseMpsText(text, *parsed.problem);
    return parsed;
}

// A prepared problem that a refused file must leave exactly as it was.
std::unique_ptr<ProblemData> Previous()
{
    auto problem = RandomProblem(20240607, 3, 4, 5);
    RebuildSlackNames(*problem);
    return problem;
}

// Parses `text` over Previous() and checks that it was refused with the
// given flags and message, leaving the problem untouched.
void ExpectRefused(const QByteArray& text, bool fits, bool converted, const QString& message = QString())
{
    auto problem = Previous();
    const auto before = std::make_unique<ProblemData>(*problem);
    const MpsReadResult result = ParseMpsText(text, *problem);
    EXPECT_FALSE(result.accepted());
    EXPECT_EQ(result.fits, fits);
    EXPECT_EQ(result.converted, converted);
    EXPECT_EQ(result.message, message);
    EXPECT_TRUE(SameProblem(*problem, *before));
}

// ---------------------------------------------------------------------------

TEST(MpsFile, ObjectiveRowsBecomeMinimizedObjectivesInTheirOrder)
{
    const Parsed p = Parse(SmallHead() + "ENDATA\n");
    ASSERT_TRUE(p.result.accepted()) << p.result.message.toStdString();
    const ProblemData& pb = *p.problem;
    EXPECT_EQ(pb.numObjectives, 2);
    EXPECT_EQ(pb.numConstraints, 3);
    EXPECT_EQ(pb.numVariables, 2);

    EXPECT_EQ(pb.objName[1], QStringLiteral("COST"));
    EXPECT_EQ(pb.objName[2], QStringLiteral("TIME"));
    for (int k = 1; k <= 2; ++k)
        EXPECT_EQ(pb.objSense[k], -1) << k;
    EXPECT_EQ(pb.objCoef[1][1], 1);
    EXPECT_EQ(pb.objCoef[1][2], 2);
    EXPECT_EQ(pb.objCoef[2][1], 3);
    EXPECT_EQ(pb.objCoef[2][2], -1);

    // The constraints keep the order of their rows.
    EXPECT_EQ(pb.conType[1], ConLessEqual);
    EXPECT_EQ(pb.conType[2], ConGreaterEqual);
    EXPECT_EQ(pb.conType[3], ConLessEqual);
    EXPECT_EQ(pb.conCoef[1][1], 1);
    EXPECT_EQ(pb.conCoef[1][2], 1);
    EXPECT_EQ(pb.conCoef[2][1], 1);
    EXPECT_EQ(pb.conCoef[2][2], -1);
    EXPECT_EQ(pb.conCoef[3][1], 0);
    EXPECT_EQ(pb.conCoef[3][2], 2);
    EXPECT_EQ(pb.conRhs[1], 10);
    EXPECT_EQ(pb.conRhs[2], -2);
    EXPECT_EQ(pb.conRhs[3], 8);
    // The two places the objective rows left at the bottom are clear.
    for (int i = 4; i <= 5; ++i) {
        EXPECT_EQ(pb.conCoef[i][1], 0) << i;
        EXPECT_EQ(pb.conCoef[i][2], 0) << i;
        EXPECT_EQ(pb.conType[i], ConLessEqual) << i;
        EXPECT_EQ(pb.conRhs[i], 0) << i;
    }

    EXPECT_EQ(pb.vars[1].name, QStringLiteral("X1"));
    EXPECT_EQ(pb.vars[2].name, QStringLiteral("X2"));
    // Without a BOUNDS section every variable keeps 0 and the infinite bound.
    for (int j = 1; j <= MaxVariables; ++j) {
        EXPECT_EQ(pb.vars[j].lb, 0) << j;
        EXPECT_EQ(pb.vars[j].ub, kInfiniteBound) << j;
    }
}

TEST(MpsFile, TwoObjectiveRowsAndThreeLRows)
{
    const Parsed p = Parse(Text({
        "ROWS",
        Line("N", "F1"),
        Line("N", "F2"),
        Line("L", "A"),
        Line("L", "B"),
        Line("L", "C"),
        "COLUMNS",
        Line("", "Y1", "F1", "4", "F2", "-2"),
        Line("", "Y1", "A", "1", "B", "2"),
        Line("", "Y1", "C", "3"),
        "RHS",
        Line("", "R", "A", "1", "B", "2"),
        Line("", "R", "C", "3"),
        "ENDATA",
    }));
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->numObjectives, 2);
    EXPECT_EQ(p.problem->numConstraints, 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(p.problem->conType[i], ConLessEqual);
        EXPECT_EQ(p.problem->conCoef[i][1], i);
        EXPECT_EQ(p.problem->conRhs[i], i);
    }
    EXPECT_EQ(p.problem->objCoef[1][1], 4);
    EXPECT_EQ(p.problem->objCoef[2][1], -2);
}

TEST(MpsFile, TwoPairsOnOneLineSetTwoCoefficientsOfTheSameColumn)
{
    const Parsed p = Parse(Text({
        "ROWS",
        Line("N", "OBJ"),
        Line("E", "R1"),
        Line("L", "R2"),
        "COLUMNS",
        Line("", "A", "R1", "1.5", "R2", "-.25"),
        Line("", "B", "OBJ", "7", "R2", "1"),
        "RHS",
        Line("", "RHS", "R1", "3", "R2", "4"),
        "ENDATA",
    }));
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->conCoef[1][1], 1.5L);
    EXPECT_EQ(p.problem->conCoef[2][1], -0.25L);
    EXPECT_EQ(p.problem->conCoef[1][2], 0);
    EXPECT_EQ(p.problem->conCoef[2][2], 1);
    EXPECT_EQ(p.problem->objCoef[1][1], 0);
    EXPECT_EQ(p.problem->objCoef[1][2], 7);
    EXPECT_EQ(p.problem->conType[1], ConEqual);
    EXPECT_EQ(p.problem->conRhs[1], 3);
    EXPECT_EQ(p.problem->conRhs[2], 4);
}

TEST(MpsFile, NumbersInTheShapesOfRealFiles)
{
    const Parsed p = Parse(Text({
        "ROWS",
        Line("N", "OBJ"),
        Line("L", "R"),
        "COLUMNS",
        Line("", "A", "OBJ", ".301", "R", "-1."),
        Line("", "B", "OBJ", "+2.5E-02", "R", "1e3"),
        Line("", "C", "OBJ", "-0", "R", "12345678.125"),
        "RHS",
        Line("", "RHS", "R", "-4.5e+1"),
        "ENDATA",
    }));
    ASSERT_TRUE(p.result.accepted()) << p.result.message.toStdString();
    EXPECT_EQ(p.problem->objCoef[1][1], 0.301L);
    EXPECT_EQ(p.problem->conCoef[1][1], -1);
    EXPECT_EQ(p.problem->objCoef[1][2], 0.025L);
    EXPECT_EQ(p.problem->conCoef[1][2], 1000);
    EXPECT_EQ(p.problem->objCoef[1][3], 0);
    EXPECT_EQ(p.problem->conCoef[1][3], 12345678.125L);
    EXPECT_EQ(p.problem->conRhs[1], -45);
}

TEST(MpsFile, RowTypeOtherThanNLGEIsNotConverted)
{
    // A missing letter, an unknown one, or two letters where one belongs.
    for (const char* type : {"", "X", "EG", "NL", "l"})
        ExpectRefused(Text({"ROWS", Line("N", "OBJ"), Line(type, "R1"), Line("G", "R2"), "COLUMNS",
                            Line("", "A", "R1", "1", "R2", "1"), Line("", "A", "OBJ", "1"), "ENDATA"}),
                      true, false);
}

TEST(MpsFile, RowTypeMayStandInEitherPositionOfItsField)
{
    QByteArray text = Text({"ROWS", " N  OBJ", "  E R1", "  G R2", "COLUMNS",
                            Line("", "A", "R1", "1", "R2", "1"), Line("", "A", "OBJ", "1"), "ENDATA"});
    const Parsed p = Parse(text);
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->numObjectives, 1);
    EXPECT_EQ(p.problem->conType[1], ConEqual);
    EXPECT_EQ(p.problem->conType[2], ConGreaterEqual);
}

// ---------------------------------------------------------------------------
// Bounds

QByteArray BoundsFile(std::initializer_list<QByteArray> boundLines)
{
    QByteArray text = Text({
        "ROWS",
        Line("N", "OBJ"),
        Line("L", "R"),
        "COLUMNS",
        Line("", "A", "OBJ", "1", "R", "1"),
        Line("", "B", "OBJ", "1", "R", "1"),
        Line("", "C", "OBJ", "1", "R", "1"),
        Line("", "D", "OBJ", "1", "R", "1"),
        Line("", "E", "OBJ", "1", "R", "1"),
        "RHS",
        Line("", "RHS", "R", "10"),
        "BOUNDS",
    });
    for (const QByteArray& line : boundLines)
        text += line + '\n';
    return text + "ENDATA\n";
}

TEST(MpsFile, EachBoundTypeSetsItsBounds)
{
    const Parsed p = Parse(BoundsFile({
        Line("UP", "BND", "A", "4"),
        Line("FX", "BND", "B", "2"),
        Line("BV", "BND", "C"),
        Line("LO", "BND", "D", "-3"),
    }));
    ASSERT_TRUE(p.result.accepted()) << p.result.message.toStdString();
    const auto& v = p.problem->vars;
    EXPECT_EQ(v[1].lb, 0);
    EXPECT_EQ(v[1].ub, 4);
    EXPECT_EQ(v[2].lb, 2);
    EXPECT_EQ(v[2].ub, 2);
    EXPECT_EQ(v[3].lb, 0);
    EXPECT_EQ(v[3].ub, 1);
    EXPECT_EQ(v[4].lb, -3);
    EXPECT_EQ(v[4].ub, kInfiniteBound);
    // A column without a bound line keeps 0 and the infinite bound.
    EXPECT_EQ(v[5].lb, 0);
    EXPECT_EQ(v[5].ub, kInfiniteBound);
}

TEST(MpsFile, BoundsApplyInTheirOrder)
{
    const Parsed p = Parse(BoundsFile({
        Line("LO", "BND", "A", "0.5"),
        Line("BV", "BND", "A", "1"),   // the lower bound stays
        Line("UP", "BND", "B", "7"),
        Line("PL", "BND", "B"),        // no upper bound after all
        Line("LO", "BND", "C", "-5"),
        Line("UP", "BND", "C", "-2"),  // negative, but the lower bound is finite
        Line("UP", "BND", "D", "9"),
        Line("UP", "BND", "D", "6"),
    }));
    ASSERT_TRUE(p.result.accepted()) << p.result.message.toStdString();
    const auto& v = p.problem->vars;
    EXPECT_EQ(v[1].lb, 0.5L);
    EXPECT_EQ(v[1].ub, 1);
    EXPECT_EQ(v[2].ub, kInfiniteBound);
    EXPECT_EQ(v[3].lb, -5);
    EXPECT_EQ(v[3].ub, -2);
    EXPECT_EQ(v[4].ub, 6);
}

TEST(MpsFile, FreeAndMinusInfinityBoundsAreNotConverted)
{
    ExpectRefused(BoundsFile({Line("FR", "BND", "A")}), true, false);
    ExpectRefused(BoundsFile({Line("MI", "BND", "B")}), true, false);
    // With a value, as some writers put one.
    ExpectRefused(BoundsFile({Line("UP", "BND", "A", "4"), Line("FR", "BND", "C", "0")}), true, false);
}

TEST(MpsFile, OtherBoundTypesAreNotConverted)
{
    for (const char* type : {"UI", "LI", "SC", "XX"})
        ExpectRefused(BoundsFile({Line(type, "BND", "A", "3")}), true, false);
}

TEST(MpsFile, NegativeUpperBoundOnAColumnBoundedBelowByZeroIsNotConverted)
{
    ExpectRefused(BoundsFile({Line("UP", "BND", "A", "-1")}), true, false);
}

// ---------------------------------------------------------------------------
// Sections

TEST(MpsFile, RhsFollowedByEndataIsReadCompletely)
{
    const Parsed p = Parse(SmallHead() + "ENDATA\n");
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->conRhs[3], 8);
}

TEST(MpsFile, AnEmptyRhsSectionAndAMissingOneAreFine)
{
    const QByteArray rowsAndColumns = Text({
        "ROWS",
        Line("N", "OBJ"),
        Line("G", "R"),
        "COLUMNS",
        Line("", "A", "OBJ", "1", "R", "1"),
    });
    const Parsed empty = Parse(rowsAndColumns + Text({"RHS", "BOUNDS", Line("UP", "BND", "A", "3"), "ENDATA"}));
    ASSERT_TRUE(empty.result.accepted());
    EXPECT_EQ(empty.problem->conRhs[1], 0);
    EXPECT_EQ(empty.problem->vars[1].ub, 3);

    const Parsed missing = Parse(rowsAndColumns + Text({"BOUNDS", Line("UP", "BND", "A", "3"), "ENDATA"}));
    ASSERT_TRUE(missing.result.accepted());
    EXPECT_EQ(missing.problem->vars[1].ub, 3);

    // Nor is ENDATA needed at the end of the file.
    const Parsed unended = Parse(rowsAndColumns);
    ASSERT_TRUE(unended.result.accepted());
    EXPECT_EQ(unended.problem->conCoef[1][1], 1);
}

TEST(MpsFile, RangesMakeAnOtherwiseValidFileNotConverted)
{
    ExpectRefused(SmallHead() + Text({"RANGES", Line("", "RNG", "C1", "4"), "ENDATA"}), true, false);
    ExpectRefused(SmallHead() + Text({"RANGES", Line("", "RNG", "C1", "4"), "BOUNDS", Line("UP", "BND", "X1", "4"),
                                      "ENDATA"}),
                  true, false);
}

TEST(MpsFile, UnknownOrMisplacedSectionsAreNotConverted)
{
    ExpectRefused(SmallHead() + Text({"QUADOBJ", Line("", "X1", "X1", "1"), "ENDATA"}), true, false);
    ExpectRefused(SmallHead() + Text({"COLUMNS", Line("", "X3", "C1", "1"), "ENDATA"}), true, false);
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), "RHS", Line("", "RHS", "OBJ", "1"), "ENDATA"}), true, false);
}

TEST(MpsFile, IntegerMarkersAreNotConverted)
{
    ExpectRefused(Text({
                      "ROWS",
                      Line("N", "OBJ"),
                      Line("L", "R"),
                      "COLUMNS",
                      "    MARKER                 'MARKER'                 'INTORG'",
                      Line("", "A", "OBJ", "1", "R", "1"),
                      "    MARKER                 'MARKER'                 'INTEND'",
                      "ENDATA",
                  }),
                  true, false);
    ExpectRefused(Text({
                      "ROWS",
                      Line("N", "OBJ"),
                      "COLUMNS",
                      Line("", "MARKER", "'MARKER'", "", "'INTORG'"),
                      Line("", "A", "OBJ", "1"),
                      "ENDATA",
                  }),
                  true, false);
}

TEST(MpsFile, AnRhsOnAnObjectiveRowIsDiscarded)
{
    const Parsed p = Parse(SmallHead() + Text({Line("", "RHS", "COST", "100", "TIME", "-7"), "ENDATA"}));
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->conRhs[1], 10);
    EXPECT_EQ(p.problem->conRhs[2], -2);
    EXPECT_EQ(p.problem->conRhs[3], 8);
    EXPECT_EQ(p.problem->conRhs[4], 0);
    EXPECT_EQ(p.problem->conRhs[5], 0);
}

TEST(MpsFile, LinesBeforeRowsCommentsAndEmptyLinesAreSkipped)
{
    const QByteArray text = "* A comment before anything\n"
                            "NAME          WITH EXTRA TEXT ON THE NAME LINE\n"
                            "   some words no reader needs\n"
                            "\n"
                            "ROWS\n"
                            "* a comment between rows\n"
                            " N  OBJ\n"
                            "   \n"
                            " L  R\n"
                            "COLUMNS\n"
                            "    A         OBJ                  2   R                    1\n"
                            "*   B         OBJ                  9\n"
                            "\n"
                            "RHS\n"
                            "    RHS       R                    5\n"
                            "ENDATA\n";
    const Parsed p = Parse(text);
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->numVariables, 1);
    EXPECT_EQ(p.problem->numConstraints, 1);
    EXPECT_EQ(p.problem->objCoef[1][1], 2);
    EXPECT_EQ(p.problem->conRhs[1], 5);
}

TEST(MpsFile, DuplicateEntriesKeepTheLastValue)
{
    const Parsed p = Parse(Text({
        "ROWS",
        Line("N", "OBJ"),
        Line("L", "R"),
        "COLUMNS",
        Line("", "A", "R", "1", "R", "2"),
        Line("", "A", "OBJ", "1"),
        "RHS",
        Line("", "RHS", "R", "3"),
        Line("", "RHS2", "R", "4"),
        "ENDATA",
    }));
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->conCoef[1][1], 2);
    EXPECT_EQ(p.problem->conRhs[1], 4);
}

// ---------------------------------------------------------------------------
// Line ends and padding

// The layout of the netlib files: CR LF line ends, ROWS lines that stop right
// after the name, a blank RHS set name, numbers like ".301" and "-1.".
const QByteArray kCrLfText = "NAME          CRLF\r\n"
                             "ROWS\r\n"
                             " E  R09\r\n"
                             " L  X05\r\n"
                             " N  COST\r\n"
                             "COLUMNS\r\n"
                             "    X01       X05               .301   R09                -1.\r\n"
                             "    X01       COST               -.4\r\n"
                             "    X02       R09                 1.\r\n"
                             "RHS\r\n"
                             "              X05                44.   R09                  0\r\n"
                             "BOUNDS\r\n"
                             " UP BND       X02                80.\r\n"
                             "ENDATA\r\n";

void ExpectCrLfProblem(const Parsed& p)
{
    ASSERT_TRUE(p.result.accepted()) << p.result.message.toStdString();
    const ProblemData& pb = *p.problem;
    EXPECT_EQ(pb.numObjectives, 1);
    EXPECT_EQ(pb.numConstraints, 2);
    EXPECT_EQ(pb.numVariables, 2);
    EXPECT_EQ(pb.objName[1], QStringLiteral("COST"));
    EXPECT_EQ(pb.objCoef[1][1], -0.4L);
    EXPECT_EQ(pb.conType[1], ConEqual);
    EXPECT_EQ(pb.conType[2], ConLessEqual);
    EXPECT_EQ(pb.conCoef[1][1], -1);
    EXPECT_EQ(pb.conCoef[2][1], 0.301L);
    EXPECT_EQ(pb.conCoef[1][2], 1);
    EXPECT_EQ(pb.conRhs[2], 44);
    EXPECT_EQ(pb.vars[1].name, QStringLiteral("X01"));
    EXPECT_EQ(pb.vars[2].ub, 80);
}

TEST(MpsFile, CrLfLinesAndUnpaddedRows)
{
    ExpectCrLfProblem(Parse(kCrLfText));
}

TEST(MpsFile, LfAndCrLineEndsAndAMissingLastLineEnd)
{
    QByteArray lf = kCrLfText;
    lf.replace("\r\n", "\n");
    ExpectCrLfProblem(Parse(lf));
    QByteArray cr = kCrLfText;
    cr.replace("\r\n", "\r");
    ExpectCrLfProblem(Parse(cr));
    ExpectCrLfProblem(Parse(kCrLfText.left(kCrLfText.size() - 2)));
}

TEST(MpsFile, NamesMatchWhateverTheirTrailingBlanks)
{
    // Rows padded to the end of their field, references not, and the
    // other way round.
    const Parsed p = Parse(Text({
        "ROWS",
        " N  OBJ     ",
        " L  R1      ",
        " G  R2",
        "COLUMNS",
        "    A         OBJ       1",
        "    A         R1        2              R2        3",
        "    B         R2            4",
        "RHS",
        "    RHS       R1            5          R2            6   ",
        "BOUNDS",
        " UP BND       B             7",
        "ENDATA",
    }));
    ASSERT_TRUE(p.result.accepted());
    const ProblemData& pb = *p.problem;
    EXPECT_EQ(pb.objCoef[1][1], 1);
    EXPECT_EQ(pb.conCoef[1][1], 2);
    EXPECT_EQ(pb.conCoef[2][1], 3);
    EXPECT_EQ(pb.conCoef[2][2], 4);
    EXPECT_EQ(pb.conRhs[1], 5);
    EXPECT_EQ(pb.conRhs[2], 6);
    EXPECT_EQ(pb.vars[2].ub, 7);
    EXPECT_EQ(pb.objName[1], QStringLiteral("OBJ"));
    EXPECT_EQ(pb.vars[1].name, QStringLiteral("A"));
}

TEST(MpsFile, LeadingBlanksBelongToTheName)
{
    // " R" and "R" are two rows in the fixed-column format.
    const Parsed p = Parse(Text({
        "ROWS",
        Line("N", "OBJ"),
        Line("L", " R"),
        Line("L", "R"),
        "COLUMNS",
        Line("", "A", " R", "1", "R", "2"),
        Line("", "A", "OBJ", "1"),
        "ENDATA",
    }));
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->conCoef[1][1], 1);
    EXPECT_EQ(p.problem->conCoef[2][1], 2);
}

// ---------------------------------------------------------------------------
// Names the file did not define

TEST(MpsFile, UndefinedNamesAreNotConverted)
{
    // A row in COLUMNS, in the second pair, in RHS; a column in BOUNDS.
    ExpectRefused(SmallHead() + Text({Line("", "RHS", "NOROW", "1"), "ENDATA"}), true, false);
    ExpectRefused(SmallHead() + Text({Line("", "RHS", "C1", "1", "NOROW", "2"), "ENDATA"}), true, false);
    ExpectRefused(SmallHead() + Text({"BOUNDS", Line("UP", "BND", "X9", "1"), "ENDATA"}), true, false);
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), "COLUMNS", Line("", "A", "OBJ", "1"), Line("", "A", "R", "1"),
                        "ENDATA"}),
                  true, false);
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), "COLUMNS", Line("", "A", "OBJ", "1", "R", "1"), "ENDATA"}), true,
                  false);
    // A pair without a row name.
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), "COLUMNS", Line("", "A", "", "1"), "ENDATA"}), true, false);
}

TEST(MpsFile, NamesDefinedTwiceOrSplitColumnsAreNotConverted)
{
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), Line("L", "R"), Line("G", "R"), "COLUMNS",
                        Line("", "A", "OBJ", "1", "R", "1"), "ENDATA"}),
                  true, false);
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), Line("L", "R"), "COLUMNS", Line("", "A", "OBJ", "1"),
                        Line("", "B", "R", "1"), Line("", "A", "R", "1"), "ENDATA"}),
                  true, false);
    // A row without a name.
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), " L", "COLUMNS", Line("", "A", "OBJ", "1"), "ENDATA"}), true,
                  false);
}

// ---------------------------------------------------------------------------
// Values that are not numbers

QString NotANumber(const char* text, int line)
{
    return QStringLiteral("'%1' is not a valid floating point value\nLine %2.").arg(QString::fromLatin1(text)).arg(line);
}

TEST(MpsFile, AValueThatIsNotANumberStopsWithTheConversionMessage)
{
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), Line("L", "R"), "COLUMNS", Line("", "A", "OBJ", "1,5"), "ENDATA"}),
                  true, false, NotANumber("1,5", 5));
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), Line("L", "R"), "COLUMNS", Line("", "A", "OBJ", "1", "R", "x"),
                        "ENDATA"}),
                  true, false, NotANumber("x", 5));
    ExpectRefused(SmallHead() + Text({Line("", "RHS", "C1", "1e"), "ENDATA"}), true, false, NotANumber("1e", 17));
    ExpectRefused(SmallHead() + Text({"BOUNDS", Line("UP", "BND", "X1", "inf"), "ENDATA"}), true, false,
                  NotANumber("inf", 18));
    ExpectRefused(SmallHead() + Text({"BOUNDS", Line("FX", "BND", "X1", "1.5.2"), "ENDATA"}), true, false,
                  NotANumber("1.5.2", 18));
    // A value with a blank inside is not one number.
    ExpectRefused(SmallHead() + Text({"BOUNDS", Line("LO", "BND", "X1", "1 2"), "ENDATA"}), true, false,
                  NotANumber("1 2", 18));
    // Beyond the range of a double: no solver could take it.
    ExpectRefused(SmallHead() + Text({Line("", "RHS", "C1", "1e400"), "ENDATA"}), true, false, NotANumber("1e400", 17));
    ExpectRefused(SmallHead() + Text({"BOUNDS", Line("LO", "BND", "X1", "-2e308"), "ENDATA"}), true, false,
                  NotANumber("-2e308", 18));
    // A first pair without its value is no fixed-column line, and as free
    // format it has too few words.
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), "COLUMNS", Line("", "A", "OBJ"), "ENDATA"}), true, false);
}

TEST(MpsFile, BoundsThatNeedAValueMustHaveOne)
{
    for (const char* type : {"LO", "UP", "FX"})
        ExpectRefused(SmallHead() + Text({"BOUNDS", Line(type, "BND", "X1"), "ENDATA"}), true, false,
                      NotANumber("", 18));
    // A type without a value may still have one, but it has to be a number.
    ExpectRefused(SmallHead() + Text({"BOUNDS", Line("BV", "BND", "X1", "one"), "ENDATA"}), true, false,
                  NotANumber("one", 18));
}

// ---------------------------------------------------------------------------
// What a problem needs

TEST(MpsFile, AFileWithoutObjectiveRowsIsRefused)
{
    ExpectRefused(Text({"ROWS", Line("L", "R1"), Line("G", "R2"), "COLUMNS", Line("", "A", "R1", "1", "R2", "1"),
                        "RHS", Line("", "RHS", "R1", "4"), "ENDATA"}),
                  true, false);
}

TEST(MpsFile, AFileWithoutColumnsOrRowsIsRefused)
{
    ExpectRefused(Text({"ROWS", Line("N", "OBJ"), Line("L", "R"), "COLUMNS", "RHS", "ENDATA"}), true, false);
    ExpectRefused(Text({"NAME          EMPTY", "ENDATA"}), true, false);
    ExpectRefused(QByteArray(), true, false);
}

// ---------------------------------------------------------------------------
// Limits

// `objectives` N rows, then `constraints` L rows, `columns` columns each with
// a coefficient in the first N row and in every L row, then `tail`.
QByteArray SizedFile(int objectives, int constraints, int columns, const QByteArray& tail = "ENDATA\n")
{
    QByteArray text = "ROWS\n";
    for (int k = 1; k <= objectives; ++k)
        text += Line("N", QByteArray("F" + QByteArray::number(k)).constData()) + '\n';
    for (int i = 1; i <= constraints; ++i)
        text += Line("L", QByteArray("R" + QByteArray::number(i)).constData()) + '\n';
    text += "COLUMNS\n";
    for (int j = 1; j <= columns; ++j) {
        const QByteArray column = "X" + QByteArray::number(j);
        text += Line("", column.constData(), "F1", QByteArray::number(j).constData()) + '\n';
        for (int i = 1; i <= constraints; ++i)
            text += Line("", column.constData(), QByteArray("R" + QByteArray::number(i)).constData(), "1") + '\n';
    }
    text += "RHS\n";
    for (int i = 1; i <= constraints; ++i)
        text += Line("", "RHS", QByteArray("R" + QByteArray::number(i)).constData(),
                     QByteArray::number(i).constData()) +
                '\n';
    return text + tail;
}

TEST(MpsFile, TheLargestProblemThatFits)
{
    const Parsed p = Parse(SizedFile(MaxObjectives, MaxConstraints - MaxObjectives, MaxVariables));
    ASSERT_TRUE(p.result.accepted());
    EXPECT_EQ(p.problem->numObjectives, MaxObjectives);
    EXPECT_EQ(p.problem->numConstraints, MaxConstraints - MaxObjectives);
    EXPECT_EQ(p.problem->numVariables, MaxVariables);
    EXPECT_EQ(p.problem->objCoef[1][MaxVariables], MaxVariables);
    EXPECT_EQ(p.problem->conCoef[MaxConstraints - MaxObjectives][MaxVariables], 1);
    EXPECT_EQ(p.problem->conRhs[MaxConstraints - MaxObjectives], MaxConstraints - MaxObjectives);
    EXPECT_EQ(p.problem->objName[MaxObjectives], QStringLiteral("F%1").arg(MaxObjectives));
    // The rows the objectives left are clear.
    for (int i = MaxConstraints - MaxObjectives + 1; i <= MaxConstraints; ++i) {
        EXPECT_EQ(p.problem->conCoef[i][1], 0) << i;
        EXPECT_EQ(p.problem->conRhs[i], 0) << i;
    }
}

TEST(MpsFile, TooManyRowsColumnsOrObjectivesDoNotFit)
{
    ExpectRefused(SizedFile(1, MaxConstraints, 2), false, true);
    ExpectRefused(SizedFile(1, 3, MaxVariables + 1), false, true);
    ExpectRefused(SizedFile(MaxObjectives + 1, 2, 2), false, true);
    ExpectRefused(SizedFile(30, 120, 110), false, true);
}

TEST(MpsFile, TooBigAndNotConvertedAreBothReported)
{
    ExpectRefused(SizedFile(1, MaxConstraints + 10, 3, Text({"RANGES", Line("", "RNG", "R1", "1"), "ENDATA"})),
                  false, false);
    ExpectRefused(SizedFile(1, 3, MaxVariables + 5, Text({"BOUNDS", Line("FR", "BND", "X1"), "ENDATA"})), false,
                  false);
    ExpectRefused(SizedFile(0, MaxConstraints + 1, 2), false, false);
}

TEST(MpsFile, ValuesAfterTheLimitsAreNotLookedAt)
{
    // The problem is too big before the bad value comes: that is what the
    // user is told.
    ExpectRefused(SizedFile(1, 3, MaxVariables + 1, Text({"BOUNDS", Line("UP", "BND", "X1", "abc"), "ENDATA"})),
                  false, true);
}

// ---------------------------------------------------------------------------
// What the reader leaves alone

TEST(MpsFile, FieldsTheFileDoesNotSetKeepTheCallersValues)
{
    auto problem = Previous();
    const auto before = std::make_unique<ProblemData>(*problem);
    const MpsReadResult result = ParseMpsText(SmallHead() + "ENDATA\n", *problem);
    ASSERT_TRUE(result.accepted());
    // Objectives past the file's, slack names, names and coefficients of the
    // columns past the file's.
    EXPECT_EQ(problem->objName[3], before->objName[3]);
    EXPECT_EQ(problem->objSense[3], before->objSense[3]);
    EXPECT_EQ(problem->objCoef[1][3], before->objCoef[1][3]);
    for (int i = 1; i <= MaxConstraints; ++i)
        EXPECT_EQ(problem->slackName[i], before->slackName[i]) << i;
    EXPECT_EQ(problem->vars[3].name, before->vars[3].name);
    EXPECT_EQ(problem->conCoef[1][3], before->conCoef[1][3]);
    EXPECT_EQ(problem->conCoef[2][3], before->conCoef[2][3]);
    // Every bound is the file's, or the default.
    EXPECT_EQ(problem->vars[3].lb, 0);
    EXPECT_EQ(problem->vars[3].ub, kInfiniteBound);
    // Cells of the file's columns are all written, zero where the file has
    // no entry.
    EXPECT_EQ(problem->conCoef[3][1], 0);
    EXPECT_EQ(problem->conCoef[4][1], 0);
}

TEST(MpsFile, ReadsFromDiskAndRefusesAFileThatCannotBeOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("crlf.mps"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kCrLfText);
    f.close();

    Parsed p{{}, NewResetProblem()};
    p.result = ReadMpsFile(path, *p.problem);
    ExpectCrLfProblem(p);

    auto problem = Previous();
    const auto before = std::make_unique<ProblemData>(*problem);
    const MpsReadResult missing = ReadMpsFile(dir.filePath(QStringLiteral("none.mps")), *problem);
    EXPECT_FALSE(missing.accepted());
    EXPECT_TRUE(missing.message.startsWith(QStringLiteral("Input error: cannot open")));
    EXPECT_TRUE(SameProblem(*problem, *before));
    EXPECT_FALSE(ReadMpsFile(QString(), *problem).accepted());
}

TEST(MpsFile, AFifoOrAFileBeyondTheSizeLimitIsRefusedBeforeReading)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.mps"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir.filePath(QStringLiteral("big.mps"));
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kCrLfText + QByteArray(int(kMaxMpsFileBytes + 1 - kCrLfText.size()), '\n'));
    f.close();

    auto problem = Previous();
    const auto before = std::make_unique<ProblemData>(*problem);
    MpsReadResult read = ReadMpsFile(fifo, *problem);
    EXPECT_FALSE(read.converted);
    EXPECT_EQ(read.message, QStringLiteral("Input error: %1 is not a regular file.").arg(fifo));
    read = ReadMpsFile(big, *problem);
    EXPECT_FALSE(read.converted);
    EXPECT_EQ(read.message,
              QStringLiteral("Input error: %1 is larger than any problem within the limits can be (5380096 bytes at most).")
                  .arg(big));
    EXPECT_TRUE(SameProblem(*problem, *before));
}

// Every coefficient of a problem at the limits on a line of its own, the
// longest layout a writer uses, is well within the size limit.
TEST(MpsFile, TheSizeLimitHoldsTheLongestLayoutOfTheLargestProblem)
{
    const auto name = [](char kind, int number) { return kind + QByteArray::number(number); };
    QByteArray rows = "ROWS\n" + Line("N", "R0") + '\n';
    QByteArray columns = "COLUMNS\n";
    QByteArray rhsAndBounds = "RHS\n";
    for (int i = 1; i < MaxConstraints; ++i) {
        rows += Line("L", name('R', i).constData()) + '\n';
        rhsAndBounds += Line("", "RHS", name('R', i).constData(), "1") + '\n';
    }
    rhsAndBounds += "BOUNDS\n";
    for (int j = 1; j <= MaxVariables; ++j) {
        for (int i = 0; i < MaxConstraints; ++i)
            columns += Line("", name('C', j).constData(), name('R', i).constData(), "-1.2345678901") + '\n';
        rhsAndBounds += Line("LO", "BND", name('C', j).constData(), "-1") + '\n';
        rhsAndBounds += Line("UP", "BND", name('C', j).constData(), "1") + '\n';
    }
    const QByteArray text = "NAME          LARGEST\n" + rows + columns + rhsAndBounds + "ENDATA\n";
    const Parsed p = Parse(text);
    ASSERT_TRUE(p.result.accepted()) << p.result.message.toStdString();
    EXPECT_EQ(p.problem->numVariables, MaxVariables);
    EXPECT_LE(4 * text.size(), kMaxMpsFileBytes);
}

TEST(MpsFile, DamagedFilesAreReadWholeOrNotAtAll)
{
    // Bytes replaced by characters that matter to the format, lines cut short
    // or dropped: every result is a complete problem within the limits, or a
    // refusal that leaves the problem as it was.
    const QByteArray original = SmallHead() + Text({"BOUNDS", Line("UP", "BND", "X1", "4"), Line("BV", "BND", "X2"),
                                                    "ENDATA"});
    const QByteArray alphabet = QByteArrayLiteral(" \t\r\n*'.-+eE0123456789NLGEXRCOSTUPFBV");
    std::mt19937_64 rng(424242);
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray text = original;
        std::uniform_int_distribution<int> edits(1, 4);
        for (int e = edits(rng); e > 0; --e) {
            std::uniform_int_distribution<int> at(0, int(text.size()) - 1);
            std::uniform_int_distribution<int> what(0, 2);
            std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
            switch (what(rng)) {
            case 0: text[at(rng)] = alphabet.at(pick(rng)); break;
            case 1: text.remove(at(rng), 1 + at(rng) % 12); break;
            default: text.truncate(at(rng)); break;
            }
            if (text.isEmpty())
                break;
        }
        auto problem = Previous();
        const auto before = std::make_unique<ProblemData>(*problem);
        const MpsReadResult result = ParseMpsText(text, *problem);
        if (result.accepted()) {
            ++accepted;
            EXPECT_GE(problem->numObjectives, 1) << text.toStdString();
            EXPECT_LE(problem->numObjectives, MaxObjectives);
            EXPECT_GE(problem->numConstraints, 0);
            EXPECT_LE(problem->numConstraints + problem->numObjectives, MaxConstraints);
            EXPECT_GE(problem->numVariables, 1);
            EXPECT_LE(problem->numVariables, MaxVariables);
        } else {
            EXPECT_TRUE(SameProblem(*problem, *before)) << text.toStdString();
        }
    }
    // Some damage is harmless (a blank for a blank, a cut after ENDATA).
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 400);
}

// ---------------------------------------------------------------------------
// DeleteConstraintRow

TEST(ProblemRows, DeleteMovesTheRowsBelowUpAndClearsTheLast)
{
    auto problem = RandomProblem(77, 2, 4, 3);
    const auto before = std::make_unique<ProblemData>(*problem);
    DeleteConstraintRow(*problem, 2);
    EXPECT_EQ(problem->numConstraints, 3);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(problem->conCoef[1][j], before->conCoef[1][j]);
        EXPECT_EQ(problem->conCoef[2][j], before->conCoef[3][j]);
        EXPECT_EQ(problem->conCoef[3][j], before->conCoef[4][j]);
        EXPECT_EQ(problem->conCoef[4][j], 0);
    }
    EXPECT_EQ(problem->conType[2], before->conType[3]);
    EXPECT_EQ(problem->conType[3], before->conType[4]);
    EXPECT_EQ(problem->conType[4], ConLessEqual);
    EXPECT_EQ(problem->conRhs[2], before->conRhs[3]);
    EXPECT_EQ(problem->conRhs[3], before->conRhs[4]);
    EXPECT_EQ(problem->conRhs[4], 0);
    // Columns past the problem's stay where they are.
    EXPECT_EQ(problem->conCoef[2][4], before->conCoef[2][4]);
    // Objectives and variables are not touched.
    EXPECT_EQ(problem->objCoef, before->objCoef);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(problem->vars[j].lb, before->vars[j].lb);
        EXPECT_EQ(problem->vars[j].name, before->vars[j].name);
    }
}

TEST(ProblemRows, DeleteTheLastAndTheOnlyRow)
{
    auto problem = RandomProblem(78, 1, 2, 2);
    const auto before = std::make_unique<ProblemData>(*problem);
    DeleteConstraintRow(*problem, 2);
    EXPECT_EQ(problem->numConstraints, 1);
    EXPECT_EQ(problem->conCoef[1], before->conCoef[1]);
    EXPECT_EQ(problem->conCoef[2][1], 0);
    EXPECT_EQ(problem->conRhs[2], 0);
    DeleteConstraintRow(*problem, 1);
    EXPECT_EQ(problem->numConstraints, 0);
    EXPECT_EQ(problem->conCoef[1][1], 0);
    EXPECT_EQ(problem->conType[1], ConLessEqual);
}

TEST(ProblemRows, DeleteOutsideTheRowsChangesNothing)
{
    auto problem = RandomProblem(79, 1, 3, 2);
    const auto before = std::make_unique<ProblemData>(*problem);
    for (int row : {0, -1, 4, MaxConstraints + 1})
        DeleteConstraintRow(*problem, row);
    EXPECT_TRUE(SameProblem(*problem, *before));
    auto empty = NewResetProblem();
    empty->numConstraints = 0;
    DeleteConstraintRow(*empty, 1);
    EXPECT_EQ(empty->numConstraints, 0);
}

TEST(ProblemRows, DeleteAtTheLimit)
{
    auto problem = RandomProblem(80, 1, MaxConstraints, 2);
    const auto before = std::make_unique<ProblemData>(*problem);
    DeleteConstraintRow(*problem, 1);
    EXPECT_EQ(problem->numConstraints, MaxConstraints - 1);
    EXPECT_EQ(problem->conRhs[MaxConstraints - 1], before->conRhs[MaxConstraints]);
    EXPECT_EQ(problem->conRhs[MaxConstraints], 0);
}

} // namespace
