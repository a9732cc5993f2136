#include "nadir/ExactNadir.h"

#include "BruteForceVertices.h"
#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"
#include "TestEngine.h"
#include "nadir/NadirFormat.h"
#include "nadir/NadirMessages.h"
#include "nadir/NadirTolerances.h"
#include "problem/RandomProblems.h"
#include "solutions/Payoff.h"
#include "solutions/Report.h"

#include <gtest/gtest.h>

#include <cmath>

// The exact nadir value against the worst value over the efficient vertices
// found by brute force, and the edge cases of the ascent: the tolerance at
// its two regimes, an infeasible first step, regions without a strictly
// positive weight vector, and Cancel.

namespace {

using bruteforce::at;

QString text(const char* s) { return QString::fromUtf8(s); }

// max x1, max x2 (objective 1 minimized as -x1 when `minimized`) over
// x1 + x2 <= 300 + nadir with x1 in [x1Low, nadir + 250], x2 in [0, 300]:
// the efficient edge runs from (nadir, 300) to (nadir + 250, 50), so the
// nadir value of objective 1 is `nadir` (or -nadir).
std::unique_ptr<Workspace> edgeProblem(Real nadir, Real x1Low, bool minimized = false)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    ws->objSense[1] = minimized ? -1 : 1;
    ws->objSense[2] = 1;
    ws->objCoef[1][1] = minimized ? -1 : 1;
    ws->objCoef[2][2] = 1;
    for (int k = 1; k <= 2; ++k)
        ws->objName[at(k)] = DefaultObjectiveName(k);
    ws->vars[1] = VariableDef{x1Low, nadir + 250, DefaultVariableName(1)};
    ws->vars[2] = VariableDef{0, 300, DefaultVariableName(2)};
    ws->conCoef[1][1] = ws->conCoef[1][2] = 1;
    ws->conType[1] = ConLessEqual;
    ws->conRhs[1] = nadir + 300;
    ws->fileName = QStringLiteral("edge.mlp");
    ResetComputedState(*ws);
    return ws;
}

// ---------------------------------------------------------------- one step

struct StepCase {
    const char* name;
    Real w;          // the value the step starts from
    Real trueNadir;  // of x1
    bool minimized;
    bool found;      // no efficient value worse than w by the tolerance
};

class NadirStep : public ::testing::TestWithParam<StepCase> {};

