// The whole quilvane-batch process on the example problems: start-up,
// reading, and the first actions, as a script meets them.

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QStringList>

namespace {

void RunBatch(benchmark::State& state, const QStringList& arguments)
{
    for (auto _ : state) {
        QProcess batch;
        batch.start(QStringLiteral(QUILVANE_BATCH_EXE), arguments);
        if (!batch.waitForFinished(60000) || batch.exitCode() != 0)
            state.SkipWithError("quilvane-batch failed");
    }
}

QString Example(const char* name) { return QStringLiteral(QUILVANE_EXAMPLES_DIR "/") + QLatin1String(name); }

void BM_BatchReadOnly(benchmark::State& state) { RunBatch(state, {Example("two_objectives.mlp")}); }

void BM_BatchPayoff(benchmark::State& state) { RunBatch(state, {Example("four_objectives_min_ub.mlp"), "payoff"}); }

void BM_BatchPayoffVma(benchmark::State& state)
{
    RunBatch(state, {Example("three_objectives_degenerate.mlp"), "payoff", "vma"});
}

} // namespace

// Whole processes, 2 cores at 2.1 GHz, load ~1.5, RelWithDebInfo, 2026-12-10:
// read only 2.8 ms, payoff 4.2 ms, payoff + vma 4.3 ms, once the GUI library
// and the LP engine's tables were left out of start-up (before: 35-40 ms for
// a read, of which 9 ms CPU and 1,716 page faults).
BENCHMARK(BM_BatchReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchPayoff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchPayoffVma)->Unit(benchmark::kMillisecond);
