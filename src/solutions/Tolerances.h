#pragma once

#include "base/Numeric.h"

// Tolerances of the solutions library: the indifference-region geometry,
// the basket and the bar picture.

// Two coordinates, two line coefficients, or a point and a line are taken as
// equal within this; also the size below which a cut coefficient counts as 0.
constexpr Real kGeometryEqualTol = 1e-10L;

// Two polygon vertices of different solutions are the same point within this
// (the polygons come from different matrices, so they agree less closely).
constexpr Real kAdjacencyTol = 1e-5L;

// A region vertex read from a results file is a weight, within [0, 1] up to
// this (computed vertices carry rounding of the cuts, far below it).
constexpr Real kWeightRangeTol = 1e-6L;

// Two solutions are the same when every objective value and every decision
// variable differ by at most this much (slacks are not compared).
constexpr Real kDuplicateTol = 1e-6L;

// A bar's value differs from the previous iteration's (the trend arrows of
// the bar picture) when the gap exceeds this.
constexpr Real kTrendTolerance = 1e-10L;
