#pragma once

#include "base/Progress.h"
#include "lp/LpEngine.h"
#include "solutions/Computation.h"
#include "solutions/Report.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <vector>

// ICW, the interval criterion weights method. Each iteration computes one
// efficient solution for each of 2p + 1 fixed, well spread weight vectors
// (the p extremes, p intermediate vectors and the centre); the decision
// maker names the preferred one, and the cone of criteria is contracted
// towards the vector that produced it: G := M_s G, where the rows of G are
// the cone's generators as weights on the (normalized) objectives and M_s
// is the contraction matrix of vector s. Every row of every M_s sums to 1,
// so each new generator is a convex combination of the old ones. The
// weight vectors are always read relative to the current cone: vector w
// means the objective sum_k w_k (sum_i G[k][i] f_i).

// e = 1 - p^(-1/(p-1)): 0.5 for p = 2, 1 - 1/sqrt(3) for p = 3. Needs p >= 2.
Real IcwContractionRate(int p);

// The 2p + 1 weight vectors: extremes i (component i 1 - p 0.0001, the
// others 0.0001), intermediate p + i (component i 1/p^2, the others
// (p + 1)/p^2) and the centre (all 1/p).
void InitIcwWeights(Workspace& ws);
// One p x p contraction matrix per weight vector, with contractionRate.
void InitContractionMatrices(Workspace& ws);
// coneObjectives[k][j] = sum_i G[k][i] objSense[i] objCoef[i][j] normFactor[i]:
// generator k applied to the maximized, normalized objectives. (Taking the
// sense of objective k for generator k instead would turn a minimized
// objective's share of a contracted generator the wrong way.)
void SetConeObjectives(Workspace& ws);
// G := icwMatrices[s] G, then the cone objectives.
void ContractCone(Workspace& ws, int s);
// The cone drawn in the problem's weight space: vertex j = (G[j][1], G[j][2]).
void SetContractedSpace(Workspace& ws);

// How the computations of one iteration went. A vector whose weighted sum
// gives no solution stores nothing and keeps its previous basket index; the
// iteration goes on with the next vector, unless the computation was stopped
// (Cancel or the time limit), which ends the iteration there.
struct IcwIterationResult {
    int failed = 0;
    SolveStatus firstFailure = SolveStatus::Optimal;
    bool stopped = false;
};

// The first iteration, after the caller has cleared the limitations: the
// weights, the matrices, G = identity, and the 2p + 1 weighted sums of the
// problem's normalized objectives, stored in the basket (with their regions
// for two or three objectives) and recorded in the history, the main
// window's progress bar moving (each computation's messages are told on
// the way); methodIteration := 1.
[[nodiscard]] IcwIterationResult IcwFirstIteration(Workspace& ws, LpEngine& engine, Progress& progress);
// A new iteration towards the preferred vector s (1..2p + 1): contracts the
// cone, methodIteration + 1, and the 2p + 1 weighted sums of the cone's
// objectives, each with its region in the cone's own weights (two or three
// objectives); then contractedSpace.
[[nodiscard]] IcwIterationResult IcwNewIteration(Workspace& ws, LpEngine& engine, Progress& progress, int s);
// The weighted sum of vector a over the cone objectives: solve, read back,
// history, store (automatic colour), the region of a new basis in the
// problem's weight space and the region in the cone's weight space.
[[nodiscard]] ComputeResult ComputeIcwSolution(Workspace& ws, LpEngine& engine, int a);

// The texts of the selection dialog: vectors whose solutions coincide are
// marked " [Wi]" and the heading then mentions the weights; statusTexts[i]
// is what selecting choice i shows ("W3 = (0.4444, 0.4444, 0.1111) ").
struct IcwSelection {
    QString heading;
    QStringList choices;
    QStringList statusTexts;
    std::vector<bool> marked; // [0..2p]
};
IcwSelection IcwSelectionTexts(const Workspace& ws);

// The report of an iteration's solutions: per vector the basket solution,
// its weights (relative to the original cone at the first iteration, the
// contracted cone later), objective values and nonzero variables and slacks.
ReportDocument WriteIcwReport(const Workspace& ws, int iteration);

// Leaving ICW: the per-iteration lists and the contracted space are
// emptied; the weights, the matrices and the cone stay.
void IcwExit(Workspace& ws);
