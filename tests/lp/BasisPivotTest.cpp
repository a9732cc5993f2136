#include "lp/BasisPivot.h"

#include "lp/BasisEvaluator.h"
#include "lp/EfficientBases.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "problem/RandomProblems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <utility>

// Every neighbour of a walk derived by one pivot from its parent's kept
// read-back must give what the reference evaluator gives for that basis
// inverted afresh: values, tableau entries (matched by variable, since the
// row order may differ), the objective row and the reduced costs, both from
// the derived tableau and from the rows of z - c carried along the pivots;
// a tableau filled on demand has the entries of one derived at once.

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

constexpr Real kTol = 1e-7L;

struct ReadBackByVariable {
    std::map<int, Real> value;                 // every variable's value
    std::map<std::pair<int, int>, Real> entry; // (basic, nonbasic) tableau entries
    std::map<int, Real> objectiveRow;          // per nonbasic variable
    std::map<std::pair<int, int>, Real> yac;   // (objective, nonbasic variable)
    std::map<int, bool> atUpper;
};

ReadBackByVariable byVariable(const Workspace& ws, const LpTables& lp, const Real* carried = nullptr)
{
    ReadBackByVariable out;
    const int R = lp.tabRows;
    for (int i = 1; i < R; ++i)
        out.value[lp.basicList[at(i)]] = lp.basicValues[at(i)];
    out.value[0] = lp.basicValues[at(R)];
    for (int j = 1; j < lp.tabCols; ++j) {
        const int v = lp.nonbasicList[at(j)];
        out.value[v] = lp.nonbasicValues[at(j)];
        out.objectiveRow[v] = lp.tableau[at(R)][at(j)];
        out.atUpper[v] = lp.isColumn(v) && lp.atUpper[at(v)];
        for (int i = 1; i < R; ++i)
            out.entry[{lp.basicList[at(i)], v}] = lp.tableau[at(i)][at(j)];
    }
    RecordYAC yac;
    YacColumnMap map{};
    if (carried != nullptr)
        ReducedCostsFromRows(ws, lp, carried, kObjectiveRowStride, yac, map);
    else
        ComputeReducedCosts(ws, lp, yac, map);
    for (int c = 1; c <= yac.ncolsYAC; ++c)
        for (int k = 1; k <= ws.numObjectives; ++k)
            out.yac[{k, lp.nonbasicList[at(map[at(c)])]}] = yac.YAC[at(k)][at(c)];
    return out;
}

template <class Key>
void expectSame(const std::map<Key, Real>& got, const std::map<Key, Real>& want, const char* what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (const auto& [key, value] : want) {
        const auto it = got.find(key);
        ASSERT_NE(it, got.end()) << what;
        EXPECT_NEAR(it->second, value, kTol * (1 + std::fabs(value))) << what;
    }
}

class PivotAgainstEvaluation : public ::testing::TestWithParam<int> {};

TEST_P(PivotAgainstEvaluation, EveryNeighbourOfABreadthFirstWalk)
{
    const int seed = GetParam();
    RandomProblemSpec shape{3, 4 + seed % 6, 3 + seed % 5, true, seed % 2 == 0, true, seed % 3 == 0, true};
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(seed), shape);
    vectorObj w{};
    for (int k = 1; k <= 3; ++k)
        w[at(k)] = Real(k) / 6;
    auto lp = std::make_unique<LpTables>();
    auto reference = std::make_unique<LpTables>();
    auto rows = std::make_unique<ObjectiveRows>();
    auto deferredLp = std::make_unique<LpTables>();
    BasisEvaluator evaluator;
    BuildWeightedSumProgram(*ws, w, *lp);
    ASSERT_EQ(SolveScalarizing(*lp, true, 1, evaluator), SolveStatus::Optimal);
    *deferredLp = *lp;

    BasisList list(ws->numVariables);
    list.append(EncodeBasis(lp->basicList.data(), lp->lpRowCount, lp->atUpper, lp->lpColumnCount), BasisMove{});
    std::map<int, std::unique_ptr<SavedReadBack>> kept;
    EfficientPositions all{};
    all.fill(true);
    int compared = 0;
    for (int index = 0; index < list.size() && index < 60; ++index) {
        if (index > 0) {
            const BasisMove& move = list.move(index);
            *reference = *lp; // the same program
            DecodeBasis(list[index], reference->basicList, reference->atUpper);
            ASSERT_EQ(EvaluateBasis(*reference, 1, evaluator), SolveStatus::Optimal);
            // A deferred tableau gives the same entries, in the columns
            // asked for first, then in all of them.
            DeferredTableau deferred;
            if (!PivotReadBack(*kept.at(move.parent), move, *deferredLp, nullptr, 0, &deferred))
                continue; // too small a pivot: the walk evaluates such a basis itself
            ASSERT_TRUE(PivotReadBack(*kept.at(move.parent), move, *lp, rows->data(), kObjectiveRowStride));
            EfficientPositions some{};
            for (int j = 1; j < lp->tabCols; j += 3)
                some[at(j)] = true;
            FillDeferredColumns(deferred, some, *deferredLp);
            for (int j = 1; j < lp->tabCols; j += 3)
                for (int i = 1; i <= lp->tabRows; ++i)
                    ASSERT_EQ(deferredLp->tableau[at(i)][at(j)], lp->tableau[at(i)][at(j)]);
            SavedReadBack fromDeferred;
            SavedReadBack fromFilled;
            SaveReadBack(*deferredLp, 1, 0, fromDeferred, nullptr, 0, 0, &deferred);
            SaveReadBack(*lp, 1, 0, fromFilled);
            EXPECT_EQ(fromDeferred.tableau, fromFilled.tableau);
            FillDeferredTableau(deferred, *deferredLp);
            EXPECT_EQ(deferred.parent, nullptr);
            for (int i = 1; i <= lp->tabRows; ++i)
                for (int j = 1; j <= lp->tabCols; ++j)
                    ASSERT_EQ(deferredLp->tableau[at(i)][at(j)], lp->tableau[at(i)][at(j)]);
            const ReadBackByVariable got = byVariable(*ws, *lp);
            const ReadBackByVariable want = byVariable(*ws, *reference);
            expectSame(got.value, want.value, "values");
            expectSame(got.entry, want.entry, "tableau");
            expectSame(got.objectiveRow, want.objectiveRow, "objective row");
            expectSame(got.yac, want.yac, "reduced costs");
            expectSame(byVariable(*ws, *lp, rows->data()).yac, want.yac, "carried reduced costs");
            EXPECT_EQ(got.atUpper, want.atUpper);
            ++compared;
        } else {
            ObjectiveReducedCosts(*ws, *lp, rows->data(), kObjectiveRowStride);
        }
        auto saved = std::make_unique<SavedReadBack>();
        SaveReadBack(*lp, 1, 0, *saved, rows->data(), ws->numObjectives, kObjectiveRowStride);
        kept[index] = std::move(saved);
        AdjacentBases(*lp, all, false, index, list);
    }
    EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PivotAgainstEvaluation, ::testing::Range(1, 31));

} // namespace
