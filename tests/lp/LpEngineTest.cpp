#include "lp/LpEngine.h"
#include "problem/RandomProblems.h"
#include "ScriptedUiPort.h"
#include "flow/PortProgress.h"
#include "lp/BasisEvaluator.h"
#include "lp/LpSolveAdapter.h"
#include "lp/LpTolerances.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace {

// The answer check's own tolerance.
constexpr Real kTol = kResidualTol;

struct Engine {
    std::unique_ptr<LpEngine> owned = std::make_unique<LpEngine>();
    LpTables* lp = &owned->tables;
    BasisEvaluator* evaluator = &owned->evaluator;
};

// Column values 1..lpColumnCount from a read-back.
std::vector<Real> columnValues(const LpTables& lp)
{
    std::vector<Real> x(static_cast<std::size_t>(lp.lpColumnCount) + 1, 0);
    for (int i = 1; i <= lp.lpRowCount; ++i)
        if (lp.isColumn(lp.basicList[i]))
            x[lp.basicList[i]] = lp.basicValues[i];
    for (int j = 1; j < lp.tabCols && lp.nonbasicList[j] != 0; ++j)
        if (lp.isColumn(lp.nonbasicList[j]))
            x[lp.nonbasicList[j]] = lp.nonbasicValues[j];
    return x;
}

Real activity(const LpTables& lp, int r, const std::vector<Real>& x)
{
    Real a = 0;
    for (int j = 1; j <= lp.lpColumnCount; ++j)
        a += lp.lpRows[r].coef[j] * x[j];
    return a;
}

Real objective(const LpTables& lp, const std::vector<Real>& x)
{
    Real z = 0;
    for (int j = 1; j <= lp.lpColumnCount; ++j)
        z += lp.lpObjective[j] * x[j];
    return z;
}

// Largest violation of a row or a bound by x.
Real infeasibility(const LpTables& lp, const std::vector<Real>& x)
{
    Real worst = 0;
    for (int j = 1; j <= lp.lpColumnCount; ++j) {
        worst = std::max(worst, lp.lpBounds[j].lo - x[j]);
        if (lp.lpBounds[j].up < kInfiniteBound)
            worst = std::max(worst, x[j] - lp.lpBounds[j].up);
    }
    for (int r = 1; r <= lp.lpRowCount; ++r) {
        const Real a = activity(lp, r, x);
        const Real b = lp.lpRows[r].rhs;
        const RowType t = lp.lpRows[r].type;
        if (t == kRowLessEqual)
            worst = std::max(worst, a - b);
        else if (t == kRowGreaterEqual)
            worst = std::max(worst, b - a);
        else
            worst = std::max(worst, std::fabs(a - b));
    }
    return worst;
}

std::set<int> basisSet(const LpTables& lp)
{
    return std::set<int>(lp.basicList.begin() + 1, lp.basicList.begin() + 1 + lp.lpRowCount);
}

vectorObj randomWeights(std::mt19937& rng, int p, bool allowZero)
{
    vectorObj w{};
    std::uniform_real_distribution<double> u(0.05, 1.0);
    for (int k = 1; k <= p; ++k)
        w[k] = (allowZero && rng() % 4 == 0) ? 0 : static_cast<Real>(u(rng));
    return w;
}

RandomProblemSpec specForSeed(int seed)
{
    RandomProblemSpec shape;
    shape.objectives = 2 + seed % 4;
    shape.variables = 2 + (seed * 7) % 29;
    shape.constraints = 1 + (seed * 5) % 30;
    shape.fixedVariables = seed % 3 == 0;
    return shape;
}

class WeightedSumProperties : public ::testing::TestWithParam<int> {};

