#include "lp/EfficientBases.h"

#include "lp/EfficientBasesMessages.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

} // namespace

namespace {

// max objSense_k f_k + 0.0001 sum_{l != k} objSense_l normFactor_l f_l over
// the problem rows and f_k not passing z.
void buildBoundedObjectiveProgram(const Workspace& ws, int k, Real z, LpTables& lp)
{
    ClearProgram(lp);
    AddProblemRows(ws, lp, false);
    const int n = ws.numVariables;
    ++lp.lpRowCount;
    LpRow& row = lp.lpRows[at(lp.lpRowCount)];
    for (int j = 1; j <= n; ++j)
        row.coef[at(j)] = ws.objCoef[at(k)][at(j)];
    row.type = ws.objSense[at(k)] == 1 ? kRowLessEqual : kRowGreaterEqual;
    row.rhs = z;
    SetDecisionColumns(ws, lp);
    for (int j = 1; j <= n; ++j) {
        Real c = ws.objSense[at(k)] * ws.objCoef[at(k)][at(j)];
        for (int l = 1; l <= ws.numObjectives; ++l)
            if (l != k)
                c += kAlternativePerturbation * ws.objCoef[at(l)][at(j)] * ws.objSense[at(l)] * ws.normFactor[at(l)];
        lp.lpObjective[at(j)] = c;
    }
}

// The objective row of the read-back for the plain objective k; false when
// some variable would still improve it (the perturbed optimum is not one).
bool plainObjectiveIsOptimal(const Workspace& ws, int k, LpTables& lp)
{
    const int n = ws.numVariables;
    for (int j = 1; j <= n; ++j)
        lp.lpObjective[at(j)] = ws.objSense[at(k)] * ws.objCoef[at(k)][at(j)];
    auto cost = [&lp](int v) { return lp.isColumn(v) ? lp.lpObjective[at(v)] : Real(0); };
    const int R = lp.tabRows;
    bool optimal = true;
    for (int j = 1; j <= lp.tabCols - 1; ++j) {
        const int v = lp.nonbasicList[at(j)];
        Real d = cost(v);
        for (int i = 1; i <= R - 1; ++i)
            d -= cost(lp.basicList[at(i)]) * lp.tableau[at(i)][at(j)];
        if (std::fabs(d) <= kRatioZeroTol)
            d = 0;
        lp.tableau[at(R)][at(j)] = d;
        if (d > 0 && !(lp.isColumn(v) && lp.atUpper[at(v)]))
            optimal = false;
    }
    return optimal;
}

// The least step along tableau position j for a variable moving up.
Real stepUp(const LpTables& lp, int j)
{
    Real theta = kInfiniteBound;
    for (int i = 1; i <= lp.tabRows - 1; ++i) {
        const Real a = lp.tableau[at(i)][at(j)];
        if (!(std::fabs(a) > kRatioZeroTol))
            continue;
        const Real x = lp.basicValues[at(i)];
        const int v = lp.basicList[at(i)];
        const Real lo = lp.isColumn(v) ? lp.lpBounds[at(v)].lo : Real(0);
        const Real up = lp.isColumn(v) ? lp.lpBounds[at(v)].up : kInfiniteBound;
        if (a > 0)
            theta = std::min(theta, (x - lo) / a);
        else if (isFinite(up))
            theta = std::min(theta, (up - x) / -a);
    }
    return theta;
}

class AlternativeWalk {
public:
    AlternativeWalk(Workspace& ws, LpEngine& engine, int m)
        : ws_(ws), lp_(engine.tables), engine_(engine), m_(m), list_(ws.numVariables)
    {
    }

