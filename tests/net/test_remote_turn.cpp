// Moves over the network against a scripted peer that speaks exact bytes: the local
// player's moves sent and answered, a remote seat's turn played from its messages,
// the host's relay at a table of three, a refused move, and a peer lost mid-exchange.
#include "common/NetCodes.h"
#include "engine/Stats.h"
#include "engine/TurnOrder.h"
#include "net/NetInstall.h"
#include "net/NetSockets.h"
#include "net/NetWait.h"
#include "net/RemoteTurn.h"
#include "opponent/WorkingSet.h"
#include "shell/KeyCommand.h"
#include "tests/net/PeerTableTest.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class RemoteTurnTest : public PeerTableTest {
  protected:
    // A table where seat 2 holds a full hand with a card that fits a center pile.
    struct Playable {
        int slot = 0, pile = 0;
    };
    Playable DealFor(int seat) {
        for (unsigned seed = 1;; ++seed) {
            FillTable(seed);
            const SeatRecord& r = SeatRecordOf(seat);
            bool full = true;
            for (int s = 2; s <= 6; ++s)
                full = full && r.RecCards(0, s) != 0;
            for (int s = 3; full && s <= 6; ++s)
                for (int c = 1; c <= Com.NumCenters; ++c)
                    if (r.RecCards(1, s) == Eng.CenterCount(c) + 1) return {s, c};
        }
    }
    void SeatOnTurn(int seat) {
        Com.Pturn = seat;
        WhosOnFirst();
        WorkingSet_Load();
        Eng.TurnResumedOpp = 1;
        Com.NetState = kNetNone;
        ready = true;
    }

    // The scripted mover starts once the seat is on turn here.
    void AwaitReady() const {
        for (int i = 0; i < 500 && !ready; ++i)
            std::this_thread::sleep_for(10ms);
    }

    // The scripted peer keeps its connection until the test has looked: its close
    // would end the Internet game.
    void HoldUntilReleased() const {
        for (int i = 0; i < 1000 && !release; ++i)
            std::this_thread::sleep_for(10ms);
    }

    std::atomic<bool> ready = false;
    std::atomic<bool> release = false;
    std::vector<QByteArray> got;
};

TEST_F(RemoteTurnTest, TheLocalPlayersMovesAreSentAndEveryAnswerAwaited) {
    PeerListener host;
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        for (const char* answer : {"PC\n", "WT\n", "PC\n", "OK\n"}) {
            got.push_back(p.Line());
            p.Send(answer);
        }
    });
    JoinAsRemote(host, 2);
    ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    Eng.MoveFrom = 5;
    Eng.MoveTo = 2;
    Move_Transmit();
    EXPECT_EQ(Com.NetState, kNetWT);
    Eng.MoveFrom = 3;
    Eng.MoveTo = 8;
    Move_Transmit_Done();
    EXPECT_EQ(Com.NetState, kNetOK);
    peer.join();
    EXPECT_EQ(got, (std::vector<QByteArray>{"PC  5# 2\n", "WT\n", "PC  3# 8\n", "OK\n"}));
    EXPECT_FALSE(form->Label9(0).Visible()); // the wait sign is off again
}

