// Our program on the main thread against a scripted peer on its own thread,
// over 127.0.0.1: listening, connecting, accepting, refusing, exchanges with
// split and joined chunks, nested waits and the peer's close.
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetInstall.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "platform/Text1252.h"
#include "tests/net/PeerTest.h"
#include "tests/support/TestSupport.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class NetLoopback : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Net_Reset();
        NetHooks = NetHooksT{};
        guard = Net_InstallOnLoopback();
    }
    void TearDown() override {
        Net_EndPeer(peer, guard);
        Net_Reset();
        NetHooks = NetHooksT{};
        GameTest::TearDown();
    }
    static void Send(const QByteArray& line, int element) {
        QString m = platform::FromCp1252(line);
        Net_Send(m, element);
    }

    QTimer* guard = nullptr;
    std::thread peer;
    std::vector<QByteArray> got; // lines the peer read, written by its thread until joined
    std::vector<int> states;     // NetState at each handled message
};

TEST_F(NetLoopback, HostAcceptsIdentifiesExchangesAndSeesTheClose) {
    Com.NetHost = 1;
    Com.NetGame = 99;
    NetHostListen();
    const int port = Winsock1().LocalPort(0);
    ASSERT_GT(port, 0);
    EXPECT_EQ(Winsock1().State(0), platform::sckListening);
    QStringList chat;
    NetHooks.Net_ProcessChat = [&](const QString& line, int) { chat << line; };
    NetHooks.HostCases = [&](int s) {
        states.push_back(Com.NetState);
        if (Com.NetState == kNetIP) Send(Msg_NM("Host", true), s);
        if (Com.NetState == kNetNM) {
            // Seated, and on turn with a move under way: its WT may come.
            Com.NetSockets[static_cast<size_t>(s)].Seat = 1;
            Lines_TurnBegins(2);
            Lines_Taken(kNetPC, 5, 2);
        }
    };
    peer = std::thread([&, port] {
        PeerSocket p;
        if (!p.Connect(port)) return;
        got.push_back(p.Line());
        p.Send("IP Vornhelm Online^ 9. 6. 0\n");
        got.push_back(p.Line());
        p.Send("NM Pe");
        std::this_thread::sleep_for(30ms);
        p.Send("er\nSY  1#hi there\n");
        got.push_back(p.Line()); // the move
        p.Send("P");
        std::this_thread::sleep_for(30ms);
        p.Send("C\n");
        got.push_back(p.Line()); // GS: the rest may come
        p.Send("WT\nPC  4# 8\nOK\n");
        p.Close();
    });
    ASSERT_TRUE(Pump([] { return Com.NetText == "Peer"; }));
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Com.PeerVersion, "96");
    EXPECT_EQ(Com.NetSockets[1].InUse, 7);

    const Exchange pc = Net_Open(kNetPC, 1u << 1);
    Send(Msg_PC(5, 2), 1);
    EXPECT_TRUE(Net_Wait(pc));
    EXPECT_EQ(Com.NetAckCount, Com.NumPlayers);
    EXPECT_EQ(Net.NetMoveFrom, 0); // a bare answer carries no move
    Send(Msg_Bare(kNetGS), 1);
    ASSERT_TRUE(Pump([] { return Com.NetState == kNetLost; }));
    peer.join();

    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "IP Vornhelm Online^ 9. 6. 0^ 1\n");
    EXPECT_EQ(got[1], "NM Host^Vornhelm Online 9.6\n");
    EXPECT_EQ(got[2], "PC  5# 2\n");
    EXPECT_EQ(got[3], "GS\n");
    EXPECT_EQ(chat, QStringList{"SY  1#hi there"});
    // The peer's last lines are handled before its leaving, and the leaving once.
    EXPECT_EQ(states, (std::vector<int>{kNetIP, kNetNM, kNetPC, kNetWT, kNetPC, kNetOK, kNetLost}));
    const auto sent = std::count_if(Net.Trace.begin(), Net.Trace.end(), [](const NetTraceEntry& t) {
        return t.element == 1 && t.direction == '>';
    });
    EXPECT_EQ(sent, 4);
}

