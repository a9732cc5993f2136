#include "lp/LpEngine.h"
#include "problem/RandomProblems.h"
#include "ScriptedUiPort.h"
#include "lp/BasisEvaluator.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "solutions/Messages.h"
#include "solutions/Regions.h"
#include "solutions/Tolerances.h"
#include "base/ListGrowth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

// The half-plane a*x + b*y >= c of the weight plane.
struct Cut {
    Real a = 0;
    Real b = 0;
    Real c = 0;
};

// A reduced-cost matrix on the heap (it is about 35 kB).
struct Matrix {
    std::unique_ptr<tipoYAC> yac = std::make_unique<tipoYAC>();
    int ncols = 0;

    // A column with the given reduced costs of objectives 1..3 (or 1..2).
    void addColumn(Real c1, Real c2, Real c3 = 0)
    {
        ++ncols;
        (*yac)[1][ncols] = c1;
        (*yac)[2][ncols] = c2;
        (*yac)[3][ncols] = c3;
    }
    // A three-objective column whose cut is exactly `cut`: with lambda3 =
    // 1 - x - y the condition sum_k lambda_k YAC[k] >= 0 reads
    // (Y1 - Y3) x + (Y2 - Y3) y >= -Y3.
    void addCut(const Cut& cut) { addColumn(cut.a - cut.c, cut.b - cut.c, -cut.c); }
};

Matrix matrixOf(const std::vector<Cut>& cuts)
{
    Matrix m;
    for (const Cut& cut : cuts)
        m.addCut(cut);
    return m;
}

Matrix cutsMatrix(std::initializer_list<Cut> cuts)
{
    Matrix m;
    for (const Cut& cut : cuts)
        m.addCut(cut);
    return m;
}

UmaRegIndif polygonOf(const Matrix& m, int p = 3) { return ComputeRegionPolygon(p, m.ncols, *m.yac); }

std::vector<XY> verticesOf(const UmaRegIndif& poly)
{
    return std::vector<XY>(poly.vertices.begin() + 1, poly.vertices.begin() + 1 + poly.Numvertices);
}

UmaRegIndif makePolygon(const std::vector<XY>& points)
{
    UmaRegIndif poly;
    poly.Numvertices = static_cast<std::int32_t>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        poly.vertices[i + 1] = points[i];
    return poly;
}

UmaRegIndif makeSegment(Real x1, Real x2) { return makePolygon({XY{x1, 0}, XY{x2, 0}}); }

void expectVertices(const UmaRegIndif& poly, const std::vector<XY>& expected, Real tol = 1e-15L)
{
    ASSERT_EQ(poly.Numvertices, static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(poly.vertices[i + 1].x, expected[i].x, tol) << "vertex " << i + 1;
        EXPECT_NEAR(poly.vertices[i + 1].y, expected[i].y, tol) << "vertex " << i + 1;
    }
}

int countNear(const UmaRegIndif& poly, const XY& p, Real tol = 1e-12L)
{
    int n = 0;
    for (const XY& v : verticesOf(poly))
        n += std::fabs(v.x - p.x) <= tol && std::fabs(v.y - p.y) <= tol;
    return n;
}

Real cross(const XY& o, const XY& a, const XY& b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// Twice the signed area (shoelace), independent of the fan of Heron
// triangles used by the program.
Real signedDoubleArea(const std::vector<XY>& v)
{
    Real s = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const XY& p = v[i];
        const XY& q = v[(i + 1) % v.size()];
        s += p.x * q.y - q.x * p.y;
    }
    return s;
}

// Area in percent of the triangle (area 1/2).
Real shoelacePercent(const std::vector<XY>& v) { return std::fabs(signedDoubleArea(v)) * 100; }

Real segmentDistance(const XY& p, const XY& a, const XY& b)
{
    const Real dx = b.x - a.x;
    const Real dy = b.y - a.y;
    const Real len2 = dx * dx + dy * dy;
    Real t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp<Real>(t, 0, 1);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Signed distances of p to the sides of a convex polygon, positive inside;
// the smallest of them.
Real insideMargin(const std::vector<XY>& v, const XY& p)
{
    const Real orientation = signedDoubleArea(v) > 0 ? 1 : -1;
    Real margin = 1e300L;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const XY& a = v[i];
        const XY& b = v[(i + 1) % v.size()];
        const Real len = std::hypot(b.x - a.x, b.y - a.y);
        if (len == 0)
            continue;
        margin = std::min(margin, orientation * cross(a, b, p) / len);
    }
    return margin;
}

// Distance from p to a convex polygon (0 inside); segments and points too.
Real distanceTo(const std::vector<XY>& v, const XY& p)
{
    if (v.size() >= 3 && std::fabs(signedDoubleArea(v)) > 1e-18L && insideMargin(v, p) >= 0)
        return 0;
    Real d = 1e300L;
    for (std::size_t i = 0; i < v.size(); ++i)
        d = std::min(d, segmentDistance(p, v[i], v[(i + 1) % v.size()]));
    return d;
}

bool strictlyInside(const std::vector<XY>& v, const XY& p, Real margin)
{
    return v.size() >= 3 && std::fabs(signedDoubleArea(v)) > 1e-12L && insideMargin(v, p) > margin;
}

// Whether the polygon is convex and simple: every turn has the same sign.
bool isConvex(const std::vector<XY>& v)
{
    int positive = 0;
    int negative = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Real t = cross(v[i], v[(i + 1) % v.size()], v[(i + 2) % v.size()]);
        positive += t > 1e-15L;
        negative += t < -1e-15L;
    }
    return positive == 0 || negative == 0;
}

// The region of a set of cuts inside the triangle, computed without any
// clipping: every meeting point of two of the lines (the cuts and the three
// sides) that satisfies all the cuts, without duplicates, in angular order.
std::vector<XY> referenceRegion(const std::vector<Cut>& cuts)
{
    std::vector<Cut> lines = cuts;
    lines.push_back(Cut{1, 0, 0});
    lines.push_back(Cut{0, 1, 0});
    lines.push_back(Cut{-1, -1, -1});
    std::vector<XY> points;
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            const Cut& l = lines[i];
            const Cut& m = lines[j];
            const Real det = l.a * m.b - m.a * l.b;
            if (std::fabs(det) < 1e-14L)
                continue;
            const XY p{(l.c * m.b - m.c * l.b) / det, (l.a * m.c - m.a * l.c) / det};
            bool feasible = true;
            for (const Cut& h : lines)
                feasible = feasible && h.a * p.x + h.b * p.y >= h.c - 1e-12L * (1 + std::fabs(h.c));
            bool known = false;
            for (const XY& q : points)
                known = known || (std::fabs(p.x - q.x) <= 1e-9L && std::fabs(p.y - q.y) <= 1e-9L);
            if (feasible && !known)
                points.push_back(p);
        }
    XY centre{0, 0};
    for (const XY& p : points) {
        centre.x += p.x / points.size();
        centre.y += p.y / points.size();
    }
    std::sort(points.begin(), points.end(), [&centre](const XY& p, const XY& q) {
        return std::atan2(p.y - centre.y, p.x - centre.x) < std::atan2(q.y - centre.y, q.x - centre.x);
    });
    return points;
}

// Every listed vertex appears once in the polygon and nothing else does.
void expectSameVertexSet(const UmaRegIndif& poly, const std::vector<XY>& expected, Real tol)
{
    ASSERT_EQ(poly.Numvertices, static_cast<int>(expected.size()));
    for (const XY& p : expected)
        EXPECT_EQ(countNear(poly, p, tol), 1) << "(" << static_cast<double>(p.x) << ", " << static_cast<double>(p.y)
                                              << ")";
}

class ListGrowthReset : public ::testing::Test {
protected:
    void TearDown() override { listgrowth::simulateFailureAfter(-1); }
};

// --- The polygon --------------------------------------------------------

TEST(RegionPolygonTest, ZeroMatrixGivesTheWholeTriangle)
{
    Matrix m;
    m.addColumn(0, 0, 0);
    m.addColumn(5e-11L, -3e-11L, 4e-11L); // cut (1e-11, -7e-11, -4e-11): below the zero tolerance
    m.addColumn(0, 0, 0);
    const UmaRegIndif poly = polygonOf(m);
    expectVertices(poly, {XY{0, 0}, XY{0, 1}, XY{1, 0}});
    EXPECT_NEAR(RegionArea(3, poly), 100, 1e-12);
}

TEST(RegionPolygonTest, OneColumnFavouringTheFirstObjectiveHalvesTheTriangle)
{
    Matrix m;
    m.addColumn(1, -1, 0); // lambda1 >= lambda2
    const UmaRegIndif poly = polygonOf(m);
    expectVertices(poly, {XY{1, 0}, XY{0, 0}, XY{0.5L, 0.5L}});
    EXPECT_NEAR(RegionArea(3, poly), 50, 1e-12);
}

