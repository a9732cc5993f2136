#include "TestEngine.h"
#include "solutions/BasketCharts.h"
#include "solutions/BarPicture.h"

#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"
#include "problem/ProblemFile.h"
#include "solutions/Computation.h"
#include "solutions/Payoff.h"
#include "base/NumberFormat.h"

#include <QCoreApplication>
#include <QDir>
#include "GuiApp.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

QRgb Rgb(Color c) { return qRgb(int(colorRed(c)), int(colorGreen(c)), int(colorBlue(c))); }
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kLimitGrey = qRgb(0x80, 0x80, 0x80);

const Color kRed = rgbColor(220, 30, 30);
const Color kGreen = rgbColor(30, 160, 60);
const Color kBlue = rgbColor(40, 60, 210);

// Objective 1 maximized, axis and box [0, 10]; objective 2 minimized, box
// [2, 12] (ideal 2, nadir 12).
std::unique_ptr<Workspace> ChartWorkspace(int k = 2)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = k;
    ws->numVariables = 2;
    ws->numConstraints = 0;
    for (int i = 1; i <= k; ++i) {
        ws->objName[i] = DefaultObjectiveName(i);
        ws->objSense[i] = 1;
        ws->idealPoint[i] = 10;
        ws->nadirPoint[i] = 0;
    }
    ws->objSense[2] = -1;
    ws->idealPoint[2] = 2;
    ws->nadirPoint[2] = 12;
    ws->UserAxisBounds = false;
    UpdateAxisBounds(*ws);
    return ws;
}

// Appends a basket entry; with a basis unless `withBasis` is false.
int AddSolution(Workspace& ws, std::initializer_list<Real> f, Color cor, bool withBasis = true)
{
    SolSolutionBasket s;
    int i = 1;
    for (Real v : f)
        s.f[i++] = v;
    vectorResEB_Int basis{};
    if (withBasis) {
        basis[1] = 1; // 1-based, zero-terminated
        basis[2] = 2;
    }
    s.vbs.push_back(StoredBasisOf(basis));
    s.cor = cor;
    return ws.appendSolution(s);
}

void AddEdge(Workspace& ws, int a, int b)
{
    (void)ws.appendEdge(a, b);
}

std::vector<int> IndexOrder(int n)
{
    std::vector<int> order(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 1; i <= n; ++i)
        order[static_cast<std::size_t>(i)] = i;
    return order;
}

QRgb Pixel(const QImage& image, QPoint p) { return image.pixel(p); }

// ---- Which chart ---------------------------------------------------------------

TEST(BasketChartPlan, FourObjectivesOpenOnTheBarChartWithThePointChartDisabled)
{
    const BasketChartPlan plan = PlanBasketChart(4, false, kProjectionAll);
    EXPECT_EQ(plan.kind, BasketChartKind::Bars);
    EXPECT_TRUE(plan.barPressed);
    EXPECT_FALSE(plan.pointEnabled);
    EXPECT_TRUE(plan.sortVisible);
    EXPECT_FALSE(plan.projectionsVisible);
    EXPECT_FALSE(PlanBasketChart(20, false, 2).pointEnabled);
    EXPECT_EQ(PlanBasketChart(1, false, 0).kind, BasketChartKind::Bars);
}

TEST(BasketChartPlan, TwoObjectivesDrawTheirPointChartWithoutTheProjectionList)
{
    const BasketChartPlan plan = PlanBasketChart(2, false, 3);
    EXPECT_EQ(plan.kind, BasketChartKind::Points);
    EXPECT_EQ(plan.a, 1);
    EXPECT_EQ(plan.b, 2);
    EXPECT_TRUE(plan.pointEnabled);
    EXPECT_FALSE(plan.sortVisible);
    EXPECT_FALSE(plan.projectionsVisible);
    EXPECT_EQ(PlanBasketChart(2, true, 0).kind, BasketChartKind::Bars);
    EXPECT_TRUE(PlanBasketChart(2, true, 0).pointEnabled);
}

TEST(BasketChartPlan, ThreeObjectivesFollowTheProjectionList)
{
    EXPECT_EQ(BasketProjectionItems(), (QStringList{QStringLiteral("F1 - F2 - F3"), QStringLiteral("F1 - F2"),
                                                    QStringLiteral("F1 - F3"), QStringLiteral("F2 - F3")}));
    EXPECT_EQ(PlanBasketChart(3, false, 0).kind, BasketChartKind::ThreeObjectives);
    EXPECT_TRUE(PlanBasketChart(3, false, 0).projectionsVisible);
    const BasketChartPlan f1f3 = PlanBasketChart(3, false, 2);
    EXPECT_EQ(f1f3.kind, BasketChartKind::Points);
    EXPECT_EQ(f1f3.a, 1);
    EXPECT_EQ(f1f3.b, 3);
    EXPECT_EQ(PlanBasketChart(3, false, 1).b, 2);
    EXPECT_EQ(PlanBasketChart(3, false, 3).a, 2);
    EXPECT_EQ(PlanBasketChart(3, false, 3).b, 3);
    EXPECT_FALSE(PlanBasketChart(3, true, 2).projectionsVisible);
}

