#include "weightspace/WeightSpaceView.h"

#include "weightspace/WeightSpaceCommands.h"

#include "GuiApp.h"
#include "TestEngine.h"
#include "ScriptedUiPort.h"
#include "flow/WindowCommands.h"
#include "ShownThroughPort.h"
#include "flow/Session.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"
#include "solutions/Computation.h"
#include "solutions/Payoff.h"
#include "solutions/Regions.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <memory>

namespace {

QRgb rgb(Color c) { return qRgb(colorRed(c), colorGreen(c), colorBlue(c)); }

UmaRegIndif polygon(std::initializer_list<XY> vertices)
{
    UmaRegIndif p;
    for (const XY& v : vertices)
        p.vertices[++p.Numvertices] = v;
    return p;
}

// Appends a solution of colour `c` whose chain holds `regions`.
void addSolution(Workspace& ws, Color c, std::initializer_list<UmaRegIndif> regions)
{
    SolSolutionBasket sol;
    sol.cor = c;
    const int index = ws.appendSolution(sol);
    for (const UmaRegIndif& region : regions)
        ws.chainRegion(index, ws.appendRegion(UmaOuMaisRegioes{region, RegionArea(ws.numObjectives, region), 0}));
}

std::unique_ptr<Workspace> handMadeWorkspace(int objectives)
{
    auto ws = std::make_unique<Workspace>();
    ws->numObjectives = objectives;
    ws->weightSpace3 = objectives == 3;
    ws->weightSpace2 = objectives == 2;
    ws->basket.resize(1);
    ws->regions.resize(1);
    return ws;
}

// Signed distance of w inside a convex polygon (negative outside), in
// weight units, whatever the orientation of its vertices.
Real insideMargin(const UmaRegIndif& p, const XY& w)
{
    Real turn = 0;
    for (int i = 1; i <= p.Numvertices; ++i) {
        const XY& a = p.vertices[i];
        const XY& b = p.vertices[i % p.Numvertices + 1];
        turn += a.x * b.y - b.x * a.y;
    }
    Real margin = 1e9;
    for (int i = 1; i <= p.Numvertices; ++i) {
        const XY& a = p.vertices[i];
        const XY& b = p.vertices[i % p.Numvertices + 1];
        const Real len = std::hypot(b.x - a.x, b.y - a.y);
        const Real cross = (b.x - a.x) * (w.y - a.y) - (b.y - a.y) * (w.x - a.x);
        margin = std::min(margin, (turn > 0 ? cross : -cross) / len);
    }
    return margin;
}

const Color kRed = rgbColor(200, 30, 30);
const Color kGreen = rgbColor(30, 160, 60);
const Color kBlue = rgbColor(40, 40, 220);

struct Look {
    WeightProjection projection;
    double zoom;
};

class ThreeRegions : public ::testing::TestWithParam<Look> {
protected:
    void SetUp() override
    {
        GuiApp();
        const XY centre{1.0L / 3, 1.0L / 3};
        addSolution(*ws, kRed, {polygon({{0, 0}, {1, 0}, centre})});
        addSolution(*ws, kGreen, {polygon({{1, 0}, {0, 1}, centre})});
        addSolution(*ws, kBlue, {polygon({{0, 1}, {0, 0}, centre})});
        view.initialise(true);
        view.setProjection(GetParam().projection);
        view.setZoomFactor(GetParam().zoom);
        // After the zoom: every initialisation turns the labels back on.
        view.setLabels(RegionLabels::None);
    }
    std::unique_ptr<Workspace> ws = handMadeWorkspace(3);
    WeightSpaceView view{*ws};
};

// Every pixel whose weight lies inside a region, two pixels away from its
// border, has the region's colour; none of the regions' colours leak out.
TEST_P(ThreeRegions, PixelsInsideEachPolygonHaveItsColour)
{
    const WeightSpaceGeometry& g = view.geometry();
    const QImage& image = view.picture();
    const Real margin = 2.5L / g.scale();
    int checked = 0;
    for (int Y = 0; Y < g.topMargin() + g.side() + 19; Y += 2) {
        for (int X = 0; X < g.side() + 60; X += 2) {
            const XY w = g.PixelToWeight(X, Y);
            for (int sol = 1; sol <= 3; ++sol) {
                const UmaRegIndif& p = ws->regions[ws->basket[sol].indRegIndif].Regiao;
                const Real m = insideMargin(p, w);
                if (m > margin) {
                    ASSERT_EQ(image.pixel(X, Y), rgb(ws->basket[sol].cor)) << X << "," << Y;
                    ++checked;
                } else if (m < -margin && X < g.side() + 20 && image.pixel(X, Y) == rgb(ws->basket[sol].cor)) {
                    ADD_FAILURE() << "colour of " << sol << " outside its region at " << X << "," << Y;
                }
            }
        }
    }
    EXPECT_GT(checked, 5000);
}

TEST_P(ThreeRegions, FrameCornersAndLegendSwatches)
{
    const WeightSpaceGeometry& g = view.geometry();
    const QImage& image = view.picture();
    const QPoint a = g.WeightToPixel(0, 0);
    const QPoint b = g.WeightToPixel(1, 0);
    EXPECT_EQ(image.pixel(a.x() + 5, a.y() + 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(b.x() - 5, b.y() + 1), qRgb(0, 0, 0));
    for (int r = 1; r <= 3; ++r) {
        const int x0 = g.side() + 25;
        const int y0 = 12 * (r - 1) + 1;
        EXPECT_EQ(image.pixel(x0 + 5, y0 + 5), rgb(ws->basket[r].cor)) << r;
        EXPECT_EQ(image.pixel(x0, y0 + 5), qRgb(0, 0, 0)) << r;
    }
}

// A saved picture is the drawing and its legend without the empty canvas
// around them: what is not white spans nearly all of it both ways.
TEST_P(ThreeRegions, SavedPictureIsCroppedToTheDrawing)
{
    const QImage saved = view.savedPicture();
    ASSERT_LT(saved.width(), view.picture().width());
    const QRect content = ContentRect(saved, Qt::white, 0);
    EXPECT_GE(content.width(), saved.width() * 9 / 10);
    EXPECT_GE(content.height(), saved.height() * 9 / 10);
    // The legend is kept.
    EXPECT_GT(saved.width(), view.geometry().side() + 25 + 10);
}

INSTANTIATE_TEST_SUITE_P(Looks, ThreeRegions,
                         ::testing::Values(Look{WeightProjection::RightTriangle, 1.0},
                                           Look{WeightProjection::Equilateral, 1.0},
                                           Look{WeightProjection::RightTriangle, 2.0},
                                           Look{WeightProjection::Equilateral, 1.5}));

TEST(WeightSpacePicture, RegionThirtyThreeOpensTheSecondLegendColumn)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    for (int i = 0; i < 33; ++i) {
        const Real x = i / 40.0L;
        addSolution(*ws, rgbColor(5 * i, 100, 200 - 5 * i), {polygon({{x, 0}, {x + 0.02L, 0}, {x, 0.02L}})});
    }
    WeightSpaceView view(*ws);
    view.initialise(true);
    const int before = view.scrollExtent().width();
    view.RedrawTriangulo();
    const int x1 = view.geometry().side() + 25 + 35;
    EXPECT_EQ(view.picture().pixel(x1 + 5, 6), rgb(ws->basket[33].cor));
    EXPECT_EQ(view.picture().pixel(view.geometry().side() + 25 + 5, 12 * 31 + 6), rgb(ws->basket[32].cor));
    EXPECT_EQ(view.scrollExtent().width(), before + 35);
}

TEST(WeightSpacePicture, StripShowsEachSegmentAboveIt)
{
    GuiApp();
    auto ws = handMadeWorkspace(2);
    addSolution(*ws, kRed, {polygon({{0, 0}, {0.4L, 0}})});
    addSolution(*ws, kBlue, {polygon({{0.4L, 0}, {1, 0}})});
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    view.RedrawTriangulo();
    const QImage& image = view.picture();
    for (int Y = 33; Y <= 92; Y += 6) {
        EXPECT_EQ(image.pixel(15 + 70, Y), rgb(kRed)) << Y;
        EXPECT_EQ(image.pixel(15 + 300, Y), rgb(kBlue)) << Y;
    }
    EXPECT_EQ(image.pixel(200, 96), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(200, 110), qRgb(255, 255, 255));
}

TEST(WeightSpacePicture, OnlyTheChosenRegionOfADegenerateSolutionIsDrawn)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    addSolution(*ws, kRed, {polygon({{0, 0}, {0.5L, 0}, {0, 0.5L}}), polygon({{0.5L, 0}, {1, 0}, {0.5L, 0.5L}})});
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    view.ClearPicture();
    ASSERT_TRUE(view.ActualizaRegion(1, 2));
    EXPECT_FALSE(view.ActualizaRegion(1, 3));
    const QPoint first = view.geometry().WeightToPixel(0.15L, 0.15L);
    const QPoint second = view.geometry().WeightToPixel(0.65L, 0.15L);
    EXPECT_EQ(view.picture().pixel(first), qRgb(255, 255, 255));
    EXPECT_EQ(view.picture().pixel(second), rgb(kRed));
    // The legend entry belongs to region 2 of the list: its second row.
    EXPECT_EQ(view.picture().pixel(view.geometry().side() + 30, 12 + 6), rgb(kRed));
}