// The reduced costs prove optimality, the evaluator reproduces lp_solve, and
// the tableau columns predict how the basic values move.
TEST_P(WeightedSumProperties, OptimalBasisReadBackIsConsistent)
{
    const int seed = GetParam();
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(seed), specForSeed(seed));
    std::mt19937 rng(static_cast<std::uint32_t>(seed) * 7919u);
    const vectorObj w = randomWeights(rng, ws->numObjectives, false);
    Engine e;
    LpTables& lp = *e.lp;
    BuildWeightedSumProgram(*ws, w, lp);
    ASSERT_EQ(SolveScalarizing(lp, true, 1, *e.evaluator), SolveStatus::Optimal);

    const std::vector<Real> x = columnValues(lp);
    EXPECT_LE(infeasibility(lp, x), kTol);
    const Real z = lp.basicValues[lp.lpRowCount + 1];
    EXPECT_NEAR(z, objective(lp, x), kTol * (1 + std::fabs(z)));

    RecordYAC yac;
    YacColumnMap map{};
    ComputeReducedCosts(*ws, lp, yac, map);
    for (int c = 1; c <= yac.ncolsYAC; ++c) {
        Real weighted = 0;
        for (int k = 1; k <= ws->numObjectives; ++k)
            weighted += w[k] * yac.YAC[k][c];
        EXPECT_GE(weighted, -kTol) << "column " << c << " variable " << lp.nonbasicList[map[c]];
    }

    // The evaluator on lp_solve's basis gives lp_solve's values.
    auto copy = std::make_unique<LpTables>(lp);
    ASSERT_EQ(EvaluateBasis(*copy, 1, *e.evaluator), SolveStatus::Optimal);
    const std::vector<Real> xe = columnValues(*copy);
    for (int j = 1; j <= lp.lpColumnCount; ++j)
        EXPECT_NEAR(xe[j], x[j], kTol) << "column " << j;
    EXPECT_NEAR(copy->basicValues[copy->lpRowCount + 1], z, kTol * (1 + std::fabs(z)));
    EXPECT_EQ(basisSet(*copy), basisSet(lp));
}

// Moving one nonbasic column off its bound changes the basic variables by
// minus the tableau column, and the objective by the objective-row entry:
// checked against a second solve with that column fixed there.
TEST_P(WeightedSumProperties, TableauColumnsPredictAPerturbedSolve)
{
    const int seed = GetParam();
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(seed), specForSeed(seed));
    std::mt19937 rng(static_cast<std::uint32_t>(seed) * 104729u);
    const vectorObj w = randomWeights(rng, ws->numObjectives, false);
    Engine e;
    LpTables& lp = *e.lp;
    BuildWeightedSumProgram(*ws, w, lp);
    ASSERT_EQ(SolveScalarizing(lp, true, 1, *e.evaluator), SolveStatus::Optimal);
    const std::vector<Real> x = columnValues(lp);
    const Real z = lp.basicValues[lp.lpRowCount + 1];
    const int R = lp.tabRows;

    int checked = 0;
    for (int j = 1; j < lp.tabCols; ++j) {
        const int v = lp.nonbasicList[j];
        if (!lp.isColumn(v) || lp.lpBounds[v].lo == lp.lpBounds[v].up)
            continue;
        const Real direction = lp.atUpper[v] ? -1 : 1;
        // Ratio test: how far x_v can move before a basic variable leaves its bounds.
        Real maxStep = 1e-3L;
        for (int i = 1; i < R; ++i) {
            const Real change = -direction * lp.tableau[i][j];
            if (change == 0)
                continue;
            const int b = lp.basicList[i];
            const Real lo = lp.isColumn(b) ? lp.lpBounds[b].lo : 0;
            Real up = lp.isColumn(b) ? lp.lpBounds[b].up : kInfiniteBound;
            if (!lp.isColumn(b) && lp.lpRows[lp.slackRow(b)].type == kRowEqual)
                up = 0;
            const Real room = change > 0 ? up - lp.basicValues[i] : lp.basicValues[i] - lo;
            maxStep = std::min(maxStep, room / std::fabs(change));
        }
        if (maxStep < 1e-6L)
            continue; // a degenerate direction: the basis changes at once
        const Real step = direction * maxStep / 2;

        std::vector<Real> predicted = x;
        predicted[v] += step;
        for (int i = 1; i < R; ++i)
            if (lp.isColumn(lp.basicList[i]))
                predicted[lp.basicList[i]] -= step * lp.tableau[i][j];
        EXPECT_LE(infeasibility(lp, predicted), kTol) << "variable " << v;

        auto fixedLp = std::make_unique<LpTables>(lp);
        fixedLp->lpBounds[v] = LpBound{x[v] + step, x[v] + step};
        ASSERT_EQ(SolveScalarizing(*fixedLp, false, 1, *e.evaluator), SolveStatus::Optimal);
        const Real expected = z + step * lp.tableau[R][j];
        EXPECT_NEAR(fixedLp->basicValues[fixedLp->lpRowCount + 1], expected, kTol * (1 + std::fabs(z)))
            << "variable " << v;
        EXPECT_NEAR(objective(lp, predicted), expected, kTol * (1 + std::fabs(z)));
        if (++checked == 4)
            break;
    }
}