    // False after a halt of the efficient-variable procedure.
    bool run()
    {
        list_.append(EncodeBasis(lp_.basicList.data(), lp_.lpRowCount, lp_.atUpper, lp_.lpColumnCount), BasisMove{});
        if (!examine(0))
            return false;
        for (int next = 1; next < list_.size() && !stopped_; ++next) {
            DecodeBasis(list_[next], lp_.basicList, lp_.atUpper);
            if (EvaluateBasis(lp_, 1, engine_.evaluator) == SolveStatus::Other)
                continue;
            ComputeReducedCosts(ws_, lp_, ws_.currentYAC, ws_.yacColumns);
            if (IsDominatedBasis(ws_.currentYAC, ws_.numObjectives))
                continue;
            if (!examine(next))
                return false;
        }
        return true;
    }

private:
    bool examine(int index)
    {
        const RecordYAC& yac = ws_.currentYAC;
        const EfficientColumns efficient = FindEfficientNonbasics(yac, ws_.numObjectives);
        if (efficient.halted)
            return false;
        EfficientPositions positions{};
        MapEfficientToPositions(efficient, yac.ncolsYAC, ws_.yacColumns, lp_.tabCols, positions);
        const bool explore = record(efficient);
        if (m_ < 0 && ws_.alternativeCount > 0)
            stopped_ = true;
        if (list_.size() > kAlternativeBasesLimit && ws_.alternativeCount > 0)
            stopped_ = true;
        if (!stopped_ && explore)
            AdjacentBases(lp_, positions, true, index, list_);
        return true;
    }

    // Records an accepted basis; tells whether to explore its neighbours.
    bool record(const EfficientColumns& efficient)
    {
        const RecordYAC& yac = ws_.currentYAC;
        const int p = ws_.numObjectives;
        ++ws_.visitedBases;
        int unitColumn = 0;
        if (m_ != 0) {
            const int objective = m_ < 0 ? -m_ : m_;
            for (int c = 1; c <= yac.ncolsYAC; ++c)
                if (efficient.efficientColumn[at(c)]
                    && std::fabs(std::fabs(yac.YAC[at(objective)][at(c)]) - 1) <= kUnitReducedCostTol)
                    unitColumn = c;
            if (unitColumn == 0)
                return !testEveryBasis_ || IsEfficientBasis(yac, p);
            if (!IsEfficientBasis(yac, p)) {
                testEveryBasis_ = true;
                return false;
            }
        }
        UmaSolAltern alternative;
        alternative.YAC_EFIC.assign(at(p), {});
        for (int c = 1; c <= yac.ncolsYAC; ++c) {
            if (!efficient.efficientColumn[at(c)])
                continue;
            for (int k = 1; k <= p; ++k)
                alternative.YAC_EFIC[at(k - 1)].push_back(yac.YAC[at(k)][at(c)]);
            ++alternative.NColsYAC_EFIC;
        }
        try {
            ws_.alternatives.push_back(std::move(alternative));
        } catch (const std::bad_alloc&) {
            stopped_ = true;
            return false;
        }
        ++ws_.alternativeCount;
        if (unitColumn != 0) {
            const Real step = stepUp(lp_, ws_.yacColumns[at(unitColumn)]);
            if (isFinite(step) && step > ws_.bestEdgeStep) {
                ws_.bestEdgeStep = step;
                ws_.bestEdgeAlternative = ws_.alternativeCount - 1;
            }
        }
        return true;
    }

    Workspace& ws_;
    LpTables& lp_;
    LpEngine& engine_;
    int m_;
    BasisList list_;
    bool stopped_ = false;
    bool testEveryBasis_ = false;
};

} // namespace

AlternativeOptimaResult AlternativeOptima(Workspace& ws, LpEngine& engine, int k, int m, Real z)
{
    AlternativeOptimaResult result;
    LpTables& lp = engine.tables;
    buildBoundedObjectiveProgram(ws, k, z, lp);
    result.status = SolveScalarizing(lp, true, 1, engine.evaluator);
    if (result.status != SolveStatus::Optimal)
        return result;
    if (!plainObjectiveIsOptimal(ws, k, lp)) {
        result.notices.message(MsgKind::Error, QString::fromUtf8(msg::kPerturbedNotOptimal));
        return result;
    }

    ws.alternatives.clear();
    ws.alternativeCount = 0;
    ws.visitedBases = 0;
    ws.bestEdgeStep = 0;
    ws.bestEdgeAlternative = -1;
    ComputeReducedCosts(ws, lp, ws.currentYAC, ws.yacColumns);
    if (IsDominatedBasis(ws.currentYAC, ws.numObjectives)) {
        result.notices.message(MsgKind::Error, QString::fromUtf8(msg::kFirstAlternativeNotEfficient));
        return result;
    }
    AlternativeWalk walk(ws, engine, m);
    // The starting basis is entry 0 of the walk's list.
    if (!walk.run()) {
        result.notices.message(MsgKind::Error, QString::fromUtf8(msg::kEfficientNonbasicsHalt));
        result.halted = true;
        return result;
    }
    result.ok = true;
    return result;
}
