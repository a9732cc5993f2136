#include "workspace/Workspace.h"

#include "base/ListGrowth.h"

#include <QFileInfo>

#include <algorithm>
#include <cassert>
#include <unordered_set>
#include <utility>

namespace {

// An index into the basket after entry k was removed: 0 for k itself.
std::int32_t renumbered(std::int32_t index, int k)
{
    if (index == k)
        return 0;
    return index > k ? index - 1 : index;
}

bool inRange(std::int32_t index, int last) { return index >= 0 && index <= last; }

// The pair of solutions an edge joins, in either order.
std::uint64_t pairKey(std::int32_t sol1, std::int32_t sol2)
{
    const auto [low, high] = std::minmax(sol1, sol2);
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(low)) << 32) | static_cast<std::uint32_t>(high);
}

// The edges without a repeated pair (in either order), first one kept.
std::vector<UmaAresta> distinctEdges(const std::vector<UmaAresta>& edges)
{
    std::vector<UmaAresta> kept(1);
    std::unordered_set<std::uint64_t> seen;
    for (std::size_t e = 1; e < edges.size(); ++e)
        if (seen.insert(pairKey(edges[e].Sol1, edges[e].Sol2)).second)
            kept.push_back(edges[e]);
    return kept;
}

bool edgesDistinct(const std::vector<UmaAresta>& edges)
{
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(edges.size());
    for (std::size_t e = 1; e < edges.size(); ++e)
        pairs.push_back(std::minmax(edges[e].Sol1, edges[e].Sol2));
    std::sort(pairs.begin(), pairs.end());
    return std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end();
}

} // namespace

StoredBasis StoredBasisOf(const vectorResEB_Int& basis)
{
    int length = 0;
    while (length < MaxBasic && basis[static_cast<std::size_t>(length) + 1] != 0)
        ++length;
    return StoredBasis(basis, length);
}

// ---------------------------------------------------------------------------
// SolutionStore

SolutionStore::SolutionStore()
    : basket(1), regions(1), edges(1)
{
}

bool SolutionStore::isConsistent() const
{
    if (basket.size() != static_cast<std::size_t>(basketCount) + 1
        || regions.size() != static_cast<std::size_t>(regionCount) + 1
        || edges.size() != static_cast<std::size_t>(edgeCount) + 1
        || history.size() != static_cast<std::size_t>(historyCount) || historyCount > MaxHistory)
        return false;
    // Each region is on at most one chain, and following a chain ends.
    std::vector<bool> onChain(regions.size(), false);
    for (int s = 1; s <= basketCount; ++s) {
        if (basket[s].vbs.empty())
            return false;
        for (const StoredBasis& basis : basket[s].vbs)
            if (basis.size() > MaxBasic + 1)
                return false;
        for (std::int32_t r = basket[s].indRegIndif; r != 0; r = regions[r].IndiceProx) {
            if (!inRange(r, regionCount) || onChain[r])
                return false;
            onChain[r] = true;
        }
    }
    for (int r = 1; r <= regionCount; ++r)
        if (!inRange(regions[r].IndiceProx, regionCount) || !inRange(regions[r].Regiao.Numvertices, MaxVertices))
            return false;
    for (int e = 1; e <= edgeCount; ++e)
        if (edges[e].Sol1 < 1 || edges[e].Sol1 > basketCount || edges[e].Sol2 < 1 || edges[e].Sol2 > basketCount)
            return false;
    if (!edgesDistinct(edges))
        return false;
    for (const ComputedSolution& record : history)
        if (!inRange(record.basketIndex, basketCount))
            return false;
    return true;
}

void SolutionStore::indexEdges()
{
    edgePairs_.clear();
    for (int e = 1; e <= edgeCount; ++e)
        edgePairs_.insert(pairKey(edges[e].Sol1, edges[e].Sol2));
}

void SolutionStore::checkInDebug() const { assert(isConsistent()); }

void SolutionStore::clearSolutions()
{
    // Keep the placeholder element 0 of each list, and give back the memory
    // of a large enumeration.
    basket.assign(1, SolSolutionBasket{});
    basket.shrink_to_fit();
    regions.assign(1, UmaOuMaisRegioes{});
    regions.shrink_to_fit();
    edges.assign(1, UmaAresta{});
    edges.shrink_to_fit();
    basketCount = regionCount = edgeCount = 0;
    edgePairs_.clear();
    for (ComputedSolution& record : history)
        record.basketIndex = 0;
    checkInDebug();
}

