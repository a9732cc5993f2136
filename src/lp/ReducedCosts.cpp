#include "lp/ReducedCosts.h"

#include "lp/LpTolerances.h"
#include "workspace/Workspace.h"

#include <cmath>
#include <functional>

namespace {

// cost(k, variable): the cost of a program variable in objective k, zero for
// slacks and added columns.
void reducedCosts(const Workspace& ws, const LpTables& lp, const std::function<Real(int, int)>& cost,
                  RecordYAC& yac, YacColumnMap& yacColumns)
{
    const int R = lp.tabRows;
    const int C = lp.tabCols;
    const int p = ws.numObjectives;
    const int n = ws.numVariables;
    auto isDecision = [n](int v) { return v >= 1 && v <= n; };

    for (int j = 1; j <= C - 1; ++j) {
        const int entering = lp.nonbasicList[j];
        const bool flip = isDecision(entering) && lp.atUpper[entering];
        for (int k = 1; k <= p; ++k) {
            Real z = 0;
            for (int i = 1; i <= R - 1; ++i) {
                const int basic = lp.basicList[i];
                if (isDecision(basic))
                    z += cost(k, basic) * lp.tableau[i][j];
            }
            const Real cj = isDecision(entering) ? cost(k, entering) : 0;
            Real value = z - cj;
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

} // namespace

void ComputeReducedCosts(const Workspace& ws, const LpTables& lp, RecordYAC& yac, YacColumnMap& yacColumns)
{
    reducedCosts(
        ws, lp, [&ws](int k, int v) { return ws.objSense[k] * ws.objCoef[k][v] * ws.normFactor[k]; }, yac,
        yacColumns);
}

void ConeReducedCosts(const Workspace& ws, const ConeObjectives& coneObjectives, const LpTables& lp, RecordYAC& yac,
                      YacColumnMap& yacColumns)
{
    reducedCosts(
        ws, lp, [&coneObjectives](int k, int v) { return coneObjectives[k][v]; }, yac, yacColumns);
}
