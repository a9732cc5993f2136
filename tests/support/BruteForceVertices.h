#pragma once

#include "lp/LpSolveAdapter.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Facts about small problems that the engine does not produce: every vertex
// by brute force (each n-subset of the constraint and bound hyperplanes,
// solved and kept when feasible) and an efficiency test of a point by one
// linear program (no feasible point is at least as good in every objective
// and better in one).
namespace bruteforce {

inline std::size_t at(int i) { return static_cast<std::size_t>(i); }

using Point = std::vector<Real>; // x[1..n]

inline constexpr Real kSameTol = 1e-6L;

inline bool samePoint(const Point& a, const Point& b)
{
    for (std::size_t j = 1; j < a.size(); ++j)
        if (std::fabs(a[j] - b[j]) > kSameTol)
            return false;
    return true;
}

// Hyperplane h of the problem: constraint rows, then x_j = lb_j, x_j = ub_j.
struct Hyperplane {
    Point coef;
    Real rhs;
};

inline std::vector<Hyperplane> hyperplanes(const Workspace& ws)
{
    const int n = ws.numVariables;
    std::vector<Hyperplane> out;
    for (int i = 1; i <= ws.numConstraints; ++i) {
        Hyperplane h{Point(at(n) + 1, 0), ws.conRhs[at(i)]};
        for (int j = 1; j <= n; ++j)
            h.coef[at(j)] = ws.conCoef[at(i)][at(j)];
        out.push_back(h);
    }
    for (int j = 1; j <= n; ++j)
        for (Real bound : {ws.vars[at(j)].lb, ws.vars[at(j)].ub}) {
            Hyperplane h{Point(at(n) + 1, 0), bound};
            h.coef[at(j)] = 1;
            out.push_back(h);
        }
    return out;
}

// Solves the n x n system of the chosen hyperplanes; false when singular.
inline bool intersect(const std::vector<Hyperplane>& planes, const std::vector<int>& chosen, int n, Point& x)
{
    std::vector<std::vector<Real>> a(at(n), std::vector<Real>(at(n) + 1));
    for (int r = 0; r < n; ++r) {
        for (int j = 1; j <= n; ++j)
            a[at(r)][at(j - 1)] = planes[at(chosen[at(r)])].coef[at(j)];
        a[at(r)][at(n)] = planes[at(chosen[at(r)])].rhs;
    }
    for (int c = 0; c < n; ++c) {
        int p = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a[at(r)][at(c)]) > std::fabs(a[at(p)][at(c)]))
                p = r;
        if (std::fabs(a[at(p)][at(c)]) < 1e-12L)
            return false;
        std::swap(a[at(c)], a[at(p)]);
        for (int r = 0; r < n; ++r) {
            if (r == c)
                continue;
            const Real f = a[at(r)][at(c)] / a[at(c)][at(c)];
            for (int k = c; k <= n; ++k)
                a[at(r)][at(k)] -= f * a[at(c)][at(k)];
        }
    }
    x.assign(at(n) + 1, 0);
    for (int j = 0; j < n; ++j)
        x[at(j + 1)] = a[at(j)][at(n)] / a[at(j)][at(j)];
    return true;
}

inline bool feasible(const Workspace& ws, const Point& x)
{
    constexpr Real tol = 1e-7L;
    for (int j = 1; j <= ws.numVariables; ++j)
        if (x[at(j)] < ws.vars[at(j)].lb - tol || x[at(j)] > ws.vars[at(j)].ub + tol)
            return false;
    for (int i = 1; i <= ws.numConstraints; ++i) {
        Real ax = 0;
        for (int j = 1; j <= ws.numVariables; ++j)
            ax += ws.conCoef[at(i)][at(j)] * x[at(j)];
        const Real b = ws.conRhs[at(i)];
        const Real scale = tol * (1 + std::fabs(b));
        if ((ws.conType[at(i)] == ConLessEqual && ax > b + scale)
            || (ws.conType[at(i)] == ConGreaterEqual && ax < b - scale)
            || (ws.conType[at(i)] == ConEqual && std::fabs(ax - b) > scale))
            return false;
    }
    return true;
}