int SolutionStore::appendSolution(SolSolutionBasket entry)
{
    if (!TryGrowList(basket, static_cast<std::size_t>(basketCount) + 2))
        return 0;
    if (entry.vbs.empty())
        entry.vbs.assign(1, StoredBasis{});
    basketCount = basketCount + 1;
    basket[basketCount] = std::move(entry);
    checkInDebug();
    return basketCount;
}

int SolutionStore::appendRegion(const UmaOuMaisRegioes& region)
{
    if (!TryGrowList(regions, static_cast<std::size_t>(regionCount) + 2))
        return 0;
    regionCount = regionCount + 1;
    regions[regionCount] = region;
    regions[regionCount].IndiceProx = 0;
    checkInDebug();
    return regionCount;
}

void SolutionStore::chainRegion(int sol, int r, int last)
{
    // The chain keeps the order in which the bases were found. Its length is
    // bounded by regionCount, which also stops a damaged chain from looping.
    if (basket[sol].indRegIndif == 0) {
        basket[sol].indRegIndif = r;
    } else {
        if (last < 1 || last > regionCount || last == r || regions[last].IndiceProx != 0) {
            last = basket[sol].indRegIndif;
            for (int steps = 0; regions[last].IndiceProx != 0 && steps < regionCount; ++steps)
                last = regions[last].IndiceProx;
        }
        regions[last].IndiceProx = r;
    }
    checkInDebug();
}

bool SolutionStore::hasEdge(int sol1, int sol2) const { return edgePairs_.count(pairKey(sol1, sol2)) != 0; }

bool SolutionStore::appendEdge(int sol1, int sol2)
{
    // Two solutions may touch along several pairs of their polygons; the
    // edge between them is one all the same, and a results file holds no
    // more edges than pairs of regions.
    const std::uint64_t key = pairKey(sol1, sol2);
    if (edgePairs_.count(key) != 0)
        return true;
    if (!TryGrowList(edges, static_cast<std::size_t>(edgeCount) + 2))
        return false;
    edgePairs_.insert(key);
    edgeCount = edgeCount + 1;
    edges[edgeCount].Sol1 = sol1;
    edges[edgeCount].Sol2 = sol2;
    checkInDebug();
    return true;
}

void SolutionStore::eraseSolution(int k)
{
    basket.erase(basket.begin() + k);
    basketCount = basketCount - 1;
    for (ComputedSolution& record : history)
        record.basketIndex = renumbered(record.basketIndex, k);
    // An edge names two solutions with regions, which are never removed;
    // one that names k all the same goes with it.
    int kept = 0;
    for (int e = 1; e <= edgeCount; ++e) {
        UmaAresta edge = edges[e];
        if (edge.Sol1 == k || edge.Sol2 == k)
            continue;
        edge.Sol1 = renumbered(edge.Sol1, k);
        edge.Sol2 = renumbered(edge.Sol2, k);
        edges[++kept] = edge;
    }
    edges.resize(static_cast<std::size_t>(kept) + 1);
    edgeCount = kept;
    indexEdges();
    checkInDebug();
}

void SolutionStore::truncate(int solutions)
{
    basket.resize(static_cast<std::size_t>(solutions) + 1);
    basketCount = solutions;
    // The polygons of the kept chains, renumbered in their order; the others
    // go with their solutions, so that none is left on no chain.
    std::vector<std::int32_t> newIndex(regions.size(), 0);
    for (int s = 1; s <= solutions; ++s) {
        std::int32_t r = basket[s].indRegIndif;
        for (int steps = 0; r >= 1 && r <= regionCount && steps < regionCount; ++steps) {
            newIndex[r] = 1;
            r = regions[r].IndiceProx;
        }
    }
    int keptRegions = 0;
    for (int r = 1; r <= regionCount; ++r)
        if (newIndex[r] != 0) {
            newIndex[r] = ++keptRegions;
            regions[keptRegions] = regions[r];
        }
    regions.resize(static_cast<std::size_t>(keptRegions) + 1);
    regionCount = keptRegions;
    for (int r = 1; r <= keptRegions; ++r)
        regions[r].IndiceProx = newIndex[regions[r].IndiceProx];
    for (int s = 1; s <= solutions; ++s)
        basket[s].indRegIndif = newIndex[basket[s].indRegIndif];
    int kept = 0;
    for (int e = 1; e <= edgeCount; ++e)
        if (edges[e].Sol1 <= solutions && edges[e].Sol2 <= solutions)
            edges[++kept] = edges[e];
    edges.resize(static_cast<std::size_t>(kept) + 1);
    edgeCount = kept;
    indexEdges();
    for (ComputedSolution& record : history)
        if (record.basketIndex > solutions)
            record.basketIndex = 0;
    checkInDebug();
}

