#include "weightspace/WeightSpaceCommands.h"

#include "GuiApp.h"
#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"
#include "TestEngine.h"
#include "flow/Session.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"
#include "solutions/Computation.h"
#include "solutions/Payoff.h"
#include "solutions/Regions.h"
#include "weightspace/WeightSpaceView.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class LimitationArea : public ::testing::Test {
protected:
    void SetUp() override
    {
        GuiApp();
        InitWorkspace(*ws);
        ResetProblemData(*ws);
        const QString path = QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("three_objectives_degenerate.mlp"));
        ASSERT_EQ(ReadProblemFile(path, *ws).status, ProblemReadStatus::Ok);
        ResetComputedState(*ws);
        ApplyNormalization(*ws, false);
        ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
        view.initialise(true);
        view.RedrawTriangulo();
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    WeightSpaceView view{*ws};
};

// Inside every piece of the area of "f_k >= v" the weighted sum reaches the
// bound; the pieces together are a real part of the triangle.
TEST_F(LimitationArea, WeightedSumsInsideTheAreaReachTheBound)
{
    for (int k = 1; k <= 3; ++k) {
        const Real v = 8;
        ASSERT_EQ(Shown(ui, ComputeLimitationArea(view, *ws, engine(), k, v)).end, LimitAreaEnd::Drawn) << k;
        ASSERT_FALSE(view.limitAreas[k].empty());
        EXPECT_TRUE(view.limitEntriesEnabled);
        Real area = 0;
        for (const UmaRegIndif& piece : view.limitAreas[k]) {
            area += RegionArea(3, piece);
            XY c{0, 0};
            for (int i = 1; i <= piece.Numvertices; ++i) {
                c.x += piece.vertices[i].x / piece.Numvertices;
                c.y += piece.vertices[i].y / piece.Numvertices;
            }
            ws->sumWeights = {0, c.x, c.y, 1 - c.x - c.y};
            ASSERT_EQ(Shown(ui, ComputeFromWeights(*ws, engine(), false)).status, SolveStatus::Optimal);
            EXPECT_GE(static_cast<double>(ws->currentF[k]), 8 - 1e-7) << "objective " << k;
        }
        EXPECT_GT(static_cast<double>(area), 1.0);
        EXPECT_LT(static_cast<double>(area), 100.0);
    }
}

TEST_F(LimitationArea, ABoundTheWholeFeasibleRegionMeetsIsSaid)
{
    ui.clear();
    EXPECT_EQ(Shown(ui, ComputeLimitationArea(view, *ws, engine(), 2, -1)).end, LimitAreaEnd::WholeRegion);
    EXPECT_TRUE(ui.log.join(QLatin1Char('\n')).contains(QStringLiteral("The whole feasible region satisfies this constraint")));
    EXPECT_TRUE(view.limitAreas[2].empty());
}

TEST(NadirValueText, FixedWithThreeDecimals)
{
    EXPECT_EQ(NadirValueText(4), QStringLiteral("4.000"));
    EXPECT_EQ(NadirValueText(-12.34567L), QStringLiteral("-12.346"));
    EXPECT_EQ(NadirValueText(123456.789L), QStringLiteral("123457.000"));
}

} // namespace

namespace {

// The nadir of an objective that the pay-off table already holds is found
// at once, named by the later of the two solutions that share the worst
// value, and known from then on.
TEST(NadirArea, WorstStoredValueThatIsTheNadirIsFoundThenKnown)
{
    GuiApp();
    auto ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow(*ws, ui, ui);
    QTemporaryDir dir;
    flow.startUp(dir.path());
    flow.file().openProblemFile(
        QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("three_objectives_degenerate.mlp")));
    ui.normalizations.push_back(false);
    flow.compute().computePayoffCommand();
    ASSERT_EQ(flow.phase(), Phase::Solutions);
    WeightSpaceView view(*ws);
    view.initialise(true);
    Real w = 0;
    ASSERT_EQ(WorstStoredSolution(*ws, 1, w), 3);
    EXPECT_EQ(static_cast<double>(w), 4.0);
    for (const char* expected : {"FOUND: the nadir for F1is 4.000 and it is in the payoff table (solution 3)",
                                 "ALREADY KNOWN: the nadir for F1 is 4.000, given by solution 3"}) {
        ui.clear();
        ui.objectiveChoices.push_back(ObjectiveChoice{0, QString()});
        flow.weightSpace().nadirAreaCommand(view, 100, 50);
        EXPECT_TRUE(ui.log.join(QLatin1Char('\n')).contains(QString::fromLatin1(expected)))
            << ui.log.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_EQ(ws->nadirSource[1], 3);
    EXPECT_FALSE(view.hasNadirAreas());
}

} // namespace

namespace {

class NadirAreasOfRandomProblems : public ::testing::TestWithParam<std::uint32_t> {};

// When the worst stored value is not yet the nadir, the areas still to
// search are drawn grey: every piece's inside shows #E9E9E9, and nothing
// was recorded as the nadir. When it is, it is recorded and no area drawn.
TEST_P(NadirAreasOfRandomProblems, AreasAreDrawnOnlyWhileTheNadirIsOpen)
{
    GuiApp();
    RandomProblemSpec shape;
    shape.variables = 6;
    shape.constraints = 5;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("random.mlp"));
    ASSERT_TRUE(WriteProblemFile(path, *makeRandomProblem(GetParam(), shape)).ok);
    auto ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow(*ws, ui, ui);
    flow.startUp(dir.path());
    flow.file().openProblemFile(path);
    ui.normalizations.push_back(false);
    flow.compute().computePayoffCommand();
    ASSERT_EQ(flow.phase(), Phase::Solutions) << ui.log.join(QLatin1Char('\n')).toStdString();
    WeightSpaceView view(*ws);
    view.initialise(true);
    int open = 0;
    for (int k = 1; k <= 3; ++k) {
        ws->nadirSource[k] = 0;
        ui.objectiveChoices.push_back(ObjectiveChoice{k - 1, QString()});
        flow.weightSpace().nadirAreaCommand(view, 0, 0);
        if (view.nadirAreas[k].empty()) {
            EXPECT_GE(ws->nadirSource[k], 1) << k;
            continue;
        }
        ++open;
        EXPECT_EQ(ws->nadirSource[k], 0) << k;
        EXPECT_TRUE(view.hasNadirAreas());
        for (const UmaRegIndif& piece : view.nadirAreas[k]) {
            if (RegionArea(3, piece) < 1)
                continue;
            XY c{0, 0};
            for (int i = 1; i <= piece.Numvertices; ++i) {
                c.x += piece.vertices[i].x / piece.Numvertices;
                c.y += piece.vertices[i].y / piece.Numvertices;
            }
            EXPECT_EQ(view.picture().pixel(view.geometry().WeightToPixel(c)), qRgb(0xE9, 0xE9, 0xE9)) << k;
        }
    }
    RecordProperty("open", open);
    EXPECT_EQ(flow.lastOutcome(), Outcome::Done);
}

INSTANTIATE_TEST_SUITE_P(Seeds, NadirAreasOfRandomProblems, ::testing::Values(3u, 11u, 23u, 57u, 91u, 123u));

} // namespace
