#include "solutions/Regions.h"

#include "solutions/Messages.h"
#include "solutions/Tolerances.h"

#include <array>
#include <algorithm>
#include <cmath>

namespace {

// The line a*x + b*y = c, or the half-plane a*x + b*y >= c of a cut.
struct Line {
    Real a = 0;
    Real b = 0;
    Real c = 0;
};

// A vertex of the polygon being clipped and the two lines through it.
// Neighbouring vertices share a line; the walk at the end uses that to put
// the vertices in boundary order.
struct WorkVertex {
    XY p;
    Line first;
    Line second;
};

// A vertex is removed at most once per cut and brings at most its two lines.
constexpr int kMaxLineList = 2 * MaxVertices;

using CutTable = std::array<Line, MaxYacCols + 1>;       // 1-based
using WorkPolygon = std::array<WorkVertex, MaxVertices + 1>; // 1-based

bool sameLine(const Line& l, const Line& m)
{
    return std::fabs(l.a - m.a) <= kGeometryEqualTol && std::fabs(l.b - m.b) <= kGeometryEqualTol &&
           std::fabs(l.c - m.c) <= kGeometryEqualTol;
}

bool samePoint(const XY& p, const XY& q)
{
    return std::fabs(p.x - q.x) <= kGeometryEqualTol && std::fabs(p.y - q.y) <= kGeometryEqualTol;
}

// Cuts of the columns, with the last weight eliminated (lambda3 = 1 - x - y,
// or lambda2 = 1 - x). A column without a cost difference leaves every
// weight alone.
int buildCuts(int numObjectives, int ncols, const tipoYAC& YAC, CutTable& cuts)
{
    int count = 0;
    for (int j = 1; j <= ncols; ++j) {
        Line cut;
        if (numObjectives == 3) {
            cut.a = YAC[1][j] - YAC[3][j];
            cut.b = YAC[2][j] - YAC[3][j];
            cut.c = -YAC[3][j];
            if (std::fabs(cut.a) < kGeometryEqualTol && std::fabs(cut.b) < kGeometryEqualTol &&
                std::fabs(cut.c) < kGeometryEqualTol)
                continue;
        } else {
            cut.a = YAC[1][j] - YAC[2][j];
            cut.b = 0;
            cut.c = -YAC[2][j];
            if (std::fabs(cut.a) < kGeometryEqualTol && std::fabs(cut.c) < kGeometryEqualTol)
                continue;
        }
        cuts[++count] = cut;
    }
    return count;
}

enum class CutOutcome { Unchanged, Applied, TooManyVertices };

// Intersects the polygon with one half-plane. The vertices outside go, and
// with them those on the cut line; every line of theirs that only one of
// them had is an edge that leaves the kept part, and its meeting point with
// the cut line is a new vertex. Nothing changes when the result would not
// fit in the polygon's storage.
CutOutcome applyCut(WorkPolygon& poly, int& count, const Line& cut)
{
    std::array<bool, MaxVertices + 1> removed{};
    bool anyOutside = false;
    for (int i = 1; i <= count; ++i) {
        const XY& p = poly[i].p;
        if (cut.c > cut.a * p.x + cut.b * p.y) {
            removed[i] = true;
            anyOutside = true;
        }
    }
    if (!anyOutside)
        return CutOutcome::Unchanged;
    int kept = count;
    for (int i = 1; i <= count; ++i) {
        const XY& p = poly[i].p;
        if (!removed[i] && std::fabs(cut.a * p.x + cut.b * p.y - cut.c) <= kGeometryEqualTol)
            removed[i] = true;
        if (removed[i])
            --kept;
    }

    std::array<Line, kMaxLineList> lines;
    int lineCount = 0;
    for (int i = 1; i <= count; ++i) {
        if (!removed[i])
            continue;
        lines[lineCount++] = poly[i].first;
        lines[lineCount++] = poly[i].second;
    }

    std::array<WorkVertex, kMaxLineList> added;
    int addedCount = 0;
    for (int l = 0; l < lineCount; ++l) {
        int copies = 0;
        for (int m = 0; m < lineCount; ++m)
            if (sameLine(lines[l], lines[m]))
                ++copies;
        if (copies != 1)
            continue; // both ends of this edge are gone
        const Line& side = lines[l];
        const Real det = cut.a * side.b - side.a * cut.b;
        // Only an exactly parallel pair has no meeting point. A tiny
        // determinant is not parallel: cut coefficients are reduced costs of
        // any scale, so no absolute threshold tells rounding from a small cost.
        if (det == 0)
            continue;
        WorkVertex& v = added[addedCount++];
        v.p.x = (cut.c * side.b - side.c * cut.b) / det;
        v.p.y = (cut.a * side.c - side.a * cut.c) / det;
        v.first = cut;
        v.second = side;
    }

    if (kept + addedCount > MaxVertices)
        return CutOutcome::TooManyVertices;

    int n = 0;
    for (int i = 1; i <= count; ++i)
        if (!removed[i])
            poly[++n] = poly[i];
    for (int k = 0; k < addedCount; ++k)
        poly[++n] = added[k];
    count = n;
    return CutOutcome::Applied;
}

// Folds coincident vertices into one: a vertex rebuilt from the cut line and
// its other side meets the copy that still has the side that was cut away.
// Returns the number of vertices kept.
int mergeCoincident(WorkPolygon& poly, int count)
{
    if (count < 2)
        return 1;
    int kept = 1;
    for (int i = 2; i <= count; ++i) {
        const WorkVertex v = poly[i];
        int j = 1;
        while (j <= kept && !samePoint(v.p, poly[j].p))
            ++j;
        if (j <= kept) {
            WorkVertex& r = poly[j];
            if (sameLine(v.first, r.first)) {
                r.first = v.second;
                continue;
            }
            if (sameLine(v.second, r.first)) {
                r.first = v.first;
                continue;
            }
            if (sameLine(v.first, r.second)) {
                r.second = v.second;
                continue;
            }
            if (sameLine(v.second, r.second)) {
                r.second = v.first;
                continue;
            }
        }
        poly[++kept] = v;
    }
    return kept;
}

// Follows the boundary from vertex 1 through the shared lines. A vertex that
// continues the walk always exists for a consistent polygon; when rounding
// leaves none, the walk ends with the vertices found so far instead of
// searching forever.
UmaRegIndif walkBoundary(const WorkPolygon& poly, int count)
{
    UmaRegIndif result;
    int current = 1;
    Line line = poly[1].first;
    result.vertices[1] = poly[1].p;
    int found = 1;
    while (found < count) {
        int next = 0;
        bool viaFirst = true;
        for (int s = 1; s <= count && next == 0; ++s)
            if (s != current && sameLine(poly[s].first, line))
                next = s;
        if (next == 0) {
            viaFirst = false;
            for (int s = 1; s <= count && next == 0; ++s)
                if (s != current && sameLine(poly[s].second, line))
                    next = s;
        }
        if (next == 0)
            break;
        result.vertices[++found] = poly[next].p;
        line = viaFirst ? poly[next].second : poly[next].first;
        current = next;
    }
    result.Numvertices = found;
    return result;
}

UmaRegIndif trianglePolygon(const CutTable& cuts, int cutCount)
{
    const Line sideX{1, 0, 0};   // x = 0
    const Line sideY{0, 1, 0};   // y = 0
    const Line sideSum{1, 1, 1}; // x + y = 1
    WorkPolygon poly{};
    poly[1] = WorkVertex{XY{0, 0}, sideX, sideY};
    poly[2] = WorkVertex{XY{1, 0}, sideY, sideSum};
    poly[3] = WorkVertex{XY{0, 1}, sideX, sideSum};
    int count = 3;

    // A region with more than MaxVertices corners cannot be stored. A cut
    // that would pass that count waits until the other cuts are in (they may
    // remove corners), and is left out if it still does not fit: the polygon
    // is then a consistent convex polygon that contains the exact region.
    std::array<int, MaxYacCols + 1> waiting{};
    int waitingCount = 0;
    for (int k = 1; k <= cutCount; ++k)
        if (applyCut(poly, count, cuts[k]) == CutOutcome::TooManyVertices)
            waiting[waitingCount++] = k;
    bool progress = true;
    while (waitingCount > 0 && progress) {
        progress = false;
        int still = 0;
        for (int w = 0; w < waitingCount; ++w) {
            if (applyCut(poly, count, cuts[waiting[w]]) == CutOutcome::TooManyVertices)
                waiting[still++] = waiting[w];
            else
                progress = true;
        }
        waitingCount = still;
    }

    if (count < 2) {
        // Empty, or a single point: nothing to walk.
        UmaRegIndif result;
        result.Numvertices = 1;
        if (count == 1)
            result.vertices[1] = poly[1].p;
        return result;
    }
    count = mergeCoincident(poly, count);
    return walkBoundary(poly, count);
}

UmaRegIndif segmentPolygon(const CutTable& cuts, int cutCount)
{
    Real x1 = 0;
    Real x2 = 1;
    for (int k = 1; k <= cutCount; ++k) {
        const Real a = cuts[k].a;
        const Real c = cuts[k].c;
        if (c > a * x1 && std::fabs(a) > kGeometryEqualTol)
            x1 = c / a;
        else if (c > a * x2 && std::fabs(a) > kGeometryEqualTol)
            x2 = c / a;
    }
    UmaRegIndif result;
    result.Numvertices = 2;
    result.vertices[1] = XY{x1, 0};
    result.vertices[2] = XY{x2, 0};
    return result;
}

Real distance(const XY& p, const XY& q) { return std::hypot(p.x - q.x, p.y - q.y); }

// Heron's formula; a flat triangle can give a slightly negative product.
Real triangleArea(const XY& p, const XY& q, const XY& r)
{
    const Real d1 = distance(p, q);
    const Real d2 = distance(q, r);
    const Real d3 = distance(r, p);
    const Real s = (d1 + d2 + d3) / 2;
    const Real product = s * (s - d1) * (s - d2) * (s - d3);
    return product > 0 ? std::sqrt(product) : 0;
}

} // namespace

