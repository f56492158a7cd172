// A game taken off the table while a flow that pauses is under way: the deal, a card's
// flight and a refill with its reshuffle stop there and leave the table to whatever
// replaced the game; a New Game asked for during the deal starts once the deal is over.
#include "engine/Cards.h"
#include "engine/Discard.h"
#include "engine/GameOnTable.h"
#include "engine/Stale.h"
#include "opponent/OppState.h"
#include "opponent/Plays.h"
#include "opponent/TurnLoop.h"
#include "platform/Services.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGames.h"
#include "table/Animate.h"
#include "table/Flash.h"
#include "table/HandOrder.h"
#include "tests/engine/test_deal_support.h"

#include <QTimer>
#include <vector>

namespace {

class GameOnTableTest : public DealTest {
  protected:
    void SetUp() override {
        DealTest::SetUp();
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (++passes < at) return;
            timer.stop();
            act();
        });
    }
    // Runs `what` in the n-th pass of events from now: every pause lets events run once.
    void AtPass(int n, std::function<void()> what) {
        passes = 0;
        at = n;
        act = std::move(what);
        timer.start();
    }
    // Runs `what` in the first pass of events in which `when` holds.
    void AtPassWhen(bool (*when)(), const std::function<void()>& what) {
        AtPass(1, [this, when, what] {
            if (when()) return what();
            AtPassWhen(when, what);
        });
    }
    // What a new layout message does to a remote's table: cleared, then laid out for two.
    void LaidOutForTwo() {
        form->Table_Clear();
        Com.PrevPlayers = Com.NumPlayers;
        Com.PrevCenters = Com.NumCenters;
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        form->Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    }
    void DealWithSeat2First(unsigned seed) {
        platform::Svc().random.Randomize(seed);
        ASSERT_TRUE(::SetUp());
        Com.Pturn = 2;
        WhosOnFirst();
        GoDeal();
    }
    static bool HandsEmpty() {
        for (int seat = 1; seat <= Com.NumPlayers; ++seat)
            for (int slot = 2; slot <= 6; ++slot)
                if (CardsOfSeat(seat)(0, slot) != 0) return false;
        return true;
    }

    QTimer timer;
    int passes = 0, at = 0;
    std::function<void()> act;
};

TEST_F(GameOnTableTest, TheDealStopsWhereverTheTableIsClearedOrLaidOutAnew) {
    Table(3);
    const int before = svc.clock->eventPasses;
    DealWithSeat2First(11);
    const int passes = svc.clock->eventPasses - before;
    ASSERT_EQ(computerTurns, 1);
    ASSERT_GT(passes, 20);
    for (bool relayout : {false, true}) {
        // The first pause, a card in flight, and the first player's last words.
        for (int n : {1, passes / 2, passes - 1, passes}) {
            Table(3);
            computerTurns = 0;
            AtPass(n, [&] { relayout ? LaidOutForTwo() : form->Table_Clear(); });
            DealWithSeat2First(11);
            EXPECT_EQ(computerTurns, 0) << relayout << " at " << n;
            EXPECT_EQ(Com.Pturn, 0);
            EXPECT_TRUE(HandsEmpty());
            EXPECT_FALSE(form->Picture7(6).Visible());
            EXPECT_FALSE(Eng.TableBusy);
            EXPECT_FALSE(Game_Starting());
            // The table is usable: the next game deals every hand in full.
            Game_New();
            ASSERT_NE(Com.Pturn, 0);
            for (int seat = 1; seat <= Com.NumPlayers; ++seat)
                EXPECT_NE(CardsOfSeat(seat)(0, 6), 0) << relayout << " at " << n;
        }
    }
}

TEST_F(GameOnTableTest, ACardsFlightEndsWithTheTableItFliesOver) {
    Table(3);
    Com.AnimSteps = 45;
    form->Picture2(3).SetVisible(true);
    AtPass(2, [&] { LaidOutForTwo(); });
    const int before = svc.clock->eventPasses;
    EXPECT_TRUE(form->Card_Animate(form->Picture2, 3, form->PicCenter, 1, GameOnTable()).Replaced());
    EXPECT_FALSE(form->Picture2.Exists(3));
    EXPECT_LT(svc.clock->eventPasses - before, 5); // stopped, not flown to the end
}

