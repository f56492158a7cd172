// The host's and the remote's cases on the shared state, without sockets: seats,
// the layout message and its name mapping, refusals, layout answers, first turns
// and the clean-up.
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "net/Joining.h"
#include "net/NetCleanUp.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetInstall.h"
#include "net/NetMessage.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

class HostCasesTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Net_Reset();
        NetHooks = NetHooksT{};
        Net_Install();
        NetHooks.PersonName_Set = [this](const QString& n) { person = n; };
    }
    void TearDown() override {
        Net_Reset();
        NetHooks = NetHooksT{};
        GameTest::TearDown();
    }
    static void Line(int socket, const QByteArray& line) { Net_ProcessMessage(socket, &line); }
    static NetSocketRow& Row(int e) { return Com.NetSockets[static_cast<size_t>(e)]; }
    static void Host(int players, int game) {
        Com.NetHost = 1;
        Com.NetGame = game;
        Com.NumPlayers = players;
        Com.NumCenters = players > 2 ? 4 : 3;
        Com.PeerVersion = "96";
        for (int e = 1; e <= game && game < 99; ++e)
            Net.Counted[static_cast<size_t>(e)] = true;
    }
    QString person;
};

TEST_F(HostCasesTest, EveryRemoteReadsTheLayoutAsTheTurnOrderFromItsOwnSeat) {
    const QStringList hostOrder = {"Hosta", "Bo", "C|y#", "Di"};
    Host(4, 3);
    for (int s = 2; s <= 4; ++s)
        SeatRecordOf(s).RecName = hostOrder[s - 1];
    Row(2) = {"Cy", 2, 7, 2};
    EXPECT_EQ(Net_LayoutMessage(2), "LO  4  2|Bo|Cy|Di|");
    for (int players : {3, 4}) {
        for (int seat = 1; seat < players; ++seat) {
            Host(players, players - 1);
            for (int s = 2; s <= players; ++s)
                SeatRecordOf(s).RecName = hostOrder[s - 1];
            Row(seat) = {"x", seat, 7, seat};
            const QByteArray lo = Net_LayoutMessage(seat);
            // The remote's side: it sits at host seat seat+1 and knows the host's name from NM.
            Com.NetHost = 0;
            Net.NetOppName = "Hosta";
            Line(0, lo);
            ASSERT_EQ(Com.NetSeat, seat) << lo.constData();
            for (int local = 2; local <= players; ++local) {
                const int hostSeat = (seat + local - 1) % players + 1;
                EXPECT_EQ(SeatRecordOf(local).RecName, Net_CleanName(hostOrder[hostSeat - 1]))
                    << lo.constData() << " local seat " << local;
            }
        }
    }
    Host(2, 1);
    Com.NumCenters = 4;
    Row(1) = {"Bo", 1, 7, 1};
    EXPECT_EQ(Net_LayoutMessage(1), "LO  5  1"); // two players at four piles: no names
}

TEST_F(HostCasesTest, NamesAreCleanedOfSeparatorsAndCutToTheirWidth) {
    EXPECT_EQ(Net_CleanName(QString::fromUtf8(" B|o#b^\x01\t ")), "Bob");
    EXPECT_EQ(Net_CleanName("<b>Abcdefghijklmnopqrstuvw"), "<b>Abcdefghijklmnopq");
    EXPECT_EQ(Net_CleanName("Ann" + QString(20, ' ') + "Lee"), "Ann");
}

TEST_F(HostCasesTest, AFirstPlayerIsSeatedOnceUnderItsCleanedName) {
    Host(2, 1);
    Net.NetSockCount = 1;
    Row(1) = {"", 1, 7, 0};
    Line(1, "NM B|o#b\x01");
    EXPECT_EQ(Row(1).Name, "Bob");
    EXPECT_EQ(Row(1).Seat, 1);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Bob");
    EXPECT_EQ(person, "Bob");
    EXPECT_EQ(svc.sound->played, QStringList{Com.DataPath + "~108.tmp"});
    Line(1, "GS");
    Line(1, "NM Eve"); // a name from a player already seated
    EXPECT_EQ(Row(1).Name, "Bob");
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Bob");
    EXPECT_EQ(Com.NetGame, 1);
}

