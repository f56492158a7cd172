// Whole conversations of our program, with its table window, against scripted
// peers over 127.0.0.1: a host seating two players who then leave (one by a
// socket error), a remote laid out at a four-player table until the dealer
// leaves, and a caller refused while the first is still connecting.
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "net/Joining.h"
#include "net/NetHooks.h"
#include "net/NetInstall.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "table/frmGrulm.h"
#include "tests/net/ConversationTest.h"
#include "tests/support/TestSupport.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class Conversation : public ConversationTest {
  protected:
    QString Label9(int i) { return form->Label9(i).Caption(); }
    QStringList Titles() {
        QStringList t;
        for (const auto& b : svc.boxes->shown)
            t << b.title + ": " + b.text;
        return t;
    }
};

TEST_F(Conversation, AHostSeatsTwoPlayersWhoLeaveOneByOne) {
    Com.NetHost = 1;
    Com.NetGame = 99;
    Com.NumPlayers = 3;
    Com.NumCenters = 4;
    Com.TotalCards = 156;
    Engine_SizeTables();
    form->Layout_SetGameSize(2, 3);
    Com.Pturn = 0;
    Eng.Seat3Rec.RecName = "Zed";
    NetHostListen();
    const int port = Winsock1().LocalPort(0);
    ASSERT_GT(port, 0);
    svc.boxes->Expect(platform::vbYes); // Cy may join
    std::vector<QByteArray> bo, cy;
    std::atomic<bool> errorDone = false;
    peer = std::thread([&, port] {
        PeerSocket p1, p2;
        if (!p1.Connect(port)) return;
        bo.push_back(p1.Line());
        p1.Send("IP Vornhelm Online^ 9. 6. 0\n");
        bo.push_back(p1.Line());
        p1.Send("NM Bo\n");
        bo.push_back(p1.Line());
        p1.Send("LO\n");
        if (!p2.Connect(port)) return;
        cy.push_back(p2.Line());
        p2.Send("IP Vornhelm Online^ 9. 6. 0\n");
        cy.push_back(p2.Line());
        p2.Send("NM Cy\n");
        bo.push_back(p1.Line());
        cy.push_back(p2.Line());
        p1.Send("LO\n");
        p2.Send("LO\n");
        for (int i = 0; i < 500 && !errorDone; ++i)
            std::this_thread::sleep_for(10ms);
        bo.push_back(p1.Line()); // the end of the game Cy was in
        cy.push_back(p2.AtEnd() ? "closed" : "open");
        p1.Send("SY  3#Bo Quit!^\nGO\n");
        p1.Close();
    });
    ASSERT_TRUE(Pump([] { return Com.NetGame == 2 && Com.NetState == kNetLO && Com.NetAckCount == 3; }));
    EXPECT_EQ(Com.NetSockets[1].Name, "Bo");
    EXPECT_EQ(Com.NetSockets[1].Seat, 1);
    EXPECT_EQ(Com.NetSockets[2].Name, "Cy");
    EXPECT_EQ(Com.NetSockets[2].Seat, 2);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Bo");
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Cy");
    EXPECT_EQ(Label9(kLblComment), "Cy has joined the game.");
    EXPECT_TRUE(form->StatusMsg.Caption().startsWith("Number of players is 3\r\nTo change"));

    // Cy's line breaks: that player leaves, Bo plays on.
    svc.boxes->Expect(platform::vbOK);
    svc.boxes->Expect(platform::vbOK);
    svc.boxes->Expect(platform::vbOK);
    Winsock1_Error(2, platform::sckConnectionReset, "reset");
    errorDone = true;
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Com.NetHost, 1);
    EXPECT_EQ(Com.NetSockets[2].InUse, 0);
    EXPECT_EQ(Label9(kLblMessage), "Cy quit the game.");
    EXPECT_EQ(Label9(kLblComment), "");   // nothing of the game Cy ended stays
    form->StatusBar_Player(Eng.Seat2Rec); // Bo, as on Bo's turn

    svc.boxes->Expect(platform::vbOK);
    ASSERT_TRUE(Pump([] { return Com.NetHost == 0; }));
    peer.join();
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Net.NetSockCount, 0);
    EXPECT_EQ(form->StatusBar1.Panels(5).Text, "Grulm:"); // the local opponent again, not Bo
    ASSERT_EQ(bo.size(), 5u);
    EXPECT_EQ(bo[0], "IP Vornhelm Online^ 9. 6. 0^ 1\n");
    EXPECT_EQ(bo[1], "NM Ada^Vornhelm Online 9.6\n");
    EXPECT_EQ(bo[2], "LO  3  1|Bo|Zed|\n");
    EXPECT_EQ(bo[3], "LO  3  1|Bo|Cy|\n");
    EXPECT_EQ(bo[4], "EG\n");
    ASSERT_EQ(cy.size(), 4u);
    EXPECT_EQ(cy[0], "IP Vornhelm Online^ 9. 6. 0^ 2\n");
    EXPECT_EQ(cy[1], "NM Ada^Vornhelm Online 9.6\n");
    EXPECT_EQ(cy[2], "LO  3  2|Bo|Cy|\n");
    EXPECT_EQ(cy[3], "closed");
    const QStringList boxes = Titles();
    ASSERT_EQ(boxes.size(), 5);
    EXPECT_EQ(boxes[0], "New opponent joining: Cy has requested to join this game. Accept the request?");
    EXPECT_TRUE(boxes[1].startsWith(": Here's the problem:"));
    EXPECT_EQ(boxes[3], "Vornhelm: Cy quit the game.");
    EXPECT_EQ(boxes[4], "Vornhelm: Bo quit the game.");
}