TEST(WeightSpacePicture, SavedFilesHoldThePictureAndAFailedSaveKeepsTheOldFile)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    addSolution(*ws, kGreen, {polygon({{0, 0}, {1, 0}, {0, 1}})});
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.RedrawTriangulo();
    QTemporaryDir dir;
    for (const char* name : {"w.png", "w.bmp"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QString error;
        ASSERT_TRUE(view.savePicture(path, error)) << error.toStdString();
        const QImage back(path);
        ASSERT_EQ(back.size(), view.savedPicture().size()) << name;
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), view.savedPicture()) << name;
    }
    QString error;
    EXPECT_FALSE(view.savePicture(dir.filePath(QStringLiteral("missing/w.bmp")), error));
    EXPECT_FALSE(error.isEmpty());
}

// ---- Picking weights on generated problems ---------------------------------------------

class PickedWeightsOnRandomProblems : public ::testing::TestWithParam<std::uint32_t> {};

// A pixel well inside a drawn region gives, by a weighted sum at its
// weights, the objective values of the solution that owns the colour.
TEST_P(PickedWeightsOnRandomProblems, WeightedSumAtAPixelGivesTheSolutionOfItsColour)
{
    GuiApp();
    RandomProblemSpec shape;
    shape.variables = 6;
    shape.constraints = 5;
    std::unique_ptr<Workspace> ws = makeRandomProblem(GetParam(), shape);
    ResetComputedState(*ws);
    ApplyNormalization(*ws, false);
    ScriptedUiPort ui;
    ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    for (const XY& w : {XY{0.3L, 0.3L}, XY{0.6L, 0.2L}, XY{0.1L, 0.7L}, XY{0.2L, 0.1L}}) {
        ws->sumWeights = {0, w.x, w.y, 1 - w.x - w.y};
        ASSERT_EQ(Shown(ui, ComputeFromWeights(*ws, engine(), false)).status, SolveStatus::Optimal);
    }
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    view.RedrawTriangulo();
    const QImage picture = view.picture();
    std::map<QRgb, int> owner;
    for (int sol = 1; sol <= ws->basketCount; ++sol)
        owner[rgb(ws->basket[sol].cor)] = owner.count(rgb(ws->basket[sol].cor)) ? -1 : sol;
    const WeightSpaceGeometry& g = view.geometry();
    int checked = 0;
    for (int Y = g.topMargin() + 7; Y < g.topMargin() + g.side(); Y += 29) {
        for (int X = 22; X < 15 + g.side(); X += 29) {
            const QRgb c = picture.pixel(X, Y);
            bool uniform = true;
            for (int d = -3; d <= 3 && uniform; ++d)
                uniform = picture.pixel(X + d, Y) == c && picture.pixel(X, Y + d) == c;
            const auto found = owner.find(c);
            if (!uniform || found == owner.end() || found->second < 1)
                continue;
            const PickedWeights picked = WeightsAtPixel(g, X, Y);
            ASSERT_TRUE(picked.inside);
            ws->sumWeights = picked.weights;
            ASSERT_EQ(Shown(ui, ComputeFromWeights(*ws, engine(), false)).status, SolveStatus::Optimal);
            for (int k = 1; k <= 3; ++k)
                EXPECT_NEAR(static_cast<double>(ws->currentF[k]), static_cast<double>(ws->basket[found->second].f[k]),
                            1e-6 * (1 + std::fabs(static_cast<double>(ws->currentF[k]))))
                    << "pixel " << X << "," << Y << " of solution " << found->second;
            ++checked;
        }
    }
    EXPECT_GT(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PickedWeightsOnRandomProblems, ::testing::Values(11u, 23u, 57u, 91u));

// ---- The pick command of the main flow -------------------------------------------------

TEST(WeightSpacePick, ClickedWeightsAreSolvedWithoutTheLimitations)
{
    GuiApp();
    auto ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow(*ws, ui, ui);
    QTemporaryDir dir;
    flow.startUp(dir.path());
    flow.file().openProblemFile(QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("three_objectives_degenerate.mlp")));
    ui.normalizations.push_back(false);
    flow.compute().computePayoffCommand();
    ASSERT_EQ(flow.phase(), Phase::Solutions) << ui.log.join(QLatin1Char('\n')).toStdString();
    ws->limitsActive = true;
    ws->pickedWeights = {0, 0.2L, 0.2L, 0.6L};
    ui.grids.push_back(QStringList{QStringLiteral("0.2"), QStringLiteral("0.2"), QStringLiteral("0.6")});
    ui.clear();
    flow.weightSpace().weightSpacePickCommand();
    EXPECT_EQ(flow.lastOutcome(), Outcome::Done) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_TRUE(ui.log.join(QLatin1Char('\n'))
                    .contains(QStringLiteral("Limitations imposed on the o.f. values will not be  considered")));
    EXPECT_NEAR(static_cast<double>(ws->sumWeights[3]), 0.6, 1e-12);
}

} // namespace

