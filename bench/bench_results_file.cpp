// Importing a results file of many small solutions: time, and the peak
// memory of the process while it reads (VmHWM, reset before each import).

#include "solutions/ResultsFile.h"
#include "workspace/Workspace.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <memory>

namespace {

// Two objectives over one variable and no rows, so that a solution block is
// a handful of one-character values: 100,000 solutions in about 1.4 MB.
std::unique_ptr<Workspace> OneVariableProblem()
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numConstraints = 0;
    ws->numVariables = 1;
    ws->objCoef[1][1] = 1;
    ws->objCoef[2][1] = -1;
    ResetComputedState(*ws);
    return ws;
}

QByteArray ManySolutionsText(int solutions)
{
    QByteArray text = "//Ideal Solution\n9 0\n//(Aprox)Nadir Solution\n0 9\n"
                      "//Normalization factors for the objective functions\n1 1\n";
    text += QByteArray::number(solutions) + " //Number of solutions\n0 //Number of regions\n//Solutions\n";
    for (int s = 0; s < solutions; ++s) {
        const QByteArray v = QByteArray::number(s % 10);
        text += v + ' ' + v + '\n' + v + "\n1\n0\n0\n0\n";
    }
    text += "//Indices in the SolutionBasket of the Payoff Solutions\n1\n2\n0 //Number of edges identified\n";
    return text;
}

// The peak resident size of the process in kB, and its reset.
long PeakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

void ResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// What Import does to the workspace: read the file, then hash the results
// as they would be exported (the flow's "saved" mark).
void BM_ImportManySolutions(benchmark::State& state)
{
    const QByteArray text = ManySolutionsText(int(state.range(0)));
    long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto ws = OneVariableProblem();
        ResetPeak();
        state.ResumeTiming();
        const ResultsFileResult read = ParseResultsText(text, *ws);
        if (!read.ok)
            state.SkipWithError(read.message.toUtf8().constData());
        benchmark::DoNotOptimize(ResultsFileHash(*ws));
        state.PauseTiming();
        peak = std::max(peak, PeakKb());
        ws.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = double(text.size()) / 1e6;
    state.counters["peak_MB"] = double(peak) / 1024;
}

} // namespace

// 2 cores at 2.1 GHz, RelWithDebInfo, 2026-12-10, shared with other builds:
//   20,000 solutions (0.28 MB): 37-70 ms, peak 20 MB for the whole process
//   100,000 solutions (1.4 MB): 0.18-0.38 s, peak 38 MB
//   (before records were sized to the problem: 9-10 s and 600-980 MB).
BENCHMARK(BM_ImportManySolutions)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