// ---- Axis bounds -------------------------------------------------------------------

TEST(BasketAxisBounds, StartFromTheIdealNadirBoxBySense)
{
    auto ws = ChartWorkspace();
    EXPECT_EQ(ws->AxisLow[1], 0);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    // Minimized: the ideal is the low end.
    EXPECT_EQ(ws->AxisLow[2], 2);
    EXPECT_EQ(ws->AxisHigh[2], 12);
    // Until the user changes them they follow the box wherever it goes.
    ws->idealPoint[1] = 8;
    ws->nadirPoint[2] = 9;
    UpdateAxisBounds(*ws);
    EXPECT_EQ(ws->AxisHigh[1], 8);
    EXPECT_EQ(ws->AxisHigh[2], 9);
}

TEST(BasketAxisBounds, UserBoundsInsideTheBoxAreWidenedBackToIt)
{
    auto ws = ChartWorkspace();
    ws->UserAxisBounds = true;
    ws->AxisLow[1] = 3;
    ws->AxisHigh[1] = 7;
    ws->AxisLow[2] = 4;
    ws->AxisHigh[2] = 5;
    UpdateAxisBounds(*ws);
    EXPECT_EQ(ws->AxisLow[1], 0);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    EXPECT_EQ(ws->AxisLow[2], 2);
    EXPECT_EQ(ws->AxisHigh[2], 12);
    EXPECT_TRUE(ws->UserAxisBounds);
}

TEST(BasketAxisBounds, WiderUserBoundsAreKept)
{
    auto ws = ChartWorkspace();
    ws->UserAxisBounds = true;
    ws->AxisLow[1] = -5;
    ws->AxisHigh[1] = 7; // only this end is inside the box
    ws->AxisLow[2] = 0;
    ws->AxisHigh[2] = 20;
    UpdateAxisBounds(*ws);
    EXPECT_EQ(ws->AxisLow[1], -5);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    EXPECT_EQ(ws->AxisLow[2], 0);
    EXPECT_EQ(ws->AxisHigh[2], 20);
}

TEST(BasketAxisBounds, UntouchedTextsChangeNothing)
{
    vectorObj low{};
    vectorObj high{};
    low[1] = 1.0L / 3;
    high[1] = 20.0L / 3;
    low[2] = -2;
    high[2] = 12.5L;
    const AxisBoundsEdit edit = EditAxisBounds(2, low, high, {NumText(low[1]), NumText(low[2])},
                                               {NumText(high[1]), NumText(high[2])});
    EXPECT_TRUE(edit.accepted);
    EXPECT_FALSE(edit.changed);
    EXPECT_EQ(edit.low[1], low[1]); // full precision, not the 7 digits shown
    EXPECT_EQ(edit.high[1], high[1]);
    EXPECT_TRUE(edit.messages.isEmpty());
}

TEST(BasketAxisBounds, ATypedValueReplacesItsBound)
{
    vectorObj low{};
    vectorObj high{};
    low[1] = 0;
    high[1] = 10;
    low[2] = 2;
    high[2] = 12;
    const AxisBoundsEdit edit =
        EditAxisBounds(2, low, high, {QStringLiteral("0"), QStringLiteral(" 4.5 ")}, {QStringLiteral("10"), QStringLiteral("12")});
    EXPECT_TRUE(edit.accepted);
    EXPECT_TRUE(edit.changed);
    EXPECT_EQ(edit.low[2], 4.5L);
    EXPECT_EQ(edit.low[1], 0);
    EXPECT_EQ(edit.high[2], 12);
}

TEST(BasketAxisBounds, MaxNotAboveMinIsRefusedWithOneMessagePerObjective)
{
    vectorObj low{};
    vectorObj high{};
    for (int i = 1; i <= 3; ++i) {
        low[i] = 0;
        high[i] = 10;
    }
    const AxisBoundsEdit edit = EditAxisBounds(3, low, high, {QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("7")},
                                               {QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("3")});
    EXPECT_FALSE(edit.accepted);
    EXPECT_FALSE(edit.changed);
    EXPECT_EQ(edit.messages, (QStringList{QStringLiteral("Max values must be larger than Min values"),
                                          QStringLiteral("Max values must be larger than Min values")}));
    // Nothing changes, not even the valid column.
    EXPECT_EQ(edit.low[2], 0);
    EXPECT_EQ(edit.high[2], 10);
}

TEST(BasketAxisBounds, ANonNumberIsRefusedSilently)
{
    vectorObj low{};
    vectorObj high{};
    low[1] = 0;
    high[1] = 10;
    const AxisBoundsEdit edit = EditAxisBounds(1, low, high, {QStringLiteral("abc")}, {QStringLiteral("20")});
    EXPECT_FALSE(edit.accepted);
    EXPECT_FALSE(edit.changed);
    EXPECT_TRUE(edit.messages.isEmpty());
    EXPECT_EQ(edit.high[1], 10);
}

