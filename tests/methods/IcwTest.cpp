#include "BruteForceVertices.h"
#include "MethodTestSupport.h"
#include "methods/Icw.h"
#include "methods/Messages.h"
#include "nadir/Vma.h"
#include "nadir/VmaMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }
std::size_t at(int i) { return static_cast<std::size_t>(i); }

std::unique_ptr<Workspace> workspaceWith(int p)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = p;
    return ws;
}

// ------------------------------------------------------------ weights and cone

TEST(IcwWeights, ThreeObjectivesGiveTheExtremesTheIntermediatesAndTheCentre)
{
    auto ws = workspaceWith(3);
    InitIcwWeights(*ws);
    const Real expected[7][3] = {{0.9997L, 0.0001L, 0.0001L}, {0.0001L, 0.9997L, 0.0001L},
                                 {0.0001L, 0.0001L, 0.9997L}, {1 / 9.L, 4 / 9.L, 4 / 9.L},
                                 {4 / 9.L, 1 / 9.L, 4 / 9.L}, {4 / 9.L, 4 / 9.L, 1 / 9.L},
                                 {1 / 3.L, 1 / 3.L, 1 / 3.L}};
    for (int v = 1; v <= 7; ++v)
        for (int k = 1; k <= 3; ++k)
            EXPECT_NEAR(static_cast<double>(ws->icwWeights[at(v)][at(k)]),
                        static_cast<double>(expected[v - 1][k - 1]), 1e-15)
                << "W" << v << " component " << k;
}

struct ContractionCase {
    const char* name;
    int vector;
    Real g[2][2];
};

class IcwTwoObjectives : public ::testing::TestWithParam<ContractionCase> {};

TEST_P(IcwTwoObjectives, ContractsTheIdentityAsTheRateOneHalfSays)
{
    const ContractionCase& c = GetParam();
    auto ws = workspaceWith(2);
    InitContractionMatrices(*ws);
    EXPECT_EQ(ws->contractionRate, 0.5L);
    ws->coneGenerators = ObjectiveMatrix{};
    ws->coneGenerators[1][1] = ws->coneGenerators[2][2] = 1;
    ContractCone(*ws, c.vector);
    for (int j = 1; j <= 2; ++j)
        for (int k = 1; k <= 2; ++k)
            EXPECT_NEAR(static_cast<double>(ws->coneGenerators[at(j)][at(k)]), static_cast<double>(c.g[j - 1][k - 1]),
                        1e-15)
                << "row " << j << " column " << k;
}

