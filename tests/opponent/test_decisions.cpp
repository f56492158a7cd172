// Turns built by hand: the play, plan, wild card or discard each level must choose.
#include "engine/Rules.h"
#include "opponent/Drop.h"
#include "opponent/HoldAnalysis.h"
#include "opponent/HoldBack.h"
#include "opponent/Plays.h"
#include "opponent/Reading.h"
#include "opponent/Search.h"
#include "opponent/Turn.h"
#include "opponent/Wild.h"
#include "tests/opponent/test_opponent_support.h"

#include <initializer_list>

namespace {

class Decisions : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        Table(2);
        Com.Pturn = 2;
        Eng.SeatCards.Clear();
        Eng.SeatHold.Clear();
        Eng.SeatHoldInfo.Clear();
        Eng.PlayerCards.Clear();
        Opponent_MoveDone = [] {};
    }
    // Card numbers are unique per position; ranks are what the decisions read.
    static void Put(BArray<int, 2>& cards, int slot, int rank) {
        cards(0, slot) = rank == 0 ? 0 : rank + 13 * slot;
        cards(1, slot) = rank;
    }
    void Hand(std::initializer_list<int> ranks) {
        for (int s = 2; s <= 6; ++s)
            Put(Eng.SeatCards, s, 0);
        int slot = 2;
        for (int r : ranks)
            Put(Eng.SeatCards, slot++, r);
        Eng.HandCount = static_cast<int>(ranks.size());
        Opp.FirstHandSlot = 2;
    }
    // Bottom first; the type as the seat's discards left it.
    void Pile(int p, std::initializer_list<int> ranks, int type) {
        int d = 0;
        for (int r : ranks) {
            ++d;
            Eng.SeatHold(0, p, d) = 60 + 4 * d + p;
            Eng.SeatHold(1, p, d) = r;
        }
        Eng.SeatHoldInfo(p, 1) = d;
        Eng.SeatHoldInfo(p, 2) = type;
        Eng.SeatCards(0, p + 6) = d ? Eng.SeatHold(0, p, d) : 0;
        Eng.SeatCards(1, p + 6) = d ? Eng.SeatHold(1, p, d) : 0;
    }
    void Centers(std::initializer_list<int> counts) {
        int c = 1;
        for (int n : counts) {
            Eng.CenterCount(c) = n;
            for (int i = 1; i <= n; ++i) {
                Eng.Center(0, c, i) = 200 + 12 * c + i;
                Eng.Center(1, c, i) = i;
            }
            ++c;
        }
    }
    void Sides(int own, int human) {
        Put(Eng.SeatCards, 1, own);
        Put(Eng.PlayerCards, 1, human);
    }
    // Seat 2 plays a whole turn next, its hand already dealt, five side cards left,
    // the one turned up on top; the human follows.
    void WholeTurnAhead() {
        Eng.SeatSideCount = 5;
        Eng.SeatSide(0, 5) = Eng.SeatCards(0, 1);
        Eng.SeatSide(1, 5) = Eng.SeatCards(1, 1);
        Eng.TurnResumedOpp = 1;
        Eng.TurnResumedHuman = 1;
        Eng.TurnOrder(1) = 1;
        Eng.TurnOrder(2) = 2;
        Eng.TurnPos = 2;
    }
};

TEST_F(Decisions, APileOfOneRankTakesItsMatchBeforeAnythingElse) {
    Sides(6, 3);
    Centers({2, 4, 8});
    Opp.SideBestPile = 1;
    Pile(1, {7, 7}, 0);
    Pile(2, {}, 0);
    Pile(3, {11, 4}, 1);
    Pile(4, {12}, 0);
    Hand({9, 9, 7, 3, 2});
    Comp_Drop();
    EXPECT_EQ(Opp.DiscardSlot, 4);
    EXPECT_EQ(Opp.PileIndex, 1);
}