TEST(BasketAxisBounds, EditedBoundsInsideTheBoxAreWidenedAtTheNextDrawing)
{
    auto ws = ChartWorkspace();
    const AxisBoundsEdit edit = EditAxisBounds(2, ws->AxisLow, ws->AxisHigh, {QStringLiteral("4"), QStringLiteral("5")},
                                               {QStringLiteral("6"), QStringLiteral("20")});
    ASSERT_TRUE(edit.accepted);
    ASSERT_TRUE(edit.changed);
    ws->AxisLow = edit.low;
    ws->AxisHigh = edit.high;
    ws->UserAxisBounds = true;
    UpdateAxisBounds(*ws);
    EXPECT_EQ(ws->AxisLow[1], 0);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    EXPECT_EQ(ws->AxisLow[2], 2);
    EXPECT_EQ(ws->AxisHigh[2], 20);
}

// ---- Bar chart -----------------------------------------------------------------

TEST(BasketBarLayout, NumbersForTwoObjectivesAndThreeSolutions)
{
    // W = trunc(400 / (2 * 4.5)) = 44, G = 66, L = 33, H = 300 - (26 + 40).
    const BasketBarLayout l = ComputeBasketBarLayout(2, 3, QSize(400, 300), 13);
    EXPECT_EQ(l.barWidth, 44);
    EXPECT_EQ(l.groupGap, 66);
    EXPECT_EQ(l.leftMargin, 33);
    EXPECT_EQ(l.barAreaHeight, 234);
    EXPECT_FALSE(l.widened);
    EXPECT_EQ(l.groupX(1), 33);
    EXPECT_EQ(l.groupX(2), 33 + 3 * 44 + 66);
    EXPECT_EQ(l.baseY(), 264);
    EXPECT_EQ(l.pictureSize, QSize(3 * 44 * 2 + 66 + 2 * 33, 234 + 26 + 38));
}

TEST(BasketBarLayout, FractionsAreDropped)
{
    // W = trunc(300 / (1 * 19.5)) = 15, G = trunc(22.5) = 22, L = trunc(11.25) = 11.
    const BasketBarLayout l = ComputeBasketBarLayout(1, 18, QSize(300, 200), 10);
    EXPECT_EQ(l.barWidth, 15);
    EXPECT_EQ(l.groupGap, 22);
    EXPECT_EQ(l.leftMargin, 11);
    EXPECT_EQ(l.barAreaHeight, 200 - 60);
}

TEST(BasketBarLayout, NarrowWindowsGiveTenPixelBarsAndRoomForTheScrollBar)
{
    // 500 / (4 * 21.5) = 5.8: bars of 10, 16 pixels less height.
    const BasketBarLayout l = ComputeBasketBarLayout(4, 20, QSize(500, 300), 13);
    EXPECT_TRUE(l.widened);
    EXPECT_EQ(l.barWidth, 10);
    EXPECT_EQ(l.groupGap, 15);
    EXPECT_EQ(l.leftMargin, 7);
    EXPECT_EQ(l.clientHeight, 284);
    EXPECT_EQ(l.barAreaHeight, 284 - 66);
    EXPECT_EQ(l.pictureSize, QSize(20 * 10 * 4 + 3 * 15 + 14, 218 + 26 + 38));
    EXPECT_GT(l.pictureSize.width(), 500);
    // A pane that is too low keeps a bar area of 0.
    EXPECT_EQ(ComputeBasketBarLayout(4, 20, QSize(500, 60), 13).barAreaHeight, 0);
}

TEST(BasketBarChart, BarsTakeTheSolutionColoursInTheGivenOrder)
{
    GuiApp();
    auto ws = ChartWorkspace();
    AddSolution(*ws, {5, 7}, kRed);    // half height in both groups
    AddSolution(*ws, {10, 2}, kGreen); // full in group 1, empty in group 2
    AddSolution(*ws, {0, 12}, kBlue);  // empty in group 1, full in group 2
    const QSize client(400, 300);
    // Sorted: solution 3 first, then 1, then 2.
    const std::vector<int> order{0, 3, 1, 2};
    const QImage image = DrawBasketBarChart(*ws, client, order);
    const BasketBarLayout l = ComputeBasketBarLayout(2, 3, client, BasketChartTextHeight());
    ASSERT_EQ(image.size(), l.pictureSize);
    const int H = l.barAreaHeight;
    const int base = l.baseY();
    const int W = l.barWidth;

    // Group 1: position 1 is solution 3 (height 0), position 2 solution 1
    // (half), position 3 solution 2 (full).
    const int x0 = l.groupX(1);
    const int half = (H + 1) / 2; // round(0.5 * H), halves to even
    EXPECT_EQ(Pixel(image, {x0 + 1, base - 2}), kWhite);
    EXPECT_EQ(Pixel(image, {x0 + W + 1, base - 1}), Rgb(kRed));
    EXPECT_EQ(Pixel(image, {x0 + W + 1, base - half}), Rgb(kRed));
    EXPECT_EQ(Pixel(image, {x0 + W + 1, base - half - 1}), kWhite);
    EXPECT_EQ(Pixel(image, {x0 + 2 * W + 1, base - H + 1}), Rgb(kGreen));
    EXPECT_EQ(Pixel(image, {x0 + 2 * W + 1, base - H}), kBlack); // the top line covers a full bar's top row
    EXPECT_EQ(Pixel(image, {x0 + 3 * W - 1, base - 1}), Rgb(kGreen));
    EXPECT_EQ(Pixel(image, {x0 + 3 * W, base - 1}), kWhite);

    // Group 2 (minimized): full bars at the nadir.
    const int x2 = l.groupX(2);
    EXPECT_EQ(Pixel(image, {x2 + 1, base - H + 1}), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, {x2 + 2 * W + 1, base - 2}), kWhite);

    // Base and top lines reach 5 pixels beyond the group.
    EXPECT_EQ(Pixel(image, {x0 - 5, base}), kBlack);
    EXPECT_EQ(Pixel(image, {x0 - 5, 30}), kBlack);
    EXPECT_EQ(Pixel(image, {x0 + 3 * W + 5, 30}), kBlack);
    EXPECT_EQ(Pixel(image, {x0 - 7, 30}), kWhite);
}