UmaRegIndif ComputeRegionPolygon(int numObjectives, int ncols, const tipoYAC& YAC)
{
    if (numObjectives != 2 && numObjectives != 3)
        return UmaRegIndif{};
    if (ncols > MaxYacCols)
        ncols = MaxYacCols;
    CutTable cuts;
    const int cutCount = buildCuts(numObjectives, ncols, YAC, cuts);
    return numObjectives == 3 ? trianglePolygon(cuts, cutCount) : segmentPolygon(cuts, cutCount);
}

Real RegionArea(int numObjectives, const UmaRegIndif& polygon)
{
    // Contradicting cuts (possible only for the modified matrices of the
    // limitation and cone views) leave the ends crossed: an empty segment.
    if (numObjectives == 2)
        return std::max<Real>(0, (polygon.vertices[2].x - polygon.vertices[1].x) * 100);
    if (numObjectives != 3 || polygon.Numvertices <= 2)
        return 0;
    const int n = polygon.Numvertices < MaxVertices ? polygon.Numvertices : MaxVertices;
    Real sum = 0;
    for (int i = 2; i <= n - 1; ++i)
        sum += triangleArea(polygon.vertices[1], polygon.vertices[i], polygon.vertices[i + 1]);
    // The whole triangle has area 1/2.
    return sum * 200;
}

