// The message entry on the shared state: identification and version gates,
// connection counting, answer counting, the duplicate guard, layouts, and the
// waits' early ends.
#include "common/Shared.h"
#include "engine/Model.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetMessage.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "tests/support/TestSupport.h"

namespace {

class NetEntry : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Net_Reset();
        NetHooks = NetHooksT{};
        NetHooks.HostCases = [this](int s) { handled.push_back({s, Com.NetState}); };
        NetHooks.RemoteCases = NetHooks.HostCases;
        NetHooks.Table_Relayout = [this] { ++relayouts; };
    }
    void TearDown() override {
        Net_Reset();
        NetHooks = NetHooksT{};
        GameTest::TearDown();
    }
    static void Line(int socket, const QByteArray& line) { Net_ProcessMessage(socket, &line); }
    void Host(int players, int game = 99) {
        Com.NetHost = 1;
        Com.NetGame = game;
        Com.NumPlayers = players;
        Com.NumCenters = players > 2 ? 4 : 3;
    }

    std::vector<std::pair<int, int>> handled;
    int relayouts = 0;
};

TEST_F(NetEntry, EachConnectionIsCountedOnceByItsIdentification) {
    Host(3);
    Line(1, Msg_IP(-1));
    Line(1, Msg_IP(-1)); // the same player again: a duplicate, and not a second player
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Com.PeerVersion, "96");
    Line(2, "IP Vornhelm Online^ 8. 1. 0");
    EXPECT_EQ(Com.NetGame, 2);
    EXPECT_EQ(Com.PeerVersion, "96"); // the first player's code is kept
    EXPECT_EQ(Net.NewVersion, "81");
    EXPECT_EQ(handled, (std::vector<std::pair<int, int>>{{1, kNetIP}, {2, kNetIP}}));
}

TEST_F(NetEntry, AnOldestPeerTurnsTheGameIntoTwoPlayersWithHouseRules) {
    Host(4);
    Com.SideSize = 9;
    Com.NoWildAce = true;
    svc.boxes->Expect(platform::vbOK);
    Line(1, "IP Old program 12"); // 17 characters: the oldest layout
    EXPECT_EQ(Net.NewVersion, "40");
    EXPECT_TRUE(Net.HandSortOff);
    EXPECT_EQ(Com.NumPlayers, 2);
    EXPECT_EQ(Com.NumCenters, 3);
    EXPECT_EQ(Com.TotalCards, 104);
    EXPECT_EQ(Com.PrevPlayers, 4);
    EXPECT_EQ(relayouts, 1);
    EXPECT_EQ(Com.SideSize, 19);
    EXPECT_FALSE(Com.NoWildAce);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Playing older version.");
    EXPECT_TRUE(svc.boxes->shown[0].text.endsWith("\r\n\r\nOnly House Rules are in effect."));
}

TEST_F(NetEntry, ASecondPlayerCannotJoinAnOldProgramsGame) {
    Host(3, 1);
    Com.PeerVersion = "74";
    Net.Counted[1] = true;
    Line(2, Msg_IP(-1));
    EXPECT_EQ(Com.NetState, kNetNone);
    EXPECT_EQ(Com.NetGame, 1); // refused, and no longer counted
    EXPECT_FALSE(Net.Counted[2]);
    EXPECT_EQ(Com.PeerVersion, "74");
}

TEST_F(NetEntry, AnOldSecondPlayerIsRefusedOnTheElementItCameOn) {
    Host(3, 1);
    Com.PeerVersion = "96";
    Net.Counted[1] = true;
    Net.NetSockCount = 3;
    Com.NetSockets[2] = {"", 2, 7, 0}; // a caller not yet seated
    Com.NetSockets[3] = {"Next", 3, 7, 3};
    svc.boxes->Expect(platform::vbOK);
    Line(2, "IP Vornhelm Online^ 7. 4. 0");
    EXPECT_EQ(Com.NetState, kNetNone);
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Com.NetSockets[2].InUse, 0);
    EXPECT_EQ(Com.NetSockets[3].InUse, 7); // the newest connection is not the one refused
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Connection Request Denied");
    EXPECT_EQ(svc.boxes->shown[0].style, platform::vbCritical);
}

