// The seat's decisions read the table model and change none of it: what they find goes
// into the opponent's own state, and the turn loop applies it.
#include "engine/Rules.h"
#include "opponent/Drop.h"
#include "opponent/Reading.h"
#include "opponent/Search.h"
#include "opponent/Wild.h"
#include "tests/opponent/test_opponent_support.h"

namespace {

struct Found {
    int plans = 0, sideKings = 0, positions = 0;
};

// Every decision of a pass: the reading of the human, both play searches, the side
// King's pile and the discard choice.
void DecideAll(Found& found) {
    Opponent_Reset();
    Ck_Player();
    Opp.SideBestPile = CenterBestToPlay(SeatRank(1), true, Opp.HumanBestPile);
    Opp.MatchSlot = Opp.SideBestPile;
    Opp.KingSlot = 2;
    found.plans += Move_Comp(Opp.SideBestPile) != 0;
    Opp.SearchFlag = 0;
    Opp.KingSlot = 2;
    found.plans += Move_Comp(Opp.HumanBestPile) != 0;
    Opp.SideIsWild = SeatRank(1) == 13;
    found.sideKings += Opp.SideIsWild;
    Move_Wild();
    Opp.FirstHandSlot = 2;
    Comp_Drop();
}

class DecisionsApart : public OpponentTest {
  protected:
    // After every third card a computer seat moves, each level decides on the table as it stands.
    void WatchGames(int players, int forced, bool noWildAce) {
        Com.ForcedCards = forced;
        Com.NoWildAce = noWildAce;
        Seats(players, 2, 1);
        int move = 0;
        Opponent_MoveDone = [&] {
            Check();
            if (++move % 3 != 0 || Eng.HandCount <= 0) return;
            const EngineState position = Eng;
            const OpponentState turn = Opp;
            for (int level = 0; level <= 2; ++level) {
                Eng.Level = level;
                const EngineState before = Eng;
                DecideAll(found);
                EXPECT_TRUE(Eng == before) << players << " players, move " << move << ", level " << level;
                Eng = position;
            }
            Opp = turn;
            ++found.positions;
        };
        for (unsigned seed = 1; seed <= 2; ++seed)
            EXPECT_TRUE(PlayGame(seed * 101 + static_cast<unsigned>(players)));
        Opponent_MoveDone = [this] { Check(); };
    }
    Found found;
};

TEST_F(DecisionsApart, EveryDecisionLeavesTheTableModelUnchanged) {
    for (int players = 2; players <= 4; ++players) {
        WatchGames(players, 0, false);
        WatchGames(players, 7, true);
    }
    EXPECT_EQ(fault, "");
    // The positions were real ones: plans were found and side Kings decided.
    EXPECT_GT(found.positions, 300);
    EXPECT_GT(found.plans, 100);
    EXPECT_GT(found.sideKings, 10);
}

} // namespace
