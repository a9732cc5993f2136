#include "solutions/BarPicture.h"

#include "solutions/Report.h"

#include <QCoreApplication>
#include "GuiApp.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace {

QRgb Rgb(Color c) { return qRgb(int(colorRed(c)), int(colorGreen(c)), int(colorBlue(c))); }
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlackPixel = qRgb(0, 0, 0);

// Objective 1 maximized over [0, 10], objective 2 minimized over [2, 12].
std::unique_ptr<Workspace> BarWorkspace()
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 0;
    ws->objName[1] = QStringLiteral("F1");
    ws->objName[2] = QStringLiteral("F2");
    ws->objSense[1] = 1;
    ws->objSense[2] = -1;
    ws->idealPoint[1] = 10;
    ws->nadirPoint[1] = 0;
    ws->idealPoint[2] = 2;
    ws->nadirPoint[2] = 12;
    return ws;
}

void Push(Workspace& ws, Real f1, Real f2, Color cor)
{
    vectorObj f{};
    f[1] = f1;
    f[2] = f2;
    AddHistoryRecord(ws, vectorResEB_Int{}, f, tipoXcorr{});
    ws.history.front().cor = cor;
}

TEST(BarLayout, WideBarsAreCappedAndTheRestCentresTheGroups)
{
    auto ws = BarWorkspace();
    Push(*ws, 5, 7, kComputedColor);
    const BarLayout l = ComputeBarLayout(*ws, QSize(400, 300), 13);
    EXPECT_EQ(l.shownCount, 1);
    EXPECT_EQ(l.barMaxHeight, 300 - 16 - 39 - 42);
    // (400 - 16) / (2 * 3) = 64, capped at 30; 384 - 180 = 204 left over.
    EXPECT_EQ(l.barWidth, 30);
    EXPECT_EQ(l.extra, 204);
    EXPECT_EQ(l.groupGap, 60);
    EXPECT_EQ(l.leftMargin, 30 + 102);
    EXPECT_EQ(l.textHeight, 13);
    EXPECT_EQ(l.baseline, 203 + 30);
    EXPECT_EQ(l.groupX(2), 132 + 60 + 30);
    EXPECT_EQ(l.frameOverhang(), (60 - 20) / 2);
    EXPECT_EQ(l.pictureSize, QSize(400, 300)); // needs 384 x 267
}

TEST(BarLayout, OddLeftOverIsHalvedDownward)
{
    auto ws = BarWorkspace();
    ws->numObjectives = 1;
    Push(*ws, 5, 7, kComputedColor);
    // (111 - 16) / 3 = 31 -> 30, extra 95 - 90 = 5, margin 30 + 2.
    const BarLayout l = ComputeBarLayout(*ws, QSize(111, 300), 13);
    EXPECT_EQ(l.barWidth, 30);
    EXPECT_EQ(l.extra, 5);
    EXPECT_EQ(l.leftMargin, 32);
}

TEST(BarLayout, BarsBetweenTheLimitsKeepTheirWidth)
{
    auto ws = BarWorkspace();
    ws->numObjectives = 4;
    for (int i = 0; i < 3; ++i)
        Push(*ws, 5, 7, kComputedColor);
    ws->viewLastN = 3;
    // (416 - 16) / (4 * 5) = 20.
    const BarLayout l = ComputeBarLayout(*ws, QSize(416, 200), 10);
    EXPECT_EQ(l.shownCount, 3);
    EXPECT_EQ(l.barWidth, 20);
    EXPECT_EQ(l.extra, 0);
    EXPECT_EQ(l.groupGap, 40);
    EXPECT_EQ(l.leftMargin, 20);
    EXPECT_EQ(l.barX(1, 1), 20 + 2 * 20); // newest in the last slot
    EXPECT_EQ(l.barX(1, 3), 20);
    EXPECT_EQ(l.groupX(3), 20 + 2 * (40 + 60));
    // Needs 20 * 3 * 4 + 3 * 40 + 2 * 20 = 400: the pane is wider.
    EXPECT_EQ(l.pictureSize, QSize(416, 200));
    // Unclamped bars never need more than the pane: bw * p * (N + 2) <= W - 16.
    const BarLayout narrow = ComputeBarLayout(*ws, QSize(380, 200), 10);
    EXPECT_EQ(narrow.barWidth, 18); // 364 / 20
    EXPECT_EQ(narrow.pictureSize, QSize(380, 200));
}