// Three programs calling at once: every waiting caller is identified in turn, none is lost.
TEST_F(NetEntry, CallersWaitingTogetherAreIdentifiedInTurn) {
    Host(4, 1);
    Net.NetBusy = true;
    Net.NetPendingSocks = {2, 3};
    Net_Open(kNetPC, 0b110);
    Line(1, "PC");
    EXPECT_EQ(Net.NetPendingSocks, std::deque<int>{3});
    EXPECT_TRUE(Net.NetBusy); // the last waits for the first one's answer
    Line(2, "PC");
    EXPECT_TRUE(Net.NetPendingSocks.empty());
    EXPECT_FALSE(Net.NetBusy);
}

TEST_F(NetEntry, AnswersAreCountedOnePerRemoteAndRepeatsIgnored) {
    Host(4, 3);
    for (int e = 1; e <= 3; ++e)
        Com.NetSockets[static_cast<size_t>(e)] = {"P", e, 7, e};
    const Exchange wt = Net_Open(kNetWT, Net_Answerers());
    Line(1, "WT");
    Line(1, "WT"); // the same answer twice from one remote
    Line(2, "WT");
    EXPECT_EQ(Com.NetAckCount, 3);
    EXPECT_FALSE(wt.Answered());
    Line(3, "WT");
    EXPECT_EQ(Com.NetAckCount, 4);
    EXPECT_TRUE(wt.Answered());
    // A remote's start or layout that nothing awaits changes nothing; the answer after it counts.
    Com.PeerVersion = "96";
    for (const char* stray : {"GS  7", "LO", "GS  7", "GS"})
        Line(1, stray);
    const Exchange gs = Net_Open(kNetGS, Net_Answerers());
    EXPECT_EQ(Com.NetState, kNetWT);
    EXPECT_FALSE(gs.Answered());
    Line(1, "GS");
    EXPECT_EQ(Com.NetAckCount, 2);
    // A remote counts one answer as all of them; a move is never an answer, it is kept.
    Com.NetHost = 0;
    Com.NetGame = 1;
    Lines_TurnBegins(2); // the host's seat moves
    const Exchange ok = Net_Open(kNetOK, Net_Answerers());
    Line(0, "PC  5# 2");
    EXPECT_EQ(Com.NetAckCount, 1);
    EXPECT_EQ(Net.NetMoveFrom, 5);
    EXPECT_EQ(Net.NetMoveTo, 2);
    EXPECT_TRUE(Com.NetAnswered);
    Line(0, "OK");
    EXPECT_EQ(Com.NetAckCount, 4);
    EXPECT_TRUE(ok.Answered());
    EXPECT_TRUE(Net_Take(kNetPC, 0));
    EXPECT_FALSE(Net_Take(kNetPC, 0));
    EXPECT_FALSE(Net_Take(kNetOK)); // the answer is no message
    // The host's OK after its answer is kept aside, for the stalemate's choice alone.
    Line(0, "OK");
    EXPECT_FALSE(Net_Take(kNetOK));
    EXPECT_TRUE(Net_TakeRepeated(kNetOK));
    EXPECT_EQ(handled.size(), 6u); // the strays and the repeats reached no handler
}

TEST_F(NetEntry, RefusedLinesChangeNothingAndReachNoHandler) {
    Com.NetHost = 0;
    Com.NetGame = 1;
    Com.NetState = kNetDK;
    Com.NetText = "1# 2#";
    for (const char* bad : {"PC  4# 4", "LO  4  7|a|b|c|", "TR  9", "ZZ", "DK 1#<script>#"}) {
        Line(0, bad);
        EXPECT_EQ(Com.NetState, kNetDK) << bad;
        EXPECT_EQ(Com.NetText, "1# 2#") << bad;
    }
    EXPECT_TRUE(handled.empty());
    EXPECT_EQ(std::count_if(Net.Trace.begin(), Net.Trace.end(), [](auto& t) { return t.direction == '-'; }),
              5);
}

