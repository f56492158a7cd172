// Starts that overlap and messages that arrive during the deal, against scripted peers
// over 127.0.0.1: New Game and restore pressed while an Internet start waits for its
// peer, a host's end, new game or new layout arriving while the remote deals, and a
// player leaving a table of three while the host deals. Each leaves a table that
// deals the next game in full and shows no error box.
#include "common/Card.h"
#include "common/NetCodes.h"
#include "engine/Deal.h"
#include "engine/GameOnTable.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "net/InternetSetup.h"
#include "net/NetInstall.h"
#include "net/NetSockets.h"
#include "net/frmPlayers.h"
#include "shell/MenuCommands.h"
#include "table/TableState.h"
#include "tests/net/NetTableTest.h"
#include "tests/net/PeerTest.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class StartAndDeal : public NetTableTest {
  protected:
    void SetUp() override {
        NetTableTest::SetUp();
        Net_Install();
        Winsock1().bindAddress = QHostAddress::LocalHost;
        Net.NetPort = 0;
        Com.PlayerName = "Ada";
        guard = Net_AbortLimit();
        svc.boxes->onUnexpected = [](const platform::MsgCall& c) { ADD_FAILURE() << c.text.toStdString(); };
        // The first card in flight holds the deal until the peer's line has been written.
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (!Tbl.Dealing) return;
            watch.stop();
            dealing = true;
            for (int i = 0; i < 3000 && !written; ++i)
                std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(20ms);
        });
    }
    void TearDown() override {
        release = true;
        if (peer.joinable()) peer.join();
        delete guard;
        MenuWin = MenuWindowsT{};
        ConnectionWindow_Show = [] { frmPlayers().Show(true); };
        NetTableTest::TearDown();
    }
    // The peer's stock message for a table of `players`, in pack order.
    static QByteArray Stock(int players) {
        BArray<int, 2> deck(2, players * 52);
        for (int i = 1; i <= players * 52; ++i) {
            deck(0, i) = i;
            deck(1, i) = RankOf(i);
        }
        const StockRules rules;
        return (Stock_Message(deck, players * 52, QStringLiteral("96"), &rules) + "\n").toLatin1();
    }
    void AwaitDealing() const {
        for (int i = 0; i < 1000 && !dealing; ++i)
            std::this_thread::sleep_for(5ms);
    }
    void HoldUntilReleased() const {
        for (int i = 0; i < 2000 && !release; ++i)
            std::this_thread::sleep_for(5ms);
    }
    static bool HandsFull(bool full) {
        for (int seat = 1; seat <= Com.NumPlayers; ++seat)
            for (int slot = 2; slot <= 6; ++slot)
                if (((*Seat(seat).cards)(0, slot) != 0) != full) return false;
        return true;
    }

    QTimer* guard = nullptr;
    QTimer watch;
    std::thread peer;
    std::atomic<bool> dealing = false, written = false, release = false;
};

struct DuringDeal {
    const char* what;
    int players;
    QByteArray lines;  // what the host writes while this program deals
    QByteArray answer; // what this program answers to it, if anything
};

class MessageDuringDeal : public StartAndDeal, public ::testing::WithParamInterface<DuringDeal> {};

TEST_P(MessageDuringDeal, StopsTheRemotesDealAndTheNextGameDealsInFull) {
    const DuringDeal c = GetParam();
    PeerListener host;
    Table(c.players);
    Com.NetHost = 0;
    Com.NetGame = c.players - 1;
    Com.NetSeat = 1;
    Com.PeerVersion = "96";
    Net.NetReady = 1;
    Net.NetHostAddress = "127.0.0.1";
    Net.NetPort = host.port;
    const QByteArray first = Stock(c.players), second = Stock(2);
    std::vector<QByteArray> got;
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        p.Send("GS\n");
        got.push_back(p.Line());
        p.Send(first);
        got.push_back(p.Line());
        p.Send(c.players == 2 ? "TR  1\n" : "TR  2\n");
        got.push_back(p.Line());
        AwaitDealing();
        p.Send(c.lines);
        written = true;
        if (!c.answer.isEmpty()) got.push_back(p.Line());
        got.push_back(p.Line()); // the next game
        p.Send(second);
        got.push_back(p.Line());
        p.Send("TR  1\n");
        got.push_back(p.Line());
        HoldUntilReleased();
    });
    NetConnectRemote();
    ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));
    watch.start();
    cmdDeal_Click();
    EXPECT_TRUE(dealing);
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_TRUE(HandsFull(false));
    EXPECT_FALSE(Eng.TableBusy);
    ASSERT_EQ(Com.NumPlayers, 2);
    ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));

    cmdDeal_Click();
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_TRUE(HandsFull(true));
    EXPECT_TRUE(form->Picture7(2).Enabled());
    release = true;
    peer.join();
    std::vector<QByteArray> expected{"GS\n", "DK\n", "TR\n"};
    if (!c.answer.isEmpty()) expected.push_back(c.answer);
    expected.insert(expected.end(), {"GS\n", "DK\n", "TR\n"});
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(svc.boxes->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageDuringDeal,
                         ::testing::Values(DuringDeal{"the host ends the game", 2, "EG\nGS\n", ""},
                                           DuringDeal{"the host starts another", 2, "GS\n", ""},
                                           DuringDeal{"a smaller table", 3, "LO  2  1\nGS\n", "LO\n"}),
                         [](const ::testing::TestParamInfo<DuringDeal>& i) {
                             return QString(i.param.what).remove(' ').toStdString();
                         });