TEST(BarLayout, TwentyObjectivesWithElevenRecordsOnANarrowPaneScroll)
{
    auto ws = BarWorkspace();
    ws->numObjectives = 20;
    for (int i = 0; i < 11; ++i)
        Push(*ws, 5, 7, kComputedColor);
    ws->viewLastN = 11;
    const BarLayout l = ComputeBarLayout(*ws, QSize(300, 200), 13);
    EXPECT_EQ(l.shownCount, 11);
    EXPECT_EQ(l.barWidth, 12);
    EXPECT_EQ(l.leftMargin, 12);
    EXPECT_EQ(l.groupGap, 24);
    EXPECT_EQ(l.pictureSize.width(), 12 * 11 * 20 + 19 * 24 + 2 * 12);
    EXPECT_GT(l.pictureSize.width(), 300);
    EXPECT_EQ(l.pictureSize.height(), 200);
}

TEST(BarLayout, ALowPaneKeepsThirtyPixelBarsAndGrowsThePicture)
{
    auto ws = BarWorkspace();
    Push(*ws, 5, 7, kComputedColor);
    const BarLayout l = ComputeBarLayout(*ws, QSize(400, 50), 13);
    EXPECT_EQ(l.barMaxHeight, 30);
    EXPECT_EQ(l.pictureSize.height(), 30 + 30 + 26 + 8);
}

TEST(BarHeight, ScalesBetweenTheWorseAndTheBetterEnd)
{
    auto ws = BarWorkspace();
    EXPECT_EQ(BarHeight(*ws, 1, 5, 100), 50);
    EXPECT_EQ(BarHeight(*ws, 1, 10, 100), 100);
    EXPECT_EQ(BarHeight(*ws, 1, 0, 100), 0);
    EXPECT_EQ(BarHeight(*ws, 2, 2, 100), 0);    // minimized: the ideal is an empty bar
    EXPECT_EQ(BarHeight(*ws, 2, 12, 100), 100); // ... and the nadir a full one
    EXPECT_EQ(BarHeight(*ws, 2, 4.5L, 100), 25);
    EXPECT_EQ(ws->nadirPoint[1], 0);
    EXPECT_EQ(ws->nadirPoint[2], 12);
}

TEST(BarHeight, HalvesRoundToEven)
{
    auto ws = BarWorkspace();
    ws->idealPoint[1] = 8;
    EXPECT_EQ(BarHeight(*ws, 1, 2, 10), 2); // 2.5
    EXPECT_EQ(BarHeight(*ws, 1, 6, 10), 8); // 7.5
    EXPECT_EQ(BarHeight(*ws, 1, 1, 10), 1); // 1.25
}

TEST(BarHeight, IdealEqualToNadir)
{
    auto ws = BarWorkspace();
    ws->idealPoint[1] = ws->nadirPoint[1] = 5;
    ws->idealPoint[2] = ws->nadirPoint[2] = 5;
    EXPECT_EQ(BarHeight(*ws, 1, 5, 100), 100);
    EXPECT_EQ(BarHeight(*ws, 2, 5, 100), 0);
    // No widening either: equal ends are tested first.
    EXPECT_EQ(BarHeight(*ws, 1, 1, 100), 100);
    EXPECT_EQ(ws->nadirPoint[1], 5);
}

TEST(BarHeight, AWorseValueGetsNoBarOrAFullOneAndLeavesTheNadir)
{
    auto ws = BarWorkspace();
    EXPECT_EQ(BarHeight(*ws, 1, -4, 100), 0);
    EXPECT_EQ(BarHeight(*ws, 2, 15, 100), 100);
    EXPECT_EQ(ws->nadirPoint[1], 0);
    EXPECT_EQ(ws->nadirPoint[2], 12);
}

