#include "lp/EfficientBases.h"

#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"
#include "TestEngine.h"
#include "lp/EfficientBasesMessages.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "problem/RandomProblems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <vector>

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// ---------------------------------------------------------------- basis codes

TEST(BasisCode, MultiplesOfThirtyStartTheNextWord)
{
    vectorResEB_Int basis{};
    basis[1] = 29;
    basis[2] = 30;
    basis[3] = 60;
    basis[4] = 243;
    AtUpperFlags upper{};
    upper[30] = true;
    const Umabase code = EncodeBasis(basis.data(), 4, upper, 101);
    EXPECT_EQ(code.codbase[0], 1 << 29);
    EXPECT_EQ(code.codbase[1], 1);
    EXPECT_EQ(code.codbase[2], 1);
    EXPECT_EQ(code.codbase[8], 1 << 3);
    EXPECT_EQ(code.noUB_cod[1], 1);

    vectorResEB_Int decoded{};
    AtUpperFlags decodedUpper{};
    DecodeBasis(code, decoded, decodedUpper);
    EXPECT_EQ(std::vector<int>(decoded.begin() + 1, decoded.begin() + 6), (std::vector<int>{29, 30, 60, 243, 0}));
    EXPECT_TRUE(decodedUpper[30]);
    EXPECT_EQ(std::count(decodedUpper.begin(), decodedUpper.end(), true), 1);
}

TEST(BasisCode, AnUpperBoundFlagMakesAnotherBasis)
{
    vectorResEB_Int basis{};
    basis[1] = 3;
    basis[2] = 7;
    AtUpperFlags none{};
    AtUpperFlags upper{};
    upper[5] = true;
    const Umabase a = EncodeBasis(basis.data(), 2, none, 10);
    const Umabase b = EncodeBasis(basis.data(), 2, upper, 10);
    EXPECT_FALSE(SameBasis(a, b, 10));
    EXPECT_TRUE(SameBasis(a, EncodeBasis(basis.data(), 2, none, 10), 10));
    // Words past the last decision variable are not compared.
    Umabase c = a;
    c.noUB_cod[3] = 1;
    EXPECT_TRUE(SameBasis(a, c, 10));
    EXPECT_FALSE(SameBasis(a, c, 100));
}

// The hashed list finds exactly what a scan with SameBasis finds, keeps the
// order of appending, and refuses repeats.
TEST(BasisListTest, AgreesWithALinearScan)
{
    std::mt19937 rng(11);
    BasisList list(40);
    std::vector<Umabase> reference;
    for (int t = 0; t < 5000; ++t) {
        vectorResEB_Int basis{};
        AtUpperFlags upper{};
        for (int i = 1; i <= 3; ++i)
            basis[at(i)] = std::uniform_int_distribution<int>(1, 60)(rng);
        upper[at(std::uniform_int_distribution<int>(1, 40)(rng))] = rng() % 2 == 0;
        const Umabase code = EncodeBasis(basis.data(), 3, upper, 40);
        bool known = false;
        for (const Umabase& r : reference)
            known = known || SameBasis(r, code, 40);
        EXPECT_EQ(list.append(code, BasisMove{t, 0, 0, MoveKind::BoundFlip}), !known);
        if (!known)
            reference.push_back(code);
    }
    ASSERT_EQ(list.size(), static_cast<int>(reference.size()));
    for (int i = 0; i < list.size(); ++i) {
        EXPECT_TRUE(SameBasis(list[i], reference[at(i)], 40));
        EXPECT_EQ(list.find(reference[at(i)]), i);
    }
}

// ---------------------------------------------------------------- dominance

RecordYAC matrix(const std::vector<std::vector<Real>>& columns)
{
    RecordYAC yac;
    yac.ncolsYAC = static_cast<int>(columns.size());
    for (int c = 1; c <= yac.ncolsYAC; ++c)
        for (std::size_t k = 0; k < columns[at(c - 1)].size(); ++k)
            yac.YAC[k + 1][at(c)] = columns[at(c - 1)][k];
    return yac;
}

struct DominanceCase {
    const char* name;
    std::vector<std::vector<Real>> columns;
    bool dominated;
};

class Dominance : public ::testing::TestWithParam<DominanceCase> {};

