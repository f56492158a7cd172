// Received chat and peek lines: what the conversation, the table and the speakers
// show, the pass-on of a host at a table of three, the busy refusal, the quit
// notice, and the log file.
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "net/ChatLines.h"
#include "net/ChatProcess.h"
#include "net/ChatState.h"
#include "net/NetHooks.h"
#include "net/NetMessage.h"
#include "net/NetState.h"
#include "net/frmChat.h"
#include "platform/PickDialogs.h"
#include "shell/MenuCommands.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QTextBrowser>

namespace {

class ChatProcess : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Chat_Reset();
        Net_Reset();
        ChatCount() = 0;
        NetHooks = NetHooksT{};
        Com.DataPath = home->Path() + "/Data/";
        Com.UserPath = home->Path() + "/User/";
        QDir().mkpath(Com.UserPath + "Sounds");
        QDir().mkpath(Com.UserPath + "Icons");
        f = std::make_unique<FrmGrulm>();
        Netl.Net_SendAll = [this](const QString& m, int except) { sent.push_back({m, except}); };
        Netl.Net_Send = [this](const QString& m, int socket) {
            sent.push_back({m, -socket});
            return socket;
        };
        NetHooks.NetCleanUp = [this] { ++cleanUps; };
        NetHooks.Net_AskSaveEndedGame = [this] { ++saveOffers; };
    }
    void TearDown() override {
        platform::Picks_Reset();
        Chat_Reset();
        Net_Reset();
        NetHooks = NetHooksT{};
        f.reset();
        GameTest::TearDown();
    }
    void Touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void Peer(const char* version, int host = 0, int game = 1) {
        Com.PeerVersion = QLatin1String(version);
        Com.NetHost = host;
        Com.NetGame = game;
    }
    QString LastLine() const { return Chat.Transcript.section("\r\n", -1); }
    QString Comment() const { return f->Label9(kLblComment).Caption(); }

    std::unique_ptr<FrmGrulm> f;
    std::vector<std::pair<QString, int>> sent;
    int cleanUps = 0, saveOffers = 0;
};

TEST_F(ChatProcess, PlayersAndSystemLinesAreShownWithTheirSounds) {
    Peer("96");
    Net_ProcessChat("SY  4#Kara: Good luck!", 0);
    EXPECT_EQ(LastLine(), "Kara: Good luck!");
    Net_ProcessChat("SY  5#$-GRULM: Host has restarted this game.", 0);
    EXPECT_EQ(LastLine(), "GRULM: Host has restarted this game.");
    Net_ProcessChat("SY  6#Kara: ICO Wink!got you", 0);
    EXPECT_EQ(LastLine(), "Kara: PIC <Wink> got you");
    EXPECT_EQ(svc.sound->played,
              (QStringList{Com.DataPath + "~110.tmp", Com.DataPath + "~108.tmp", Com.DataPath + "~110.tmp"}));
    EXPECT_TRUE(sent.empty()); // a remote passes nothing on

    // An older program's lines carry no speaker: the opponent's name stands before them.
    Chat_Reset();
    Peer("74");
    Net.NetOppName = "Bram";
    Net_ProcessChat("SY  2#hello", 0);
    EXPECT_EQ(LastLine(), "Bram: hello");
    Net_ProcessChat("SY  3#$-GRULM: You're being watched.", 0);
    EXPECT_EQ(LastLine(), "GRULM: You're being watched.");
    EXPECT_EQ(Comment(), "GRULM: You're being watched.");
    EXPECT_EQ(svc.sound->played.back(), Com.DataPath + "~108.tmp");
}

