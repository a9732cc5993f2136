#pragma once

#include "base/Numeric.h"

// Tolerances of the indifference-region geometry.

// Two coordinates, two line coefficients, or a point and a line are taken as
// equal within this; also the size below which a cut coefficient counts as 0.
constexpr Real kGeometryEqualTol = 1e-10L;

// Two polygon vertices of different solutions are the same point within this
// (the polygons come from different matrices, so they agree less closely).
constexpr Real kAdjacencyTol = 1e-5L;
