#pragma once

#include "base/Notices.h"
#include "lp/LpEngine.h"
#include "workspace/Workspace.h"

#include <QString>

class WeightSpaceView;

// The calculations of the weight space window that need more than the
// picture: the regions of "Show One", the limitation area of an objective
// bound and the polygons of the nadir areas.

// How many indifference regions basket entry `sol` has (more than one for a
// degenerate solution).
int RegionChainLength(const Workspace& ws, int sol);

enum class LimitAreaEnd { Drawn, WholeRegion, Nothing };
struct LimitAreaResult {
    LimitAreaEnd end = LimitAreaEnd::Nothing;
    Notices notices;
};
// The weights whose weighted sums reach f_k beyond the bound v: one polygon
// per alternative optimal efficient basis of objective k bounded by v, into
// view.limitAreas[k], drawn without borders. WholeRegion when the bounded
// program is infeasible (with its message); Nothing after any other
// failure. Three objectives only.
[[nodiscard]] LimitAreaResult ComputeLimitationArea(WeightSpaceView& view, Workspace& ws, LpEngine& engine, int k,
                                                    Real v);

// The worst stored value w of objective k and the solution giving it (ties
// go to the later index); 0 with an empty basket.
int WorstStoredSolution(const Workspace& ws, int k, Real& w);
// view.nadirAreas[k] := the polygons of ws.nadirAreaBases, which is emptied;
// each is drawn grey.
void StoreNadirAreas(WeightSpaceView& view, Workspace& ws, int k);
// A value as the nadir messages write it: fixed, three decimals after
// rounding to six significant digits.
QString NadirValueText(Real value);
