#pragma once

#include "lp/LpTables.h"

struct Workspace;

// Builders of the scalarizing programs. Every objective k enters as
// objSense[k] * normFactor[k] * f_k, so that all objectives are maximized.

// Clears every row, the objective and the bounds; lpRowCount := 0.
void ClearProgram(LpTables& lp);
// Columns 1..numVariables with the variables' bounds; lpColumnCount := n.
void SetDecisionColumns(const Workspace& ws, LpTables& lp);
// Appends the constraints, and with useLimits the limitation rows of the
// objectives whose limitation is on (f_k >= L for a maximized objective,
// -f_k >= -L for a minimized one).
void AddProblemRows(const Workspace& ws, LpTables& lp, bool useLimits);

// max sum_k w_k objSense_k normFactor_k f_k over the problem rows and the
// limitation rows in force.
void BuildWeightedSumProgram(const Workspace& ws, const vectorObj& weights, LpTables& lp);
// max sum_k w_k coneObjectives_k over the problem rows and the limitation
// rows in force: the weighted sum of the interval weights method, whose cone
// objectives are already maximized and normalized.
void BuildConeWeightedSumProgram(const Workspace& ws, const vectorObj& weights, LpTables& lp);
// The weighted sum with weight 1 for `objective` and 0.0001 for the others;
// the bounds on the other objectives are limitations already in force.
void BuildEConstraintProgram(const Workspace& ws, int objective, LpTables& lp);
// Weight of the non-optimized objectives of the e-constraint program.
constexpr Real kEConstraintSmallWeight = 0.0001L;

// The augmented weighted Tchebycheff program to refPoint q with weights
// tchebWeights w:
//   min alpha+ - alpha- - 0.00001 sum_k objSense_k normFactor_k f_k(x)
//   alpha+ - alpha- >= w_k normFactor_k objSense_k (q_k - f_k(x)) for w_k != 0
// Columns n+1 and n+2 are alpha+ and alpha-; the reference-point rows come
// first (refRowCount of them), then the problem rows. Solved with sense -1.
void BuildReferencePointProgram(const Workspace& ws, LpTables& lp);
constexpr Real kAugmentationWeight = 0.00001L;
