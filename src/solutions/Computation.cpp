#include "solutions/Computation.h"

#include "lp/LpSolveAdapter.h"
#include "lp/LpTolerances.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "solutions/Basket.h"
#include "solutions/Regions.h"
#include "base/NumberFormat.h"
#include "solutions/Report.h"
#include "base/UiPort.h"
#include "workspace/Workspace.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

void markElapsed(Workspace& ws)
{
    ws.timeEnd = CurrentTimeInDays();
    ws.timeElapsed = ws.timeEnd - ws.timeStart;
}

} // namespace

double CurrentTimeInDays() { return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / kMillisecondsPerDay; }

void AssembleSolution(Workspace& ws, const LpTables& lp)
{
    const int R = lp.tabRows;
    const int C = lp.tabCols;
    ws.currentLpValues.fill(0);
    for (int i = 1; i <= R - 1; ++i)
        if (std::fabs(lp.basicValues[i]) > kBasicValueZeroTol)
            ws.currentLpValues[lp.basicList[i]] = lp.basicValues[i];
    for (int j = 1; j <= C - 1; ++j)
        ws.currentLpValues[lp.nonbasicList[j]] = lp.nonbasicValues[j];

    const int n = ws.numVariables;
    ws.currentXS.fill(0);
    for (int j = 1; j <= n; ++j)
        ws.currentXS[j] = ws.currentLpValues[j];
    for (int i = 1; i <= ws.numConstraints; ++i)
        ws.currentXS[n + i] = ws.currentLpValues[lp.lpColumnCount + lp.refRowCount + i];

    for (int k = 1; k <= ws.numObjectives; ++k) {
        Real f = 0;
        for (int j = 1; j <= n; ++j)
            f += ws.objCoef[k][j] * ws.currentLpValues[j];
        ws.currentF[k] = f;
    }

    ws.currentLpColumns = lp.lpColumnCount;
    ws.currentRefRows = lp.refRowCount;
    ws.currentBasis.fill(0);
    std::copy(lp.basicList.begin() + 1, lp.basicList.begin() + R, ws.currentBasis.begin() + 1);
    std::sort(ws.currentBasis.begin() + 1, ws.currentBasis.begin() + R);
}

SolveStatus ComputeFromWeights(Workspace& ws, LpEngine& engine, UiPort& ui, bool interactive, int& basketIndex)
{
    ui.setStatusText(0, QString());
    ws.timeStart = CurrentTimeInDays();
    LpTables& lp = engine.tables;
    BuildWeightedSumProgram(ws, ws.sumWeights, lp);
    const SolveStatus status = SolveScalarizing(lp, true, 1, engine.evaluator);
    if (status != SolveStatus::Optimal)
        return status;
    markElapsed(ws);
    AssembleSolution(ws, lp);
    AddHistoryRecord(ws, ws.currentBasis, ws.currentF, ws.currentXS);

    if (!ws.limitsActive || ws.guardaTodasSols) {
        const bool withBasis = !ws.limitsActive;
        const StoreResult stored =
            StoreSolution(ws, ui, withBasis, ws.currentBasis, ws.currentF, interactive, kNoColor, ws.currentXS);
        if (!stored.failed) {
            basketIndex = stored.index;
            ws.history.front().cor = ws.basket[stored.index].cor;
            ws.history.front().basketIndex = stored.index;
            if (withBasis && stored.newBasis && (ws.weightSpace2 || ws.weightSpace3)) {
                ComputeReducedCosts(ws, lp, ws.currentYAC, ws.yacColumns);
                bool failed = false;
                StoreIndifferenceRegion(ws, ui, ws.currentYAC.ncolsYAC, ws.currentYAC.YAC, stored.index, failed,
                                        interactive);
            }
        }
    }
    if (interactive)
        ShowElapsedTime(ui, ws.timeElapsed);
    for (int k = 1; k <= ws.numObjectives; ++k)
        ws.pickedWeights[k] = kNotComputed;
    return status;
}

SolveStatus ComputeReferencePoint(Workspace& ws, LpEngine& engine, UiPort& ui)
{
    ui.setStatusText(0, QString());
    ws.timeStart = CurrentTimeInDays();
    LpTables& lp = engine.tables;
    BuildReferencePointProgram(ws, lp);
    const SolveStatus status = SolveScalarizing(lp, false, -1, engine.evaluator);
    if (status != SolveStatus::Optimal)
        return status;
    markElapsed(ws);
    TakeReferencePointSolution(ws, ui, lp);
    ShowElapsedTime(ui, ws.timeElapsed);
    return status;
}

void TakeReferencePointSolution(Workspace& ws, UiPort& ui, const LpTables& lp)
{
    AssembleSolution(ws, lp);
    AddHistoryRecord(ws, ws.currentBasis, ws.currentF, ws.currentXS);
    if (ws.guardaTodasSols) {
        const StoreResult stored =
            StoreSolution(ws, ui, false, ws.currentBasis, ws.currentF, false, kNoColor, ws.currentXS);
        if (stored.isNew) {
            ws.history.front().cor = ws.basket[stored.index].cor;
            ws.history.front().basketIndex = stored.index;
        }
    }
}