TEST(RegionPolygonTest, TwoObjectiveColumnCutsTheSegmentFromTheLeft)
{
    Matrix m;
    m.addColumn(1, -1); // lambda1 >= lambda2: 2x >= 1
    const UmaRegIndif poly = polygonOf(m, 2);
    expectVertices(poly, {XY{0.5L, 0}, XY{1, 0}});
    EXPECT_NEAR(RegionArea(2, poly), 50, 1e-12);
}

TEST(RegionPolygonTest, TwoObjectiveColumnsCutTheSegmentFromBothSides)
{
    Matrix right;
    right.addColumn(-3, 1); // 3 lambda1 <= lambda2: x <= 0.25
    expectVertices(polygonOf(right, 2), {XY{0, 0}, XY{0.25L, 0}}, 1e-18L);
    EXPECT_NEAR(RegionArea(2, polygonOf(right, 2)), 25, 1e-12);

    Matrix inner;
    inner.addColumn(3, -1); // 4x >= 1
    inner.addColumn(-1, 3); // 4x <= 3
    inner.addColumn(0, 0);  // no cut
    inner.addColumn(0, 2);  // lambda2 >= 0: holds everywhere
    inner.addColumn(2, 0);  // lambda1 >= 0: holds everywhere
    expectVertices(polygonOf(inner, 2), {XY{0.25L, 0}, XY{0.75L, 0}}, 1e-18L);
    EXPECT_NEAR(RegionArea(2, polygonOf(inner, 2)), 50, 1e-12);
}

TEST(RegionPolygonTest, CutThroughAVertexKeepsThatVertexOnce)
{
    // x >= y leaves (1,0), (0,0), (0.5,0.5); x + 3y >= 1 passes through
    // (1,0) and cuts (0,0) off at (0.25,0.25).
    const UmaRegIndif poly = polygonOf(cutsMatrix({Cut{1, -1, 0}, Cut{1, 3, 1}}));
    ASSERT_EQ(poly.Numvertices, 3);
    EXPECT_EQ(countNear(poly, XY{1, 0}), 1);
    EXPECT_EQ(countNear(poly, XY{0.5L, 0.5L}), 1);
    EXPECT_EQ(countNear(poly, XY{0.25L, 0.25L}), 1);
    EXPECT_NEAR(RegionArea(3, poly), 25, 1e-12);

    // The same through a corner of the start triangle: (0,0) lies on x = 2y
    // while (0,1) is cut off.
    const UmaRegIndif corner = polygonOf(cutsMatrix({Cut{1, -2, 0}}));
    ASSERT_EQ(corner.Numvertices, 3);
    EXPECT_EQ(countNear(corner, XY{0, 0}), 1);
    EXPECT_EQ(countNear(corner, XY{1, 0}), 1);
    EXPECT_EQ(countNear(corner, XY{2.0L / 3, 1.0L / 3}, 1e-15L), 1);
    EXPECT_NEAR(RegionArea(3, corner), 100.0L / 3, 1e-10);
}

TEST(RegionPolygonTest, CutThroughAVertexRemovingTwoOthers)
{
    // x <= 0.5 makes the quadrilateral (0,0), (0.5,0), (0.5,0.5), (0,1);
    // x + y <= 0.5 passes through (0.5,0) and cuts (0.5,0.5) and (0,1) off.
    const UmaRegIndif poly = polygonOf(cutsMatrix({Cut{-1, 0, -0.5L}, Cut{-1, -1, -0.5L}}));
    expectSameVertexSet(poly, {XY{0, 0}, XY{0.5L, 0}, XY{0, 0.5L}}, 1e-15L);
    EXPECT_NEAR(RegionArea(3, poly), 25, 1e-12);
    EXPECT_TRUE(isConvex(verticesOf(poly)));
}

TEST(RegionPolygonTest, TouchingCutChangesNothing)
{
    Matrix whole;
    whole.addColumn(0, 0, 0);
    const UmaRegIndif triangle = polygonOf(whole);

    // x >= 0 holds with equality at (0,0) and (0,1) and nowhere fails.
    const UmaRegIndif touched = polygonOf(cutsMatrix({Cut{1, 0, 0}}));
    expectVertices(touched, verticesOf(triangle), 0);

    // y >= 0 touches the half triangle of x >= y along its lower side.
    const UmaRegIndif half = polygonOf(cutsMatrix({Cut{1, -1, 0}}));
    const UmaRegIndif halfTouched = polygonOf(cutsMatrix({Cut{1, -1, 0}, Cut{0, 1, 0}, Cut{-1, -1, -1}}));
    expectVertices(halfTouched, verticesOf(half), 0);
    EXPECT_NEAR(RegionArea(3, halfTouched), 50, 1e-12);
}

TEST(RegionPolygonTest, EmptyRegionEndsWithOneVertex)
{
    // lambda1 >= 0.6 and lambda2 >= 0.6 cannot both hold.
    const UmaRegIndif poly = polygonOf(cutsMatrix({Cut{1, 0, 0.6L}, Cut{0, 1, 0.6L}}));
    EXPECT_EQ(poly.Numvertices, 1);
    EXPECT_EQ(RegionArea(3, poly), 0);

    // A column that is negative for every weight removes everything at once.
    Matrix negative;
    negative.addColumn(-1, -1, -1);
    EXPECT_EQ(polygonOf(negative).Numvertices, 1);
}

TEST(RegionPolygonTest, RegionSqueezedToASegmentHasTwoVerticesAndNoArea)
{
    // x >= y and, from a column with large reduced costs, y - x >= -1e-11:
    // the vertices (0.5,0.5) and (0,0) are 1e-8 inside the second cut (more
    // than the on-line tolerance), while its new vertices lie 1e-11 from
    // them and merge into them.
    const UmaRegIndif poly = polygonOf(cutsMatrix({Cut{1, -1, 0}, Cut{-1000, 1000, -1e-8L}}));
    ASSERT_EQ(poly.Numvertices, 2);
    EXPECT_EQ(countNear(poly, XY{0.5L, 0.5L}, 1e-10L), 1);
    EXPECT_EQ(countNear(poly, XY{0, 0}, 1e-10L), 1);
    EXPECT_EQ(RegionArea(3, poly), 0);
}

TEST(RegionPolygonTest, CornerCutOffByLessThanTheToleranceStaysOneCorner)
{
    // x + y >= 1e-12 cuts (0,0) off strictly, at (1e-12,0) and (0,1e-12):
    // two new vertices within the tolerance of each other, which merge into
    // one corner on the two sides of the triangle again.
    const UmaRegIndif poly = polygonOf(cutsMatrix({Cut{1, 1, 1e-12L}}));
    ASSERT_EQ(poly.Numvertices, 3);
    EXPECT_EQ(countNear(poly, XY{1, 0}, 0), 1);
    EXPECT_EQ(countNear(poly, XY{0, 1}, 0), 1);
    EXPECT_EQ(countNear(poly, XY{0, 0}, 1e-11L), 1);
    EXPECT_NEAR(RegionArea(3, poly), 100, 1e-9L);
}

TEST(RegionPolygonTest, RegionSqueezedIntoACornerIsASinglePoint)
{
    // x + y <= 1e-11 from a column with large reduced costs: (0,0) stays
    // (1e-8 inside in cut units), and the two new vertices next to it merge
    // into it.
    const UmaRegIndif poly = polygonOf(cutsMatrix({Cut{-1000, -1000, -1e-8L}}));
    ASSERT_EQ(poly.Numvertices, 1);
    EXPECT_NEAR(poly.vertices[1].x, 0, 1e-10L);
    EXPECT_NEAR(poly.vertices[1].y, 0, 1e-10L);
    EXPECT_EQ(RegionArea(3, poly), 0);
}

// The cut of a column with large reduced costs whose line passes through
// `through` and 1e-11 from the corner `corner` (1e-7 inside in cut units, so
// not on the line), keeping the side that holds `inner`.
Cut cutPassingNearACorner(const XY& through, const XY& corner, const XY& towards, const XY& inner)
{
    const Real delta = 1e-11L;
    const XY q{corner.x + delta * (towards.x - corner.x), corner.y + delta * (towards.y - corner.y)};
    Cut cut{q.y - through.y, through.x - q.x, 0};
    cut.c = cut.a * through.x + cut.b * through.y;
    if (cut.a * inner.x + cut.b * inner.y < cut.c)
        cut = Cut{-cut.a, -cut.b, -cut.c};
    const Real scale = 1e4L;
    return Cut{cut.a * scale, cut.b * scale, cut.c * scale};
}