TEST_F(GameOnTableTest, ARefillWhoseReshuffleLosesTheTableIsNoStalemate) {
    int stalemates = 0;
    Hooks.RESHUFFLE = [] { return RESHUFFLE(); };
    Hooks.STALEMATE = [&] { return ++stalemates > 0; };
    for (bool relayout : {false, true}) {
        Table(4);
        Game_New();
        // Every stock card onto the used pile, and one empty hand slot to fill.
        while (Eng.DeckCount > 0) {
            ++Eng.UsedCount;
            for (int f = 0; f <= 1; ++f) {
                Eng.UsedPile(f, Eng.UsedCount) = Eng.Deck(f, Eng.DeckCount);
                Eng.Deck(f, Eng.DeckCount) = 0;
            }
            --Eng.DeckCount;
        }
        Eng.PlayerCards(0, 4) = Eng.PlayerCards(1, 4) = 0;
        ASSERT_GT(Eng.UsedCount, 104);
        AtPass(1, [&] { relayout ? LaidOutForTwo() : form->Table_Clear(); });
        Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
        EXPECT_EQ(stalemates, 0) << relayout;
        EXPECT_EQ(Eng.PlayerCards(0, 4), 0);
        EXPECT_TRUE(form->PicCenter(0).Visible());
    }
}

