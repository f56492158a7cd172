// Plays seeded headless games between chosen levels and prints each level's share of
// wins, the turns per game and the stalemates.
//   opponent_duel [games] [players] [level of seat 1] [level of seat 2] ...
#include "tests/bench/HeadlessGame.h"

#include <QApplication>
#include <array>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::atoi(argv[1]) : 100;
    const int players = argc > 2 ? std::clamp(std::atoi(argv[2]), 2, 4) : 2;
    std::array<int, 4> levels{0, 2, 1, 0};
    for (int s = 0; s < 4 && 3 + s < argc; ++s)
        levels[static_cast<size_t>(s)] = std::clamp(std::atoi(argv[3 + s]), 0, 2);
    HeadlessTable table;
    table.Seats(players, levels);
    std::array<int, 5> wins{};
    int stalemates = 0, unfinished = 0;
    long turns = 0;
    for (int g = 1; g <= games; ++g) {
        const GameResult r = table.Play(static_cast<unsigned>(g));
        turns += r.turns;
        if (!r.ended) ++unfinished;
        if (r.winner == 0)
            ++stalemates;
        else
            ++wins[static_cast<size_t>(r.winner)];
    }
    std::printf("%d games, %d players\n", games, players);
    for (int s = 1; s <= players; ++s)
        std::printf("seat %d (level %d): %5.1f%% of the wins\n", s, levels[static_cast<size_t>(s - 1)],
                    100.0 * wins[static_cast<size_t>(s)] / std::max(games, 1));
    std::printf("turns per game: %.1f\nstalemates: %d\nunfinished: %d\n", double(turns) / std::max(games, 1),
                stalemates, unfinished);
    return unfinished == 0 ? 0 : 1;
}