TEST(RegionPolygonTest, NewVertexNextToAKeptCornerTakesOverTheSideItCut)
{
    // The cut from (0.5,0) to 1e-11 below (0,1) on the hypotenuse removes
    // (1,0). Its vertex on the hypotenuse merges into (0,1), whose side along
    // the hypotenuse becomes the cut: the boundary then runs
    // (0,0), (0,1), (0.5,0).
    const Cut below = cutPassingNearACorner(XY{0.5L, 0}, XY{0, 1}, XY{1, 0}, XY{0, 0});
    const UmaRegIndif poly = polygonOf(cutsMatrix({below}));
    ASSERT_EQ(poly.Numvertices, 3);
    EXPECT_EQ(countNear(poly, XY{0, 0}, 0), 1);
    EXPECT_EQ(countNear(poly, XY{0, 1}, 0), 1);
    EXPECT_EQ(countNear(poly, XY{0.5L, 0}, 1e-15L), 1);
    EXPECT_NEAR(RegionArea(3, poly), 50, 1e-8L);

    // The same from (0.5,0) to 1e-11 below (0,1) on the side x = 0, keeping
    // (1,0): the new vertex on x = 0 merges into (0,1), whose side x = 0
    // becomes the cut.
    const Cut beside = cutPassingNearACorner(XY{0.5L, 0}, XY{0, 1}, XY{0, 0}, XY{1, 0});
    const UmaRegIndif other = polygonOf(cutsMatrix({beside}));
    ASSERT_EQ(other.Numvertices, 3);
    EXPECT_EQ(countNear(other, XY{1, 0}, 0), 1);
    EXPECT_EQ(countNear(other, XY{0, 1}, 0), 1);
    EXPECT_EQ(countNear(other, XY{0.5L, 0}, 1e-15L), 1);
    EXPECT_NEAR(RegionArea(3, other), 50, 1e-8L);
}

TEST(RegionPolygonTest, OtherObjectiveCountsHaveNoPolygon)
{
    Matrix m;
    m.addColumn(1, -1, 0);
    for (int p : {0, 1, 4, 5, 20}) {
        EXPECT_EQ(ComputeRegionPolygon(p, m.ncols, *m.yac).Numvertices, 0) << p;
        EXPECT_EQ(RegionArea(p, makePolygon({XY{0, 0}, XY{1, 0}, XY{0, 1}})), 0) << p;
    }
}