INSTANTIATE_TEST_SUITE_P(Cases, IcwTwoObjectives,
                         ::testing::Values(ContractionCase{"FirstExtreme", 1, {{1, 0}, {0.5L, 0.5L}}},
                                           ContractionCase{"Centre", 5, {{0.75L, 0.25L}, {0.25L, 0.75L}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every row of every matrix is a convex combination, and the contraction
// pulls every generator towards the chosen vector's direction: the chosen
// weights, read on the problem's objectives through the old cone, stay
// inside the new cone (a nonnegative combination of its generators).
TEST(IcwMatrices, RowsAreConvexCombinationsForEveryNumberOfObjectives)
{
    for (int p = 2; p <= MaxObjectives; ++p) {
        auto ws = workspaceWith(p);
        InitContractionMatrices(*ws);
        EXPECT_NEAR(static_cast<double>(ws->contractionRate),
                    1 - std::pow(static_cast<double>(p), -1.0 / (p - 1)), 1e-15);
        for (int v = 1; v <= 2 * p + 1; ++v)
            for (int j = 1; j <= p; ++j) {
                Real sum = 0;
                for (int k = 1; k <= p; ++k) {
                    EXPECT_GE(ws->icwMatrices[at(v)][at(j)][at(k)], 0) << p << " objectives, matrix " << v;
                    sum += ws->icwMatrices[at(v)][at(j)][at(k)];
                }
                EXPECT_NEAR(static_cast<double>(sum), 1, 1e-15) << p << " objectives, matrix " << v << " row " << j;
            }
    }
    EXPECT_NEAR(static_cast<double>(IcwContractionRate(3)), 1 - 1 / std::sqrt(3.0), 1e-15);
}

// ------------------------------------------------------------ selection texts

TEST(IcwSelection, MarksEveryVectorWhoseSolutionRepeats)
{
    auto ws = workspaceWith(3);
    InitIcwWeights(*ws);
    ws->resetIcwVectors(7);
    ws->icwSolutions = {0, 4, 5, 4, 6, 7, 8, 5};
    const IcwSelection s = IcwSelectionTexts(*ws);
    EXPECT_EQ(s.heading, text(msg::kIcwHeadingMarked));
    EXPECT_EQ(s.choices, QStringList({"Solution 4 [W1]", "Solution 5 [W2]", "Solution 4 [W3]", "Solution 6",
                                      "Solution 7", "Solution 8", "Solution 5 [W7]"}));
    EXPECT_EQ(s.statusTexts[0], QStringLiteral("W1 = (0.9997, 0.0001, 0.0001) "));
    EXPECT_EQ(s.statusTexts[6], QStringLiteral("W7 = (0.3333333, 0.3333333, 0.3333333) "));

    ws->icwSolutions = {0, 1, 2, 3, 4, 5, 6, 7};
    const IcwSelection plain = IcwSelectionTexts(*ws);
    EXPECT_EQ(plain.heading, text(msg::kIcwHeading));
    EXPECT_EQ(plain.choices[3], QStringLiteral("Solution 4"));
}

// ------------------------------------------------------------ the flow

struct IcwSession : MethodSession {
    void start(std::uint32_t seed, int p)
    {
        loadRandom(seed, RandomProblemSpec{p, 4, 3, true, false, true, false, false});
        flow.methods().icwFirstIterationCommand();
    }
    // "New iteration" with choice `c`.
    void iterate(int c)
    {
        ui.icwChoices.push_back(c);
        flow.methods().icwNewIterationCommand();
    }
    QStringList reportLines() const
    {
        QStringList out;
        for (const ReportLine& l : flow.report().lines())
            out << l.text;
        return out;
    }
};

TEST(IcwFlow, IterationsReportTheirSolutionsWithTheOriginalThenTheContractedCone)
{
    IcwSession s;
    s.start(11, 3);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    EXPECT_EQ(s.ws->activeMethod, MethodKind::Icw);
    EXPECT_EQ(s.ws->methodIteration, 1);
    EXPECT_EQ(s.ws->viewLastN, 7);
    ASSERT_FALSE(s.ws->history.empty());
    EXPECT_EQ(s.ws->history.front().basketIndex, s.ws->icwSolutions[7]);
    EXPECT_FALSE(s.ui.progressVisible);
    EXPECT_EQ(s.ui.progressPosition, 7);
    QStringList lines = s.reportLines();
    EXPECT_EQ(lines[0], QStringLiteral("Solutions computed in the Iteration (1) of ICW:"));
    EXPECT_EQ(lines.filter(QStringLiteral("with the original cone of the criteria")).size(), 7);
    EXPECT_EQ(lines.filter(QStringLiteral("Weights W4 = (0.1111111, 0.4444444, 0.4444444) with")).size(), 1);
    EXPECT_TRUE(s.flow.report().lines()[0].bold);
    EXPECT_FALSE(s.flow.states().isEnabled(Cmd::IcwContractedVma));
    EXPECT_TRUE(s.ui.saw(UiEvent::IcwIterationDrawn));

    s.iterate(7);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    EXPECT_EQ(s.ws->methodIteration, 2);
    lines = s.reportLines();
    EXPECT_EQ(lines[0], QStringLiteral("Solutions computed in the Iteration (2) of ICW:"));
    EXPECT_EQ(lines.filter(QStringLiteral("with the contracted cone of the criteria")).size(), 7);
    EXPECT_EQ(lines.filter(QStringLiteral("original cone")).size(), 0);
    EXPECT_EQ(s.ws->contractedSpace.Numvertices, 3);
    EXPECT_TRUE(s.flow.states().isEnabled(Cmd::IcwContractedVma));
    // Each solution block: its heading in its colour, the objectives by name.
    const int b = s.ws->icwSolutions[1];
    const auto heading = std::find_if(s.flow.report().lines().begin(), s.flow.report().lines().end(),
                                      [b](const ReportLine& l) { return l.text == QStringLiteral("Solution %1").arg(b); });
    ASSERT_NE(heading, s.flow.report().lines().end());
    EXPECT_EQ(heading->color, s.ws->basket[at(b)].cor);
    EXPECT_TRUE(heading->bold);
    EXPECT_TRUE((heading + 3)->text.startsWith(QStringLiteral(" ") + s.ws->objName[1] + QStringLiteral("= ")))
        << (heading + 3)->text.toStdString();

    s.flow.methods().icwExitCommand();
    EXPECT_EQ(s.ws->activeMethod, MethodKind::None);
    EXPECT_EQ(s.ws->icwCount, 0);
    EXPECT_EQ(s.ws->contractedSpace.Numvertices, 0);
    EXPECT_TRUE(s.ui.saw(UiEvent::ContractedConeHidden));
    EXPECT_EQ(s.flow.phase(), Phase::Solutions);
}

TEST(IcwFlow, NoChoiceAndCancelLeaveTheConeAsItWas)
{
    IcwSession s;
    s.start(12, 2);
    const ObjectiveMatrix before = s.ws->coneGenerators;
    s.ui.clear();
    s.iterate(0);
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Information: ") + text(msg::kIcwNoSelection)});
    s.ui.clear();
    s.ui.icwChoices.push_back(std::nullopt);
    s.flow.methods().icwNewIterationCommand();
    EXPECT_TRUE(s.ui.dialogs().isEmpty());
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Cancelled);
    EXPECT_EQ(s.ws->methodIteration, 1);
    EXPECT_TRUE(s.ws->coneGenerators == before);
    EXPECT_TRUE(s.log().contains(QStringLiteral("IcwSelect: ")));
}

TEST(IcwFlow, OneObjectiveIsRefusedWithAMessage)
{
    IcwSession s;
    s.loadRandom(13, RandomProblemSpec{1, 3, 2, true, false, true, false, false});
    s.flow.methods().icwFirstIterationCommand();
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Information: ") + text(msg::kIcwOneObjective)});
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Refused);
    EXPECT_EQ(s.ws->activeMethod, MethodKind::None);
}

// With four objectives no solution has a region, so an iteration's solution
// can be deleted: the iteration's list follows the renumbering and the
// selection names the gap instead of another solution.
TEST(IcwFlow, DeletingABasketSolutionRenumbersTheIteration)
{
    IcwSession s;
    s.loadRandom(14, RandomProblemSpec{4, 9, 7, true, false, true, false, false});
    s.flow.methods().icwFirstIterationCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    std::vector<std::int32_t> before = s.ws->icwSolutions;
    const int victim = *std::max_element(before.begin(), before.end());
    ASSERT_GT(victim, 4);
    std::vector<Real> firstValues;
    for (int a = 1; a <= 9; ++a)
        firstValues.push_back(before[at(a)] >= 1 ? s.ws->basket[at(before[at(a)])].f[1] : 0);
    s.ui.inputs.push_back(QString::number(victim));
    s.flow.basket().deleteSolutions();
    for (int a = 1; a <= 9; ++a) {
        const int b = s.ws->icwSolutions[at(a)];
        if (before[at(a)] == victim) {
            EXPECT_EQ(b, 0);
            EXPECT_EQ(IcwSelectionTexts(*s.ws).choices[a - 1].left(20), text(msg::kIcwNoSolution).left(20));
        } else {
            EXPECT_EQ(s.ws->basket[at(b)].f[1], firstValues[at(a - 1)]) << "vector " << a;
        }
    }
}

// ------------------------------------------------------------ against brute force

// The problem with the cone objectives as its (maximized) objectives.
std::unique_ptr<Workspace> coneProblem(const Workspace& ws)
{
    auto cone = std::make_unique<Workspace>();
    InitWorkspace(*cone);
    static_cast<ProblemData&>(*cone) = static_cast<const ProblemData&>(ws);
    const int p = ws.numObjectives;
    for (int k = 1; k <= p; ++k) {
        cone->objSense[at(k)] = 1;
        for (int j = 1; j <= ws.numVariables; ++j) {
            Real c = 0;
            for (int i = 1; i <= p; ++i)
                c += ws.coneGenerators[at(k)][at(i)] * ws.objSense[at(i)] * ws.objCoef[at(i)][at(j)] * ws.normFactor[at(i)];
            cone->objCoef[at(k)][at(j)] = c;
        }
    }
    return cone;
}

bruteforce::Point pointOf(const Workspace& ws, int b)
{
    bruteforce::Point x(at(ws.numVariables) + 1, 0);
    for (int j = 1; j <= ws.numVariables; ++j)
        x[at(j)] = ws.basket[at(b)].x_s[at(j)];
    return x;
}

class IcwBruteForce : public ::testing::TestWithParam<int> {};

// Three iterations with choices drawn at random, objectives of mixed senses:
// each solution is the best vertex for its weights over the cone objectives;
// then the contracted VMA lists exactly the vertices that are efficient for
// the cone objectives, each efficient for the problem too.
TEST_P(IcwBruteForce, SolutionsAndContractedVerticesAreTheConeOptima)
{
    const int seed = GetParam();
    const int p = 2 + seed % 3;
    IcwSession s;
    auto problem = makeRandomProblem(static_cast<std::uint32_t>(500 + seed),
                                     RandomProblemSpec{p, 3 + seed % 4, 2 + seed % 5, true, seed % 3 == 0, true, seed % 4 == 0, true});
    for (int k = 1; k <= p; ++k)
        problem->objSense[at(k)] = (seed + k) % 2 == 0 ? 1 : -1;
    s.load(*problem);
    s.flow.methods().icwFirstIterationCommand();
    std::mt19937 rng(static_cast<std::uint32_t>(seed));
    for (int iteration = 1; iteration <= 3; ++iteration) {
        ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
        const auto cone = coneProblem(*s.ws);
        const std::vector<bruteforce::Point> vertices = bruteforce::allVertices(*s.ws);
        for (int a = 1; a <= 2 * p + 1; ++a) {
            const auto weighted = [&](const bruteforce::Point& x) {
                Real v = 0;
                for (int k = 1; k <= p; ++k)
                    v += s.ws->icwWeights[at(a)][at(k)] * bruteforce::objectiveAt(*cone, k, x);
                return v;
            };
            Real best = -kInfiniteBound;
            for (const auto& x : vertices)
                best = std::max(best, weighted(x));
            const int b = s.ws->icwSolutions[at(a)];
            ASSERT_GE(b, 1);
            EXPECT_NEAR(static_cast<double>(weighted(pointOf(*s.ws, b))), static_cast<double>(best),
                        1e-7 * (1 + std::fabs(static_cast<double>(best))))
                << "iteration " << iteration << " vector " << a;
        }
        if (iteration < 3)
            s.iterate(std::uniform_int_distribution<int>(1, 2 * p + 1)(rng));
    }

    s.flow.methods().icwContractedVmaCommand(10000);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    const auto cone = coneProblem(*s.ws);
    std::vector<bruteforce::Point> expected;
    for (const auto& v : bruteforce::allVertices(*s.ws))
        if (bruteforce::efficientPoint(*cone, v))
            expected.push_back(v);
    std::set<int> listed(s.ws->icwSolutions.begin() + 1, s.ws->icwSolutions.begin() + 1 + s.ws->icwCount);
    std::vector<bruteforce::Point> found;
    for (int b : listed) {
        found.push_back(pointOf(*s.ws, b));
        EXPECT_TRUE(bruteforce::efficientPoint(*s.ws, found.back())) << "solution " << b << " is not efficient";
        EXPECT_TRUE(bruteforce::efficientPoint(*cone, found.back())) << "solution " << b << " is not cone-efficient";
    }
    EXPECT_EQ(found.size(), expected.size());
    for (const auto& v : expected)
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&v](const auto& f) { return bruteforce::samePoint(f, v); }))
            << "a vertex efficient for the cone is missing";
    EXPECT_EQ(s.ui.dialogs().last(),
              QStringLiteral("Information: ") + text(msg::kContractedVmaFound).arg(listed.size()));
    EXPECT_FALSE(s.flow.states().isEnabled(Cmd::IcwNew));
    EXPECT_FALSE(s.flow.states().isEnabled(Cmd::IcwContractedVma));
    EXPECT_TRUE(s.flow.states().isEnabled(Cmd::IcwExit));
}

