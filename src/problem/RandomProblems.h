#pragma once

#include "workspace/Workspace.h"

#include <cstdint>
#include <memory>
#include <random>

// Seeded random MOLP problems that are feasible by construction, for checks
// and benchmarks of the engine: a random
// point x0 within the bounds satisfies every row, and every variable has a
// finite upper bound, so every weighted sum is bounded. Some rows are
// repeated (scaled) to make degenerate vertices likely.
struct RandomProblemSpec {
    int objectives = 3;
    int variables = 10;
    int constraints = 8;
    bool greaterRows = true;
    bool equalityRows = true;
    bool positiveLowerBounds = true;
    bool fixedVariables = false;
    bool duplicateRows = true;
};

inline std::unique_ptr<Workspace> makeRandomProblem(std::uint32_t seed, const RandomProblemSpec& shape)
{
    std::mt19937 rng(seed);
    auto uniformInt = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = shape.objectives;
    ws->numVariables = shape.variables;
    ws->numConstraints = shape.constraints;
    const int n = shape.variables;

    std::vector<Real> x0(static_cast<std::size_t>(n) + 1, 0);
    for (int j = 1; j <= n; ++j) {
        Real lb = 0;
        if (shape.positiveLowerBounds && uniformInt(0, 3) == 0)
            lb = uniformInt(1, 3);
        Real ub = lb + uniformInt(2, 12);
        if (shape.fixedVariables && uniformInt(0, 6) == 0)
            ub = lb;
        ws->vars[j] = VariableDef{lb, ub, DefaultVariableName(j)};
        x0[j] = lb + (ub - lb) * uniformInt(0, 4) / 4;
    }
    for (int k = 1; k <= shape.objectives; ++k) {
        ws->objSense[k] = uniformInt(0, 3) == 0 ? -1 : 1;
        ws->objName[k] = DefaultObjectiveName(k);
        for (int j = 1; j <= n; ++j)
            ws->objCoef[k][j] = uniformInt(0, 2) == 0 ? 0 : uniformInt(-4, 9);
    }
    for (int i = 1; i <= shape.constraints; ++i) {
        if (shape.duplicateRows && i > 1 && uniformInt(0, 4) == 0) {
            // A scaled copy of an earlier row: both are tight together.
            const int src = uniformInt(1, i - 1);
            const Real factor = uniformInt(1, 3);
            for (int j = 1; j <= n; ++j)
                ws->conCoef[i][j] = factor * ws->conCoef[src][j];
            ws->conType[i] = ws->conType[src];
            ws->conRhs[i] = factor * ws->conRhs[src];
            continue;
        }
        Real activity = 0;
        for (int j = 1; j <= n; ++j) {
            ws->conCoef[i][j] = uniformInt(0, 2) == 0 ? 0 : uniformInt(-3, 8);
            activity += ws->conCoef[i][j] * x0[j];
        }
        const int kind = uniformInt(0, 5);
        if (shape.equalityRows && kind == 0) {
            ws->conType[i] = ConEqual;
            ws->conRhs[i] = activity;
        } else if (shape.greaterRows && kind == 1) {
            ws->conType[i] = ConGreaterEqual;
            ws->conRhs[i] = activity - uniformInt(0, 5);
        } else {
            ws->conType[i] = ConLessEqual;
            ws->conRhs[i] = activity + uniformInt(0, 5);
        }
    }
    ws->fileName = QStringLiteral("random.mlp");
    ResetComputedState(*ws);
    return ws;
}

// f_k(x) of the problem.
inline Real objectiveValue(const Workspace& ws, int k, const std::vector<Real>& x)
{
    Real f = 0;
    for (int j = 1; j <= ws.numVariables; ++j)
        f += ws.objCoef[k][j] * x[j];
    return f;
}
