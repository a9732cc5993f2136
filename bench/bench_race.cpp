// Pareto Race GO steps on generated problems up to the largest the program
// takes (20 objectives, 100 constraints, 101 variables). The race starts at
// the midpoint of ideal and nadir with the ranges [nadir, ideal] and drives
// forward at slider position `speed`; when nothing limits the motion the
// direction turns to the next objective (not timed). Counters:
//   move_us          a GO within a basis segment (no solve): the basic values
//                    moved, the solution assembled and put in the history
//   basis_change_us  a GO at the end of a segment: solved from the current
//                    basis with the tableau, completed, new segment
//   report_us        the report the window writes after every GO
//   cold_solve_us    the same race program solved from scratch with the
//                    tableau, for comparison with a basis change
//
// Findings (2-core VM shared with other builds, RelWithDebInfo, 9 Dec 2026),
// per GO, CPU time:
//   3 x 30 x 30:    move 5-7 us, basis change 0.3-0.4 ms (cold solve 0.3-0.5 ms)
//   20 x 100 x 101: move 17-50 us, basis change 8.7-8.8 ms (cold solve
//                   15-26 ms); the report the window writes adds 0.4 ms.
// A move is thus far below a millisecond, and a basis change costs one
// warm-started solve with its tableau, less than solving afresh.

#include "base/Progress.h"
#include "lp/LpSolveAdapter.h"
#include "methods/ParetoRace.h"
#include "problem/RandomProblems.h"
#include "solutions/Payoff.h"
#include "solutions/Report.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void BM_RaceGo(benchmark::State& state)
{
    RandomProblemSpec shape;
    shape.objectives = static_cast<int>(state.range(0));
    shape.constraints = static_cast<int>(state.range(1));
    shape.variables = static_cast<int>(state.range(2));
    const int speed = static_cast<int>(state.range(3));
    std::unique_ptr<Workspace> ws = makeRandomProblem(7001u, shape);
    auto engine = std::make_unique<LpEngine>();
    NoProgress progress; // benchmarks show nothing
    if (ComputePayoff(*ws, *engine, progress).status != SolveStatus::Optimal) {
        state.SkipWithError("the pay-off table failed");
        return;
    }
    const int p = ws->numObjectives;
    vectorObj low{}, high{};
    for (int i = 1; i <= p; ++i) {
        ws->refPoint[i] = (ws->idealPoint[i] + ws->nadirPoint[i]) / 2;
        low[i] = std::min(ws->idealPoint[i], ws->nadirPoint[i]);
        high[i] = std::max(ws->idealPoint[i], ws->nadirPoint[i]) + 1;
    }
    ws->activeMethod = MethodKind::ParetoRace;
    auto race = std::make_unique<ParetoRace>();
    if (race->start(*ws, *engine, low, high).status != SolveStatus::Optimal) {
        state.SkipWithError("the start failed");
        return;
    }
    race->setSpeed(speed);

    double moveTime = 0, changeTime = 0, reportTime = 0;
    long moves = 0, changes = 0, reports = 0;
    int turn = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const ParetoRace::Step step = race->go(*ws, *engine).step;
        const auto t1 = Clock::now();
        if (step == ParetoRace::Step::Moved) {
            moveTime += microseconds(t1 - t0);
            ++moves;
        } else if (step == ParetoRace::Step::BasisChanged) {
            changeTime += microseconds(t1 - t0);
            ++changes;
        } else if (step == ParetoRace::Step::NeedDirection) {
            state.PauseTiming();
            turn = turn % p + 1;
            if (race->changeDirection(*ws, *engine, turn).status != SolveStatus::Optimal) {
                state.SkipWithError("a change of direction failed");
                return;
            }
            race->setSpeed(speed);
            state.ResumeTiming();
            continue;
        } else {
            state.SkipWithError("a basis change failed");
            return;
        }
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(WriteReport(*ws, ReportMode::ReferencePoint));
        reportTime += microseconds(Clock::now() - t2);
        ++reports;
    }
    LpTables cold = race->program();
    const auto c0 = Clock::now();
    const SolveStatus coldStatus = SolveScalarizing(cold, true, -1, engine->evaluator);
    const double coldTime = microseconds(Clock::now() - c0);
    state.counters["move_us"] = moves ? moveTime / static_cast<double>(moves) : 0;
    state.counters["moves"] = static_cast<double>(moves);
    state.counters["basis_change_us"] = changes ? changeTime / static_cast<double>(changes) : 0;
    state.counters["basis_changes"] = static_cast<double>(changes);
    state.counters["report_us"] = reports ? reportTime / static_cast<double>(reports) : 0;
    state.counters["cold_solve_us"] = coldStatus == SolveStatus::Optimal ? coldTime : -1;
}

} // namespace

// Arguments: objectives, constraints, variables, speed slider position
// (8: 0.001 of the direction per GO, mostly moves; 4: 0.625, so nearly every
// GO reaches the end of its segment and the next one changes the basis).
BENCHMARK(BM_RaceGo)
    ->Args({3, 30, 30, 8})
    ->Args({3, 30, 30, 4})
    ->Args({20, 100, 101, 8})
    ->Args({20, 100, 101, 4})
    ->Unit(benchmark::kMicrosecond);