// Random cut sets whose region contains a chosen point: the polygon must be
// the region found by brute force from all line intersections.
TEST(RegionPolygonTest, MatchesTheBruteForceRegionOnRandomCuts)
{
    std::mt19937 rng(20240611u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> cutCount(1, 25);
    int nonTrivial = 0;
    for (int trial = 0; trial < 400; ++trial) {
        Real x0 = unit(rng);
        Real y0 = unit(rng);
        if (x0 + y0 > 1) {
            x0 = 1 - x0;
            y0 = 1 - y0;
        }
        std::vector<Cut> cuts;
        Matrix m;
        const int count = cutCount(rng);
        for (int k = 0; k < count; ++k) {
            const Real angle = unit(rng) * 2 * M_PI;
            // Reduced costs of any scale.
            const Real scale = std::pow(10.0L, static_cast<Real>(unit(rng) * 6 - 3));
            const Real a = std::cos(angle) * scale;
            const Real b = std::sin(angle) * scale;
            const Real gap = (0.002L + 0.3L * unit(rng)) * scale;
            const Cut cut{a, b, a * x0 + b * y0 - gap};
            cuts.push_back(cut);
            m.addCut(cut);
        }
        const UmaRegIndif poly = polygonOf(m);
        const std::vector<XY> expected = referenceRegion(cuts);
        SCOPED_TRACE(trial);
        expectSameVertexSet(poly, expected, 1e-9L);
        const std::vector<XY> v = verticesOf(poly);
        EXPECT_TRUE(isConvex(v));
        EXPECT_NEAR(RegionArea(3, poly), shoelacePercent(expected), 1e-8L);
        EXPECT_EQ(distanceTo(v, XY{x0, y0}), 0) << "the chosen point must stay inside";
        nonTrivial += poly.Numvertices > 4;
    }
    EXPECT_GT(nonTrivial, 50);
}

// Lines through the points of a coarse lattice meet three or more at a
// point and pass through earlier vertices: the coincidence handling at work.
TEST(RegionPolygonTest, MatchesTheBruteForceRegionWhenLinesMeetAtLatticePoints)
{
    std::mt19937 rng(77u);
    std::uniform_int_distribution<int> coef(-3, 3);
    std::uniform_int_distribution<int> lattice(0, 4);
    int withCoincidences = 0;
    for (int trial = 0; trial < 400; ++trial) {
        // An inner point the region keeps: (x0, y0) with margin.
        const Real x0 = 0.2L + 0.05L * (trial % 5);
        const Real y0 = 0.2L + 0.04L * ((trial / 5) % 5);
        std::vector<Cut> cuts;
        Matrix m;
        const int count = 1 + trial % 7;
        while (static_cast<int>(cuts.size()) < count) {
            const Real a = coef(rng);
            const Real b = coef(rng);
            if (a == 0 && b == 0)
                continue;
            // The line through a lattice point (i/4, j/4).
            const Real px = lattice(rng) / 4.0L;
            const Real py = lattice(rng) / 4.0L;
            Cut cut{a, b, a * px + b * py};
            if (cut.a * x0 + cut.b * y0 < cut.c) {
                cut = Cut{-a, -b, -cut.c};
            }
            if (cut.a * x0 + cut.b * y0 - cut.c < 1e-9L)
                continue; // through the inner point itself
            cuts.push_back(cut);
            m.addCut(cut);
        }
        const UmaRegIndif poly = polygonOf(m);
        const std::vector<XY> expected = referenceRegion(cuts);
        SCOPED_TRACE(trial);
        expectSameVertexSet(poly, expected, 1e-12L);
        EXPECT_TRUE(isConvex(verticesOf(poly)));
        EXPECT_NEAR(RegionArea(3, poly), shoelacePercent(expected), 1e-12L);
        int lineCount = 0;
        for (const XY& p : expected)
            for (const Cut& cut : cuts)
                lineCount += std::fabs(cut.a * p.x + cut.b * p.y - cut.c) < 1e-12L;
        withCoincidences += lineCount > static_cast<int>(expected.size());
    }
    EXPECT_GT(withCoincidences, 50);
}

// Every point of one list lies within tol of a point of the other.
bool sameWithin(const std::vector<XY>& a, const std::vector<XY>& b, Real tol)
{
    auto covers = [tol](const std::vector<XY>& from, const std::vector<XY>& to) {
        for (const XY& p : to) {
            bool found = false;
            for (const XY& q : from)
                found = found || (std::fabs(p.x - q.x) <= tol && std::fabs(p.y - q.y) <= tol);
            if (!found)
                return false;
        }
        return true;
    };
    return covers(a, b) && covers(b, a);
}

// Lattice lines moved by 1e-10..1e-13 and scaled by 0.01..10^4: vertices
// fall just inside or outside the on-line tolerance, new vertices land next
// to kept ones, and three lines nearly meet. Within rounding the polygon is
// still the exact region.
TEST(RegionPolygonTest, NearlyCoincidentLinesGiveTheRegionWithinRounding)
{
    std::mt19937 rng(3u);
    std::uniform_int_distribution<int> coef(-3, 3);
    std::uniform_int_distribution<int> lattice(0, 4);
    std::uniform_int_distribution<int> cutCount(1, 8);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int mismatches = 0;
    int squeezed = 0;
    for (int trial = 0; trial < 40000; ++trial) {
        const Real x0 = 0.2L + 0.1L * unit(rng);
        const Real y0 = 0.2L + 0.1L * unit(rng);
        std::vector<Cut> cuts;
        const int count = cutCount(rng);
        while (static_cast<int>(cuts.size()) < count) {
            Real a = coef(rng);
            Real b = coef(rng);
            if (a == 0 && b == 0)
                continue;
            Real c = a * lattice(rng) / 4 + b * lattice(rng) / 4;
            c += (unit(rng) - 0.5) * std::pow(10.0L, static_cast<Real>(-10 - 3 * unit(rng)));
            if (a * x0 + b * y0 < c) {
                a = -a;
                b = -b;
                c = -c;
            }
            const Real scale = std::pow(10.0L, static_cast<Real>(6 * unit(rng) - 2));
            cuts.push_back(Cut{a * scale, b * scale, c * scale});
        }
        const UmaRegIndif poly = polygonOf(matrixOf(cuts));
        std::vector<XY> expected = referenceRegion(cuts);
        // The reference keeps points 1e-9 apart; rounding may keep two
        // vertices closer than that apart in the polygon.
        const std::vector<XY> v = verticesOf(poly);
        const bool ok = poly.Numvertices >= 3 && sameWithin(v, expected, 1e-8L) && isConvex(v) &&
                        std::fabs(RegionArea(3, poly) - shoelacePercent(expected)) <= 1e-6L;
        mismatches += !ok;
        squeezed += static_cast<int>(expected.size()) < poly.Numvertices;

        if (!ok && mismatches <= 3)
            ADD_FAILURE() << "trial " << trial << ": " << poly.Numvertices << " vertices, expected "
                          << expected.size();
    }
    EXPECT_EQ(mismatches, 0);
    // Some polygons keep two vertices closer together than the reference's
    // 1e-9: the tolerances are really put to work.
    EXPECT_GT(squeezed, 0);
}

// Tangents to a circle inside the triangle, in angular order: `count` of
// them make a regular polygon with `count` corners.
std::vector<Cut> tangentCuts(int count, XY centre, Real radius)
{
    std::vector<Cut> cuts;
    for (int k = 0; k < count; ++k) {
        const Real t = 2 * M_PI * k / count;
        // Keeps the side of the tangent at direction t that holds the centre.
        const Real a = -std::cos(t);
        const Real b = -std::sin(t);
        cuts.push_back(Cut{a, b, a * centre.x + b * centre.y - radius});
    }
    return cuts;
}

TEST(RegionPolygonTest, TwentyEightCornersFitAndAreExact)
{
    const std::vector<Cut> cuts = tangentCuts(28, XY{0.29L, 0.29L}, 0.2L);
    const std::vector<XY> corners = referenceRegion(cuts);
    ASSERT_EQ(corners.size(), 28u);
    const UmaRegIndif poly = polygonOf(matrixOf(cuts));
    expectSameVertexSet(poly, corners, 1e-12L);
    EXPECT_TRUE(isConvex(verticesOf(poly)));
    EXPECT_NEAR(RegionArea(3, poly), shoelacePercent(corners), 1e-12L);
}

TEST(RegionPolygonTest, RegionNeedingMoreThanThirtyCornersIsCutShortInsideTheStorage)
{
    const XY centre{0.29L, 0.29L};
    const std::vector<Cut> cuts = tangentCuts(45, centre, 0.2L);
    const std::vector<XY> corners = referenceRegion(cuts);
    ASSERT_EQ(corners.size(), 45u);
    const UmaRegIndif poly = polygonOf(matrixOf(cuts));
    ASSERT_GE(poly.Numvertices, 3);
    ASSERT_LE(poly.Numvertices, MaxVertices);
    const std::vector<XY> v = verticesOf(poly);
    EXPECT_TRUE(isConvex(v));
    // What is kept is a convex polygon around the exact region, inside the
    // triangle, and every corner of it satisfies the cuts that were applied.
    for (const XY& p : corners)
        EXPECT_LE(distanceTo(v, p), 1e-12L);
    int satisfied = 0;
    for (const Cut& cut : cuts) {
        bool all = true;
        for (const XY& p : v)
            all = all && cut.a * p.x + cut.b * p.y >= cut.c - 1e-12L;
        satisfied += all;
    }
    EXPECT_GE(satisfied, MaxVertices - 3);
    for (const XY& p : v) {
        EXPECT_GE(p.x, -1e-12L);
        EXPECT_GE(p.y, -1e-12L);
        EXPECT_LE(p.x + p.y, 1 + 1e-12L);
    }
    EXPECT_GE(RegionArea(3, poly), shoelacePercent(corners) - 1e-9L);
    EXPECT_LE(RegionArea(3, poly), 100);

    // A later cut that removes corners makes room: the cuts that did not fit
    // are applied after it, and the right half of the 45-gon is exact.
    std::vector<Cut> half = cuts;
    half.push_back(Cut{1, 0, centre.x});
    const std::vector<XY> halfCorners = referenceRegion(half);
    ASSERT_LE(halfCorners.size(), static_cast<std::size_t>(MaxVertices));
    const UmaRegIndif halfPoly = polygonOf(matrixOf(half));
    expectSameVertexSet(halfPoly, halfCorners, 1e-12L);
    EXPECT_TRUE(isConvex(verticesOf(halfPoly)));
}

// --- Area and adjacency -------------------------------------------------

TEST(RegionAreaTest, FanOfHeronTrianglesEqualsTheShoelaceArea)
{
    std::mt19937 rng(5u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 200; ++trial) {
        // Points on an ellipse inside the triangle, in angular order: convex.
        const int n = 3 + trial % 28;
        std::vector<Real> angles;
        for (int i = 0; i < n; ++i)
            angles.push_back(unit(rng) * 2 * M_PI);
        std::sort(angles.begin(), angles.end());
        if (trial % 2)
            std::reverse(angles.begin(), angles.end());
        std::vector<XY> v;
        for (Real t : angles)
            v.push_back(XY{0.3L + 0.2L * std::cos(t), 0.3L + 0.1L * std::sin(t)});
        EXPECT_NEAR(RegionArea(3, makePolygon(v)), shoelacePercent(v), 1e-12L) << trial;
    }
    EXPECT_NEAR(RegionArea(3, makePolygon({XY{0, 0}, XY{1, 0}, XY{0, 1}})), 100, 1e-15L);
    EXPECT_NEAR(RegionArea(3, makePolygon({XY{0, 0}, XY{0.5L, 0}, XY{0.5L, 0.5L}, XY{0, 0.5L}})), 50, 1e-15L);
}

TEST(RegionAreaTest, FlatAndShortPolygonsHaveNoArea)
{
    EXPECT_EQ(RegionArea(3, makePolygon({XY{0.1L, 0.1L}, XY{0.4L, 0.2L}})), 0);
    EXPECT_EQ(RegionArea(3, makePolygon({XY{0.1L, 0.1L}})), 0);
    // Collinear points: Heron's product s(s-d1)(s-d2)(s-d3) often comes out
    // slightly negative.
    std::mt19937 rng(11u);
    std::uniform_real_distribution<double> unit(0.0, 0.5);
    int negativeProducts = 0;
    for (int k = 0; k < 2000; ++k) {
        const XY a{unit(rng), unit(rng)};
        const XY c{unit(rng), unit(rng)};
        const Real t = 2 * unit(rng);
        const XY b{a.x + t * (c.x - a.x), a.y + t * (c.y - a.y)};
        const Real d1 = std::hypot(b.x - a.x, b.y - a.y);
        const Real d2 = std::hypot(c.x - b.x, c.y - b.y);
        const Real d3 = std::hypot(a.x - c.x, a.y - c.y);
        const Real s = (d1 + d2 + d3) / 2;
        negativeProducts += s * (s - d1) * (s - d2) * (s - d3) < 0;
        const Real area = RegionArea(3, makePolygon({a, b, c}));
        EXPECT_FALSE(std::isnan(area)) << k;
        EXPECT_GE(area, 0) << k;
        EXPECT_LT(area, 1e-7L) << k;
    }
    EXPECT_GT(negativeProducts, 100);
}

TEST(RegionAreaTest, TwoObjectiveAreaIsTheSegmentLength)
{
    EXPECT_NEAR(RegionArea(2, makeSegment(0.2L, 0.5L)), 30, 1e-15L);
    EXPECT_EQ(RegionArea(2, makeSegment(0.4L, 0.4L)), 0);
    EXPECT_NEAR(RegionArea(2, makeSegment(0, 1)), 100, 1e-15L);
}

TEST(RegionsAdjacentTest, ThreeObjectivePolygonsNeedASharedSide)
{
    const UmaRegIndif lower = makePolygon({XY{0, 0}, XY{1, 0}, XY{0.5L, 0.5L}});
    const UmaRegIndif upper = makePolygon({XY{0.5L, 0.5L}, XY{0, 1}, XY{0, 0}});
    EXPECT_TRUE(RegionsAdjacent(3, lower, upper));
    EXPECT_TRUE(RegionsAdjacent(3, upper, lower));

    // Only the corner (0.5, 0) in common.
    const UmaRegIndif right = makePolygon({XY{0.5L, 0}, XY{1, 0}, XY{0.5L, 0.5L}});
    const UmaRegIndif left = makePolygon({XY{0, 0}, XY{0.5L, 0}, XY{0, 0.5L}});
    EXPECT_FALSE(RegionsAdjacent(3, right, left));
    // A corner touching the middle of a side is not a side either.
    const UmaRegIndif touching = makePolygon({XY{0.25L, 0.25L}, XY{0, 0.6L}, XY{0, 0.3L}});
    EXPECT_FALSE(RegionsAdjacent(3, lower, touching));

    // The shared ends may differ by the adjacency tolerance, not more.
    const UmaRegIndif nearUpper = makePolygon({XY{0.5L + 9e-6L, 0.5L - 9e-6L}, XY{0, 1}, XY{9e-6L, 0}});
    EXPECT_TRUE(RegionsAdjacent(3, lower, nearUpper));
    const UmaRegIndif farUpper = makePolygon({XY{0.5L + 2e-5L, 0.5L}, XY{0, 1}, XY{0, 0}});
    EXPECT_FALSE(RegionsAdjacent(3, lower, farUpper));
}

TEST(RegionsAdjacentTest, TwoObjectiveSegmentsNeedASharedEnd)
{
    EXPECT_TRUE(RegionsAdjacent(2, makeSegment(0.2L, 0.5L), makeSegment(0.5L, 0.9L)));
    EXPECT_TRUE(RegionsAdjacent(2, makeSegment(0.5L, 0.9L), makeSegment(0.2L, 0.5L)));
    EXPECT_FALSE(RegionsAdjacent(2, makeSegment(0.2L, 0.5L), makeSegment(0.6L, 0.9L)));
    EXPECT_TRUE(RegionsAdjacent(2, makeSegment(0.2L, 0.5L), makeSegment(0.5L + 9e-6L, 0.9L)));
    EXPECT_FALSE(RegionsAdjacent(2, makeSegment(0.2L, 0.5L), makeSegment(0.5L + 2e-5L, 0.9L)));
}

TEST(RegionsAdjacentTest, OtherObjectiveCountsAreNeverAdjacent)
{
    const UmaRegIndif lower = makePolygon({XY{0, 0}, XY{1, 0}, XY{0.5L, 0.5L}});
    EXPECT_FALSE(RegionsAdjacent(4, lower, lower));
    EXPECT_FALSE(RegionsAdjacent(1, lower, lower));
}

// Vertices on a coarse grid, moved by up to a few adjacency tolerances, so
// that polygons share vertices just within and just beyond the tolerance.
UmaRegIndif randomPolygon(std::mt19937& rng, int p)
{
    static const Real shifts[] = {0, 0.5L * kAdjacencyTol, 0.99L * kAdjacencyTol, kAdjacencyTol,
                                  1.5L * kAdjacencyTol, -0.99L * kAdjacencyTol, 3 * kAdjacencyTol};
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto coordinate = [&]() { return Real(pick(5)) / 4 + shifts[pick(7)]; };
    std::vector<XY> points;
    const int n = p == 2 ? 2 : 2 + pick(5);
    for (int i = 0; i < n; ++i)
        points.push_back(XY{coordinate(), p == 2 ? 0 : coordinate()});
    return makePolygon(points);
}

TEST(RegionAdjacencyIndexTest, FindsWhatAScanOfEveryChainFinds)
{
    for (int p : {2, 3}) {
        std::mt19937 rng(static_cast<unsigned>(40 + p));
        auto ws = std::make_unique<Workspace>();
        InitWorkspace(*ws);
        ws->numObjectives = p;
        for (int i = 0; i < 12; ++i)
            ASSERT_NE(ws->appendSolution(SolSolutionBasket{}), 0);
        RegionAdjacencyIndex index;
        std::vector<std::vector<int>> chains(13); // by solution, as they should be
        for (int step = 0; step < 150; ++step) {
            // The chains interleave, so that chain order is not region order.
            const int sol = std::uniform_int_distribution<int>(1, ws->basketCount)(rng);
            UmaOuMaisRegioes region;
            region.Regiao = randomPolygon(rng, p);
            const int r = ws->appendRegion(region);
            ws->chainRegion(sol, r, index.lastRegion(*ws, sol, r));
            chains[static_cast<std::size_t>(sol)].push_back(r);
            ASSERT_TRUE(index.follow(*ws, sol, r));
            std::vector<int> scanned;
            for (int i = 1; i <= ws->basketCount; ++i)
                for (int q = ws->basket[i].indRegIndif; q != 0 && i != sol; q = ws->regions[q].IndiceProx)
                    if (RegionsAdjacent(p, region.Regiao, ws->regions[q].Regiao)) {
                        scanned.push_back(i);
                        break;
                    }
            std::vector<int> found;
            index.touching(sol, region.Regiao, found);
            EXPECT_EQ(found, scanned) << "p " << p << " step " << step;
            if (step == 100) { // a region stored behind the index's back: it rebuilds itself
                UmaOuMaisRegioes unseen;
                unseen.Regiao = randomPolygon(rng, p);
                const int r = ws->appendRegion(unseen);
                ws->chainRegion(1, r);
                chains[1].push_back(r);
            }
        }
        // The last regions the index gave left every chain in storing order.
        for (int i = 1; i <= ws->basketCount; ++i) {
            std::vector<int> chain;
            for (int q = ws->basket[i].indRegIndif; q != 0; q = ws->regions[q].IndiceProx)
                chain.push_back(q);
            EXPECT_EQ(chain, chains[static_cast<std::size_t>(i)]) << "solution " << i;
        }
        // A region in two chains is not a state an index can be built from
        // (a damage done behind the store's back, after its last change).
        const int r = ws->appendRegion(UmaOuMaisRegioes{});
        ws->chainRegion(3, r);
        ws->basket[1].indRegIndif = ws->basket[2].indRegIndif;
        RegionAdjacencyIndex fresh;
        EXPECT_FALSE(fresh.follow(*ws, 3, r));
    }
}

// --- Storing regions ------------------------------------------------------

class StoreRegionTest : public ListGrowthReset {
protected:
    void SetUp() override { setObjectives(3); }

    void setObjectives(int p)
    {
        ws = std::make_unique<Workspace>();
        InitWorkspace(*ws);
        ws->numObjectives = p;
        ws->weightSpace3 = p == 3;
        ws->weightSpace2 = p == 2;
    }
    int addSolution()
    {
        return ws->appendSolution(SolSolutionBasket{});
    }
    bool store(const Matrix& m, int sol, bool show)
    {
        const RegionStore stored = StoreIndifferenceRegion(*ws, m.ncols, *m.yac, sol, show);
        ShowNotices(ui, stored.notices);
        return stored.failed;
    }
    std::vector<int> chainOf(int sol) const
    {
        std::vector<int> chain;
        for (int r = ws->basket[sol].indRegIndif; r != 0 && chain.size() <= 100; r = ws->regions[r].IndiceProx)
            chain.push_back(r);
        return chain;
    }
    std::vector<std::pair<int, int>> edgeList() const
    {
        std::vector<std::pair<int, int>> list;
        for (int e = 1; e <= ws->edgeCount; ++e)
            list.emplace_back(ws->edges[e].Sol1, ws->edges[e].Sol2);
        return list;
    }

    std::unique_ptr<Workspace> ws;
    ScriptedUiPort ui;
};

TEST_F(StoreRegionTest, StoresThePolygonWithItsAreaAndShowsIt)
{
    const int sol = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}}), sol, true));
    ASSERT_EQ(ws->regionCount, 1);
    ASSERT_EQ(ws->regions.size(), 2u);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 1);
    expectVertices(ws->regions[1].Regiao, {XY{1, 0}, XY{0, 0}, XY{0.5L, 0.5L}});
    EXPECT_NEAR(ws->regions[1].AreaPolig, 50, 1e-12);
    EXPECT_EQ(ws->regions[1].IndiceProx, 0);
    EXPECT_EQ(ws->edgeCount, 0);
    EXPECT_TRUE(ui.saw(UiEvent::WeightSpaceChanged));
    EXPECT_FALSE(ui.saw(UiEvent::BasketChartChanged));
    EXPECT_TRUE(ui.log.isEmpty()) << ui.log.join('\n').toStdString();
}