// Starting from the optimal basis gives it back; starting from the optimal
// basis of other weights reaches the same optimum.
TEST_P(WeightedSumProperties, SolveFromBasisReachesTheSameOptimum)
{
    const int seed = GetParam();
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(seed), specForSeed(seed));
    std::mt19937 rng(static_cast<std::uint32_t>(seed) * 31u);
    const vectorObj w1 = randomWeights(rng, ws->numObjectives, false);
    const vectorObj w2 = randomWeights(rng, ws->numObjectives, false);
    Engine e;
    LpTables& lp = *e.lp;
    BuildWeightedSumProgram(*ws, w1, lp);
    ASSERT_EQ(SolveScalarizing(lp, true, 1, *e.evaluator), SolveStatus::Optimal);
    const std::set<int> optimal = basisSet(lp);
    const std::vector<Real> x = columnValues(lp);

    auto again = std::make_unique<LpTables>(lp);
    ASSERT_EQ(SolveFromBasis(*again, true, 1, *e.evaluator), SolveStatus::Optimal);
    EXPECT_EQ(basisSet(*again), optimal);
    const std::vector<Real> x2 = columnValues(*again);
    for (int j = 1; j <= lp.lpColumnCount; ++j)
        EXPECT_NEAR(x2[j], x[j], kTol);

    auto other = std::make_unique<LpTables>();
    BuildWeightedSumProgram(*ws, w2, *other);
    ASSERT_EQ(SolveScalarizing(*other, false, 1, *e.evaluator), SolveStatus::Optimal);
    const Real best = other->basicValues[other->lpRowCount + 1];
    other->basicList = lp.basicList;
    other->atUpper = lp.atUpper;
    ASSERT_EQ(SolveFromBasis(*other, true, 1, *e.evaluator), SolveStatus::Optimal);
    EXPECT_NEAR(other->basicValues[other->lpRowCount + 1], best, kTol * (1 + std::fabs(best)));
}

// alpha = max_k w_k normFactor_k objSense_k (q_k - f_k(x)) at the optimum.
TEST_P(WeightedSumProperties, ReferencePointAlphaIsTheLargestWeightedDeviation)
{
    const int seed = GetParam();
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(seed), specForSeed(seed));
    std::mt19937 rng(static_cast<std::uint32_t>(seed) * 17u);
    const int p = ws->numObjectives;
    for (int k = 1; k <= p; ++k)
        ws->normFactor[k] = (k % 2) ? 1 : 0.5L;
    ws->tchebWeights = randomWeights(rng, p, true);
    ws->tchebWeights[1] = 0.7L; // at least one row
    for (int k = 1; k <= p; ++k)
        ws->refPoint[k] = static_cast<Real>(std::uniform_int_distribution<int>(-20, 60)(rng));
    Engine e;
    LpTables& lp = *e.lp;
    BuildReferencePointProgram(*ws, lp);
    int weighted = 0;
    for (int k = 1; k <= p; ++k)
        weighted += ws->tchebWeights[k] != 0;
    EXPECT_EQ(lp.refRowCount, weighted);
    EXPECT_EQ(lp.lpColumnCount, ws->numVariables + 2);
    ASSERT_EQ(SolveScalarizing(lp, true, -1, *e.evaluator), SolveStatus::Optimal);

    const std::vector<Real> x = columnValues(lp);
    const int n = ws->numVariables;
    const Real alpha = x[n + 1] - x[n + 2];
    Real largest = -1e300L;
    for (int k = 1; k <= p; ++k) {
        if (ws->tchebWeights[k] == 0)
            continue;
        const Real dev = ws->tchebWeights[k] * ws->normFactor[k] * ws->objSense[k] *
                         (ws->refPoint[k] - objectiveValue(*ws, k, x));
        largest = std::max(largest, dev);
    }
    EXPECT_NEAR(alpha, largest, kTol * (1 + std::fabs(largest)));

    RecordYAC yac;
    YacColumnMap map{};
    ComputeReducedCosts(*ws, lp, yac, map);
    EXPECT_LE(yac.ncolsYAC, lp.tabCols - 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, WeightedSumProperties, ::testing::Range(1, 41));

