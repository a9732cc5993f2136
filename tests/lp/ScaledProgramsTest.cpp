#include "lp/LpEngine.h"
#include "problem/RandomProblems.h"
#include "lp/BasisEvaluator.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ScalarizingPrograms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

// Badly scaled programs against the same programs well scaled: the engine
// either gives the well-scaled answer (in the scaled program's units) or
// says Imprecise, never another optimum and never a wrong Unbounded or
// Infeasible.

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Column values 1..lpColumnCount from a read-back.
std::vector<Real> columnValues(const LpTables& lp)
{
    std::vector<Real> x(at(lp.lpColumnCount) + 1, 0);
    for (int i = 1; i <= lp.lpRowCount; ++i)
        if (lp.isColumn(lp.basicList[at(i)]))
            x[at(lp.basicList[at(i)])] = lp.basicValues[at(i)];
    for (int j = 1; j < lp.tabCols && lp.nonbasicList[at(j)] != 0; ++j)
        if (lp.isColumn(lp.nonbasicList[at(j)]))
            x[at(lp.nonbasicList[at(j)])] = lp.nonbasicValues[at(j)];
    return x;
}

Real objectiveValue(const LpTables& lp) { return lp.basicValues[at(lp.lpRowCount + 1)]; }

// maximize x1 + x2 s.t. s [1 2; 3 1] x <= s [3; 4]: the optimum is 2 at
// x = (1, 1) for every s > 0 (both rows tight: x1 + 2 x2 = 3, 3 x1 + x2 = 4).
std::unique_ptr<LpTables> smallScaledExample(Real s)
{
    auto lp = std::make_unique<LpTables>();
    lp->lpColumnCount = 2;
    lp->lpRowCount = 2;
    lp->lpObjective[1] = 1;
    lp->lpObjective[2] = 1;
    const Real a[2][2] = {{1, 2}, {3, 1}};
    const Real b[2] = {3, 4};
    for (int r = 1; r <= 2; ++r) {
        lp->lpRows[at(r)].coef[1] = s * a[r - 1][0];
        lp->lpRows[at(r)].coef[2] = s * a[r - 1][1];
        lp->lpRows[at(r)].rhs = s * b[r - 1];
    }
    return lp;
}

// The answer at the optimal basis {x1, x2}: objective 2, x = (1, 1), and
// the tableau column of s1 is B^-1 e1 = (-1, 3) / (5 s) in the rows of x1
// and x2 (B^-1 = [-1 2; 3 -1] / (5 s)).
void expectOptimumOfTheExample(const LpTables& lp, Real s)
{
    EXPECT_NEAR(static_cast<double>(objectiveValue(lp)), 2, 1e-9);
    const std::vector<Real> x = columnValues(lp);
    EXPECT_NEAR(static_cast<double>(x[1]), 1, 1e-9);
    EXPECT_NEAR(static_cast<double>(x[2]), 1, 1e-9);
    const int s1 = 3;
    int col = 0;
    for (int j = 1; j < lp.tabCols; ++j)
        col = lp.nonbasicList[at(j)] == s1 ? j : col;
    ASSERT_NE(col, 0);
    for (int i = 1; i <= 2; ++i) {
        const Real expected = (lp.basicList[at(i)] == 1 ? -1 : 3) / (5 * s);
        EXPECT_NEAR(static_cast<double>(lp.tableau[at(i)][at(col)] / expected), 1, 1e-9) << "row " << i;
    }
}

class SmallScaledExample : public ::testing::TestWithParam<int> {};

// Scaled before lp_solve and the evaluator see it, the program is solved
// exactly at every s (the checks would allow Imprecise; it is not needed).
TEST_P(SmallScaledExample, GivesTwoAtOneOneAtEveryScale)
{
    const Real s = std::pow(10.0L, -GetParam());
    auto engine = std::make_unique<LpEngine>();
    LpTables& lp = engine->tables;
    lp = *smallScaledExample(s);
    ASSERT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Optimal);
    expectOptimumOfTheExample(lp, s);

    lp = *smallScaledExample(s);
    lp.basicList[1] = 1;
    lp.basicList[2] = 2;
    ASSERT_EQ(EvaluateBasis(lp, 1, engine->evaluator), SolveStatus::Optimal);
    expectOptimumOfTheExample(lp, s);

    const ValueSolution value = SolveForValue(ValueProgram::fromTables(*smallScaledExample(s)), 1);
    ASSERT_EQ(value.status, SolveStatus::Optimal);
    EXPECT_NEAR(static_cast<double>(value.objective), 2, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(PowersOfTen, SmallScaledExample, ::testing::Range(0, 10));

// Only the objective far from 1: lp_solve would take reduced costs of 1e-9
// for zeros and stop at once.
TEST(SmallScaledExample, ObjectiveFarFromOneAlone)
{
    auto engine = std::make_unique<LpEngine>();
    for (const Real g : {1e-9L, 1e9L}) {
        LpTables& lp = engine->tables;
        lp = *smallScaledExample(1);
        lp.lpObjective[1] = lp.lpObjective[2] = g;
        ASSERT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Optimal);
        EXPECT_NEAR(static_cast<double>(objectiveValue(lp) / g), 2, 1e-9) << static_cast<double>(g);
        const std::vector<Real> x = columnValues(lp);
        EXPECT_NEAR(static_cast<double>(x[1]), 1, 1e-9);
        // The objective row in the program's units: s1 costs g (-1 + 3) / 5.
        for (int j = 1; j < lp.tabCols; ++j) {
            if (lp.nonbasicList[at(j)] == 3) {
                EXPECT_NEAR(static_cast<double>(lp.tableau[3][at(j)] / g), -0.4, 1e-9);
            }
        }
    }
}

