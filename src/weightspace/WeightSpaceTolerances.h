#pragma once

#include "base/Numeric.h"

// Tolerances of the weight-space geometry.

// Zero of the pairwise line's coefficients and of a side's direction.
constexpr Real kLineZeroTol = 1e-10L;
