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

// Thresholds of the efficiency tests and the ratio test (EfficientBases.h).
// A column that worsens an objective by at most this does not worsen it.
constexpr Real kDominanceWorsenTol = 1e-6L;
// ... and improves an objective when its reduced cost is below minus this.
constexpr Real kDominanceImproveTol = 1e-10L;
// Entries of the label-exchange tableau and of the duplicate-column test.
constexpr Real kLabelZeroTol = 1e-9L;
// Tableau entries of the ratio test, ties of ratios, degenerate basic values,
// and the zero reduced costs of the alternative-optima walk.
constexpr Real kRatioZeroTol = 1e-10L;
// | |YAC| - 1 | at most this marks the column of a bounded objective.
constexpr Real kUnitReducedCostTol = 1e-10L;
// Entries of the small programs of the nonbasic-efficiency tests below this
// are zero.
constexpr Real kSmallProgramTol = 1e-11L;
// Smallest pivot |a| a derived tableau takes (BasisPivot.h); a smaller one
// asks for a fresh evaluation.
constexpr Real kSmallestDerivedPivot = 1e-7L;

// lp_solve tolerances set on every solve.
constexpr double kSolverEpsB = 1e-9;     // primal feasibility (set_epsb)
constexpr double kSolverEpsD = 1e-8;     // reduced costs (set_epsd)
constexpr double kSolverEpsPivot = 1e-6; // smallest pivot (set_epspivot)
constexpr double kSolverEpsEl = 1e-10;   // rounding to zero (set_epsel)

// lp_solve's infinity (get_infinite), the program's kInfinity.
constexpr double kLibraryInfinity = static_cast<double>(kInfinity);

// Checks of every answer against the program's own copy, relative to the
// row and column scale (see ProgramScale.h): a row may miss its right-hand
// side, and a nonbasic column its bound, by this times the row's size
// (max of |b_i| and the |a_ij x_j|) or the column's unit. Loose enough for
// lp_solve's absolute 1e-9 on values of any size, tight enough to catch a
// wrong basis or a wrong value.
constexpr Real kResidualTol = 1e-7L;

// Reduced costs of an optimal basis may have the wrong sign by this times
// the size of the objective row (AnswerCheck.h), in the scaled units where
// lp_solve's own absolute kSolverEpsD applies: ten times that, for the
// rounding of the evaluator's inverse.
constexpr Real kDualResidualTol = 1e-7L;

// The nucleus of the evaluator pivots on the first free row whose entry is
// at least this fraction of the largest free entry of the column (threshold
// partial pivoting): the pivots stay large, the row order stays the tie-break.
constexpr Real kPivotThreshold = 0.1L;

// A coefficient this small relative to its row's right-hand side bounds its
// column only beyond 1e14 times the row's own values: the unboundedness test
// counts it as no entry, as lp_solve's own rounding does for rows near 1.
constexpr Real kNegligibleCoefficientRatio = 1e-14L;

// A program is handed over unscaled while every nonzero of its matrix, and
// its largest objective coefficient, lie in this range, so that well-made
// programs reach lp_solve as they are. Beyond it rows, columns and the
// objective are scaled by powers of 2 (exact both ways).
constexpr Real kWellScaledLow = 1e-3L;
constexpr Real kWellScaledHigh = 1e5L;
