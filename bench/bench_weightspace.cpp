// Weight space picture: a full redraw with many regions, and the pointer's
// status line while picking weights.
//
// Findings (2 shared cores under load, RelWithDebInfo, offscreen, December
// 2026): a redraw of 1,000 regions takes 10.5 ms of CPU (12.3 ms with areas
// in the legend), 100 regions 1.2 ms; the status line of one pointer move
// 0.3 to 0.5 us. Drawing the frame after every solution, as a single
// Actualiza does, had cost 27 ms for the 1,000 regions.

#include "weightspace/WeightSpaceView.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void guiApp()
{
    static QGuiApplication* app = []() -> QGuiApplication* {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quilvane_bench";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

// `count` solutions, one small triangle each, tiling the weight triangle
// row by row (n rows hold n * n triangles).
std::unique_ptr<Workspace> tiledRegions(int count)
{
    auto ws = std::make_unique<Workspace>();
    ws->numObjectives = 3;
    ws->weightSpace3 = true;
    ws->basket.resize(1);
    ws->regions.resize(1);
    int n = 1;
    while (n * n < count)
        ++n;
    const Real h = 1.0L / n;
    for (int row = 0; row < n && ws->regionCount < count; ++row) {
        for (int col = 0; col + row < n && ws->regionCount < count; ++col) {
            for (int up = 0; up < 2 && ws->regionCount < count; ++up) {
                if (up == 1 && col + row + 1 >= n)
                    break;
                UmaRegIndif p;
                const Real x = col * h, y = row * h;
                p.Numvertices = 3;
                if (up == 0) {
                    p.vertices[1] = {x, y};
                    p.vertices[2] = {x + h, y};
                    p.vertices[3] = {x, y + h};
                } else {
                    p.vertices[1] = {x + h, y};
                    p.vertices[2] = {x + h, y + h};
                    p.vertices[3] = {x, y + h};
                }
                SolSolutionBasket sol;
                const int i = ws->basketCount + 1;
                sol.cor = rgbColor((i * 37) % 256, (i * 91) % 256, (i * 53) % 256);
                const int stored = ws->appendSolution(sol);
                ws->chainRegion(stored, ws->appendRegion(UmaOuMaisRegioes{p, 100.0L / (n * n), 0}));
            }
        }
    }
    return ws;
}

void BM_RedrawRegions(benchmark::State& state)
{
    guiApp();
    auto ws = tiledRegions(static_cast<int>(state.range(0)));
    WeightSpaceView view(*ws);
    view.initialise(true);
    if (state.range(1) != 0)
        view.setLegendWithArea(true);
    for (auto _ : state) {
        view.RedrawTriangulo();
        benchmark::DoNotOptimize(view.picture().constBits());
    }
    state.SetLabel(std::to_string(ws->regionCount) + " regions");
}

void BM_PointerStatus(benchmark::State& state)
{
    const WeightSpaceGeometry g{3, 1.0, state.range(0) == 0 ? WeightProjection::RightTriangle
                                                             : WeightProjection::Equilateral};
    int X = 15, Y = 18;
    for (auto _ : state) {
        X = X >= 365 ? 15 : X + 7;
        Y = Y >= 368 ? 18 : Y + 3;
        benchmark::DoNotOptimize(WeightsAtPixel(g, X, Y));
    }
}

} // namespace

// Arguments: regions, legend with areas (1) or without (0). CPU: 1.2 ms,
// 10.5 ms, 12.3 ms.
BENCHMARK(BM_RedrawRegions)->Args({100, 0})->Args({1000, 0})->Args({1000, 1})->Unit(benchmark::kMillisecond);
// Arguments: projection 1-2 (0) or 1-2-3 (1). CPU: 0.47 us, 0.34 us.
BENCHMARK(BM_PointerStatus)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