TEST_F(Decisions, AnEmptyPileTakesTheDoubledCardButTheTopLevelKeepsAnAcePair) {
    Sides(7, 3);
    Centers({2, 4, 8});
    Opp.SideBestPile = 1;
    Pile(1, {12}, 0);
    Pile(2, {11, 10}, 2);
    Pile(3, {}, 0);
    Pile(4, {10, 4}, 1);
    Hand({9, 9, 5, 3, 2});
    Comp_Drop();
    EXPECT_EQ(Opp.DiscardSlot, 3);
    EXPECT_EQ(Opp.PileIndex, 3);

    Hand({9, 5, 1, 1});
    Eng.Level = 0;
    Comp_Drop();
    EXPECT_EQ(Opp.DiscardSlot, 5);
    Eng.Level = 2;
    Comp_Drop();
    EXPECT_EQ(Opp.DiscardSlot, 2);
    EXPECT_EQ(Opp.PileIndex, 3);
}

TEST_F(Decisions, ThreeOfAKindStopsTheDuplicateWalk) {
    Sides(8, 3);
    Hand({10, 9, 5, 5, 5});
    Comp_Dups();
    EXPECT_EQ(Opp.DupSlot, 6);
}

TEST_F(Decisions, HoldTopsAllBelowTheHandLeaveTheFirstCardOnPileFour) {
    Sides(6, 3);
    Centers({0, 0, 0});
    Opp.SideBestPile = 1;
    Pile(1, {1}, 0);
    Pile(2, {8, 2}, 1);
    Pile(3, {9, 3}, 1);
    Pile(4, {10, 4}, 1);
    Hand({12, 11, 10, 9, 8});
    Comp_Drop();
    EXPECT_EQ(Opp.DiscardSlot, 2);
    EXPECT_EQ(Opp.PileIndex, 4);
}

TEST_F(Decisions, TheMarginOnTheHumansReachGrowsWithTheLevel) {
    Sides(6, 9);
    Centers({3, 5, 0});
    for (int p = 1; p <= 4; ++p)
        Pile(p, {}, 0);
    const int expected[3] = {8, 6, 5};
    for (int level = 0; level <= 2; ++level) {
        Eng.Level = level;
        Ck_Player();
        EXPECT_EQ(Opp.HumanBestPile, 2);
        EXPECT_EQ(Opp.HumanReach, expected[level]) << "level " << level;
    }
    // A hold top one below the side card lowers the chain before the margin.
    Put(Eng.PlayerCards, 7, 8);
    Eng.Level = 0;
    Ck_Player();
    EXPECT_EQ(Opp.HumanReach, 7);
}

TEST_F(Decisions, APlanUpToTheSideCardTakesAHoldTopOfTheSameRank) {
    Sides(6, 12);
    Centers({2, 7, 9});
    Pile(1, {9, 4}, 1);
    Hand({3, 4, 5, 11, 10});
    Opp.SideBestPile = Opp.MatchSlot = 1;
    Opp.KingSlot = 2;
    EXPECT_EQ(Move_Comp(1), 1);
    ASSERT_EQ(Opp.PlanFound, 1);
    EXPECT_EQ(Opp.PlanState(1, 1), 3);
    EXPECT_EQ(Opp.PlanList(1, 2), 7);
    EXPECT_EQ(Opp.PlanState(1, 0), 5);
    Comp_Play(1);
    EXPECT_EQ(Eng.CenterCount(1), 5);
    EXPECT_EQ(Eng.SeatCards(1, 7), 9);
    EXPECT_EQ(Eng.SeatCards(1, 3), 4) << "the hand's Four stays";
}

TEST_F(Decisions, RemovingAPlannedQueenRestoresEleven) {
    Centers({10, 0, 0});
    Hand({11, 12});
    Opp.PlanCenter = 1;
    Plan_Start(1);
    Opp.SimHandCount = 5;
    Opp.PlanStep = 2;
    Move_Plan();
    Opp.PlanStep = 3;
    Move_Plan();
    EXPECT_EQ(Opp.PlanState(1, 0), 0);
    bool done = true;
    Move_ReduceSet(done);
    EXPECT_FALSE(done);
    EXPECT_EQ(Opp.PlanState(1, 0), 11);
}