TEST_F(RemoteTurnTest, ARemoteSeatsTurnIsPlayedFromItsMessagesAndARefusedMoveStillAnswered) {
    PeerListener host;
    JoinAsRemote(host, 2);
    const Playable play = DealFor(2);
    // The hand move 2 -> 6 shifts slots 3..6 one to the left.
    const int after = play.slot - 1;
    const int card = Eng.Seat2Rec.RecCards(0, play.slot);
    const int dropSlot = after == 3 ? 4 : 3;
    const int discard = Eng.Seat2Rec.RecCards(0, dropSlot + 1);
    const int depthBefore = Eng.Seat2Rec.RecHoldInfo(3, 1);
    const int centerBefore = Eng.CenterCount(play.pile);
    const QByteArray move = "PC  " + QByteArray::number(after) + "# " + QByteArray::number(play.pile) + "\n";
    const QByteArray drop = "PC  " + QByteArray::number(dropSlot) + "# 9\n";
    const QByteArray empty = "PC  " + QByteArray::number(after) + "# 1\n"; // that slot is empty by then
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        AwaitReady();
        const std::pair<QByteArray, const char*> script[] = {
            {"PC  2# 16\n", "WT\n"}, {move, "WT\n"}, {empty, "WT\n"}, {drop, "OK\n"}};
        for (const auto& [pc, then] : script) {
            p.Send(pc);
            got.push_back(p.Line());
            p.Send(then);
            got.push_back(p.Line());
        }
        HoldUntilReleased();
    });
    ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    Hooks.StatsAdd = StatsAdd;
    Hooks.StatsCk = StatsCk;
    SeatOnTurn(2);
    Opponent();
    release = true;
    peer.join();
    EXPECT_EQ(got, (std::vector<QByteArray>{"PC\n", "WT\n", "PC\n", "WT\n", "PC\n", "WT\n", "PC\n", "OK\n"}));
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.CenterCount(play.pile), centerBefore + 1);
    EXPECT_EQ(Eng.Center(0, play.pile, centerBefore + 1), card);
    EXPECT_EQ(Eng.Seat2Rec.RecHoldInfo(3, 1), depthBefore + 1);
    EXPECT_EQ(Eng.Seat2Rec.RecCards(0, 9), discard);
    EXPECT_TRUE(form->Label9(2).Caption().contains("cannot make"));
    EXPECT_TRUE(EveryCardOnce());
    // The turn's run of one hand card is the seat's best, and the next turn counts from zero.
    EXPECT_EQ(Eng.Seat2Rec.RecStats(1, 1), 1);
    for (int r = 0; r <= 5; ++r)
        EXPECT_EQ(Eng.StatsTable(kStatsSeatTurn, r), 0) << "row " << r;
}

TEST_F(RemoteTurnTest, TheHostOfThreeRelaysAMoveAndAnswersTheMoverLast) {
    const int port = HostListening(3);
    const Playable play = DealFor(2);
    const QByteArray move = "PC  " + QByteArray::number(play.slot) + "# " + QByteArray::number(play.pile) + "\n";
    std::vector<QByteArray> other;
    peer = std::thread([&] {
        PeerSocket a, b;
        if (!a.Connect(port)) return;
        got.push_back(a.Line());
        a.Send("IP Vornhelm Online^ 9. 6. 0\n");
        got.push_back(a.Line()); // the host's name
        std::this_thread::sleep_for(100ms);
        if (!b.Connect(port)) return;
        other.push_back(b.Line());
        b.Send("IP Vornhelm Online^ 9. 6. 0\n");
        other.push_back(b.Line());
        AwaitReady();
        for (const QByteArray& m : {move, QByteArray("WT\n"), QByteArray("PC  2# 7\n"), QByteArray("OK\n")}) {
            a.Send(m);
            other.push_back(b.Line());
            std::this_thread::sleep_for(20ms);
            b.Send(m.left(2) + "\n");
            got.push_back(a.Line());
        }
        HoldUntilReleased();
    });
    ASSERT_TRUE(Pump([] { return Com.NetGame == 2; }));
    Com.NetSockets[1].Seat = 1;
    Com.NetSockets[2].Seat = 2;
    SeatOnTurn(2);
    EXPECT_EQ(Eng.Level, 1);
    Opponent();
    release = true;
    peer.join();
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(std::vector<QByteArray>(got.begin() + 2, got.end()),
              (std::vector<QByteArray>{"PC\n", "WT\n", "PC\n", "OK\n"}));
    ASSERT_EQ(other.size(), 6u);
    EXPECT_EQ(std::vector<QByteArray>(other.begin() + 2, other.end()),
              (std::vector<QByteArray>{move, "WT\n", "PC  2# 7\n", "OK\n"}));
    // Every answer to the mover went out after the other remote had answered.
    std::vector<std::pair<int, char>> order;
    for (const auto& t : Net.Trace)
        if (t.bytes.startsWith("PC") || t.bytes.startsWith("WT") || t.bytes.startsWith("OK"))
            order.push_back({t.element, t.direction});
    const std::vector<std::pair<int, char>> round{{1, '<'}, {2, '>'}, {2, '<'}, {1, '>'}};
    ASSERT_EQ(order.size(), 16u);
    for (size_t k = 0; k < 16; ++k)
        EXPECT_EQ(order[k], round[k % 4]) << k;
    EXPECT_EQ(Com.Pturn, 3);
    EXPECT_TRUE(EveryCardOnce());
}

