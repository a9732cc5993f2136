#include "nadir/Vma.h"

#include "BruteForceVertices.h"
#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"
#include "TestEngine.h"
#include "base/ListGrowth.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ScalarizingPrograms.h"
#include "nadir/VmaMessages.h"
#include "problem/MpsFile.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"
#include "solutions/Payoff.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

// The vector maximum approach against facts it does not produce: every
// vertex of small problems enumerated by brute force (each n-subset of the
// constraint and bound hyperplanes) with an independent efficiency test (no
// feasible point is at least as good in every objective and better in
// one), the published instances, and the indifference regions covering
// the weight space.

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

using bruteforce::allVertices;
using bruteforce::efficientPoint;
using bruteforce::Point;
using bruteforce::samePoint;

std::vector<Point> basketPoints(const Workspace& ws)
{
    std::vector<Point> out;
    for (int i = 1; i <= ws.basketCount; ++i) {
        Point x(at(ws.numVariables) + 1, 0);
        for (int j = 1; j <= ws.numVariables; ++j)
            x[at(j)] = ws.basket[at(i)].x_s[at(j)];
        out.push_back(x);
    }
    return out;
}

bool insideRegion(const Workspace& ws, const UmaRegIndif& region, Real x, Real y)
{
    constexpr Real tol = 1e-9L;
    if (ws.weightSpace2)
        return x >= region.vertices[1].x - tol && x <= region.vertices[2].x + tol;
    const int n = region.Numvertices;
    if (n < 3)
        return false;
    int sign = 0;
    for (int i = 1; i <= n; ++i) {
        const XY& a = region.vertices[at(i)];
        const XY& b = region.vertices[at(i % n + 1)];
        const Real cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        if (std::fabs(cross) <= tol)
            continue;
        const int s = cross > 0 ? 1 : -1;
        if (sign != 0 && s != sign)
            return false;
        sign = s;
    }
    return true;
}

// The regions cover the weight space, and a region's solution is optimal
// for every weight vector in it: checked on a grid of weights against the
// best weighted value over the basket.
void expectRegionsCoverTheWeightSpace(const Workspace& ws)
{
    const int p = ws.numObjectives;
    constexpr int steps = 24;
    for (int a = 0; a <= steps; ++a)
        for (int b = 0; b + a <= (p == 3 ? steps : 0); ++b) {
            const Real x = Real(a) / steps;
            const Real y = Real(b) / steps;
            const Real lambda[4] = {0, x, p == 3 ? y : 1 - x, 1 - x - y};
            auto weighted = [&](int i) {
                Real v = 0;
                for (int k = 1; k <= p; ++k)
                    v += lambda[k] * ws.objSense[at(k)] * ws.basket[at(i)].f[at(k)];
                return v;
            };
            Real best = -kInfiniteBound;
            for (int i = 1; i <= ws.basketCount; ++i)
                best = std::max(best, weighted(i));
            bool covered = false;
            for (int i = 1; i <= ws.basketCount; ++i)
                for (int r = ws.basket[at(i)].indRegIndif; r != 0; r = ws.regions[at(r)].IndiceProx)
                    if (insideRegion(ws, ws.regions[at(r)].Regiao, x, y)) {
                        covered = true;
                        EXPECT_NEAR(weighted(i), best, 1e-6L * (1 + std::fabs(best)))
                            << "solution " << i << " at weights " << static_cast<double>(x) << ", "
                            << static_cast<double>(y);
                    }
            EXPECT_TRUE(covered) << "weights " << static_cast<double>(x) << ", " << static_cast<double>(y);
        }
}

QString closingText(int count) { return QString::fromUtf8(msg::kVmaComputed).arg(count); }

// ---------------------------------------------------------------- brute force

class VmaBruteForce : public ::testing::TestWithParam<int> {};

