#pragma once

#include "base/Notices.h"
#include "base/Numeric.h"
#include "workspace/Workspace.h"

#include <QStringList>

// STEM: the proposal of each iteration is the minimum of the weighted
// Tchebycheff distance to the ideal point, with the weights of the first
// iteration given to the objectives that are not relaxed and every
// objective bounded by the last proposal (a relaxed one by the amount it may
// lose).
//
// Raw weight of objective i, from its pay-off column (best_i the ideal
// value, worst_i the worst value in the table) and the norm of its
// coefficient vector:
//   ((best - worst) / best) / norm   when best is on the good side of 0,
//   ((worst - best) / worst) / norm  otherwise,
// and 0 when best = worst: such an objective is constant over the pay-off
// solutions and never drives the distance.
struct StemState {
    vectorObj StemAlpha{};
    Real StemAlphaSum = 0;
    vectorObjBool StemRelaxed{};
};

// Raw weight of one objective; 0 without computing the norm when the column
// is constant or the coefficients are all 0 (the objective is then constant
// over the feasible set).
Real StemRawWeight(int sense, Real best, Real worst, Real norm);

// StemAlpha and StemAlphaSum from the pay-off table and the coefficients.
// False when the sum is 0: no objective has a weight, and STEM cannot start.
bool ComputeStemWeights(const Workspace& ws, StemState& stem);

// The first iteration's parameters: no objective relaxed, the weights
// normalized into tchebWeights, the ideal point as reference point.
// Limitations are cleared by the caller.
void PrepareStemFirstIteration(Workspace& ws, StemState& stem);

// The relaxation dialog's checks on the typed amounts, with its messages in
// order ("Invalid numbers!" alone; then one "Relaxtion quantities must be
// positive" per negative amount, "At least one objective must be relaxed",
// "No more than k-1 can be relaxed"), then the refusal of amounts that
// would relax every objective with a weight. When accepted `amounts[1..k]`
// holds the amounts.
struct RelaxationsResult {
    bool accepted = false;
    vectorObj amounts{};
    Notices notices;
};
[[nodiscard]] RelaxationsResult AcceptRelaxations(const Workspace& ws, const StemState& stem,
                                                  const QStringList& typed);

// A new iteration's parameters: every objective bounded (a relaxed one at
// currentF - objSense * amount, the others at currentF), the weights of the
// objectives not relaxed renormalized, the reference point unchanged.
// Expects amounts accepted by AcceptRelaxations.
void ApplyRelaxations(Workspace& ws, StemState& stem, const vectorObj& amounts);