// F2 while the table is held: the deal with either side first, the pause after the human's
// discard, the last computer hand-over. The press is kept and the new game dealt.
TEST_F(GameOnTableTest, NewGameAskedForWhileTheTableIsHeldStartsWhenItIsFree) {
    Opponent_Reset();
    Opponent_Install();
    const struct {
        const char* what;
        int first;
        bool discard;
        bool (*held)();
    } cases[] = {
        {"deal, seat 2 first", 2, false, [] { return Animate_Dealing(); }},
        {"deal, the human first", 1, false, [] { return Animate_Dealing(); }},
        {"the human's discard", 1, true, [] { return Com.Pturn == 1 && Eng.PlayBusy; }},
        {"the last hand-over", 1, true, [] { return Com.Pturn == 1 && Eng.CompTurnActive; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Table(2);
        svc.sound->played.clear();
        const auto press = [&] { AtPassWhen(c.held, [] { MenuGame(kGameNew); }); };
        if (!c.discard) press();
        platform::Svc().random.Randomize(3);
        ASSERT_TRUE(::SetUp());
        Com.Pturn = c.first;
        WhosOnFirst();
        GoDeal();
        if (c.discard) {
            ASSERT_EQ(Com.Pturn, 1);
            press();
            Eng.SourceSlot = 2;
            Eng.TargetHold = 7;
            Player_EndTurn();
        }
        // The kept press runs from the event loop once the flow that held the table is over.
        EXPECT_TRUE(EventsUntil([&] { return svc.sound->played.count(Com.DataPath + "~121.tmp") == 2; }));
        EXPECT_TRUE(EventsUntil([] { return Com.Pturn == 1 && !Eng.CompTurnActive; }));
        EXPECT_FALSE(Eng.TurnStop);
        EXPECT_FALSE(Eng.TableBusy);
        ASSERT_EQ(Com.Pturn, 1); // the new game came round to the human
        for (int slot = 2; slot <= 6; ++slot)
            EXPECT_NE(Eng.PlayerCards(0, slot), 0);
        EXPECT_TRUE(form->Picture7(2).Enabled());
        // Only the seat that began the new game has discarded in it.
        int held = 0;
        for (int h = 1; h <= 4; ++h)
            held += Eng.Seat2Rec.RecHoldInfo(h, 1) + (Eng.PlayerCards(0, h + 6) != 0 ? 1 : 0);
        EXPECT_EQ(held, Eng.TurnOrder(1) == 2 ? 1 : 0);
    }
}

// Whatever comes during a flow's pauses, the flow answers it and hands the answer back: the
// game going on, the program closing, a table laid out anew for another game.
TEST_F(GameOnTableTest, EveryFlowAnswersWhatCameDuringItsPauses) {
    enum class Came { Nothing, Closing, Replaced };
    const auto seat2Hand = [c = &Eng.Seat2Rec.RecCards] {
        return std::vector{(*c)(0, 2), (*c)(0, 3), (*c)(0, 4), (*c)(0, 5), (*c)(0, 6)};
    };
    std::vector<int> before;
    const struct {
        const char* what;
        bool realClock;                  // pauses take real time, and events run in them
        std::function<void(Came)> check; // what the caller finds after the answer
        std::function<PauseAnswer(const GameOnTable&)> run;
    } flows[] = {
        {"a card's flight", true, nullptr,
         [&](auto& mine) { return form->Card_Animate(form->Picture7, 3, form->PicCenter, 2, mine); }},
        {"a card dealt", false, nullptr,
         [&](auto& mine) { return form->Card_Deal(form->Picture7, Eng.PlayerCards, 2, 5, mine); }},
        // A closing program keeps the hand as it was.
        {"seat 2's hand sorted", false,
         [&](Came came) {
             EXPECT_TRUE(came == Came::Replaced || (seat2Hand() == before) == (came == Came::Closing));
         },
         [&](auto& mine) {
             before = seat2Hand();
             return Hand_Sort(Eng.Seat2Rec.RecCards, form->Picture1, 6, 2, mine);
         }},
        // A closing program still moves it, so the game it saves is whole.
        {"the fourth pile cleared", true,
         [](Came came) { EXPECT_TRUE(came == Came::Replaced || Eng.CenterCount(4) == 0); },
         [&](auto& mine) {
             Com.ComputerPause = 0.01;
             Eng.TargetPile = 4;
             for (int n = 1; n <= 12; ++n)
                 Eng.Center(0, 4, n) = Eng.Center(1, 4, n) = n;
             Eng.CenterCount(4) = 12;
             return Add_Used(mine);
         }},
        {"the winner's dance", false, nullptr, [](auto& mine) { return Flash(0, mine); }},
        {"a pause of the computer's turn", false, nullptr,
         [](auto&) {
             const TurnOnTable turn;
             return Turn_Pause(Com.ComputerPause);
         }},
        {"the human's discard handed over", false,
         [&](Came came) { EXPECT_EQ(computerTurns, came == Came::Nothing ? 1 : 0); },
         [&](auto& mine) {
             computerTurns = 0;
             Eng.SourceSlot = 2;
             Eng.TargetHold = 7;
             Player_EndTurn();
             return mine.Answer();
         }},
    };
    for (const auto& flow : flows) {
        for (Came came : {Came::Nothing, Came::Closing, Came::Replaced}) {
            SCOPED_TRACE(testing::Message() << flow.what << ", came " << static_cast<int>(came));
            Table(3);
            platform::Svc().random.Randomize(3);
            ASSERT_TRUE(::SetUp());
            Com.Pturn = 1;
            WhosOnFirst();
            GoDeal();
            ASSERT_EQ(Com.Pturn, 1);
            auto kept =
                flow.realClock ? std::exchange(platform::Svc().clock, platform::MakeRealClock()) : nullptr;
            if (came != Came::Nothing)
                AtPass(1, [came, this] {
                    came == Came::Closing ? void(Com.GameAbort = true) : LaidOutForTwo();
                });
            const PauseAnswer answer = flow.run(GameOnTable());
            timer.stop();
            EXPECT_EQ(answer.Closing(), came == Came::Closing);
            EXPECT_EQ(answer.Replaced(), came == Came::Replaced);
            if (flow.check) flow.check(came);
            Com.GameAbort = false;
            if (kept) platform::Svc().clock = std::move(kept);
        }
    }
}

// Restore, Previous Turn and Restart pressed while the cards are dealt are kept, not run under
// the deal, and run once it is over.
TEST_F(GameOnTableTest, RestoreCommandsPressedDuringTheDealRunWhenItIsOver) {
    int dialogs = 0;
    MenuWin.SaveDialog = [&](bool) { Sav.DialogCancelled = ++dialogs > 0; };
    for (const int row : {kGameRestore, kGamePrevious, kGameRestart}) {
        Table(2);
        svc.boxes->Expect(platform::vbOK);
        const auto answered = [&] { return dialogs + static_cast<int>(svc.boxes->shown.size()); };
        const int before = answered();
        int inDeal = -1;
        AtPassWhen([] { return Animate_Dealing(); }, [&] { MenuGame(row), inDeal = answered() - before; });
        ASSERT_TRUE(::SetUp());
        GoDeal();
        EXPECT_EQ(inDeal, 0) << row;
        EXPECT_TRUE(EventsUntil([&] { return answered() > before; })) << row;
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(svc.boxes->shown.back().text, "There's no game to restart!");
    MenuWin = MenuWindowsT{};
}

} // namespace
