#include "lp/ReducedCosts.h"

#include "lp/LpTolerances.h"
#include "workspace/Workspace.h"

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// cost(k, variable): the cost of a program variable in objective k, zero for
// slacks and added columns.
// rows[(k - 1) * stride + j] := z_kj - c_kj for tableau position j.
void rawReducedCosts(const Workspace& ws, const LpTables& lp, const std::function<Real(int, int)>& cost, Real* rows,
                     int stride)
{
    const int R = lp.tabRows;
    const int C = lp.tabCols;
    const int p = ws.numObjectives;
    const int n = ws.numVariables;
    auto isDecision = [n](int v) { return v >= 1 && v <= n; };
    auto row = [rows, stride](int k) { return rows + static_cast<std::size_t>(k - 1) * static_cast<std::size_t>(stride); };

    // The rows of basic decision variables and their costs, looked up once
    // for all columns.
    std::array<int, kMaxTableauRows + 1> costRow{};
    std::vector<Real> basicCost;
    int costRows = 0;
    for (int i = 1; i <= R - 1; ++i)
        if (isDecision(lp.basicList[i]))
            costRow[static_cast<std::size_t>(costRows++)] = i;
    basicCost.resize(static_cast<std::size_t>(p + 1) * static_cast<std::size_t>(costRows));
    for (int k = 1; k <= p; ++k)
        for (int r = 0; r < costRows; ++r)
            basicCost[static_cast<std::size_t>(k * costRows + r)] = cost(k, lp.basicList[costRow[static_cast<std::size_t>(r)]]);

    for (int j = 1; j <= C - 1; ++j) {
        const int entering = lp.nonbasicList[j];
        // z_k = sum of c_kr T[r][j] over the rows in order, three objectives
        // at a time so that their sums do not wait for each other.
        std::array<Real, MaxObjectives + 1> zk{};
        int k = 1;
        for (; k + 2 <= p; k += 3) {
            const Real* c0 = basicCost.data() + static_cast<std::size_t>(k * costRows);
            const Real* c1 = c0 + costRows;
            const Real* c2 = c1 + costRows;
            Real z0 = 0;
            Real z1 = 0;
            Real z2 = 0;
            for (int r = 0; r < costRows; ++r) {
                const Real t = lp.tableau[costRow[static_cast<std::size_t>(r)]][j];
                z0 += c0[r] * t;
                z1 += c1[r] * t;
                z2 += c2[r] * t;
            }
            zk[static_cast<std::size_t>(k)] = z0;
            zk[static_cast<std::size_t>(k + 1)] = z1;
            zk[static_cast<std::size_t>(k + 2)] = z2;
        }
        for (; k <= p; ++k) {
            Real z = 0;
            const Real* c = basicCost.data() + static_cast<std::size_t>(k * costRows);
            for (int r = 0; r < costRows; ++r)
                z += c[r] * lp.tableau[costRow[static_cast<std::size_t>(r)]][j];
            zk[static_cast<std::size_t>(k)] = z;
        }
        for (k = 1; k <= p; ++k) {
            const Real cj = isDecision(entering) ? cost(k, entering) : 0;
            row(k)[j] = zk[static_cast<std::size_t>(k)] - cj;
        }
    }
}

std::function<Real(int, int)> problemCost(const Workspace& ws)
{
    return [&ws](int k, int v) { return ws.objSense[k] * ws.objCoef[k][v] * ws.normFactor[k]; };
}

} // namespace

void ObjectiveReducedCosts(const Workspace& ws, const LpTables& lp, Real* rows, int stride)
{
    rawReducedCosts(ws, lp, problemCost(ws), rows, stride);
}

void ReducedCostsFromRows(const Workspace& ws, const LpTables& lp, const Real* rows, int stride, RecordYAC& yac,
                          YacColumnMap& yacColumns)
{
    const int C = lp.tabCols;
    const int p = ws.numObjectives;
    const int n = ws.numVariables;
    auto isDecision = [n](int v) { return v >= 1 && v <= n; };
    for (int j = 1; j <= C - 1; ++j) {
        const int entering = lp.nonbasicList[j];
        const bool flip = isDecision(entering) && lp.atUpper[entering];
        for (int k = 1; k <= p; ++k) {
            Real value = rows[static_cast<std::size_t>(k - 1) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(j)];
            if (flip)
                value = -value;
            if (std::fabs(value) <= kReducedCostZeroTol)
                value = 0;
            yac.YAC[k][j] = value;
        }
        yacColumns[j] = j;
    }
    yac.ncolsYAC = C - 1;

    // A fixed variable cannot move: it leads nowhere.
    for (int j = yac.ncolsYAC; j >= 1; --j) {
        const int v = lp.nonbasicList[j];
        if (!isDecision(v) || lp.lpBounds[v].lo != lp.lpBounds[v].up)
            continue;
        for (int c = j; c < yac.ncolsYAC; ++c) {
            for (int k = 1; k <= p; ++k)
                yac.YAC[k][c] = yac.YAC[k][c + 1];
            yacColumns[c] = yacColumns[c + 1];
        }
        --yac.ncolsYAC;
    }
}

void ComputeReducedCosts(const Workspace& ws, const LpTables& lp, RecordYAC& yac, YacColumnMap& yacColumns)
{
    ObjectiveRows rows;
    ObjectiveReducedCosts(ws, lp, rows.data(), kObjectiveRowStride);
    ReducedCostsFromRows(ws, lp, rows.data(), kObjectiveRowStride, yac, yacColumns);
}

void ConeReducedCosts(const Workspace& ws, const ConeObjectives& coneObjectives, const LpTables& lp, RecordYAC& yac,
                      YacColumnMap& yacColumns)
{
    ObjectiveRows rows;
    rawReducedCosts(
        ws, lp, [&coneObjectives](int k, int v) { return coneObjectives[k][v]; }, rows.data(), kObjectiveRowStride);
    ReducedCostsFromRows(ws, lp, rows.data(), kObjectiveRowStride, yac, yacColumns);
}
