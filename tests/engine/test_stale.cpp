#include "common/NetCodes.h"
#include "engine/Stale.h"
#include "opponent/TurnLoop.h"
#include "opponent/WorkingSet.h"
#include "tests/engine/test_deal_support.h"

#include <set>

namespace {

class StaleTest : public DealTest {
  protected:
    // Every card of the game counted where it lies, hold piles and center piles included.
    static std::map<int, int> EveryCard() {
        std::map<int, int> count = CardsInPlay();
        for (int i = 1; i <= Eng.UsedCount; ++i)
            ++count[Eng.UsedPile(0, i)];
        for (int c = 1; c <= Com.NumCenters; ++c)
            for (int k = 1; k <= Eng.CenterCount(c); ++k)
                ++count[Eng.Center(0, c, k)];
        for (int pile = 1; pile <= 4; ++pile) {
            ++count[Eng.PlayerCards(0, 6 + pile)];
            for (int k = 1; k <= Eng.PlayerHoldCount(pile); ++k)
                ++count[Eng.PlayerHold(0, pile, k)];
            for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
                const SeatRecord& r = SeatRecordOf(seat);
                for (int k = 1; k <= r.RecHoldInfo(pile, 1); ++k)
                    ++count[r.RecHold(0, pile, k)];
            }
        }
        count.erase(0);
        return count;
    }
    static int Take() {
        const int n = Eng.Deck(0, Eng.DeckCount);
        Eng.Deck(0, Eng.DeckCount) = Eng.Deck(1, Eng.DeckCount) = 0;
        --Eng.DeckCount;
        return n;
    }
    // A dealt two-player game whose whole stock went onto center and hold piles.
    void StockPlayedOut() {
        Game_New();
        ASSERT_EQ(Com.Pturn, 1);
        ASSERT_EQ(Eng.DeckCount, 54);
        for (int c = 1; c <= 3; ++c) {
            for (int k = 1; k <= 11; ++k) {
                const int n = Take();
                Eng.Center(0, c, k) = n;
                Eng.Center(1, c, k) = RankOf(n);
            }
            Eng.CenterCount(c) = 11;
        }
        for (int k = 1; k <= 9; ++k) {
            const int n = Take();
            Eng.PlayerHold(0, 1, k) = n;
            Eng.PlayerHold(1, 1, k) = RankOf(n);
        }
        Eng.PlayerHoldCount(1) = 9;
        Eng.PlayerCards(0, 7) = Take();
        Eng.PlayerCards(1, 7) = RankOf(Eng.PlayerCards(0, 7));
        SeatRecord& r = Eng.Seat2Rec;
        for (int k = 1; k <= 11; ++k) {
            const int n = Take();
            r.RecHold(0, 2, k) = n;
            r.RecHold(1, 2, k) = RankOf(n);
        }
        r.RecHoldInfo(2, 1) = 11;
        r.RecCards(0, 8) = r.RecHold(0, 2, 11);
        r.RecCards(1, 8) = r.RecHold(1, 2, 11);
        // The human's third hand card went onto hold pile 2: the refill finds the stock empty.
        Eng.PlayerCards(0, 8) = Eng.PlayerCards(0, 3);
        Eng.PlayerCards(1, 8) = Eng.PlayerCards(1, 3);
        Eng.PlayerCards(0, 3) = Eng.PlayerCards(1, 3) = 0;
        ASSERT_EQ(Eng.DeckCount, 0);
        ASSERT_EQ(EveryCard().size(), 104u);
    }
};

