#include "weightspace/WeightSpaceGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

struct CornerCase {
    int objectives;
    double zoom;
    WeightProjection projection;
    Real l1, l2;
    QPoint pixel;
};

std::ostream& operator<<(std::ostream& os, const CornerCase& c)
{
    return os << c.objectives << " objectives, zoom " << c.zoom << ", (" << static_cast<double>(c.l1) << ", "
              << static_cast<double>(c.l2) << ")";
}

class Corners : public ::testing::TestWithParam<CornerCase> {};

TEST_P(Corners, LandOnTheirPixel)
{
    const CornerCase& c = GetParam();
    const WeightSpaceGeometry g{c.objectives, c.zoom, c.projection};
    EXPECT_EQ(g.WeightToPixel(c.l1, c.l2), c.pixel);
}

constexpr auto kRight = WeightProjection::RightTriangle;
constexpr auto kEqui = WeightProjection::Equilateral;

INSTANTIATE_TEST_SUITE_P(
    WeightToPixel, Corners,
    ::testing::Values(CornerCase{3, 1.0, kRight, 0, 0, {15, 368}}, CornerCase{3, 1.0, kRight, 1, 0, {365, 368}},
                      CornerCase{3, 1.0, kRight, 0, 1, {15, 18}},
                      // 350 * sqrt(3) / 2 = 303.1 rounds to 303.
                      CornerCase{3, 1.0, kEqui, 0, 1, {190, 65}}, CornerCase{3, 1.0, kEqui, 1, 0, {365, 368}},
                      // 525 / 2 = 262.5 rounds to the even 262.
                      CornerCase{3, 1.5, kRight, 0.5L, 0, {277, 543}}, CornerCase{3, 1.5, kRight, 0, 1, {15, 18}},
                      CornerCase{3, 1.5, kEqui, 0, 1, {277, 88}}, CornerCase{3, 3.0, kRight, 1, 0, {1065, 1068}},
                      CornerCase{3, 2.0, kEqui, 0, 1, {365, 112}},
                      // The strip: every weight sits on its bottom edge.
                      CornerCase{2, 1.0, kRight, 0, 1, {15, 95}}, CornerCase{2, 1.0, kRight, 1, 0, {365, 95}},
                      CornerCase{2, 2.0, kRight, 0.25L, 0.75L, {190, 95}}));

struct Shape {
    int objectives;
    double zoom;
    WeightProjection projection;
};

class RoundTrip : public ::testing::TestWithParam<Shape> {};

