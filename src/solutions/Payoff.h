#pragma once

#include "lp/LpEngine.h"
#include "base/Notices.h"
#include "base/Progress.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <vector>

struct Workspace;

// L2 normalization: normFactor[k] = 1 / ||c_k|| (1 for a zero objective);
// without it every factor is 1.
void ApplyNormalization(Workspace& ws, bool l2);

// One efficient solution per objective (weights 0.999 on it, 0.001 shared by
// the others), stored in the basket; then the ideal point, the nadir
// estimate and the reference point. Stops at the first program that is not
// solved, leaving ideal, nadir and reference point as they were. The
// progress bar counts the objectives; the status texts of the run are told
// as it goes, the closing ones are in the result, with the message of a
// failed solve (an unbounded one names its objective on a second line).
struct PayoffResult {
    SolveStatus status = SolveStatus::Other;
    Notices notices;
};
[[nodiscard]] PayoffResult ComputePayoff(Workspace& ws, LpEngine& engine, Progress& progress);

// Text of a pay-off cell: "?" not computed, "M" / "-M" infinite, else NumText.
QString PayoffCellText(Real value);
// Row caption "Opt. " + name, at most 15 characters.
QString PayoffRowCaption(const QString& objectiveName);
// The pay-off window's grid: a header row (an empty corner, then the
// objective names), then per objective k its row caption and the values of
// every objective at the optimum of k. Empty before the table is computed.
std::vector<QStringList> PayoffGrid(const Workspace& ws);

// The bars are scaled between ideal and nadir, so a solution worse than the
// nadir estimate in objective k moves nadirPoint[k] to its value (unless
// the range is empty, ideal = nadir). Called where solutions enter the
// history or the basket, so that drawing never has to.
void WidenNadirPoint(Workspace& ws, const vectorObj& f);
