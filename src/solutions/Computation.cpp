#include "solutions/Computation.h"

#include "lp/LpSolveAdapter.h"
#include "lp/LpTolerances.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "solutions/Basket.h"
#include "solutions/Regions.h"
#include "base/NumberFormat.h"
#include "solutions/Report.h"
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

namespace {

template <class LpValues, class XS, class F, class Basis>
void assemble(const Workspace& ws, const LpTables& lp, LpValues& lpValues, XS& xs, F& f, Basis& basis,
              std::int32_t& lpColumns, std::int32_t& refRows)
{
    const int R = lp.tabRows;
    const int C = lp.tabCols;
    lpValues.fill(0);
    for (int i = 1; i <= R - 1; ++i)
        if (std::fabs(lp.basicValues[i]) > kBasicValueZeroTol)
            lpValues[lp.basicList[i]] = lp.basicValues[i];
    for (int j = 1; j <= C - 1; ++j)
        lpValues[lp.nonbasicList[j]] = lp.nonbasicValues[j];

    const int n = ws.numVariables;
    xs.fill(0);
    for (int j = 1; j <= n; ++j)
        xs[j] = lpValues[j];
    for (int i = 1; i <= ws.numConstraints; ++i)
        xs[n + i] = lpValues[lp.lpColumnCount + lp.refRowCount + i];

    for (int k = 1; k <= ws.numObjectives; ++k) {
        Real sum = 0;
        for (int j = 1; j <= n; ++j)
            sum += ws.objCoef[k][j] * lpValues[j];
        f[k] = sum;
    }

    lpColumns = lp.lpColumnCount;
    refRows = lp.refRowCount;
    basis.fill(0);
    std::copy(lp.basicList.begin() + 1, lp.basicList.begin() + R, basis.begin() + 1);
    std::sort(basis.begin() + 1, basis.begin() + R);
}

} // namespace

void AssembleSolution(Workspace& ws, const LpTables& lp)
{
    assemble(ws, lp, ws.currentLpValues, ws.currentXS, ws.currentF, ws.currentBasis, ws.currentLpColumns,
             ws.currentRefRows);
}

void AssembleSolution(const Workspace& ws, const LpTables& lp, AssembledSolution& out)
{
    assemble(ws, lp, out.lpValues, out.xs, out.f, out.basis, out.lpColumns, out.refRows);
}

void UseAssembledSolution(Workspace& ws, const AssembledSolution& solution)
{
    ws.currentLpValues = solution.lpValues;
    ws.currentXS = solution.xs;
    ws.currentF = solution.f;
    ws.currentBasis = solution.basis;
    ws.currentLpColumns = solution.lpColumns;
    ws.currentRefRows = solution.refRows;
}

ComputeResult ComputeFromWeights(Workspace& ws, LpEngine& engine, bool interactive)
{
    ComputeResult result;
    result.notices.status(0, QString());
    ws.timeStart = CurrentTimeInDays();
    LpTables& lp = engine.tables;
    BuildWeightedSumProgram(ws, ws.sumWeights, lp);
    result.status = SolveScalarizing(lp, true, 1, engine.evaluator);
    if (result.status != SolveStatus::Optimal)
        return result;
    markElapsed(ws);
    AssembleSolution(ws, lp);
    AddHistoryRecord(ws, ws.currentBasis, ws.currentF, ws.currentXS);

    if (!ws.limitsActive || ws.guardaTodasSols) {
        const bool withBasis = !ws.limitsActive;
        const StoreResult stored =
            StoreSolution(ws, withBasis, ws.currentBasis, ws.currentF, interactive, kNoColor, ws.currentXS);
        result.notices.append(stored.notices);
        if (!stored.failed) {
            result.basketIndex = stored.index;
            ws.history.front().cor = ws.basket[stored.index].cor;
            ws.history.front().basketIndex = stored.index;
            if (withBasis && stored.newBasis && (ws.weightSpace2 || ws.weightSpace3)) {
                ComputeReducedCosts(ws, lp, ws.currentYAC, ws.yacColumns);
                result.notices.append(StoreIndifferenceRegion(ws, ws.currentYAC.ncolsYAC, ws.currentYAC.YAC,
                                                              stored.index, interactive)
                                          .notices);
            }
        }
    }
    if (interactive)
        result.notices.status(1, ElapsedText(ws.timeElapsed));
    for (int k = 1; k <= ws.numObjectives; ++k)
        ws.pickedWeights[k] = kNotComputed;
    return result;
}

ComputeResult ComputeReferencePoint(Workspace& ws, LpEngine& engine)
{
    ComputeResult result;
    result.notices.status(0, QString());
    ws.timeStart = CurrentTimeInDays();
    LpTables& lp = engine.tables;
    BuildReferencePointProgram(ws, lp);
    result.status = SolveScalarizing(lp, false, -1, engine.evaluator);
    if (result.status != SolveStatus::Optimal)
        return result;
    markElapsed(ws);
    result.notices.append(TakeReferencePointSolution(ws, lp));
    result.notices.status(1, ElapsedText(ws.timeElapsed));
    return result;
}

Notices TakeReferencePointSolution(Workspace& ws, const LpTables& lp)
{
    Notices notices;
    AssembleSolution(ws, lp);
    AddHistoryRecord(ws, ws.currentBasis, ws.currentF, ws.currentXS);
    if (ws.guardaTodasSols) {
        const StoreResult stored =
            StoreSolution(ws, false, ws.currentBasis, ws.currentF, false, kNoColor, ws.currentXS);
        notices.append(stored.notices);
        if (stored.isNew) {
            ws.history.front().cor = ws.basket[stored.index].cor;
            ws.history.front().basketIndex = stored.index;
        }
    }
    return notices;
}
