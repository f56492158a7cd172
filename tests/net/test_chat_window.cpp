// The chat window's sending side: the line that goes out and the line shown for
// it, shortcuts, slaps, sounds before and after the connection, older peers,
// and the export of a sound.
#include "common/Shared.h"
#include "engine/Flow.h"
#include "net/ChatState.h"
#include "net/NetHooks.h"
#include "net/NetState.h"
#include "net/frmChat.h"
#include "platform/PickDialogs.h"
#include "shell/MenuCommands.h"
#include "tests/support/TestSupport.h"

#include "shell/Folders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTextBrowser>

namespace {

class ChatWindow : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Chat_Reset();
        Net_Reset();
        Com.UserPath = home->Path() + "/User/";
        for (const char* f : {"Sounds/Boing.wav", "Sounds/Grulm-lose.PMW", "Sounds/slap.wav",
                              "Sounds/notes.txt", "Icons/Wink.gif", "Icons/Sad.JPG"})
            Touch(Com.UserPath + f);
        Com.PlayerName = "Ann";
        ChatCount() = 0;
        Net.NetOppName = "Kara";
        Netl.Net_Send = [this](const QString& m, int socket) {
            sent.push_back({m, socket});
            return socket;
        };
        Netl.Net_SendAll = [this](const QString& m, int except) { sent.push_back({m, -1 - except}); };
        w = &frmChat();
        w->Load();
    }
    void TearDown() override {
        platform::Picks_Reset();
        if (w->Loaded()) w->Unload();
        Chat_Reset();
        Net_Reset();
        GameTest::TearDown();
    }
    void Touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void Remote(const char* version, int game = 1) {
        Com.PeerVersion = QLatin1String(version);
        Com.NetHost = 0;
        Com.NetGame = game;
    }
    void Type(const QString& text) {
        w->Text2->setText(text);
        w->Command1_Click();
    }
    int Row(QListWidget* list, const QString& text) {
        return list->row(list->findItems(text, Qt::MatchExactly).value(0));
    }
    QString LastLine() const { return Chat.Transcript.section("\r\n", -1); }

    FrmChat* w = nullptr;
    std::vector<std::pair<QString, int>> sent;
};

// The window is closed when the Internet game ends; the next connection's conversation
// starts without the old game's lines.
TEST_F(ChatWindow, TheConversationGoesWithTheWindow) {
    Remote("96");
    Type("see you next game");
    EXPECT_EQ(LastLine(), "Ann: see you next game");
    w->Unload();
    w->Load();
    EXPECT_TRUE(Chat.Transcript.isEmpty());
    EXPECT_TRUE(w->Text1->toPlainText().trimmed().isEmpty());
}

TEST_F(ChatWindow, TheWinkShortcutSendsThePictureAndShowsItsMark) {
    Remote("96");
    ChatCount() = 4;
    Type(";-) see you");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (std::pair<QString, int>{"SY  5#Ann: ICO Wink! see you", 1}));
    EXPECT_EQ(LastLine(), "Ann: PIC <Wink>  see you");
    EXPECT_FALSE(w->IconOn);
    EXPECT_EQ(w->Text2->text(), "");

    // An older peer (8.1 and before) gets the smiley as typed and is told it sees no pictures.
    Remote("82");
    Type("hi ;-)");
    EXPECT_EQ(sent.back().first, "SY  6#Ann: ICO Wink!hi ");
    Remote("81");
    Type("hi ;-)");
    EXPECT_EQ(sent.back().first, "SY  7#Ann: hi ;-)");
}

TEST_F(ChatWindow, ASlapTypedAloneGoesOutAsASmack) {
    Remote("96");
    Com.NetHost = 1;
    Type("<SLAP>");
    EXPECT_EQ(sent.back(), (std::pair<QString, int>{"SY  1#Ann: <SMACK>", -1}));
    EXPECT_EQ(LastLine(), "Sent: You slapped your opponent! ");
    Type("   ");
    EXPECT_EQ(sent.size(), 1u); // an empty line without a picture sends nothing
}

TEST_F(ChatWindow, TheSoundListOffersOurSoundsAndSendsTheirFiles) {
    QStringList rows;
    for (int i = 0; i < w->lstWavs->count(); ++i)
        rows << w->lstWavs->item(i)->text();
    EXPECT_EQ(rows, (QStringList{"-Select Sound:", "Boing", "Grulm-lose", "slap", "(refresh)"}));

    // Chosen while the connection is being made: it only plays here.
    Remote("96", 99);
    w->cmdShowSounds_Click();
    w->lstWavs_Click(Row(w->lstWavs, "Boing"));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(svc.sound->played.back(), Com.UserPath + "Sounds/Boing.wav");

    Remote("96");
    w->cmdShowSounds_Click();
    w->lstWavs_Click(Row(w->lstWavs, "Grulm-lose"));
    EXPECT_EQ(sent.back().first, "SY  1#Ann: WAV Grulm-lose.pmw");
    EXPECT_EQ(LastLine(), "Sent: WAV Grulm-lose");
    EXPECT_EQ(svc.sound->played.back(), Com.UserPath + "Sounds/Grulm-lose.PMW");

    // A hidden list takes no click (as when it is refilled).
    w->lstWavs_Click(Row(w->lstWavs, "Boing"));
    EXPECT_EQ(sent.size(), 1u);

    Remote("61");
    w->cmdShowSounds_Click();
    w->lstWavs_Click(Row(w->lstWavs, "Boing"));
    EXPECT_EQ(sent.back().first, "SY  2#WAV Boing");
    EXPECT_EQ(
        Chat.Transcript.section("\r\n", -2),
        "Sent: WAV Boing\r\n>>> Kara can't hear the sound you are playing. Feature only works with v.7+");
}