TEST(BasketBarChart, AValueBelowTheNadirGetsNoBarAndTheDrawingLeavesTheNadir)
{
    GuiApp();
    auto ws = ChartWorkspace();
    AddSolution(*ws, {-4, 7}, kRed);
    const QSize client(400, 300);
    const QImage image = DrawBasketBarChart(*ws, client, IndexOrder(1));
    EXPECT_EQ(ws->nadirPoint[1], 0);
    // Widened as a store does, the bars stay as they were.
    WidenNadirPoint(*ws, ws->basket[1].f);
    EXPECT_EQ(ws->nadirPoint[1], -4);
    EXPECT_EQ(DrawBasketBarChart(*ws, client, IndexOrder(1)), image);
    const BasketBarLayout l = ComputeBasketBarLayout(2, 1, client, BasketChartTextHeight());
    EXPECT_EQ(Pixel(image, {l.groupX(1) + 1, l.baseY() - 1}), kWhite);
    // The other objective still has its bar.
    EXPECT_EQ(Pixel(image, {l.groupX(2) + 1, l.baseY() - 1}), Rgb(kRed));
}

TEST(BasketBarChart, ManySolutionsInANarrowWindowScrollWithTenPixelBars)
{
    GuiApp();
    auto ws = ChartWorkspace(4);
    for (int s = 1; s <= 20; ++s)
        AddSolution(*ws, {10, 12, 10, 10}, s % 2 ? kRed : kBlue);
    const QSize client(500, 300);
    const QImage image = DrawBasketBarChart(*ws, client, IndexOrder(20));
    const BasketBarLayout l = ComputeBasketBarLayout(4, 20, client, BasketChartTextHeight());
    EXPECT_EQ(image.width(), 859);
    EXPECT_EQ(image.height(), l.barAreaHeight + 2 * BasketChartTextHeight() + 38);
    // Bar 7 (red) of group 4 covers exactly ten columns.
    const int x = l.groupX(4) + 6 * 10;
    const int y = l.baseY() - 2;
    EXPECT_EQ(Pixel(image, {x, y}), Rgb(kRed));
    EXPECT_EQ(Pixel(image, {x + 9, y}), Rgb(kRed));
    EXPECT_EQ(Pixel(image, {x - 1, y}), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, {x + 10, y}), Rgb(kBlue));
}

TEST(BasketBarChart, AnEmptyBasketStillDrawsTheFrames)
{
    GuiApp();
    auto ws = ChartWorkspace();
    const QImage image = DrawBasketBarChart(*ws, QSize(300, 200), IndexOrder(0));
    const BasketBarLayout l = ComputeBasketBarLayout(2, 0, QSize(300, 200), BasketChartTextHeight());
    EXPECT_EQ(image.size(), l.pictureSize);
    EXPECT_EQ(Pixel(image, {l.groupX(2) - 5, l.baseY()}), kBlack);
}

// ---- Point chart -----------------------------------------------------------------

TEST(BasketPointChart, LayoutAndMapping)
{
    auto ws = ChartWorkspace();
    const BasketPointLayout l = ComputeBasketPointLayout(QSize(500, 400));
    EXPECT_EQ(l.plotWidth, 430);
    EXPECT_EQ(l.plotHeight, 340);
    EXPECT_EQ(l.pictureSize, QSize(500, 400));
    vectorObj f{};
    f[1] = 5;
    f[2] = 7;
    EXPECT_EQ(MapBasketPoint(*ws, l, 1, 2, f), QPoint(255, 200));
    f[1] = 10;
    f[2] = 2;
    EXPECT_EQ(MapBasketPoint(*ws, l, 1, 2, f), QPoint(470, 370));
    // 0.25 * 430 = 107.5 goes to 108, 0.75 * 430 = 322.5 to 322.
    ws->AxisHigh[1] = 8;
    f[1] = 2;
    EXPECT_EQ(MapBasketPoint(*ws, l, 1, 2, f).x(), 148);
    f[1] = 6;
    EXPECT_EQ(MapBasketPoint(*ws, l, 1, 2, f).x(), 362);
}

