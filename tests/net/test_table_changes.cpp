// What the peers change while this program shows a move or waits: a layout that takes away
// the place a remote seat's card flies to, a caller taken in while the host's player presses
// New Game, and the start with an older program. The scripted peers write what changes the
// table in the same write as the line before it.
#include "common/NetCodes.h"
#include "engine/Deal.h"
#include "engine/GameOnTable.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "net/InternetSetup.h"
#include "net/NetMessage.h"
#include "net/NetSockets.h"
#include "net/RemoteTurn.h"
#include "net/frmPlayers.h"
#include "opponent/TurnLoop.h"
#include "opponent/WorkingSet.h"
#include "shell/KeyCommand.h"
#include "table/Redraw.h"
#include "tests/net/PeerTableTest.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr int kF2Key = 113;

class TableChanges : public PeerTableTest {
  protected:
    void SetUp() override {
        PeerTableTest::SetUp();
        Com.PlayerName = "Ada";
    }
    void TearDown() override {
        release = true;
        PeerTableTest::TearDown();
        ConnectionWindow_Show = [] { frmPlayers().Show(true); };
    }
    // This program as the remote in host seat 2 of a table of `players`, connected.
    void Remote(PeerListener& host, int players) {
        JoinAsRemote(host, players);
        Com.NetGame = players - 1;
        Com.NetSeat = 1;
        Net.NetReady = 1;
    }
    // A table where `seat` holds in hand a card that fits center pile `pile`; its slot.
    int CardFor(int seat, int pile) {
        for (unsigned seed = 1;; ++seed) {
            FillTable(seed);
            const SeatRecord& r = SeatRecordOf(seat);
            for (int s = 2; s <= 6; ++s)
                if (r.RecCards(0, s) != 0 && r.RecCards(1, s) == Eng.CenterCount(pile) + 1) return s;
        }
    }
    void OnTurn(int seat) {
        Com.Pturn = seat;
        WhosOnFirst();
        WorkingSet_Load();
        Eng.TurnResumedOpp = 1;
        Com.NetState = kNetNone;
    }
    std::atomic<bool> release = false;
    std::vector<QByteArray> got;
};

// A seat's play to center pile 4, a move inside its hand or a discard comes in one write
// with the end of the game and a layout for two players, which has no seat 3 and no fourth
// pile: what the move shows stops with the game it belonged to, nothing faults, and the
// layout is answered.
TEST_F(TableChanges, ALayoutThatTakesAwayAMovesPlaceStopsTheMove) {
    struct Case {
        int mover;
        const char* to;
    } cases[] = {{2, "4"}, {3, "4"}, {3, "16"}, {3, "7"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "seat " << c.mover << " to " << c.to);
        PeerListener host;
        Remote(host, 3);
        const int slot = CardFor(c.mover, 4);
        const QByteArray move = "PC  " + QByteArray::number(slot) + "# " + c.to + "\n";
        got.clear();
        release = false;
        peer = std::thread([&] {
            PeerSocket p(host.Accept());
            p.Send(move + "EG\nLO  2  1\n");
            got = {p.Line(), p.Line()};
            for (int i = 0; i < 500 && !release; ++i)
                std::this_thread::sleep_for(10ms);
        });
        ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
        OnTurn(c.mover);
        Opponent();
        release = true;
        peer.join();
        EXPECT_EQ(got, (std::vector<QByteArray>{"PC\n", "LO\n"}));
        EXPECT_TRUE(svc.boxes->shown.empty()) << svc.boxes->shown.front().text.toStdString();
        EXPECT_EQ(Com.NumPlayers, 2);
        EXPECT_EQ(Com.NumCenters, 3);
        EXPECT_EQ(Com.Pturn, 0);
        EXPECT_FALSE(Net.RemoteTurnRunning);
        Net_Reset();
        svc.boxes->shown.clear();
    }
}

// The host's player starts a new game while this program waits for the host's first move: the
// turn it broke off leaves the new table alone, so DEAL stays and its press answers the host.
TEST_F(TableChanges, TheHostsNewGameDuringItsOwnTurnIsAnsweredByTheDealPress) {
    PeerListener host;
    Remote(host, 2);
    FillTable(3);
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        p.Send("GS\n");
        got = {p.Line()};
        p.Send("EG\n"); // ends the set-up's wait for the stock
        for (int i = 0; i < 500 && !release; ++i)
            std::this_thread::sleep_for(10ms);
    });
    ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    OnTurn(2);
    Netl.Opponent = [] { Opponent(); };
    Opponent_Install();
    Hooks.ComputerTurn();
    EXPECT_TRUE(form->cmdDeal.Visible());
    EXPECT_EQ(form->Label9(kLblMessage).Caption(), "\r\nHOST began a NEW GAME!");
    cmdDeal_Click();
    release = true;
    peer.join();
    EXPECT_EQ(got, std::vector<QByteArray>{"GS\n"});
}