bool RegionsAdjacent(int numObjectives, const UmaRegIndif& a, const UmaRegIndif& b)
{
    if (numObjectives == 2) {
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 2; ++j)
                if (std::fabs(a.vertices[i].x - b.vertices[j].x) <= kAdjacencyTol)
                    return true;
        return false;
    }
    if (numObjectives != 3)
        return false;
    const int na = a.Numvertices < MaxVertices ? a.Numvertices : MaxVertices;
    const int nb = b.Numvertices < MaxVertices ? b.Numvertices : MaxVertices;
    int common = 0;
    for (int i = 1; i <= na; ++i)
        for (int j = 1; j <= nb; ++j)
            if (std::fabs(a.vertices[i].x - b.vertices[j].x) <= kAdjacencyTol &&
                std::fabs(a.vertices[i].y - b.vertices[j].y) <= kAdjacencyTol)
                ++common;
    return common >= 2;
}

namespace {

// Grid cells four times the adjacency tolerance wide: two vertices within
// the tolerance lie in the same or in neighbouring cells, whatever the
// rounding of the division. Far-away coordinates share the outermost cells.
constexpr Real kCellWidth = 4 * kAdjacencyTol;
constexpr std::int64_t kOutermostCell = std::int64_t{1} << 30;

std::int64_t cellOf(Real v)
{
    const Real c = std::floor(v / kCellWidth);
    if (c <= static_cast<Real>(-kOutermostCell))
        return -kOutermostCell;
    if (c >= static_cast<Real>(kOutermostCell))
        return kOutermostCell;
    return static_cast<std::int64_t>(c);
}

} // namespace