TEST_P(VmaBruteForce, StoresExactlyTheEfficientVertices)
{
    const int seed = GetParam();
    RandomProblemSpec shape{2 + seed % 3, 2 + seed % 4, 1 + seed % 4, true, seed % 4 == 0, true, seed % 5 == 0, true};
    auto ws = makeRandomProblem(static_cast<std::uint32_t>(1000 + seed), shape);
    std::vector<Point> efficient;
    for (const Point& v : allVertices(*ws))
        if (efficientPoint(*ws, v))
            efficient.push_back(v);
    ASSERT_FALSE(efficient.empty());

    ScriptedUiPort ui;
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    EXPECT_EQ(result.end, VmaEnd::Completed);
    const std::vector<Point> stored = basketPoints(*ws);
    EXPECT_EQ(stored.size(), efficient.size());
    for (const Point& v : efficient)
        EXPECT_TRUE(std::any_of(stored.begin(), stored.end(), [&v](const Point& s) { return samePoint(s, v); }))
            << "an efficient vertex is missing";
    for (const Point& s : stored)
        EXPECT_TRUE(std::any_of(efficient.begin(), efficient.end(), [&s](const Point& v) { return samePoint(s, v); }))
            << "a stored solution is not an efficient vertex";
    EXPECT_EQ(result.verticesStored, ws->basketCount);
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: ") + closingText(ws->basketCount));

    if (ws->weightSpace2 || ws->weightSpace3)
        expectRegionsCoverTheWeightSpace(*ws);
    else
        EXPECT_EQ(ws->regionCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, VmaBruteForce, ::testing::Range(1, 61));

// Deriving bases by pivots (in long chains, or in chains of two that end
// in a fresh evaluation of the basis whose neighbours follow; the bases
// ahead worked out on a second thread or not) and evaluating each afresh
// walk the same list in the same order: the baskets are identical entry by
// entry.
TEST(VmaPaths, PivotsAndFreshEvaluationsGiveTheSameBasket)
{
    VmaOptions shortChains;
    shortChains.maxPivotChain = 2;
    shortChains.batchesFrom = 1;
    VmaOptions oneThread;
    oneThread.parallel = false;
    VmaOptions batches; // from the first basis on
    batches.batchesFrom = 1;
    for (std::uint32_t seed : {3u, 8u, 21u}) {
        for (const VmaOptions& options : {batches, shortChains, oneThread}) {
            RandomProblemSpec shape{3, 12, 10, true, true, true, true, true};
            auto a = makeRandomProblem(seed, shape);
            auto b = makeRandomProblem(seed, shape);
            ScriptedUiPort ui;
            VmaOptions reference;
            reference.pivotFromParent = false;
            reference.batchesFrom = 1;
            const VmaResult fast = RunVmaShown(*a, engine(), ui, options);
            const VmaResult slow = RunVmaShown(*b, engine(), ui, reference);
            EXPECT_GT(fast.derivedByPivot, 0);
            EXPECT_EQ(slow.derivedByPivot, 0);
            EXPECT_EQ(fast.basesFound, slow.basesFound);
            ASSERT_EQ(a->basketCount, b->basketCount);
            for (int i = 1; i <= a->basketCount; ++i) {
                for (int j = 1; j <= a->numVariables; ++j)
                    EXPECT_NEAR(a->basket[at(i)].x_s[at(j)], b->basket[at(i)].x_s[at(j)], 1e-7);
                EXPECT_EQ(a->basket[at(i)].vbs, b->basket[at(i)].vbs);
            }
            ASSERT_EQ(a->regionCount, b->regionCount);
            for (int r = 1; r <= a->regionCount; ++r)
                EXPECT_NEAR(a->regions[at(r)].AreaPolig, b->regions[at(r)].AreaPolig, 1e-6);
        }
    }
}

// ---------------------------------------------------------------- published instances

std::unique_ptr<Workspace> mpsProblem(const char* name)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    const QString path = QStringLiteral(QUILVANE_TESTDATA_DIR "/molp/") + QLatin1String(name);
    EXPECT_TRUE(ReadMpsFile(path, *ws).accepted()) << name;
    ws->fileName = path;
    ResetComputedState(*ws);
    return ws;
}

struct PublishedCase {
    const char* file;
    std::vector<std::vector<Real>> objectiveVectors;
    bool payoffBounded = true;
};

class VmaPublished : public ::testing::TestWithParam<PublishedCase> {};

TEST_P(VmaPublished, FindsTheKnownEfficientVertices)
{
    auto ws = mpsProblem(GetParam().file);
    ScriptedUiPort ui;
    if (GetParam().payoffBounded) {
        ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    }
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    EXPECT_EQ(result.end, VmaEnd::Completed);
    const auto& expected = GetParam().objectiveVectors;
    std::vector<bool> seen(expected.size(), false);
    for (int i = 1; i <= ws->basketCount; ++i) {
        bool known = false;
        for (std::size_t e = 0; e < expected.size(); ++e) {
            bool same = true;
            for (int k = 1; k <= ws->numObjectives; ++k)
                same = same && std::fabs(ws->basket[at(i)].f[at(k)] - expected[e][at(k - 1)]) <= 1e-6L;
            if (same) {
                EXPECT_FALSE(seen[e]) << "stored twice";
                seen[e] = known = true;
            }
        }
        EXPECT_TRUE(known) << "solution " << i << " is not a known efficient vertex";
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), static_cast<long>(expected.size()));
    expectRegionsCoverTheWeightSpace(*ws);
}