// The host's player presses F2 while a late caller is being taken in, between the caller's
// identification and its name: no game starts inside that wait, the caller is seated and
// the table's layout goes to both players.
TEST_F(TableChanges, NewGameWaitsForTheCallerBeingTakenIn) {
    const int port = HostListening(3);
    std::vector<QByteArray> bo, cy;
    std::atomic<bool> seated = false, pressed = false;
    peer = std::thread([&, port] {
        PeerSocket a, b;
        if (!a.Connect(port)) return;
        a.Line();
        a.Send("IP Vornhelm Online^ 9. 6. 0\n");
        a.Line();
        a.Send("NM Bo\n");
        for (int i = 0; i < 500 && !seated; ++i)
            std::this_thread::sleep_for(10ms);
        if (!b.Connect(port)) return;
        b.Line();
        b.Send("IP Vornhelm Online^ 9. 6. 0\n");
        cy.push_back(b.Line());
        for (int i = 0; i < 500 && !pressed; ++i)
            std::this_thread::sleep_for(10ms);
        b.Send("NM Cy\nSY  1#Cy: hello\n");
        // The first player answers what the host asks of it; neither says anything else.
        a.ReadTimeout(300);
        b.ReadTimeout(300);
        for (QByteArray l = a.Line(); !l.isEmpty(); l = a.Line()) {
            bo.push_back(l);
            a.Send(l.left(2) + "\n");
        }
        for (QByteArray l = b.Line(); !l.isEmpty(); l = b.Line())
            cy.push_back(l);
    });
    ASSERT_TRUE(Pump([] { return Com.NetGame == 1 && Com.NetSockets[1].Seat != 0; }));
    Net.NetReady = 1;
    seated = true;
    QTimer f2;
    QObject::connect(&f2, &QTimer::timeout, [&] {
        if (pressed || Com.NetGame != 2) return;
        KeyCommand(kF2Key, 0);
        pressed = true;
    });
    f2.start(1);
    svc.boxes->Expect(platform::vbYes); // "New opponent joining"
    ASSERT_TRUE(Pump([] { return Com.NetSockets[2].Seat != 0; }));
    peer.join();
    EXPECT_TRUE(pressed);
    for (const auto* lines : {&bo, &cy})
        for (const QByteArray& l : *lines)
            EXPECT_FALSE(l.startsWith("GS")) << "a game started inside the wait";
    ASSERT_FALSE(bo.empty());
    EXPECT_TRUE(bo.front().startsWith("LO  3  1|")) << bo.front().toStdString();
    ASSERT_EQ(cy.size(), 2u);
    EXPECT_TRUE(cy.back().startsWith("LO  3  2|")) << cy.back().toStdString();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown.front().title, "New opponent joining");
    EXPECT_FALSE(Eng.TableBusy);
    EXPECT_FALSE(Table_CommandsHeld());
}

// An older program joins and starts its game at once: the host's notice that tells how to
// start a game goes once the game has started. The peer writes each answer with a chat line.
TEST_F(TableChanges, TheStartNoticeGoesWhenAnOlderProgramsGameStarts) {
    Table(2);
    ConnectionWindow_Show = [] {
        Com.NetGame = 99;
        Com.NetHost = 1;
    };
    Hooks.ComputerTurn = [] {};
    std::atomic<int> port = 0;
    QTimer listening;
    QObject::connect(&listening, &QTimer::timeout, [&] {
        if (port == 0 && Winsock1().State(0) == platform::sckListening) port = Winsock1().LocalPort(0);
    });
    listening.start(0);
    peer = std::thread([&] {
        for (int i = 0; i < 1000 && port == 0; ++i)
            std::this_thread::sleep_for(5ms);
        PeerSocket p;
        if (!p.Connect(port)) return;
        p.Line();
        p.Send("IP Vornhelm Online^ 7. 4. 0\n");
        p.Line();
        p.Send("NM Bob\nSY  1#Bob: hello\n");
        // Each of these is answered; the layout, which goes to every player, is passed over.
        for (const char* code : {"GS", "DK", "TR"}) {
            for (QByteArray line = p.Line(); !line.isEmpty(); line = p.Line())
                if (got.emplace_back(line.left(2)) == code) break;
            p.Send(QByteArray(code) + "\nSY  2#Bob: ready\n");
        }
        for (int i = 0; i < 500 && !release; ++i)
            std::this_thread::sleep_for(10ms);
    });
    svc.boxes->Expect(platform::vbOK); // told the peer is an older program
    SetupInternet();
    release = true;
    peer.join();
    EXPECT_EQ(got, (std::vector<QByteArray>{"GS", "LO", "DK", "TR"}));
    EXPECT_NE(Com.Pturn, 0);
    EXPECT_FALSE(form->StatusMsg.Visible()) << form->StatusMsg.Caption().toStdString();
}

// The last player leaving a won game: the kept table keeps its names until it is cleared.
TEST_F(TableChanges, AWonGamesTableKeepsItsPlayersUntilItIsCleared) {
    NetHooks.Seats_FromProfile = [] { Eng.Seat2Rec.RecName = "Grulm"; };
    Hooks.Labels_PlayerNames = [] { Table_ShowSeats(); };
    Table(2);
    Com.NetHost = 1;
    Com.NetGame = 1;
    Com.PeerVersion = "96";
    Net.Counted[1] = true;
    Com.NetSockets[1] = {"Bo", 1, kRowInUse, 1};
    Net.NetSockCount = 1;
    Eng.Seat2Rec.RecName = "Bo";
    form->Label9(SeatNameLabel(2)).SetCaption("Bo");
    Com.Pturn = 0; // Bo has won
    Eng.SeatSideCount = 0;
    Eng.PlayerSideCount = 6;
    svc.boxes->Expect(platform::vbOK); // "Bo quit the game."
    const QByteArray go = "GO";
    Net_ProcessMessage(1, &go);
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Bo");
    EXPECT_EQ(form->Label9(SeatNameLabel(2)).Caption(), "Bo");
    form->Table_Clear();
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Grulm");
    EXPECT_EQ(form->Label9(SeatNameLabel(2)).Caption(), "Grulm");
}

} // namespace
