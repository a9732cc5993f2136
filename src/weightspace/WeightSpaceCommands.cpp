#include "weightspace/WeightSpaceCommands.h"

#include "lp/EfficientBases.h"
#include "solutions/Regions.h"
#include "weightspace/Messages.h"
#include "weightspace/WeightSpaceView.h"

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

int RegionChainLength(const Workspace& ws, int sol)
{
    int n = 0;
    for (int r = ws.basket[sol].indRegIndif; r != 0 && n <= ws.regionCount; r = ws.regions[r].IndiceProx)
        ++n;
    return n;
}

LimitAreaResult ComputeLimitationArea(WeightSpaceView& view, Workspace& ws, LpEngine& engine, int k, Real v)
{
    LimitAreaResult out;
    if (ws.numObjectives != 3 || k < 1 || k > 3)
        return out;
    AlternativeOptimaResult result = AlternativeOptima(ws, engine, k, 0, v);
    out.notices = std::move(result.notices);
    if (!result.ok || result.status != SolveStatus::Optimal || ws.alternativeCount < 1) {
        if (result.status == SolveStatus::Infeasible) {
            out.notices.message(MsgKind::Information, text(msg::kWholeRegionSatisfies));
            out.end = LimitAreaEnd::WholeRegion;
        }
        return out;
    }
    view.limitAreaValue[k] = v;
    std::vector<UmaRegIndif> areas;
    areas.reserve(static_cast<std::size_t>(ws.alternativeCount));
    RecordYAC yac;
    for (int a = 0; a < ws.alternativeCount; ++a) {
        const UmaSolAltern& alt = ws.alternatives[static_cast<std::size_t>(a)];
        yac.ncolsYAC = alt.NColsYAC_EFIC;
        for (int l = 1; l <= ws.numObjectives; ++l)
            for (int c = 1; c <= alt.NColsYAC_EFIC; ++c)
                yac.YAC[l][c] = alt.YAC_EFIC[static_cast<std::size_t>(l - 1)][static_cast<std::size_t>(c - 1)];
        areas.push_back(ComputeRegionPolygon(ws.numObjectives, yac.ncolsYAC, yac.YAC));
    }
    ws.alternatives.clear();
    ws.alternativeCount = 0;
    if (!view.limitAreas[k].empty()) {
        view.limitAreas[k].clear();
        view.RedrawTriangulo();
    }
    view.limitAreas[k] = std::move(areas);
    view.limitEntriesEnabled = true;
    view.drawLimitAreas(k, false);
    out.end = LimitAreaEnd::Drawn;
    return out;
}

int WorstStoredSolution(const Workspace& ws, int k, Real& w)
{
    if (ws.basketCount < 1)
        return 0;
    int worst = 1;
    w = ws.basket[1].f[k];
    const Real sense = ws.objSense[k];
    for (int i = 1; i <= ws.basketCount; ++i) {
        if (sense * ws.basket[i].f[k] <= sense * w) {
            w = ws.basket[i].f[k];
            worst = i;
        }
    }
    return worst;
}

void StoreNadirAreas(WeightSpaceView& view, Workspace& ws, int k)
{
    if (k < 1 || k > 3)
        return;
    view.nadirAreas[k].clear();
    view.nadirAreas[k].reserve(ws.nadirAreaBases.size());
    for (const RecordYAC& base : ws.nadirAreaBases)
        view.nadirAreas[k].push_back(ComputeRegionPolygon(ws.numObjectives, base.ncolsYAC, base.YAC));
    ws.nadirAreaBases.clear();
    view.drawNadirAreas(k);
}

QString NadirValueText(Real value)
{
    if (value == 0)
        return QStringLiteral("0.000");
    const int digits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    if (digits > 6)
        return QString::number(static_cast<double>(value), 'E', 5);
    const Real unit = std::pow(10.0L, std::min(3, 6 - digits));
    return QString::number(static_cast<double>(std::nearbyint(value * unit) / unit), 'f', 3);
}
