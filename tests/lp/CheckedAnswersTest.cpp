#include "lp/LpEngine.h"
#include "problem/RandomProblems.h"
#include "ScriptedUiPort.h"
#include "flow/PortProgress.h"
#include "lp/AnswerCheck.h"
#include "lp/BasisEvaluator.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ProgramScale.h"
#include "lp/ScalarizingPrograms.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// Answers that lp_solve gives but the program must not take: unbounded
// columns reported "optimal", crossed bounds, read-backs that do not fit the
// program, and solves that are stopped.

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// maximize x + y s.t. x <= 4, with y changed by each case.
std::unique_ptr<LpTables> xPlusY()
{
    auto lp = std::make_unique<LpTables>();
    lp->lpColumnCount = 2;
    lp->lpRowCount = 1;
    lp->lpObjective[1] = 1;
    lp->lpObjective[2] = 1;
    lp->lpRows[1].coef[1] = 1;
    lp->lpRows[1].rhs = 4;
    return lp;
}

LpRow& addRow(LpTables& lp, Real x, Real y, RowType type, Real rhs)
{
    LpRow& row = lp.lpRows[at(++lp.lpRowCount)];
    row.coef[1] = x;
    row.coef[2] = y;
    row.type = type;
    row.rhs = rhs;
    return row;
}

struct ColumnCase {
    std::string name;
    std::function<void(LpTables&)> change;
    SolveStatus expected;
    Real optimum; // when Optimal
};

class UnboundedColumns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(UnboundedColumns, AreUnboundedNeverOptimalAtInfinity)
{
    const ColumnCase& c = GetParam();
    auto engine = std::make_unique<LpEngine>();
    auto program = xPlusY();
    c.change(*program);
    for (bool full : {true, false}) {
        engine->tables = *program;
        EXPECT_EQ(SolveScalarizing(*engine, full, 1), c.expected) << (full ? "full" : "plain");
        if (c.expected == SolveStatus::Optimal) {
            EXPECT_NEAR(static_cast<double>(engine->tables.basicValues[at(program->lpRowCount + 1)]),
                        static_cast<double>(c.optimum), 1e-9);
        }
    }
    const ValueSolution value = SolveForValue(ValueProgram::fromTables(*program), 1);
    EXPECT_EQ(value.status, c.expected);
    if (c.expected == SolveStatus::Optimal) {
        EXPECT_NEAR(static_cast<double>(value.objective), static_cast<double>(c.optimum), 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnboundedColumns,
    ::testing::Values(
        ColumnCase{"YInNoRow", [](LpTables&) {}, SolveStatus::Unbounded, 0},
        ColumnCase{"AllZeroRow", [](LpTables& lp) { addRow(lp, 0, 0, kRowLessEqual, 5); }, SolveStatus::Unbounded, 0},
        ColumnCase{"RowOfTinyCoefficients",
                   [](LpTables& lp) { addRow(lp, 1e-15L, 1e-15L, kRowLessEqual, 1); }, SolveStatus::Unbounded, 0},
        ColumnCase{"FreeColumnPaysDownwards",
                   [](LpTables& lp) {
                       lp.lpObjective[2] = -1;
                       lp.lpBounds[2] = LpBound{-kInfiniteBound, kInfiniteBound};
                   },
                   SolveStatus::Unbounded, 0},
        // Twins that are bounded: y has an upper bound, or a row of its own
        // (tiny coefficients with a right-hand side as tiny are a real row).
        ColumnCase{"YBounded", [](LpTables& lp) { lp.lpBounds[2].up = 7; }, SolveStatus::Optimal, 11},
        ColumnCase{"TinyRowWithTinyRhs", [](LpTables& lp) { addRow(lp, 0, 1e-15L, kRowLessEqual, 3e-15L); },
                   SolveStatus::Optimal, 7},
        ColumnCase{"FreeColumnPaysNothing",
                   [](LpTables& lp) {
                       lp.lpObjective[2] = 0;
                       lp.lpBounds[2] = LpBound{-kInfiniteBound, kInfiniteBound};
                   },
                   SolveStatus::Optimal, 4}),
    [](const ::testing::TestParamInfo<ColumnCase>& info) { return info.param.name; });

TEST(CrossedBounds, AreInfeasibleWithoutCallingTheSolver)
{
    auto engine = std::make_unique<LpEngine>();
    auto program = xPlusY();
    program->lpBounds[2] = LpBound{3, 2};
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Infeasible);
    EXPECT_EQ(engine->tables.call, CallStatus::NotCalled);
    engine->tables.basicList[1] = 1;
    EXPECT_EQ(SolveFromBasis(*engine, true, 1), SolveStatus::Infeasible);
    const ValueSolution value = SolveForValue(ValueProgram::fromTables(*program), 1);
    EXPECT_EQ(value.status, SolveStatus::Infeasible);
    EXPECT_EQ(value.call, CallStatus::NotCalled);
    // Equal bounds are a fixed column, not a crossing.
    engine->tables = *program;
    engine->tables.lpBounds[2] = LpBound{2, 2};
    EXPECT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Optimal);
}