namespace {

struct HatchCase {
    RegionFill fill;
    QPoint along;  // a step that stays on a hatch line
    QPoint across; // a step that leaves it
    QPoint scan;   // the way the test walks to cross the lines
};

class Hatches : public ::testing::TestWithParam<HatchCase> {};

// "\" runs down to the right, "/" up to the right; lines, not a solid fill.
TEST_P(Hatches, RunTheirWay)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.DrawRegionPolygon(polygon({{0, 0}, {1, 0}, {0, 1}}), GetParam().fill, 0, QColor(Qt::black),
                           OutlineStyle::Invisible, QColor(200, 30, 30));
    const QImage& image = view.picture();
    const QRgb red = qRgb(200, 30, 30);
    int lines = 0;
    for (int i = 0; i < 60; ++i) {
        const QPoint p = QPoint(60, 250) + i * GetParam().scan;
        if (image.pixel(p) != red)
            continue;
        ++lines;
        EXPECT_EQ(image.pixel(p + GetParam().along), red) << i;
        EXPECT_NE(image.pixel(p + GetParam().across), red) << i;
    }
    EXPECT_GT(lines, 3);
    EXPECT_LT(lines, 30);
}

INSTANTIATE_TEST_SUITE_P(Fills, Hatches,
                         ::testing::Values(HatchCase{RegionFill::BackDiagonal, {1, 1}, {1, -1}, {1, 0}},
                                           HatchCase{RegionFill::ForwardDiagonal, {1, -1}, {1, 1}, {1, 0}},
                                           HatchCase{RegionFill::Vertical, {0, 1}, {1, 0}, {1, 0}},
                                           HatchCase{RegionFill::Horizontal, {1, 0}, {0, 1}, {0, 1}}));