int RegionAdjacencyIndex::vertexCount(const UmaRegIndif& polygon) const
{
    // The vertices RegionsAdjacent compares.
    if (numObjectives_ == 2)
        return 2;
    if (numObjectives_ != 3)
        return 0;
    return std::min(polygon.Numvertices, MaxVertices);
}

bool RegionAdjacencyIndex::indexable(const XY& v) const
{
    // A coordinate that is not finite is within the tolerance of nothing.
    return std::isfinite(v.x) && (numObjectives_ == 2 || std::isfinite(v.y));
}

std::uint64_t RegionAdjacencyIndex::cellKey(const XY& v, int dx, int dy) const
{
    const std::int64_t cx = cellOf(v.x) + dx + (std::int64_t{1} << 31);
    const std::int64_t cy = (numObjectives_ == 2 ? 0 : cellOf(v.y)) + dy + (std::int64_t{1} << 31);
    return static_cast<std::uint64_t>(cx) << 32 | static_cast<std::uint64_t>(cy);
}

void RegionAdjacencyIndex::add(int sol, int r, const UmaRegIndif& polygon)
{
    owner_[static_cast<std::size_t>(r)] = sol;
    if (chainLength_[static_cast<std::size_t>(sol)]++ == 0)
        first_[static_cast<std::size_t>(sol)] = r;
    last_[static_cast<std::size_t>(sol)] = r;
    const int n = vertexCount(polygon);
    for (int i = 1; i <= n; ++i) {
        const XY& v = polygon.vertices[static_cast<std::size_t>(i)];
        if (indexable(v))
            cells_[cellKey(v, 0, 0)].push_back(
                Corner{static_cast<double>(v.x), static_cast<double>(v.y), static_cast<std::int32_t>(r),
                       static_cast<std::int32_t>(i)});
    }
}

void RegionAdjacencyIndex::rebuild(const Workspace& ws)
{
    ws_ = &ws;
    numObjectives_ = ws.numObjectives;
    regionCount_ = ws.regionCount;
    basketCount_ = ws.basketCount;
    cells_.clear();
    owner_.assign(static_cast<std::size_t>(regionCount_) + 1, 0);
    chainLength_.assign(static_cast<std::size_t>(basketCount_) + 1, 0);
    first_.assign(static_cast<std::size_t>(basketCount_) + 1, 0);
    last_.assign(static_cast<std::size_t>(basketCount_) + 1, 0);
    valid_ = true;
    for (int i = 1; i <= basketCount_; ++i) {
        int q = ws.basket[static_cast<std::size_t>(i)].indRegIndif;
        for (int steps = 0; q != 0 && steps < regionCount_; ++steps) {
            if (q < 1 || q > regionCount_ || owner_[static_cast<std::size_t>(q)] != 0) {
                valid_ = false;
                return;
            }
            add(i, q, ws.regions[static_cast<std::size_t>(q)].Regiao);
            q = ws.regions[static_cast<std::size_t>(q)].IndiceProx;
        }
        if (q != 0) {
            valid_ = false;
            return;
        }
    }
}

