#include "weightspace/ContractedConeView.h"

#include "weightspace/WeightSpaceView.h"

#include "GuiApp.h"
#include "ScriptedUiPort.h"
#include "flow/Session.h"
#include "methods/Icw.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

QRgb rgb(Color c) { return qRgb(colorRed(c), colorGreen(c), colorBlue(c)); }
const QRgb kWhitePixel = qRgb(255, 255, 255);
const QRgb kBlackPixel = qRgb(0, 0, 0);
const QRgb kGreyPixel = qRgb(0xC0, 0xC0, 0xC0);

const Color kRed = rgbColor(200, 30, 30);
const Color kBlue = rgbColor(40, 40, 220);

UmaRegIndif polygon(std::initializer_list<XY> vertices)
{
    UmaRegIndif p;
    for (const XY& v : vertices)
        p.vertices[++p.Numvertices] = v;
    return p;
}

const UmaRegIndif kWholeTriangle = polygon({{0, 0}, {1, 0}, {0, 1}});

// A workspace in the middle of an ICW run: basket solutions of the given
// colours (the first one with region index `firstRegion` in the weight space
// view's list, 0 for none; the regions before it are empty) and the
// iteration's solutions with their cone regions.
struct IcwPicture {
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();

    IcwPicture(int objectives, std::initializer_list<Color> colours, int firstRegion = 0)
    {
        ws->numObjectives = objectives;
        ws->weightSpace3 = objectives == 3;
        ws->weightSpace2 = objectives == 2;
        ws->clearSolutions();
        for (Color c : colours) {
            SolSolutionBasket sol;
            sol.cor = c;
            (void)ws->appendSolution(sol);
        }
        if (firstRegion > 0) {
            while (ws->regionCount < firstRegion)
                (void)ws->appendRegion(UmaOuMaisRegioes{});
            ws->chainRegion(1, firstRegion);
        }
        ws->activeMethod = MethodKind::Icw;
        ws->methodIteration = 2;
        InitIcwWeights(*ws);
        ws->resetIcwVectors(0);
    }
    void addIcwSolution(int basketIndex, const UmaRegIndif& region)
    {
        ws->appendIcwVector(basketIndex, region);
    }
};

QPoint centre(const WeightSpaceGeometry& g, const UmaRegIndif& p)
{
    if (g.objectives == 2) {
        const QPoint bottom = g.WeightToPixel((p.vertices[1].x + p.vertices[2].x) / 2, 0);
        return bottom - QPoint(0, WeightSpaceGeometry::kStripHeight / 2);
    }
    XY sum{0, 0};
    for (int v = 1; v <= p.Numvertices; ++v)
        sum = XY{sum.x + p.vertices[v].x, sum.y + p.vertices[v].y};
    return g.WeightToPixel(sum.x / p.Numvertices, sum.y / p.Numvertices);
}

struct LegendCase {
    int objectives;
    double zoom;
};

class ConeLegend : public ::testing::TestWithParam<LegendCase> {};