// The mover's program sends a bare GS, LO or EG in the same write as its moves: none belongs
// to the turn, so none ends it, and the host answers every move to the discard.
TEST_F(RemoteTurnTest, AMoversStrayStartLayoutOrEndDoesNotStopTheHostsAnswers) {
    const int port = HostListening(2);
    const Playable play = DealFor(2);
    const QByteArray move =
        "PC  " + QByteArray::number(play.slot) + "# " + QByteArray::number(play.pile) + "\n";
    const QByteArray drop = "PC  " + QByteArray::number(play.slot == 3 ? 4 : 3) + "# 9\n";
    peer = std::thread([&] {
        PeerSocket p;
        if (!p.Connect(port)) return;
        p.Line();
        p.Send("IP Vornhelm Online^ 9. 6. 0\n");
        p.Line();
        AwaitReady();
        const std::pair<const char*, QByteArray> script[] = {
            {"GS\n", move}, {"LO\n", "WT\n"}, {"EG\n", drop}, {"GS\n", "OK\n"}};
        for (const auto& [stray, m] : script) {
            p.Send(stray); // alone, so that the host takes it for the last word
            std::this_thread::sleep_for(30ms);
            p.Send(stray + m);
            got.push_back(p.Line());
        }
        HoldUntilReleased();
    });
    ASSERT_TRUE(Pump([] { return Com.NetGame == 1; }));
    Com.NetSockets[1].Seat = 1;
    SeatOnTurn(2);
    Opponent();
    release = true;
    peer.join();
    EXPECT_EQ(got, (std::vector<QByteArray>{"PC\n", "WT\n", "PC\n", "OK\n"}));
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_TRUE(EveryCardOnce());
}

TEST_F(RemoteTurnTest, APeerLostMidExchangeLeavesTheTableWhole) {
    PeerListener host;
    JoinAsRemote(host, 2);
    const Playable play = DealFor(2);
    const QByteArray move =
        "PC  " + QByteArray::number(play.slot) + "# " + QByteArray::number(play.pile) + "\n";
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        AwaitReady();
        p.Send(move);
        got.push_back(p.Line());
        p.Close(); // gone before its WT
    });
    ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    SeatOnTurn(2);
    svc.boxes->Expect(platform::vbOK); // "Dealer has terminated game."
    svc.boxes->Expect(platform::vbNo); // no save of the ended game
    Opponent();
    peer.join();
    EXPECT_EQ(got, std::vector<QByteArray>{"PC\n"});
    // The lost host ended the Internet game; the turn ended with it.
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Com.Pturn, 0);
    // The table was cleared once the card in flight had landed, not under it.
    EXPECT_EQ(Eng.CenterCount(play.pile), 0);
    // The sender's side of a lost exchange returns as well, without the WT.
    Eng.MoveFrom = 4;
    Eng.MoveTo = 1;
    Move_Transmit();
    EXPECT_FALSE(form->Label9(0).Visible());
}