TEST_F(NetLoopback, AHostSetUpForTwoRefusesASecondCaller) {
    Com.NetHost = 1;
    Com.NetGame = 99;
    Com.NumPlayers = 2;
    NetHostListen();
    const int port = Winsock1().LocalPort(0);
    NetHooks.HostCases = [&](int) { states.push_back(Com.NetState); };
    svc.boxes->Expect(platform::vbOK);
    std::vector<QByteArray> second;
    std::atomic<bool> identified = false;
    peer = std::thread([&, port] {
        PeerSocket first;
        if (!first.Connect(port)) return;
        got.push_back(first.Line());
        first.Send("IP Vornhelm Online^ 9. 6. 0\n");
        for (int i = 0; i < 500 && !identified; ++i)
            std::this_thread::sleep_for(10ms);
        PeerSocket late;
        if (!late.Connect(port)) return;
        second.push_back(late.Line());
        second.push_back(late.Line());
        second.push_back(late.AtEnd() ? "end" : "open");
    });
    ASSERT_TRUE(Pump([] { return Com.NetGame == 1; }));
    identified = true;
    ASSERT_TRUE(Pump([&] { return svc.boxes->shown.size() == 1; }));
    peer.join();
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Net.NetSockCount, 1);
    EXPECT_EQ(Com.NetSockets[2].InUse, 0);
    EXPECT_EQ(svc.boxes->shown[0].title, "Connection Request Denied");
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("Your game is setup for 2 players."));
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0], "SY  1#GRULM: So you want to play with us? Sorry I'm busy!\n");
    EXPECT_EQ(second[1], "GO\n");
    EXPECT_EQ(second[2], "end");
}

TEST_F(NetLoopback, RemoteAnswersInsideANestedWaitAndLeavesOnce) {
    PeerListener host;
    Com.NetHost = 0;
    Com.NetGame = 99;
    Com.NumPlayers = 4;
    Com.NumCenters = 4;
    Net.NetHostAddress = "127.0.0.1";
    Net.NetPort = host.port;
    Net.NetOppName = "Hosta";
    int nestedDone = 0;
    NetHooks.RemoteCases = [&](int s) {
        states.push_back(Com.NetState);
        if (Com.NetState == kNetIP) {
            Com.NetGame = 1;
            Net.HostNameDue = false; // named already, as a host does next
            Send(Msg_IP(-1), s);
        }
        if (Com.NetState == kNetGS) {
            // The deal follows the answer: wait for it inside this message's handling.
            Net_GameBegins();
            Lines_Expect(kNetDK);
            Send(Msg_Bare(kNetGS), s);
            if (Net_Wait([] { return Net_Take(kNetDK); })) ++nestedDone;
        }
    };
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        p.Send("IP Vornhelm Online^ 9. 6. 0^ 2\n");
        got.push_back(p.Line());
        p.Send("GS\n");
        got.push_back(p.Line()); // the answer; the deal arrives while the handler waits
        p.Send("DK  1# 2#\n");
        // A stock sent before the answer it needs is no stock: the one after the answer is.
        p.Send("LO  4  2|Bo|Cy|Di|\nGS\nDK  5# 6#\n");
        got.push_back(p.Line());
        p.Send("DK  3# 4#\n");
        p.Send("GO\n");
        p.Close();
    });
    NetConnectRemote();
    ASSERT_TRUE(Pump([] { return Com.NetState == kNetLost; }));
    peer.join();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], "IP Vornhelm Online^ 9. 6. 0\n");
    EXPECT_EQ(got[1], "GS\n");
    EXPECT_EQ(got[2], "GS\n");
    EXPECT_EQ(nestedDone, 2);
    EXPECT_EQ(Com.NetText, "3# 4#");
    EXPECT_EQ(Com.NetSeat, 2);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Di");
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Hosta");
    EXPECT_EQ(Eng.Seat4Rec.RecName, "Bo");
    EXPECT_EQ(states, (std::vector<int>{kNetIP, kNetGS, kNetDK, kNetLO, kNetGS, kNetDK, kNetLost}));
}