TEST(WidenNadirPoint, OnlyAWorseValueOfANonEmptyRangeMovesIt)
{
    struct Case {
        Real f1, f2;           // objective 1 maximized over [0, 10], 2 minimized over [2, 12]
        bool emptyRanges;      // ideal = nadir = 5 in both
        Real nadir1, nadir2;   // afterwards
    };
    const Case cases[] = {
        {5, 7, false, 0, 12},  {-4, 15, false, -4, 15}, {-4, 7, false, -4, 12},
        {11, 1, false, 0, 12}, {1, 9, true, 5, 5},
    };
    for (const Case& c : cases) {
        auto ws = BarWorkspace();
        if (c.emptyRanges)
            ws->idealPoint[1] = ws->nadirPoint[1] = ws->idealPoint[2] = ws->nadirPoint[2] = 5;
        vectorObj f{};
        f[1] = c.f1;
        f[2] = c.f2;
        WidenNadirPoint(*ws, f);
        EXPECT_EQ(ws->nadirPoint[1], c.nadir1) << double(c.f1);
        EXPECT_EQ(ws->nadirPoint[2], c.nadir2) << double(c.f2);
    }
}

// Three records: oldest stored in teal, then one only computed, then the
// newest stored in purple.
std::unique_ptr<Workspace> ThreeRecordPicture()
{
    auto ws = BarWorkspace();
    Push(*ws, 2, 10, hexColor(0x008080));
    Push(*ws, 4, 6, kComputedColor);
    Push(*ws, 8, 4.5L, hexColor(0x800080));
    ws->viewLastN = 5;
    return ws;
}

TEST(DrawSolutionBars, BarsStandOnTheBaselineNewestRightmost)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = ThreeRecordPicture();
    const QSize pane(400, 300);
    const QImage img = DrawSolutionBars(*ws, pane, false);
    const BarLayout l = ComputeBarLayout(*ws, pane, BarTextHeight());
    ASSERT_EQ(img.size(), l.pictureSize);
    ASSERT_EQ(l.shownCount, 3);
    const int y0 = l.baseline;
    const int bw = l.barWidth;
    const int H = l.barMaxHeight;

    // Newest (8 of 0..10): a purple bar of round(0.8 H) in the last slot.
    const int h1 = BarHeight(*ws, 1, 8, H);
    ASSERT_GT(h1, 10);
    const int x1 = l.barX(1, 1);
    EXPECT_EQ(x1, l.groupX(1) + 2 * bw);
    EXPECT_EQ(img.pixel(x1 + bw / 2, y0 - h1 / 2), Rgb(hexColor(0x800080)));
    EXPECT_EQ(img.pixel(x1, y0 - h1 / 2), kBlackPixel);          // outline
    EXPECT_EQ(img.pixel(x1 + bw - 1, y0 - h1 / 2), kBlackPixel); // right edge
    EXPECT_EQ(img.pixel(x1 + bw / 2, y0 - h1), kBlackPixel);     // top edge
    EXPECT_EQ(img.pixel(x1 + bw / 2, y0 - h1 - 1), kWhite);
    EXPECT_EQ(img.pixel(x1 + bw / 2, y0), kBlackPixel);          // baseline
    EXPECT_EQ(img.pixel(x1 + bw + 2, y0 - 5), kWhite);           // nothing right of it

    // The computed record one slot left, in the lighter colour.
    const int h2 = BarHeight(*ws, 1, 4, H);
    EXPECT_EQ(img.pixel(l.barX(1, 2) + bw / 2, y0 - h2 / 2), Rgb(kOlderComputedColor));
    // The oldest in the first slot.
    const int h3 = BarHeight(*ws, 1, 2, H);
    EXPECT_EQ(img.pixel(l.groupX(1) + bw / 2, y0 - h3 / 2), Rgb(hexColor(0x008080)));

    // Minimized objective: 4.5 of 2..12 is a quarter bar.
    const int hMin = BarHeight(*ws, 2, 4.5L, H);
    EXPECT_NEAR(hMin, H / 4.0, 0.5);
    EXPECT_EQ(img.pixel(l.barX(2, 1) + bw / 2, y0 - hMin / 2), Rgb(hexColor(0x800080)));
    EXPECT_EQ(img.pixel(l.barX(2, 1) + bw / 2, y0 - hMin - 2), kWhite);

    // Frame: grey line at y = 30, grey sides with several records.
    const int t = l.frameOverhang();
    EXPECT_EQ(img.pixel(l.groupX(1) + 1, 30), kButtonShadowGrey.rgb());
    EXPECT_EQ(img.pixel(l.groupX(1) - t, y0 - 10), kButtonShadowGrey.rgb());
    EXPECT_EQ(img.pixel(l.groupX(1) + 3 * bw + t, y0 - 10), kButtonShadowGrey.rgb());
    EXPECT_EQ(img.pixel(l.groupX(1) - t + 1, y0), kBlackPixel);
    EXPECT_EQ(img.pixel(l.groupX(1) - t - 1, y0), kWhite);
}

