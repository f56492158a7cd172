// The connection window's checks, and the Internet menu's start and end of a game.
#include "net/InternetSetup.h"
#include "net/NetSockets.h"
#include "net/frmPlayers.h"
#include "tests/net/NetTableTest.h"

#include <QFile>
#include <unistd.h>

namespace {

class ConnectionTest : public NetTableTest {
  protected:
    void SetUp() override {
        NetTableTest::SetUp();
        Table(2);
        svc.boxes->onUnexpected = [](const platform::MsgCall& c) { ADD_FAILURE() << c.text.toStdString(); };
    }
    void TearDown() override {
        ConnectionWindow_Show = [] { frmPlayers().Show(true); };
        NetTableTest::TearDown();
    }
    // Fills the window as the user would and presses Connect.
    PlayersForm& Press(bool remote, const QString& address, const QString& port,
                       const QString& name = "Ada") {
        PlayersForm& w = frmPlayers();
        w.Load();
        w.txtPlayerName.SetText(name);
        (remote ? w.Option2 : w.Option1).SetValue(true);
        w.Text2.SetText(address);
        w.Text3.SetText(port);
        w.cmdConnect_Click();
        return w;
    }
};

TEST(ConnectCheck, AddressAndPortAreCheckedBeforeAnythingChanges) {
    EXPECT_TRUE(Connect_Check(true, " 192.168.1.20 ", "1001").ok);
    EXPECT_EQ(Connect_Check(true, " 192.168.1.20 ", "1001").address, "192.168.1.20");
    const ConnectChoice longOne = Connect_Check(true, "1234.678.012.456", "1001"); // 16 characters
    EXPECT_FALSE(longOne.ok);
    EXPECT_TRUE(longOne.text.startsWith("That's not a valid IP Address."));
    EXPECT_TRUE(Connect_Check(true, "10.0.1", "1001").text.startsWith("Not a valid number."));
    EXPECT_EQ(Connect_Check(true, "gamehost", "1001").title, "Incorrect IP Address!");
    EXPECT_FALSE(Connect_Check(true, ".1.2.3", "1001").ok); // the search starts at the second character
    EXPECT_FALSE(Connect_Check(false, "", "0").ok);
    EXPECT_FALSE(Connect_Check(false, "", "abc").ok);
    EXPECT_FALSE(Connect_Check(false, "", "65536").ok);
    EXPECT_EQ(Connect_Check(false, "", "65535").port, 65535);
    EXPECT_EQ(Connect_Check(false, "", " 1").port, 1);
}

TEST(ConnectCheck, TheOwnAddressIsAnIPv4Address) {
    const QStringList parts = OwnIPAddress().split('.');
    EXPECT_EQ(parts.size(), 4);
}

TEST_F(ConnectionTest, ABadAddressOrPortKeepsTheWindowAndChangesNothing) {
    Com.PlayerName = "Old";
    svc.boxes->Expect(platform::vbOK);
    svc.boxes->Expect(platform::vbOK);
    Press(true, "10.0.0", "1001", "");
    Press(false, "", "99999", "");
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Incorrect IP Address!");
    EXPECT_EQ(svc.boxes->shown[1].text, "The port must be a number from 1 to 65535.");
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Com.PlayerName, "Old"); // an empty name keeps the stored one
    EXPECT_TRUE(frmPlayers().Option1.Enabled());
}

TEST_F(ConnectionTest, NothingConnectsWithoutAName) {
    Com.PlayerName.clear();
    svc.boxes->Expect(platform::vbOK);
    Press(false, "", "1001", "  ");
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Unknown Player");
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_TRUE(frmPlayers().Option1.Enabled()); // the window waits for the name
}