TEST(BasketPointChart, AxesSolutionsAndAnEdge)
{
    GuiApp();
    auto ws = ChartWorkspace();
    AddSolution(*ws, {1, 3}, kRed);
    AddSolution(*ws, {9, 11}, kGreen);
    AddSolution(*ws, {5, 4}, kBlue, false);
    const QSize client(500, 400);
    const BasketPointLayout l = ComputeBasketPointLayout(client);
    const QPoint p1 = MapBasketPoint(*ws, l, 1, 2, ws->basket[1].f);
    const QPoint p2 = MapBasketPoint(*ws, l, 1, 2, ws->basket[2].f);
    const QPoint p3 = MapBasketPoint(*ws, l, 1, 2, ws->basket[3].f);
    const QPoint middle = (p1 + p2) / 2;

    const QImage without = DrawBasketPointChart(*ws, 1, 2, client);
    EXPECT_EQ(Pixel(without, middle), kWhite);
    AddEdge(*ws, 1, 2);
    const QImage image = DrawBasketPointChart(*ws, 1, 2, client);
    ASSERT_EQ(image.size(), client);
    EXPECT_EQ(Pixel(image, middle), kBlack);

    // Solutions with a basis are discs of radius 5, one without is a cross.
    EXPECT_EQ(Pixel(image, p1), Rgb(kRed));
    EXPECT_EQ(Pixel(image, p1 + QPoint(4, 0)), Rgb(kRed));
    EXPECT_EQ(Pixel(image, p2 + QPoint(0, 4)), Rgb(kGreen));
    EXPECT_EQ(Pixel(image, p3), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, p3 + QPoint(3, 3)), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, p3 + QPoint(-3, 3)), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, p3 + QPoint(4, 0)), kWhite);

    // Axes from x = 37 and up to y = 15, arrowheads and ticks.
    const int PH = l.plotHeight;
    const int PW = l.plotWidth;
    EXPECT_EQ(Pixel(image, {37, PH + 30}), kBlack);
    EXPECT_EQ(Pixel(image, {PW + 60, PH + 30}), kBlack);
    EXPECT_EQ(Pixel(image, {40, 16}), kBlack);
    EXPECT_EQ(Pixel(image, {40, 8}), kBlack);
    EXPECT_EQ(Pixel(image, {PW + 40, PH + 27}), kBlack);
    EXPECT_EQ(Pixel(image, {43, 30}), kBlack);
    EXPECT_EQ(Pixel(image, {100, 100}), kWhite);
}

TEST(BasketPointChart, TheChosenPairIsDrawn)
{
    GuiApp();
    auto ws = ChartWorkspace(3);
    AddSolution(*ws, {2, 5, 8}, kRed);
    const QSize client(500, 400);
    const BasketPointLayout l = ComputeBasketPointLayout(client);
    const QImage image = DrawBasketPointChart(*ws, 1, 3, client);
    // f1 = 2 over [0, 10] and f3 = 8 over [0, 10]: 0.2 * 430 and 0.8 * 340.
    const QPoint p(86 + 40, 370 - 272);
    EXPECT_EQ(MapBasketPoint(*ws, l, 1, 3, ws->basket[1].f), p);
    EXPECT_EQ(Pixel(image, p), Rgb(kRed));
}

TEST(BasketPointChart, LimitationsAreDashedLinesWithArrowsToTheFeasibleSide)
{
    GuiApp();
    auto ws = ChartWorkspace();
    ws->limitsActive = true;
    ws->limitOn[1] = true;
    ws->limitValue[1] = 5; // maximized: >= 5, arrow to the right
    ws->limitOn[2] = true;
    ws->limitValue[2] = 7; // minimized: <= 7, arrow down
    const QSize client(500, 400);
    const BasketPointLayout l = ComputeBasketPointLayout(client);
    const QImage image = DrawBasketPointChart(*ws, 1, 2, client);
    const int x = 255;
    const int y = 200;

    int grey = 0;
    int white = 0;
    for (int yy = 40; yy <= l.plotHeight + 20; ++yy) {
        if (yy == y)
            continue;
        const QRgb c = Pixel(image, {x, yy});
        grey += c == kLimitGrey;
        white += c == kWhite;
    }
    EXPECT_GT(grey, 100);  // dashes ...
    EXPECT_GT(white, 30);  // ... with gaps
    // Arrow at the top, pointing right: its shaft and its head.
    EXPECT_EQ(Pixel(image, {x + 4, 15}), kLimitGrey);
    EXPECT_EQ(Pixel(image, {x + 11, 15}), kLimitGrey);
    EXPECT_NE(Pixel(image, {x - 4, 15}), kLimitGrey);

    int greyRow = 0;
    for (int xx = 50; xx <= l.plotWidth + 30; ++xx)
        greyRow += Pixel(image, {xx, y}) == kLimitGrey;
    EXPECT_GT(greyRow, 150);
    // Arrow at the right end, pointing down.
    const int xe = l.plotWidth + 55;
    EXPECT_EQ(Pixel(image, {xe, y + 4}), kLimitGrey);
    EXPECT_EQ(Pixel(image, {xe, y + 11}), kLimitGrey);
    EXPECT_NE(Pixel(image, {xe, y - 6}), kLimitGrey);

    // Without the active flag nothing is drawn.
    ws->limitsActive = false;
    const QImage off = DrawBasketPointChart(*ws, 1, 2, client);
    EXPECT_EQ(Pixel(off, {x + 11, 15}), kWhite);
    EXPECT_EQ(Pixel(off, {xe, y + 11}), kWhite);
}

