// The cost of the computer's decisions for one turn, and of whole headless games.
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Rules.h"
#include "opponent/Drop.h"
#include "opponent/OppState.h"
#include "opponent/Reading.h"
#include "opponent/Search.h"
#include "tests/bench/HeadlessGame.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

HeadlessTable* g_table = nullptr;

// Positions met during seeded four-player games, each with a computer seat on turn.
std::vector<EngineState> CapturePositions() {
    std::vector<EngineState> found;
    Opponent_MoveDone = [&found] {
        if (found.size() < 400 && Eng.HandCount > 0) found.push_back(Eng);
    };
    g_table->Seats(4, {2, 2, 1, 0});
    for (unsigned seed = 1; seed <= 3; ++seed)
        g_table->Play(seed);
    Opponent_MoveDone = [] {};
    return found;
}

// One pass of a seat's decisions: the reading of the human, the play search and the discard choice.
int Decide() {
    Opponent_Reset();
    Ck_Player();
    Opp.SideBestPile = CenterBestToPlay(SeatRank(1), true, Opp.HumanBestPile);
    Opp.MatchSlot = Opp.SideBestPile;
    Opp.KingSlot = 2;
    const int pile = Move_Comp(Opp.SideBestPile);
    Opp.FirstHandSlot = 2;
    Comp_Drop();
    return pile + Opp.DiscardSlot;
}

void BM_TurnDecisions(benchmark::State& state) {
    static const std::vector<EngineState> positions = CapturePositions();
    size_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Eng = positions[i++ % positions.size()];
        state.ResumeTiming();
        benchmark::DoNotOptimize(Decide());
    }
}
BENCHMARK(BM_TurnDecisions)->Repetitions(5)->Unit(benchmark::kMicrosecond);

void BM_WholeGame(benchmark::State& state) {
    const int players = static_cast<int>(state.range(0));
    g_table->Seats(players, {1, 2, 0, 1});
    unsigned seed = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(g_table->Play(seed++).turns);
}
BENCHMARK(BM_WholeGame)->Arg(2)->Arg(3)->Arg(4)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    HeadlessTable table;
    g_table = &table;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