TEST(WeightSpaceAreas, ANewProblemStartsWithoutTheAreasOfTheLastOne)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.limitAreas[1].push_back(polygon({{0, 0}, {1, 0}, {0, 1}}));
    view.nadirAreas[2].push_back(polygon({{0, 0}, {1, 0}, {0, 1}}));
    view.setZoomFactor(2.0);
    EXPECT_FALSE(view.limitAreas[1].empty()) << "a zoom keeps them";
    view.initialise(true);
    EXPECT_TRUE(view.limitAreas[1].empty());
    EXPECT_FALSE(view.hasNadirAreas());
}

} // namespace

namespace {

struct ShowOneCase {
    std::vector<std::optional<QString>> answers;
    bool firstDrawn, secondDrawn, otherDrawn;
    bool invalid; // "Invalid data"
};

class ShowOne : public ::testing::TestWithParam<ShowOneCase> {};

// Solution 1 is degenerate with two regions, solution 2 has one. The picture
// is cleared first, as "Show only one solution/region" does.
TEST_P(ShowOne, DrawsWhatWasAskedFor)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    addSolution(*ws, kRed, {polygon({{0, 0}, {0.5L, 0}, {0, 0.5L}}), polygon({{0.5L, 0}, {1, 0}, {0.5L, 0.5L}})});
    addSolution(*ws, kBlue, {polygon({{0, 0.5L}, {0.5L, 0.5L}, {0, 1}})});
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    ScriptedUiPort ui;
    for (const auto& a : GetParam().answers)
        ui.inputs.push_back(a);
    ShowOneCommand(view, *ws, ui, true);
    const WeightSpaceGeometry& g = view.geometry();
    const auto colourAt = [&](Real l1, Real l2) { return view.picture().pixel(g.WeightToPixel(l1, l2)); };
    EXPECT_EQ(colourAt(0.15L, 0.15L) == rgb(kRed), GetParam().firstDrawn);
    EXPECT_EQ(colourAt(0.65L, 0.15L) == rgb(kRed), GetParam().secondDrawn);
    EXPECT_EQ(colourAt(0.1L, 0.65L) == rgb(kBlue), GetParam().otherDrawn);
    EXPECT_EQ(ui.log.join(QLatin1Char('\n')).contains(QStringLiteral("Invalid data")), GetParam().invalid);
}