TEST(BasketPointChart, AMinimizedHorizontalLimitPointsLeft)
{
    GuiApp();
    auto ws = ChartWorkspace();
    ws->limitsActive = true;
    ws->limitOn[2] = true;
    ws->limitValue[2] = 7;
    const QSize client(500, 400);
    // Objective 2 (minimized) horizontally, objective 1 vertically.
    const QImage image = DrawBasketPointChart(*ws, 2, 1, client);
    const int x = 255;
    EXPECT_EQ(Pixel(image, {x - 11, 15}), kLimitGrey);
    EXPECT_NE(Pixel(image, {x + 6, 15}), kLimitGrey);
}

// ---- Three-objective chart ---------------------------------------------------------

TEST(BasketTriChart, LayoutNumbers)
{
    const BasketTriLayout l = ComputeBasketTriLayout(QSize(600, 400));
    EXPECT_EQ(l.s2, 222);
    EXPECT_EQ(l.cx, 300);
    EXPECT_EQ(l.cy, 252);
    EXPECT_EQ(l.s1, 271);                 // 270 / 0.996194698 = 271.03
    EXPECT_EQ(l.s3, 249);                 // min(312, round(248.76))
    EXPECT_EQ(l.pictureSize, QSize(600, 484));
    // A wide window: the third axis is limited by the width.
    const BasketTriLayout w = ComputeBasketTriLayout(QSize(301, 900));
    EXPECT_EQ(w.cx, 150);
    EXPECT_EQ(w.s3, 139); // round(120 / 0.866025403) = round(138.56)
}

TEST(BasketTriChart, MappingOfTheAxisEnds)
{
    auto ws = ChartWorkspace(3);
    ws->objSense[2] = 1;
    for (int i = 1; i <= 3; ++i) {
        ws->AxisLow[i] = 0;
        ws->AxisHigh[i] = 10;
    }
    const BasketTriLayout l = ComputeBasketTriLayout(QSize(600, 400));
    vectorObj f{};
    EXPECT_EQ(MapBasketTriPoint(*ws, l, f), QPoint(300, 252));
    f[1] = 10;
    EXPECT_EQ(MapBasketTriPoint(*ws, l, f), QPoint(570, 276));
    f[1] = 0;
    f[2] = 10;
    EXPECT_EQ(MapBasketTriPoint(*ws, l, f), QPoint(300, 30));
    f[2] = 0;
    f[3] = 10;
    // 249 * 0.5 = 124.5 rounds to 124.
    EXPECT_EQ(MapBasketTriPoint(*ws, l, f), QPoint(84, 376));
}

TEST(BasketTriChart, SolutionsEdgesAndAxes)
{
    GuiApp();
    auto ws = ChartWorkspace(3);
    ws->objSense[2] = 1;
    ws->idealPoint[2] = 10;
    ws->nadirPoint[2] = 0;
    UpdateAxisBounds(*ws);
    AddSolution(*ws, {10, 0, 0}, kRed);
    AddSolution(*ws, {0, 10, 0}, kGreen);
    AddSolution(*ws, {0, 0, 10}, kBlue, false);
    AddEdge(*ws, 1, 2);
    const QSize client(600, 400);
    const QImage image = DrawBasketTriChart(*ws, client);
    ASSERT_EQ(image.size(), QSize(600, 484));
    EXPECT_EQ(Pixel(image, {570, 276}), Rgb(kRed));
    EXPECT_EQ(Pixel(image, {573, 276}), Rgb(kRed));
    EXPECT_EQ(Pixel(image, {300, 30}), Rgb(kGreen));
    EXPECT_EQ(Pixel(image, {84, 376}), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, {87, 379}), Rgb(kBlue));
    EXPECT_EQ(Pixel(image, {435, 153}), kBlack); // middle of the edge
    // The vertical axis runs from the origin up past the tick at y = 30.
    EXPECT_EQ(Pixel(image, {300, 150}), kBlack);
    EXPECT_EQ(Pixel(image, {300, 20}), kBlack);

    // The ticks at the scaled lengths, without solutions over them.
    ws->clearSolutions();
    const QImage axes = DrawBasketTriChart(*ws, client);
    EXPECT_EQ(Pixel(axes, {303, 30}), kBlack);
    EXPECT_EQ(Pixel(axes, {297, 30}), kBlack);
    EXPECT_EQ(Pixel(axes, {303, 40}), kWhite);
    EXPECT_EQ(Pixel(axes, {570, 273}), kBlack);
    EXPECT_EQ(Pixel(axes, {435, 153}), kWhite);
}

// ---- Unstored solution mark --------------------------------------------------------

