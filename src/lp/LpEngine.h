#pragma once

#include "lp/BasisEvaluator.h"
#include "lp/LpTables.h"

// The tables of the scalarizing program being solved and the basis
// evaluator's storage: the LP engine's scratch, kept apart from the
// workspace's data. Allocated once by whoever runs computations (the
// session) and reused by every solve; large, so it lives on the heap.
struct LpEngine {
    LpTables tables;
    BasisEvaluator evaluator;
};