inline std::vector<Point> allVertices(const Workspace& ws)
{
    const int n = ws.numVariables;
    const std::vector<Hyperplane> planes = hyperplanes(ws);
    const int h = static_cast<int>(planes.size());
    std::vector<Point> vertices;
    std::vector<int> chosen(at(n));
    for (int i = 0; i < n; ++i)
        chosen[at(i)] = i;
    while (true) {
        Point x;
        if (intersect(planes, chosen, n, x) && feasible(ws, x)
            && std::none_of(vertices.begin(), vertices.end(), [&x](const Point& v) { return samePoint(v, x); }))
            vertices.push_back(x);
        int i = n - 1;
        while (i >= 0 && chosen[at(i)] == h - n + i)
            --i;
        if (i < 0)
            break;
        ++chosen[at(i)];
        for (int k = i + 1; k < n; ++k)
            chosen[at(k)] = chosen[at(k - 1)] + 1;
    }
    return vertices;
}

// max sum s_k over objSense_k f_k(x) - s_k >= objSense_k f_k(xHat), x
// feasible, s >= 0: zero exactly when no feasible point dominates xHat.
inline bool efficientPoint(const Workspace& ws, const Point& xHat)
{
    const int n = ws.numVariables;
    const int p = ws.numObjectives;
    ValueProgram program(n + p, ws.numConstraints + p);
    for (int i = 1; i <= ws.numConstraints; ++i) {
        for (int j = 1; j <= n; ++j)
            program.rows[at(i)][at(j)] = ws.conCoef[at(i)][at(j)];
        program.rowType[at(i)] = RowTypeOfCode(ws.conType[at(i)]);
        program.rowRhs[at(i)] = ws.conRhs[at(i)];
    }
    for (int k = 1; k <= p; ++k) {
        const int r = ws.numConstraints + k;
        Real level = 0;
        for (int j = 1; j <= n; ++j) {
            program.rows[at(r)][at(j)] = ws.objSense[at(k)] * ws.objCoef[at(k)][at(j)];
            level += ws.objSense[at(k)] * ws.objCoef[at(k)][at(j)] * xHat[at(j)];
        }
        program.rows[at(r)][at(n + k)] = -1;
        program.rowType[at(r)] = kRowGreaterEqual;
        program.rowRhs[at(r)] = level;
        program.objective[at(n + k)] = 1;
    }
    for (int j = 1; j <= n; ++j)
        program.bounds[at(j)] = {ws.vars[at(j)].lb, ws.vars[at(j)].ub};
    const ValueSolution s = SolveForValue(program, 1);
    if (s.status != SolveStatus::Optimal)
        return false;
    return s.objective <= 1e-7L;
}

// The efficient vertices of the problem.
inline std::vector<Point> efficientVertices(const Workspace& ws)
{
    std::vector<Point> out;
    for (const Point& v : allVertices(ws))
        if (efficientPoint(ws, v))
            out.push_back(v);
    return out;
}

inline Real objectiveAt(const Workspace& ws, int k, const Point& x)
{
    Real f = 0;
    for (int j = 1; j <= ws.numVariables; ++j)
        f += ws.objCoef[at(k)][at(j)] * x[at(j)];
    return f;
}

// The worst value of objective k over `points`.
inline Real worstValue(const Workspace& ws, int k, const std::vector<Point>& points)
{
    Real worst = objectiveAt(ws, k, points.front());
    for (const Point& x : points)
        if (ws.objSense[at(k)] * objectiveAt(ws, k, x) < ws.objSense[at(k)] * worst)
            worst = objectiveAt(ws, k, x);
    return worst;
}

} // namespace bruteforce