TEST(BasketChartMark, AnUnstoredSolutionIsASmallDiscWhereTheChartMapsIt)
{
    GuiApp();
    auto ws = ChartWorkspace(3);
    const QSize client(500, 400);
    vectorObj f{};
    f[1] = 5;
    f[2] = 7;
    f[3] = 2;
    const BasketChartPlan points = PlanBasketChart(3, false, 1);
    QImage image = DrawBasketChart(*ws, points, client, IndexOrder(0));
    ASSERT_TRUE(MarkUnstoredSolution(image, *ws, points, client, f, kGreen));
    EXPECT_EQ(Pixel(image, {255, 200}), Rgb(kGreen));
    EXPECT_EQ(Pixel(image, {257, 200}), Rgb(kGreen));
    EXPECT_EQ(Pixel(image, {260, 200}), kWhite);

    const BasketChartPlan tri = PlanBasketChart(3, false, 0);
    QImage triImage = DrawBasketChart(*ws, tri, client, IndexOrder(0));
    ASSERT_TRUE(MarkUnstoredSolution(triImage, *ws, tri, client, f, kRed));
    const QPoint c = MapBasketTriPoint(*ws, ComputeBasketTriLayout(client), f);
    EXPECT_EQ(Pixel(triImage, c), Rgb(kRed));

    const BasketChartPlan bars = PlanBasketChart(3, true, 0);
    QImage barImage = DrawBasketChart(*ws, bars, client, IndexOrder(0));
    const QImage before = barImage;
    EXPECT_FALSE(MarkUnstoredSolution(barImage, *ws, bars, client, f, kRed));
    EXPECT_EQ(barImage, before);
}

// ---- Line chart data ---------------------------------------------------------------

TEST(BasketLineChart, SeriesHoldEveryObjectiveOverTheSolutionNumbers)
{
    auto ws = ChartWorkspace(2);
    AddSolution(*ws, {1, 3}, kRed);
    AddSolution(*ws, {9, 11}, kGreen);
    const auto data = LineChartSeriesData(*ws);
    ASSERT_EQ(data.size(), 2u);
    EXPECT_EQ(data[0], (std::vector<QPointF>{QPointF(1, 1), QPointF(2, 9)}));
    EXPECT_EQ(data[1], (std::vector<QPointF>{QPointF(1, 3), QPointF(2, 11)}));
}

TEST(BasketLineChart, AtMostTenSeries)
{
    auto ws = ChartWorkspace(12);
    AddSolution(*ws, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, kRed);
    const auto data = LineChartSeriesData(*ws);
    ASSERT_EQ(data.size(), 10u);
    EXPECT_EQ(data[9], (std::vector<QPointF>{QPointF(1, 10)}));
}

TEST(BasketLineChart, FixedNamesColoursAndMarks)
{
    EXPECT_EQ(LineChartSeriesStyle(1).name, QStringLiteral("F1"));
    EXPECT_EQ(LineChartSeriesStyle(10).name, QStringLiteral("F10"));
    // 6184448 = 0x5E5E00 as blue-green-red: a teal.
    EXPECT_EQ(colorRed(LineChartSeriesStyle(1).colour), 0u);
    EXPECT_EQ(colorGreen(LineChartSeriesStyle(1).colour), 0x5Eu);
    EXPECT_EQ(colorBlue(LineChartSeriesStyle(1).colour), 0x5Eu);
    EXPECT_EQ(LineChartSeriesStyle(2).colour, rgbColor(210, 0, 0));
    EXPECT_EQ(LineChartSeriesStyle(7).colour, rgbColor(128, 0, 128));
    EXPECT_EQ(LineChartSeriesStyle(1).mark, LineMark::Circle);
    EXPECT_EQ(LineChartSeriesStyle(3).mark, LineMark::Triangle);
    EXPECT_EQ(LineChartSeriesStyle(8).mark, LineMark::Star);
    EXPECT_EQ(LineChartSeriesStyle(10).mark, LineMark::DownTriangle);
}

// ---- The charts of a basket the engine computed -------------------------------------------

class EngineBasketCharts : public ::testing::Test {
protected:
    void open(const char* name)
    {
        GuiApp();
        InitWorkspace(*ws);
        ResetProblemData(*ws);
        const QString path = QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
        ASSERT_EQ(ReadProblemFile(path, *ws).status, ProblemReadStatus::Ok);
        ws->fileName = path;
        ResetComputedState(*ws);
        ApplyNormalization(*ws, false);
        ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
    }