// Vectors 1 and 2 found the same solution: both regions are drawn in its
// colour, the legend names it once, and the legend column lies inside the
// picture and its scroll extent at every zoom.
TEST_P(ConeLegend, OneEntryPerSolutionAndBothRegionsDrawn)
{
    GuiApp();
    const int p = GetParam().objectives;
    IcwPicture icw(p, {kRed, kBlue});
    const bool three = p == 3;
    const UmaRegIndif regions[3] = {
        three ? polygon({{0, 0}, {0.5L, 0}, {0, 0.5L}}) : polygon({{0, 0}, {0.3L, 0}}),
        three ? polygon({{0.5L, 0}, {1, 0}, {0.5L, 0.5L}}) : polygon({{0.3L, 0}, {0.6L, 0}}),
        three ? polygon({{0, 0.5L}, {0.5L, 0.5L}, {0, 1}}) : polygon({{0.6L, 0}, {1, 0}})};
    icw.addIcwSolution(1, regions[0]);
    icw.addIcwSolution(1, regions[1]);
    icw.addIcwSolution(2, regions[2]);
    ContractedConeView cone(*icw.ws);
    cone.initialise(true);
    cone.setLabelMarks(false, true);
    cone.setZoomFactor(GetParam().zoom);
    cone.RedrawTriangulo();
    const QImage& image = cone.picture();
    const WeightSpaceGeometry& g = cone.geometry();
    EXPECT_EQ(image.pixel(centre(g, regions[0])), rgb(kRed));
    EXPECT_EQ(image.pixel(centre(g, regions[1])), rgb(kRed));
    EXPECT_EQ(image.pixel(centre(g, regions[2])), rgb(kBlue));

    const int x = g.side() + 60;
    const QRect legend(x, 1, ContractedConeView::kLegendWidth, 3 * 12);
    EXPECT_TRUE(image.rect().contains(legend));
    EXPECT_TRUE(QRect(QPoint(0, 0), cone.scrollExtent()).contains(legend));
    EXPECT_EQ(image.pixel(x + 5, 6), rgb(kRed));
    EXPECT_EQ(image.pixel(x + 5, 12 + 6), rgb(kBlue));
    EXPECT_EQ(image.pixel(x + 5, 24 + 6), kWhitePixel) << "a third entry for a repeated solution";
    EXPECT_EQ(image.pixel(x, 6), kBlackPixel) << "the swatch's border";
}

INSTANTIATE_TEST_SUITE_P(Zooms, ConeLegend,
                         ::testing::Values(LegendCase{3, 1.0}, LegendCase{3, 1.5}, LegendCase{3, 3.0},
                                           LegendCase{2, 1.0}, LegendCase{2, 3.0}));

// At 100 % the cone's corners sit where the weight space view puts the
// objectives' corners: (15, 368), (365, 368) and (15, 18).
TEST(ContractedCone, CornersOfTheTriangleAtFullSize)
{
    GuiApp();
    IcwPicture icw(3, {kRed});
    icw.addIcwSolution(1, kWholeTriangle);
    ContractedConeView cone(*icw.ws);
    cone.initialise(true);
    cone.setLabelMarks(false, true);
    cone.setWeightDots(false); // the extreme vectors' dots sit on the corners
    cone.RedrawTriangulo();
    const QImage& image = cone.picture();
    // The two-pixel frame covers the corners; the region lies just inside.
    for (QPoint frame : {QPoint(15, 369), QPoint(365, 368), QPoint(15, 17)})
        EXPECT_EQ(image.pixel(frame), kBlackPixel) << frame.x() << "," << frame.y();
    for (QPoint inside : {QPoint(19, 365), QPoint(352, 365), QPoint(18, 32)})
        EXPECT_EQ(image.pixel(inside), rgb(kRed)) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(19, 374), QPoint(372, 365), QPoint(60, 12)})
        EXPECT_EQ(image.pixel(outside), kWhitePixel) << outside.x() << "," << outside.y();
}

struct HatchCase {
    int firstRegion; // the solution's first region in the weight space view
    QPoint along;    // a step that stays on a hatch line
    QPoint across;   // a step that leaves it
};

class ConeHatch : public ::testing::TestWithParam<HatchCase> {};

// Patterned, a region takes the hatch of its solution's first region in the
// weight space view; a solution without one there is still drawn, with the
// hatch of index 0 ("\").
TEST_P(ConeHatch, FollowsTheSolutionsFirstRegion)
{
    GuiApp();
    IcwPicture icw(3, {kRed}, GetParam().firstRegion);
    icw.addIcwSolution(1, kWholeTriangle);
    ContractedConeView cone(*icw.ws);
    cone.initialise(true);
    cone.setLabelMarks(false, true);
    cone.setPatternFill(true);
    const QImage& image = cone.picture();
    const QRgb red = rgb(kRed);
    int lines = 0;
    for (int i = 0; i < 60; ++i) {
        const QPoint at(60 + i, 250);
        if (image.pixel(at) != red)
            continue;
        ++lines;
        EXPECT_EQ(image.pixel(at + GetParam().along), red) << i;
        EXPECT_NE(image.pixel(at + GetParam().across), red) << i;
    }
    EXPECT_GT(lines, 3);
    EXPECT_LT(lines, 30);
}

