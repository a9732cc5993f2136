#pragma once

#include "workspace/Workspace.h"

#include <QPoint>
#include <QString>

#include <vector>

// Pixel geometry of the weight space picture. A weight vector is the point
// (l1, l2) of the weight plane: with three objectives l3 = 1 - l1 - l2 and
// the triangle is drawn either as a right triangle (projection 1-2) or as an
// equilateral one (projection 1-2-3); with two objectives l2 = 1 - l1 and the
// segment is drawn as a strip 65 pixels high. Pixels grow right and down;
// every rounding is to the nearest integer with halves to even.

enum class WeightProjection { RightTriangle, Equilateral };

// The zoom factors the zoom dialog offers, in its order.
inline constexpr double kZoomFactors[] = {1.0, 1.5, 2.0, 3.0};

struct WeightSpaceGeometry {
    int objectives = 3; // 2 or 3
    double zoomFactor = 1.0;
    WeightProjection projection = WeightProjection::RightTriangle;

    static constexpr int kLeftMargin = 15;
    static constexpr int kStripHeight = 65;
    static constexpr int kDefaultBaseSide = 350;

    // Pixels per unit of weight at zoom 100 %: 350, or more where a window
    // has room for a larger drawing.
    int baseSide = kDefaultBaseSide;

    // Pixels per unit of weight.
    Real scale() const { return static_cast<Real>(baseSide) * static_cast<Real>(zoomFactor); }
    // scale() rounded: 350, 525, 700 or 1050 at the default base side.
    int side() const;
    int topMargin() const { return objectives == 2 ? 30 : 18; }
    // Height of the weight space below topMargin: the triangle or the strip.
    int spaceHeight() const { return objectives == 2 ? kStripHeight : side(); }
    // Legend entries per legend column.
    int legendRows() const { return (topMargin() + side() + 19) / 12; }

    QPoint WeightToPixel(Real l1, Real l2) const;
    QPoint WeightToPixel(const XY& w) const { return WeightToPixel(w.x, w.y); }
    // (l1, l2) of a pixel. Two objectives: l1 = -2 above or below the strip.
    XY PixelToWeight(int X, int Y) const;
};

// Round to nearest, halves to even; beyond 2^24 pixels (or a NaN) the value
// is held at that distance (0 for a NaN), never cast out of range.
int RoundEven(Real x);

// The weights of a pixel as the status line shows them while picking,
// "Weights: (%.3f, %.3f, %.3f)" (two values with two objectives), with all
// of them inside [0, 1]; empty text and `inside` false otherwise.
struct PickedWeights {
    bool inside = false;
    vectorObj weights{}; // [1..objectives]
    QString status;
};
PickedWeights WeightsAtPixel(const WeightSpaceGeometry& g, int X, int Y);

// Legend text of the i-th region (ordinal in its solution's chain) of
// solution `sol`: "5", "5/2", and with areas " (<0.1 %)" or " (37.5 %)".
QString LegendText(int sol, int ordinal, bool withArea, Real area);
// An area in percent with one decimal after rounding to three significant
// digits: 4.0, 37.5, 100.0.
QString AreaText(Real area);

// The line prefA l1 + prefB l2 = prefC of a pairwise preference crossed with
// the triangle, and the arrows that point into the preferred side.
struct PairwiseLine {
    Real a = 0, b = 0, c = 0;
};
// X preferred to Y: the weights for which X's weighted sum is at least Y's,
// from the stored values fX and fY of the three objectives.
PairwiseLine PairwiseConstraint(const vectorObj& fX, const vectorObj& fY);
// The ends of the line on the sides l1 = 0, l2 = 0 and (only when fewer than
// two were found) l1 + l2 = 1, in that order; the line is drawn only when
// there are exactly two. A line through the corner (0, 0) has that corner
// once, not once per leg.
std::vector<XY> PairwiseEnds(const PairwiseLine& line);
// The end of an arrow of length 0.03 from `start`, perpendicular to the
// line through p1 and p2, on the side where a l1 + b l2 >= c.
XY ArrowEnd(const PairwiseLine& line, const XY& p1, const XY& p2, const XY& start);
// The head of an arrow from s to e: e and the two base corners.
struct ArrowHead {
    QPoint tip, left, right;
};
ArrowHead ArrowHeadOf(QPoint s, QPoint e);

// Drops or renumbers the pairwise pair after basket solutions first..last
// were deleted; x = 0 means no pair. True when the pair was dropped.
bool ClearPairwiseIfDeleted(int& x, int& y, int first, int last);