// With 0.05 % the tolerance is 0.1 at w = 200 (worse means below 199.9) and
// the minimum 0.05 at w = 20 (below 19.95); a minimized objective looks
// above.
TEST_P(NadirStep, LooksForValuesWorseByTheTolerance)
{
    const StepCase& c = GetParam();
    auto ws = edgeProblem(c.trueNadir, 0, c.minimized);
    std::vector<::NadirStep> log;
    const Real w = c.minimized ? -c.w : c.w;
    const NadirArea area = FindNadirArea(*ws, engine(), 1, w, &log);
    EXPECT_TRUE(area.ok);
    EXPECT_EQ(area.found, c.found);
    EXPECT_EQ(ws->nadirAreaBases.empty(), c.found);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].w, w);
    EXPECT_EQ(log[0].basesListed, static_cast<int>(ws->nadirAreaBases.size()));
    EXPECT_TRUE(area.notices.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tolerance, NadirStep,
    ::testing::Values(StepCase{"w200_within", 200, 199.92L, false, true},
                      StepCase{"w200_beyond", 200, 199.85L, false, false},
                      StepCase{"w20_within", 20, 19.96L, false, true},
                      StepCase{"w20_beyond", 20, 19.93L, false, false},
                      StepCase{"minimized_w200_within", 200, 199.92L, true, true},
                      StepCase{"minimized_w200_beyond", 200, 199.85L, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NadirTolerance, IsAPercentOfTheValueButAtLeastTheMinimum)
{
    EXPECT_NEAR(NadirStepTolerance(200, 0.05L), 0.1L, 1e-15L);
    EXPECT_NEAR(NadirStepTolerance(-200, 0.05L), 0.1L, 1e-15L);
    EXPECT_EQ(NadirStepTolerance(20, 0.05L), kNadirMinTolerance);
    EXPECT_NEAR(NadirStepTolerance(20, 10), 2, 1e-15L);
}

// ---------------------------------------------------------------- against brute force

struct RandomCase {
    int seed;
    int method; // 1 or 2
};

class NadirBruteForce : public ::testing::TestWithParam<RandomCase> {};

// For every objective the value found is attained by a stored efficient
// solution and lies within the tolerance of the worst value over all
// efficient vertices; the solutions the ascent adds are efficient.
TEST_P(NadirBruteForce, FindsTheWorstEfficientValueWithinTheTolerance)
{
    const RandomCase& c = GetParam();
    const int seed = c.seed;
    const RandomProblemSpec shape{3 + seed % 2, 2 + seed % 4, 2 + seed % 3, true, seed % 3 == 0, true, false, true};
    auto probe = makeRandomProblem(static_cast<std::uint32_t>(500 + seed), shape);
    const std::vector<bruteforce::Point> efficient = bruteforce::efficientVertices(*probe);
    ASSERT_FALSE(efficient.empty());
    for (int k = 1; k <= probe->numObjectives; ++k) {
        auto ws = makeRandomProblem(static_cast<std::uint32_t>(500 + seed), shape);
        ScriptedUiPort ui;
        ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
        ReportDocument report;
        const ExactNadirResult result = ExactNadirShown(*ws, engine(), ui, c.method == 1 ? k : -k, report);
        ASSERT_EQ(result.end, NadirEnd::Found) << "objective " << k << ": " << ui.dialogs().join('\n').toStdString();
        const Real truth = bruteforce::worstValue(*ws, k, efficient);
        const Real sense = ws->objSense[at(k)];
        const Real w = ws->nadirPoint[at(k)];
        EXPECT_GE(sense * (w - truth), -1e-7L) << "objective " << k << ": beyond the true nadir";
        EXPECT_LE(sense * (w - truth), NadirStepTolerance(w, ws->nadirErrorPct) + 1e-7L) << "objective " << k;
        const int source = ws->nadirSource[at(k)];
        ASSERT_GE(source, 1);
        ASSERT_LE(source, ws->basketCount);
        EXPECT_NEAR(ws->basket[at(source)].f[at(k)], w, 1e-9L);
        for (int i = 1; i <= ws->basketCount; ++i) {
            bruteforce::Point x(at(ws->numVariables) + 1, 0);
            for (int j = 1; j <= ws->numVariables; ++j)
                x[at(j)] = ws->basket[at(i)].x_s[at(j)];
            EXPECT_TRUE(bruteforce::efficientPoint(*ws, x)) << "solution " << i;
        }
        EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: ") + text(msg::kNadirFound)
                                           .arg(ws->objName[at(k)], FixedText(w))
                                           .arg(source));
    }
}

std::vector<RandomCase> randomCases()
{
    std::vector<RandomCase> cases;
    for (int seed = 1; seed <= 24; ++seed)
        cases.push_back(RandomCase{seed, seed % 2 + 1});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Seeds, NadirBruteForce, ::testing::ValuesIn(randomCases()),
                         [](const auto& info) {
                             return "seed" + std::to_string(info.param.seed) + "_method"
                                    + std::to_string(info.param.method);
                         });

// ---------------------------------------------------------------- edge cases of the run

// x1 in [1, 4], x2 in [0, 3], x1 + x2 <= 4: the efficient vertices are (1, 3)
// and (4, 0). With x1Low = 1 no feasible x1 is below 0.95; with x1Low = 0
// (0.95, 3) is efficient for the bounded problem only.
std::unique_ptr<Workspace> smallProblem(Real x1Low)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    ws->objSense[1] = ws->objSense[2] = 1;
    ws->objCoef[1][1] = 1;
    ws->objCoef[2][2] = 1;
    for (int k = 1; k <= 2; ++k)
        ws->objName[at(k)] = DefaultObjectiveName(k);
    ws->vars[1] = VariableDef{x1Low, 4, DefaultVariableName(1)};
    ws->vars[2] = VariableDef{0, 3, DefaultVariableName(2)};
    ws->conCoef[1][1] = ws->conCoef[1][2] = 1;
    ws->conType[1] = ConLessEqual;
    ws->conRhs[1] = 4;
    ws->fileName = QStringLiteral("small.mlp");
    ResetComputedState(*ws);
    return ws;
}

int indexOfX1(const Workspace& ws, Real x1)
{
    for (int i = 1; i <= ws.basketCount; ++i)
        if (std::fabs(ws.basket[at(i)].x_s[1] - x1) < 1e-9L)
            return i;
    return 0;
}

