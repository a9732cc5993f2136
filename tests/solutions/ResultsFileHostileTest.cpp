// Results files made to hurt: counts far beyond what the program stores,
// bases that repeat or run on, more regions and edges than can exist. Each
// is refused at the line that gives it away, before memory follows the
// counts, and leaves the workspace as it was.

#include "ResultsFileTestSupport.h"

#include "solutions/ResultsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace results_test;

// The tiny file's lines (1-based numbers in the comments of the cases).
constexpr int kRegionCountLine = 8;
constexpr int kBasisCountLine = 12; // solution 1: two bases on lines 13 and 14
constexpr int kEdgeCountLine = 36;

void SetLine(QStringList& lines, int line, const QString& text) { lines[line - 1] = text; }

// Solution 1 with `bases` as its basis lines.
QStringList WithBases(const QStringList& bases)
{
    QStringList lines = TinyResultsLines();
    SetLine(lines, kBasisCountLine, QString::number(bases.size()));
    lines.erase(lines.begin() + kBasisCountLine, lines.begin() + kBasisCountLine + 2);
    for (int b = 0; b < bases.size(); ++b)
        lines.insert(kBasisCountLine + b, bases[b]);
    return lines;
}

// The refusal of a count on `line` (its first word) that the bytes after
// it cannot hold.
QString BeyondFile(const QStringList& lines, int line, const char* what)
{
    const QString count = lines[line - 1].section(QLatin1Char(' '), 0, 0);
    const qsizetype before = JoinLines(lines.mid(0, line - 1)).size() + count.size();
    return QStringLiteral("%1 %2 cannot fit in the %3 bytes left in the file")
        .arg(count, QLatin1String(what))
        .arg(JoinLines(lines).size() - before);
}

QStringList WithSolutionCount(const QString& count)
{
    QStringList lines = TinyResultsLines();
    SetLine(lines, kRegionCountLine - 1, count + QStringLiteral(" //Number of solutions"));
    return lines;
}

QStringList WithBasisCount(const QString& count)
{
    QStringList lines = TinyResultsLines();
    SetLine(lines, kBasisCountLine, count);
    return lines;
}

struct HostileCase {
    const char* label;
    std::function<QStringList()> lines;
    int line;
    QString reason;
};
void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.label; }

class HostileResultsFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileResultsFile, IsRefusedAtItsLineAndChangesNothing)
{
    auto ws = TinyProblem();
    const QByteArray before = Snapshot(*ws);
    const ResultsFileResult read = ParseResultsText(JoinLines(GetParam().lines()), *ws);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message,
              QStringLiteral("Error in line %1 of the results file: %2").arg(GetParam().line).arg(GetParam().reason));
    EXPECT_EQ(Snapshot(*ws), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileResultsFile,
    testing::Values(
        // The 3 MB file of a million empty bases: refused at its count, before
        // one basis takes memory.
        HostileCase{"AMillionEmptyBases", [] { return WithBases(QStringList(1000000, QStringLiteral("0"))); },
                    kBasisCountLine, QStringLiteral("1000000 bases: a solution has at most 10000")},
        // Counts within the limits that the rest of the file cannot hold: a
        // list of two billion solutions would be allocated before the file
        // ran out.
        HostileCase{"TwoBillionSolutionsInAFewLines", [] { return WithSolutionCount(QStringLiteral("2000000000")); },
                    kRegionCountLine - 1,
                    BeyondFile(WithSolutionCount(QStringLiteral("2000000000")), kRegionCountLine - 1, "solutions")},
        HostileCase{"MoreBasesThanLinesLeft", [] { return WithBasisCount(QStringLiteral("9999")); }, kBasisCountLine,
                    BeyondFile(WithBasisCount(QStringLiteral("9999")), kBasisCountLine, "bases")},
        HostileCase{"EmptyBasesWithinTheCount", [] { return WithBases(QStringList(10000, QStringLiteral("0"))); },
                    kBasisCountLine + 2, QStringLiteral("solution 1 lists the same basis twice")},
        HostileCase{"RepeatedColumn", [] { return WithBases({QStringLiteral("1 4 1 0"), QStringLiteral("3 0")}); },
                    kBasisCountLine + 1, QStringLiteral("column 1 appears twice in one basis")},
        // The first basis takes the second's numbers as its own.
        HostileCase{"BasisRunsOntoTheNextLine", [] { return WithBases({QStringLiteral("1"), QStringLiteral("3 0")}); },
                    kBasisCountLine + 1, QStringLiteral("a basis must stand on its own line, ending with its 0")},
        HostileCase{"MoreRegionsThanBasesCanHave",
                    [] {
                        QStringList lines = TinyResultsLines();
                        SetLine(lines, kRegionCountLine,
                                QStringLiteral("30001 //Number of indiference regions (IR) on the weight space"));
                        return lines;
                    },
                    kRegionCountLine, QStringLiteral("30001 indifference regions: 3 solutions have at most 30000")},
        HostileCase{"MoreEdgesThanPairsOfRegions",
                    [] {
                        QStringList lines = TinyResultsLines();
                        SetLine(lines, kEdgeCountLine, QStringLiteral("7 //Number of edges identified"));
                        return lines;
                    },
                    kEdgeCountLine, QStringLiteral("7 edges: 4 indifference regions have at most 6")}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.label); });

// Regions exist only on the weight segment or triangle: the same work written
// for a problem of one objective cannot be read back into it.
TEST(HostileResultsFile, RegionsOfAProblemWithOneObjectiveAreRefused)
{
    auto written = TinyProblem();
    FillTinyResults(*written);
    written->numObjectives = 1;
    const QByteArray bytes = ResultsFileText(*written);

    auto ws = TinyProblem();
    ws->numObjectives = 1;
    const QByteArray before = Snapshot(*ws);
    const ResultsFileResult read = ParseResultsText(bytes, *ws);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, QStringLiteral("Error in line %1 of the results file: 4 indifference regions: only a problem "
                                           "with 2 or 3 objective functions has them")
                                .arg(kRegionCountLine));
    EXPECT_EQ(Snapshot(*ws), before);
}

// The limit itself is no refusal: 10,000 different bases of at most five of
// the nine variables are read, in their order; one more is refused.
TEST(HostileResultsFile, TenThousandDistinctBasesAreTheLimit)
{
    QStringList bases;
    std::vector<int> columns(9);
    std::iota(columns.begin(), columns.end(), 1);
    do {
        // Each ordering of the first five columns once.
        const QString basis = QStringLiteral("%1 %2 %3 %4 %5 0")
                                  .arg(columns[0]).arg(columns[1]).arg(columns[2]).arg(columns[3]).arg(columns[4]);
        if (bases.isEmpty() || bases.last() != basis)
            bases << basis;
    } while (bases.size() < kMaxBasesPerSolution + 1 && std::next_permutation(columns.begin(), columns.end()));
    ASSERT_EQ(bases.size(), kMaxBasesPerSolution + 1);

    auto ws = TinyProblem();
    const ResultsFileResult read = ParseResultsText(JoinLines(WithBases(bases.mid(0, kMaxBasesPerSolution))), *ws);
    ASSERT_TRUE(read.ok) << read.message.toStdString();
    ASSERT_EQ(ws->basket[1].vbs.size(), std::size_t(kMaxBasesPerSolution));
    EXPECT_EQ(BasisText(ws->basket[1].vbs.back()), QByteArray(bases[kMaxBasesPerSolution - 1].toLatin1() + ' '));

    auto again = TinyProblem();
    EXPECT_FALSE(ParseResultsText(JoinLines(WithBases(bases)), *again).ok);
}

} // namespace