void SolutionStore::replace(std::vector<SolSolutionBasket> newBasket, std::vector<UmaOuMaisRegioes> newRegions,
                            std::vector<UmaAresta> newEdges)
{
    basketCount = static_cast<std::int32_t>(newBasket.size()) - 1;
    regionCount = static_cast<std::int32_t>(newRegions.size()) - 1;
    basket = std::move(newBasket);
    regions = std::move(newRegions);
    // Files written before edges were kept once per pair may repeat one.
    edges = distinctEdges(newEdges);
    edgeCount = static_cast<std::int32_t>(edges.size()) - 1;
    indexEdges();
    for (ComputedSolution& record : history)
        if (record.basketIndex > basketCount)
            record.basketIndex = 0;
    checkInDebug();
}

void SolutionStore::pushHistory(const ComputedSolution& record)
{
    history.push_front(record);
    while (static_cast<int>(history.size()) > MaxHistory)
        history.pop_back();
    historyCount = static_cast<std::int32_t>(history.size());
    checkInDebug();
}

void SolutionStore::clearHistory()
{
    history.clear();
    history.shrink_to_fit();
    historyCount = 0;
}

// ---------------------------------------------------------------------------
// MethodState

const char* toString(MethodKind method)
{
    switch (method) {
    case MethodKind::None: return "None";
    case MethodKind::Stem: return "Stem";
    case MethodKind::ParetoRace: return "ParetoRace";
    case MethodKind::Icw: return "Icw";
    }
    return "?";
}

void MethodState::resetIcwVectors(int count)
{
    icwCount = count;
    if (count == 0) {
        icwSolutions.clear();
        icwRegions.clear();
    } else {
        icwSolutions.assign(static_cast<std::size_t>(count) + 1, 0);
        icwRegions.assign(static_cast<std::size_t>(count) + 1, UmaRegIndif{});
    }
    assert(icwConsistent());
}

void MethodState::keepIcwVectors(int count)
{
    icwSolutions.resize(static_cast<std::size_t>(count) + 1);
    icwRegions.resize(static_cast<std::size_t>(count) + 1);
    icwCount = count;
    assert(icwConsistent());
}

void MethodState::appendIcwVector(std::int32_t solution, const UmaRegIndif& region)
{
    if (icwSolutions.empty()) {
        icwSolutions.assign(1, 0);
        icwRegions.assign(1, UmaRegIndif{});
    }
    icwSolutions.push_back(solution);
    icwRegions.push_back(region);
    icwCount = icwCount + 1;
    assert(icwConsistent());
}

bool MethodState::icwConsistent() const
{
    const std::size_t lists = icwCount == 0 ? 0 : static_cast<std::size_t>(icwCount) + 1;
    return icwCount >= 0 && icwSolutions.size() == lists && icwRegions.size() == lists;
}

// ---------------------------------------------------------------------------
// Workspace

Workspace::Workspace() = default;
Workspace::~Workspace() = default;

bool Workspace::isConsistent() const
{
    if (!SolutionStore::isConsistent() || !icwConsistent())
        return false;
    for (int k = 1; k <= MaxObjectives; ++k)
        if (!inRange(payoff[k].basketIndex, basketCount) || !inRange(nadirSource[k], basketCount))
            return false;
    for (std::size_t a = 1; a < icwSolutions.size(); ++a)
        if (!inRange(icwSolutions[a], basketCount))
            return false;
    return true;
}