TEST_F(StoreRegionTest, WithoutShowTheViewIsNotTouched)
{
    const int sol = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}}), sol, false));
    EXPECT_EQ(ws->regionCount, 1);
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(StoreRegionTest, RegionReducedToNothingIsReportedAsWeaklyEfficient)
{
    addSolution();
    const int sol = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{1, 0, 0.6L}, Cut{0, 1, 0.6L}}), sol, true));
    EXPECT_EQ(ws->regionCount, 0);
    EXPECT_EQ(ws->regions.size(), 1u);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 0);
    EXPECT_EQ(ui.status[0], QStringLiteral("Solution 2 is weakly efficient"));
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(StoreRegionTest, RegionReducedToASegmentIsStoredWithNoArea)
{
    const int sol = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}, Cut{-1000, 1000, -1e-8L}}), sol, false));
    ASSERT_EQ(ws->regionCount, 1);
    EXPECT_EQ(ws->regions[1].Regiao.Numvertices, 2);
    EXPECT_EQ(ws->regions[1].AreaPolig, 0);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 1);
    EXPECT_TRUE(ui.status[0].isEmpty());
}

TEST_F(StoreRegionTest, TwoObjectiveRegionIsAlwaysStored)
{
    setObjectives(2);
    const int sol = addSolution();
    Matrix point;
    point.addColumn(0, -1); // x >= 1: only the weight (1, 0)
    EXPECT_FALSE(store(point, sol, true));
    ASSERT_EQ(ws->regionCount, 1);
    expectVertices(ws->regions[1].Regiao, {XY{1, 0}, XY{1, 0}});
    EXPECT_EQ(ws->regions[1].AreaPolig, 0);
    EXPECT_TRUE(ui.status[0].isEmpty());

    const int other = addSolution();
    Matrix left;
    left.addColumn(-1, 1); // x <= 0.5
    EXPECT_FALSE(store(left, other, true));
    ASSERT_EQ(ws->regionCount, 2);
    expectVertices(ws->regions[2].Regiao, {XY{0, 0}, XY{0.5L, 0}});
    EXPECT_NEAR(ws->regions[2].AreaPolig, 50, 1e-12);
    EXPECT_EQ(ws->edgeCount, 0); // [0, 0.5] and the point 1 do not touch
}

