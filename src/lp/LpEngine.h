#pragma once

#include "lp/BasisEvaluator.h"
#include "lp/LpTables.h"

#include <functional>

// How long any one solve may run, and how the user stops it. lp_solve asks
// during its iterations (put_abortfunc); a solve that is stopped ends with
// SolveStatus::Stopped and its tables hold no answer.
struct SolveControl {
    // Seconds from the start of each solve; 0 (or less) means no limit.
    double timeLimitSeconds = 0;
    // Asked often while lp_solve iterates: true stops the solve. May be
    // empty. Keep it cheap (read a flag).
    std::function<bool()> cancelRequested;
};

// The tables of the scalarizing program being solved and the basis
// evaluator's storage: the LP engine's scratch, kept apart from the
// workspace's data. Allocated once by whoever runs computations (the
// session) and reused by every solve; large, so it lives on the heap.
// Every solve through the engine honours `control`: the evaluator carries
// it to the solves it is handed.
struct LpEngine {
    LpTables tables;
    BasisEvaluator evaluator;
    SolveControl control;

    LpEngine() { evaluator.attachControl(&control); }
    LpEngine(const LpEngine&) = delete;
    LpEngine& operator=(const LpEngine&) = delete;
};
