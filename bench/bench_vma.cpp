// The whole vector maximum approach (pay-off table, then the walk) on
// generated problems of 3 objectives with 30x30, 50x50 and 100x101 (constraints x
// variables), 4 objectives with 60x60, and on the 3x99x101 test instance
// whose 487 nondominated vertices a Benson-type vector LP solver on GLPK
// finds in 0.65 s on these 2-core machines. Each run reports its time, the
// bases examined, bases per second and the vertices stored, with every basis
// derived by one pivot from its parent ("pivot") or evaluated afresh
// ("evaluate", the reference). Times and rates are wall-clock: a long
// walk works on two threads.
//
// The instance is read from ../shared/testdata/molp beside the repository,
// or from the file named by QUILVANE_VMA_FILE.

#include "base/Progress.h"
#include "nadir/Vma.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"
#include "solutions/Payoff.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

QString instancePath()
{
    if (const char* path = std::getenv("QUILVANE_VMA_FILE"))
        return QString::fromLocal8Bit(path);
    const QDir repo = QFileInfo(QStringLiteral(__FILE__)).dir();
    return QDir::cleanPath(repo.filePath(QStringLiteral("../../shared/testdata/molp/vma_q3_m99_n101.mlp")));
}

void runWhole(benchmark::State& state, const std::function<std::unique_ptr<Workspace>()>& load, bool pivot)
{
    auto engine = std::make_unique<LpEngine>();
    NoProgress progress; // benchmarks show nothing
    VmaOptions options;
    options.pivotFromParent = pivot;
    VmaResult last;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Workspace> ws = load();
        state.ResumeTiming();
        if (ComputePayoff(*ws, *engine, progress).status != SolveStatus::Optimal) {
            state.SkipWithError("the pay-off table failed");
            return;
        }
        last = RunVma(*ws, *engine, progress, options);
    }
    state.counters["bases_examined"] = last.basesExamined;
    state.counters["bases_found"] = last.basesFound;
    state.counters["bases_per_s"] = benchmark::Counter(last.basesExamined, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["vertices"] = last.basketCount;
    state.counters["walk_s"] = last.seconds;
    state.counters["derived"] = last.derivedByPivot;
    state.counters["completed"] = last.end == VmaEnd::Completed ? 1 : 0;
}

void BM_VmaGenerated(benchmark::State& state)
{
    RandomProblemSpec shape;
    shape.objectives = static_cast<int>(state.range(0));
    shape.constraints = static_cast<int>(state.range(1));
    shape.variables = static_cast<int>(state.range(2));
    const bool pivot = state.range(3) != 0;
    runWhole(state, [&shape] { return makeRandomProblem(5001u, shape); }, pivot);
}

void BM_VmaInstance(benchmark::State& state)
{
    const QString path = instancePath();
    auto load = [&path]() {
        auto ws = std::make_unique<Workspace>();
        InitWorkspace(*ws);
        ReadProblemFile(path, *ws);
        ws->fileName = path;
        ResetComputedState(*ws);
        return ws;
    };
    if (load()->numVariables == 0) {
        state.SkipWithError("instance file not found");
        return;
    }
    runWhole(state, load, state.range(0) != 0);
}

} // namespace

