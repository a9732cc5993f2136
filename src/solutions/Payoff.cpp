#include "solutions/Payoff.h"

#include "solutions/Computation.h"
#include "base/NumberFormat.h"
#include "lp/LpSolveAdapter.h"
#include "lp/Messages.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr Real kPayoffMainWeight = 0.999L;
constexpr Real kPayoffSharedWeight = 0.001L;
constexpr int kPayoffRowCaptionLength = 15;
} // namespace

void ApplyNormalization(Workspace& ws, bool l2)
{
    ws.normFactor.fill(1);
    if (!l2)
        return;
    for (int k = 1; k <= ws.numObjectives; ++k) {
        Real sum = 0;
        for (int j = 1; j <= ws.numVariables; ++j)
            sum += ws.objCoef[k][j] * ws.objCoef[k][j];
        const Real norm = std::sqrt(sum);
        if (norm != 0)
            ws.normFactor[k] = 1 / norm;
    }
}

PayoffResult ComputePayoff(Workspace& ws, LpEngine& engine, Progress& progress)
{
    const int p = ws.numObjectives;
    Notices starting;
    starting.status(0, QStringLiteral("Computing Pay-Off"));
    starting.status(1, QString());
    progress.tell(starting);
    progress.step(0, p);

    PayoffResult result;
    SolveStatus& status = result.status;
    status = SolveStatus::Optimal;
    int failed = 0;
    for (int k = 1; k <= p; ++k) {
        for (int l = 1; l <= p; ++l)
            ws.sumWeights[l] = (l == k) ? kPayoffMainWeight : kPayoffSharedWeight / (p - 1);
        const ComputeResult computed = ComputeFromWeights(ws, engine, false);
        progress.tell(computed.notices);
        status = computed.status;
        if (status != SolveStatus::Optimal) {
            failed = k;
            break;
        }
        for (int l = 1; l <= p; ++l)
            ws.payoff[k].f[l] = ws.currentF[l];
        ws.payoff[k].basketIndex = computed.basketIndex;
        progress.step(k, p);
    }
    if (status == SolveStatus::Optimal) {
        ws.payoffComputed = true;
        for (int k = 1; k <= p; ++k)
            ws.idealPoint[k] = ws.payoff[k].f[k];
        for (int l = 1; l <= p; ++l) {
            ws.nadirPoint[l] = ws.payoff[1].f[l];
            for (int k = 2; k <= p; ++k)
                if (ws.objSense[l] * ws.payoff[k].f[l] < ws.objSense[l] * ws.nadirPoint[l])
                    ws.nadirPoint[l] = ws.payoff[k].f[l];
        }
        for (int k = 1; k <= p; ++k)
            ws.refPoint[k] = ws.idealPoint[k];
    }
    // A failed table leaves no progress bar behind either.
    progress.done();
    result.notices.status(0, QString());
    // The person needs to know which objective has no finite optimum.
    if (status == SolveStatus::Unbounded)
        result.notices.message(MsgKind::Information,
                               QString::fromUtf8(msg::kUnbounded) + QLatin1Char('\n') + ws.objName[failed]);
    else if (failed != 0)
        result.notices.append(SolveStatusNotices(status));
    return result;
}

QString PayoffCellText(Real value)
{
    if (value == kNotComputed)
        return QStringLiteral("?");
    if (!isFinite(value) && !std::isnan(value))
        return value > 0 ? QStringLiteral("M") : QStringLiteral("-M");
    return NumText(value);
}

QString PayoffRowCaption(const QString& objectiveName)
{
    return (QStringLiteral("Opt. ") + objectiveName).left(kPayoffRowCaptionLength);
}

std::vector<QStringList> PayoffGrid(const Workspace& ws)
{
    std::vector<QStringList> grid;
    if (!ws.payoffComputed)
        return grid;
    const int p = ws.numObjectives;
    QStringList header{QString()};
    for (int l = 1; l <= p; ++l)
        header << ws.objName[l];
    grid.push_back(header);
    for (int k = 1; k <= p; ++k) {
        QStringList row{PayoffRowCaption(ws.objName[k])};
        for (int l = 1; l <= p; ++l)
            row << PayoffCellText(ws.payoff[k].f[l]);
        grid.push_back(row);
    }
    return grid;
}

void WidenNadirPoint(Workspace& ws, const vectorObj& f)
{
    const int p = std::clamp(ws.numObjectives, 0, MaxObjectives);
    for (int k = 1; k <= p; ++k) {
        if (ws.idealPoint[k] == ws.nadirPoint[k])
            continue;
        if (ws.objSense[k] == 1 ? f[k] < ws.nadirPoint[k] : f[k] > ws.nadirPoint[k])
            ws.nadirPoint[k] = f[k];
    }
}
