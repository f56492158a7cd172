// F2 pressed during a computer seat's turn, through the table's key handler and with the real
// turn driver: the press is kept, the turn unwinds, and the new game starts from the event loop
// and is played on, whoever wins its toss.
#include "engine/Discard.h"
#include "platform/Services.h"
#include "shell/KeyCommand.h"
#include "tests/opponent/test_opponent_support.h"

#include <QTimer>
#include <set>

namespace {

constexpr int kF2 = 113;

class KeptNewGame : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        Keys_Reset();
        // The deal's save tells who goes first in each game dealt.
        Hooks.Game_AutoSave = [this] {
            if (Eng.TurnCount == 0) firsts.push_back(Com.Pturn);
        };
        press.setInterval(0);
        QObject::connect(&press, &QTimer::timeout, [this] {
            // The seat's own cards are in play once its record is the working set.
            if (!Eng.CompTurnActive || Com.Pturn != pressSeat ||
                Eng.SeatName != SeatRecordOf(pressSeat).RecName)
                return;
            press.stop();
            KeyCommand(kF2, 0);
        });
    }

    // The human discards; F2 while `seat` plays. True once the kept game has come round to the
    // human.
    bool NewGameDuringTurnOf(int seat) {
        pressSeat = seat;
        firsts.clear();
        press.start();
        Eng.SourceSlot = 2;
        Eng.TargetHold = 7;
        Player_EndTurn();
        EXPECT_TRUE(Eng.TurnStop) << "F2 came after the turn";
        return EventsUntil([this] { return !firsts.empty() && HumanOnTurn(); }, 10000);
    }

    static bool HumanOnTurn() {
        return Com.Pturn == 1 && !Eng.TurnStop && !Eng.CompTurnActive && !Eng.TableBusy;
    }

    // The new game was played on: every seat before the human has played its turn, and the
    // human has a full hand to play from.
    void ExpectPlayedOn(int turnsBefore, int seat, const std::string& where) {
        ASSERT_EQ(firsts.size(), 1u) << where;
        const int first = firsts[0];
        const int newTurns = first == 1 ? 0 : Com.NumPlayers - first + 1;
        EXPECT_EQ(Opponent_TurnsEnded() - turnsBefore, seat - 1 + newTurns) << where << ", first " << first;
        EXPECT_EQ(fault, "") << where;
        for (int slot = 2; slot <= 6; ++slot)
            EXPECT_NE(Eng.PlayerCards(0, slot), 0) << where;
        EXPECT_TRUE(form->Picture7(2).Enabled()) << where;
    }

    std::vector<int> firsts;
    QTimer press;
    int pressSeat = 2;
};

TEST_F(KeptNewGame, IsPlayedOnWhicheverSeatWinsTheToss) {
    for (int players : {2, 3, 4}) {
        Seats(players, -1, 1);
        platform::Svc().random.Randomize(static_cast<unsigned>(players));
        Game_New();
        std::set<int> seen;
        for (int n = 0; n < 60 && static_cast<int>(seen.size()) < players; ++n) {
            const int seat = 2 + n % (players - 1);
            const std::string where = std::to_string(players) + " players, press " + std::to_string(n);
            ASSERT_TRUE(HumanOnTurn()) << where;
            const int turns = Opponent_TurnsEnded();
            ASSERT_TRUE(NewGameDuringTurnOf(seat)) << where << ": the new game stopped";
            ExpectPlayedOn(turns, seat, where);
            seen.insert(firsts[0]);
            // The Game keys answer again: F2 at rest deals at once.
            KeyCommand(kF2, 0);
            ASSERT_EQ(firsts.size(), 2u) << where;
        }
        EXPECT_EQ(static_cast<int>(seen.size()), players) << players << " players";
    }
}

// The kept game asks first when the seat that moved is about to win; "No" keeps the game on,
// and the turns the press stopped are played.
TEST_F(KeptNewGame, ANoToTheQuestionLetsTheStoppedTurnsGoOn) {
    Seats(3, -1, 1);
    platform::Svc().random.Randomize(3);
    Game_New();
    ASSERT_TRUE(HumanOnTurn());
    const int turns = Opponent_TurnsEnded();
    pressSeat = 2;
    firsts.clear();
    press.start();
    Eng.SourceSlot = 2;
    Eng.TargetHold = 7;
    Player_EndTurn();
    ASSERT_TRUE(Eng.TurnStop);
    ASSERT_EQ(Com.Pturn, 3);
    // Seat 2 two cards from its win, three ahead of the human, when the kept game asks.
    const int side = Eng.SeatSideCount, humanSide = Eng.PlayerSideCount;
    Eng.SeatSideCount = 2;
    Eng.PlayerSideCount = 5;
    svc.boxes->onUnexpected = [&](const platform::MsgCall& c) {
        EXPECT_EQ(c.text, "Are you serious?!\r\nI'm about to win and you want to start a new game???");
        Eng.SeatSideCount = side;
        Eng.PlayerSideCount = humanSide;
    }; // answered No
    ASSERT_TRUE(EventsUntil([&] { return Opponent_TurnsEnded() - turns == 2 && HumanOnTurn(); }));
    EXPECT_TRUE(firsts.empty());
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(fault, "");
}

// The same on the program's own clock, whose pauses take their time: the press comes while
// the seat's cards fly, and the new game, which the computer begins, deals and plays on.
TEST_F(KeptNewGame, IsPlayedOnWithTheRealClock) {
    Seats(2, -1, 1);
    Com.ComputerPause = 0.02;
    Com.SoundMode = kSoundsOff;
    Eng.CommentsOff = true;
    platform::Svc().random.Randomize(9);
    Game_New();
    ASSERT_TRUE(HumanOnTurn());
    platform::Svc().clock = platform::MakeRealClock();
    const int turns = Opponent_TurnsEnded();
    ASSERT_TRUE(NewGameDuringTurnOf(2));
    ExpectPlayedOn(turns, 2, "real clock");
    EXPECT_EQ(firsts[0], 2);
}

} // namespace
