// The cost of working out the table's layout, and of asking again for a plan already made.
#include "table/LayoutPlan.h"
#include "tests/bench/HeadlessGame.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The inputs of a table of `players` on a screen `width` pixels wide, in the window a display
// change fits it to.
LayoutInputs BenchInputs(int players, int width) {
    LayoutInputs in = Layout_InputsNow(DisplayMode::Standard, true);
    in.screenWidthTw = width * 15;
    in.screenHeightTw = width * 3 / 4 * 15;
    in.players = players;
    in.centers = players > 2 ? 4 : 3;
    in.window = QSize(width, width * 3 / 4 - 40);
    // The window the display change leaves, laid out again as a resize lays it out.
    in.window = Layout_Plan(in).window;
    in.fit = false;
    return in;
}

// Two to four players on screens from 640 to 1280 pixels wide. With a third argument of 0 the
// window is one pixel lower every other time, as in a resize by hand, so no plan is made from what
// the one before it left but the text measures; in the same window, with 2 the message's font is
// one not laid out before, so nothing carries, and with 3 the rule message is one not measured
// before, in fonts the toolkit has loaded; with 1 the plan is asked for again.
void BM_Plan(benchmark::State& state) {
    const int how = static_cast<int>(state.range(2));
    LayoutInputs in[2] = {BenchInputs(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))), {}};
    in[1] = in[0];
    in[1].window.rheight() -= 1;
    int i = 0;
    for (auto _ : state) {
        LayoutInputs now = in[how == 0 ? (i & 1) : 0];
        if (how == 2) now.messageFontSize += 1e-6 * i;
        if (how == 3) now.ruleMessage = in[0].ruleMessage + QString(i % 32, QChar(u' '));
        ++i;
        benchmark::DoNotOptimize(how == 1 ? Layout_PlanFor(now)->controls.size() : Layout_Plan(now).controls.size());
    }
}
BENCHMARK(BM_Plan)
    ->ArgsProduct({{2, 3, 4}, {640, 800, 832, 900, 1024, 1280}, {0, 2, 3}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Plan)->ArgsProduct({{2, 4}, {1024}, {1}})->Unit(benchmark::kMicrosecond);

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