bool RegionAdjacencyIndex::nextRegion(const Workspace& ws, int r) const
{
    return &ws == ws_ && valid_ && numObjectives_ == ws.numObjectives && r == regionCount_ + 1 && r == ws.regionCount;
}

bool RegionAdjacencyIndex::follow(const Workspace& ws, int sol, int r)
{
    const bool inStep = nextRegion(ws, r) && ws.basketCount >= basketCount_ && sol >= 1 && sol <= ws.basketCount &&
                        ws.regions[static_cast<std::size_t>(r)].IndiceProx == 0;
    if (!inStep) {
        rebuild(ws);
        return valid_;
    }
    basketCount_ = ws.basketCount;
    chainLength_.resize(static_cast<std::size_t>(basketCount_) + 1, 0);
    first_.resize(static_cast<std::size_t>(basketCount_) + 1, 0);
    last_.resize(static_cast<std::size_t>(basketCount_) + 1, 0);
    if (chainLength_[static_cast<std::size_t>(sol)] == 0 && ws.basket[static_cast<std::size_t>(sol)].indRegIndif != r) {
        rebuild(ws);
        return valid_;
    }
    regionCount_ = r;
    owner_.resize(static_cast<std::size_t>(r) + 1, 0);
    add(sol, r, ws.regions[static_cast<std::size_t>(r)].Regiao);
    return true;
}

int RegionAdjacencyIndex::lastRegion(const Workspace& ws, int sol, int r) const
{
    // In step as follow() will find it, and the chain starts where it did.
    const bool inStep = nextRegion(ws, r) && sol >= 1 && sol <= basketCount_ &&
                        chainLength_[static_cast<std::size_t>(sol)] > 0 &&
                        ws.basket[static_cast<std::size_t>(sol)].indRegIndif == first_[static_cast<std::size_t>(sol)];
    return inStep ? last_[static_cast<std::size_t>(sol)] : 0;
}

namespace {

// Whether two coordinates are within the adjacency tolerance, decided in
// double where the rounding of both to double and of their difference
// cannot matter: 1 within, 0 not, -1 too close to tell.
int within(double a, double b)
{
    const double d = std::fabs(a - b);
    const double rounding = 1e-15 * (std::fabs(a) + std::fabs(b)) + 1e-9 * static_cast<double>(kAdjacencyTol);
    if (d > static_cast<double>(kAdjacencyTol) + rounding)
        return 0;
    return d < static_cast<double>(kAdjacencyTol) - rounding ? 1 : -1;
}

} // namespace

void RegionAdjacencyIndex::touching(int sol, const UmaRegIndif& polygon, std::vector<int>& found)
{
    found.clear();
    common_.resize(static_cast<std::size_t>(regionCount_) + 1, 0);
    const int n = vertexCount(polygon);
    const bool planar = numObjectives_ == 3;
    // The cells that can hold a vertex within the tolerance: those of the
    // ends of the interval around each coordinate, widened a little.
    const Real reach = kAdjacencyTol * Real(1.01L);
    for (int i = 1; i <= n; ++i) {
        const XY& v = polygon.vertices[static_cast<std::size_t>(i)];
        if (!indexable(v))
            continue;
        const double vx = static_cast<double>(v.x);
        const double vy = static_cast<double>(v.y);
        const std::int64_t x0 = cellOf(v.x - reach) - cellOf(v.x);
        const std::int64_t x1 = cellOf(v.x + reach) - cellOf(v.x);
        const std::int64_t y0 = planar ? cellOf(v.y - reach) - cellOf(v.y) : 0;
        const std::int64_t y1 = planar ? cellOf(v.y + reach) - cellOf(v.y) : 0;
        for (std::int64_t dx = x0; dx <= x1; ++dx)
            for (std::int64_t dy = y0; dy <= y1; ++dy) {
                const auto cell = cells_.find(cellKey(v, static_cast<int>(dx), static_cast<int>(dy)));
                if (cell == cells_.end())
                    continue;
                for (const Corner& corner : cell->second) {
                    const auto q = static_cast<std::size_t>(corner.region);
                    if (owner_[q] == sol)
                        continue;
                    const int inX = within(vx, corner.x);
                    const int inY = planar ? within(vy, corner.y) : 1;
                    if (inX == 0 || inY == 0)
                        continue;
                    if (inX < 0 || inY < 0) {
                        // The test of RegionsAdjacent on this pair.
                        const XY& w = ws_->regions[q].Regiao.vertices[static_cast<std::size_t>(corner.vertex)];
                        if (!(std::fabs(v.x - w.x) <= kAdjacencyTol)
                            || (planar && !(std::fabs(v.y - w.y) <= kAdjacencyTol)))
                            continue;
                    }
                    if (common_[q]++ == 0)
                        counted_.push_back(corner.region);
                }
            }
    }
    // Three objectives need two vertices in common, two objectives one end.
    const int needed = numObjectives_ == 3 ? 2 : 1;
    for (const std::int32_t q : counted_) {
        if (common_[static_cast<std::size_t>(q)] >= needed)
            found.push_back(owner_[static_cast<std::size_t>(q)]);
        common_[static_cast<std::size_t>(q)] = 0;
    }
    counted_.clear();
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
}