TEST_F(ChatProcess, SlapsSoundsAndPicturesFromThePeerStayInsideTheUsersFolders) {
    Peer("96");
    Touch(Com.UserPath + "Sounds/Boing.wav");
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    ASSERT_TRUE(icon.save(Com.UserPath + "Icons/wink.JPG", "JPG"));

    Net_ProcessChat("SY  1#Kara: WAV boing.WAV", 0);
    EXPECT_EQ(Comment(), "Sound from Kara: boing");
    EXPECT_EQ(svc.sound->played.back(), Com.UserPath + "Sounds/Boing.wav");
    Net_ProcessChat("SY  2#Kara: WAV Fanfare.wav", 0);
    EXPECT_EQ(Comment(), "Sound from Kara: Fanfare\r\n(You don't have this sound)");
    const int played = static_cast<int>(svc.sound->played.size());
    Net_ProcessChat("SY  3#Kara: WAV ../../Data/~105.tmp", 0);
    Net_ProcessChat("SY  4#Kara: WAV /etc/passwd", 0);
    EXPECT_EQ(svc.sound->played.size(), played);
    EXPECT_EQ(Comment(), "Sound from Kara: Fanfare\r\n(You don't have this sound)");

    Net_ProcessChat("SY  5#Kara: ICO Wink!hi", 0);
    EXPECT_TRUE(f->imgIcon.Visible());
    Net_ProcessChat("SY  6#Kara: ICO ../../secret!hi", 0);
    EXPECT_FALSE(f->imgIcon.Visible());
    EXPECT_EQ(LastLine(), "Kara: PIC <../../secret> hi");

    Net_ProcessChat("SY  7#Kara: <SMACK>", 0);
    EXPECT_EQ(Comment(), "Kara: sent SLAP!");
    EXPECT_TRUE(f->imgSlap.Visible());
    EXPECT_EQ(svc.sound->played.back(), Com.UserPath + "Sounds/slap.wav");
    EXPECT_EQ(LastLine(), "Kara: PIC <../../secret> hi"); // a slap is not a chat line

    // A web address is a line to click, never opened on arrival.
    Net_ProcessChat("SY  8#Kara: http://example.org", 0);
    EXPECT_EQ(LastLine(), "Kara: http://example.org");
}

TEST_F(ChatProcess, AHostOfThreePassesEachLineOnToTheOtherPlayerOnly) {
    Peer("96", 1, 2);
    Com.NumPlayers = 3;
    ChatCount() = 7;
    Net_ProcessChat("SY  3#Kara: ICO Wink!hello both", 2);
    Net_ProcessChat("SY  4#Kara: WAV Boing.wav", 2);
    Net_ProcessChat("SY  9#Bram: hi Kara", 1);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], (std::pair<QString, int>{"SY  8#Kara: ICO Wink!hello both", 2}));
    EXPECT_EQ(sent[1], (std::pair<QString, int>{"SY  9#Kara: WAV Boing.wav", 2}));
    EXPECT_EQ(sent[2], (std::pair<QString, int>{"SY  10#Bram: hi Kara", 1}));
    EXPECT_EQ(ChatCount(), 10);
    EXPECT_EQ(LastLine(), "Bram: hi Kara"); // the host sees them too

    sent.clear();
    Peer("96", 1, 1); // with one player there is nobody to pass on to
    Net_ProcessChat("SY  9#Bram: only you", 1);
    EXPECT_TRUE(sent.empty());
}

// A burst of chat with the chat window open: each line is added to what is shown, and the
// whole burst keeps the game waiting for under a second (the sanitizers slow every line).
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 kBurstBudgetMs = 10000;
#else
constexpr qint64 kBurstBudgetMs = 1000;
#endif
TEST_F(ChatProcess, ABurstOfTwoThousandLinesDelaysTheGameByUnderASecond) {
    constexpr int kBurst = 2000;
    Peer("96");
    frmChat().Load();
    QElapsedTimer took;
    took.start();
    for (int i = 1; i <= kBurst; ++i)
        Net_ProcessChat(QString("SY %1#Kara: line %1 of the flood").arg(i), 0);
    EXPECT_LT(took.elapsed(), kBurstBudgetMs);
    EXPECT_EQ(LastLine(), "Kara: line 2000 of the flood");
    const QStringList shown = frmChat().Text1->toPlainText().split('\n');
    EXPECT_EQ(shown.size(), kChatShownLines);
    EXPECT_EQ(shown.back(), "Kara: line 2000 of the flood");
    EXPECT_EQ(shown.front(), "Kara: line " + QString::number(kBurst - kChatShownLines + 1) + " of the flood");
    frmChat().Unload();
}

TEST_F(ChatProcess, PeekNoticesShowOnTheTable) {
    Peer("96");
    Net_ProcessChat("PK True", 0);
    EXPECT_EQ(f->LabelPeek.Caption(), "Opponent is PEEKING!");
    // The whole notice shows, on one line.
    const QFontMetrics fm(f->LabelPeek.Widget()->font());
    EXPECT_GE(f->LabelPeek.WidthPx(), fm.horizontalAdvance("Opponent is PEEKING!"));
    EXPECT_LT(f->LabelPeek.HeightPx(), 2 * fm.height());
    EXPECT_EQ(Tbl.OppPeeking, 1);
    EXPECT_EQ(svc.sound->played.back(), Com.DataPath + "~105.tmp");
    Net_ProcessChat("PK False", 0);
    EXPECT_EQ(f->LabelPeek.Caption(), "Opponent is not peeking now.");
    EXPECT_EQ(Tbl.OppPeeking, 0);
    EXPECT_EQ(svc.sound->played.size(), 1);
}