TEST(SolveStatusTest, FailuresGiveTheirStatusAndMessage)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 2;
    ws->objCoef[1] = {0, 1, 1};
    ws->objCoef[2] = {0, 1, -1};
    ws->conCoef[1] = {0, 1, 1};
    ws->conRhs[1] = 2;
    ws->conCoef[2] = {0, 1, 1};
    ws->conType[2] = ConGreaterEqual;
    ws->conRhs[2] = 5;
    ResetComputedState(*ws);
    Engine e;
    ScriptedUiPort ui;
    const vectorObj w{0, 0.5L, 0.5L};

    BuildWeightedSumProgram(*ws, w, *e.lp);
    EXPECT_EQ(SolveScalarizing(*e.lp, true, 1, *e.evaluator), SolveStatus::Infeasible);
    ShowSolveStatus(ui, e.lp->status);

    ws->conType[2] = ConLessEqual; // x1 - x2 <= 5 leaves x1 = x2 free to grow
    ws->conCoef[2] = {0, 1, -1};
    ws->numConstraints = 1;
    ws->conCoef[1] = {0, 1, -1};
    BuildWeightedSumProgram(*ws, w, *e.lp);
    EXPECT_EQ(SolveScalarizing(*e.lp, true, 1, *e.evaluator), SolveStatus::Unbounded);
    ShowSolveStatus(ui, e.lp->status);

    ws->numConstraints = 1;
    BuildWeightedSumProgram(*ws, w, *e.lp);
    e.lp->lpRows[1].type = RowTypeOfCode(5); // not a row type: the model is not built
    EXPECT_EQ(SolveScalarizing(*e.lp, true, 1, *e.evaluator), SolveStatus::Other);
    EXPECT_EQ(e.lp->call, CallStatus::ModelNotBuilt);
    ShowSolveStatus(ui, e.lp->status);
    EXPECT_EQ(SolveForValue(ValueProgram::fromTables(*e.lp), 1).status, SolveStatus::Other);

    ShowSolveStatus(ui, SolveStatus::NumericalFailure);
    ShowSolveStatus(ui, SolveStatus::Optimal);
    EXPECT_EQ(ui.dialogs(), QStringList({"Information: Unfeasible Problem", "Information: Unbounded objective function",
                                         "Error: An internal ERROR of lpsolve55 has occured",
                                         "Error: The simplex did not finish - NUMERICAL ERRORS"}));
}