// A normal user may not listen below 1024: the default port is refused with a port to take
// instead. Run as root, the listening program becomes a normal user first.
TEST_F(ConnectionTest, ARefusedLowPortIsToldWithAPortToTakeInstead) {
    QFile start(QStringLiteral("/proc/sys/net/ipv4/ip_unprivileged_port_start"));
    if (start.open(QIODevice::ReadOnly) && start.readAll().trimmed().toInt() <= 1001)
        GTEST_SKIP() << "this machine lets every user listen on port 1001";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
            ConnectionWindow_Show = [] {
                Com.NetGame = 99;
                Com.NetHost = 1;
                Net.NetPort = 1001;
            };
            svc.boxes->Expect(platform::vbOK);
            svc.boxes->Expect(platform::vbOK);
            SetupInternet();
            const auto& shown = svc.boxes->shown;
            for (const auto& b : shown)
                fprintf(stderr, "%s\n", qPrintable(b.text));
            const bool told = shown.size() == 2 && shown[0].text.contains("listen on port 1001.") &&
                              shown[0].text.contains("from 1024 up, such as 11001") &&
                              shown[1].text == "Network connection failed.";
            _exit(told && cleanUps == 2 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "port 1001");
}

TEST_F(ConnectionTest, ConnectRecordsTheChoicesForTheConnection) {
    QString transcript;
    NetHooks.Chat_SetTranscript = [&](const QString& t) { transcript = t; };
    Press(true, "127.0.0.1", "2002", "Bea");
    EXPECT_EQ(Com.NetGame, 99);
    EXPECT_EQ(Com.NetHost, 0);
    EXPECT_EQ(Net.NetHostAddress, "127.0.0.1");
    EXPECT_EQ(Net.NetPort, 2002);
    EXPECT_EQ(Com.PlayerName, "Bea");
    EXPECT_FALSE(frmPlayers().Option2.Enabled());
    EXPECT_TRUE(transcript.isEmpty());
    frmPlayers().Load(); // the window closed with Connect: it opens as at first, ready to host
    EXPECT_TRUE(frmPlayers().Option2.Enabled() && frmPlayers().Text2.Text().isEmpty());
    Press(false, "", "1001");
    EXPECT_EQ(Com.NetHost, 1);
    EXPECT_TRUE(transcript.contains("HOST IP ADDRESS:\r\n"));
}

TEST_F(ConnectionTest, CancellingTheWindowLeavesTheLocalGameWithItsOpponent) {
    int seated = 0;
    NetHooks.Person_CheckSeat2 = [&] { ++seated; };
    Eng.Seat2Rec.RecName = "Grulm";
    Com.ComputerPause = 0.5;
    ConnectionWindow_Show = [] { frmPlayers().CmdCancel_Click(); };
    SetupInternet();
    EXPECT_EQ(seated, 1);
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(Com.ComputerPause, 0.5);
    EXPECT_EQ(form->Label9(4).Caption(), "Grulm");
}

TEST_F(ConnectionTest, EndingAGameWithNoConnectionLeftSendsNothingButCleansUp) {
    Com.NetGame = 1;
    Com.NetHost = 1;
    Com.Pturn = 0;
    svc.boxes->Expect(platform::vbYes);
    SetupInternet();
    EXPECT_EQ(cleanUps, 1);
    EXPECT_EQ(Com.NetHost, 0);
    EXPECT_EQ(svc.boxes->shown[0].title, "TERMINATE Vornhelm Connection");
    EXPECT_TRUE(Net.Trace.empty());
    svc.boxes->Expect(platform::vbNo);
    Com.NetGame = 1;
    SetupInternet();
    EXPECT_EQ(cleanUps, 1); // No keeps the game
}

TEST_F(ConnectionTest, AFailedConnectionIsToldAndCleanedUp) {
    ConnectionWindow_Show = [] {
        Com.NetGame = 99;
        Com.NetHost = 0;
        Net.NetHostAddress = "";
        Net.NetPort = 1001;
    };
    Com.ComputerPause = 0.25;
    svc.boxes->Expect(platform::vbOK); // the connect error
    svc.boxes->Expect(platform::vbOK); // "Network connection failed."
    SetupInternet();
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_EQ(svc.boxes->shown[1].text, "Network connection failed.");
    EXPECT_EQ(cleanUps, 1);
    EXPECT_EQ(Com.NetHost, 0);
    EXPECT_EQ(Com.NetSavedPause, 0.25);
}

} // namespace