TEST(DrawSolutionBars, ThickOutlineIsTwoPixelsAndTheBarNoTaller)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = ThreeRecordPicture();
    const QSize pane(400, 300);
    const QImage img = DrawSolutionBars(*ws, pane, true);
    const BarLayout l = ComputeBarLayout(*ws, pane, BarTextHeight());
    const int y0 = l.baseline;
    const int h = BarHeight(*ws, 1, 8, l.barMaxHeight);
    const int x = l.barX(1, 1);
    const int mid = y0 - h / 2;
    EXPECT_EQ(img.pixel(x - 1, mid), kBlackPixel);
    EXPECT_EQ(img.pixel(x, mid), kBlackPixel);
    EXPECT_EQ(img.pixel(x + 1, mid), Rgb(hexColor(0x800080)));
    EXPECT_EQ(img.pixel(x + l.barWidth - 2, mid), kBlackPixel);
    EXPECT_EQ(img.pixel(x + l.barWidth - 3, mid), Rgb(hexColor(0x800080)));
    const int cx = x + l.barWidth / 2;
    EXPECT_EQ(img.pixel(cx, y0 - h), kBlackPixel);
    EXPECT_EQ(img.pixel(cx, y0 - h + 1), kBlackPixel);
    EXPECT_EQ(img.pixel(cx, y0 - h + 2), Rgb(hexColor(0x800080)));
    EXPECT_EQ(img.pixel(cx, y0 - h - 1), kWhite);
    // Older bars keep the thin outline.
    const int xo = l.barX(1, 2);
    EXPECT_EQ(img.pixel(xo + 1, mid + h / 4), Rgb(kOlderComputedColor));
}

TEST(DrawSolutionBars, IdealEqualToNadirGivesFullAndEmptyBars)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = BarWorkspace();
    ws->idealPoint[1] = ws->nadirPoint[1] = 5;
    ws->idealPoint[2] = ws->nadirPoint[2] = 5;
    Push(*ws, 5, 5, hexColor(0xDA0000));
    const QSize pane(300, 250);
    const QImage img = DrawSolutionBars(*ws, pane, false);
    const BarLayout l = ComputeBarLayout(*ws, pane, BarTextHeight());
    const int y0 = l.baseline;
    const int c1 = l.barX(1, 1) + l.barWidth / 2;
    const int c2 = l.barX(2, 1) + l.barWidth / 2;
    EXPECT_EQ(img.pixel(c1, y0 - l.barMaxHeight + 3), Rgb(hexColor(0xDA0000)));
    // The frame's grey top line is drawn over the top edge of a full bar.
    EXPECT_EQ(img.pixel(c1, y0 - l.barMaxHeight), kButtonShadowGrey.rgb());
    EXPECT_EQ(img.pixel(c1, y0 - l.barMaxHeight + 1), Rgb(hexColor(0xDA0000)));
    EXPECT_EQ(img.pixel(l.barX(1, 1), y0 - 3), kBlackPixel);
    EXPECT_EQ(img.pixel(c1, y0 - 3), Rgb(hexColor(0xDA0000)));
    EXPECT_EQ(img.pixel(c2, y0 - 3), kWhite);
    EXPECT_EQ(img.pixel(c2, y0 - 1), kWhite);
    EXPECT_EQ(img.pixel(c2, y0), kBlackPixel);
}

