// The results file text on a small workspace set by hand: the exact layout,
// reading it back, and every way a damaged or foreign file is refused. No
// solver is involved, so these tests also run under AddressSanitizer.

#include "ResultsFileTestSupport.h"

#include "solutions/ResultsFile.h"
#include "base/TextFileFormat.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using namespace results_test;

QByteArray TinyFile() { return JoinLines(TinyResultsLines()); }

QString LineError(int line, const char* reason)
{
    return QStringLiteral("Error in line %1 of the results file: %2").arg(line).arg(QString::fromUtf8(reason));
}

// Refused with `message`, and the workspace is exactly as before.
void ExpectRefused(const QByteArray& bytes, Workspace& ws, const QString& message = QString())
{
    const QByteArray before = Snapshot(ws);
    const ResultsFileResult result = ParseResultsText(bytes, ws);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.opened);
    if (!message.isEmpty())
        EXPECT_EQ(result.message, message);
    else
        EXPECT_TRUE(result.message.startsWith(QStringLiteral("Error in line "))) << result.message.toStdString();
    EXPECT_EQ(Snapshot(ws), before) << "the refused file changed the workspace";
}

// What an accepted file must leave: a consistent workspace whose every
// region belongs to a solution and whose pay-off rows name stored solutions.
void ExpectConsistent(const Workspace& ws)
{
    ASSERT_TRUE(ws.isConsistent());
    ASSERT_GE(ws.basketCount, 1);
    std::set<int> reached;
    for (int i = 1; i <= ws.basketCount; ++i) {
        EXPECT_LE(ws.basket[static_cast<std::size_t>(i)].cor, 0xFFFFFFu);
        for (int r = ws.basket[static_cast<std::size_t>(i)].indRegIndif; r != 0;
             r = ws.regions[static_cast<std::size_t>(r)].IndiceProx)
            reached.insert(r);
    }
    EXPECT_EQ(static_cast<int>(reached.size()), ws.regionCount);
    for (int k = 1; k <= ws.numObjectives; ++k)
        EXPECT_GE(ws.payoff[k].basketIndex, 1);
    EXPECT_EQ(ws.historyCount, 1);
}

// ---------------------------------------------------------------------------
// Layout

TEST(ResultsFileLayout, TinyWorkspaceIsWrittenLineByLineAsTheLayoutSays)
{
    auto ws = TinyProblem();
    FillTinyResults(*ws);
    const QByteArray bytes = ResultsFileText(*ws);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    // Every line end is CR LF.
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    const QStringList expected = TinyResultsLines();
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(ResultsFileLayout, ANegativeFirstCoordinateStaysApartFromTheVertexCount)
{
    auto ws = TinyProblem();
    FillTinyResults(*ws);
    ws->regions[2].Regiao.vertices[1].x = -1e-17L;
    const QByteArray bytes = ResultsFileText(*ws);
    const QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[25], QStringLiteral("   2 -1.00000000000000E-0017  0.00000000000000E+0000   "
                                        "5.00000000000000E-0001  0.00000000000000E+0000      0"));

    auto spaced = TinyProblem();
    ASSERT_TRUE(ParseResultsText(bytes, *spaced).ok);
    EXPECT_EQ(FormatFileReal(spaced->regions[2].Regiao.vertices[1].x), QStringLiteral("-1.00000000000000E-0017"));
    EXPECT_EQ(ResultsFileText(*spaced), bytes);

    // Written without the blank, the count and the coordinate are one token.
    QByteArray glued = bytes;
    glued.replace("   2 -1.00000000000000E-0017", "   2-1.00000000000000E-0017");
    ASSERT_NE(glued, bytes);
    auto fromGlued = TinyProblem();
    const ResultsFileResult read = ParseResultsText(glued, *fromGlued);
    ASSERT_TRUE(read.ok) << read.message.toStdString();
    EXPECT_EQ(Snapshot(*fromGlued), Snapshot(*spaced));
}

// ---------------------------------------------------------------------------
// Import