TEST_F(StoreRegionTest, DegenerateSolutionChainsItsPolygonsInOrder)
{
    const int sol = addSolution();
    // Three bases of one vertex, each optimal on a part of lambda1 >= lambda2.
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}, Cut{-1, 0, -0.5L}}), sol, false));
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}, Cut{1, 0, 0.5L}, Cut{-1, 0, -0.75L}}), sol, false));
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}, Cut{1, 0, 0.75L}}), sol, false));
    EXPECT_EQ(ws->regionCount, 3);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 1);
    EXPECT_EQ(chainOf(sol), (std::vector<int>{1, 2, 3}));
    // Polygons of one solution are not edges of the basket graph.
    EXPECT_EQ(ws->edgeCount, 0);
    Real total = 0;
    for (int r : chainOf(sol))
        total += ws->regions[r].AreaPolig;
    EXPECT_NEAR(total, 50, 1e-12);
}

TEST_F(StoreRegionTest, EveryTouchingPolygonOfAnotherSolutionGivesAnEdge)
{
    const int first = addSolution();
    // Solution 1 has two polygons along the diagonal x = y.
    store(cutsMatrix({Cut{1, -1, 0}, Cut{-1, 0, -0.25L}}), first, false); // (0,0),(0.25,0),(0.25,0.25)
    store(cutsMatrix({Cut{1, -1, 0}, Cut{1, 0, 0.25L}}), first, false);   // the rest of x >= y
    ASSERT_EQ(ws->regionCount, 2);
    addSolution(); // solution 2 has no region: nothing to compare with
    ui.clear();

    // Solution 3: the upper half, y >= x, cut at x = 0.25 into two polygons.
    const int third = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{-1, 1, 0}, Cut{-1, 0, -0.25L}}), third, false));
    // (0,0),(0.25,0.25),(0.25,0.75),(0,1): shares the side (0,0)-(0.25,0.25)
    // with polygon 1 only.
    EXPECT_EQ(edgeList(), (std::vector<std::pair<int, int>>{{first, third}}));
    EXPECT_TRUE(ui.saw(UiEvent::BasketChartChanged));
    ui.clear();

    EXPECT_FALSE(store(cutsMatrix({Cut{-1, 1, 0}, Cut{1, 0, 0.25L}}), third, false));
    // (0.25,0.25),(0.5,0.5),(0.25,0.75): shares (0.25,0.25)-(0.5,0.5) with
    // polygon 2, and the side x = 0.25 with the first polygon of its own
    // solution, which gives no edge; the pair has its edge already.
    EXPECT_EQ(edgeList(), (std::vector<std::pair<int, int>>{{first, third}}));
    EXPECT_TRUE(ui.saw(UiEvent::BasketChartChanged));
    ui.clear();

    // A polygon that meets the stored ones in single corners only: no edge,
    // no redraw. (0,0.9), (0.1,0.8), (0.1,0.9), (0,1) has the corner (0,1)
    // of solution 3's first polygon and nothing else.
    const int fourth = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{1, 1, 0.9L}, Cut{-1, 0, -0.1L}}), fourth, false));
    ASSERT_EQ(ws->regions[ws->regionCount].Regiao.Numvertices, 4);
    EXPECT_EQ(ws->edgeCount, 1);
    EXPECT_FALSE(ui.saw(UiEvent::BasketChartChanged));
}

TEST_F(StoreRegionTest, EdgesJoinTheEarlierSolutionToTheNewOne)
{
    const int a = addSolution();
    const int b = addSolution();
    const int c = addSolution();
    // The later basket entry first: Sol1 names the solution whose polygon
    // was already there, Sol2 the one being stored.
    store(cutsMatrix({Cut{-1, 1, 0}}), c, false); // y >= x
    store(cutsMatrix({Cut{1, -1, 0}}), a, false); // x >= y
    EXPECT_EQ(edgeList(), (std::vector<std::pair<int, int>>{{c, a}}));
    // (0,0), (0.5,0), (0.5,0.5) shares the diagonal with both; the earlier
    // basket indices come first.
    store(cutsMatrix({Cut{1, -1, 0}, Cut{-1, 0, -0.5L}}), b, false);
    EXPECT_EQ(edgeList(), (std::vector<std::pair<int, int>>{{c, a}, {a, b}, {c, b}}));
}

TEST_F(StoreRegionTest, OutOfMemoryForTheRegionInABox)
{
    const int first = addSolution();
    store(cutsMatrix({Cut{1, -1, 0}}), first, false);
    const int sol = addSolution();
    ui.clear();
    listgrowth::simulateFailureAfter(0);
    EXPECT_TRUE(store(cutsMatrix({Cut{-1, 1, 0}}), sol, true));
    EXPECT_EQ(ws->regionCount, 1);
    EXPECT_EQ(ws->regions.size(), 2u);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 0);
    EXPECT_EQ(ws->edgeCount, 0);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Warning: No more memory to save indiference regions!!")});
    EXPECT_TRUE(ui.status[0].isEmpty());
    EXPECT_TRUE(ui.events.empty());

    // Memory back: the same region is stored as the second one.
    listgrowth::simulateFailureAfter(-1);
    EXPECT_FALSE(store(cutsMatrix({Cut{-1, 1, 0}}), sol, true));
    EXPECT_EQ(ws->regionCount, 2);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 2);
    EXPECT_EQ(edgeList(), (std::vector<std::pair<int, int>>{{first, sol}}));
}

TEST_F(StoreRegionTest, OutOfMemoryForTheRegionInTheStatusLine)
{
    const int sol = addSolution();
    listgrowth::simulateFailureAfter(0);
    EXPECT_TRUE(store(cutsMatrix({Cut{1, -1, 0}}), sol, false));
    EXPECT_EQ(ws->regionCount, 0);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 0);
    EXPECT_EQ(ui.status[0], QStringLiteral("No more memory to save indiference regions!"));
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(StoreRegionTest, OutOfMemoryForAnEdge)
{
    // Two bases of the first solution, both with the diagonal as a side.
    const int first = addSolution();
    store(cutsMatrix({Cut{1, -1, 0}, Cut{-1, 0, -0.5L}}), first, false);
    store(cutsMatrix({Cut{1, -1, 0}}), first, false);
    const int sol = addSolution();
    ui.clear();
    // The region grows the list once; the edge finds no memory (the pair
    // has one edge, however many of its polygons touch).
    listgrowth::simulateFailureAfter(1);
    EXPECT_TRUE(store(cutsMatrix({Cut{-1, 1, 0}}), sol, false));
    EXPECT_EQ(ws->regionCount, 3);
    EXPECT_EQ(ws->basket[sol].indRegIndif, 3);
    EXPECT_EQ(ws->edgeCount, 0);
    EXPECT_EQ(ws->edges.size(), 1u);
    EXPECT_EQ(ui.status[0], QStringLiteral("No more memory to save indiference regions!"));
    EXPECT_FALSE(ui.saw(UiEvent::BasketChartChanged));
    EXPECT_NE(first, sol);

    // With the box.
    listgrowth::simulateFailureAfter(-1);
    setObjectives(3);
    const int again = addSolution();
    store(cutsMatrix({Cut{1, -1, 0}}), again, false);
    const int next = addSolution();
    ui.clear();
    listgrowth::simulateFailureAfter(1);
    EXPECT_TRUE(store(cutsMatrix({Cut{-1, 1, 0}}), next, true));
    EXPECT_EQ(ws->regionCount, 2);
    EXPECT_EQ(ws->edgeCount, 0);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Warning: No more memory to save indiference regions!!")});
    EXPECT_FALSE(ui.saw(UiEvent::BasketChartChanged));
}