TEST_P(Dominance, ReadsTheSignedReducedCosts)
{
    EXPECT_EQ(IsDominatedBasis(matrix(GetParam().columns), 2), GetParam().dominated);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Dominance,
    ::testing::Values(
        // A column at its upper bound already has its sign reversed in YAC:
        // positive everywhere is a direction that worsens both objectives.
        DominanceCase{"WorseningColumn", {{1, 2}, {0, 3}}, false},
        DominanceCase{"FreeImprovement", {{1, 2}, {0, -1}}, true},
        DominanceCase{"WorseningWithinTolerance", {{kDominanceWorsenTol / 2, -1}}, true},
        DominanceCase{"WorseningPastTolerance", {{2 * kDominanceWorsenTol, -1}}, false},
        DominanceCase{"ImprovementBelowTolerance", {{0, -kDominanceImproveTol / 2}}, false},
        DominanceCase{"TradeOff", {{1, -1}, {-2, 3}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- efficient nonbasic variables

// Independent test of one column: the largest t with lambda_k >= t,
// sum lambda = 1, lambda.Y_c >= 0 for every column and lambda.Y_j = 0.
bool efficientByProgram(const RecordYAC& yac, int p, int j)
{
    const int n = p + 1; // lambda_1..p, t
    ValueProgram program(n, yac.ncolsYAC + p + 2);
    int r = 0;
    auto row = [&](Real rhs, RowType type) -> std::vector<Real>& {
        ++r;
        program.rowType[at(r)] = type;
        program.rowRhs[at(r)] = rhs;
        return program.rows[at(r)];
    };
    for (int c = 1; c <= yac.ncolsYAC; ++c) {
        auto& coef = row(0, c == j ? kRowEqual : kRowGreaterEqual);
        for (int k = 1; k <= p; ++k)
            coef[at(k)] = yac.YAC[at(k)][at(c)];
    }
    for (int k = 1; k <= p; ++k) {
        auto& coef = row(0, kRowGreaterEqual);
        coef[at(k)] = 1;
        coef[at(n)] = -1;
    }
    auto& sum = row(1, kRowEqual);
    for (int k = 1; k <= p; ++k)
        sum[at(k)] = 1;
    program.rowCount = r;
    program.objective[at(n)] = 1;
    const ValueSolution s = SolveForValue(program, 1);
    return s.status == SolveStatus::Optimal && s.objective > 1e-9L;
}

// Random reduced-cost matrices of an efficient basis: columns with
// lambda0.Y >= 0 for a fixed positive lambda0, some of them on its plane
// (the candidates for efficiency), with duplicates and zero columns.
RecordYAC randomEfficientMatrix(std::mt19937& rng, int p, int columns)
{
    std::uniform_int_distribution<int> entry(-4, 4);
    std::vector<int> lambda0(at(p) + 1);
    for (int k = 1; k <= p; ++k)
        lambda0[at(k)] = std::uniform_int_distribution<int>(1, 3)(rng);
    RecordYAC yac;
    while (yac.ncolsYAC < columns) {
        const int c = yac.ncolsYAC + 1;
        const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
        if (kind == 0 && c > 1) { // a positive multiple of an earlier column
            const int e = std::uniform_int_distribution<int>(1, c - 1)(rng);
            for (int k = 1; k <= p; ++k)
                yac.YAC[at(k)][at(c)] = 2 * yac.YAC[at(k)][at(e)];
            ++yac.ncolsYAC;
            continue;
        }
        if (kind == 1) { // zero column
            for (int k = 1; k <= p; ++k)
                yac.YAC[at(k)][at(c)] = 0;
            ++yac.ncolsYAC;
            continue;
        }
        int dot = 0;
        for (int k = 1; k <= p; ++k) {
            yac.YAC[at(k)][at(c)] = entry(rng);
            dot += lambda0[at(k)] * static_cast<int>(yac.YAC[at(k)][at(c)]);
        }
        if (kind < 5 && dot != 0) {
            // On the plane: adjust the last entry when it divides evenly.
            if (dot % lambda0[at(p)] != 0)
                continue;
            yac.YAC[at(p)][at(c)] -= static_cast<Real>(dot / lambda0[at(p)]);
            dot = 0;
        }
        if (dot < 0)
            continue;
        ++yac.ncolsYAC;
    }
    return yac;
}

std::string text(const RecordYAC& yac, int p)
{
    std::string out;
    for (int k = 1; k <= p; ++k) {
        for (int c = 1; c <= yac.ncolsYAC; ++c)
            out += std::to_string(static_cast<double>(yac.YAC[at(k)][at(c)])) + ' ';
        out += '\n';
    }
    return out;
}

class EfficientNonbasics : public ::testing::TestWithParam<int> {};

TEST_P(EfficientNonbasics, AgreeWithOneProgramPerColumn)
{
    const int seed = GetParam();
    std::mt19937 rng(static_cast<std::uint32_t>(seed));
    const int p = 2 + seed % 3;
    const RecordYAC yac = randomEfficientMatrix(rng, p, 3 + seed % 9);
    const EfficientColumns found = FindEfficientNonbasics(yac, p);
    ASSERT_FALSE(found.halted);
    int count = 0;
    for (int c = 1; c <= yac.ncolsYAC; ++c) {
        EXPECT_EQ(found.efficientColumn[at(c)], efficientByProgram(yac, p, c)) << "column " << c << " of\n"
                                                                                << text(yac, p);
        count += found.efficientColumn[at(c)] ? 1 : 0;
    }
    EXPECT_EQ(found.count, count);
    EXPECT_TRUE(IsEfficientBasis(yac, p));
}

INSTANTIATE_TEST_SUITE_P(Seeds, EfficientNonbasics, ::testing::Range(1, 121));

TEST(EfficientNonbasicsEdges, StrictlyPositiveColumnsHaveNoEfficientVariable)
{
    const EfficientColumns found = FindEfficientNonbasics(matrix({{1, 2, 3}, {4, 1, 1}}), 3);
    EXPECT_FALSE(found.halted);
    EXPECT_EQ(found.count, 0);
}

TEST(EfficientNonbasicsEdges, ZeroColumnIsEfficientAndNoDuplicate)
{
    const EfficientColumns found = FindEfficientNonbasics(matrix({{0, 0}, {0, 0}, {1, -1}}), 2);
    EXPECT_TRUE(found.efficientColumn[1]);
    EXPECT_TRUE(found.efficientColumn[2]);
    EXPECT_TRUE(found.efficientColumn[3]);
}

// A matrix that no pivot can decide (a broken evaluation) halts the
// procedure instead of looping or deciding at random.
TEST(EfficientNonbasicsEdges, UndecidableMatrixHalts)
{
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    const EfficientColumns found = FindEfficientNonbasics(matrix({{nan, nan}, {1, -1}}), 2);
    EXPECT_TRUE(found.halted);
    EXPECT_EQ(found.count, 0);
}

TEST(EfficientBasisTest, NoPositiveWeightsMeansNotEfficient)
{
    // Column 2 forces lambda_1 = 0.
    EXPECT_FALSE(IsEfficientBasis(matrix({{0, 1}, {-1, 0}}), 2));
    EXPECT_TRUE(IsEfficientBasis(matrix({{1, -1}, {-1, 2}}), 2));
}

// ---------------------------------------------------------------- ratio test

// A read-back with one nonbasic column (position 1, variable 1 with bounds
// 0..range) and basic slacks with the given values and tableau entries.
std::unique_ptr<LpTables> ratioTables(Real range, const std::vector<std::pair<Real, Real>>& rows, bool atUpper)
{
    auto lp = std::make_unique<LpTables>();
    const int m = static_cast<int>(rows.size());
    lp->lpColumnCount = 1;
    lp->lpRowCount = m;
    lp->lpBounds[1] = {0, range};
    lp->tabRows = m + 1;
    lp->tabCols = 2;
    lp->nonbasicList[1] = 1;
    lp->atUpper[1] = atUpper;
    for (int i = 1; i <= m; ++i) {
        lp->basicList[at(i)] = 1 + i;
        lp->basicValues[at(i)] = rows[at(i - 1)].first;
        lp->tableau[at(i)][1] = rows[at(i - 1)].second;
    }
    return lp;
}

struct RatioCase {
    const char* name;
    Real range;
    bool atUpper;
    std::vector<std::pair<Real, Real>> rows; // (basic value, tableau entry)
    std::vector<std::pair<int, MoveKind>> expected; // (row, kind)
};

class Ratio : public ::testing::TestWithParam<RatioCase> {};

constexpr MoveKind Flip = MoveKind::BoundFlip;
constexpr MoveKind Lower = MoveKind::LeavesAtLower;
constexpr MoveKind Upper = MoveKind::LeavesAtUpper;

TEST_P(Ratio, ListsTheTiesAndTheDegenerateRows)
{
    const RatioCase& c = GetParam();
    auto lp = ratioTables(c.range, c.rows, c.atUpper);
    RatioCandidateList out{};
    const int n = RatioCandidates(*lp, 1, out);
    std::vector<std::pair<int, MoveKind>> got;
    for (int i = 0; i < n; ++i)
        got.emplace_back(out[at(i)].row, out[at(i)].kind);
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ratio,
    ::testing::Values(
        RatioCase{"LeastRatioLeaves", kInfiniteBound, false, {{4, 2}, {3, 1}, {5, -1}}, {{1, Lower}}},
        RatioCase{"TiedRatiosBothLeave", kInfiniteBound, false, {{4, 2}, {2, 1}}, {{1, Lower}, {2, Lower}}},
        RatioCase{"ShortRangeFlipsOnly", 1, false, {{4, 2}, {3, 1}}, {{0, Flip}}},
        RatioCase{"RangeEqualToRatioFlipsAndPivots", 2, false, {{4, 2}}, {{0, Flip}, {1, Lower}}},
        // A degenerate row is a candidate whatever the sign of its entry.
        RatioCase{"DegenerateRowOfEitherSign", kInfiniteBound, false, {{4, 2}, {0, -3}}, {{1, Lower}, {2, Lower}}},
        RatioCase{"DegenerateRowsBesideTheLeastRatio", 5, false, {{0, 1}, {0, -1}, {6, 3}}, {{1, Lower}, {2, Lower}}},
        // Moving down from the upper bound: a negative entry raises the basic
        // variable, which has no upper bound.
        RatioCase{"MovingDownFromUpperBound", 10, true, {{4, -2}, {3, 1}}, {{1, Lower}}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- alternative optima

// max F1 = x1 + x2 (tied along x1 + x2 <= 4), F2 = x1, F3 = x2, x <= 3:
// objective 1 has its optimum on the edge (1,3)-(3,1), two efficient bases.
std::unique_ptr<Workspace> tiedProblem()
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 3;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    const Real obj[3][2] = {{1, 1}, {1, 0}, {0, 1}};
    for (int k = 1; k <= 3; ++k) {
        ws->objSense[at(k)] = 1;
        for (int j = 1; j <= 2; ++j)
            ws->objCoef[at(k)][at(j)] = obj[k - 1][j - 1];
    }
    for (int j = 1; j <= 2; ++j)
        ws->vars[at(j)] = VariableDef{0, 3, DefaultVariableName(j)};
    ws->conCoef[1][1] = 1;
    ws->conCoef[1][2] = 1;
    ws->conType[1] = ConLessEqual;
    ws->conRhs[1] = 4;
    ResetComputedState(*ws);
    return ws;
}

TEST(AlternativeOptimaTest, ListsEveryOptimalEfficientBasis)
{
    auto ws = tiedProblem();
    const AlternativeOptimaResult all = AlternativeOptima(*ws, engine(), 1, 0, 100);
    EXPECT_TRUE(all.ok);
    EXPECT_EQ(all.status, SolveStatus::Optimal);
    EXPECT_EQ(ws->alternativeCount, 2);
    EXPECT_EQ(static_cast<int>(ws->alternatives.size()), 2);
    EXPECT_TRUE(all.notices.empty());
    for (const UmaSolAltern& a : ws->alternatives) {
        EXPECT_EQ(static_cast<int>(a.YAC_EFIC.size()), 3);
        for (const auto& row : a.YAC_EFIC)
            EXPECT_EQ(static_cast<int>(row.size()), a.NColsYAC_EFIC);
    }

    // A bound that the whole feasible region satisfies is still optimal for
    // the bounded row; one that nothing reaches is infeasible.
    const AlternativeOptimaResult none = AlternativeOptima(*ws, engine(), 2, 0, -1);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.status, SolveStatus::Infeasible);
}

TEST(AlternativeOptimaTest, NegativeModeStopsAtTheFirstAcceptedBasis)
{
    auto ws = tiedProblem();
    // With f2 <= 2 the optimum of f2 is the segment x1 = 2, the bounded row
    // tight, where the reduced cost of its slack in objective 2 is 1.
    const AlternativeOptimaResult first = AlternativeOptima(*ws, engine(), 2, -2, 2);
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(ws->alternativeCount, 1);
    EXPECT_EQ(ws->bestEdgeAlternative, 0);
    EXPECT_GT(ws->bestEdgeStep, 0);
}

} // namespace