QString DefaultObjectiveName(int k) { return QStringLiteral("F%1").arg(k); }
QString DefaultVariableName(int j) { return QStringLiteral("X%1").arg(j); }

QString SlackNameFor(std::uint8_t conType, int row)
{
    switch (conType) {
    case ConEqual: return QStringLiteral("t%1").arg(row);
    case ConGreaterEqual: return QStringLiteral("S%1").arg(row);
    default: return QStringLiteral("s%1").arg(row);
    }
}

void RebuildSlackNames(ProblemData& problem)
{
    for (int i = 1; i <= problem.numConstraints && i <= MaxConstraints; ++i)
        problem.slackName[i] = SlackNameFor(problem.conType[i], i);
}

QString ProblemNameOf(const QString& fileName)
{
    QString name = QFileInfo(fileName).fileName();
    // Drop the extension (".mlp", ".mps"), but keep dots inside the name:
    // "case.a.mlp" is the problem "case.a".
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.size() - dot <= 4)
        name.truncate(dot);
    return name;
}

void ResetProblem(Workspace& ws)
{
    ws.fileName = QStringLiteral("Untitled");
    ResetProblemData(ws);
}

void ResetProblemData(ProblemData& ws)
{
    for (auto& row : ws.conCoef)
        row.fill(0);
    for (auto& row : ws.objCoef)
        row.fill(0);
    ws.conRhs.fill(0);
    ws.conType.fill(ConLessEqual);
    ws.objSense.fill(1);
    for (int j = 1; j <= MaxVariables; ++j)
        ws.vars[j] = VariableDef{0, kInfiniteBound, DefaultVariableName(j)};
}

void InitWorkspace(Workspace& ws)
{
    ResetProblem(ws);
    InitPalettes(ws.basketPalette, ws.raceColors);
    ws.viewLastN = 1;
    ClearHistory(ws);
    ws.normFactor.fill(1);
    ws.clearSolutions();
}

void ClearSolutionStore(Workspace& ws)
{
    ws.clearSolutions();
    ws.alternativeCount = 0;
    ws.alternatives.clear();
    ws.visitedBases = 0;
    ws.bestEdgeStep = 0;
    ws.bestEdgeAlternative = -1;
}

void ClearLimitationValues(Workspace& ws)
{
    for (int k = 1; k <= ws.numObjectives && k <= MaxObjectives; ++k) {
        ws.limitOn[k] = false;
        ws.limitValue[k] = 0;
    }
    ws.limitsActive = false;
}

void ClearHistory(Workspace& ws)
{
    ws.clearHistory();
}

void ResetComputedState(Workspace& ws)
{
    ws.problemName = ProblemNameOf(ws.fileName);
    RebuildSlackNames(ws);
    for (int k = 1; k <= MaxObjectives; ++k) {
        ws.payoff[k].f.fill(kNotComputed);
        ws.payoff[k].f[0] = 0;
        ws.payoff[k].basketIndex = 0;
        ws.currentF[k] = kNotComputed;
        ws.nadirSource[k] = 0;
    }
    ws.payoffComputed = false;
    ws.currentLpColumns = 0;
    ws.currentRefRows = 0;
    ws.lastColor = kNoColor;
    ws.paletteIndex = 0;
    ws.guardaTodasSols = false;
    ClearHistory(ws);
    ClearSolutionStore(ws);
    const int p = ws.numObjectives;
    for (int k = 1; k <= p && k <= MaxObjectives; ++k) {
        ws.AxisLow[k] = kNotComputed;
        ws.AxisHigh[k] = kNotComputed;
        ws.pickedWeights[k] = kNotComputed;
    }
    ws.UserAxisBounds = false;
    ws.ValuesSortKey = 0;
    ws.ValuesSortAscending = true;
    ws.GraphSortKey = 0;
    ws.GraphSortAscending = true;
    ClearLimitationValues(ws);
    ws.weightSpace3 = (p == 3);
    ws.weightSpace2 = (p == 2);
    ws.activeMethod = MethodKind::None;
    ws.raceObjective = 0;
    ws.resetIcwVectors(0);
    ws.contractedSpace.Numvertices = 0;
}