TEST_F(StaleTest, ReshuffleTurnsTheUsedPileIntoTheStock) {
    Game_New();
    // An empty used pile changes nothing and is not heard.
    const int count = Eng.DeckCount;
    svc.sound->played.clear();
    RESHUFFLE();
    EXPECT_EQ(Eng.DeckCount, count);
    EXPECT_TRUE(svc.sound->played.isEmpty());

    // The stock goes onto the used pile, which a reshuffle brings back in another order.
    std::multiset<int> used;
    while (Eng.DeckCount > 20) {
        const int n = Take();
        ++Eng.UsedCount;
        Eng.UsedPile(0, Eng.UsedCount) = n;
        Eng.UsedPile(1, Eng.UsedCount) = RankOf(n);
        used.insert(n);
    }
    const int usedCount = Eng.UsedCount;
    for (int i = 1; i <= 20; ++i)
        Eng.Deck(0, i) = Eng.Deck(1, i) = 0;
    Eng.DeckCount = 0;
    RESHUFFLE();
    ASSERT_EQ(Eng.DeckCount, usedCount);
    EXPECT_EQ(Eng.UsedCount, 0);
    std::multiset<int> deck;
    for (int i = 1; i <= Eng.DeckCount; ++i) {
        deck.insert(Eng.Deck(0, i));
        EXPECT_EQ(Eng.Deck(1, i), RankOf(Eng.Deck(0, i)));
        EXPECT_EQ(Eng.UsedPile(0, i), 0);
    }
    EXPECT_EQ(deck, used);
    EXPECT_EQ(Eng.Deck(0, usedCount + 1), 0) << "positions above the new count are untouched";
    EXPECT_TRUE(svc.sound->played.contains(Com.DataPath + "~122.tmp"));
    EXPECT_EQ(form->Label9(2).Caption(), " ");
    EXPECT_TRUE(form->PicCenter(0).Visible());
}

TEST_F(StaleTest, InternetReshuffleSendsAndTakesTheHostsOrder) {
    Game_New();
    auto fillUsed = [] {
        for (int i = 1; i <= 6; ++i) {
            Eng.UsedPile(0, i) = 10 + i;
            Eng.UsedPile(1, i) = RankOf(10 + i);
        }
        Eng.UsedCount = 6;
        Eng.DeckCount = 0;
    };
    int chatOn = 0, chatOff = 0;
    Netl.Chat_EnableSend = [&](bool on) { (on ? chatOn : chatOff)++; };

    // The host sends the card numbers only, with no house rules, and waits for the answers.
    Online(true, "80");
    fillUsed();
    peer.Answers(kNetDK);
    RESHUFFLE();
    ASSERT_EQ(peer.sent.size(), 1);
    EXPECT_TRUE(peer.sent[0].startsWith("DK "));
    EXPECT_EQ(peer.sent[0].count('#'), 6);
    EXPECT_EQ(Eng.UsedCount, 0);
    EXPECT_EQ(form->Label9(0).Caption(), "");
    EXPECT_EQ(chatOff, 1);
    EXPECT_EQ(chatOn, 1);

    // A remote takes the host's order and answers.
    peer.sent.clear();
    Online(false, "80");
    Com.NetState = kNetOK; // the last message of the play before
    fillUsed();
    peer.Stock("DK  40# 3# 7# 99# 12# 1#");
    RESHUFFLE();
    EXPECT_EQ(Eng.Deck(0, 1), 40);
    EXPECT_EQ(Eng.Deck(1, 4), RankOf(99));
    EXPECT_EQ(peer.sent, QStringList{"DK"});
    EXPECT_EQ(Eng.UsedCount, 0);

    // A card number outside the game is refused like a lost connection; the chat and event line come back.
    peer.sent.clear();
    Com.NetState = kNetOK;
    fillUsed();
    peer.Stock("DK  40# 3# 7# 999# 12# 1#");
    RESHUFFLE();
    EXPECT_EQ(Com.NetState, kNetLost);
    EXPECT_TRUE(peer.sent.isEmpty());
    EXPECT_EQ(Eng.UsedCount, 6);
    EXPECT_EQ(form->Label9(0).Caption(), "");
    EXPECT_EQ(chatOn, chatOff);
    EXPECT_TRUE(form->PicCenter(0).Visible());
}

