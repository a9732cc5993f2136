#pragma once

#include "base/Numeric.h"

// Tolerances of the nadir procedures.

// Exact nadir: the smallest tolerance of one step, in units of the objective
// (NadirStepTolerance).
constexpr Real kNadirMinTolerance = 0.05L;

// Evolutionary estimate: genes that differ from the convex combination by
// more than this make a child of two parents with the same solution new.
constexpr Real kEaSameGeneTol = 1e-10L;
// ... and ties of the worst value and objectives whose range has no length.
constexpr Real kEaValueTol = 1e-10L;