TEST_F(HostCasesTest, AJoinerWithoutAFreeSeatIsRefusedAndNotCounted) {
    Host(2, 2);
    Net.NetSockCount = 2;
    Row(1) = {"Bo", 1, 7, 1};
    Row(2) = {"", 2, 7, 0};
    Line(2, "NM Late");
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Row(2).InUse, 0);
    EXPECT_EQ(Net.NetSockCount, 1);
    EXPECT_FALSE(Net.Counted[2]);
    EXPECT_EQ(Eng.Seat3Rec.RecName, "");
}

TEST_F(HostCasesTest, AJoinerTheHostTurnsDownIsRefusedAndNotCounted) {
    Host(3, 2);
    Net.NetSockCount = 2;
    Row(1) = {"Bo", 1, 7, 1};
    Row(2) = {"", 2, 7, 0};
    svc.boxes->Expect(platform::vbNo);
    Line(2, "NM Cy");
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "New opponent joining");
    EXPECT_EQ(svc.boxes->shown[0].text, "Cy has requested to join this game. Accept the request?");
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Row(2).InUse, 0);
}

TEST_F(HostCasesTest, ACallerWhoNeverIdentifiedLeavesWithoutEndingTheGame) {
    Host(3, 1);
    Net.NetSockCount = 2;
    Row(1) = {"Bo", 1, 7, 1};
    Row(2) = {"", 2, 7, 0};
    Com.NetState = kNetLost;
    Net_ProcessMessage(2);
    EXPECT_EQ(Row(2).InUse, 0);
    EXPECT_EQ(Row(1).InUse, 7);
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(Com.NetHost, 1);
    // A repeated loss of an element already free does nothing either.
    Line(1, "GS");
    Com.NetState = kNetLost;
    Net_ProcessMessage(2);
    EXPECT_EQ(Com.NetGame, 1);
}

TEST_F(HostCasesTest, EveryLayoutAnswerCountsEvenFromTheSameRemote) {
    Host(4, 3);
    for (int e = 1; e <= 3; ++e)
        Row(e) = {"P", e, 7, e};
    Exchange lo = Net_Open(kNetLO, Net_Answerers());
    Line(1, "LO");
    Line(1, "LO"); // one remote's answer counts once in one exchange
    Line(2, "LO");
    EXPECT_EQ(Com.NetState, kNetLO);
    EXPECT_EQ(Com.NetAckCount, 3);
    EXPECT_TRUE(Com.NetAnswered);
    EXPECT_FALSE(lo.Answered());
    EXPECT_EQ(Com.NetLastType[1], kNetNone);
    // The next layout is answered again by the same remote.
    lo = Net_Open(kNetLO, Net_Answerers());
    for (int e : {1, 2, 3})
        Line(e, "LO");
    EXPECT_TRUE(lo.Answered());
    EXPECT_EQ(Com.NetAckCount, 4);
    // A layout answer still in flight when the host starts a game is no answer to the start.
    const Exchange gs = Net_Open(kNetGS, Net_Answerers());
    Com.NetAnswered = false;
    Line(3, "LO");
    EXPECT_EQ(Com.NetAckCount, 1);
    EXPECT_FALSE(Com.NetAnswered);
    EXPECT_TRUE(lo.Closed());
    EXPECT_FALSE(gs.Answered());
    EXPECT_EQ(Net_Awaited(), 0b1110u);
    // A remote never takes a bare layout: it carries no table size.
    Com.NetHost = 0;
    Line(0, "LO");
    EXPECT_EQ(Com.NumPlayers, 4);
}

