#pragma once

#include "base/Notices.h"
#include "base/Progress.h"
#include "lp/LpEngine.h"

#include <functional>
#include <vector>

struct Workspace;
class ReportDocument;

// The exact nadir value of one objective k (its worst value over the
// efficient set), to within a tolerance, by an ascent through the efficient
// set. From the worst stored value w it asks the alternative-optima walk for
// the efficient bases that optimize f_k under f_k no better than w - tol;
// when there is one, a strictly positive weight vector inside its region
// (with the bound's column turned round, so that the region is that of the
// unbounded problem) gives by a weighted sum an efficient solution worse
// than w, and the ascent goes on from its value. When there is none, w is
// the nadir value.
//
// Method 1 (signedK = k > 0) lists every such basis; method 2 (signedK = -k)
// stops the walk at the first one and falls back to method 1 when that base
// gives no weight vector.

// Weight of objective k in the weights of FindPositiveWeights, and the
// margins of its program.
constexpr Real kNadirOwnWeight = 0.00001L;
constexpr Real kNadirWeightSum = 0.99999L;
// The tolerance in percent when nobody chose one.
constexpr Real kNadirDefaultErrorPct = 0.05L;

// max(|w| * errorPct / 100, 0.05): how much worse than w a value must be to
// count as worse.
Real NadirStepTolerance(Real w, Real errorPct);

// One step of the ascent as the report lists it.
struct NadirStep {
    int visitedBases = 0; // bases the walk examined
    int basesListed = 0;  // entries of nadirAreaBases
    Real w = 0;           // the value the step started from
};

// One step: fills ws.nadirAreaBases (and ws.currentAreaBase) with the
// efficient bases whose regions hold a value of f_k worse than w by the
// tolerance of ws.nadirErrorPct, and appends the step to `log` (when given)
// unless the bounded program was not solved. found: no such base (also
// when the bounded program is infeasible: then no feasible value is worse);
// ok: the walk worked (an infeasible bounded program counts as working).
// After another failure ok is false and found means nothing.
struct NadirArea {
    bool found = false;
    bool ok = false;
    Notices notices; // the walk's failure messages
};
[[nodiscard]] NadirArea FindNadirArea(Workspace& ws, LpEngine& engine, int signedK, Real w,
                                      std::vector<NadirStep>* log = nullptr);

// A strictly positive weight vector (the weight of k is 0.00001, the sum 1)
// that makes `base` optimal, into ws.sumWeights; false when there is none
// (the program is not solved to optimality), ws.sumWeights then unchanged.
[[nodiscard]] bool FindPositiveWeights(Workspace& ws, int k, const RecordYAC& base);

// The two ways to the exact nadir value: method 1 lists every basis whose
// region holds a worse value, method 2 follows one.
enum class NadirMethod { One, Two };

const char* toString(NadirMethod method);

enum class NadirEnd {
    Found,       // the value was recorded in nadirPoint / nadirSource
    Failed,      // the walk or a solve failed, or a solution was better than w: nothing recorded
    Cancelled,   // Cancel in the progress box: nothing recorded
    NotStarted,  // no objective k or an empty basket
};
const char* toString(NadirEnd end);

struct ExactNadirResult {
    NadirEnd end = NadirEnd::NotStarted;
    int objective = 0;
    Real value = 0;  // the worst value reached
    int source = 0;  // its basket index
    int computed = 0; // weighted sums solved
    bool fellBackToMethod1 = false;
    std::vector<NadirStep> log;
    Notices notices; // the closing ones: views, time and the closing box
};

struct ExactNadirOptions {
    // How the weights inside a listed base's region are found; a test can
    // put a finder here that fails where the program would not.
    std::function<bool(Workspace&, int, const RecordYAC&)> positiveWeights = FindPositiveWeights;
};

// The whole computation for objective |signedK|, with its boxes. Discards
// limitations first (with the information box). The report: when a
// solution was computed, `report` is rewritten (WriteReport, mode 0);
// then the lines of the nadir, of every step and of the total time are
// appended. Solutions found stay in the basket whatever the end. While it
// runs the progress's Cancel box shows the step, the bases visited and the
// worst value so far, and the messages on the way are told at once.
[[nodiscard]] ExactNadirResult ExactNadir(Workspace& ws, LpEngine& engine, Progress& progress, int signedK,
                                          ReportDocument& report,
                                          const ExactNadirOptions& options = ExactNadirOptions{});