INSTANTIATE_TEST_SUITE_P(Seeds, IcwBruteForce, ::testing::Range(1, 61));

// The contracted VMA worked out in batches on two threads (from its first
// basis on) lists what the one-thread walk lists, in the same order.
TEST(IcwContractedVma, InBatchesListsWhatOneThreadLists)
{
    for (int seed : {2, 7, 11}) {
        const int p = 3;
        std::array<IcwSession, 2> sessions;
        for (IcwSession& s : sessions) {
            s.load(*makeRandomProblem(static_cast<std::uint32_t>(700 + seed),
                                      RandomProblemSpec{p, 8, 7, true, true, true, false, true}));
            s.flow.methods().icwFirstIterationCommand();
            s.iterate(1 + seed % (2 * p + 1));
            ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
        }
        VmaOptions oneThread;
        oneThread.parallel = false;
        VmaOptions batches;
        batches.batchesFrom = 1;
        NoProgress progress;
        auto engine = std::make_unique<LpEngine>();
        const VmaResult a = RunContractedVma(*sessions[0].ws, *engine, progress, oneThread);
        const VmaResult b = RunContractedVma(*sessions[1].ws, *engine, progress, batches);
        EXPECT_EQ(a.basesExamined, b.basesExamined) << "seed " << seed;
        const Workspace& x = *sessions[0].ws;
        const Workspace& y = *sessions[1].ws;
        ASSERT_EQ(x.icwCount, y.icwCount) << "seed " << seed;
        for (int i = 1; i <= x.icwCount; ++i)
            EXPECT_EQ(x.icwSolutions[at(i)], y.icwSolutions[at(i)]) << "seed " << seed << " entry " << i;
        ASSERT_EQ(x.basketCount, y.basketCount);
        for (int i = 1; i <= x.basketCount; ++i)
            EXPECT_EQ(x.basket[at(i)].vbs, y.basket[at(i)].vbs);
    }
}

} // namespace