// max 3x1 + 2x2 s.t. x1 + x2 <= 4, x1 + 3x2 <= 7, x1 <= 3 (a row). The optimum
// is x = (3, 1) with basis {x1, x2, s2}; by hand, x1 = 3 - s3,
// x2 = 1 - s1 + s3, s2 = 1 + 3 s1 - 2 s3 and z = 11 - 2 s1 - s3, so B^-1 N for
// N = {s1, s3} is x1 row (0, 1), x2 row (1, -1), s2 row (-3, 2), and the
// objective row c_j - z_j is (-2, -1).
TEST(Tableau, HandWorkedExample)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 1;
    ws->numVariables = 2;
    ws->numConstraints = 3;
    ws->objCoef[1] = {0, 3, 2};
    ws->conCoef[1] = {0, 1, 1};
    ws->conRhs[1] = 4;
    ws->conCoef[2] = {0, 1, 3};
    ws->conRhs[2] = 7;
    ws->conCoef[3] = {0, 1, 0};
    ws->conRhs[3] = 3;
    ResetComputedState(*ws);
    Engine e;
    LpTables& lp = *e.lp;
    BuildWeightedSumProgram(*ws, vectorObj{0, 1}, lp);
    ASSERT_EQ(SolveScalarizing(lp, true, 1, *e.evaluator), SolveStatus::Optimal);
    EXPECT_EQ(lp.tabRows, 4);
    EXPECT_EQ(lp.tabCols, 3);
    EXPECT_EQ(lp.basicValues[4], 11);

    std::map<int, int> rowOf, colOf;
    for (int i = 1; i <= 3; ++i)
        rowOf[lp.basicList[i]] = i;
    for (int j = 1; j <= 2; ++j)
        colOf[lp.nonbasicList[j]] = j;
    const int x1 = 1, x2 = 2, s1 = 3, s2 = 4, s3 = 5;
    ASSERT_EQ(rowOf.count(x1) + rowOf.count(x2) + rowOf.count(s2), 3u);
    EXPECT_EQ(lp.basicValues[rowOf[x1]], 3);
    EXPECT_EQ(lp.basicValues[rowOf[x2]], 1);
    EXPECT_EQ(lp.basicValues[rowOf[s2]], 1);
    const Real expected[3][2] = {{0, 1}, {1, -1}, {-3, 2}};
    const int basics[3] = {x1, x2, s2};
    for (int b = 0; b < 3; ++b) {
        EXPECT_NEAR(lp.tableau[rowOf[basics[b]]][colOf[s1]], expected[b][0], 1e-12) << b;
        EXPECT_NEAR(lp.tableau[rowOf[basics[b]]][colOf[s3]], expected[b][1], 1e-12) << b;
    }
    EXPECT_NEAR(lp.tableau[4][colOf[s1]], -2, 1e-12);
    EXPECT_NEAR(lp.tableau[4][colOf[s3]], -1, 1e-12);

    RecordYAC yac;
    YacColumnMap map{};
    ComputeReducedCosts(*ws, lp, yac, map);
    EXPECT_EQ(yac.ncolsYAC, 2);
    EXPECT_NEAR(yac.YAC[1][colOf[s1]], 2, 1e-12);
    EXPECT_NEAR(yac.YAC[1][colOf[s3]], 1, 1e-12);
}

// Minimizing x1 + x2 with x1 + x2 >= 2, x1 - x2 = 0: the equality slack is
// dropped from the tableau, the surplus is reported non-negative, and the
// objective row holds c_j - z_j of the minimized objective.
TEST(Tableau, MinimizedProgramWithAnEqualityRow)
{
    auto lp = std::make_unique<LpTables>();
    BasisEvaluator evaluator;
    lp->lpColumnCount = 2;
    lp->lpRowCount = 2;
    lp->lpObjective = {};
    lp->lpObjective[1] = 1;
    lp->lpObjective[2] = 1;
    lp->lpRows[1].coef[1] = 1;
    lp->lpRows[1].coef[2] = 1;
    lp->lpRows[1].type = kRowGreaterEqual;
    lp->lpRows[1].rhs = 2;
    lp->lpRows[2].coef[1] = 1;
    lp->lpRows[2].coef[2] = -1;
    lp->lpRows[2].type = kRowEqual;
    lp->lpRows[2].rhs = 0;
    ASSERT_EQ(SolveScalarizing(*lp, true, -1, evaluator), SolveStatus::Optimal);
    EXPECT_NEAR(lp->basicValues[3], 2, 1e-12);
    // Basis {x1, x2}; nonbasic: the surplus S1 (kept) and t2 (dropped).
    EXPECT_EQ(lp->tabCols, 2);
    EXPECT_LT(lp->tabCols - 1, lp->lpColumnCount);
    EXPECT_EQ(lp->nonbasicList[1], 3);
    EXPECT_EQ(lp->nonbasicList[2], 0);
    // The surplus column is -e1: B^-1 (-e1) = (-0.5, -0.5), and raising the
    // surplus by one raises x1 + x2 by one, so c_j - z_j = 1.
    EXPECT_NEAR(lp->tableau[3][1], 1, 1e-12);
    for (int i = 1; i <= 2; ++i)
        EXPECT_NEAR(lp->tableau[i][1], -0.5, 1e-12);
}

