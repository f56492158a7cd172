// Whole games between computer seats: after every move every card lies somewhere
// exactly once, no pile passes its limit, and every game ends.
#include "engine/Deal.h"
#include "engine/SeatTable.h"
#include "platform/Connect.h"
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

namespace {

// Another game may take the table while a computer seat pauses (the program's own flows
// clear it for a new size, the tutorial, a snapshot): the turn stops at that pause and
// leaves the new game as it found it.
// The piles every seat record holds, in one list.
std::vector<int> Piles(int players) {
    std::vector<int> out;
    for (int seat = 2; seat <= players; ++seat) {
        const SeatRecord& r = SeatRecordOf(seat);
        out.push_back(r.RecSideCount);
        for (int s = 1; s <= 10; ++s)
            out.push_back(r.RecCards(0, s));
        for (int p = 1; p <= 4; ++p)
            out.push_back(r.RecHoldInfo(p, 1));
    }
    return out;
}

TEST_F(OpponentTest, ATurnStopsWhenAnotherGameTakesTheTableDuringAPause) {
    for (int players : {2, 4}) {
        for (int at : {1, 4, 9}) {
            Seats(players, 1, 1);
            platform::Svc().random.Randomize(static_cast<unsigned>(players * 10 + at));
            Eng.SeatSideCount = 0;
            Eng.CompTurnActive = Eng.TableBusy = false;
            moves = 0;
            int cleared = -1, after = 0;
            std::vector<int> kept;
            int stock = 0;
            Opponent_MoveDone = [&] {
                if (cleared >= 0) {
                    ++after;
                    return;
                }
                Check();
                if (moves == at)
                    platform::Later(0, "test", [&] {
                        // The next game, set up as the start of one does before its deal.
                        form->Table_Clear();
                        ::SetUp();
                        cleared = moves;
                        kept = Piles(players);
                        stock = Eng.DeckCount;
                    });
            };
            // The deal hands over to a seat that begins.
            Game_New();
            ComputerTurn();
            const std::string where = std::to_string(players) + " players, move " + std::to_string(at);
            ASSERT_EQ(fault, "") << where;
            ASSERT_GE(cleared, 0) << where << ": no pause came after the move";
            EXPECT_EQ(after, 0) << where << ": the turn went on";
            EXPECT_FALSE(Eng.CompTurnActive);
            EXPECT_FALSE(Eng.TableBusy);
            for (int c = 1; c <= Com.NumCenters; ++c)
                EXPECT_EQ(Eng.CenterCount(c), 0) << where << " center " << c;
            EXPECT_EQ(Eng.DeckCount, stock) << where;
            EXPECT_EQ(Piles(players), kept) << where << ": the seats' piles changed in the new game";
            Opponent_MoveDone = [this] { Check(); };
        }
    }
}

} // namespace
namespace {

// The picture that stands in at a side or hold place while its card flies is gone once the
// card has landed: left there, the next hand play uncovered it as a card the seat does not hold.
TEST_F(OpponentTest, NoFlightPictureIsLeftOnTheTableWhenATurnEnds) {
    for (int players : {2, 4}) {
        Seats(players, 1, 1);
        int ends = 0, left = 0;
        Opponent_MoveDone = [&] {
            Check();
            // The discard's report: no card is being drawn.
            if (Eng.SeatMoveBusy) return;
            ++ends;
            if (form->Picture1(0).Visible()) ++left;
        };
        ASSERT_TRUE(PlayGame(5 + static_cast<unsigned>(players)));
        EXPECT_EQ(fault, "");
        EXPECT_GT(ends, 5);
        EXPECT_EQ(left, 0) << players << " players";
    }
}

} // namespace
namespace {

// A seat's side pile shows one edge for every card under its top, so the pile shrinks as
// the seat plays its side cards, down to no edge at all when it has won.
TEST_F(OpponentTest, TheSidePileOfAComputerSeatShrinksWithEverySideCard) {
    for (int players : {2, 3}) {
        Seats(players, 1, 1);
        std::string wrong;
        auto edges = [&](int seat) {
            int n = 0;
            for (int e = Seat(seat).firstEdge; e <= Seat(seat).TopEdge(); ++e)
                n += form->Stack.Exists(e) && form->Stack(e).Visible() ? 1 : 0;
            return n;
        };
        Opponent_MoveDone = [&] {
            Check();
            // The discard's report: the seat's side plays of the turn are all drawn.
            if (Eng.SeatMoveBusy || Com.Pturn < 2 || !wrong.empty()) return;
            const int shown = edges(Com.Pturn), under = std::max(Eng.SeatSideCount - 1, 0);
            if (shown != under)
                wrong = "seat " + std::to_string(Com.Pturn) + " shows " + std::to_string(shown) +
                        " edges over " + std::to_string(under) + " cards";
        };
        ASSERT_TRUE(PlayGame(3 + static_cast<unsigned>(players)));
        EXPECT_EQ(fault, "");
        EXPECT_EQ(wrong, "") << players << " players";
        for (int seat = 2; seat <= players; ++seat) {
            if (SeatRecordOf(seat).RecSideCount == 0) {
                EXPECT_EQ(edges(seat), 0) << "the winner, seat " << seat;
            }
        }
    }
}

} // namespace
