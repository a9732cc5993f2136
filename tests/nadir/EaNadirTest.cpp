#include "nadir/EaNadir.h"

#include "BruteForceVertices.h"
#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"
#include "TestEngine.h"
#include "base/NumberFormat.h"
#include "nadir/NadirFormat.h"
#include "nadir/NadirMessages.h"
#include "problem/RandomGenerator.h"
#include "problem/RandomProblems.h"
#include "solutions/Payoff.h"
#include "solutions/Report.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

// The evolutionary estimate: its operators against the rules they follow,
// runs against the true nadir of brute force (never beyond it), seeded runs
// repeated exactly, warm starts that change nothing, and the worst feasible
// values against the worst vertex.

namespace {

using bruteforce::at;

QString text(const char* s) { return QString::fromUtf8(s); }

int offGenes(const EaLambdas& l, int p)
{
    int n = 0;
    for (int j = 1; j <= p; ++j)
        n += l[at(j)] == kEaOffGene ? 1 : 0;
    return n;
}

// ---------------------------------------------------------------- operators

struct PopulationCase {
    int p;
    int size;
};

class EaFirstPopulation : public ::testing::TestWithParam<PopulationCase> {};

// Unit vectors first; then g = (size - p) div p individuals per objective
// with that gene off; the rest with one gene off somewhere.
TEST_P(EaFirstPopulation, FollowsTheGroupsOfSwitchedOffGenes)
{
    const auto [p, size] = GetParam();
    RandomGenerator rng(1234);
    const std::vector<EaIndividual> pop = EaInitialPopulation(p, size, rng);
    ASSERT_EQ(static_cast<int>(pop.size()), size);
    const int g = (size - p) / p;
    for (int i = 1; i <= size; ++i) {
        const EaLambdas& l = pop[at(i - 1)].lambdas;
        for (int j = 1; j <= p; ++j) {
            if (i <= p) {
                EXPECT_EQ(l[at(j)], j == i ? 1 : kEaOffGene) << i << "," << j;
                continue;
            }
            const int group = (i - p - 1) / g + 1;
            if (i <= p + p * g) {
                EXPECT_EQ(l[at(j)] == kEaOffGene, j == group) << i << "," << j;
            } else {
                EXPECT_TRUE(l[at(j)] == kEaOffGene || (l[at(j)] > kEaOffGene && l[at(j)] < 1 + kEaOffGene));
            }
        }
        if (i > p + p * g) {
            EXPECT_EQ(offGenes(l, p), 1) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, EaFirstPopulation,
                         ::testing::Values(PopulationCase{3, 18}, PopulationCase{3, 20}, PopulationCase{4, 4},
                                           PopulationCase{2, 13}));

// Kept children have between 1 and p - 2 genes off; every child is kept or
// counted once; with two objectives none can be kept, and with certain
// mutation every gene is on, so every child is discarded for it.
TEST(EaChildren, KeepOnlyChildrenWithSomeButNotAllGenesOff)
{
    for (int p = 2; p <= 5; ++p) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            RandomGenerator rng(seed);
            std::vector<EaIndividual> pop = EaInitialPopulation(p, 6 * p, rng);
            for (std::size_t i = 0; i < pop.size(); ++i)
                pop[i].indiceSB = static_cast<int>(i % 4) + 1; // some parents share a solution
            const EaChildren c = EaMakeChildren(pop, p, 0.05L, rng);
            EXPECT_EQ(static_cast<int>(c.valid.size()) + c.discardedConvex + c.discardedAllZero + c.discardedNoZero,
                      6 * p);
            for (const EaLambdas& child : c.valid) {
                EXPECT_GE(offGenes(child, p), 1);
                EXPECT_LE(offGenes(child, p), p - 2);
            }
            if (p == 2) {
                EXPECT_TRUE(c.valid.empty());
            }
            const EaChildren mutated = EaMakeChildren(pop, p, 1, rng);
            EXPECT_EQ(mutated.discardedNoZero, 6 * p) << p;
        }
    }
}

// ---------------------------------------------------------------- parameters

struct ParameterCase {
    const char* name;
    EaParameterTexts typed;
    bool accepted;
    int popSize;
    int maxIter;
    QStringList dialogs;
};

EaParameterTexts texts(const char* pop, const char* pm, const char* iter, bool randomize, const char* seed)
{
    return EaParameterTexts{QString::fromLatin1(pop), QString::fromLatin1(pm), QString::fromLatin1(iter),
                            randomize, QString::fromLatin1(seed), false};
}

class EaDialog : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(EaDialog, ChecksTheTypedFields)
{
    const ParameterCase& c = GetParam();
    const EaParametersResult result = AcceptEaParameters(c.typed, 3);
    EXPECT_EQ(result.accepted, c.accepted);
    EXPECT_EQ(MessageLines(result.notices), c.dialogs);
    if (c.accepted) {
        EXPECT_EQ(result.parameters.popSize, c.popSize);
        EXPECT_EQ(result.parameters.maxIter, c.maxIter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EaDialog,
    ::testing::Values(
        ParameterCase{"defaults", texts("18", "0.01", "30", true, "1234"), true, 18, 30, {}},
        ParameterCase{"size250", texts("250", "0.01", "30", true, "1234"), true, 200, 30,
                      {QStringLiteral("Warning: It will be considered the maximum population size, which is 200")}},
        ParameterCase{"sizeNotANumber", texts("2x", "0.01", "30", true, "1234"), false, 0, 0,
                      {QStringLiteral("Error: Invalid Numbers!")}},
        ParameterCase{"badSeedIgnoredWhenRandomized", texts("18", "0.01", "30", true, "abc"), true, 18, 30, {}},
        ParameterCase{"badSeed", texts("18", "0.01", "30", false, "abc"), false, 0, 0,
                      {QStringLiteral("Error: Invalid Numbers!")}},
        ParameterCase{"sizeBelowObjectives", texts("2", "0.01", "30", true, ""), false, 0, 0,
                      {QStringLiteral("Error: ") + text(msg::kEaPopulationBelowObjectives).arg(3)}},
        ParameterCase{"noIterationStillOneGeneration", texts("18", "0.01", "0", true, ""), true, 18, 1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- runs

EaParameters seeded(int p, std::uint32_t seed)
{
    EaParameters par;
    par.popSize = 6 * p;
    par.maxIter = 10 * p;
    par.randomize = false;
    par.seed = seed;
    return par;
}

std::unique_ptr<Workspace> payoffDone(std::uint32_t seed, const RandomProblemSpec& shape)
{
    auto ws = makeRandomProblem(seed, shape);
    ScriptedUiPort ui;
    EXPECT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    return ws;
}

class EaRuns : public ::testing::TestWithParam<int> {};

// Never beyond the true nadir; each estimate is the value of a stored
// solution; a seed gives the same run twice, and so does a run that solves
// every program afresh instead of from the last basis.
TEST_P(EaRuns, StayWithinTheTrueNadirAndRepeatExactly)
{
    const int seed = GetParam();
    const RandomProblemSpec shape{3 + seed % 2, 3 + seed % 3, 2 + seed % 3, true, seed % 3 == 0, true, false, true};
    auto a = payoffDone(static_cast<std::uint32_t>(300 + seed), shape);
    auto b = payoffDone(static_cast<std::uint32_t>(300 + seed), shape);
    auto cold = payoffDone(static_cast<std::uint32_t>(300 + seed), shape);
    const int p = a->numObjectives;
    ScriptedUiPort ui;
    ReportDocument report;
    const EaRunResult ra = EaEstimateNadirShown(*a, engine(), ui, seeded(p, 7), report);
    ASSERT_EQ(ra.end, EaEnd::Completed) << ui.dialogs().join('\n').toStdString();
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: ") + text(msg::kEaEstimate).arg([&] {
        QStringList v;
        for (int i = 1; i <= p; ++i)
            v << FixedText(a->nadirPoint[at(i)]);
        return v.join(QStringLiteral(", "));
    }()));
    EaRunResult rb = EaEstimateNadirShown(*b, engine(), ui, seeded(p, 7), report);
    EaOptions coldOptions;
    coldOptions.warmStart = false;
    EaEstimateNadirShown(*cold, engine(), ui, seeded(p, 7), report, coldOptions);

    const std::vector<bruteforce::Point> efficient = bruteforce::efficientVertices(*a);
    for (int i = 1; i <= p; ++i) {
        const Real truth = bruteforce::worstValue(*a, i, efficient);
        EXPECT_GE(a->objSense[at(i)] * (a->nadirPoint[at(i)] - truth), -1e-7L) << "objective " << i;
        bool attained = false;
        for (int s = 1; s <= a->basketCount; ++s)
            attained = attained || a->basket[at(s)].f[at(i)] == a->nadirPoint[at(i)];
        EXPECT_TRUE(attained) << "objective " << i;
    }
    for (const Workspace* other : {b.get(), cold.get()}) {
        for (int i = 1; i <= p; ++i)
            EXPECT_NEAR(other->nadirPoint[at(i)], a->nadirPoint[at(i)], 1e-9L);
        ASSERT_EQ(other->basketCount, a->basketCount);
        for (int s = 1; s <= a->basketCount; ++s)
            for (int i = 1; i <= p; ++i)
                EXPECT_NEAR(other->basket[at(s)].f[at(i)], a->basket[at(s)].f[at(i)], 1e-9L);
    }
    EXPECT_EQ(rb.evaluations, ra.evaluations);
    EXPECT_EQ(rb.validChildren, ra.validChildren);
    EXPECT_EQ(rb.lastImproving, ra.lastImproving);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EaRuns, ::testing::Range(1, 9));

RandomProblemSpec mediumShape() { return RandomProblemSpec{3, 8, 6, true, true, true, false, true}; }

// Independent run r is the single run seeded with seed + r - 1 from the
// pay-off solutions and the pay-off estimate.
TEST(EaIndependentRuns, RunRIsTheSingleRunWithSeedPlusRMinusOne)
{
    auto runs = payoffDone(11u, mediumShape());
    auto single = payoffDone(11u, mediumShape());
    ScriptedUiPort ui;
    ReportDocument report;
    ReportDocument singleReport;
    ASSERT_EQ(EaMultipleRunsShown(*runs, engine(), ui, seeded(3, 1234), 2, report).end, EaEnd::Completed);
    EaOptions options;
    ASSERT_EQ(EaEstimateNadirShown(*single, engine(), ui, seeded(3, 1235), singleReport, options).end, EaEnd::Completed);
    for (int i = 1; i <= 3; ++i)
        EXPECT_NEAR(runs->nadirPoint[at(i)], single->nadirPoint[at(i)], 1e-9L);
    QStringList lines;
    for (const ReportLine& line : report.lines())
        lines << line.text;
    EXPECT_EQ(lines.value(0), QStringLiteral("Ideal Point:"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Estimated Nadir values - RUN 2")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Estimated Nadir values - RUN 3")));
}

TEST(EaIndependentRuns, AskBeforeDiscardingTheSolutionsBeyondThePayoff)
{
    auto ws = payoffDone(11u, mediumShape());
    ScriptedUiPort ui;
    ReportDocument report;
    EaEstimateNadirShown(*ws, engine(), ui, seeded(3, 5), report);
    const int stored = ws->basketCount;
    ASSERT_GT(stored, 3);
    ui.clear();
    ui.answers = {Answer::No};
    EXPECT_EQ(EaMultipleRunsShown(*ws, engine(), ui, seeded(3, 5), 1, report).end, EaEnd::NotStarted);
    EXPECT_EQ(ws->basketCount, stored);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Ask: ") + text(msg::kEaRunsDiscard).arg(stored - 3)});
}

// Cancel pressed while the box shows the third generation.
class CancelAtGeneration : public ScriptedUiPort {
public:
    bool updateStoppableTask(const QString& shown) override
    {
        return ScriptedUiPort::updateStoppableTask(shown) && !shown.contains(QStringLiteral("generation 3 of"));
    }
};

TEST(EaStops, CancelKeepsTheSolutionsAndTheStartingEstimate)
{
    auto uncancelled = payoffDone(11u, mediumShape());
    auto ws = payoffDone(11u, mediumShape());
    const vectorObj before = ws->nadirPoint;
    const int stored = ws->basketCount;
    ScriptedUiPort plain;
    ReportDocument report;
    EaParameters twoGenerations = seeded(3, 5);
    twoGenerations.maxIter = 2;
    EaEstimateNadirShown(*uncancelled, engine(), plain, twoGenerations, report);
    // The generations done before Cancel move the estimate.
    ASSERT_NE(uncancelled->nadirPoint, before);
    CancelAtGeneration ui;
    const EaRunResult r = EaEstimateNadirShown(*ws, engine(), ui, seeded(3, 5), report);
    EXPECT_EQ(r.end, EaEnd::Cancelled);
    EXPECT_EQ(r.generations, 3);
    EXPECT_EQ(ws->nadirPoint, before);
    EXPECT_GT(ws->basketCount, stored);
    EXPECT_FALSE(ui.taskOpen);
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: ") + text(msg::kEaStoppedByUser));
}

// A failed evaluation says why and still reports what was done.
TEST(EaStops, AFailedEvaluationShowsItsStatusThenTheReport)
{
    auto ws = payoffDone(11u, mediumShape());
    ScriptedUiPort ui;
    ReportDocument report;
    engine().control.timeLimitSeconds = 1e-9;
    const EaRunResult r = EaEstimateNadirShown(*ws, engine(), ui, seeded(3, 5), report);
    engine().control.timeLimitSeconds = 0;
    EXPECT_EQ(r.end, EaEnd::Failed);
    ASSERT_EQ(ui.dialogs().size(), 2);
    EXPECT_TRUE(ui.dialogs()[0].startsWith(QStringLiteral("Warning: The computation was stopped")));
    EXPECT_TRUE(ui.dialogs()[1].startsWith(QStringLiteral("Information: Estimate of Nadir point = (")));
    ASSERT_FALSE(report.isEmpty());
    EXPECT_EQ(report.lines()[0].text, QStringLiteral(" Estimated Nadir values "));
}

// The trace file is written only when asked for, with every population.
TEST(EaTrace, IsWrittenOnlyWhenAskedFor)
{
    QTemporaryDir dir;
    EaOptions options;
    options.traceDirectory = dir.path();
    const QString path = dir.filePath(QStringLiteral("DEBUG_EA_random.txt"));
    ScriptedUiPort ui;
    ReportDocument report;
    EaParameters parameters = seeded(3, 5);
    parameters.maxIter = 2;
    auto ws = payoffDone(11u, mediumShape());
    EaEstimateNadirShown(*ws, engine(), ui, parameters, report, options);
    EXPECT_FALSE(QFile::exists(path));
    parameters.trace = true;
    auto traced = payoffDone(11u, mediumShape());
    EaEstimateNadirShown(*traced, engine(), ui, parameters, report, options);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString trace = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(trace.startsWith(QStringLiteral("Populacao inicial\r\n")));
    EXPECT_EQ(trace.count(QStringLiteral("ITERACAO\t")), 2);
    EXPECT_EQ(trace.count(QStringLiteral("Populacao Aux (Nfilhos;TamPop)\t")), 2);
    EXPECT_EQ(trace.count(QStringLiteral("Populacao Actual\r\n")), 2);
}

// ---------------------------------------------------------------- worst feasible values

TEST(WorstFeasible, AreTheWorstVertexValues)
{
    auto ws = payoffDone(21u, RandomProblemSpec{3, 4, 3, true, true, true, false, true});
    const std::vector<bruteforce::Point> vertices = bruteforce::allVertices(*ws);
    const int stored = ws->basketCount;
    ScriptedUiPort ui;
    ReportDocument report;
    ShowNotices(ui, WorstFeasibleValues(*ws, engine(), report));
    EXPECT_EQ(ws->basketCount, stored);
    ASSERT_EQ(report.lines().size(), 3u);
    EXPECT_EQ(report.lines()[0].text, text(msg::kWorstFeasibleHeading));
    EXPECT_EQ(report.lines()[1].text, QStringLiteral("F1\tF2\tF3\t"));
    QString expected;
    for (int i = 1; i <= 3; ++i)
        expected += GeneralFormat(bruteforce::worstValue(*ws, i, vertices), 6) + QLatin1Char('\t');
    EXPECT_EQ(report.lines()[2].text, expected);
}

// max -x1 + x2 and max x2 - 2 x1 with x1 >= 0 unbounded above: both
// efficient values are bounded, both worst feasible values are not.
TEST(WorstFeasible, AnUnboundedObjectiveShowsUnbound)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    ws->objSense[1] = ws->objSense[2] = 1;
    ws->objCoef[1][1] = -1;
    ws->objCoef[1][2] = 1;
    ws->objCoef[2][1] = -2;
    ws->objCoef[2][2] = 1;
    ws->vars[1] = VariableDef{0, kInfiniteBound, DefaultVariableName(1)};
    ws->vars[2] = VariableDef{0, kInfiniteBound, DefaultVariableName(2)};
    ws->conCoef[1][2] = 1;
    ws->conType[1] = ConLessEqual;
    ws->conRhs[1] = 5;
    ResetComputedState(*ws);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    ReportDocument report;
    ShowNotices(ui, WorstFeasibleValues(*ws, engine(), report));
    ASSERT_EQ(report.lines().size(), 3u);
    EXPECT_EQ(report.lines()[2].text, QStringLiteral("UNBOUND.\tUNBOUND.\t"));
}

} // namespace
