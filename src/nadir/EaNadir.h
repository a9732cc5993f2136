#pragma once

#include "base/Notices.h"
#include "base/Progress.h"
#include "base/Notices.h"
#include "lp/LpEngine.h"
#include "workspace/Workspace.h"

#include <array>
#include <cstdint>
#include <vector>

class RandomGenerator;
class ReportDocument;

// An estimate of the nadir point by an evolutionary algorithm whose
// individuals are weight vectors: each is evaluated by the weighted sum with
// its weights, its efficient solution is stored in the basket, and
// nadirPoint moves whenever a solution is worse in some objective.
// Selection favours weight vectors whose solutions reach beyond the current
// estimate; crossover and mutation keep some weights switched off.

// A gene equal to this is switched off.
constexpr Real kEaOffGene = 0.0001L;
constexpr int kEaMaxPopulation = 200;

// The parameters of a run.
struct EaParameters {
    int popSize = 0;
    Real pm = 0.01L;
    int maxIter = 0;
    bool randomize = true;
    std::uint32_t seed = 1234;
    bool trace = false;
};

// The fields of the parameters dialog as typed.
struct EaParameterTexts {
    QString popSize;
    QString mutation;
    QString iterations;
    bool randomize = true;
    QString seed;
    bool trace = false; // write the trace file
};

// The dialog's fields at each opening for p objectives: 6p, 0.01, 10p,
// Randomize, seed 1234, no trace.
EaParameterTexts EaDefaultTexts(int p);
// The typed fields as parameters. A size above 200 warns and runs with 200;
// a field that is not a number shows "Invalid Numbers!"; a size below the
// number of objectives (every objective needs its elite place) is refused
// with its own message.
struct EaParametersResult {
    bool accepted = false;
    EaParameters parameters;
    Notices notices;
};
[[nodiscard]] EaParametersResult AcceptEaParameters(const EaParameterTexts& typed, int p);

using EaLambdas = std::array<Real, MaxObjectives + 1>; // [1..p]

struct EaIndividual {
    EaLambdas lambdas{};
    int indiceSB = 0;          // basket index of its solution, 0 = none
    Real fitness = -kInfiniteBound;
};

// The first population (individual i is element i-1): the p unit vectors
// with the other genes off, then random weights, each group of g = (size-p)
// div p with objective j's gene off, and the rest with one random gene off.
std::vector<EaIndividual> EaInitialPopulation(int p, int popSize, RandomGenerator& rng);

struct EaChildren {
    std::vector<EaLambdas> valid; // in the order made
    int discardedConvex = 0;      // same solution as both parents, nothing changed
    int discardedAllZero = 0;     // p-1 or more genes off
    int discardedNoZero = 0;      // no gene off
};
// One batch of population.size() children by crossover and mutation, each
// kept when it is new and has between 1 and p-2 genes off.
EaChildren EaMakeChildren(const std::vector<EaIndividual>& population, int p, Real pm, RandomGenerator& rng);

// The next population from the pool (children, then parents; every member
// evaluated): for each objective the holder of the worst value, then
// tournaments of two on the fitness. A holder of several worst values takes
// one elite place for each but leaves the pool once.
std::vector<EaIndividual> EaSelect(const Workspace& ws, std::vector<EaIndividual>& pool, int popSize,
                                   RandomGenerator& rng);

enum class EaEnd {
    Completed,
    Failed,     // an evaluation failed: its status was shown
    Cancelled,  // Cancel in the progress box
    NotStarted, // no problem, or the question before independent runs was answered No
};
const char* toString(EaEnd end);

struct EaRunResult {
    EaEnd end = EaEnd::NotStarted;
    SolveStatus status = SolveStatus::Optimal; // of the failed evaluation
    int runs = 0;                 // runs started
    int generations = 0;          // of the last run
    int evaluations = 0;          // weighted sums solved, all runs
    int validChildren = 0;        // of the last run
    int discardedConvex = 0;
    int discardedAllZero = 0;
    int discardedNoZero = 0;
    int lastImproving = 0;        // generation that last moved nadirPoint
    vectorObj startNadir{};       // nadirPoint before the (last) run
    Notices notices;              // the closing ones: time, trace, views, boxes
};

struct EaOptions {
    // Each evaluation starts from the basis of the one before (only the
    // objective changes); false solves every program afresh.
    bool warmStart = true;
    // Where the trace file goes when the parameters ask for one.
    QString traceDirectory;
};

// "Estimate the Nadir point (EA)" after its dialog: one run, the box
// "Estimate of Nadir point = (...)" and the report. Discards limitations
// first. A failed evaluation shows its status and ends the run with the
// report of what was done; Cancel ends it with nadirPoint as it was at the
// start. Solutions stored are kept either way. The progress's Cancel box
// shows the generations and its bar the generations done (over all runs of
// EaMultipleRuns); the messages on the way are told at once.
[[nodiscard]] EaRunResult EaEstimateNadir(Workspace& ws, LpEngine& engine, Progress& progress,
                                          const EaParameters& parameters, ReportDocument& report,
                                          const EaOptions& options = EaOptions{});

// How many basket solutions beyond the pay-off ones EaMultipleRuns would
// discard (0 when it would not run): the caller asks before that.
int EaRunsDiscardCount(const Workspace& ws);

// `runs` independent runs, each from the pay-off solutions (the rest of the
// basket is discarded: the caller has asked) and the pay-off estimate of
// the nadir point, run r seeded with seed + r - 1 unless randomized; a
// tabular report.
[[nodiscard]] EaRunResult EaMultipleRuns(Workspace& ws, LpEngine& engine, Progress& progress,
                                         const EaParameters& parameters, int runs, ReportDocument& report,
                                         const EaOptions& options = EaOptions{});

// The worst value of each objective over the feasible set (not only the
// efficient one), "UNBOUND." where there is none; nothing is stored.
// The returned notices tell that limitations were discarded.
[[nodiscard]] Notices WorstFeasibleValues(Workspace& ws, LpEngine& engine, ReportDocument& report);
