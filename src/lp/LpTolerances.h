#pragma once

#include "base/Numeric.h"

// Zero thresholds of the LP engine. They are part of the results: later
// sign tests (efficiency, regions) rely on exact zeros where these apply.

// Basic values read back from the solver: |v| <= this is an exact 0.
constexpr Real kBasicValueZeroTol = 1e-10L;
// Tableau entries read back after a solve: |v| <= this is an exact 0.
constexpr Real kTableauZeroTol = 1e-9L;
// Reduced costs, transformed vectors and evaluator read-back: |v| <= this is 0.
constexpr Real kReducedCostZeroTol = 1e-8L;
// Right-hand sides and row values of the basis evaluator: |v| below this is 0.
constexpr Real kEvaluatorValueZeroTol = 5e-7L;

// lp_solve tolerances set on every solve.
constexpr double kSolverEpsB = 1e-9;     // primal feasibility (set_epsb)
constexpr double kSolverEpsD = 1e-8;     // reduced costs (set_epsd)
constexpr double kSolverEpsPivot = 1e-6; // smallest pivot (set_epspivot)
constexpr double kSolverEpsEl = 1e-10;   // rounding to zero (set_epsel)