TEST(DrawSolutionBars, AValueWorseThanTheNadirWidensItAndChangesTheLabel)
{
    ASSERT_NE(GuiApp(), nullptr);
    const QSize pane(400, 300);
    auto inside = BarWorkspace();
    Push(*inside, 5, 7, kComputedColor);
    const QImage before = DrawSolutionBars(*inside, pane, false);
    EXPECT_EQ(inside->nadirPoint[1], 0);

    // The record widens the nadir as it enters the history; the drawing
    // finds it widened and leaves it so.
    auto worse = BarWorkspace();
    Push(*worse, -4, 15, kComputedColor);
    EXPECT_EQ(worse->nadirPoint[1], -4);
    EXPECT_EQ(worse->nadirPoint[2], 15);
    const QImage after = DrawSolutionBars(*worse, pane, false);
    EXPECT_EQ(worse->nadirPoint[1], -4);
    EXPECT_EQ(worse->nadirPoint[2], 15);
    // A record the nadir does not cover is drawn without moving it.
    auto uncovered = BarWorkspace();
    Push(*uncovered, 5, 7, kComputedColor);
    uncovered->history.front().f[1] = -4;
    DrawSolutionBars(*uncovered, pane, false);
    EXPECT_EQ(uncovered->nadirPoint[1], 0);

    // Objective 1's lower label (the nadir) now reads -4 instead of 0;
    // objective 2's upper label (its nadir) 15 instead of 12.
    const BarLayout l = ComputeBarLayout(*worse, pane, BarTextHeight());
    const QRect lower1(l.groupX(1) - 5, l.baseline + 4, l.barWidth + 10, l.textHeight);
    const QRect upper2(l.groupX(2) - 5, 26 - l.textHeight, l.barWidth + 10, l.textHeight);
    EXPECT_NE(before.copy(lower1), after.copy(lower1));
    EXPECT_NE(before.copy(upper2), after.copy(upper2));
    // The worse value of objective 1 has no bar, that of objective 2 a full one.
    EXPECT_EQ(after.pixel(l.barX(1, 1) + l.barWidth / 2, l.baseline - 2), kWhite);
    EXPECT_EQ(after.pixel(l.barX(2, 1) + l.barWidth / 2, l.baseline - l.barMaxHeight + 2),
              Rgb(kComputedColor));
}

TEST(DrawSolutionBars, LimitationLineAtTheHeightOfTheLimit)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = BarWorkspace();
    Push(*ws, 9, 3, kComputedColor);
    ws->limitsActive = true;
    ws->limitOn[1] = true;
    ws->limitValue[1] = 5;
    const QSize pane(400, 300);
    const QImage img = DrawSolutionBars(*ws, pane, false);
    const BarLayout l = ComputeBarLayout(*ws, pane, BarTextHeight());
    // Half the range: round(H / 2), an odd H rounding to the even neighbour.
    const int H = l.barMaxHeight;
    const int half = H % 2 == 0 ? H / 2 : ((H / 2) % 2 == 0 ? H / 2 : H / 2 + 1);
    const int y = 30 + H - half;
    const QRgb grey = kLimitLineGrey.rgb();
    int onLine = 0;
    int offLine = 0;
    for (int x = l.groupX(1) - 5; x <= l.groupX(1) - 1; ++x) {
        for (int dy = -2; dy <= 2; ++dy) {
            const bool hit = img.pixel(x, y + dy) == grey;
            (dy >= -1 && dy <= 0 ? onLine : offLine) += hit ? 1 : 0;
        }
    }
    EXPECT_GT(onLine, 0);
    EXPECT_EQ(offLine, 0);
    // No limitation on objective 2: no grey dots beside its group.
    int other = 0;
    for (int x = l.groupX(2) - 5; x <= l.groupX(2) - 1; ++x)
        for (int yy = 31; yy < l.baseline; ++yy)
            other += img.pixel(x, yy) == grey ? 1 : 0;
    EXPECT_EQ(other, 0);

    // A limit far outside the range is drawn at the baseline, with its
    // value above it: the range labels and the names under the groups stay
    // as they are without it.
    ws->limitValue[1] = -100;
    const QImage outside = DrawSolutionBars(*ws, pane, false);
    ws->limitsActive = false;
    const QImage plain = DrawSolutionBars(*ws, pane, false);
    const QRect under(0, l.baseline + 1, plain.width(), plain.height() - l.baseline - 1);
    EXPECT_EQ(outside.copy(under), plain.copy(under));
}