// Arguments: objectives, constraints, variables, pivot (1) or evaluate (0).
// 2026-12-09, this 2-core machine shared with three other builds (load average about 4, so
// wall time is about twice CPU time), RelWithDebInfo; bases/s are per CPU second:
//   3x30x30: 700 bases, 272 vertices; 53 ms CPU with pivots (13200 bases/s), 91 ms evaluating.
//   3x100x101: stops at the 10000-basis limit after 8918 bases (3095 vertices), 9.4 s CPU,
//     about 950 bases/s; the efficiency tests and the region adjacency scan of the basket
//     (quadratic in the vertices stored) take most of it.
// 2026-12-10, load average below 1, the walk alone: with the region grid index and the
// label exchange's single block, 3x100x101 takes 6.6 s (1350 bases/s, was 10.2 s); the
// per-column programs of the efficiency test (27%), the fresh evaluations of bases whose
// parent was not kept (20%) and the label exchange (25%) take most of it.
// 2026-12-10, load average about 2.5, RelWithDebInfo, min of 3 alternating whole runs of
// quilvane-batch: with the label exchange stopping a cycle of undecided rounds and the per-column
// programs of one basis sharing their common pivots, 3x100x101 takes 4.2 s CPU (2130 bases/s, was
// 6.4 s and 1380 bases/s); the fresh evaluations of bases whose parent was not kept now take the
// largest part (forward transforms 27%), then the label exchange (19%) and the reduced costs (11%).
//   4x60x60: stops at the limit after 6463 bases (1811 vertices), 2.9 s CPU, 2200 bases/s.
//   vma_q3_m99_n101.mlp, pay-off table and walk: 487 bases, 487 vertices (every basis a vertex),
//     126 ms CPU (253 ms wall under that load) with pivots, 3900 bases/s; 290 ms CPU evaluating
//     every basis. The peer solver's 0.65 s is wall time on an idle machine: about 5 times ours.
// 2026-12-10, load average about 1.8, min of 3 alternating whole runs of quilvane-batch, every
// result file byte-identical: with the tableau columns transformed through the ETA file read by
// rows (each entry summed in a register, stored once), the program's scale set up once, the
// basic costs of the reduced costs looked up once and pivots done row by row, 3x100x101 takes
// 3.07 s CPU (2900 bases/s, was 4.06 s and 2200 bases/s), 3x50x50 (seed 7) 0.79 s (was 0.96 s).
// The forward transforms (27%, now bound by long double loads), the label exchange (20%), the
// derived read-backs (9%) and the per-column programs (8%) take most of it.
// 2026-12-10, load average below 1, RelWithDebInfo, min of 3 alternating whole runs of
// quilvane-batch (user CPU) against the build before these changes (a66b01e); every basket, its
// order, its regions and its edges as before; exported values moved by as much as a derived
// value differs from a fresh evaluation's (mostly 1e-15 to 1e-13 of the largest, at most a
// few 1e-10), as the rows of z - c are now carried along the pivots and kept tableaus are
// pivoted in double:
//   instance (generator)     bases   vertices   before    now    walk bases/s (bench)
//   3x30x30 seed 5001           700       272     0.02    0.01    40000
//   3x30x30 seed 7             7605       502     0.37    0.20    38500
//   3x30x30 seed 9             3933       492     0.17    0.10    38000
//   3x50x50 seed 7             9608      1957     0.78    0.39    24000 (all its bases)
//   3x50x50 seed 6      limit 10000      2153     0.90    0.43    23700 (all its bases: 0.57 s)
//   3x70x70 seed 7      limit 10000      1801     1.00    0.48    16800
//   3x100x101 seed 5001 limit 10000      3095     3.04    0.88    10400 examined, 12100 found
//   4x60x60 seed 5001                            1.06    0.40
//   5x40x40 seed 11                              0.74    0.27
// Bases per second fall with the tableau's size (rows x columns): the work per basis is the
// pivots of its read-back and the efficiency tests of its nonbasic columns.
// What changed the most: the label exchange hands its columns to the per-column programs at its
// first round without a decision (it stalled in 98% of the bases, after 32 rounds on average,
// and took 30% of the time), the small tableaus of the tests are pivoted in double, 64 pivots
// in a row instead of 24 and 256 MB of kept read-backs (fresh evaluations fell from 27% of the
// time to under 1%), the rows of z - c are carried along the pivots, a derived tableau is
// filled only where it is read until the basis is kept, kept tableaus are held and pivoted in
// double, and the duplicate test of the basket goes through a lookup.
// Now on 3x100x101: the efficiency tests 40% (the per-column programs most of it), the ratio
// tests 7%, the kept read-backs' tableaus 7%, the regions and their adjacency 12%.
// With max-bases=1000000, 3x100x101 stores all 11903 vertices in 47 s (1.06 GB at most; it did
// not end within 35 CPU minutes before). With 256 MB of kept read-backs it took 53 s; beyond
// 512 MB nothing changes (1 GB: 48 s): the fresh evaluations left (over a quarter of the time)
// are those of bases at the end of a chain of 64 pivots or whose pivot is too small.
// 2026-12-10 (later), load average about 1.3 on this 2-core machine, Release builds (the
// README's), min of 3 alternating whole runs of quilvane-batch F payoff vma, against the build
// of the table above (397acb4); every export of the 32 problems as before but for values of
// g50_5 and the uncapped 3x100x101 in the 15th digit (a basis at the end of a chain of 64
// pivots is now evaluated afresh once, before its neighbours, instead of each neighbour):
//   instance (generator)            vertices   before wall/user    now wall/user
//   3x30x30 seed 7 (all bases)           502      0.20 / 0.19       0.13 / 0.17
//   3x30x30 seed 9 (all bases)           492      0.11 / 0.09       0.09 / 0.09
//   3x50x50 seed 4 (all 22370 bases)    1276      0.89 / 0.84       0.48 / 0.74
//   3x50x50 seed 9 (all bases)          1367      0.84 / 0.79       0.44 / 0.71
//   3x50x50 seed 6 (all bases)          2282      0.48 / 0.45       0.30 / 0.42
//   3x50x50 seed 11 (all bases)         1353      0.56 / 0.53       0.32 / 0.47
//   3x70x70 seed 7 (limit)              1801      0.44 / 0.42       0.28 / 0.39
//   3x100x101 seed 5001 (limit)         3095      0.75 / 0.70       0.45 / 0.65
//   3x100x101 seed 5001, every vertex  11903     44.7 / 44.0       20.6 / 34.1  (1.15 GB)
//   4x60x60 seed 5001 (limit)           1811      0.34 / 0.31       0.24 / 0.33
//   5x40x40 seed 11 (limit)             2802      0.23 / 0.21       0.18 / 0.24
// Walks of up to 1024 bases are as before (3x30x30 seed 5001: 20.5 ms whole process).
// What changed: past 1024 bases the walk works out the read-backs, reduced costs, efficiency
// tests, solutions, regions and neighbours of batches of 32 bases on two threads, the next
// batch while this one is visited (stored and appended in order, as one thread does); the
// region adjacency counts vertex pairs in the index's cells; a degenerate vertex's new basis is
// looked up among its bases by a hash; the label exchange hands a basis to the per-column
// programs at its first undecided row; a program that ends at the step after its column
// enters is read off without the whole pivot.
// The uncapped 3x100x101 walk before these changes: efficiency tests 31%, regions and their
// adjacency 22% (8.8 s of it), fresh evaluations 10%, kept read-backs 6%, ratio tests 5%.
BENCHMARK(BM_VmaGenerated)
    ->Args({3, 30, 30, 1})
    ->Args({3, 30, 30, 0})
    ->Args({3, 50, 50, 1})
    ->Args({3, 100, 101, 1})
    ->Args({4, 60, 60, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_VmaInstance)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