// Every pixel of the weight space maps back onto itself.
TEST_P(RoundTrip, PixelToWeightInvertsWeightToPixel)
{
    const Shape& s = GetParam();
    const WeightSpaceGeometry g{s.objectives, s.zoom, s.projection};
    const int top = g.topMargin();
    int checked = 0;
    for (int Y = top; Y <= top + g.spaceHeight(); Y += 3) {
        for (int X = 15; X <= 15 + g.side(); X += 3) {
            const XY w = g.PixelToWeight(X, Y);
            if (s.objectives == 3 && (w.x < 0 || w.y < 0 || w.x + w.y > 1))
                continue;
            const QPoint back = g.WeightToPixel(w);
            EXPECT_EQ(back.x(), X) << X << "," << Y;
            if (s.objectives == 3) {
                EXPECT_EQ(back.y(), Y) << X << "," << Y;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

INSTANTIATE_TEST_SUITE_P(Projections, RoundTrip,
                         ::testing::Values(Shape{3, 1.0, kRight}, Shape{3, 1.5, kRight}, Shape{3, 3.0, kRight},
                                           Shape{3, 1.0, kEqui}, Shape{3, 2.0, kEqui}, Shape{3, 3.0, kEqui},
                                           Shape{2, 1.0, kRight}, Shape{2, 1.5, kRight}));

// A weight far outside [0, 1] (a damaged file) lands far off the picture,
// on the side it lies, without an out-of-range cast.
TEST(WeightSpacePixels, WeightsFarOutsideAreHeldOffThePicture)
{
    const WeightSpaceGeometry g{3, 1.0, kRight};
    const QPoint far = g.WeightToPixel(1e10L, -1e300L);
    EXPECT_GT(far.x(), 1 << 23);
    EXPECT_GT(far.y(), 1 << 23);
    EXPECT_LT(g.WeightToPixel(-1e10L, 0).x(), -(1 << 23));
    EXPECT_EQ(RoundEven(std::nanl("")), 0);
    EXPECT_EQ(RoundEven(2.5L), 2);
}

TEST(WeightSpaceStrip, PixelsAboveOrBelowTheStripAreOutside)
{
    const WeightSpaceGeometry g{2, 1.0, kRight};
    EXPECT_EQ(g.PixelToWeight(100, 29).x, -2);
    EXPECT_EQ(g.PixelToWeight(100, 96).x, -2);
    EXPECT_NE(g.PixelToWeight(100, 30).x, -2);
    EXPECT_NE(g.PixelToWeight(100, 95).x, -2);
    EXPECT_FALSE(WeightsAtPixel(g, 100, 96).inside);
    EXPECT_EQ(WeightsAtPixel(g, 190, 60).status, QStringLiteral("Weights: (0.500, 0.500)"));
}

TEST(WeightSpaceLegend, RowsPerColumnFollowTheSideAndMargin)
{
    EXPECT_EQ((WeightSpaceGeometry{3, 1.0, kRight}.legendRows()), 32);
    EXPECT_EQ((WeightSpaceGeometry{3, 3.0, kRight}.legendRows()), 90);
    EXPECT_EQ((WeightSpaceGeometry{2, 1.0, kRight}.legendRows()), 33);
}

struct PointerCase {
    WeightProjection projection;
    Real l1, l2;
    const char* status; // empty: outside
};

class Pointer : public ::testing::TestWithParam<PointerCase> {};

TEST_P(Pointer, StatusLineShowsTheWeights)
{
    const PointerCase& c = GetParam();
    const WeightSpaceGeometry g{3, 1.0, c.projection};
    const QPoint at = g.WeightToPixel(c.l1, c.l2);
    const PickedWeights picked = WeightsAtPixel(g, at.x(), at.y());
    EXPECT_EQ(picked.status, QString::fromLatin1(c.status));
    EXPECT_EQ(picked.inside, c.status[0] != '\0');
    if (picked.inside) {
        EXPECT_NEAR(static_cast<double>(picked.weights[1] + picked.weights[2] + picked.weights[3]), 1.0, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WeightsAtPixel, Pointer,
    ::testing::Values(PointerCase{kRight, 0.5L, 0.5L, "Weights: (0.500, 0.500, 0.000)"},
                      PointerCase{kRight, 0.2L, 0.2L, "Weights: (0.200, 0.200, 0.600)"},
                      PointerCase{kEqui, 0, 0, "Weights: (0.000, 0.000, 1.000)"},
                      PointerCase{kRight, 0.6L, 0.6L, ""}, PointerCase{kRight, -0.1L, 0.5L, ""},
                      PointerCase{kEqui, 0.7L, 0.7L, ""}));

struct LegendCase {
    int sol, ordinal;
    bool withArea;
    Real area;
    const char* text;
};

class Legend : public ::testing::TestWithParam<LegendCase> {};

TEST_P(Legend, EntryText)
{
    const LegendCase& c = GetParam();
    EXPECT_EQ(LegendText(c.sol, c.ordinal, c.withArea, c.area), QString::fromLatin1(c.text));
}

INSTANTIATE_TEST_SUITE_P(Texts, Legend,
                         ::testing::Values(LegendCase{5, 1, false, 12, "5"}, LegendCase{5, 2, false, 12, "5/2"},
                                           LegendCase{5, 1, true, 0.04L, "5 (<0.1 %)"},
                                           LegendCase{5, 1, true, 0.1L, "5 (0.1 %)"},
                                           LegendCase{7, 3, true, 4.04L, "7/3 (4.0 %)"},
                                           LegendCase{1, 1, true, 37.5L, "1 (37.5 %)"},
                                           LegendCase{2, 1, true, 99.96L, "2 (100.0 %)"},
                                           LegendCase{2, 1, true, 100, "2 (100.0 %)"}));

struct PairCase {
    vectorObj fx, fy;
    std::size_t ends;
};

class Pairwise : public ::testing::TestWithParam<PairCase> {};

// The line's ends lie on it and on the triangle; each arrow ends on the
// side where X's weighted sum is at least Y's, as the weighted sums tell.
TEST_P(Pairwise, ArrowsPointToTheWeightsThatPreferX)
{
    const PairCase& c = GetParam();
    const PairwiseLine line = PairwiseConstraint(c.fx, c.fy);
    const std::vector<XY> ends = PairwiseEnds(line);
    ASSERT_EQ(ends.size(), c.ends);
    if (ends.size() != 2)
        return;
    const auto sum = [](const vectorObj& f, const XY& w) { return w.x * f[1] + w.y * f[2] + (1 - w.x - w.y) * f[3]; };
    for (const XY& e : ends) {
        EXPECT_NEAR(static_cast<double>(sum(c.fx, e) - sum(c.fy, e)), 0.0, 1e-12);
        EXPECT_GE(static_cast<double>(e.x + e.y), -1e-12);
        EXPECT_LE(static_cast<double>(e.x + e.y), 1 + 1e-12);
    }
    EXPECT_GT(static_cast<double>(std::hypot(ends[0].x - ends[1].x, ends[0].y - ends[1].y)), 0.1);
    const XY mid{(ends[0].x + ends[1].x) / 2, (ends[0].y + ends[1].y) / 2};
    for (const XY& s : {ends[0], ends[1], mid}) {
        const XY e = ArrowEnd(line, ends[0], ends[1], s);
        EXPECT_GT(sum(c.fx, e), sum(c.fy, e));
        EXPECT_NEAR(static_cast<double>(std::hypot(e.x - s.x, e.y - s.y)), 0.03, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, Pairwise,
                         ::testing::Values(PairCase{{0, 2, 2, 1}, {0, 1, 1, 2}, 2}, PairCase{{0, 1, 1, 2}, {0, 2, 2, 1}, 2},
                                           // l1 = 0.5: the line is vertical in projection 1-2.
                                           PairCase{{0, 2, 1, 1}, {0, 1, 2, 2}, 2},
                                           // l2 = 0.5: horizontal.
                                           PairCase{{0, 1, 2, 1}, {0, 2, 1, 2}, 2},
                                           // Through the corner l3 = 1: the other end is on the hypotenuse.
                                           PairCase{{0, 5, 1, 2}, {0, 1, 4, 2}, 2},
                                           // X better everywhere: no line.
                                           PairCase{{0, 5, 5, 5}, {0, 1, 1, 1}, 0}));

TEST(ArrowHead, BaseAtSevenTenthsRoundedAwayFromZero)
{
    // 5 * 7 / 10 = 3.5 rounds to 4, -5 * 7 / 10 to -4.
    const ArrowHead head = ArrowHeadOf({10, 10}, {15, 5});
    EXPECT_EQ(head.tip, QPoint(15, 5));
    EXPECT_EQ(head.left, QPoint(14 - 1, 6 - 1));
    EXPECT_EQ(head.right, QPoint(14 + 1, 6 + 1));
}

struct DeleteCase {
    int x, y, first, last;
    int newX, newY;
};

class PairAfterDelete : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(PairAfterDelete, IsRenumberedOrDropped)
{
    const DeleteCase& c = GetParam();
    int x = c.x, y = c.y;
    const bool dropped = ClearPairwiseIfDeleted(x, y, c.first, c.last);
    EXPECT_EQ(dropped, c.newX == 0 && c.x != 0);
    EXPECT_EQ(x, c.newX);
    if (c.newX != 0) {
        EXPECT_EQ(y, c.newY);
    }
}

INSTANTIATE_TEST_SUITE_P(Deletions, PairAfterDelete,
                         ::testing::Values(DeleteCase{5, 7, 2, 3, 3, 5}, DeleteCase{3, 7, 2, 3, 0, 0},
                                           DeleteCase{5, 3, 2, 3, 0, 0}, DeleteCase{1, 7, 2, 3, 1, 5},
                                           DeleteCase{0, 7, 2, 3, 0, 0}));

} // namespace
