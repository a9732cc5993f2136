#pragma once

#include "base/Notices.h"
#include "workspace/Workspace.h"

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

// Indifference regions: the weights (lambda1..lambdap, summing to 1) for
// which a basis stays optimal for the weighted sum, as a polygon of the weight
// plane. Three objectives: x = lambda1, y = lambda2, inside the triangle
// (0,0), (1,0), (0,1). Two objectives: x = lambda1 on the segment [0, 1],
// y = 0. Any other objective count has no weight plane.

// The polygon of the weights with sum_k lambda_k YAC[k][j] >= 0 for every
// column j = 1..ncols; only rows 1..3 of YAC are read. Three objectives: the
// vertices in boundary order, and Numvertices <= 1 when the region is empty
// or a single point. Two objectives: always 2 vertices, left end first.
// Other objective counts: Numvertices 0.
UmaRegIndif ComputeRegionPolygon(int numObjectives, int ncols, const tipoYAC& YAC);

// Area in percent of the whole weight space (0..100).
Real RegionArea(int numObjectives, const UmaRegIndif& polygon);

// Whether two polygons share a side (three objectives: two vertices in
// common) or an end point (two objectives).
bool RegionsAdjacent(int numObjectives, const UmaRegIndif& a, const UmaRegIndif& b);

// The stored regions by the grid cells of their vertices, so that storing a
// region compares it only with the vertices near its own instead of with
// every stored region. Every pair of vertices within the tolerance lies in
// the same or in neighbouring cells, so counting the pairs found there gives
// what RegionsAdjacent counts, and the edges are the same. It follows the
// regions that StoreIndifferenceRegion stores when given the index; regions
// stored or removed behind its back make it rebuild itself from the
// workspace.
class RegionAdjacencyIndex {
public:
    // Brings the index up to date after region `r` was chained to the end
    // of the chain of `sol`. False when the chains are not well formed (a
    // region in two places, or an index out of range): the caller scans.
    bool follow(const Workspace& ws, int sol, int r);
    // The last region of the chain of `sol` before region `r` (just
    // appended to the store, not yet chained) is chained to it, when the
    // index follows the store; 0 when it does not know it.
    int lastRegion(const Workspace& ws, int sol, int r) const;
    // The solutions other than `sol` with a region that RegionsAdjacent
    // finds adjacent to `polygon`, in increasing order.
    void touching(int sol, const UmaRegIndif& polygon, std::vector<int>& found);

private:
    // A vertex of a stored region, with its coordinates rounded to double
    // for a first look; the exact test reads the stored region.
    struct Corner {
        double x = 0;
        double y = 0;
        std::int32_t region = 0;
        std::int32_t vertex = 0;
    };

    // The index is up to date with `ws` but for region r, its last one.
    bool nextRegion(const Workspace& ws, int r) const;
    void rebuild(const Workspace& ws);
    void add(int sol, int r, const UmaRegIndif& polygon);
    int vertexCount(const UmaRegIndif& polygon) const;
    bool indexable(const XY& v) const;
    std::uint64_t cellKey(const XY& v, int dx, int dy) const;

    const Workspace* ws_ = nullptr;
    int numObjectives_ = 0;
    int regionCount_ = 0;
    int basketCount_ = 0;
    bool valid_ = false;
    std::vector<std::int32_t> owner_;   // by region: its solution
    std::vector<std::int32_t> chainLength_; // by solution
    std::vector<std::int32_t> first_;       // by solution: its chain's first and last region
    std::vector<std::int32_t> last_;
    std::vector<std::int32_t> common_;  // by region: vertex pairs within the tolerance in this query
    std::vector<std::int32_t> counted_; // the regions whose count this query raised
    std::unordered_map<std::uint64_t, std::vector<Corner>> cells_;
};

// Computes the region of basket entry `sol` from its reduced-cost matrix and,
// when it is more than a point, appends it to ws.regions at the end of the
// chain of `sol`, then records an edge (i, sol) for every polygon of another
// stored solution i that touches it. `failed` tells that memory ran out (the
// caller's step ends there); `show` redraws the weight space and reports a
// memory failure in a box instead of the status line.
struct RegionStore {
    bool failed = false;
    Notices notices;
};
// With `index`, the touching polygons are found through it; `polygon`, when
// given, is ComputeRegionPolygon of the matrix, worked out before.
[[nodiscard]] RegionStore StoreIndifferenceRegion(Workspace& ws, int ncols, const tipoYAC& YAC, int sol, bool show,
                                                  RegionAdjacencyIndex* index = nullptr,
                                                  const UmaRegIndif* polygon = nullptr);
