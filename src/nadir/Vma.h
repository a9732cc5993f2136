#pragma once

#include "base/Notices.h"
#include "base/Progress.h"
#include "lp/LpEngine.h"

struct Workspace;
struct AssembledSolution;
class RegionAdjacencyIndex;
class SolutionLookup;

// The vector maximum approach: every efficient vertex of the problem, found
// by walking from the optimum of the equally weighted sum through efficient
// nonbasic variables to adjacent efficient bases, each vertex stored in the
// Solution Basket with one indifference region per efficient basis (two or
// three objectives). Limitations on the objectives are not used.

// The walk stops once its list holds this many bases.
constexpr int kVmaMaxBases = 10000;

struct VmaOptions {
    int maxBases = kVmaMaxBases;
    // Derive a basis from the one that found it by one pivot while that
    // one's read-back is kept; false evaluates every basis afresh, as the
    // reference the pivots are checked against.
    bool pivotFromParent = true;
    // Pivots in a row before a basis is evaluated afresh, to bound rounding.
    // Derived values differ from those of fresh evaluations by as little
    // at 64 as at 24: on the bench's degenerate 3x100x101 problem mostly
    // below 1e-13 relative, at most 6e-10.
    int maxPivotChain = 64;
    // Work out the read-backs and efficiency tests of the bases ahead on a
    // second thread (when the machine has two), in batches from this list
    // entry on: a short walk would spend more on the second thread's tables
    // and on waking it than it saves. false does all on one. The walk is the
    // same either way.
    bool parallel = true;
    int batchesFrom = 1024;
};

enum class VmaEnd {
    Completed,   // every basis found was examined
    NotStarted,  // the starting solve failed (its message is in the notices); nothing stored
    LimitReached,
    Cancelled,   // Cancel in the progress box
    OutOfMemory, // storing a solution, a region or a basis ran out of memory
    Halted,      // the efficient-variable procedure failed (its message was told)
};
const char* toString(VmaEnd end);

struct VmaResult {
    VmaEnd end = VmaEnd::NotStarted;
    SolveStatus startStatus = SolveStatus::Other;
    int basesFound = 0;
    int basesExamined = 0;  // bases of the list taken out and tested, the starting one included
    int verticesStored = 0; // new basket entries of this run
    int basketCount = 0;    // the whole basket after the run
    int derivedByPivot = 0; // bases whose read-back came from a pivot
    double seconds = 0;
    bool walked = false;    // the walk ran: the caller shows the basket windows, then the notices
    Notices notices;        // the closing ones: the views and the closing box
    bool stopped() const { return end != VmaEnd::Completed && end != VmaEnd::NotStarted; }
};

// The "VMA-Vector Maximum Approach" command after its question: builds the
// equally weighted sum over the problem rows (no limitation rows), solves
// it, stores its vertex and walks. A failed starting solve gives its status
// message and stores nothing. While it runs the progress's Cancel box shows
// the bases found and examined and the vertices stored, and what each store
// has to say is told at once; Cancel, the limit of bases, running out of
// memory and a failure of the efficient-variable procedure all stop the
// walk and keep what was stored. At the end (the result's notices): elapsed
// time, the basket windows refreshed, and the closing box "VMA has computed
// N eficient vertex solutions" (N the whole basket), with a second line when
// the walk was stopped early. The caller shows the basket windows first.
[[nodiscard]] VmaResult RunVma(Workspace& ws, LpEngine& engine, Progress& progress,
                               const VmaOptions& options = VmaOptions{});

// "Contracted VMA" of the ICW method (second iteration on): every
// efficient vertex that the contracted cone of criteria can reach, walking
// from the optimum of the first ICW weight vector over the cone objectives
// through the bases efficient for the cone. Each vertex goes to the basket
// (with its region in the problem's weight space) and to the ICW lists
// (with its region in the cone's own weights), after the first vector's
// entry. Progress box, Cancel, limit and failures as RunVma; the closing
// box is "N vertex eficient solutions were found".
[[nodiscard]] VmaResult RunContractedVma(Workspace& ws, LpEngine& engine, Progress& progress,
                                         const VmaOptions& options = VmaOptions{});

struct VertexStore {
    int index = 0;        // basket index, 0 when storing failed
    bool isNew = false;   // a new basket entry
    bool stop = false;    // memory ran out (solution or region)
    Notices notices;      // the store's status texts and redraws
};
// Stores the read-back solution of `lp` (AssembleSolution) with its basis
// and, for a new basis with two or three objectives, the region of `yac`.
// Store messages go to the status bar only; no history record, no report.
// A walk passes its `regions` index and its `solutions` lookup to every call,
// and the solution and the region's polygon when it has worked them out
// already.
[[nodiscard]] VertexStore StoreVertex(Workspace& ws, const LpTables& lp, const RecordYAC& yac,
                                      RegionAdjacencyIndex* regions = nullptr, SolutionLookup* solutions = nullptr,
                                      const UmaRegIndif* polygon = nullptr,
                                      const AssembledSolution* assembled = nullptr);