TEST(NotANumber, InTheTablesIsNeverAnOptimum)
{
    auto engine = std::make_unique<LpEngine>();
    auto program = xPlusY();
    program->lpBounds[2].up = 7;
    program->lpRows[1].coef[2] = std::numeric_limits<Real>::quiet_NaN();
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Other);
    EXPECT_EQ(engine->tables.call, CallStatus::ModelNotBuilt);
    engine->tables = *program;
    engine->tables.basicList[1] = 1;
    EXPECT_NE(EvaluateBasis(engine->tables, 1, engine->evaluator), SolveStatus::Optimal);
}

// The read-back check against mutations of a correct read-back: each one a
// fault a solver or an inversion could make.
struct Mutation {
    std::string name;
    std::function<void(LpTables&)> apply;
    bool holds;
};

class ReadBackCheck : public ::testing::TestWithParam<Mutation> {};

// max 3x1 + 2x2 s.t. x1 + x2 <= 4, x1 + 3x2 <= 7, x1 <= 3: optimum (3, 1),
// basis {x1, x2, s2} with s2 = 1, z = 11; nonbasic s1, s3.
std::unique_ptr<LpTables> handWorked()
{
    auto lp = std::make_unique<LpTables>();
    lp->lpColumnCount = 2;
    lp->lpRowCount = 3;
    lp->lpObjective[1] = 3;
    lp->lpObjective[2] = 2;
    const Real a[3][2] = {{1, 1}, {1, 3}, {1, 0}};
    const Real b[3] = {4, 7, 3};
    for (int r = 1; r <= 3; ++r) {
        lp->lpRows[at(r)].coef[1] = a[r - 1][0];
        lp->lpRows[at(r)].coef[2] = a[r - 1][1];
        lp->lpRows[at(r)].rhs = b[r - 1];
    }
    lp->basicList = {0, 1, 2, 4};
    lp->basicValues = {0, 3, 1, 1, 11};
    lp->nonbasicList = {0, 3, 5};
    lp->tabRows = 4;
    lp->tabCols = 3;
    return lp;
}