// The player plays to a center pile, then discards with the keys (pad 2, Enter, pad 7): the
// host is sent that discard, not the play before it again, and the card's frame goes with it.
TEST_F(RemoteTurnTest, ADiscardMadeWithTheKeysIsTheMoveSent) {
    constexpr int kPad2 = 98, kPad7 = 103, kEnterKey = 13;
    PeerListener host;
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        got.push_back(p.Line());
        p.Send("PC\nSY  1#Hosta: nice\n");
        got.push_back(p.Line());
        p.Send("OK\nSY  2#Hosta: my turn\n");
        HoldUntilReleased();
    });
    JoinAsRemote(host, 2);
    ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    for (unsigned seed = 3; Eng.PlayerCards(0, 2) == 0 || Eng.PlayerHoldCount(1) >= kHoldCovered - 1; ++seed)
        FillTable(seed);
    const int card = Eng.PlayerCards(0, 2);
    Com.Pturn = 1;
    WhosOnFirst();
    Netl.Move_Transmit_Done = [] { Move_Transmit_Done(); };
    Eng.MoveFrom = 4; // the play to a center pile just before
    Eng.MoveTo = 1;
    bool framed = true;
    Hooks.ComputerTurn = [&] { framed = form->lblHighlight.Visible(); };
    form->cmdDeal.SetVisible(false);
    form->Picture7(2).SetEnabled(true);
    for (int key : {kPad2, kEnterKey, kPad7})
        KeyCommand(key, 0);
    release = true;
    peer.join();
    EXPECT_EQ(got, (std::vector<QByteArray>{"PC  2# 7\n", "OK\n"}));
    EXPECT_EQ(Eng.PlayerCards(0, 7), card);
    EXPECT_EQ(Com.Pturn, 2);
    EXPECT_FALSE(framed) << "the emptied hand place stays framed through the other seat's turn";
}

TEST_F(RemoteTurnTest, AMoveIsCheckedBeforeItIsApplied) {
    Table(2);
    FillTable(4);
    SeatOnTurn(2);
    for (int s = 1; s <= 10; ++s)
        Eng.SeatCards(0, s) = Eng.SeatCards(1, s) = 0;
    Eng.SeatCards(0, 2) = 13, Eng.SeatCards(1, 2) = 13; // a King
    Eng.SeatCards(0, 3) = 5, Eng.SeatCards(1, 3) = 5;
    Eng.SeatCards(0, 8) = 1, Eng.SeatCards(1, 8) = 1;
    Eng.CenterCount(1) = 0;
    Eng.CenterCount(2) = 4;
    Eng.CenterCount(3) = 12;
    Com.NoWildAce = true;
    Eng.SeatHoldInfo(2, 1) = kHoldPlaces;
    EXPECT_EQ(Move_Check(3, 2), MoveKind::Center);
    EXPECT_EQ(Move_Check(3, 1), MoveKind::Invalid); // a 5 on an empty pile
    EXPECT_EQ(Move_Check(2, 1), MoveKind::Invalid); // no King on an empty pile under this rule
    EXPECT_EQ(Move_Check(2, 3), MoveKind::Invalid); // the pile is full
    EXPECT_EQ(Move_Check(8, 1), MoveKind::Center);  // a hold top
    EXPECT_EQ(Move_Check(4, 2), MoveKind::Invalid); // an empty slot
    EXPECT_EQ(Move_Check(3, 7), MoveKind::Discard);
    EXPECT_EQ(Move_Check(3, 8), MoveKind::Invalid); // no room on that hold pile
    EXPECT_EQ(Move_Check(8, 9), MoveKind::Invalid); // only hand cards are discarded
    EXPECT_EQ(Move_Check(3, 16), MoveKind::HandMove);
    EXPECT_EQ(Move_Check(3, 11), MoveKind::Invalid); // slot 1 is no hand slot
    EXPECT_EQ(Move_Check(0, 1), MoveKind::Invalid);
    EXPECT_EQ(Move_Check(11, 1), MoveKind::Invalid);
}

} // namespace