    void weights(std::initializer_list<Real> w)
    {
        int i = 1;
        for (Real v : w)
            ws->sumWeights[i++] = v;
        ASSERT_EQ(Shown(ui, ComputeFromWeights(*ws, engine(), true)).status, SolveStatus::Optimal);
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
};

TEST_F(EngineBasketCharts, EveryStoredSolutionOfThreeObjectivesIsDrawnInItsColour)
{
    open("three_objectives_degenerate.mlp");
    weights({0.4L, 0.3L, 0.3L});
    weights({0.3L, 0.4L, 0.3L});
    ASSERT_GE(ws->basketCount, 4);
    UpdateAxisBounds(*ws);
    const QSize client(640, 480);
    const QImage image = DrawBasketTriChart(*ws, client);
    const BasketTriLayout l = ComputeBasketTriLayout(client);
    for (int s = 1; s <= ws->basketCount; ++s) {
        const QPoint c = MapBasketTriPoint(*ws, l, ws->basket[s].f);
        EXPECT_EQ(Pixel(image, c), Rgb(ws->basket[s].cor)) << s;
        // Vertices found by weighted sums have a basis: discs of radius 4.
        EXPECT_EQ(Pixel(image, c + QPoint(3, 0)), Rgb(ws->basket[s].cor)) << s;
    }
}

TEST_F(EngineBasketCharts, AProjectedReferencePointIsStoredWithoutABasisAndDrawnAsACross)
{
    open("three_objectives_degenerate.mlp");
    ws->guardaTodasSols = true;
    for (int i = 1; i <= 3; ++i)
        ws->tchebWeights[i] = 1;
    ws->refPoint[1] = 11;
    ws->refPoint[2] = 11;
    ws->refPoint[3] = 9;
    const int before = ws->basketCount;
    ASSERT_EQ(Shown(ui, ComputeReferencePoint(*ws, engine())).status, SolveStatus::Optimal);
    ASSERT_EQ(ws->basketCount, before + 1);
    const int s = ws->basketCount;
    UpdateAxisBounds(*ws);
    const QSize client(640, 480);
    const QImage image = DrawBasketTriChart(*ws, client);
    const QPoint c = MapBasketTriPoint(*ws, ComputeBasketTriLayout(client), ws->basket[s].f);
    const QRgb colour = Rgb(ws->basket[s].cor);
    EXPECT_EQ(Pixel(image, c), colour);
    EXPECT_EQ(Pixel(image, c + QPoint(2, 2)), colour);
    EXPECT_EQ(Pixel(image, c + QPoint(-2, 2)), colour);
    EXPECT_NE(Pixel(image, c + QPoint(3, 0)), colour);
    EXPECT_NE(Pixel(image, c + QPoint(0, 3)), colour);
}

TEST_F(EngineBasketCharts, TwoObjectivesOnThePointChartAndTheBarChart)
{
    open("two_objectives.mlp");
    weights({0.5L, 0.5L});
    UpdateAxisBounds(*ws);
    ASSERT_GE(ws->basketCount, 2);
    const QSize client(520, 420);
    const QImage points = DrawBasketPointChart(*ws, 1, 2, client);
    const BasketPointLayout pl = ComputeBasketPointLayout(client);
    for (int s = 1; s <= ws->basketCount; ++s)
        EXPECT_EQ(Pixel(points, MapBasketPoint(*ws, pl, 1, 2, ws->basket[s].f)), Rgb(ws->basket[s].cor)) << s;

    // The individual optimum of objective 1 has a full bar in group 1.
    const int n = ws->basketCount;
    const QImage bars = DrawBasketBarChart(*ws, client, IndexOrder(n));
    const BasketBarLayout bl = ComputeBasketBarLayout(2, n, client, BasketChartTextHeight());
    const int best = ws->payoff[1].basketIndex;
    ASSERT_GE(best, 1);
    EXPECT_EQ(Pixel(bars, {bl.groupX(1) + (best - 1) * bl.barWidth + 1, bl.baseY() - bl.barAreaHeight + 1}),
              Rgb(ws->basket[best].cor));
}

} // namespace

namespace {

struct TickCase {
    int solutions, axisWidth, labelWidth, step;
};

class SolutionTicks : public ::testing::TestWithParam<TickCase> {};

// Every label fits: a few solutions keep every number, 487 solutions on a
// small chart step by a round number that leaves room for each.
TEST_P(SolutionTicks, StepLeavesRoomForEveryLabel)
{
    const TickCase c = GetParam();
    const int step = SolutionTickStep(c.solutions, c.axisWidth, c.labelWidth);
    EXPECT_EQ(step, c.step);
    EXPECT_LE(((c.solutions - 1) / step + 1) * (c.labelWidth + 8), std::max(c.axisWidth, c.labelWidth + 8));
}

INSTANTIATE_TEST_SUITE_P(Axes, SolutionTicks,
                         ::testing::Values(TickCase{7, 500, 10, 1}, TickCase{30, 500, 10, 2},
                                           TickCase{487, 450, 21, 50}, TickCase{487, 1500, 21, 10},
                                           TickCase{3, 10, 10, 5}));

} // namespace

namespace {

// Numbers of marks that crowd together move aside or are left out, so that
// none covers another; a number with room stays right of and above its mark.
TEST(PointLabels, NoneCoversAnother)
{
    std::vector<PointLabel> labels;
    for (int i = 0; i < 5; ++i)
        labels.push_back({QPoint(100, 100), 12}); // five marks on one point
    for (int i = 0; i < 20; ++i)
        labels.push_back({QPoint(200 + 3 * i, 150 + (i % 4)), 12}); // a tight row
    labels.push_back({QPoint(400, 40), 12}); // alone
    const std::vector<QRect> boxes = PlaceLabels(labels, 10, 4);
    ASSERT_EQ(boxes.size(), labels.size());
    for (std::size_t a = 0; a < boxes.size(); ++a)
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            EXPECT_FALSE(!boxes[a].isEmpty() && !boxes[b].isEmpty() && boxes[a].intersects(boxes[b])) << a << " " << b;
    EXPECT_EQ(boxes[0], QRect(104, 86, 12, 10));
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.begin() + 5, [](const QRect& r) { return r.isEmpty(); }), 1);
    EXPECT_EQ(boxes.back(), QRect(404, 26, 12, 10));
}

} // namespace