TEST(ResultsFileImport, TinyFileIntoAFreshProblemGivesBackEveryPart)
{
    auto original = TinyProblem();
    FillTinyResults(*original);
    auto ws = TinyProblem();
    const ResultsFileResult read = ParseResultsText(TinyFile(), *ws);
    ASSERT_TRUE(read.ok) << read.message.toStdString();

    EXPECT_EQ(ResultsFileText(*ws), TinyFile());
    EXPECT_EQ(ws->basketCount, 3);
    EXPECT_EQ(ws->regionCount, 4);
    EXPECT_EQ(ws->edgeCount, 1);
    for (int i = 1; i <= 3; ++i) {
        const SolSolutionBasket& got = ws->basket[static_cast<std::size_t>(i)];
        const SolSolutionBasket& want = original->basket[static_cast<std::size_t>(i)];
        EXPECT_EQ(ExactAll(got.f, 2), ExactAll(want.f, 2)) << i;
        EXPECT_EQ(ExactAll(got.x_s, 3), ExactAll(want.x_s, 3)) << i;
        ASSERT_EQ(got.vbs.size(), want.vbs.size()) << i;
        for (std::size_t b = 0; b < want.vbs.size(); ++b)
            EXPECT_EQ(got.vbs[b], want.vbs[b]) << i;
        EXPECT_EQ(got.cor, want.cor) << i;
        EXPECT_EQ(got.indRegIndif, want.indRegIndif) << i;
    }
    // Solution 3 was stored without a basis: one empty list.
    EXPECT_EQ(ws->basket[3].vbs[0][1], 0);
    for (int r = 1; r <= 4; ++r) {
        const UmaOuMaisRegioes& got = ws->regions[static_cast<std::size_t>(r)];
        const UmaOuMaisRegioes& want = original->regions[static_cast<std::size_t>(r)];
        EXPECT_EQ(got.IndiceProx, want.IndiceProx) << r;
        EXPECT_EQ(got.Regiao.Numvertices, 2) << r;
        for (int v = 1; v <= 2; ++v) {
            EXPECT_EQ(FormatFileReal(got.Regiao.vertices[v].x), FormatFileReal(want.Regiao.vertices[v].x));
            EXPECT_EQ(got.Regiao.vertices[v].y, 0);
        }
        // Areas are not in the file.
        EXPECT_EQ(got.AreaPolig, 0) << r;
    }
    EXPECT_EQ(ws->edges[1].Sol1, 1);
    EXPECT_EQ(ws->edges[1].Sol2, 2);
    EXPECT_EQ(FormatFileReal(ws->normFactor[1]), QStringLiteral(" 3.16227766016838E-0001"));
    EXPECT_NEAR(static_cast<double>(ws->normFactor[2]), 0.447213595499958, 1e-15);

    // The pay-off table comes from the basket entries the indices name.
    EXPECT_TRUE(ws->payoffComputed);
    EXPECT_EQ(ws->payoff[1].basketIndex, 1);
    EXPECT_EQ(ws->payoff[2].basketIndex, 2);
    EXPECT_EQ(ws->payoff[1].f[1], 30);
    EXPECT_EQ(ws->payoff[1].f[2], 10);
    EXPECT_EQ(ws->payoff[2].f[1], 0);
    EXPECT_EQ(ws->payoff[2].f[2], 0);
    EXPECT_EQ(ws->refPoint[1], 30);
    EXPECT_EQ(ws->refPoint[2], 0);

    // One history record: the last solution without its basis.
    ASSERT_EQ(ws->historyCount, 1);
    const ComputedSolution& record = ws->history.front();
    EXPECT_EQ(record.f[1], 20);
    EXPECT_EQ(record.f[2], 15);
    EXPECT_EQ(record.x_s[1], 5);
    EXPECT_EQ(record.x_s[2], 5);
    EXPECT_EQ(record.basis[1], 0);
    EXPECT_EQ(record.cor, kStoredComputedColor);
    EXPECT_EQ(record.basketIndex, 3);
    EXPECT_EQ(ws->currentF[1], 20);
    EXPECT_EQ(ws->currentXS[2], 5);
}

