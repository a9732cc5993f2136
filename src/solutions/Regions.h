#pragma once

#include "base/Notices.h"
#include "workspace/Workspace.h"

// Indifference regions: the weights (lambda1..lambdap, summing to 1) for
// which a basis stays optimal for the weighted sum, as a polygon of the weight
// plane. Three objectives: x = lambda1, y = lambda2, inside the triangle
// (0,0), (1,0), (0,1). Two objectives: x = lambda1 on the segment [0, 1],
// y = 0. Any other objective count has no weight plane.

// The polygon of the weights with sum_k lambda_k YAC[k][j] >= 0 for every
// column j = 1..ncols; only rows 1..3 of YAC are read. Three objectives: the
// vertices in boundary order, and Numvertices <= 1 when the region is empty
// or a single point. Two objectives: always 2 vertices, left end first.
// Other objective counts: Numvertices 0.
UmaRegIndif ComputeRegionPolygon(int numObjectives, int ncols, const tipoYAC& YAC);

// Area in percent of the whole weight space (0..100).
Real RegionArea(int numObjectives, const UmaRegIndif& polygon);

// Whether two polygons share a side (three objectives: two vertices in
// common) or an end point (two objectives).
bool RegionsAdjacent(int numObjectives, const UmaRegIndif& a, const UmaRegIndif& b);

// Computes the region of basket entry `sol` from its reduced-cost matrix and,
// when it is more than a point, appends it to ws.regions at the end of the
// chain of `sol`, then records an edge (i, sol) for every polygon of another
// stored solution i that touches it. `failed` tells that memory ran out (the
// caller's step ends there); `show` redraws the weight space and reports a
// memory failure in a box instead of the status line.
struct RegionStore {
    bool failed = false;
    Notices notices;
};
[[nodiscard]] RegionStore StoreIndifferenceRegion(Workspace& ws, int ncols, const tipoYAC& YAC, int sol, bool show);