TEST(NadirRun, InfeasibleFirstStepReportsTheStoredValueWithoutALogLine)
{
    auto ws = smallProblem(1);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    const int before = ws->basketCount;
    const int source = indexOfX1(*ws, 1);
    ASSERT_GE(source, 1);
    ui.clear();
    ReportDocument report;
    const ExactNadirResult result = ExactNadirShown(*ws, engine(), ui, -1, report);
    EXPECT_EQ(result.end, NadirEnd::Found);
    EXPECT_EQ(result.computed, 0);
    EXPECT_TRUE(result.log.empty());
    EXPECT_EQ(ws->basketCount, before);
    EXPECT_EQ(ws->nadirSource[1], source);
    EXPECT_EQ(ws->nadirPoint[1], 1);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: FOUND: the nadir for F1 is 1.000 given by the solution %1").arg(source)});
    QStringList lines;
    for (const ReportLine& line : report.lines())
        lines << line.text;
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{QStringLiteral("  "), QStringLiteral(" - Nadir of "), QStringLiteral("F1:  1")}));
    EXPECT_TRUE(report.lines()[2].bold);
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Total time: 0h 0m "))) << lines[3].toStdString();
}

// (0.95, 3) optimizes x1 under the bound x1 <= 0.95, but only for the
// bounded problem: the walk lists no base, and the report has its one step.
TEST(NadirRun, AWalkThatListsNoBaseFindsTheValueWithOneLogLine)
{
    auto ws = smallProblem(0);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    ui.clear();
    ReportDocument report;
    const ExactNadirResult result = ExactNadirShown(*ws, engine(), ui, 1, report);
    EXPECT_EQ(result.end, NadirEnd::Found);
    EXPECT_EQ(result.computed, 0);
    ASSERT_EQ(result.log.size(), 1u);
    EXPECT_EQ(result.log[0].basesListed, 0);
    EXPECT_EQ(ws->nadirPoint[1], 1);
    EXPECT_EQ(report.lines().at(3).text,
              QStringLiteral("[1]: NAlt= %1  NReg= 0  < 1.000").arg(result.log[0].visitedBases, 4));
}

// A problem whose first step lists a base and computes a solution.
struct Ascending {
    std::uint32_t seed;
    RandomProblemSpec shape;
    int k;
};

Ascending problemThatAscends()
{
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
        const RandomProblemSpec shape{3, 4, 3, true, false, true, false, true};
        for (int k = 1; k <= 3; ++k) {
            auto ws = makeRandomProblem(seed, shape);
            ScriptedUiPort ui;
            if (ComputePayoffShown(*ws, engine(), ui) != SolveStatus::Optimal)
                continue;
            ReportDocument report;
            if (ExactNadirShown(*ws, engine(), ui, -k, report).computed >= 1)
                return Ascending{seed, shape, k};
        }
    }
    return Ascending{0, {}, 0};
}

// The first listed region gives no weights: method 2 says so and goes on
// as method 1, which lists every base again and still reaches the nadir.
TEST(NadirRun, Method2WithoutPositiveWeightsContinuesAsMethod1)
{
    const Ascending a = problemThatAscends();
    ASSERT_GT(a.seed, 0u);
    auto ws = makeRandomProblem(a.seed, a.shape);
    const Real truth = bruteforce::worstValue(*ws, a.k, bruteforce::efficientVertices(*ws));
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    ui.clear();
    int calls = 0;
    ExactNadirOptions options;
    options.positiveWeights = [&calls](Workspace& w, int k, const RecordYAC& base) {
        return ++calls > 1 && FindPositiveWeights(w, k, base);
    };
    ReportDocument report;
    const ExactNadirResult result = ExactNadirShown(*ws, engine(), ui, -a.k, report, options);
    EXPECT_TRUE(result.fellBackToMethod1);
    EXPECT_EQ(result.end, NadirEnd::Found);
    // The step is taken again from the same value, listing every base.
    ASSERT_GE(result.log.size(), 2u);
    EXPECT_EQ(result.log[1].w, result.log[0].w);
    EXPECT_GE(result.log[1].basesListed, result.log[0].basesListed);
    EXPECT_EQ(ui.dialogs().first(), QStringLiteral("Error: ") + text(msg::kNoPositiveWeights));
    EXPECT_LE(ws->objSense[at(a.k)] * (ws->nadirPoint[at(a.k)] - truth),
              NadirStepTolerance(ws->nadirPoint[at(a.k)], ws->nadirErrorPct) + 1e-7L);
}

