#pragma once

#include "lp/LpEngine.h"
#include "base/Notices.h"

struct Workspace;

// The outcome of one computation: the solver's status, the basket index of
// the stored solution (0 when nothing was stored) and what to tell.
struct ComputeResult {
    SolveStatus status = SolveStatus::Other;
    int basketIndex = 0;
    Notices notices;
};

// One weighted-sum computation end to end, with the weights in
// ws.sumWeights: solve (with the tableau), extract, history, store, region
// and elapsed time; an interactive caller then writes the report (mode 0).
// `interactive` is false for the pay-off table and
// the methods: no report, no elapsed time, store messages only in the status
// bar, no weight-space redraw. On a solver failure nothing changes; the
// caller shows the status.
[[nodiscard]] ComputeResult ComputeFromWeights(Workspace& ws, LpEngine& engine, bool interactive);

// Reads the solve's read-back into currentLpValues, currentXS, currentF and
// currentBasis (sorted, zero-terminated), and the program's shape.
void AssembleSolution(Workspace& ws, const LpTables& lp);

// What AssembleSolution puts into the workspace, worked out apart from it
// (the workspace is only read), for a caller that puts it there later
// (UseAssembledSolution).
struct AssembledSolution {
    vectorObj f{};
    tipoXcorr xs{};
    vectorResEB_Int basis{};
    std::array<Real, MaxXS + 1> lpValues{};
    std::int32_t lpColumns = 0;
    std::int32_t refRows = 0;
};
void AssembleSolution(const Workspace& ws, const LpTables& lp, AssembledSolution& out);
void UseAssembledSolution(Workspace& ws, const AssembledSolution& solution);

// The minimum of the augmented weighted Tchebycheff distance to ws.refPoint
// with ws.tchebWeights: solve, extract, history, store when every solution is
// to be stored, and elapsed time; the caller then writes the report (mode 1),
// or shows the failure.
[[nodiscard]] ComputeResult ComputeReferencePoint(Workspace& ws, LpEngine& engine);
// The read-back of a reference-point program (or a method step built on
// one) becomes the current solution and the newest history record; it is
// stored only when every computed solution is to be stored (the store's
// notices are returned).
[[nodiscard]] Notices TakeReferencePointSolution(Workspace& ws, const LpTables& lp);

// The clock as a date-time in days, as the elapsed times use it.
double CurrentTimeInDays();