namespace {

void reportNoMemory(Notices& notices, bool show)
{
    if (show)
        notices.message(MsgKind::Warning, QString::fromLatin1(msg::kNoMemoryForRegionsBox));
    else
        notices.status(0, QString::fromLatin1(msg::kNoMemoryForRegionsStatus));
}

} // namespace

RegionStore StoreIndifferenceRegion(Workspace& ws, int ncols, const tipoYAC& YAC, int sol, bool show,
                                    RegionAdjacencyIndex* index, const UmaRegIndif* computed)
{
    RegionStore out;
    bool& failed = out.failed;
    const int p = ws.numObjectives;
    // Only the two- and three-objective problems have a weight plane to draw on.
    if ((p != 2 && p != 3) || sol < 1 || sol > ws.basketCount)
        return out;

    const UmaRegIndif polygon = computed != nullptr ? *computed : ComputeRegionPolygon(p, ncols, YAC);
    if (polygon.Numvertices <= 1) {
        out.notices.status(0, QString::fromLatin1(msg::kWeaklyEfficient).arg(sol));
        return out;
    }

    UmaOuMaisRegioes region;
    region.Regiao = polygon;
    region.AreaPolig = RegionArea(p, polygon);
    const int r = ws.appendRegion(region);
    if (r == 0) {
        failed = true;
        reportNoMemory(out.notices, show);
        return out;
    }
    ws.chainRegion(sol, r, index != nullptr ? index->lastRegion(ws, sol, r) : 0);

    if (show)
        out.notices.event(UiEvent::WeightSpaceChanged);

    // The solutions with a region that touches the new one, in increasing
    // order: from the index when it follows the store, else a scan of every
    // chain.
    std::vector<int> touching;
    if (index != nullptr && index->follow(ws, sol, r)) {
        index->touching(sol, polygon, touching);
    } else {
        for (int i = 1; i <= ws.basketCount; ++i) {
            if (i == sol)
                continue;
            int q = ws.basket[i].indRegIndif;
            for (int steps = 0; q != 0 && steps < ws.regionCount; ++steps, q = ws.regions[q].IndiceProx)
                if (RegionsAdjacent(p, polygon, ws.regions[q].Regiao)) {
                    touching.push_back(i);
                    break;
                }
        }
    }
    // An edge stored before is stored again (a no-op that asks for the
    // redraw) only while no edge of this region has asked for it.
    bool edgeAdded = false;
    for (const int i : touching) {
        if (edgeAdded && ws.hasEdge(i, sol))
            continue;
        if (!ws.appendEdge(i, sol)) {
            failed = true;
            reportNoMemory(out.notices, show);
            break;
        }
        edgeAdded = true;
    }
    if (edgeAdded)
        out.notices.event(UiEvent::BasketChartChanged);
    return out;
}
