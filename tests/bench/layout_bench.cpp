// The cost of working out the table's layout, and of asking again for a plan already made.
#include "table/LayoutGridPlan.h"
#include "table/LayoutPlan.h"
#include "tests/bench/HeadlessGame.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The inputs of a table of `players` on a screen `width` pixels wide, fitted as a display change
// fits it.
LayoutInputs BenchInputs(int players, int width) {
    LayoutInputs in = Layout_InputsNow(DisplayMode::Standard, true);
    in.screenWidthTw = width * 15;
    in.screenHeightTw = width * 3 / 4 * 15;
    in.players = players;
    in.centers = players > 2 ? 4 : 3;
    in.window = QSize(width, width * 3 / 4 - 40);
    return in;
}

// Two to four players on a screen 800 or 1024 pixels wide; with a third argument of 1 the plan
// is asked for again.
void BM_Plan(benchmark::State& state) {
    const LayoutInputs in = BenchInputs(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(state.range(2) ? Layout_PlanFor(in)->controls.size()
                                                : Layout_Plan(in).controls.size());
}
BENCHMARK(BM_Plan)->ArgsProduct({{2, 3, 4}, {800, 1024}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plan)->ArgsProduct({{2, 4}, {1024}, {1}})->Unit(benchmark::kMicrosecond);

// The same plans worked out by arithmetic (the 800-pixel screen: two players, and three scaled to
// the window; the 640-pixel one: three and four scaled).
void BM_GridPlan(benchmark::State& state) {
    const LayoutInputs in = BenchInputs(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LayoutGrid_Plan(in).controls.size());
}
BENCHMARK(BM_GridPlan)
    ->ArgsProduct({{2, 3, 4}, {1024}})
    ->Args({2, 800})
    ->Args({3, 800})
    ->Args({3, 640})
    ->Args({4, 640})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    HeadlessTable table;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