INSTANTIATE_TEST_SUITE_P(Regions, ConeHatch,
                         ::testing::Values(HatchCase{0, {1, 1}, {1, -1}}, HatchCase{6, {1, 1}, {1, -1}},
                                           HatchCase{3, {1, -1}, {1, 1}}));

// The second iteration starts the view afresh with the weight space view's
// look; later iterations keep what the person chose since.
TEST(ContractedCone, SecondIterationTakesTheLookLaterOnesKeepTheirs)
{
    GuiApp();
    IcwPicture icw(3, {kRed});
    icw.addIcwSolution(1, kWholeTriangle);
    WeightSpaceView view(*icw.ws);
    view.initialise(true);
    view.setPatternFill(true);
    view.setProjection(WeightProjection::Equilateral);
    ContractedConeView cone(*icw.ws);
    cone.initialise(true);
    cone.setZoomFactor(2.0);

    EXPECT_TRUE(cone.drawIteration(view));
    EXPECT_EQ(cone.zoomFactor(), 1.0);
    EXPECT_TRUE(cone.patternFill());
    EXPECT_EQ(cone.geometry().projection, WeightProjection::Equilateral);
    const QPoint centreDot = cone.geometry().WeightToPixel(1.0L / 3, 1.0L / 3);
    EXPECT_EQ(cone.picture().pixel(centreDot), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(cone.picture().pixel(centreDot - QPoint(4, 0)), kBlackPixel);

    cone.setPatternFill(false);
    cone.setZoomFactor(1.5);
    icw.ws->methodIteration = 3;
    EXPECT_FALSE(cone.drawIteration(view));
    EXPECT_EQ(cone.zoomFactor(), 1.5);
    EXPECT_FALSE(cone.patternFill());
    EXPECT_EQ(cone.picture().pixel(cone.geometry().WeightToPixel(1.0L / 3, 1.0L / 3)), kWhitePixel);
}

// ---- The contracted cone in the weight space view ---------------------------------------

struct GreyCase {
    MethodKind method;
    int iteration;
    bool patternFill;
    bool grey; // the cone is drawn
};

class ConeInWeightSpace : public ::testing::TestWithParam<GreyCase> {};

// Over one solution filling the triangle, the cone (0.2, 0.2), (0.6, 0.2),
// (0.2, 0.6) is grey inside and nowhere else, and the solution's colour is
// still seen inside: through the grey hatch when solid, over the grey when
// patterned.
TEST_P(ConeInWeightSpace, GreyOnlyInsideTheConeWhileIcwIsPastItsFirstIteration)
{
    GuiApp();
    IcwPicture icw(3, {kRed}, 1);
    icw.ws->regions[1] = UmaOuMaisRegioes{kWholeTriangle, 100, 0};
    icw.ws->activeMethod = GetParam().method;
    icw.ws->methodIteration = GetParam().iteration;
    icw.ws->contractedSpace = polygon({{0.2L, 0.2L}, {0.6L, 0.2L}, {0.2L, 0.6L}});
    WeightSpaceView view(*icw.ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    view.setPatternFill(GetParam().patternFill);
    const QImage& image = view.picture();
    const WeightSpaceGeometry& g = view.geometry();
    int greyInside = 0, redInside = 0, greyOutside = 0;
    for (int Y = g.topMargin(); Y < g.topMargin() + g.side(); ++Y) {
        for (int X = 15; X < 15 + g.side(); ++X) {
            const XY w = g.PixelToWeight(X, Y);
            const Real margin = 3 / g.scale();
            const bool inside = w.x > 0.2L + margin && w.y > 0.2L + margin && w.x + w.y < 0.8L - 2 * margin;
            const bool outside = w.x < 0.2L - margin || w.y < 0.2L - margin || w.x + w.y > 0.8L + 2 * margin;
            const QRgb c = image.pixel(X, Y);
            greyInside += inside && c == kGreyPixel;
            redInside += inside && c == rgb(kRed);
            greyOutside += outside && c == kGreyPixel;
        }
    }
    EXPECT_EQ(greyOutside, 0);
    EXPECT_EQ(greyInside > 0, GetParam().grey);
    EXPECT_GT(redInside, 0);
}

INSTANTIATE_TEST_SUITE_P(States, ConeInWeightSpace,
                         ::testing::Values(GreyCase{MethodKind::Icw, 2, false, true}, GreyCase{MethodKind::Icw, 2, true, true},
                                           GreyCase{MethodKind::Icw, 1, false, false},
                                           GreyCase{MethodKind::None, 2, false, false}));

// The first iteration draws over what is there: its solutions' regions and
// a white dot at each of the 2p + 1 weight vectors.
TEST(IcwInWeightSpace, FirstIterationAddsRegionsAndDots)
{
    GuiApp();
    IcwPicture icw(3, {kRed}, 1);
    icw.ws->regions[1] = UmaOuMaisRegioes{kWholeTriangle, 100, 0};
    icw.ws->methodIteration = 1;
    for (int i = 1; i <= 7; ++i)
        icw.addIcwSolution(1, UmaRegIndif{});
    WeightSpaceView view(*icw.ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    view.ClearPicture();
    view.drawIcwIteration();
    const WeightSpaceGeometry& g = view.geometry();
    EXPECT_EQ(view.picture().pixel(g.WeightToPixel(0.3L, 0.1L)), rgb(kRed));
    for (int i = 1; i <= 7; ++i) {
        const QPoint dot = g.WeightToPixel(icw.ws->icwWeights[i][1], icw.ws->icwWeights[i][2]);
        EXPECT_EQ(view.picture().pixel(dot), kWhitePixel) << i;
    }
}

// ---- A real ICW run ------------------------------------------------------------------------

// After a second iteration on a problem, each cone region that is wide
// enough shows its solution's colour at its centre, and the legend has one
// row per distinct solution.
TEST(ContractedCone, RegionsOfARealIterationShowTheirSolutions)
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
    flow.methods().icwFirstIterationCommand();
    ui.icwChoices.push_back(7);
    flow.methods().icwNewIterationCommand();
    ASSERT_EQ(ws->methodIteration, 2) << ui.log.join(QLatin1Char('\n')).toStdString();

    WeightSpaceView view(*ws);
    view.initialise(true);
    view.setLabels(RegionLabels::None);
    ContractedConeView cone(*ws);
    ASSERT_TRUE(cone.drawIteration(view));
    cone.setWeightDots(false); // a dot may sit on a centre
    cone.RedrawTriangulo();
    const WeightSpaceGeometry& g = cone.geometry();
    std::set<int> distinct;
    int checked = 0;
    for (int j = 1; j <= ws->icwCount; ++j) {
        const int b = ws->icwSolutions[static_cast<std::size_t>(j)];
        distinct.insert(b);
        const UmaRegIndif& region = ws->icwRegions[static_cast<std::size_t>(j)];
        if (region.Numvertices < 3)
            continue;
        const QPoint at = centre(g, region);
        bool uniform = true;
        for (int d = -3; d <= 3; ++d)
            uniform = uniform && cone.picture().pixel(at + QPoint(d, 0)) == cone.picture().pixel(at)
                      && cone.picture().pixel(at + QPoint(0, d)) == cone.picture().pixel(at);
        if (!uniform)
            continue; // too thin to tell
        EXPECT_EQ(cone.picture().pixel(at), rgb(ws->basket[b].cor)) << "vector " << j;
        ++checked;
    }
    EXPECT_GT(checked, 0);
    const int rows = static_cast<int>(distinct.size());
    const int x = cone.legendX();
    EXPECT_NE(cone.picture().pixel(x + 5, 12 * (rows - 1) + 6), kWhitePixel);
    EXPECT_EQ(cone.picture().pixel(x + 5, 12 * rows + 6), kWhitePixel);
}

} // namespace