TEST_F(Decisions, TheHoldBackKeepsTheNextSeatsSideCardFartherAwayAtHigherLevels) {
    Table(3);
    Com.Pturn = 2;
    Put(SeatRecordOf(3).RecCards, 1, 8);
    Centers({1, 0, 0, 0});
    for (int level : {0, 2}) {
        Eng.Level = level;
        Opp.PlanCenter = 1;
        Opp.PlanState(1, 0) = 7;
        Opp.PlanState(1, 1) = 6;
        for (int k = 1; k <= 6; ++k) {
            Opp.PlanList(1, k) = 7;
            Opp.PlanRank(1, k) = k + 1;
        }
        CheckOppsSide(8);
        EXPECT_EQ(Opp.PlanState(1, 0), level == 0 ? 5 : 3) << "level " << level;
    }
}

// A Four on a Three: the human's hold top Four lets the lower levels play it, but a following
// seat's side card is a Five, so no seat may play it whatever the human holds.
TEST_F(Decisions, EveryFollowingSeatIsCheckedAfterTheHumansTestAcceptsAPlan) {
    struct Case {
        int players, mover, fiveSeat;
    };
    const Case cases[] = {{2, 2, 0}, {3, 2, 3}, {3, 3, 2}, {4, 2, 4}, {4, 3, 4}, {4, 4, 2}};
    for (const Case& k : cases) {
        for (int level : {0, 1}) {
            Table(k.players);
            Com.Pturn = k.mover;
            for (int seat = 2; seat <= k.players; ++seat) {
                SeatRecordOf(seat).RecCards.Clear();
                Put(SeatRecordOf(seat).RecCards, 1, seat == k.fiveSeat ? 5 : 11);
            }
            Eng.Level = level;
            Sides(9, 10);
            Put(Eng.PlayerCards, 7, 4);
            if (k.players == 2)
                Centers({3, 0, 9});
            else
                Centers({3, 0, 9, 10});
            for (int p = 1; p <= 4; ++p)
                Pile(p, {}, 0);
            Hand({4, 7, 7});
            Opponent_Reset();
            Ck_Player();
            Opp.SideBestPile = CenterBestToPlay(9, true, Opp.HumanBestPile);
            Opp.MatchSlot = Opp.SideBestPile;
            Opp.KingSlot = 2;
            const int pile = Move_Comp(Opp.SideBestPile);
            const bool played = pile != 0;
            EXPECT_EQ(played, k.players == 2)
                << k.players << " players, mover " << k.mover << ", level " << level;
            if (played) {
                EXPECT_EQ(Plan_LastRank(pile), 4);
            }
        }
    }
}

// A King planned from the hand is not a hand card used up: with King and Four the seat
// keeps the King rather than emptying its hand onto a pile the human's Five then takes.
TEST_F(Decisions, APlannedHandKingDoesNotEmptyTheHand) {
    Sides(9, 5);
    Centers({3, 10, 11});
    for (int p = 1; p <= 4; ++p)
        Pile(p, {}, 0);
    Hand({13, 4});
    WholeTurnAhead();
    const int deck = Eng.DeckCount;
    EXPECT_TRUE(Computer());
    const SeatRecord& rec = SeatRecordOf(2);
    EXPECT_EQ(Eng.CenterCount(1), 3);
    EXPECT_EQ(Eng.DeckCount, deck) << "the hand was emptied and refilled";
    EXPECT_EQ(rec.RecCards(1, 2), 13);
    EXPECT_EQ(rec.RecCards(1, 7) + rec.RecCards(1, 8) + rec.RecCards(1, 9) + rec.RecCards(1, 10), 4);
}