TEST(DrawSolutionBars, TrendArrowsDuringAMethod)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = BarWorkspace();
    Push(*ws, 4, 6, kComputedColor);
    Push(*ws, 6, 8, kComputedColor); // objective 1 up, objective 2 up
    ws->viewLastN = 2;
    ws->activeMethod = MethodKind::Stem;
    ws->methodIteration = 2;
    const QSize pane(400, 300);
    const BarLayout l = ComputeBarLayout(*ws, pane, BarTextHeight());
    const int ax = l.groupX(1) + 2 * l.barWidth + (l.frameOverhang() + 1) / 2;
    const int ay = l.baseline - 7;

    const QImage with = DrawSolutionBars(*ws, pane, false);
    // The shaft, 2 pixels wide, right of the newest bar above the baseline.
    const bool shaft = with.pixel(ax, ay) == kBlackPixel || with.pixel(ax - 1, ay) == kBlackPixel;
    EXPECT_TRUE(shaft);

    ws->methodIteration = 1;
    const QImage without = DrawSolutionBars(*ws, pane, false);
    EXPECT_EQ(without.pixel(ax, ay), kWhite);
    EXPECT_EQ(without.pixel(ax - 1, ay), kWhite);
    // The names under the groups are left as they were.
    const QRect names(0, l.baseline + 8 + l.textHeight, with.width(), 2 * l.textHeight);
    EXPECT_EQ(with.copy(names), without.copy(names));
}

TEST(DrawSolutionBars, ManyObjectivesMakeAPictureWiderThanThePane)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = BarWorkspace();
    ws->numObjectives = 20;
    for (int k = 1; k <= 20; ++k) {
        ws->objSense[k] = 1;
        ws->objName[k] = QStringLiteral("F%1").arg(k);
        ws->idealPoint[k] = 10;
        ws->nadirPoint[k] = 0;
    }
    for (int i = 0; i < 11; ++i)
        Push(*ws, i, 5, ws->basketPalette[i + 1]);
    ws->viewLastN = 11;
    const QImage img = DrawSolutionBars(*ws, QSize(300, 200), false);
    const BarLayout l = ComputeBarLayout(*ws, QSize(300, 200), BarTextHeight());
    EXPECT_EQ(l.barWidth, 12);
    EXPECT_EQ(img.width(), l.pictureSize.width());
    EXPECT_GT(img.width(), 300);
    // Objective 2's newest bar (value 5 of 0..10, newest colour) is the
    // rightmost of its group; objective 20 (value 0) has only its baseline.
    const int h = BarHeight(*ws, 2, 5, l.barMaxHeight);
    EXPECT_EQ(img.pixel(l.barX(2, 1) + 6, l.baseline - h / 2), Rgb(ws->basketPalette[11]));
    EXPECT_EQ(img.pixel(l.barX(2, 2) + 6, l.baseline - h / 2), Rgb(ws->basketPalette[10]));
    EXPECT_EQ(l.barX(2, 1), l.groupX(2) + 10 * 12);
    EXPECT_EQ(img.pixel(l.barX(20, 1) + 6, l.baseline - 2), kWhite);
    EXPECT_EQ(img.pixel(l.barX(20, 1) + 6, l.baseline), kBlackPixel);
}

} // namespace
