#pragma once

#include "lp/LpTables.h"

class ProgramScale;

// Checks of an answer against the program's own copy in LpTables, before it
// is reported as optimal. Tolerances are kResidualTol relative to the size of
// each row (max of |b_i|, the |a_ij x_j| and the row's unit) and of each
// column (max of |bound| and the column's unit), so they mean the same at
// every scale. A basic value at 0 may have lost up to a zero threshold
// (kEvaluatorValueZeroTol in its unit); the rows allow for that too.

// How far an activity `act` of a row of type `type` is on the wrong side of
// `rhs` (0 when the row holds).
Real RowViolation(RowType type, Real rhs, Real act);

// The read-back in lp (basicList, basicValues, nonbasicList, nonbasicValues,
// atUpper; the tableau is not looked at) satisfies B x_B = b - N x_N: every
// row whose slack is nonbasic is tight, every basic slack equals |b_i - a_i x|,
// every nonbasic column sits at the bound it is reported at, every column
// appears exactly once, and the objective value is c x. With
// requireFeasible, every row and every bound holds as well (a solve's
// answer; an evaluated basis need not be feasible). Every value read back,
// and each problem objective f_k = sum c_kj x_j of the columns, is within
// the range the files hold (isWritableReal); an answer beyond it is no
// result.
[[nodiscard]] bool ReadBackHolds(const LpTables& lp, const ProgramScale& scale, bool requireFeasible);

// The reduced costs of an optimal basis have the signs of an optimum (dual
// feasibility): in the tableau's objective row (c_j - z_j, see
// EvaluateBasis), a nonbasic variable at its lower bound, or the slack of
// an inequality row, cannot improve the objective by rising, and a column
// at its upper bound, or without a lower bound, cannot by falling. Fixed
// columns and equality slacks may have either sign. The tolerance is
// kDualResidualTol times the size of the objective row in the units of
// `scale` (max of 1 and the largest scaled objective coefficient). Needs the
// tableau (a full solve or an evaluation), with the atUpper flags as read
// back. `sense` is +1 to maximize, -1 to minimize.
[[nodiscard]] bool ReducedCostsHold(const LpTables& lp, const ProgramScale& scale, int sense);