TEST_P(ReadBackCheck, FindsWhatDoesNotFitTheProgram)
{
    auto lp = handWorked();
    ProgramScale scale;
    scale.compute(
        3, 2, [&](int r, int j) { return lp->lpRows[at(r)].coef[at(j)]; }, [&](int r) { return lp->lpRows[at(r)].rhs; },
        [&](int j) { return lp->lpObjective[at(j)]; });
    ASSERT_TRUE(ReadBackHolds(*lp, scale, true));
    GetParam().apply(*lp);
    EXPECT_EQ(ReadBackHolds(*lp, scale, true), GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBackCheck,
    ::testing::Values(Mutation{"RoundingNoise", [](LpTables& lp) { lp.basicValues[1] += 1e-12L; }, true},
                      Mutation{"BasicValueOff", [](LpTables& lp) { lp.basicValues[1] += 1e-4L; }, false},
                      Mutation{"BasicSlackOff", [](LpTables& lp) { lp.basicValues[3] = 2; }, false},
                      Mutation{"ObjectiveOff", [](LpTables& lp) { lp.basicValues[4] = 12; }, false},
                      Mutation{"ColumnListedTwice", [](LpTables& lp) { lp.nonbasicList[1] = 1; }, false},
                      Mutation{"NonbasicOffItsBound",
                               [](LpTables& lp) {
                                   // x2 nonbasic at 0 while the values say 1.
                                   lp.basicList[2] = 3;
                                   lp.nonbasicList[1] = 2;
                                   lp.nonbasicValues[1] = 1;
                               },
                               false},
                      Mutation{"InfeasibleRow",
                               [](LpTables& lp) { lp.lpRows[3].rhs = 2; }, false}),
    [](const ::testing::TestParamInfo<Mutation>& info) { return info.param.name; });

// Bases of max c1 x1 + 2x2 s.t. x1 + x2 <= 4, x1 + 3x2 <= 7 and x1 <= 3 (a
// third row, or x1's upper bound), all primal feasible: the reduced-cost
// check takes the optimal ones only, maximized or minimized.
struct DualCase {
    std::string name;
    bool upperBound;          // x1 <= 3 as x1's bound rather than row 3
    Real c1;
    std::vector<int> basis;   // variables 1, 2 columns, 3.. slacks
    bool x1AtUpper;
    bool optimal;
};

class ReducedCostCheck : public ::testing::TestWithParam<DualCase> {};

TEST_P(ReducedCostCheck, TakesOnlyOptimalBases)
{
    const DualCase& c = GetParam();
    for (const int sense : {1, -1}) {
        auto lp = handWorked();
        lp->lpObjective[1] = sense * c.c1;
        lp->lpObjective[2] = sense * 2;
        if (c.upperBound) {
            lp->lpRowCount = 2;
            lp->lpBounds[1].up = 3;
        }
        for (std::size_t i = 0; i < c.basis.size(); ++i)
            lp->basicList[i + 1] = c.basis[i];
        lp->atUpper[1] = c.x1AtUpper;
        BasisEvaluator evaluator;
        ASSERT_EQ(EvaluateBasis(*lp, sense, evaluator), SolveStatus::Optimal) << sense;
        ASSERT_TRUE(ReadBackHolds(*lp, evaluator.scale(), true)) << sense;
        EXPECT_EQ(ReducedCostsHold(*lp, evaluator.scale(), sense), c.optimal) << sense;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReducedCostCheck,
    ::testing::Values(DualCase{"Optimum", false, 3, {1, 2, 4}, false, true},
                      DualCase{"SlackBasis", false, 3, {3, 4, 5}, false, false},
                      DualCase{"X2StillPays", false, 3, {3, 4, 1}, false, false},
                      DualCase{"OptimumAtUpperBound", true, 3, {2, 4}, true, true},
                      DualCase{"FallingFromUpperBoundPays", true, 1, {2, 4}, true, false}),
    [](const ::testing::TestParamInfo<DualCase>& info) { return info.param.name; });

// The largest program the workspace holds keeps lp_solve iterating long
// enough to ask for a stop.
std::unique_ptr<LpTables> largestProgram()
{
    RandomProblemSpec shape;
    shape.objectives = MaxObjectives;
    shape.variables = MaxVariables;
    shape.constraints = MaxConstraints;
    auto ws = makeRandomProblem(20261209u, shape);
    vectorObj weights{};
    for (int k = 1; k <= MaxObjectives; ++k)
        weights[k] = 1.0L / MaxObjectives;
    auto lp = std::make_unique<LpTables>();
    BuildWeightedSumProgram(*ws, weights, *lp);
    return lp;
}

TEST(SolveControlTest, ADeadlineOrACancelStopsTheSolve)
{
    const auto program = largestProgram();
    auto engine = std::make_unique<LpEngine>();
    engine->tables = *program;
    ASSERT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Optimal);

    int asked = 0;
    engine->control.cancelRequested = [&asked] { return ++asked > 0; };
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Stopped);
    EXPECT_GT(asked, 0);
    // Callers that hand over the engine's tables and evaluator get its stop too.
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(engine->tables, false, 1, engine->evaluator), SolveStatus::Stopped);
    // An evaluator of its own has no stop.
    BasisEvaluator own;
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(engine->tables, true, 1, own), SolveStatus::Optimal);
    engine->tables = *program;
    for (int r = 1; r <= program->lpRowCount; ++r)
        engine->tables.basicList[at(r)] = program->lpColumnCount + r; // the slack basis
    EXPECT_EQ(SolveFromBasis(*engine, false, 1), SolveStatus::Stopped);
    EXPECT_EQ(SolveForValue(ValueProgram::fromTables(*program), 1, engine->control).status, SolveStatus::Stopped);

    engine->control = SolveControl{};
    engine->control.timeLimitSeconds = 1e-9; // passed before lp_solve first asks
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Stopped);

    // A cancel query that says no, and a limit that is far away, change nothing.
    engine->control.timeLimitSeconds = 3600;
    engine->control.cancelRequested = [] { return false; };
    engine->tables = *program;
    EXPECT_EQ(SolveScalarizing(*engine, true, 1), SolveStatus::Optimal);
}

TEST(SolveStatusMessages, NewOutcomesHaveTheirOwnMessages)
{
    ScriptedUiPort ui;
    ShowSolveStatus(ui, SolveStatus::Imprecise);
    ShowSolveStatus(ui, SolveStatus::Stopped);
    EXPECT_EQ(ui.dialogs(),
              QStringList({"Error: The solution found is numerically unreliable",
                           "Warning: The computation was stopped: the time limit was reached or it was cancelled"}));
}

} // namespace