TEST_F(StoreRegionTest, NothingHappensWithoutAWeightPlane)
{
    setObjectives(4);
    const int sol = addSolution();
    EXPECT_FALSE(store(cutsMatrix({Cut{1, -1, 0}}), sol, true));
    EXPECT_EQ(ws->regionCount, 0);
    EXPECT_TRUE(ui.log.isEmpty());
    EXPECT_TRUE(ui.events.empty());
}

} // namespace

// --- Regions of generated problems ------------------------------------------
//
// Weighted sums of seeded random problems are solved on a grid of weights;
// every new optimal basis is stored in the basket by hand (a new entry for a
// new objective vector, the existing entry for a new basis of a known one)
// and gets its region from its reduced costs. The regions are then checked
// against facts that do not depend on the polygon code: the optimal value at
// any weight, the partition of the weight space, and the shared sides.
//
// The grid alone can miss small regions, so the exploration also probes
// just outside the middle of every side of every stored polygon: a probe no
// stored polygon covers is solved like a grid point. When no probe is left
// uncovered every region has been found; where, in addition, every solution
// has a single polygon (no degenerate vertex reached through several bases,
// whose polygons may overlap), the areas must add up to the whole space.

namespace {

std::vector<Real> columnValues(const LpTables& lp)
{
    std::vector<Real> x(static_cast<std::size_t>(lp.lpColumnCount) + 1, 0);
    for (int i = 1; i <= lp.lpRowCount; ++i)
        if (lp.isColumn(lp.basicList[i]))
            x[lp.basicList[i]] = lp.basicValues[i];
    for (int j = 1; j < lp.tabCols && lp.nonbasicList[j] != 0; ++j)
        if (lp.isColumn(lp.nonbasicList[j]))
            x[lp.nonbasicList[j]] = lp.nonbasicValues[j];
    return x;
}

// Basic variables and the columns at their upper bound: two bases with the
// same key are the same vertex of the program with the same reduced costs.
using BasisKey = std::pair<std::set<int>, std::set<int>>;

BasisKey basisKey(const LpTables& lp)
{
    BasisKey key;
    for (int i = 1; i <= lp.lpRowCount; ++i)
        key.first.insert(lp.basicList[i]);
    for (int j = 1; j <= lp.lpColumnCount; ++j)
        if (lp.atUpper[j] && key.first.count(j) == 0)
            key.second.insert(j);
    return key;
}

class WeightSpaceExplorer {
public:
    struct Sample {
        XY point;
        Real value = 0; // optimal weighted-sum value
        int region = 0; // the stored polygon of the basis found, 0 = none
    };

    explicit WeightSpaceExplorer(Workspace& ws) : ws_(ws), p_(ws.numObjectives) {}

    vectorObj weightsAt(const XY& point) const
    {
        vectorObj w{};
        w[1] = point.x;
        if (p_ == 3) {
            w[2] = point.y;
            w[3] = std::max<Real>(0, 1 - point.x - point.y);
        } else {
            w[2] = std::max<Real>(0, 1 - point.x);
        }
        return w;
    }

    // Solves the weighted sum at a point and stores the region of a new basis.
    Sample solve(const XY& point)
    {
        Sample s;
        s.point = point;
        LpTables& lp = engine_->tables;
        BuildWeightedSumProgram(ws_, weightsAt(point), lp);
        const SolveStatus status = SolveScalarizing(lp, true, 1, engine_->evaluator);
        EXPECT_EQ(status, SolveStatus::Optimal);
        if (status != SolveStatus::Optimal) {
            s.region = -1;
            return s;
        }
        s.value = lp.basicValues[lp.lpRowCount + 1];
        const BasisKey key = basisKey(lp);
        auto known = bases_.find(key);
        if (known != bases_.end()) {
            s.region = known->second;
            samples_.push_back(s);
            return s;
        }

        const std::vector<Real> x = columnValues(lp);
        vectorObj f{};
        for (int k = 1; k <= p_; ++k)
            for (int j = 1; j <= ws_.numVariables; ++j)
                f[k] += ws_.objCoef[k][j] * x[j];
        int sol = 0;
        for (int i = 1; i <= ws_.basketCount && sol == 0; ++i) {
            bool same = true;
            for (int k = 1; k <= p_; ++k)
                same = same && std::fabs(ws_.basket[i].f[k] - f[k]) <= 1e-7L * (1 + std::fabs(f[k]));
            if (same)
                sol = i;
        }
        if (sol == 0) {
            SolSolutionBasket entry;
            entry.f = SolutionValues(f, ws_.numObjectives);
            sol = ws_.appendSolution(entry);
        }

        RecordYAC yac;
        YacColumnMap columns{};
        ComputeReducedCosts(ws_, lp, yac, columns);
        const int before = ws_.regionCount;
        EXPECT_FALSE(StoreIndifferenceRegion(ws_, yac.ncolsYAC, yac.YAC, sol, false).failed);
        s.region = ws_.regionCount > before ? ws_.regionCount : 0;
        if (s.region != 0)
            solutionOf_[s.region] = sol;
        bases_[key] = s.region;
        samples_.push_back(s);
        return s;
    }

    bool inside(const XY& q) const
    {
        if (p_ == 2)
            return q.x >= 0 && q.x <= 1;
        return q.x >= 0 && q.y >= 0 && q.x + q.y <= 1;
    }

    bool covered(const XY& q) const
    {
        for (int r = 1; r <= ws_.regionCount; ++r)
            if (distanceTo(polygon(r), q) <= 1e-9L)
                return true;
        return false;
    }

    // Grid of (n+1)(n+2)/2 points of the triangle, or n+1 of the segment;
    // then probes until every side of every polygon has a neighbour.
    // False when the probe budget ran out first.
    bool explore(int n, int budget)
    {
        for (int i = 0; i <= n; ++i) {
            if (p_ == 2) {
                solve(XY{static_cast<Real>(i) / n, 0});
                continue;
            }
            for (int j = 0; i + j <= n; ++j)
                solve(XY{static_cast<Real>(i) / n, static_cast<Real>(j) / n});
        }
        const Real step = p_ == 3 ? 1e-6L : 1e-7L;
        for (int probed = 1; probed <= ws_.regionCount; ++probed) {
            const std::vector<XY> v = polygon(probed);
            std::vector<XY> probes;
            if (p_ == 2) {
                probes = {XY{v[0].x - step, 0}, XY{v[1].x + step, 0}};
            } else if (v.size() >= 3 && RegionArea(3, ws_.regions[probed].Regiao) > 0) {
                const Real orientation = signedDoubleArea(v) > 0 ? 1 : -1;
                for (std::size_t i = 0; i < v.size(); ++i) {
                    const XY& a = v[i];
                    const XY& b = v[(i + 1) % v.size()];
                    const Real len = std::hypot(b.x - a.x, b.y - a.y);
                    if (len == 0)
                        continue;
                    // Outward normal: to the right of the side when counter-clockwise.
                    const XY normal{orientation * (b.y - a.y) / len, -orientation * (b.x - a.x) / len};
                    probes.push_back(XY{(a.x + b.x) / 2 + step * normal.x, (a.y + b.y) / 2 + step * normal.y});
                }
            }
            for (const XY& q : probes) {
                if (!inside(q) || covered(q))
                    continue;
                if (--budget < 0)
                    return false;
                solve(q);
            }
        }
        return true;
    }

    std::vector<XY> polygon(int r) const { return verticesOf(ws_.regions[r].Regiao); }
    int solutionOf(int r) const { return solutionOf_.at(r); }

    // sum_k w_k objSense_k f_k: the weighted-sum value of a stored solution.
    Real weightedValue(int sol, const XY& point) const
    {
        const vectorObj w = weightsAt(point);
        Real value = 0;
        for (int k = 1; k <= p_; ++k)
            value += w[k] * ws_.objSense[k] * ws_.normFactor[k] * ws_.basket[sol].f[k];
        return value;
    }

    // Every solution with a region has exactly one polygon.
    bool onePolygonEach() const
    {
        for (int i = 1; i <= ws_.basketCount; ++i) {
            const int first = ws_.basket[i].indRegIndif;
            if (first != 0 && ws_.regions[first].IndiceProx != 0)
                return false;
        }
        return true;
    }

    const std::vector<Sample>& samples() const { return samples_; }

