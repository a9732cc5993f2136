#pragma once

#include "lp/LpEngine.h"
#include "workspace/Workspace.h"

#include <QString>

class UiPort;
class WeightSpaceView;

// The calculations of the weight space window that need more than the
// picture: the questions of "Show One", the limitation area of an objective
// bound and the polygons of the nadir areas.

// "Show One": asks for a solution index and, for a degenerate solution, a
// region ordinal, and draws what was chosen (after clearing the picture
// when `clearFirst`). Non-numbers end silently; an index outside the basket
// gives "Invalid data".
void ShowOneCommand(WeightSpaceView& view, const Workspace& ws, UiPort& ui, bool clearFirst);

enum class LimitAreaEnd { Drawn, WholeRegion, Nothing };
// The weights whose weighted sums reach f_k beyond the bound v: one polygon
// per alternative optimal efficient basis of objective k bounded by v, into
// view.limitAreas[k], drawn without borders. WholeRegion when the bounded
// program is infeasible (the message is shown); Nothing after any other
// failure. Three objectives only.
LimitAreaEnd ComputeLimitationArea(WeightSpaceView& view, Workspace& ws, LpEngine& engine, UiPort& ui, int k,
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