TEST(ResultsFileImport, WhatReferredToTheOldBasketGoes)
{
    auto ws = OtherWorkOnTinyProblem();
    ASSERT_EQ(ws->historyCount, 1);
    ws->history.front().basketIndex = 1;
    AddHistoryRecord(*ws, ws->basket[1].vbs[0], ws->basket[1].f, ws->basket[1].x_s);
    ASSERT_TRUE(ParseResultsText(TinyFile(), *ws).ok);
    EXPECT_EQ(ws->historyCount, 1);
    EXPECT_EQ(ws->history.front().basketIndex, 3);
    EXPECT_EQ(ws->nadirSource[1], 0);
    EXPECT_EQ(ws->nadirSource[2], 0);
    EXPECT_TRUE(ws->alternatives.empty());
    EXPECT_EQ(ws->alternativeCount, 0);
    ExpectConsistent(*ws);
}

TEST(ResultsFileImport, ExtraBlanksAndLineBreaksInsideALineOfNumbersAreAccepted)
{
    QStringList lines = TinyResultsLines();
    lines[1] = QStringLiteral("  3.00000000000000E+0001\t\r\n\r\n   0.00000000000000E+0000  ");
    lines[10] = QStringLiteral("1.0E+0001\t0\r\n0.0");
    lines[12] = QStringLiteral("\t1   0  "); // a basis keeps to its line, blanks or not
    lines[36] = QStringLiteral("1\t 2  ");
    auto reference = TinyProblem();
    ASSERT_TRUE(ParseResultsText(TinyFile(), *reference).ok);
    auto ws = TinyProblem();
    const ResultsFileResult read = ParseResultsText(JoinLines(lines), *ws);
    ASSERT_TRUE(read.ok) << read.message.toStdString();
    EXPECT_EQ(Snapshot(*ws), Snapshot(*reference));
}

TEST(ResultsFileImport, AMissingLineBreakIsRefused)
{
    QStringList lines = TinyResultsLines();
    lines[0] += QLatin1Char(' ') + lines[1];
    lines.removeAt(1);
    auto ws = OtherWorkOnTinyProblem();
    ExpectRefused(JoinLines(lines), *ws, LineError(2, "\"//(Aprox)Nadir\" is not a valid number"));
}

// ---------------------------------------------------------------------------
// Damaged files: one line of the tiny file replaced.

struct Damage {
    const char* what;
    int line;                // 1-based line of the tiny file
    const char* replacement; // the whole new line
    int errorLine;
    const char* reason;
};

std::ostream& operator<<(std::ostream& os, const Damage& d) { return os << d.what; }

class DamagedFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, IsRefusedNamingTheLineAndChangesNothing)
{
    const Damage& d = GetParam();
    QStringList lines = TinyResultsLines();
    ASSERT_LE(d.line, lines.size());
    lines[d.line - 1] = QString::fromLatin1(d.replacement);
    auto ws = OtherWorkOnTinyProblem();
    ExpectRefused(JoinLines(lines), *ws, LineError(d.errorLine, d.reason));
}

// Region lines of the tiny file with another count or next index.
#define SEGMENT_LINE(count, next)                                                                                   \
    "   " count " 5.00000000000000E-0001  0.00000000000000E+0000   6.00000000000000E-0001  0.00000000000000E+0000" \
    "      " next