TEST_F(HostCasesTest, SeatsCloseTheGapAfterTheFirstRemoteLeaves) {
    Host(4, 2);
    Row(2) = {"Cy", 2, 7, 2};
    Row(3) = {"Di", 3, 7, 3};
    Eng.Seat2Rec.RecName = "Bo";
    Avatar_LoadOpponents();
    EXPECT_EQ(Row(2).Seat, 1);
    EXPECT_EQ(Row(3).Seat, 2);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Cy");
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Di");
    EXPECT_EQ(Row(1).Seat, 0); // a free row takes no seat
    // Only seated players who are still connected are sent the layout and awaited.
    Row(1) = {"New", 1, 7, 0};
    Net.NetSockCount = 3;
    EXPECT_TRUE(Net_SendLayout().Answered()); // none of them is connected: no answer to wait for
    EXPECT_EQ(Com.NetAckCount, 1);
}

TEST_F(HostCasesTest, TheFirstTurnFromAnOlderHostIsTurnedToTheRemotesSeats) {
    Com.NetHost = 0;
    Com.NetGame = 1;
    Com.NumPlayers = 2;
    Com.PeerVersion = "74";
    Lines_Expect(kNetTR);
    Line(0, "TR  1");
    EXPECT_EQ(Com.Pturn, 2);
    EXPECT_EQ(Com.NetAckCount, 2);
    Com.PeerVersion = "96";
    Lines_Expect(kNetTR);
    Line(0, "TR  1");
    EXPECT_EQ(Com.Pturn, 1);
    // An older host's new game before the set-up is answered at once.
    Com.PeerVersion = "74";
    Net.NetReady = 0;
    Line(0, "GS");
    EXPECT_TRUE(Com.NetAnswered);
}

TEST_F(HostCasesTest, CleanUpRestoresTheLocalGameAndIsSafeTwice) {
    int reopened = 0, reseated = 0, chatClosed = 0;
    NetHooks.TempMoves_Open = [&](bool open) { reopened += open ? 1 : -100; };
    NetHooks.Seats_FromProfile = [&] { ++reseated; };
    NetHooks.ChatWindow_Close = [&] { ++chatClosed; };
    Com.UserPath = home->Path() + "/User/";
    QDir().mkpath(Com.UserPath + "Sounds");
    for (const char* f : {"a.pmw", "B.PMW", "keep.wav"})
        QFile(Com.UserPath + "Sounds/" + f).open(QIODevice::WriteOnly);
    Host(3, 2);
    Com.NetSavedPause = 0.75;
    Com.ComputerPause = 0.01;
    Com.NetLastType[1] = kNetIP;
    Net.NetLastSock = 1;
    Row(1) = {"Bo", 1, 7, 1};
    Net.NetSockCount = 1;
    Net.MovesReopen = true;
    Net.HandSortOff = true;
    Net.NetOppName = "Hosta";
    Com.Pturn = 2;
    NetCleanUp();
    NetCleanUp();
    EXPECT_DOUBLE_EQ(Com.ComputerPause, 0.75);
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_EQ(Row(1).InUse, 0);
    EXPECT_EQ(Com.NetLastType[1], kNetNone);
    EXPECT_TRUE(Com.PeerVersion.isEmpty());
    EXPECT_FALSE(Net.HandSortOff);
    EXPECT_EQ(Net.NetOppName, "Grulm");
    EXPECT_EQ(reopened, 1);
    EXPECT_EQ(reseated, 2);
    EXPECT_EQ(chatClosed, 2);
    EXPECT_EQ(QDir(Com.UserPath + "Sounds").entryList(QDir::Files), QStringList{"keep.wav"});
    // The next game's first identification is not taken for a repeat of the last one.
    Com.NetHost = 1;
    Com.NetGame = 99;
    Row(1) = {"", 1, 7, 0};
    int identified = 0;
    NetHooks.HostCases = [&](int) { identified += Com.NetState == kNetIP; };
    Line(1, Msg_IP(-1));
    EXPECT_EQ(identified, 1);
}

} // namespace
