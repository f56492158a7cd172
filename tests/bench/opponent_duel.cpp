// Plays seeded headless games between chosen levels and prints each level's share of
// wins, each seat's share, the turns per game and the stalemates. The levels take turns
// over the seats (game g shifts them by g places), so a seat's own advantage is spread
// evenly over the levels and shows apart from them.
//   opponent_duel [games] [players] [level 1] [level 2] ...
#include "tests/bench/HeadlessGame.h"

#include <QApplication>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kDuelLevelNames[3] = {"Average", "Clever", "Ruthless"};

// The levels by seat for game g: entry i of the list sits at seat (i + g) mod players.
std::array<int, 4> Rotated(const std::array<int, 4>& levels, int players, int g) {
    std::array<int, 4> seats{};
    for (int i = 0; i < players; ++i)
        seats[static_cast<size_t>((i + g) % players)] = levels[static_cast<size_t>(i)];
    return seats;
}

double Share(int wins, int games) {
    return 100.0 * wins / std::max(games, 1);
}

} // namespace

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
    std::array<int, 4> byEntry{}, bySeat{};
    int stalemates = 0, unfinished = 0;
    long turns = 0;
    for (int g = 1; g <= games; ++g) {
        const int shift = g % players;
        table.Levels(Rotated(levels, players, shift));
        const GameResult r = table.Play(static_cast<unsigned>(g));
        turns += r.turns;
        if (!r.ended) ++unfinished;
        if (r.winner == 0) {
            ++stalemates;
            continue;
        }
        const int seat = r.winner - 1;
        ++bySeat[static_cast<size_t>(seat)];
        ++byEntry[static_cast<size_t>((seat - shift + players) % players)];
    }
    std::printf("%d games, %d players, the levels rotated over the seats\n", games, players);
    for (int i = 0; i < players; ++i)
        std::printf("level %d of the list (%s): %5.1f%% of the wins\n", i + 1,
                    kDuelLevelNames[levels[static_cast<size_t>(i)]],
                    Share(byEntry[static_cast<size_t>(i)], games));
    for (int s = 0; s < players; ++s)
        std::printf("seat %d: %5.1f%% of the wins\n", s + 1, Share(bySeat[static_cast<size_t>(s)], games));
    std::printf("turns per game: %.1f\nstalemates: %d\nunfinished: %d\n", double(turns) / std::max(games, 1),
                stalemates, unfinished);
    return unfinished == 0 ? 0 : 1;
}