TEST_F(ChatProcess, ABusyHostEndsTheRemotesGameAndAQuitOffersTheSave) {
    Peer("", 0, 1);
    svc.boxes->Expect(platform::vbOK);
    Com.NetState = kNetIP;
    Net_ProcessChat(QString::fromLatin1(Msg_SY(1, "GRULM: So you want to play with us? Sorry I'm busy!")), 0);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Impossible");
    EXPECT_EQ(svc.boxes->shown[0].text, "You cannot join this game. The host is playing someone else.");
    EXPECT_EQ(cleanUps, 1);
    EXPECT_EQ(Com.NetState, kNetNone);

    Peer("96");
    Net_ProcessChat("SY  5#Kara Quit!^", 0);
    EXPECT_EQ(LastLine(), "Kara Quit!");
    EXPECT_EQ(saveOffers, 1);
    Net_ProcessChat("SY  6#Kara: bye", 0);
    EXPECT_EQ(saveOffers, 1);
}

TEST_F(ChatProcess, TheLogFileGetsEveryLineWhileLoggingIsOn) {
    Peer("96");
    Net.NetOppName = "Kara";
    Com.DocsPath = home->Path();
    FrmChat& w = frmChat();
    w.Load();
    const QString log = home->Path() + "/logs/Kara.txt";
    QDir().mkpath(home->Path() + "/logs");
    std::vector<platform::FileAsk> asked;
    platform::Picks().SaveFile = [&](const platform::FileAsk& a) {
        asked.push_back(a);
        return log;
    };
    svc.boxes->Expect(platform::vbOK);
    w.Options_Chosen("Log", 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Save Log to:");
    EXPECT_EQ(asked[0].folder, home->Path());
    EXPECT_EQ(asked[0].name, "Kara.txt");
    EXPECT_EQ(svc.boxes->shown.back().text, "Logging Started");
    Net_ProcessChat("SY  2#Kara: first", 0);
    Net_ProcessChat("SY  3#Kara: second", 0);
    svc.boxes->Expect(platform::vbOK);
    w.Options_Chosen("Log", 2);
    EXPECT_EQ(svc.boxes->shown.back().text, "Logging Stopped");
    Net_ProcessChat("SY  4#Kara: not logged", 0);

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], " ");
    EXPECT_TRUE(lines[1].endsWith(" Online with Kara"));
    EXPECT_EQ(lines.mid(2), (QStringList{" ", "Kara: first", "Kara: second", ""}));

    // The next start proposes the folder kept from this one; a cancel is told.
    svc.boxes->Expect(platform::vbOK);
    platform::Picks().SaveFile = [&](const platform::FileAsk& a) {
        asked.push_back(a);
        return QString();
    };
    w.Options_Chosen("Log", 1);
    EXPECT_EQ(asked.back().folder, home->Path() + "/logs");
    EXPECT_EQ(svc.boxes->shown.back().title, "Log cancelled");
    EXPECT_FALSE(Chat.ChatLogOn);
    w.Unload();
}

// The opponent's name came over the network: the log proposes it only as a plain file name.
TEST_F(ChatProcess, TheLogProposesTheOpponentsNameAsAPlainFileName) {
    Peer("96");
    Com.DocsPath = home->Path();
    FrmChat& w = frmChat();
    w.Load();
    QString asked;
    platform::Picks().SaveFile = [&](const platform::FileAsk& a) {
        asked = a.name;
        return QString();
    };
    const std::pair<const char*, const char*> names[] = {
        {"Kara", "Kara.txt"}, {"../../Bo", "Bo.txt"}, {"a/b\\c:d*e?f", "abcdef.txt"}, {" ..\t", "Chat.txt"}};
    for (const auto& [name, proposed] : names) {
        Net.NetOppName = name;
        svc.boxes->Expect(platform::vbOK); // "Logging Cancelled"
        w.Options_Chosen("Log", 1);
        EXPECT_EQ(asked, proposed) << name;
    }
    w.Unload();
}

} // namespace