const Damage kDamages[] = {
    {"no solutions", 7, "0 //Number of solutions", 7, "0 solutions: the file must hold at least one"},
    {"negative solution count", 7, "-2 //Number of solutions", 7, "-2 solutions: the file must hold at least one"},
    {"solution count beyond 32 bits", 7, "99999999999 //Number of solutions", 7,
     "99999999999 is not a valid number of solutions"},
    {"solution count too large for any integer", 7, "99999999999999999999 //x", 7,
     "\"99999999999999999999\" is not a valid number"},
    {"one solution more than the blocks", 7, "4 //Number of solutions", 33,
     "\"//Indices\" is not a valid number"},
    {"one solution less than the blocks", 7, "2 //Number of solutions", 27,
     "a heading line starting with \"//\" was expected"},
    {"negative region count", 8, "-1 //regions", 8, "-1 is not a valid number of indifference regions"},
    {"a region on no chain", 8, "5 //regions", 8, "only 4 of the 5 regions belong to a solution"},
    {"a chain pointing past the regions", 8, "3 //regions", 18, "region 4 does not exist: the file has 3 regions"},
    {"first region past the regions", 16, "5", 16, "region 5 does not exist: the file has 4 regions"},
    {"negative first region", 16, "-1", 16, "region -1 does not exist: the file has 4 regions"},
    {"a chain that loops", 19, SEGMENT_LINE("2", "1"), 19, "the region chain of solution 1 comes back to region 1"},
    {"a chain that loops on itself", 17,
     "   2 7.50000000000000E-0001  0.00000000000000E+0000   1.00000000000000E+0000  0.00000000000000E+0000      1",
     17, "the region chain of solution 1 comes back to region 1"},
    {"a chain pointing past the region count", 19, SEGMENT_LINE("2", "9"), 19,
     "region 9 does not exist: the file has 4 regions"},
    {"a region of two solutions", 25, "3", 25, "region 3 already belongs to solution 1"},
    {"a vertex beyond the weights", 19,
     "   2 5.00000000000000E-0001  0.00000000000000E+0000   1.00000000000000E+0010  0.00000000000000E+0000      0", 19,
     "1.00000000000000E+0010 is not a weight: region vertices lie in [0, 1]"},
    {"a first vertex below the weights", 19,
     "   2-5.00000000000000E-0001  0.00000000000000E+0000   6.00000000000000E-0001  0.00000000000000E+0000      0", 19,
     "2-5.00000000000000E-0001 is not a weight: region vertices lie in [0, 1]"},
    {"31 vertices", 19, SEGMENT_LINE("31", "0"), 19, "31 vertices: a region has 0 to 30"},
    {"negative vertex count", 19, SEGMENT_LINE("-1", "0"), 19, "-1 vertices: a region has 0 to 30"},
    {"fewer vertices than written", 19, SEGMENT_LINE("1", "0"), 19,
     "\"6.00000000000000E-0001\" is not a valid number"},
    {"no bases", 12, "0", 12, "0 bases: a solution has at least one"},
    {"a column past the variables", 13, "1 10 0", 13, "10 is not a column of this problem (1 to 9)"},
    {"a negative column", 13, "-3 0", 13, "-3 is not a column of this problem (1 to 9)"},
    {"a basis without its terminator", 23, "3", 23, "a basis must stand on its own line, ending with its 0"},
    {"a negative colour", 15, "-1", 15, "-1 is not a colour"},
    {"a colour beyond 24 bits", 15, "16777216", 15, "16777216 is not a colour"},
    {"pay-off index 0", 34, "0", 34, "pay-off solution 0 is not in the basket (1 to 3)"},
    {"pay-off index past the basket", 35, "4", 35, "pay-off solution 4 is not in the basket (1 to 3)"},
    {"negative edge count", 36, "-1 //edges", 36, "-1 is not a valid number of edges"},
    {"more edges than lines", 36, "2 //edges", 37, "the file ends before the results are complete"},
    {"edge past the basket", 37, "1  4", 37, "solution 4 of an edge is not in the basket (1 to 3)"},
    {"edge with solution 0", 37, "0  2", 37, "solution 0 of an edge is not in the basket (1 to 3)"},
    {"a third solution on an edge line", 37, "1  2  3", 37, "\"3\" follows the values of this line"},
    {"garbage in a line of reals", 2, " 3.0E+0001 abc", 2, "\"abc\" is not a valid number"},
    {"garbage after a basis", 13, "1 0 junk", 13, "\"junk\" follows the values of this line"},
    {"garbage after a count", 7, "3 solutions", 7, "\"solutions\" follows the values of this line"},
    {"a real where a count belongs", 12, "2.0", 12, "\"2.0\" is not a valid number"},
    {"an infinite value", 4, " 1e99999 0", 4, "\"1e99999\" is not a valid number"},
    {"not a number", 6, " NAN 1", 6, "\"NAN\" is not a valid number"},
    {"a heading that is not one", 9, "Solutions", 9, "a heading line starting with \"//\" was expected"},
    {"an empty first line", 1, "", 1, "a heading line starting with \"//\" was expected"},
    {"more objective values than the problem has", 2, " 3.0E+0001 0 7", 2,
     "more than 2 values: the file is of a problem with another number of objective functions"},
    {"more values of x than the problem has", 11, " 10 0 0 0", 11,
     "more than 3 values: the file is of a problem with another number of variables or constraints"},
};