TEST_F(StartAndDeal, APlayerLeavingATableOfThreeStopsTheHostsDeal) {
    Table(3);
    Com.NetHost = 1;
    Com.NetGame = 99;
    Com.Pturn = 0;
    NetHostListen();
    const int port = Winsock1().LocalPort(0);
    svc.boxes->Expect(platform::vbYes); // Cy may join
    std::vector<QByteArray> bo;
    std::atomic<bool> seated = false;
    peer = std::thread([&, port] {
        PeerSocket p1, p2;
        auto join = [](PeerSocket& p, const char* name) {
            p.Line();
            p.Send("IP Vornhelm Online^ 9. 6. 0\n");
            p.Line();
            p.Send(name);
        };
        if (!p1.Connect(port)) return;
        join(p1, "NM Bo\n");
        p1.Line();
        p1.Send("LO\n");
        if (!p2.Connect(port)) return;
        join(p2, "NM Cy\n");
        p1.Line();
        p2.Line();
        p1.Send("LO\n");
        p2.Send("LO\n");
        seated = true;
        // Both answer every step of the start; Cy leaves once the cards fly.
        for (int step = 0; step < 3; ++step) {
            bo.push_back(p1.Line().left(2));
            p2.Line();
            p1.Send(bo.back() + "\n");
            p2.Send(bo.back() + "\n");
        }
        AwaitDealing();
        p2.Close();
        written = true;
        bo.push_back(p1.Line());
        HoldUntilReleased();
    });
    ASSERT_TRUE(Pump([&] { return seated && Com.NetGame == 2 && Com.NetAckCount == 3; }));
    Hooks.ComputerTurn = [] {};
    watch.start();
    Game_New();
    EXPECT_TRUE(dealing);
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_TRUE(HandsFull(false));
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_FALSE(Eng.TableBusy);
    EXPECT_EQ(form->Label9(kLblMessage).Caption(), "Cy quit the game.");
    // The table takes the next command: two players left for a table of three.
    svc.boxes->Expect(platform::vbOK);
    Game_New();
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_TRUE(svc.boxes->shown[1].text.startsWith("You have 1 opponent(s)."));
    release = true;
    peer.join();
    EXPECT_EQ(bo, (std::vector<QByteArray>{"GS", "DK", "TR", "EG\n"}));
}

TEST_F(StartAndDeal, NewGameAndRestoreWaitWhileAnInternetStartWaitsForItsPeer) {
    Table(2);
    ConnectionWindow_Show = [] {
        Com.NetGame = 99;
        Com.NetHost = 1;
    };
    Hooks.ComputerTurn = [] {};
    int dialogs = 0;
    MenuWin.SaveDialog = [&](bool) { ++dialogs; };
    std::atomic<int> port = 0;
    std::atomic<bool> asked = false, pressed = false;
    std::vector<QByteArray> got;
    QTimer press;
    press.setInterval(0);
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (port == 0 && Winsock1().State(0) == platform::sckListening) port = Winsock1().LocalPort(0);
        if (!asked || pressed) return;
        pressed = true; // the peer answers now, whatever these start
        MenuGame(kGameNew);
        MenuGame(kGameRestore);
    });
    press.start();
    peer = std::thread([&] {
        for (int i = 0; i < 1000 && port == 0; ++i)
            std::this_thread::sleep_for(5ms);
        PeerSocket p;
        if (!p.Connect(port)) return;
        p.Line();
        p.Send("IP Vornhelm Online^ 7. 4. 0\n"); // a program that starts its game at once
        p.Line();
        p.Send("NM Bob\n");
        auto until = [&](const char* code) {
            for (QByteArray line = p.Line(); !line.isEmpty(); line = p.Line()) {
                got.push_back(line.left(2));
                if (line.startsWith(code)) return;
            }
        };
        until("GS");
        asked = true;
        for (int i = 0; i < 1000 && !pressed; ++i)
            std::this_thread::sleep_for(5ms);
        p.Send("GS\n");
        until("DK");
        p.Send("DK\n");
        until("TR");
        p.Send("TR\n");
        HoldUntilReleased();
    });
    svc.boxes->Expect(platform::vbOK); // told the peer is an older program
    SetupInternet();
    press.stop();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_NE(Com.Pturn, 0);
    EXPECT_TRUE(HandsFull(true));
    EXPECT_FALSE(Game_Starting());
    release = true;
    peer.join();
    // One start: a single GS, and the stock and first player after it.
    EXPECT_EQ(std::count(got.begin(), got.end(), QByteArray("GS")), 1);
    EXPECT_EQ(got.end()[-2], "DK");
    EXPECT_EQ(got.back(), "TR");
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
}

} // namespace