// No listed region has weights: both messages, and the worst stored value
// is recorded.
TEST(NadirRun, NoRegionWithPositiveWeightsRecordsTheWorstStoredValue)
{
    const Ascending a = problemThatAscends();
    ASSERT_GT(a.seed, 0u);
    auto ws = makeRandomProblem(a.seed, a.shape);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    const int before = ws->basketCount;
    ui.clear();
    ExactNadirOptions options;
    options.positiveWeights = [](Workspace&, int, const RecordYAC&) { return false; };
    ReportDocument report;
    const ExactNadirResult result = ExactNadirShown(*ws, engine(), ui, a.k, report, options);
    EXPECT_EQ(result.end, NadirEnd::Found);
    EXPECT_EQ(result.computed, 0);
    EXPECT_EQ(ws->basketCount, before);
    EXPECT_EQ(ws->nadirSource[at(a.k)], result.source);
    EXPECT_EQ(ui.dialogs().mid(0, 2), (QStringList{QStringLiteral("Error: ") + text(msg::kNoPositiveWeights),
                                                   QStringLiteral("Error: ") + text(msg::kNoRegionWithPositiveWeights)}));
}

// ---------------------------------------------------------------- weights inside a region

struct WeightsCase {
    const char* name;
    int k;
    std::vector<std::vector<Real>> columns; // YAC columns, objectives 1..3
    bool exists;
};

class PositiveWeights : public ::testing::TestWithParam<WeightsCase> {};

// Weights exist exactly when some vector with weight 0.00001 on k and
// positive weights elsewhere makes every column's weighted reduced cost
// non-negative; the weights found do, and sum to 1.
TEST_P(PositiveWeights, MakeTheBaseOptimalWhenTheyExist)
{
    const WeightsCase& c = GetParam();
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 3;
    RecordYAC base;
    base.ncolsYAC = static_cast<int>(c.columns.size());
    for (int col = 1; col <= base.ncolsYAC; ++col)
        for (int l = 1; l <= 3; ++l)
            base.YAC[at(l)][at(col)] = c.columns[at(col - 1)][at(l - 1)];
    ASSERT_EQ(FindPositiveWeights(*ws, c.k, base), c.exists);
    if (!c.exists)
        return;
    Real sum = 0;
    for (int l = 1; l <= 3; ++l) {
        EXPECT_GT(ws->sumWeights[at(l)], 0);
        sum += ws->sumWeights[at(l)];
    }
    EXPECT_NEAR(sum, 1, 1e-9L);
    EXPECT_EQ(ws->sumWeights[at(c.k)], kNadirOwnWeight);
    for (int col = 1; col <= base.ncolsYAC; ++col) {
        Real d = 0;
        for (int l = 1; l <= 3; ++l)
            d += ws->sumWeights[at(l)] * base.YAC[at(l)][at(col)];
        EXPECT_GE(d, -1e-9L) << "column " << col;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Regions, PositiveWeights,
    ::testing::Values(
        WeightsCase{"open_cone", 1, {{1, 1, 0}, {0, -1, 2}}, true},
        // A column of zeros restricts nothing.
        WeightsCase{"zero_column", 2, {{-1, 0, 1}, {0, 0, 0}}, true},
        // Only a large weight on k would pay for the others' loss.
        WeightsCase{"needs_weight_on_k", 1, {{1, -1, -1}}, false},
        WeightsCase{"opposed_columns", 3, {{1, -1, 0}, {-1, 1, 0}, {0, -1, -1}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NadirRun, CancelKeepsTheSolutionsAndRecordsNothing)
{
    auto ws = makeRandomProblem(9u, RandomProblemSpec{3, 8, 6, true, true, true, false, true});
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    const int before = ws->basketCount;
    ui.clear();
    ui.cancelAtUpdate = 1;
    ReportDocument report;
    const ExactNadirResult result = ExactNadirShown(*ws, engine(), ui, 1, report);
    EXPECT_EQ(result.end, NadirEnd::Cancelled);
    EXPECT_EQ(ws->nadirSource[1], 0);
    EXPECT_GE(ws->basketCount, before);
    EXPECT_FALSE(ui.taskOpen);
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: ") + text(msg::kNadirStoppedByUser));
}

TEST(NadirRun, LimitationsAreDiscardedFirst)
{
    auto ws = smallProblem(1);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    ws->limitsActive = true;
    ws->limitOn[2] = true;
    ws->limitValue[2] = 2;
    ui.clear();
    ReportDocument report;
    ExactNadirShown(*ws, engine(), ui, 1, report);
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_EQ(ui.dialogs().first(), QStringLiteral("Information: ") + text(msg::kLimitationsDiscarded));
}

} // namespace