TEST(ReducedCostsTest, AddedColumnsCostNothingAndFixedVariablesAreDropped)
{
    // The first seed whose problem has a fixed variable.
    std::unique_ptr<Workspace> ws;
    int fixed = 0;
    for (std::uint32_t seed = 1; fixed == 0; ++seed) {
        ws = makeRandomProblem(seed, RandomProblemSpec{3, 6, 5, true, false, false, true, false});
        for (int j = 1; j <= ws->numVariables && fixed == 0; ++j)
            if (ws->vars[j].lb == ws->vars[j].ub)
                fixed = j;
    }
    ws->refPoint = {0, 100, 100, 100};
    ws->tchebWeights = {0, 1, 1, 1};
    Engine e;
    BuildReferencePointProgram(*ws, *e.lp);
    ASSERT_EQ(SolveScalarizing(*e.lp, true, -1, *e.evaluator), SolveStatus::Optimal);
    RecordYAC yac;
    YacColumnMap map{};
    ComputeReducedCosts(*ws, *e.lp, yac, map);
    const LpTables& lp = *e.lp;
    for (int c = 1; c <= yac.ncolsYAC; ++c) {
        EXPECT_NE(lp.nonbasicList[map[c]], fixed) << "the fixed variable must not appear";
        if (c > 1) {
            EXPECT_LT(map[c - 1], map[c]);
        }
    }
    int fixedNonbasic = 0;
    for (int j = 1; j < lp.tabCols; ++j) {
        const int v = lp.nonbasicList[j];
        fixedNonbasic += lp.isColumn(v) && v <= ws->numVariables && ws->vars[v].lb == ws->vars[v].ub;
    }
    EXPECT_EQ(yac.ncolsYAC, lp.tabCols - 1 - fixedNonbasic);
    // alpha+ and alpha- (columns n+1, n+2) have no cost: when nonbasic, their
    // reduced cost is z_j alone.
    const int n = ws->numVariables;
    for (int c = 1; c <= yac.ncolsYAC; ++c) {
        const int j = map[c];
        const int v = lp.nonbasicList[j];
        if (v != n + 1 && v != n + 2)
            continue;
        for (int k = 1; k <= ws->numObjectives; ++k) {
            Real z = 0;
            for (int i = 1; i < lp.tabRows; ++i)
                if (lp.basicList[i] <= n)
                    z += ws->objSense[k] * ws->objCoef[k][lp.basicList[i]] * lp.tableau[i][j];
            EXPECT_NEAR(yac.YAC[k][c], std::fabs(z) <= kReducedCostZeroTol ? 0 : z, 1e-12);
        }
    }
}