const std::optional<QString> kCancel;
QString typed(const char* text) { return QString::fromLatin1(text); }

INSTANTIATE_TEST_SUITE_P(
    Answers, ShowOne,
    ::testing::Values(ShowOneCase{{typed("2")}, false, false, true, false},
                      ShowOneCase{{typed("1"), typed("2")}, false, true, false, false},
                      ShowOneCase{{typed("1"), kCancel}, true, true, false, false},
                      ShowOneCase{{typed("1"), typed("")}, true, true, false, false},
                      ShowOneCase{{typed("1"), typed("3")}, false, false, false, false},
                      ShowOneCase{{typed("1"), typed("x")}, false, false, false, false},
                      ShowOneCase{{typed("3")}, false, false, false, true},
                      ShowOneCase{{typed("one")}, false, false, false, false}, ShowOneCase{{kCancel}, false, false, false, false}));

} // namespace

namespace {

// The arrows of "Sol. 1 preferred to Sol. 2" end on the side where 1's
// weighted sum is larger, and the legend names the pair.
TEST(PairwisePicture, ArrowsAndLegendAreDrawn)
{
    GuiApp();
    auto ws = handMadeWorkspace(3);
    addSolution(*ws, kRed, {});
    addSolution(*ws, kBlue, {});
    ws->basket[1].f = {0, 2, 2, 1};
    ws->basket[2].f = {0, 1, 1, 2};
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.setPairwise(1, 2);
    view.drawPairwise();
    const WeightSpaceGeometry& g = view.geometry();
    const std::vector<XY> ends = PairwiseEnds(view.prefLine());
    ASSERT_EQ(ends.size(), 2u);
    const XY mid{(ends[0].x + ends[1].x) / 2, (ends[0].y + ends[1].y) / 2};
    const XY end = ArrowEnd(view.prefLine(), ends[0], ends[1], mid);
    EXPECT_GT(end.x + end.y, mid.x + mid.y) << "towards l3 = 0, where solution 1 is better";
    // Halfway along the arrow's shaft, and its tip.
    const QPoint s = g.WeightToPixel(mid);
    const QPoint e = g.WeightToPixel(end);
    EXPECT_EQ(view.picture().pixel(e), qRgb(0, 0, 0));
    bool shaft = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            shaft = shaft || view.picture().pixel((s + e) / 2 + QPoint(dx, dy)) == qRgb(0, 0, 0);
    EXPECT_TRUE(shaft);
    // The legend: a dotted line at x0 = side + 20 - 2 * (side / 3).
    const int x0 = g.side() + 20 - 2 * (g.side() / 3);
    int dots = 0;
    for (int y = 1; y <= 19; ++y)
        dots += view.picture().pixel(x0, y) == qRgb(0, 0, 0);
    EXPECT_GT(dots, 3);
    EXPECT_LT(dots, 19);
}

} // namespace