// A random program and its rows, columns and objective scaled by factors
// spread over 1e-9..1e9: y = x / d, rows times r, objective times g.
struct ScaledTwin {
    std::unique_ptr<LpTables> plain = std::make_unique<LpTables>();
    std::unique_ptr<LpTables> scaled = std::make_unique<LpTables>();
    std::vector<Real> colFactor; // d
    Real objectiveFactor = 1;    // g
};

ScaledTwin makeTwin(int seed)
{
    RandomProblemSpec shape;
    shape.objectives = 2;
    shape.variables = 3 + seed % 9;
    shape.constraints = 2 + (seed * 5) % 11;
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(seed) + 500u, shape);
    std::mt19937 rng(static_cast<std::uint32_t>(seed) * 7717u);
    auto spread = [&rng] { return std::pow(10.0L, std::uniform_real_distribution<double>(-9, 9)(rng)); };

    ScaledTwin twin;
    BuildWeightedSumProgram(*ws, vectorObj{0, 1, 0.5L}, *twin.plain);
    LpTables& p = *twin.plain;
    // Some seeds lose upper bounds (possibly unbounded), some get a row that
    // cannot hold together with the bounds (infeasible).
    if (seed % 4 == 1)
        for (int j = 1; j <= p.lpColumnCount; j += 2)
            p.lpBounds[at(j)].up = kInfiniteBound;
    if (seed % 4 == 2) {
        p.lpRows[1].type = kRowGreaterEqual;
        p.lpRows[1].rhs = 1e4L;
    }
    *twin.scaled = p;
    LpTables& q = *twin.scaled;
    twin.colFactor.assign(at(p.lpColumnCount) + 1, 1);
    for (int j = 1; j <= p.lpColumnCount; ++j)
        twin.colFactor[at(j)] = spread();
    twin.objectiveFactor = spread();
    for (int r = 1; r <= p.lpRowCount; ++r) {
        const Real rowFactor = spread();
        for (int j = 1; j <= p.lpColumnCount; ++j)
            q.lpRows[at(r)].coef[at(j)] *= rowFactor * twin.colFactor[at(j)];
        q.lpRows[at(r)].rhs *= rowFactor;
    }
    for (int j = 1; j <= p.lpColumnCount; ++j) {
        q.lpObjective[at(j)] *= twin.objectiveFactor * twin.colFactor[at(j)];
        q.lpBounds[at(j)].lo /= twin.colFactor[at(j)];
        if (q.lpBounds[at(j)].up < kInfiniteBound)
            q.lpBounds[at(j)].up /= twin.colFactor[at(j)];
    }
    return twin;
}

class BadlyScaledPrograms : public ::testing::TestWithParam<int> {};

TEST_P(BadlyScaledPrograms, GiveTheWellScaledAnswerOrImprecise)
{
    ScaledTwin twin = makeTwin(GetParam());
    const ValueSolution plainValue = SolveForValue(ValueProgram::fromTables(*twin.plain), 1);
    const ValueSolution scaledValue = SolveForValue(ValueProgram::fromTables(*twin.scaled), 1);
    if (scaledValue.status != SolveStatus::Imprecise) {
        EXPECT_EQ(scaledValue.status, plainValue.status);
        if (plainValue.status == SolveStatus::Optimal) {
            EXPECT_NEAR(static_cast<double>(scaledValue.objective / twin.objectiveFactor),
                        static_cast<double>(plainValue.objective),
                        1e-7 * (1 + std::fabs(static_cast<double>(plainValue.objective))));
        }
    }

    auto engine = std::make_unique<LpEngine>();
    const SolveStatus expected = SolveScalarizing(*twin.plain, true, 1, engine->evaluator);
    ASSERT_TRUE(expected == SolveStatus::Optimal || expected == SolveStatus::Unbounded
                || expected == SolveStatus::Infeasible)
        << toString(expected);
    const SolveStatus got = SolveScalarizing(*twin.scaled, true, 1, engine->evaluator);
    if (got == SolveStatus::Imprecise)
        return;
    ASSERT_EQ(got, expected);
    if (got != SolveStatus::Optimal)
        return;

    const Real z = objectiveValue(*twin.plain);
    EXPECT_NEAR(static_cast<double>(objectiveValue(*twin.scaled) / twin.objectiveFactor), static_cast<double>(z),
                1e-7 * (1 + std::fabs(static_cast<double>(z))));
    // The plain optimal basis evaluated in the scaled program gives the
    // plain values (one basis, one solution).
    auto evaluated = std::make_unique<LpTables>(*twin.scaled);
    evaluated->basicList = twin.plain->basicList;
    evaluated->atUpper = twin.plain->atUpper;
    const SolveStatus status = EvaluateBasis(*evaluated, 1, engine->evaluator);
    ASSERT_TRUE(status == SolveStatus::Optimal || status == SolveStatus::Imprecise) << toString(status);
    if (status == SolveStatus::Optimal) {
        const std::vector<Real> plainX = columnValues(*twin.plain);
        const std::vector<Real> y = columnValues(*evaluated);
        for (int j = 1; j <= twin.plain->lpColumnCount; ++j)
            EXPECT_NEAR(static_cast<double>(y[at(j)] * twin.colFactor[at(j)]), static_cast<double>(plainX[at(j)]),
                        1e-7 * (1 + std::fabs(static_cast<double>(plainX[at(j)]))))
                << "column " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, BadlyScaledPrograms, ::testing::Range(1, 61));

} // namespace