// A program with no rows at all: lp_solve alone would call it optimal.
TEST(SolveStatusTest, ProgramWithoutRowsIsUnboundedWhenAProfitableColumnHasNoBound)
{
    Engine e;
    LpTables& lp = *e.lp;
    lp.lpColumnCount = 2;
    lp.lpRowCount = 0;
    lp.lpObjective[1] = 1;
    lp.lpObjective[2] = -1;
    lp.lpBounds[1] = LpBound{0, 4};
    EXPECT_EQ(SolveScalarizing(lp, true, 1, *e.evaluator), SolveStatus::Optimal);
    EXPECT_EQ(lp.basicValues[1], 4);
    lp.lpBounds[1] = LpBound{};
    EXPECT_EQ(SolveScalarizing(lp, true, 1, *e.evaluator), SolveStatus::Unbounded);
    EXPECT_EQ(SolveForValue(ValueProgram::fromTables(lp), 1).status, SolveStatus::Unbounded);
    // Minimizing x1 - x2 with x2 free to grow is unbounded too.
    lp.lpBounds[1] = LpBound{0, 4};
    EXPECT_EQ(SolveScalarizing(lp, true, -1, *e.evaluator), SolveStatus::Unbounded);
    lp.lpBounds[2] = LpBound{1, 3};
    EXPECT_EQ(SolveScalarizing(lp, true, -1, *e.evaluator), SolveStatus::Optimal);
    EXPECT_EQ(lp.basicValues[1], -3);
}

TEST(Builders, LimitationRowsAndWeights)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 3;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    ws->objCoef[1] = {0, 1, 2};
    ws->objCoef[2] = {0, 3, 4};
    ws->objSense[2] = -1;
    ws->objCoef[3] = {0, 5, 6};
    ws->conCoef[1] = {0, 1, 1};
    ws->conRhs[1] = 10;
    ws->vars[1].ub = 7;
    ws->normFactor[3] = 0.5L;
    ResetComputedState(*ws);
    ws->limitsActive = true;
    ws->limitOn[2] = true;
    ws->limitValue[2] = 9;
    ws->limitOn[3] = true;
    ws->limitValue[3] = 4;

    auto lp = std::make_unique<LpTables>();
    BuildEConstraintProgram(*ws, 3, *lp);
    ASSERT_EQ(lp->lpRowCount, 3);
    // A minimized objective's limitation reads -f >= -L.
    EXPECT_EQ(lp->lpRows[2].coef[1], -3);
    EXPECT_EQ(lp->lpRows[2].coef[2], -4);
    EXPECT_EQ(lp->lpRows[2].type, kRowGreaterEqual);
    EXPECT_EQ(lp->lpRows[2].rhs, -9);
    EXPECT_EQ(lp->lpRows[3].rhs, 4);
    EXPECT_EQ(lp->lpBounds[1].up, 7);
    EXPECT_EQ(lp->lpBounds[2].up, kInfiniteBound);
    // 0.0001 * 1 - 0.0001 * 3 + 1 * 0.5 * 5.
    EXPECT_NEAR(lp->lpObjective[1], 0.0001L - 0.0003L + 2.5L, 1e-15);

    ws->limitsActive = false;
    BuildWeightedSumProgram(*ws, vectorObj{0, 1, 1, 1}, *lp);
    EXPECT_EQ(lp->lpRowCount, 1);

    // No weights, no reference-point rows.
    ws->tchebWeights = {};
    BuildReferencePointProgram(*ws, *lp);
    EXPECT_EQ(lp->refRowCount, 0);
    EXPECT_EQ(lp->lpRowCount, 1);
}

TEST(Builders, ReferencePointProgramFitsEveryProblemSize)
{
    auto ws = makeRandomProblem(9, RandomProblemSpec{20, MaxVariables, MaxConstraints, true, true, true, false, true});
    for (int k = 1; k <= 20; ++k) {
        ws->tchebWeights[k] = 1;
        ws->refPoint[k] = 1000;
    }
    ws->limitsActive = true;
    for (int k = 1; k <= 20; ++k)
        ws->limitOn[k] = true, ws->limitValue[k] = -1e6L * ws->objSense[k];
    Engine e;
    BuildReferencePointProgram(*ws, *e.lp);
    EXPECT_EQ(e.lp->lpColumnCount, MaxVariables + 2);
    EXPECT_EQ(e.lp->lpRowCount, kMaxLpRows);
    EXPECT_EQ(SolveScalarizing(*e.lp, true, -1, *e.evaluator), SolveStatus::Optimal);
}

} // namespace
