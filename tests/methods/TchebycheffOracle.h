#pragma once

#include "lp/LpSolveAdapter.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The weighted Tchebycheff programs of the methods, written out here from
// the problem alone and solved from scratch through SolveForValue (presolve
// and scaling at lp_solve's defaults, one free column for alpha), so that a
// reported solution can be held against an optimum the methods' code did
// not produce.
//
// Row i (when scale[i] != 0):  scale_i s_i nf_i (f_i(x) - q_i) + slope_i alpha >= 0.
// Objective: min alpha - rho sum_i s_i nf_i f_i(x), over the problem rows
// and the limitation rows f_i >= L_i (maximized) or f_i <= L_i (minimized).
struct TchebycheffProgram {
    vectorObj q{};
    vectorObj scale{};
    vectorObj slope{};
    Real rho = 0;
    vectorObjBool bounded{};
    vectorObj bound{};
};

inline Real objectiveAt(const Workspace& ws, int i, const std::vector<Real>& x)
{
    Real f = 0;
    for (int j = 1; j <= ws.numVariables; ++j)
        f += ws.objCoef[i][j] * x[static_cast<std::size_t>(j)];
    return f;
}

inline ValueSolution solveOracle(const Workspace& ws, const TchebycheffProgram& t)
{
    const int n = ws.numVariables, p = ws.numObjectives;
    int rows = ws.numConstraints;
    for (int i = 1; i <= p; ++i)
        rows += (t.scale[i] != 0) + (t.bounded[i] ? 1 : 0);
    ValueProgram prog(n + 1, rows);
    int r = 0;
    auto add = [&](RowType type, Real rhs) {
        ++r;
        prog.rowType[static_cast<std::size_t>(r)] = type;
        prog.rowRhs[static_cast<std::size_t>(r)] = rhs;
        return r;
    };
    for (int i = 1; i <= p; ++i) {
        if (t.scale[i] == 0)
            continue;
        const Real c = t.scale[i] * ws.objSense[i] * ws.normFactor[i];
        const int row = add(kRowGreaterEqual, c * t.q[i]);
        for (int j = 1; j <= n; ++j)
            prog.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(j)] = c * ws.objCoef[i][j];
        prog.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(n + 1)] = t.slope[i];
    }
    for (int c = 1; c <= ws.numConstraints; ++c) {
        const int row = add(RowTypeOfCode(ws.conType[c]), ws.conRhs[c]);
        for (int j = 1; j <= n; ++j)
            prog.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(j)] = ws.conCoef[c][j];
    }
    for (int i = 1; i <= p; ++i) {
        if (!t.bounded[i])
            continue;
        const int row = add(kRowGreaterEqual, ws.objSense[i] * t.bound[i]);
        for (int j = 1; j <= n; ++j)
            prog.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(j)] = ws.objSense[i] * ws.objCoef[i][j];
    }
    for (int j = 1; j <= n; ++j) {
        prog.bounds[static_cast<std::size_t>(j)] = LpBound{ws.vars[j].lb, ws.vars[j].ub};
        Real c = 0;
        for (int i = 1; i <= p; ++i)
            c -= t.rho * ws.objSense[i] * ws.normFactor[i] * ws.objCoef[i][j];
        prog.objective[static_cast<std::size_t>(j)] = c;
    }
    prog.bounds[static_cast<std::size_t>(n + 1)] = LpBound{-1e30L, kInfiniteBound};
    prog.objective[static_cast<std::size_t>(n + 1)] = 1;
    return SolveForValue(prog, -1);
}

// The program's objective at x (alpha as small as the rows allow), and the
// largest violation of a row, a bound or a limitation by x.
inline Real oracleValueAt(const Workspace& ws, const TchebycheffProgram& t, const std::vector<Real>& x,
                          Real& violation)
{
    const int n = ws.numVariables, p = ws.numObjectives;
    Real alpha = -1e300L, augment = 0;
    violation = 0;
    for (int i = 1; i <= p; ++i) {
        const Real f = objectiveAt(ws, i, x);
        augment += ws.objSense[i] * ws.normFactor[i] * f;
        if (t.scale[i] != 0)
            alpha = std::max(alpha, t.scale[i] * ws.objSense[i] * ws.normFactor[i] * (t.q[i] - f) / t.slope[i]);
        if (t.bounded[i])
            violation = std::max(violation, ws.objSense[i] * (t.bound[i] - f));
    }
    for (int c = 1; c <= ws.numConstraints; ++c) {
        Real a = 0;
        for (int j = 1; j <= n; ++j)
            a += ws.conCoef[c][j] * x[static_cast<std::size_t>(j)];
        const Real gap = ws.conType[c] == ConLessEqual ? a - ws.conRhs[c]
                         : ws.conType[c] == ConGreaterEqual ? ws.conRhs[c] - a
                                                            : std::fabs(a - ws.conRhs[c]);
        violation = std::max(violation, gap / std::max<Real>(1, std::fabs(ws.conRhs[c])));
    }
    for (int j = 1; j <= n; ++j) {
        violation = std::max(violation, ws.vars[j].lb - x[static_cast<std::size_t>(j)]);
        violation = std::max(violation, x[static_cast<std::size_t>(j)] - ws.vars[j].ub);
    }
    return alpha - t.rho * augment;
}

// The current solution's decision variables.
inline std::vector<Real> currentX(const Workspace& ws)
{
    std::vector<Real> x(static_cast<std::size_t>(ws.numVariables) + 1, 0);
    for (int j = 1; j <= ws.numVariables; ++j)
        x[static_cast<std::size_t>(j)] = ws.currentXS[static_cast<std::size_t>(j)];
    return x;
}