INSTANTIATE_TEST_SUITE_P(
    Instances, VmaPublished,
    ::testing::Values(
        PublishedCase{"bensolve_ex05_molp.mps",
                      {{1, .5, .5}, {.5, 1, .5}, {.5, .5, 1}, {1.5, 1.5, 0}, {1.5, 0, 1.5}, {0, 1.5, 1.5}}},
        PublishedCase{"lap3_przybylski.mps", {{11, 11, 14}, {15, 9, 17}, {19, 14, 10}, {13, 16, 11}}},
        PublishedCase{"ehrgott_molp1.mps", {{0, 0}, {3, -6}, {12, -9}}},
        PublishedCase{"revelle_5a3.mps", {{3, -9}, {-10, 2}, {-8, -4}, {-4, -8}}},
        // F1 is unbounded, the equally weighted sum is not: the walk meets
        // the two vertices and stops at the unbounded efficient edges.
        PublishedCase{"bensolve_ex01.mps", {{-6, 6}, {0, 4}}, false}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

// The degenerate assignment vertices are reached through several bases:
// each is stored once with one region per efficient basis.
TEST(VmaDegenerate, EachBasisOfAVertexGetsItsRegion)
{
    auto ws = mpsProblem("lap3_przybylski.mps");
    ScriptedUiPort ui;
    RunVmaShown(*ws, engine(), ui);
    ASSERT_EQ(ws->basketCount, 4);
    int bases = 0;
    for (int i = 1; i <= ws->basketCount; ++i) {
        const SolSolutionBasket& s = ws->basket[at(i)];
        bases += static_cast<int>(s.vbs.size());
        int chain = 0;
        for (int r = s.indRegIndif; r != 0; r = ws->regions[at(r)].IndiceProx)
            ++chain;
        EXPECT_LE(chain, static_cast<int>(s.vbs.size()));
        EXPECT_GE(chain, 1);
    }
    EXPECT_GT(bases, ws->basketCount);
}

// ---------------------------------------------------------------- the large instance

QString largeInstance()
{
    const QDir here = QFileInfo(QStringLiteral(__FILE__)).dir();
    return QDir::cleanPath(here.filePath(QStringLiteral("../../../shared/testdata/molp/vma_q3_m99_n101.mlp")));
}

// Every weighted sum's optimum is reached at a stored vertex: for random
// positive weights the best basket value equals the solver's optimum.
TEST(VmaLargeInstance, EveryWeightedSumOptimumIsStored)
{
    if (!QFileInfo::exists(largeInstance()))
        GTEST_SKIP() << "no " << largeInstance().toStdString();
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ASSERT_EQ(ReadProblemFile(largeInstance(), *ws).status, ProblemReadStatus::Ok);
    ResetComputedState(*ws);
    ScriptedUiPort ui;
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    ASSERT_EQ(result.end, VmaEnd::Completed);
    EXPECT_GE(ws->basketCount, 487);

    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(0.01, 1);
    auto lp = std::make_unique<LpTables>();
    for (int t = 0; t < 40; ++t) {
        vectorObj w{};
        for (int k = 1; k <= 3; ++k)
            w[at(k)] = static_cast<Real>(u(rng));
        BuildWeightedSumProgram(*ws, w, *lp);
        ASSERT_EQ(SolveScalarizing(*lp, false, 1, engine().evaluator), SolveStatus::Optimal);
        const Real optimum = lp->basicValues[at(lp->lpRowCount + 1)];
        Real best = -kInfiniteBound;
        for (int i = 1; i <= ws->basketCount; ++i) {
            Real value = 0;
            for (int k = 1; k <= 3; ++k)
                value += w[at(k)] * ws->objSense[at(k)] * ws->basket[at(i)].f[at(k)];
            best = std::max(best, value);
        }
        EXPECT_NEAR(best, optimum, 1e-6L * (1 + std::fabs(optimum))) << "weights " << t;
    }
}

// ---------------------------------------------------------------- stops and messages

std::unique_ptr<Workspace> mediumProblem()
{
    return makeRandomProblem(8u, RandomProblemSpec{3, 12, 10, true, true, true, false, true});
}

TEST(VmaStops, LimitOfBasesKeepsWhatWasStored)
{
    auto full = mediumProblem();
    ScriptedUiPort ui;
    const VmaResult all = RunVmaShown(*full, engine(), ui);
    ASSERT_GT(all.basesFound, 12);

    auto ws = mediumProblem();
    ScriptedUiPort limited;
    VmaOptions options;
    options.maxBases = 12;
    const VmaResult result = RunVmaShown(*ws, engine(), limited, options);
    EXPECT_EQ(result.end, VmaEnd::LimitReached);
    EXPECT_GE(result.basesFound, 12);
    EXPECT_TRUE(limited.dialogs().contains(QStringLiteral("Warning: reached limit of bases")));
    EXPECT_EQ(limited.dialogs().last(), QStringLiteral("Information: ") + closingText(ws->basketCount));
    EXPECT_GE(ws->basketCount, 1);
    EXPECT_LT(ws->basketCount, full->basketCount);
    for (const Point& s : basketPoints(*ws)) {
        const std::vector<Point> fullPoints = basketPoints(*full);
        EXPECT_TRUE(std::any_of(fullPoints.begin(), fullPoints.end(), [&s](const Point& v) { return samePoint(s, v); }));
    }
    // Bases worked out ahead in batches past the limit leave no trace.
    auto batched = mediumProblem();
    ScriptedUiPort batchedUi;
    options.batchesFrom = 1;
    const VmaResult inBatches = RunVmaShown(*batched, engine(), batchedUi, options);
    EXPECT_EQ(inBatches.basesExamined, result.basesExamined);
    EXPECT_EQ(inBatches.derivedByPivot, result.derivedByPivot);
    ASSERT_EQ(batched->basketCount, ws->basketCount);
    for (int i = 1; i <= ws->basketCount; ++i)
        EXPECT_EQ(batched->basket[at(i)].vbs, ws->basket[at(i)].vbs);
    EXPECT_EQ(batched->regionCount, ws->regionCount);
}

TEST(VmaStops, CancelKeepsTheStoredSolutionsAndSaysSo)
{
    auto ws = mediumProblem();
    ScriptedUiPort ui;
    ui.cancelAtUpdate = 1;
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    EXPECT_EQ(result.end, VmaEnd::Cancelled);
    EXPECT_TRUE(result.stopped());
    EXPECT_FALSE(ui.taskOpen);
    EXPECT_EQ(ui.taskUpdates, 1);
    EXPECT_GE(ws->basketCount, 1);
    EXPECT_EQ(ui.basketViewsShown, 1);
    EXPECT_TRUE(ui.saw(UiEvent::BasketValuesChanged));
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: ") + closingText(ws->basketCount) + QLatin1Char('\n')
                                        + QString::fromUtf8(msg::kVmaStoppedByUser));
    EXPECT_TRUE(ui.taskText.startsWith(QStringLiteral("Bases found: ")));
}

TEST(VmaStops, RunningOutOfMemoryWarnsAndKeepsTheBasket)
{
    auto ws = mediumProblem();
    ScriptedUiPort ui;
    listgrowth::simulateFailureAfter(3);
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    listgrowth::simulateFailureAfter(-1);
    EXPECT_EQ(result.end, VmaEnd::OutOfMemory);
    EXPECT_TRUE(ui.dialogs().contains(QStringLiteral("Warning: ") + QString::fromUtf8(msg::kVmaNoMemory)));
    EXPECT_GE(ws->basketCount, 1);
}

TEST(VmaStart, InfeasibleProblemShowsTheStatusAndStoresNothing)
{
    auto ws = mpsProblem("bensolve_ex02_nonneg.mps");
    ScriptedUiPort ui;
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    EXPECT_EQ(result.end, VmaEnd::NotStarted);
    EXPECT_EQ(result.startStatus, SolveStatus::Infeasible);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: Unfeasible Problem")});
    EXPECT_EQ(ws->basketCount, 0);
}

TEST(VmaStart, SingleEfficientVertexAddsToTheBasketCount)
{
    // max x1 and max x2 over the box [0,2]x[0,3]: only (2,3) is efficient.
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    ws->objSense[1] = ws->objSense[2] = 1;
    ws->objCoef[1][1] = 1;
    ws->objCoef[2][2] = 1;
    ws->vars[1] = VariableDef{0, 2, DefaultVariableName(1)};
    ws->vars[2] = VariableDef{0, 3, DefaultVariableName(2)};
    ws->conCoef[1][1] = 1;
    ws->conType[1] = ConLessEqual;
    ws->conRhs[1] = 10;
    ResetComputedState(*ws);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    ui.clear();
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    EXPECT_EQ(result.end, VmaEnd::Completed);
    EXPECT_EQ(ws->basketCount, 1);
    EXPECT_EQ(result.verticesStored, 0);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: ") + closingText(1)});
}

TEST(VmaStart, FourObjectivesStoreNoRegions)
{
    auto ws = makeRandomProblem(4u, RandomProblemSpec{4, 6, 5, true, true, true, false, true});
    ScriptedUiPort ui;
    const VmaResult result = RunVmaShown(*ws, engine(), ui);
    EXPECT_EQ(result.end, VmaEnd::Completed);
    EXPECT_GE(ws->basketCount, 1);
    EXPECT_EQ(ws->regionCount, 0);
}

} // namespace
