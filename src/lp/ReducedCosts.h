#pragma once

#include "lp/LpTables.h"

#include <array>

struct Workspace;

// Reduced-cost matrix of every objective at the basis read back in `lp`
// (after a full solve or an evaluation): YAC[k][c] = z_j - c_j for the
// maximization of objSense_k * normFactor_k * f_k, for the c-th nonbasic
// variable that can move, with the sign reversed for a column at its upper
// bound. At a basis optimal for weights w >= 0, sum_k w_k YAC[k][c] >= 0 for
// every column. Fixed decision variables (lb == ub) are left out;
// yacColumns[c] is the tableau position of column c.
void ComputeReducedCosts(const Workspace& ws, const LpTables& lp, RecordYAC& yac, YacColumnMap& yacColumns);

// The two steps of ComputeReducedCosts(), for a walk that carries the rows
// of z_j - c_j along its pivots (BasisPivot.h): row k of `rows` (stride
// apart) holds z_kj - c_kj at tableau position j = 1..tabCols - 1, no sign
// reversed, nothing zeroed; the matrix is then built from the rows.
constexpr int kObjectiveRowStride = kMaxTableauCols + 1;
using ObjectiveRows = std::array<Real, static_cast<std::size_t>(MaxObjectives) * kObjectiveRowStride>;
void ObjectiveReducedCosts(const Workspace& ws, const LpTables& lp, Real* rows, int stride);
void ReducedCostsFromRows(const Workspace& ws, const LpTables& lp, const Real* rows, int stride, RecordYAC& yac,
                          YacColumnMap& yacColumns);

// The same with the costs of other objective functions (the contracted cone
// of the interval weights method): coneObjectives[k][j] already holds the
// maximized, normalized cone objective k.
void ConeReducedCosts(const Workspace& ws, const ConeObjectives& coneObjectives, const LpTables& lp, RecordYAC& yac,
                      YacColumnMap& yacColumns);