TEST_F(Conversation, ARemoteIsLaidOutAtAFourPlayerTableUntilTheDealerLeaves) {
    PeerListener host;
    Com.NetHost = 0;
    Com.NetGame = 99;
    Net.NetHostAddress = "127.0.0.1";
    Net.NetPort = host.port;
    std::vector<QByteArray> got;
    std::vector<std::pair<int, QString>> seen; // state and the announcement after each message
    NetHooks.RemoteCases = [prev = NetHooks.RemoteCases, &seen, this](int s) {
        prev(s);
        seen.emplace_back(Com.NetState, Label9(kLblComment));
    };
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        p.Send("IP Vornhelm Online^ 9. 6. 0^ 2\n");
        got.push_back(p.Line());
        p.Send("NM Ho|st^Vornhelm Online 9.6\n");
        got.push_back(p.Line());
        p.Send("LO  4  2|Bo|Ada|Cy|\n");
        got.push_back(p.Line());
        p.Send("GS\nTR  3\nEG\nGO\n");
        p.Close();
    });
    svc.boxes->Expect(platform::vbOK);
    NetConnectRemote();
    ASSERT_TRUE(Pump([&] { return seen.size() == 6; }));
    peer.join();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], "IP Vornhelm Online^ 9. 6. 0\n");
    EXPECT_EQ(got[1], "NM Ada\n");
    EXPECT_EQ(got[2], "LO\n");
    EXPECT_EQ(seen[0].first, kNetIP);
    EXPECT_EQ(seen[1], std::make_pair(int(kNetNM), QString("You are connected to Host: Host")));
    EXPECT_EQ(seen[2].first, kNetEarlyLO); // laid out before this program's set-up finished
    EXPECT_EQ(seen[3], std::make_pair(int(kNetGS), QString("Click the DEAL button to begin:")));
    // A first player before any deal is passed over.
    EXPECT_EQ(seen[4].first, kNetEG);
    EXPECT_EQ(seen[5].first, kNetNone); // the dealer left
    EXPECT_EQ(Com.NumPlayers, 4);
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_EQ(Com.TotalCards, 208);
    // Each local seat holds the player after the previous one in the host's order.
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Cy");
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Host");
    EXPECT_EQ(Eng.Seat4Rec.RecName, "Bo");
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_EQ(Net.NetOppName, "Grulm");
    EXPECT_FALSE(form->cmdDeal.Visible());
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Dealer has terminated game.");
}

// A first caller that has not identified itself may never be a player: it keeps nobody out.
TEST_F(Conversation, ACallerWhileTheFirstIsStillConnectingIsAskedWhoItIs) {
    Com.NetHost = 1;
    Com.NetGame = 99;
    Com.NumPlayers = 2;
    NetHostListen();
    const int port = Winsock1().LocalPort(0);
    std::vector<QByteArray> second;
    std::atomic<bool> done = false, heard = false;
    peer = std::thread([&, port] {
        PeerSocket first, late;
        if (!first.Connect(port)) return;
        first.Line();
        if (!late.Connect(port)) return;
        second.push_back(late.Line());
        heard = true;
        // Both callers stay on the line until the host has been looked at.
        for (int i = 0; i < 1000 && !done; ++i)
            std::this_thread::sleep_for(10ms);
    });
    const bool asked = Pump([&] { return heard.load(); });
    done = true;
    peer.join();
    ASSERT_TRUE(asked);
    EXPECT_EQ(Com.NetGame, 99);
    EXPECT_TRUE(svc.boxes->shown.empty());
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0], "IP Vornhelm Online^ 9. 6. 0^ 2\n");
}

TEST_F(Conversation, TheHostRulesNoticeAndTheSaveOfferOfAnEndedGame) {
    Com.NumPlayers = 2;
    Com.NumCenters = 4;
    Eng.RulesText = "Forced Aces";
    Net_ShowHostRules();
    EXPECT_TRUE(form->StatusMsg.Visible());
    EXPECT_EQ(
        form->StatusMsg.Caption(),
        "Number of players is 2\r\nNumber of centers is 4\r\nTo change number of players or centers, go "
        "to Internet Menu, Host Setup.\r\nPress F2 or choose New to start the game.");
    EXPECT_EQ(Label9(kLblMessage),
              "HOST RULES SET:\r\nForced Aces\r\nIf these aren't the rules you want, please "
              "change them before starting the game.");
    Com.NumPlayers = 4;
    Eng.RulesText.clear();
    Net_ShowHostRules();
    EXPECT_TRUE(form->StatusMsg.Caption().startsWith("Number of players is 4\r\nTo change"));

    Com.NumPlayers = 2;
    Com.NumCenters = 3;
    int saves = 0;
    NetHooks.Game_Save = [&] { ++saves; };
    Com.Pturn = 0;
    Net_AskSaveEndedGame(); // no game is running: nothing to offer
    Com.Pturn = 2;
    svc.boxes->Expect(platform::vbYes);
    Net_AskSaveEndedGame();
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(Com.Pturn, 0); // the table is cleared after the offer
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "This game has ended. Would you like to save this game?");
}

} // namespace