INSTANTIATE_TEST_SUITE_P(Tiny, DamagedFile, testing::ValuesIn(kDamages));

// One constraint and two objectives: the widest program has 1 + 2 + 2 rows,
// so a basis lists at most 5 of its 9 variables.
TEST(DamagedFile, ABasisLongerThanTheWidestProgramHasRowsIsRefused)
{
    QStringList lines = TinyResultsLines();
    lines[12] = QStringLiteral("9 1 2 3 4 5 0");
    auto ws = OtherWorkOnTinyProblem();
    ExpectRefused(JoinLines(lines), *ws, LineError(13, "a basis has at most 5 columns"));
    lines[12] = QStringLiteral("9 1 2 3 4 0");
    auto fits = TinyProblem();
    ASSERT_TRUE(ParseResultsText(JoinLines(lines), *fits).ok);
    EXPECT_EQ(fits->basket[1].vbs[0][5], 4);
    EXPECT_EQ(fits->basket[1].vbs[0][6], 0);
}

TEST(DamagedFile, TextAfterTheLastEdgeIsRefused)
{
    auto ws = OtherWorkOnTinyProblem();
    ExpectRefused(TinyFile() + "garbage\r\n", *ws, LineError(38, "unexpected text after the last edge"));
    // Blank lines are no text.
    auto blank = TinyProblem();
    EXPECT_TRUE(ParseResultsText(TinyFile() + " \r\n\t\r\n", *blank).ok);
}

TEST(DamagedFile, ALastLineWithoutItsLineEndMayBeCutShort)
{
    QByteArray bytes = TinyFile();
    bytes.chop(2);
    auto ws = OtherWorkOnTinyProblem();
    ExpectRefused(bytes, *ws, LineError(37, "the last line has no line end, so the file may be cut short"));
}

TEST(DamagedFile, TruncatedAtEveryLine)
{
    const QStringList lines = TinyResultsLines();
    auto ws = OtherWorkOnTinyProblem();
    for (int kept = 0; kept < lines.size(); ++kept) {
        SCOPED_TRACE(kept);
        const QByteArray whole = JoinLines(lines.mid(0, kept));
        ExpectRefused(whole, *ws);
        // The same, cut in the middle of the next line.
        ExpectRefused(whole + lines[kept].left(lines[kept].size() / 2).toLatin1(), *ws);
    }
}

TEST(DamagedFile, TruncatedAtEveryByte)
{
    const QByteArray bytes = TinyFile();
    auto ws = OtherWorkOnTinyProblem();
    // Only the last LF may go: the CR before it still ends the line.
    for (int size = 0; size < bytes.size() - 1; ++size) {
        SCOPED_TRACE(size);
        ExpectRefused(bytes.left(size), *ws);
    }
    auto whole = TinyProblem();
    ASSERT_TRUE(ParseResultsText(bytes.left(bytes.size() - 1), *whole).ok);
    EXPECT_EQ(ResultsFileText(*whole), bytes);
}

