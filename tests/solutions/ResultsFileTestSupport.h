#pragma once

// Workspaces and checks shared by the results file tests: a small problem
// with results set by hand (no solver needed), and a dump of everything an
// import may change, to tell "refused and untouched" from "half read".

#include "solutions/Report.h"
#include "workspace/Workspace.h"

#include <QByteArray>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <memory>
#include <type_traits>

namespace results_test {

// max 3x1 + x2 (F1), min x1 + 2x2 (Cost), x1 + x2 <= 10, x2 <= 5. Without
// the solver's tables: nothing is computed on it.
inline std::unique_ptr<Workspace> TinyProblem()
{
    auto ws = std::make_unique<Workspace>();
    ResetProblem(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 2;
    ws->numConstraints = 1;
    ws->objSense[1] = 1;
    ws->objSense[2] = -1;
    ws->objCoef[1][1] = 3;
    ws->objCoef[1][2] = 1;
    ws->objCoef[2][1] = 1;
    ws->objCoef[2][2] = 2;
    ws->objName[1] = QStringLiteral("F1");
    ws->objName[2] = QStringLiteral("Cost");
    ws->conCoef[1][1] = 1;
    ws->conCoef[1][2] = 1;
    ws->conRhs[1] = 10;
    ws->vars[2].ub = 5;
    ws->fileName = QStringLiteral("tiny.mlp");
    ResetComputedState(*ws);
    return ws;
}

inline StoredBasis Basis(std::initializer_list<std::int32_t> columns)
{
    StoredBasis basis;
    int at = 1;
    for (const std::int32_t c : columns)
        basis[static_cast<std::size_t>(at++)] = c;
    return basis;
}

inline UmaOuMaisRegioes Segment(Real from, Real to, std::int32_t next)
{
    UmaOuMaisRegioes region;
    region.Regiao.Numvertices = 2;
    region.Regiao.vertices[1] = XY{from, 0};
    region.Regiao.vertices[2] = XY{to, 0};
    region.AreaPolig = (to - from) * 100;
    region.IndiceProx = next;
    return region;
}

// Three solutions of the tiny problem: the first with two bases and a chain
// of three polygons (1 -> 3 -> 4), the second with one basis and polygon 2,
// the third stored without a basis and without a region.
inline void FillTinyResults(Workspace& ws)
{
    ws.idealPoint[1] = 30;
    ws.idealPoint[2] = 0;
    ws.nadirPoint[1] = 0;
    ws.nadirPoint[2] = 10;
    ws.normFactor[1] = 1 / std::sqrt(10.0L);
    ws.normFactor[2] = 1 / std::sqrt(5.0L);

    SolSolutionBasket a;
    a.f[1] = 30;
    a.f[2] = 10;
    a.x_s[1] = 10;
    a.vbs = {Basis({1}), Basis({3})};
    a.cor = rgbColor(0, 0x80, 0x80);
    a.indRegIndif = 1;
    SolSolutionBasket b;
    b.x_s[3] = 10;
    b.vbs = {Basis({3})};
    b.cor = rgbColor(0x80, 0, 0);
    b.indRegIndif = 2;
    SolSolutionBasket c;
    c.f[1] = 20;
    c.f[2] = 15;
    c.x_s[1] = 5;
    c.x_s[2] = 5;
    c.vbs = {Basis({})};
    c.cor = kStoredComputedColor;
    ws.replace({SolSolutionBasket{}, a, b, c},
               {UmaOuMaisRegioes{}, Segment(0.75L, 1, 3), Segment(0, 0.5L, 0), Segment(0.6L, 0.75L, 4),
                Segment(0.5L, 0.6L, 0)},
               {UmaAresta{}, UmaAresta{1, 2}});
    ws.payoff[1].basketIndex = 1;
    ws.payoff[2].basketIndex = 2;
    ws.payoffComputed = true;
}

// The file of FillTinyResults, written out by hand from the layout.
inline QStringList TinyResultsLines()
{
    return {
        QStringLiteral("//Ideal Solution"),
        QStringLiteral(" 3.00000000000000E+0001  0.00000000000000E+0000 "),
        QStringLiteral("//(Aprox)Nadir Solution"),
        QStringLiteral(" 0.00000000000000E+0000  1.00000000000000E+0001 "),
        QStringLiteral("//Normalization factors for the objective functions"),
        QStringLiteral(" 3.16227766016838E-0001  4.47213595499958E-0001 "),
        QStringLiteral("3 //Number of solutions"),
        QStringLiteral("4 //Number of indiference regions (IR) on the weight space"),
        QStringLiteral("//Solutions (f,x,Nbases,vb [outras vbs],color,IRindex, [IR vertices]"),
        // Solution 1: two bases, a chain of three polygons.
        QStringLiteral(" 3.00000000000000E+0001  1.00000000000000E+0001 "),
        QStringLiteral(" 1.00000000000000E+0001  0.00000000000000E+0000  0.00000000000000E+0000 "),
        QStringLiteral("2"),
        QStringLiteral("1 0"),
        QStringLiteral("3 0"),
        QStringLiteral("8421376"),
        QStringLiteral("1"),
        QStringLiteral("   2 7.50000000000000E-0001  0.00000000000000E+0000   1.00000000000000E+0000  "
                       "0.00000000000000E+0000      3"),
        QStringLiteral("   2 6.00000000000000E-0001  0.00000000000000E+0000   7.50000000000000E-0001  "
                       "0.00000000000000E+0000      4"),
        QStringLiteral("   2 5.00000000000000E-0001  0.00000000000000E+0000   6.00000000000000E-0001  "
                       "0.00000000000000E+0000      0"),
        // Solution 2.
        QStringLiteral(" 0.00000000000000E+0000  0.00000000000000E+0000 "),
        QStringLiteral(" 0.00000000000000E+0000  0.00000000000000E+0000  1.00000000000000E+0001 "),
        QStringLiteral("1"),
        QStringLiteral("3 0"),
        QStringLiteral("128"),
        QStringLiteral("2"),
        QStringLiteral("   2 0.00000000000000E+0000  0.00000000000000E+0000   5.00000000000000E-0001  "
                       "0.00000000000000E+0000      0"),
        // Solution 3: no basis, no region.
        QStringLiteral(" 2.00000000000000E+0001  1.50000000000000E+0001 "),
        QStringLiteral(" 5.00000000000000E+0000  5.00000000000000E+0000  0.00000000000000E+0000 "),
        QStringLiteral("1"),
        QStringLiteral("0"),
        QStringLiteral("16733011"),
        QStringLiteral("0"),
        QStringLiteral("//Indices in the SolutionBasket of the Payoff Solutions"),
        QStringLiteral("1"),
        QStringLiteral("2"),
        QStringLiteral("1 //Number of edges identified"),
        QStringLiteral("1  2"),
    };
}

inline QByteArray JoinLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

inline QByteArray Exact(Real value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%La ", value);
    return QByteArray(buf);
}

// Elements 1..count.
template <typename Values>
QByteArray ExactAll(const Values& values, int count)
{
    QByteArray out;
    // A stored record reads 0 beyond what it holds; an array stops at its end.
    const int last = std::is_same_v<Values, SolutionValues> ? count : std::min(count, int(values.size()) - 1);
    for (int i = 1; i <= last; ++i)
        out += Exact(static_cast<Real>(values[static_cast<std::size_t>(i)]));
    return out;
}

// A basis up to its terminator.
template <typename List>
QByteArray BasisText(const List& basis)
{
    QByteArray out;
    for (int i = 1; i <= MaxBasic + 1; ++i) {
        out += QByteArray::number(basis[static_cast<std::size_t>(i)]) + ' ';
        if (basis[static_cast<std::size_t>(i)] == 0)
            break;
    }
    return out;
}

// Everything an import reads or writes, exactly (reals in hexadecimal),
// over the ranges the problem's sizes use.
inline QByteArray Snapshot(const Workspace& ws)
{
    const int p = ws.numObjectives;
    const int nm = ws.numVariables + ws.numConstraints;
    QByteArray out;
    const auto line = [&out](const char* name, const QByteArray& value) { out += name + (": " + value) + '\n'; };
    line("sizes", QByteArray::number(p) + ' ' + QByteArray::number(ws.numVariables) + ' '
                      + QByteArray::number(ws.numConstraints));
    line("ideal", ExactAll(ws.idealPoint, p));
    line("nadir", ExactAll(ws.nadirPoint, p));
    line("norm", ExactAll(ws.normFactor, p));
    line("nadirSource", ExactAll(ws.nadirSource, MaxObjectives));
    line("refPoint", ExactAll(ws.refPoint, p));
    line("payoffComputed", QByteArray::number(ws.payoffComputed));
    for (int k = 1; k <= p; ++k)
        line("payoff", ExactAll(ws.payoff[k].f, p) + QByteArray::number(ws.payoff[k].basketIndex));
    line("basketCount", QByteArray::number(ws.basketCount) + " of " + QByteArray::number(qulonglong(ws.basket.size())));
    for (const SolSolutionBasket& sol : ws.basket) {
        line("f", ExactAll(sol.f, p));
        line("x_s", ExactAll(sol.x_s, nm));
        for (const StoredBasis& basis : sol.vbs)
            line("basis", BasisText(basis));
        line("cor", QByteArray::number(sol.cor) + " region " + QByteArray::number(sol.indRegIndif));
    }
    line("regionCount", QByteArray::number(ws.regionCount) + " of " + QByteArray::number(qulonglong(ws.regions.size())));
    for (const UmaOuMaisRegioes& region : ws.regions) {
        QByteArray vertices;
        for (int v = 1; v <= region.Regiao.Numvertices && v <= MaxVertices; ++v)
            vertices += Exact(region.Regiao.vertices[static_cast<std::size_t>(v)].x)
                        + Exact(region.Regiao.vertices[static_cast<std::size_t>(v)].y);
        line("region", QByteArray::number(region.Regiao.Numvertices) + ' ' + vertices + Exact(region.AreaPolig)
                           + QByteArray::number(region.IndiceProx));
    }
    line("edgeCount", QByteArray::number(ws.edgeCount) + " of " + QByteArray::number(qulonglong(ws.edges.size())));
    for (const UmaAresta& edge : ws.edges)
        line("edge", QByteArray::number(edge.Sol1) + ' ' + QByteArray::number(edge.Sol2));
    line("alternatives", QByteArray::number(ws.alternativeCount) + ' '
                             + QByteArray::number(qulonglong(ws.alternatives.size())));
    line("historyCount", QByteArray::number(ws.historyCount));
    for (const ComputedSolution& record : ws.history)
        line("record", ExactAll(record.f, p) + BasisText(record.basis) + ExactAll(record.x_s, nm)
                           + QByteArray::number(record.cor) + ' ' + QByteArray::number(record.basketIndex));
    line("currentF", ExactAll(ws.currentF, p));
    line("currentXS", ExactAll(ws.currentXS, nm));
    line("currentBasis", BasisText(ws.currentBasis));
    return out;
}

// A workspace of the tiny problem holding other work than the tiny file:
// one solution, a history record, nadir sources and alternative bases, so
// that any part an import touched would show.
inline std::unique_ptr<Workspace> OtherWorkOnTinyProblem()
{
    auto ws = TinyProblem();
    for (int k = 1; k <= 2; ++k) {
        ws->idealPoint[k] = 7 + k;
        ws->nadirPoint[k] = -3 - k;
        ws->normFactor[k] = 0.25L * k;
        ws->nadirSource[k] = 1;
        ws->currentF[k] = 1;
    }
    SolSolutionBasket only;
    only.f[1] = 1;
    only.f[2] = 1;
    only.x_s[1] = 0.5L;
    only.vbs = {Basis({2})};
    only.cor = rgbColor(1, 2, 3);
    (void)ws->appendSolution(only);
    ws->payoff[1].basketIndex = 1;
    ws->alternatives.push_back(UmaSolAltern{});
    ws->alternativeCount = 1;
    AddHistoryRecord(*ws, only.vbs[0], only.f, only.x_s);
    return ws;
}

} // namespace results_test
