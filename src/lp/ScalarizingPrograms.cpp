#include "lp/ScalarizingPrograms.h"

#include "workspace/Workspace.h"

namespace {

// Coefficient of column j in the maximized form of objective k.
Real maximizedCoef(const Workspace& ws, int k, int j)
{
    return ws.objSense[k] * ws.objCoef[k][j] * ws.normFactor[k];
}

// max sum_k w_k coef(k, j) x_j over the problem rows and the limitation
// rows in force.
template <typename Coef>
void buildWeightedSum(const Workspace& ws, const vectorObj& weights, LpTables& lp, Coef coef)
{
    ClearProgram(lp);
    AddProblemRows(ws, lp, true);
    lp.refRowCount = 0;
    SetDecisionColumns(ws, lp);
    for (int j = 1; j <= ws.numVariables; ++j) {
        Real sum = 0;
        for (int k = 1; k <= ws.numObjectives; ++k)
            sum += weights[k] * coef(k, j);
        lp.lpObjective[j] = sum;
    }
}

LpRow& appendRow(LpTables& lp)
{
    ++lp.lpRowCount;
    return lp.lpRows[lp.lpRowCount];
}

} // namespace

void ClearProgram(LpTables& lp)
{
    for (LpRow& row : lp.lpRows)
        row = LpRow{};
    lp.lpObjective.fill(0);
    for (LpBound& b : lp.lpBounds)
        b = LpBound{};
    lp.lpRowCount = 0;
    lp.lpColumnCount = 0;
    lp.refRowCount = 0;
    lp.problemObjectiveCount = 0;
}

void SetDecisionColumns(const Workspace& ws, LpTables& lp)
{
    const int n = ws.numVariables;
    for (int j = 1; j <= n; ++j)
        lp.lpBounds[j] = LpBound{ws.vars[j].lb, ws.vars[j].ub};
    lp.lpColumnCount = n;
    lp.problemObjectiveCount = ws.numObjectives;
    for (int k = 1; k <= ws.numObjectives; ++k) {
        lp.problemObjectives[k].fill(0);
        for (int j = 1; j <= n; ++j)
            lp.problemObjectives[k][j] = ws.objCoef[k][j];
    }
}

void AddProblemRows(const Workspace& ws, LpTables& lp, bool useLimits)
{
    const int n = ws.numVariables;
    for (int i = 1; i <= ws.numConstraints; ++i) {
        LpRow& row = appendRow(lp);
        for (int j = 1; j <= n; ++j)
            row.coef[j] = ws.conCoef[i][j];
        row.type = RowTypeOfCode(ws.conType[i]);
        row.rhs = ws.conRhs[i];
    }
    if (!useLimits || !ws.limitsActive)
        return;
    for (int k = 1; k <= ws.numObjectives; ++k) {
        if (!ws.limitOn[k])
            continue;
        LpRow& row = appendRow(lp);
        for (int j = 1; j <= n; ++j)
            row.coef[j] = ws.objSense[k] * ws.objCoef[k][j];
        row.type = kRowGreaterEqual;
        row.rhs = ws.objSense[k] * ws.limitValue[k];
    }
}

void BuildWeightedSumProgram(const Workspace& ws, const vectorObj& weights, LpTables& lp)
{
    buildWeightedSum(ws, weights, lp, [&ws](int k, int j) { return maximizedCoef(ws, k, j); });
}

void BuildConeWeightedSumProgram(const Workspace& ws, const vectorObj& weights, LpTables& lp)
{
    buildWeightedSum(ws, weights, lp, [&ws](int k, int j) { return ws.coneObjectives[k][j]; });
}

void BuildEConstraintProgram(const Workspace& ws, int objective, LpTables& lp)
{
    vectorObj weights{};
    for (int k = 1; k <= ws.numObjectives; ++k)
        weights[k] = (k == objective) ? 1 : kEConstraintSmallWeight;
    BuildWeightedSumProgram(ws, weights, lp);
}

void BuildReferencePointProgram(const Workspace& ws, LpTables& lp)
{
    ClearProgram(lp);
    const int n = ws.numVariables;
    const int alphaPlus = n + 1;
    const int alphaMinus = n + 2;
    for (int k = 1; k <= ws.numObjectives; ++k) {
        const Real w = ws.tchebWeights[k];
        if (w == 0)
            continue;
        LpRow& row = appendRow(lp);
        for (int j = 1; j <= n; ++j)
            row.coef[j] = maximizedCoef(ws, k, j) * w;
        row.coef[alphaPlus] = 1;
        row.coef[alphaMinus] = -1;
        row.type = kRowGreaterEqual;
        row.rhs = ws.objSense[k] * ws.refPoint[k] * w * ws.normFactor[k];
    }
    lp.refRowCount = lp.lpRowCount;
    AddProblemRows(ws, lp, true);
    SetDecisionColumns(ws, lp);
    lp.lpBounds[alphaPlus] = LpBound{};
    lp.lpBounds[alphaMinus] = LpBound{};
    lp.lpColumnCount = n + 2;
    lp.lpObjective[alphaPlus] = 1;
    lp.lpObjective[alphaMinus] = -1;
    for (int j = 1; j <= n; ++j) {
        Real sum = 0;
        for (int k = 1; k <= ws.numObjectives; ++k)
            sum += kAugmentationWeight * maximizedCoef(ws, k, j);
        lp.lpObjective[j] = -sum;
    }
}