TEST_F(NetLoopback, EveryMessageTypeCrossesTheWireExactly) {
    PeerListener host;
    Com.NetHost = 0;
    Com.NetGame = 1;
    Net.NetHostAddress = "127.0.0.1";
    Net.NetPort = host.port;
    const std::vector<QByteArray> ours = {Msg_IP(-1),
                                          Msg_NM("Ada", false),
                                          Msg_Bare(kNetGS),
                                          Msg_DK(Net_FieldList({7, 19, 0, -1, 0})),
                                          Msg_TR(2),
                                          Msg_PC(3, 13),
                                          Msg_Bare(kNetWT),
                                          Msg_Bare(kNetOK),
                                          Msg_RC({4, -1}),
                                          Msg_Bare(kNetRS),
                                          Msg_LO(3, 1, {"Bo", "Cy"}),
                                          Msg_Bare(kNetEG),
                                          Msg_SY(2, "gg"),
                                          Msg_PK(false),
                                          Msg_Bare(kNetLost)};
    const QByteArray theirs =
        "IP Vornhelm Online^ 9. 6. 0^ 1\nNM Hosta^Vornhelm Online 9.6\nLO  2  1\nGS\n"
        "DK  5# 6#\nTR  1\nPC  5# 2\nWT\nPC  4# 8\nOK\nRC  1# 0#\nRS\nEG\nSY  1#hi\nPK True\nGO\n";
    QStringList chat;
    NetHooks.Net_ProcessChat = [&](const QString& line, int) { chat << line; };
    // Each line in its place in a game: the steps of this program that await the next one.
    NetHooks.RemoteCases = [&](int) {
        states.push_back(Com.NetState);
        if (Com.NetState == kNetIP) Com.NetGame = 1;
        if (Com.NetState == kNetGS) Lines_Expect(kNetDK);
        if (Com.NetState == kNetTR) Lines_TurnBegins(2);
        if (Com.NetState == kNetRC) Lines_Expect(kNetRS);
    };
    Com.NetGame = kNetGameConnecting;
    std::atomic<bool> connected = false;
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        connected = true;
        for (size_t i = 0; i < ours.size(); ++i)
            got.push_back(p.Line());
        p.Send(theirs);
        p.Close();
    });
    NetConnectRemote();
    ASSERT_TRUE(Pump([&] { return connected && Winsock1().State(0) == platform::sckConnected; }));
    for (const QByteArray& line : ours)
        Send(line, 0);
    ASSERT_TRUE(Pump([] { return Com.NetState == kNetLost; }));
    peer.join();
    ASSERT_EQ(got.size(), ours.size());
    for (size_t i = 0; i < ours.size(); ++i)
        EXPECT_EQ(got[i], ours[i] + '\n');
    EXPECT_EQ(states, (std::vector<int>{kNetIP, kNetNM, kNetLO, kNetGS, kNetDK, kNetTR, kNetPC, kNetWT,
                                        kNetPC, kNetOK, kNetRC, kNetRS, kNetEG, kNetLost}));
    EXPECT_EQ(chat, QStringList({"SY  1#hi", "PK True"}));
    EXPECT_EQ(Com.NetText, "1# 0#");
    EXPECT_EQ(Net.NetMoveFrom, 4);
}

TEST_F(NetLoopback, ARefusedConnectionTellsTheRemotesUser) {
    int port = 0;
    {
        PeerListener closed; // a port nobody listens on once it is gone
        port = closed.port;
    }
    Com.NetHost = 0;
    Com.NetGame = 99;
    Net.NetHostAddress = "127.0.0.1";
    Net.NetPort = port;
    int cleanUps = 0;
    NetHooks.NetCleanUp = [&] { ++cleanUps; };
    svc.boxes->Expect(platform::vbOK);
    svc.boxes->Expect(platform::vbNo);
    NetConnectRemote();
    ASSERT_TRUE(Pump([] { return Com.NetHost == 9; }));
    // One box, with no advice to restart the program: the next try works as it stands.
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_TRUE(svc.boxes->shown[0].text.startsWith("The HOST is not listening!"));
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("Error  10061"));
    EXPECT_FALSE(svc.boxes->shown[0].text.contains("Restart"));
    EXPECT_EQ(svc.boxes->shown[1].title, "Save Game");
    EXPECT_EQ(cleanUps, 1);
}

} // namespace
