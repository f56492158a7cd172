// Whole games between computer seats: after every move every card lies somewhere
// exactly once, no pile passes its limit, and every game ends.
#include "tests/opponent/test_opponent_support.h"

namespace {

struct GameCase {
    int players;
    int level;
    int forced;
    bool noWildAce;
    int sideSize;
};

void PrintTo(const GameCase& g, std::ostream* os) {
    *os << g.players << " players, level " << g.level << ", forced " << g.forced;
}

class WholeGames : public OpponentTest, public ::testing::WithParamInterface<GameCase> {};

TEST_P(WholeGames, EveryCardOnceAndTheGameEnds) {
    const GameCase g = GetParam();
    Com.ForcedCards = g.forced;
    Com.NoWildAce = g.noWildAce;
    Com.SideSize = g.sideSize;
    Seats(g.players, (g.level + 1) % 3, g.level);
    for (unsigned seed = 1; seed <= 2; ++seed) {
        EXPECT_TRUE(PlayGame(seed * 7919 + g.players)) << "seed " << seed;
        EXPECT_EQ(fault, "") << "seed " << seed;
        EXPECT_FALSE(Eng.CompTurnActive);
    }
    EXPECT_GT(moves, 50);
}

INSTANTIATE_TEST_SUITE_P(Tables, WholeGames,
                         ::testing::Values(GameCase{2, 0, 0, false, 19}, GameCase{2, 1, 3, true, 9},
                                           GameCase{2, 2, 7, false, 14}, GameCase{3, 0, 5, true, 19},
                                           GameCase{3, 1, 0, false, 25}, GameCase{3, 2, 6, true, 9},
                                           GameCase{4, 0, 2, false, 9}, GameCase{4, 1, 7, true, 14},
                                           GameCase{4, 2, 1, false, 19}));

} // namespace

namespace {

// A thousand seeded games over every table size, level and house rule; run with
// `ctest -C Soak -L soak`, outside the default run.
TEST_F(OpponentTest, DISABLED_SoakOfAThousandGames) {
    for (int game = 1; game <= 1000 && fault.empty(); ++game) {
        const int players = 2 + game % 3;
        Com.ForcedCards = game % 8 == 4 ? 0 : game % 8;
        Com.NoWildAce = game % 5 == 0;
        Com.SideSize = (game / 3) % 4 == 0 ? 9 : 19;
        Seats(players, game % 3, (game / 3) % 3);
        ASSERT_TRUE(PlayGame(static_cast<unsigned>(game))) << "game " << game;
    }
    EXPECT_EQ(fault, "");
}

} // namespace