// The human's refill, and seat 1's played by the decision code, whose cards lie in the working set.
TEST_F(StaleTest, StalemateRecoveryGathersEveryCardButTheSidePiles) {
    for (const bool decided : {false, true}) {
        SCOPED_TRACE(decided ? "the decision code" : "the human");
        StockPlayedOut();
        const BArray<int, 2> side1 = Eng.PlayerSide, side2 = Eng.Seat2Rec.RecSide;
        const auto before = EveryCard();
        Hooks.STALEMATE = [] { return STALEMATE(); };
        Hooks.RESHUFFLE = [] { return RESHUFFLE(); };
        svc.boxes->Expect(platform::vbYes);
        if (decided) {
            Opponent_Install();
            Opponent_PlaySeat1(2);
            WorkingSet_Load();
            Deal_Players(form->Picture7, Eng.SeatCards, GameOnTable());
            WorkingSet_Store();
            Opponent_PlaySeat1(-1);
        } else {
            Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
        }
        ASSERT_EQ(svc.boxes->shown.size(), decided ? 2u : 1u);
        EXPECT_EQ(svc.boxes->shown.back().title, "Stalemate");
        EXPECT_EQ(EveryCard(), before);
        EXPECT_TRUE(Eng.PlayerSide == side1);
        EXPECT_TRUE(Eng.Seat2Rec.RecSide == side2);
        EXPECT_EQ(Eng.UsedCount, 0);
        // 33 center cards, 22 hold cards, 9 hand cards went into the stock; two hands of five came off it.
        EXPECT_EQ(Eng.DeckCount, 64 - 10);
        for (int slot = 2; slot <= 6; ++slot) {
            EXPECT_NE(Eng.PlayerCards(0, slot), 0);
            EXPECT_NE(Eng.Seat2Rec.RecCards(0, slot), 0);
        }
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(Eng.CenterCount(c), 0);
        EXPECT_EQ(Eng.Seat2Rec.RecHoldInfo(2, 1), 0);
        EXPECT_EQ(Eng.PlayerHoldCount(1), 0);
        EXPECT_EQ(Eng.StaleMode, 2);
        EXPECT_EQ(Eng.TurnResumedOpp, 1);
        EXPECT_EQ(Eng.Deck(2, Eng.PlayerSide(0, Eng.PlayerSideCount)), 1);
        EXPECT_EQ(form->Label9(1).Caption(), "");
    }
}

TEST_F(StaleTest, ATossedStalemateLeavesThePiles) {
    StockPlayedOut();
    const auto before = EveryCard();
    svc.boxes->Expect(platform::vbNo);
    STALEMATE();
    EXPECT_EQ(EveryCard(), before);
    EXPECT_EQ(Eng.StaleMode, 1);
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_TRUE(form->Label9(2).Caption().startsWith("You tossed the Stalemated game. Press F2"));
    EXPECT_FALSE(form->Picture7(2).Enabled());
}

TEST_F(StaleTest, AFailedRecoveryTellsOnceAndStaysStalemated) {
    StockPlayedOut();
    int backs = 0;
    StaleHooks.Stock_ShowBack = [&] { ++backs; };
    Eng.Seat2Rec.RecHoldInfo(3, 1) = 99; // a damaged seat record
    svc.boxes->Expect(platform::vbYes);
    svc.boxes->Expect(platform::vbOK);
    STALEMATE();
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_EQ(svc.boxes->shown[1].title, "Dealer Error");
    EXPECT_EQ(Eng.StaleMode, 1);
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_EQ(backs, 1);
    StaleHooks = StaleHooksT{};
}

TEST_F(StaleTest, ARemoteWaitsForTheHostAndKeepsAnEarlyAnswer) {
    StockPlayedOut();
    Online(false, "80");
    // The host's "OK" came in just before the remote declared the stalemate, with a line after it.
    Com.NetState = kNetOK;
    Net_Handle(kNetOK, 0, true);
    Com.NetState = kNetNone;
    const int gathered = 33 + 22 + 9;
    BArray<int, 2> order(2, gathered);
    for (int i = 1; i <= gathered; ++i)
        order(0, i) = i;
    peer.Stock(Stock_Message(order, gathered, "80", nullptr));
    STALEMATE();
    EXPECT_TRUE(svc.boxes->shown.empty()) << "the host decides";
    EXPECT_EQ(Eng.StaleMode, 2);
    EXPECT_EQ(peer.sent, QStringList{"DK"});
    EXPECT_EQ(Eng.DeckCount, gathered - 10);

    // A new game from the host leaves the remote's game stalemated.
    Com.NetState = kNetGS;
    STALEMATE();
    EXPECT_EQ(Eng.StaleMode, 1);
    EXPECT_EQ(Com.Pturn, 0);
}

} // namespace