TEST_F(ChatWindow, AnIconPickedFromTheListRidesOnTheNextLine) {
    Remote("96");
    w->cmdIcon_Click();
    w->lstIcons_Click(Row(w->lstIcons, "Sad"));
    EXPECT_TRUE(w->IconOn);
    w->Text2_Backspace(); // an empty entry box drops the picture
    EXPECT_FALSE(w->IconOn);
    w->cmdIcon_Click();
    w->lstIcons_Click(Row(w->lstIcons, "Sad"));
    Type("");
    EXPECT_EQ(sent.back().first, "SY  1#Ann: ICO Sad!");
    EXPECT_EQ(LastLine(), "Ann: PIC <Sad>");
}

TEST_F(ChatWindow, ALineWithoutAGameClosesTheWindowAndTheConversationKeepsItsEnd) {
    Remote("96");
    Chat.Transcript = QString(3995, QLatin1Char('x'));
    Type("one more line");
    EXPECT_EQ(Chat.Transcript.size(), 3700);
    EXPECT_TRUE(Chat.Transcript.endsWith("\r\nAnn: one more line"));
    Com.NetGame = 0;
    Type("anyone?");
    EXPECT_FALSE(w->Loaded());
}

TEST_F(ChatWindow, ExportCopiesTheChosenSoundAndKeepsTheFolder) {
    const QString target = home->Path() + "/out/Boing.wav";
    QDir().mkpath(home->Path() + "/out");
    std::vector<platform::FileAsk> asked;
    platform::Picks().OpenFile = [&](const platform::FileAsk& a) {
        asked.push_back(a);
        return Com.UserPath + "Sounds/Boing.wav";
    };
    platform::Picks().SaveFile = [&](const platform::FileAsk& a) {
        asked.push_back(a);
        return target;
    };
    w->Options_Chosen("Sound", 2);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Export Sound: Select WAV");
    EXPECT_EQ(asked[1].name, "Boing.wav");
    EXPECT_TRUE(QFile::exists(target));

    // Imported back under another name, it joins the list.
    QFile::rename(target, home->Path() + "/out/Tada.wav");
    platform::Picks().OpenFile = [&](const platform::FileAsk& a) {
        asked.push_back(a);
        return home->Path() + "/out/Tada.wav";
    };
    w->Options_Chosen("Sound", 1);
    EXPECT_EQ(asked.back().folder, home->Path() + "/out");
    EXPECT_EQ(Row(w->lstWavs, "Tada"), 4);
}

// A click (on Options, say) leaves the window where it is; it moves only while the pointer
// moves with the left button held.
TEST_F(ChatWindow, TheWindowMovesOnlyWithTheButtonHeldAndThePointerMoving) {
    w->Show();
    QWidget* title = w->Label1;
    const QPoint start = w->Window()->pos();
    auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, title->mapFromGlobal(global), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(title, &e);
    };
    const QPoint at = title->mapToGlobal(QPoint(5, 5));
    send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseMove, at + QPoint(40, 30), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->Window()->pos(), start);

    send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, at + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at + QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->Window()->pos(), start + QPoint(40, 30));
    send(QEvent::MouseMove, at + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->Window()->pos(), start + QPoint(40, 30));
}

// Without a Documents folder the log and the exports start at home, where the player may
// write, not in the install folder.
TEST_F(ChatWindow, WithoutDocumentsTheLogAndExportDialogsStartAtHome) {
    ASSERT_TRUE(Folders_Init(nullptr));
    ASSERT_FALSE(QFileInfo::exists(home->Path() + "/Documents"));
    Remote("96");
    std::vector<platform::FileAsk> asked;
    platform::Picks().SaveFile = [&](const platform::FileAsk& a) {
        asked.push_back(a);
        return QString();
    };
    platform::Picks().OpenFile = [&](const platform::FileAsk&) { return Com.UserPath + "Sounds/Boing.wav"; };
    svc.boxes->Expect(platform::vbOK); // "Logging Cancelled"
    w->Options_Chosen("Log", 1);
    w->Options_Chosen("Sound", 2);
    ASSERT_EQ(asked.size(), 2u);
    for (const platform::FileAsk& a : asked) {
        EXPECT_EQ(a.folder, QDir::homePath()) << a.title.toStdString();
        EXPECT_NE(a.folder, Com.AppPath);
    }
}

} // namespace
