// The snapshot exchange on the host against a scripted remote: notice, layout, RC with
// the table, the answer, RS; a remote lost before its answer ends it without RS.
#include "common/NetCodes.h"
#include "engine/TableCodes.h"
#include "net/NetCodec.h"
#include "net/NetInstall.h"
#include "net/NetSockets.h"
#include "net/NetWait.h"
#include "net/Recover.h"
#include "net/Snapshot.h"
#include "tests/net/PeerTableTest.h"

#include <QTimer>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class RecoverExchange : public PeerTableTest {
  protected:
    void SetUp() override {
        PeerTableTest::SetUp();
        // The answers are counted as each line is handled; the host's cases add nothing here.
        NetHooks.HostCases = [](int) {};
        NetHooks.Net_SendLayout = [] {
            const Exchange lo = Net_Open(kNetLO, Net_Answerers());
            Net_SendAllText(QString::fromLatin1(Msg_LO(2, 1, {})));
            return lo;
        };
    }
    // A host of two with one remote connected and identified.
    void Host(bool answer) {
        Table(2);
        FillTable(9);
        Com.NetHost = 1;
        Com.NetGame = 99;
        NetHostListen();
        const int port = Winsock1().LocalPort(0);
        peer = std::thread([this, port, answer] {
            PeerSocket p;
            if (!p.Connect(port)) return;
            p.Line();
            p.Send("IP Vornhelm Online^ 9. 6. 0\n");
            got.push_back(p.Line()); // the notice
            got.push_back(p.Line()); // the layout
            p.Send("LO\n");
            got.push_back(p.Line()); // the snapshot
            if (!answer) return p.Close();
            p.Send("RC\n");
            got.push_back(p.Line());
        });
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (Com.NetGame != 1 && std::chrono::steady_clock::now() < end)
            Net_WaitStep();
        Com.NetSockets[1].Seat = 1; // the remote's name has seated it
        Com.Pturn = 1;
    }

    std::vector<QByteArray> got;
};

TEST_F(RecoverExchange, TheHostSendsTheTableAndResumesAfterTheAnswer) {
    Host(true);
    const QByteArray table = "RC " + Net_FieldList(Snapshot_Fields(Snapshot_Capture())).toLatin1() + "\n";
    form->Label9(kLblComment).SetCaption("My 9 beats\r\nyour 4\r\nSo I go FIRST!");
    SendRecover();
    peer.join();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "SY  1#$-GRULM: This is NOT a secure saved game.\n");
    EXPECT_EQ(got[1], "LO  2  1\n");
    EXPECT_EQ(got[2], table);
    EXPECT_EQ(got[3], "RS\n");
    EXPECT_EQ(Com.RecoverPending, 0);
    EXPECT_TRUE(Com.NetDeck.isEmpty());
    EXPECT_FALSE(form->StatusMsg.Visible());
    EXPECT_EQ(form->Label9(kLblComment).Caption(), ""); // the old deal's toss is no news
}

TEST_F(RecoverExchange, ARemoteLostBeforeItsAnswerEndsTheExchangeWithoutRS) {
    Host(false);
    Com.RecoverPending = 1;
    SendRecover();
    peer.join();
    EXPECT_EQ(got.size(), 3u);
    EXPECT_TRUE(got[2].startsWith("RC  1#"));
    EXPECT_EQ(Com.RecoverPending, 0);
    EXPECT_EQ(Com.NetState, kNetLost);
    EXPECT_FALSE(std::any_of(Net.Trace.begin(), Net.Trace.end(),
                             [](const NetTraceEntry& t) { return t.bytes.startsWith("RS"); }));
}

} // namespace