TEST_F(Decisions, TheSideKingGoesOutsideTheHumansRunOrOntoTheBlockPile) {
    Sides(13, 9);
    Centers({5, 9, 2});
    Eng.Level = 0;
    Opp.HumanReach = 6;
    EXPECT_EQ(Move_Wild().pile, 2);
    Opp.TurnFlags[kBlockPile] = 3;
    EXPECT_EQ(Move_Wild().pile, 3);
    EXPECT_EQ(Opp.TurnFlags[kBlockPile], 0);
}

TEST_F(Decisions, AFullHoldPilePassesTheDiscardOnAndAllFullIsAStalemate) {
    Pile(1, {}, 0);
    Eng.SeatHoldInfo(1, 1) = 30;
    Eng.SeatHoldInfo(2, 1) = 29;
    Eng.SeatHoldInfo(3, 1) = 5;
    EXPECT_EQ(Discard_Pile(1), 3);
    EXPECT_EQ(Discard_Pile(2), 2);

    // Every pile full and nothing to play: the turn ends without a thirty-first card.
    Sides(4, 3);
    Centers({0, 0, 0});
    Hand({9, 8, 7, 6, 5});
    for (int p = 1; p <= 4; ++p) {
        Pile(p, {}, 0);
        for (int d = 1; d <= 30; ++d) {
            Eng.SeatHold(0, p, d) = 100 + d;
            Eng.SeatHold(1, p, d) = 10;
        }
        Eng.SeatHoldInfo(p, 1) = 30;
        Put(Eng.SeatCards, p + 6, 10);
    }
    Eng.SeatSideCount = 5;
    Eng.TurnResumedOpp = 1;
    EXPECT_FALSE(Computer());
    EXPECT_EQ(Eng.StaleMode, 1);
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(Eng.SeatHoldInfo(p, 1), 30);
    EXPECT_EQ(Eng.SeatCards(1, 2), 9);
}

TEST_F(Decisions, AForcedAceOnAHoldTopIsPlayedBeforeTheDiscardAndATwoFollowsItsAce) {
    Sides(9, 3);
    Centers({3, 0, 1});
    Pile(1, {6}, 0);
    Pile(2, {8, 1}, 1);
    Pile(3, {12, 2}, 1);
    Hand({11, 10, 7, 5, 4});
    Com.ForcedCards = 1;
    Comp_BeforeDrop();
    EXPECT_EQ(Opp.PlanFound, 1);
    EXPECT_EQ(Opp.DropPlan, kDropAce);
    EXPECT_EQ(Opp.PlanStep, 8);
    EXPECT_EQ(Opp.PlanCenter, 2);

    Opp.PlanFound = Opp.DropPlan = 0;
    Com.ForcedCards = 2;
    Comp_BeforeDrop();
    EXPECT_EQ(Opp.DropPlan, kDropTwo);
    EXPECT_EQ(Opp.PlanStep, 9);
    EXPECT_EQ(Opp.PlanCenter, 3);
}

TEST_F(Decisions, ASideKingWithNoWildAceAndEveryCenterEmptyStaysAndTheSeatDiscards) {
    Com.NoWildAce = true;
    Sides(13, 3);
    Centers({0, 0, 0});
    Hand({11, 10, 7, 5, 4});
    for (int p = 1; p <= 4; ++p)
        Pile(p, {12}, 0);
    WholeTurnAhead();
    EXPECT_TRUE(Computer());
    EXPECT_EQ(Com.Pturn, 1);
    const SeatRecord& rec = SeatRecordOf(2);
    EXPECT_EQ(rec.RecCards(1, 1), 13);
    EXPECT_EQ(rec.RecSideCount, 5);
    int held = 0, hand = 0;
    for (int p = 1; p <= 4; ++p)
        held += rec.RecHoldInfo(p, 1);
    for (int s = 2; s <= 6; ++s)
        hand += rec.RecCards(1, s) != 0;
    EXPECT_EQ(held, 5);
    EXPECT_EQ(hand, 4);
}

} // namespace