    ScriptedUiPort ui;

private:
    Workspace& ws_;
    std::unique_ptr<LpEngine> engine_ = std::make_unique<LpEngine>();
    int p_;
    std::map<BasisKey, int> bases_;
    std::map<int, int> solutionOf_;
    std::vector<Sample> samples_;
};

RandomProblemSpec explorerSpec(int objectives, std::uint32_t seed)
{
    RandomProblemSpec shape;
    shape.objectives = objectives;
    shape.variables = 3 + static_cast<int>(seed % 5);
    shape.constraints = 2 + static_cast<int>((seed * 3) % 5);
    shape.fixedVariables = false;
    // Every third problem keeps repeated rows: degenerate vertices, several
    // bases per solution.
    shape.duplicateRows = seed % 3 == 0;
    return shape;
}

// Two segments or polygons have a common side of positive length.
bool shareASide(const std::vector<XY>& a, const std::vector<XY>& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        const XY& p = a[i];
        const XY& q = a[(i + 1) % a.size()];
        const Real len = std::hypot(q.x - p.x, q.y - p.y);
        if (len < 1e-9L)
            continue;
        const XY dir{(q.x - p.x) / len, (q.y - p.y) / len};
        for (std::size_t j = 0; j < b.size(); ++j) {
            const XY& r = b[j];
            const XY& s = b[(j + 1) % b.size()];
            const Real offR = std::fabs(cross(p, q, r)) / len;
            const Real offS = std::fabs(cross(p, q, s)) / len;
            if (offR > 1e-9L || offS > 1e-9L)
                continue;
            const Real tr = (r.x - p.x) * dir.x + (r.y - p.y) * dir.y;
            const Real ts = (s.x - p.x) * dir.x + (s.y - p.y) * dir.y;
            const Real overlap = std::min(len, std::max(tr, ts)) - std::max<Real>(0, std::min(tr, ts));
            if (overlap > 1e-7L)
                return true;
        }
    }
    return false;
}

struct ExplorationSummary {
    int problems = 0;
    int complete = 0;
    int partitions = 0; // complete, one polygon per solution: sum and sides checked
    int regions = 0;
    int edges = 0;
    int strictlyInsideChecks = 0;
};

void checkProblem(std::uint32_t seed, int objectives, int gridSteps, ExplorationSummary& summary)
{
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    auto ws = makeRandomProblem(seed, explorerSpec(objectives, seed));
    WeightSpaceExplorer explorer(*ws);
    const bool complete = explorer.explore(gridSteps, 400);
    ++summary.problems;
    summary.complete += complete;
    summary.regions += ws->regionCount;
    summary.edges += ws->edgeCount;

    // Each sampled weight lies in the polygon of the basis found there.
    for (const WeightSpaceExplorer::Sample& s : explorer.samples()) {
        if (s.region > 0) {
            EXPECT_LE(distanceTo(explorer.polygon(s.region), s.point), 1e-7L)
                << static_cast<double>(s.point.x) << ", " << static_cast<double>(s.point.y);
        }
    }

    // (a) Inside a polygon the solution of that polygon is optimal: at the
    // samples and at further random weights.
    std::vector<WeightSpaceExplorer::Sample> checks = explorer.samples();
    std::mt19937 rng(seed * 31u + 7u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int k = 0; k < 150; ++k) {
        XY q{unit(rng), objectives == 3 ? unit(rng) : 0.0};
        if (q.x + q.y > 1)
            q = XY{1 - q.x, 1 - q.y};
        checks.push_back(explorer.solve(q));
    }
    for (const WeightSpaceExplorer::Sample& s : checks) {
        for (int r = 1; r <= ws->regionCount; ++r) {
            const std::vector<XY> v = explorer.polygon(r);
            const bool in = objectives == 3 ? strictlyInside(v, s.point, 1e-7L)
                                            : (s.point.x > v[0].x + 1e-7L && s.point.x < v[1].x - 1e-7L);
            if (!in)
                continue;
            ++summary.strictlyInsideChecks;
            EXPECT_NEAR(explorer.weightedValue(explorer.solutionOf(r), s.point), s.value, 1e-7L)
                << "region " << r << " at " << static_cast<double>(s.point.x) << ", "
                << static_cast<double>(s.point.y);
        }
    }

    // (b) Areas are percentages, the stored area is the polygon's, and the
    // polygons stay in the weight space.
    Real total = 0;
    for (int r = 1; r <= ws->regionCount; ++r) {
        const UmaOuMaisRegioes& region = ws->regions[r];
        EXPECT_GE(region.AreaPolig, 0) << r;
        EXPECT_LE(region.AreaPolig, 100) << r;
        const std::vector<XY> v = explorer.polygon(r);
        if (objectives == 3) {
            EXPECT_NEAR(region.AreaPolig, v.size() >= 3 ? shoelacePercent(v) : 0, 1e-9L) << r;
            EXPECT_TRUE(isConvex(v)) << r;
        } else {
            ASSERT_EQ(v.size(), 2u);
            EXPECT_LE(v[0].x, v[1].x) << r;
            EXPECT_NEAR(region.AreaPolig, (v[1].x - v[0].x) * 100, 1e-12L) << r;
        }
        for (const XY& p : v)
            EXPECT_TRUE(explorer.inside(XY{p.x + (p.x < 0 ? 1e-12L : 0), p.y + (p.y < 0 ? 1e-12L : 0)}))
                << r << ": " << static_cast<double>(p.x) << ", " << static_cast<double>(p.y);
        total += region.AreaPolig;
    }

    if (!complete || !explorer.onePolygonEach())
        return;
    ++summary.partitions;

    // (c) The polygons tile the weight space.
    EXPECT_NEAR(total, 100, 1e-6L);

    // (d) Polygons of two solutions with a common side are joined by an
    // edge, stored from the solution found earlier to the later one; every
    // edge joins polygons that meet.
    std::set<std::pair<int, int>> recorded;
    for (int e = 1; e <= ws->edgeCount; ++e) {
        const int a = ws->edges[e].Sol1;
        const int b = ws->edges[e].Sol2;
        EXPECT_NE(a, b);
        EXPECT_LT(ws->basket[a].indRegIndif, ws->basket[b].indRegIndif) << "edge " << e;
        EXPECT_TRUE(recorded.insert({std::min(a, b), std::max(a, b)}).second) << "edge " << e << " twice";
        const std::vector<XY> va = explorer.polygon(ws->basket[a].indRegIndif);
        const std::vector<XY> vb = explorer.polygon(ws->basket[b].indRegIndif);
        Real gap = 1e300L;
        for (const XY& p : va)
            gap = std::min(gap, distanceTo(vb, p));
        EXPECT_LE(gap, 1e-5L) << "edge " << e;
    }
    for (int r = 1; r <= ws->regionCount; ++r)
        for (int t = r + 1; t <= ws->regionCount; ++t) {
            const std::vector<XY> a = explorer.polygon(r);
            const std::vector<XY> b = explorer.polygon(t);
            bool share;
            if (objectives == 3) {
                share = a.size() >= 3 && b.size() >= 3 && shareASide(a, b);
            } else {
                share = false;
                for (const XY& p : a)
                    for (const XY& q : b)
                        share = share || std::fabs(p.x - q.x) <= 1e-9L;
            }
            if (!share)
                continue;
            const int i = explorer.solutionOf(r);
            const int j = explorer.solutionOf(t);
            EXPECT_EQ(recorded.count({std::min(i, j), std::max(i, j)}), 1u)
                << "polygons " << r << " and " << t << " share a side";
        }
}

} // namespace

TEST(RegionPropertyTest, ThreeObjectiveRegionsAgreeWithTheWeightedSums)
{
    ExplorationSummary summary;
    for (std::uint32_t seed = 1; seed <= 15; ++seed)
        checkProblem(seed, 3, 20, summary);
    EXPECT_EQ(summary.complete, summary.problems);
    EXPECT_GE(summary.partitions, 7);
    EXPECT_GE(summary.regions, 60);
    EXPECT_GE(summary.edges, 40);
    EXPECT_GE(summary.strictlyInsideChecks, 3000);
}

TEST(RegionPropertyTest, TwoObjectiveSegmentsPartitionTheWeightSegment)
{
    ExplorationSummary summary;
    for (std::uint32_t seed = 1; seed <= 15; ++seed)
        checkProblem(seed, 2, 100, summary);
    EXPECT_EQ(summary.complete, summary.problems);
    EXPECT_GE(summary.partitions, 7);
    EXPECT_GE(summary.regions, 30);
    EXPECT_GE(summary.edges, 15);
    EXPECT_GE(summary.strictlyInsideChecks, 1000);
}

namespace {

// Cuts that contradict each other (x <= 0.25, then x >= 0.5) leave no
// weights: the area is 0, never negative.
TEST(RegionAreaTwoObjectives, ContradictingCutsGiveNoArea)
{
    tipoYAC yac{};
    // x <= 0.25: lambda1*a1 + (1 - lambda1)*a2 >= 0 with a1 = -3, a2 = 1.
    yac[1][1] = -3;
    yac[2][1] = 1;
    // x >= 0.5: a1 = 1, a2 = -1.
    yac[1][2] = 1;
    yac[2][2] = -1;
    const UmaRegIndif segment = ComputeRegionPolygon(2, 2, yac);
    EXPECT_EQ(RegionArea(2, segment), 0);
}

} // namespace
