#include "nadir/ExactNadir.h"
#include "nadir/Vma.h"

#include "BruteForceVertices.h"
#include "base/Progress.h"
#include "TestEngine.h"
#include "solutions/Computation.h"
#include "solutions/Payoff.h"
#include "solutions/Report.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A bound at or above kInfinity is no bound, whatever its value: every
// computation gives the same answers for it as for kInfiniteBound ("M").

namespace {

using bruteforce::at;

// max x1 + x3, max x2 - x3 s.t. x1 + x2 <= 10, x1 - x2 <= 4, x1, x2 in
// [0, 8], x3 in [0, upper]: with x3 unbounded the efficient set has a ray
// along x3, which a finite upper bound would close with a vertex.
// `rayBound` false bounds x3 by a row as well (x3 <= 5), for the pay-off.
std::unique_ptr<Workspace> problem(Real upper, bool rayBound)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 3;
    ws->numConstraints = rayBound ? 2 : 3;
    for (int k = 1; k <= 2; ++k) {
        ws->objSense[at(k)] = 1;
        ws->objName[at(k)] = DefaultObjectiveName(k);
    }
    ws->objCoef[1][1] = ws->objCoef[1][3] = 1;
    ws->objCoef[2][2] = 1;
    ws->objCoef[2][3] = -1;
    ws->vars[1] = VariableDef{0, 8, DefaultVariableName(1)};
    ws->vars[2] = VariableDef{0, 8, DefaultVariableName(2)};
    ws->vars[3] = VariableDef{0, upper, DefaultVariableName(3)};
    ws->conCoef[1][1] = ws->conCoef[1][2] = 1;
    ws->conRhs[1] = 10;
    ws->conCoef[2][1] = 1;
    ws->conCoef[2][2] = -1;
    ws->conRhs[2] = 4;
    ws->conCoef[3][3] = 1;
    ws->conRhs[3] = 5;
    for (int i = 1; i <= 3; ++i)
        ws->conType[at(i)] = ConLessEqual;
    ws->fileName = QStringLiteral("bounds.mlp");
    ResetComputedState(*ws);
    return ws;
}

// What the computations answer, and every objective vector they stored.
struct Answers {
    SolveStatus weightedSum = SolveStatus::Other;
    std::vector<Real> current;
    VmaEnd vmaEnd = VmaEnd::NotStarted;
    int basesFound = 0;
    std::vector<Real> basket;
    SolveStatus payoff = SolveStatus::Other;
    NadirEnd nadirEnd = NadirEnd::NotStarted;
    Real nadir = 0;
    int nadirSolves = 0;

    bool operator==(const Answers& o) const
    {
        return weightedSum == o.weightedSum && current == o.current && vmaEnd == o.vmaEnd
               && basesFound == o.basesFound && basket == o.basket && payoff == o.payoff && nadirEnd == o.nadirEnd
               && nadir == o.nadir && nadirSolves == o.nadirSolves;
    }
};

std::vector<Real> objectiveVectors(const Workspace& ws)
{
    std::vector<Real> out;
    for (int i = 1; i <= ws.basketCount; ++i)
        for (int k = 1; k <= ws.numObjectives; ++k)
            out.push_back(ws.basket[at(i)].f[at(k)]);
    return out;
}

Answers answersFor(Real upper)
{
    Answers a;
    NoProgress progress;
    {
        auto ws = problem(upper, true);
        ws->sumWeights[1] = ws->sumWeights[2] = 0.5L;
        a.weightedSum = ComputeFromWeights(*ws, engine(), false).status;
        for (int k = 1; k <= 2; ++k)
            a.current.push_back(ws->currentF[at(k)]);
    }
    {
        auto ws = problem(upper, true);
        const VmaResult vma = RunVma(*ws, engine(), progress);
        a.vmaEnd = vma.end;
        a.basesFound = vma.basesFound;
        a.basket = objectiveVectors(*ws);
    }
    {
        auto ws = problem(upper, false);
        a.payoff = ComputePayoff(*ws, engine(), progress).status;
        ReportDocument report;
        const ExactNadirResult nadir = ExactNadir(*ws, engine(), progress, 2, report);
        a.nadirEnd = nadir.end;
        a.nadir = nadir.value;
        a.nadirSolves = nadir.computed;
    }
    return a;
}

TEST(InfiniteBounds, EveryBoundFromKInfinityOnIsNoBound)
{
    const Answers none = answersFor(kInfiniteBound);
    // The unbounded ray leaves no vertex at its bound; the pay-off holds.
    EXPECT_EQ(none.payoff, SolveStatus::Optimal);
    EXPECT_EQ(none.nadirEnd, NadirEnd::Found);
    for (const Real upper : {kInfinity, 1e32L, 1e35L, 1e40L, 9.99e40L, 1e50L})
        EXPECT_TRUE(answersFor(upper) == none) << static_cast<double>(upper);
    // A large finite bound is a bound.
    EXPECT_FALSE(answersFor(1e20L) == none);
}

} // namespace
