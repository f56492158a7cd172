// F2 pressed during a computer seat's turn, through the table's key handler and with the real
// turn driver: the press is kept, the turn unwinds, and the new game starts from the event loop
// and is played on, whoever wins its toss.
#include "engine/Discard.h"
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
        QObject::connect(&press, &QTimer::timeout, [this] {
            // The seat's own cards are in play once its record is the working set.
            if (Eng.CompTurnActive && Eng.SeatName == SeatRecordOf(pressSeat).RecName) {
                press.stop();
                KeyCommand(kF2, 0);
            }
        });
    }
    // The human discards and F2 comes while `seat` plays; false when the press came too late.
    bool DiscardAndPressDuring(int seat) {
        pressSeat = seat;
        firsts.clear();
        turns = Opponent_TurnsEnded();
        press.start();
        Eng.SourceSlot = 2;
        Eng.TargetHold = 7;
        Player_EndTurn();
        return Eng.TurnStop;
    }
    static bool HumanOnTurn() {
        return Com.Pturn == 1 && !Eng.TurnStop && !Eng.CompTurnActive && !Eng.TableBusy;
    }
    // The kept game came round to the human: the seats before the human played in it, and the
    // human holds a full, live hand.
    void ExpectPlayedOn() {
        ASSERT_TRUE(EventsUntil([this] { return !firsts.empty() && HumanOnTurn(); }, 10000));
        const int first = firsts.at(0), seats = first == 1 ? 0 : Com.NumPlayers - first + 1;
        EXPECT_EQ(Opponent_TurnsEnded() - turns, pressSeat - 1 + seats) << "first " << first;
        EXPECT_EQ(fault, "");
        for (int slot = 2; slot <= 6; ++slot)
            EXPECT_NE(Eng.PlayerCards(0, slot), 0);
        EXPECT_TRUE(form->Picture7(2).Enabled());
    }
    std::vector<int> firsts;
    QTimer press;
    int pressSeat = 2, turns = 0;
};

TEST_F(KeptNewGame, IsPlayedOnWhicheverSeatWinsTheToss) {
    for (int players : {2, 3, 4}) {
        Seats(players, -1, 1);
        Game_New();
        std::set<int> seen;
        for (int n = 0; n < 60 && static_cast<int>(seen.size()) < players; ++n) {
            SCOPED_TRACE(std::to_string(players) + " players, press " + std::to_string(n));
            ASSERT_TRUE(HumanOnTurn());
            ASSERT_TRUE(DiscardAndPressDuring(2 + n % (players - 1)));
            ExpectPlayedOn();
            seen.insert(firsts.at(0));
            KeyCommand(kF2, 0); // the Game keys answer again: F2 at rest deals at once
            ASSERT_EQ(firsts.size(), 2u);
        }
        EXPECT_EQ(static_cast<int>(seen.size()), players);
    }
}

// The kept game asks first when the seat that moved is about to win; "No" keeps the game on and
// the turns the press stopped are played.
TEST_F(KeptNewGame, ANoToTheQuestionLetsTheStoppedTurnsGoOn) {
    Seats(3, -1, 1);
    Game_New();
    ASSERT_TRUE(DiscardAndPressDuring(2));
    const int side = Eng.PlayerSideCount;
    Eng.SeatSideCount = 2;
    Eng.PlayerSideCount = 5;
    svc.boxes->onUnexpected = [&](const platform::MsgCall&) { Eng.PlayerSideCount = side; }; // No
    ASSERT_TRUE(EventsUntil([&] { return Opponent_TurnsEnded() - turns == 2 && HumanOnTurn(); }));
    EXPECT_EQ(svc.boxes->shown.at(0).text,
              "Are you serious?!\r\nI'm about to win and you want to start a new game???");
    EXPECT_TRUE(firsts.empty());
    EXPECT_EQ(fault, "");
}

// On the program's own clock the press comes while the seat's cards fly, and the new game, which
// the computer begins, deals and plays on.
TEST_F(KeptNewGame, IsPlayedOnWithTheRealClock) {
    Seats(2, -1, 1);
    Com.ComputerPause = 0.02;
    Com.SoundMode = kSoundsOff;
    Eng.CommentsOff = true;
    platform::Svc().random.Randomize(9);
    Game_New();
    platform::Svc().clock = platform::MakeRealClock();
    ASSERT_TRUE(DiscardAndPressDuring(2));
    ExpectPlayedOn();
    EXPECT_EQ(firsts.at(0), 2);
}

} // namespace
