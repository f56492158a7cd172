// Against scripted peers over 127.0.0.1: New Game and restore pressed while the host's
// Internet start waits for its peer, and a host's end, new game or new layout, or a
// player leaving, while the cards are dealt. Each leaves a usable table and no error box.
#include "common/Card.h"
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
#include "tests/net/JoinedPeer.h"
#include "tests/net/PeerTableTest.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class StartAndDeal : public PeerTableTest {
  protected:
    void SetUp() override {
        PeerTableTest::SetUp();
        Com.PlayerName = "Ada";
        svc.boxes->onUnexpected = [](const platform::MsgCall& c) { ADD_FAILURE() << c.text.toStdString(); };
        // The first card in flight holds the deal until the peer's lines are on their way.
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (!Tbl.Dealing) return;
            watch.stop();
            dealing = true;
            Until(written);
            std::this_thread::sleep_for(20ms);
        });
    }
    void TearDown() override {
        release = true;
        PeerTableTest::TearDown();
        MenuWin = MenuWindowsT{};
        ConnectionWindow_Show = [] { frmPlayers().Show(true); };
    }
    static void Until(const std::atomic<bool>& flag) {
        for (int i = 0; i < 2000 && !flag; ++i)
            std::this_thread::sleep_for(2ms);
    }
    // The host's stock for a table of `players`, in pack order.
    static QByteArray Stock(int players) {
        BArray<int, 2> deck(2, players * 52);
        for (int i = 1; i <= players * 52; ++i) {
            deck(0, i) = i;
            deck(1, i) = RankOf(i);
        }
        const StockRules rules;
        return (Stock_Message(deck, players * 52, QStringLiteral("96"), &rules) + "\n").toLatin1();
    }
    static bool Hands(bool full) {
        for (int seat = 1; seat <= Com.NumPlayers; ++seat)
            for (int slot = 2; slot <= 6; ++slot)
                if (((*Seat(seat).cards)(0, slot) != 0) != full) return false;
        return true;
    }
    void ExpectStoppedDeal() {
        EXPECT_TRUE(dealing);
        EXPECT_EQ(Com.Pturn, 0);
        EXPECT_TRUE(Hands(false));
        EXPECT_FALSE(Eng.TableBusy);
    }

    QTimer watch;
    QByteArrayList got; // what the peer read, written by its thread until joined
    std::atomic<bool> dealing = false, written = false, release = false;
};

struct DuringDeal {
    const char* what;
    int players;
    QByteArray lines; // the host's lines while this program deals, and the answers to them
    const char* answers;
};

class MessageDuringDeal : public StartAndDeal, public ::testing::WithParamInterface<DuringDeal> {};

TEST_P(MessageDuringDeal, StopsTheRemotesDealAndTheNextGameDealsInFull) {
    const DuringDeal c = GetParam();
    PeerListener host;
    Net.NetReady = 1;
    const QByteArrayList first{"GS\n", Stock(c.players), c.players == 2 ? "TR  1\n" : "TR  2\n"};
    const QByteArrayList second{Stock(2), "TR  1\n"};
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        for (const QByteArray& line : first) {
            p.Send(line);
            got << p.Line().trimmed();
        }
        Until(dealing);
        p.Send(c.lines);
        written = true;
        for (qsizetype n = QByteArray(c.answers).count(' ') + 1; n > 0; --n)
            got << p.Line().trimmed();
        for (const QByteArray& line : second) {
            p.Send(line);
            got << p.Line().trimmed();
        }
        Until(release);
    });
    JoinAsRemote(host, c.players);
    Com.NetGame = c.players - 1;
    ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));
    watch.start();
    cmdDeal_Click();
    ExpectStoppedDeal();
    ASSERT_EQ(Com.NumPlayers, 2);
    ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));
    cmdDeal_Click();
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_TRUE(Hands(true));
    EXPECT_TRUE(form->Picture7(2).Enabled());
    release = true;
    peer.join();
    EXPECT_EQ(got.join(' '), "GS DK TR " + QByteArray(c.answers) + " DK TR");
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageDuringDeal,
                         ::testing::Values(DuringDeal{"EndOfGame", 2, "EG\nGS\n", "GS"},
                                           DuringDeal{"NewGame", 2, "GS\n", "GS"},
                                           DuringDeal{"SmallerTable", 3, "LO  2  1\nGS\n", "LO GS"}),
                         [](const ::testing::TestParamInfo<DuringDeal>& i) { return i.param.what; });

TEST_F(StartAndDeal, APlayerLeavingATableOfThreeStopsTheHostsDeal) {
    const int port = HostListening(3);
    Com.Pturn = 0;
    svc.boxes->Expect(platform::vbYes); // Cy may join
    std::atomic<bool> seated = false;
    peer = std::thread([&, port] {
        PeerSocket bo, cy;
        // Each seated caller answers every layout.
        for (const auto& laidOut : {std::vector{&bo}, std::vector{&bo, &cy}}) {
            joined::Call(*laidOut.back(), port, laidOut.size() == 1 ? "Bo" : "Cy");
            for (PeerSocket* s : laidOut) {
                s->Line();
                s->Send("LO\n");
            }
        }
        seated = true;
        for (int step = 0; step < 3; ++step) { // GS, DK and TR, answered by both
            got << bo.Line().left(2);
            cy.Line();
            bo.Send(got.back() + "\n");
            cy.Send(got.back() + "\n");
        }
        Until(dealing);
        cy.Close();
        written = true;
        got << bo.Line().trimmed();
        Until(release);
    });
    ASSERT_TRUE(Pump([&] { return seated && Com.NetGame == 2 && Com.NetAckCount == 3; }));
    Hooks.ComputerTurn = [] {};
    watch.start();
    Game_New();
    ExpectStoppedDeal();
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(form->Label9(kLblMessage).Caption(), "Cy quit the game.");
    // The next command is taken: two players are left at a table for three.
    svc.boxes->Expect(platform::vbOK);
    Game_New();
    EXPECT_TRUE(svc.boxes->shown.back().text.startsWith("You have 1 opponent(s)."));
    release = true;
    peer.join();
    EXPECT_EQ(got.join(' '), "GS DK TR EG");
}

TEST_F(StartAndDeal, NewGameAndRestoreWaitWhileTheHostsStartWaitsForItsPeer) {
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
        if (joined::Call(p, port, "Bob", " 7. 4. 0").empty()) return; // a program that starts its game at once
        for (const char* code : {"GS", "DK", "TR"}) {
            for (QByteArray line = p.Line(); !line.isEmpty(); line = p.Line())
                if ((got << line.left(2)).back() == code) break;
            if (got.back() == "GS") {
                asked = true;
                Until(pressed);
            }
            p.Send(QByteArray(code) + "\n");
        }
        Until(release);
    });
    svc.boxes->Expect(platform::vbOK); // told the peer is an older program
    SetupInternet();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(dialogs, 0);
    EXPECT_NE(Com.Pturn, 0);
    EXPECT_TRUE(Hands(true));
    EXPECT_FALSE(Game_Starting());
    release = true;
    peer.join();
    // One start: a single GS, then the stock and the first player.
    EXPECT_EQ(got.count("GS"), 1);
    EXPECT_TRUE(got.join(' ').endsWith("DK TR")) << got.join(' ').toStdString();
}

} // namespace