TEST_F(NetEntry, LayoutsNameTheRemotesSeats) {
    Com.NetHost = 0;
    Com.NetGame = 1;
    Net.NetOppName = "Hosta";
    Line(0, "LO  5  1");
    EXPECT_EQ(Com.NetNum, 5);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Hosta");
    Line(0, "LO  3  1|Bo|Cy|");
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Cy");
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Hosta");
    EXPECT_EQ(handled.size(), 2u); // a layout is never taken for a repeat
}

TEST_F(NetEntry, SendingToAllStopsAtTheFirstLostConnection) {
    Host(4, 3);
    Net.NetSockCount = 3;
    for (int e = 1; e <= 3; ++e)
        Com.NetSockets[static_cast<size_t>(e)] = {"P", e, 7, e};
    Net_SendAll(QStringLiteral("WT"), 2); // no element is connected
    EXPECT_EQ(Com.NetState, kNetLost);
    EXPECT_EQ(handled, (std::vector<std::pair<int, int>>{{1, kNetLost}}));
}

TEST_F(NetEntry, WaitsEndOnALostLinkTheGamesEndOrAbort) {
    Com.NetHost = 1;
    Com.NumPlayers = 3;
    Com.NetAckCount = 1;
    Com.NetGame = 2;
    Com.NetState = kNetEG;
    Net_WaitRound(); // an answer that can never come
    EXPECT_EQ(Com.NetAckCount, 1);
    Com.NetState = kNetNone;
    Com.NetGame = 0;
    int element = 0;
    Net_WaitMessage(element);
    EXPECT_EQ(Com.NetState, kNetLost);
    Com.NetGame = 1;
    Com.GameAbort = true;
    Net_WaitOpponent();
    EXPECT_FALSE(Com.NetAnswered);
}

// Lines from the wrong place at the wrong time, through the real entry, on a remote of two
// and on a host of two: no handler is reached, no state changes, nothing is kept or counted.
TEST_F(NetEntry, LinesNoExchangeAwaitsChangeNothing) {
    // What, on the host, the seat on turn by the lines (0 between games), the exchange open.
    const std::tuple<const char*, bool, int, int> moments[] = {
        {"a remote on its own turn", false, 1, kNetNone},
        {"a remote awaiting the answer to its move", false, 1, kNetPC},
        {"a remote between games", false, 0, kNetNone},
        {"a host on its own turn", true, 1, kNetNone},
        {"a host awaiting the answer to its WT", true, 1, kNetWT},
    };
    const QByteArray strays = "TR|TR  1|TR  2|TR abc|PC  2# 1|DK  1# 2#|DK|IP Vornhelm Online^ 9. 6. 0^ 1|"
                              "NM Mallory|RS|LO|OK x|ZZ";
    for (const auto& [what, host, mover, openAnswer] : moments) {
        for (const QByteArray& stray : strays.split('|')) {
            SCOPED_TRACE(std::string(what) + ": " + stray.toStdString());
            Net_Reset();
            handled.clear();
            Host(2, 1);
            Com.NetHost = host ? 1 : 0;
            Com.PeerVersion = "96";
            Com.NetSockets[1] = {"Bo", 1, 7, 1};
            Com.Pturn = mover == 0 ? 0 : 1;
            Com.NetState = kNetWT;
            Eng.DeckCount = 40;
            if (mover != 0) Lines_TurnBegins(mover);
            if (openAnswer != kNetNone) Net_Open(openAnswer, Net_Answerers());
            const int acks = Com.NetAckCount;
            Line(host ? 1 : 0, stray);
            EXPECT_TRUE(handled.empty());
            EXPECT_EQ(Com.Pturn, mover == 0 ? 0 : 1);
            EXPECT_EQ(Com.NetState, kNetWT);
            EXPECT_EQ(Com.NetAckCount, acks);
            for (int kind : {kNetPC, kNetWT, kNetOK, kNetDK, kNetTR, kNetRS})
                EXPECT_FALSE(Net_Take(kind)) << kind;
            EXPECT_EQ(Com.NetGame, 1);
        }
    }
}

} // namespace