TEST(DamagedFile, EveryNumberReplacedByGarbageIsRefusedOnItsLine)
{
    const QStringList lines = TinyResultsLines();
    auto ws = OtherWorkOnTinyProblem();
    int replaced = 0;
    for (int l = 0; l < lines.size(); ++l) {
        const QStringList words = lines[l].split(QLatin1Char(' '));
        for (int w = 0; w < words.size(); ++w) {
            if (words[w].isEmpty() || words[w].startsWith(QLatin1String("//")) || words[w] == QLatin1String("//Number"))
                continue;
            if (lines[l].startsWith(QLatin1String("//")) || (w > 0 && lines[l].contains(QLatin1String("//"))))
                continue;
            QStringList damaged = words;
            damaged[w] = QStringLiteral("1x");
            QStringList copy = lines;
            copy[l] = damaged.join(QLatin1Char(' '));
            SCOPED_TRACE(copy[l].toStdString());
            ExpectRefused(JoinLines(copy), *ws, LineError(l + 1, "\"1x\" is not a valid number"));
            ++replaced;
        }
    }
    EXPECT_EQ(replaced, 68);
}

TEST(DamagedFile, FilesOfProblemsOfOtherSizes)
{
    // Three objectives: the ideal line of its file has one value too many.
    auto three = TinyProblem();
    three->numObjectives = 3;
    FillTinyResults(*three);
    three->idealPoint[3] = 4;
    three->payoff[3].basketIndex = 3;
    auto ws = OtherWorkOnTinyProblem();
    ExpectRefused(ResultsFileText(*three), *ws,
                  LineError(2, "more than 2 values: the file is of a problem with another number of objective "
                               "functions"));
    // And the two-objective file lacks a value for the third objective.
    ExpectRefused(TinyFile(), *three, LineError(3, "\"//(Aprox)Nadir\" is not a valid number"));

    // One variable more: each x line has a value more than the tiny problem.
    auto wider = TinyProblem();
    wider->numVariables = 3;
    FillTinyResults(*wider);
    ExpectRefused(ResultsFileText(*wider), *ws,
                  LineError(11, "more than 3 values: the file is of a problem with another number of variables or "
                                "constraints"));
    ExpectRefused(TinyFile(), *wider);
    // One constraint less.
    auto fewer = TinyProblem();
    fewer->numConstraints = 0;
    ExpectRefused(TinyFile(), *fewer);
}

// Random damage of a few bytes: every answer is either a refusal that left
// the workspace alone or a complete, consistent import; never a crash.
class RandomlyDamagedFile : public testing::TestWithParam<int> {};

TEST_P(RandomlyDamagedFile, AnswersAndNeverHalfReads)
{
    std::mt19937 random(static_cast<unsigned>(GetParam()));
    const QByteArray bytes = TinyFile();
    const char alphabet[] = "0123456789-+.E \t\r\n/x";
    std::uniform_int_distribution<int> position(0, bytes.size() - 1);
    std::uniform_int_distribution<int> character(0, int(sizeof alphabet) - 2);
    std::uniform_int_distribution<int> changes(1, 3);
    int accepted = 0;
    auto ws = OtherWorkOnTinyProblem();
    for (int round = 0; round < 250; ++round) {
        QByteArray damaged = bytes;
        for (int c = changes(random); c > 0; --c)
            damaged[position(random)] = alphabet[character(random)];
        const QByteArray before = Snapshot(*ws);
        const ResultsFileResult result = ParseResultsText(damaged, *ws);
        if (result.ok) {
            ++accepted;
            ExpectConsistent(*ws);
            ws = OtherWorkOnTinyProblem();
        } else {
            EXPECT_TRUE(result.message.startsWith(QStringLiteral("Error in line "))) << result.message.toStdString();
            EXPECT_EQ(Snapshot(*ws), before);
        }
    }
    // Changes inside headings, notes and digits of values are accepted.
    EXPECT_GT(accepted, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomlyDamagedFile, testing::Values(1, 2, 3, 4, 5, 6));

} // namespace
