#include "common/Shared.h"
#include "engine/Model.h"
#include "platform/RecordFile.h"
#include "shell/Folders.h"
#include "shell/MenuCommands.h"
#include "shell/MenuList.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"
#include "shell/frmWelcome.h"
#include "table/frmGrulm.h"
#include "tests/shell/test_profile_support.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

namespace {

class LoginTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        QString error;
        ASSERT_TRUE(Folders_Init(&error)) << error.toStdString();
        ProfHooks.NewGamePrompt = [this] { ++prompts; };
        ProfHooks.TempMovesOpen = [this](bool open) {
            moves.push_back(open);
            Shl.MoveLogOn = open;
        };
    }
    void TearDown() override {
        form.reset();
        Profile_Reset();
        GameTest::TearDown();
    }

    // A player without the move history, so logins open no file.
    static PlayerPrefs Player(const QString& name) {
        PlayerPrefs p = ::Player(name);
        p.AutoSave = 0;
        return p;
    }
    // The window as start-up shows it, without the modal wait.
    WelcomeForm& Open() {
        Get_Players();
        form = std::make_unique<WelcomeForm>();
        form->Show(false);
        return *form;
    }
    WelcomeForm& Confirm(const QString& typed) {
        form->Combo1.SetText(typed);
        form->Command1_Click();
        return *form;
    }

    std::unique_ptr<WelcomeForm> form;
    int prompts = 0;
    std::vector<bool> moves;
};

// A machine where Ann (record 2) and Bob (record 3) have played, Ann last.
class KnownPlayersTest : public LoginTest {
  protected:
    void SetUp() override {
        LoginTest::SetUp();
        PlayerPrefs ann = Player("Ann");
        ann.SideSize = 25;
        PlayerPrefs bob = Player("Bob");
        bob.SideSize = 9;
        bob.NumPlayers = 4;
        bob.Identity(1).Name = "Vexa";
        bob.Games(0) = 17;
        WriteFile({Player("Ann"), ann, bob});
    }
};

TEST_F(LoginTest, ReservedNamesAreRefused) {
    struct Case {
        const char* typed;
        const char* text;
    };
    const char* grulm = "There can ONLY be\nONE Grulm\nand that's me!\nEnter your real name please.";
    const char* torvek = "Sorry dear, that name has been taken...\nEnter another name please.";
    const Case cases[] = {{"grulm", grulm},   {"Grulm ", grulm},  {"GRULM", grulm},
                          {"  gRuLm", grulm}, {"torvek", torvek}, {"TORVEK ", torvek}};
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    Open();
    const QByteArray before = Bytes();
    for (const Case& c : cases) {
        svc.boxes->shown.clear();
        svc.boxes->Expect(platform::vbOK);
        Confirm(c.typed);
        ASSERT_EQ(svc.boxes->shown.size(), 1u) << c.typed;
        EXPECT_EQ(svc.boxes->shown[0].title, "Impersonator Alert");
        EXPECT_EQ(svc.boxes->shown[0].text, c.text) << c.typed;
        EXPECT_EQ(svc.boxes->shown[0].style, platform::vbExclamation);
        EXPECT_EQ(form->Combo1.Text(), "") << c.typed;
        EXPECT_TRUE(form->IsVisible()) << c.typed;
    }
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(Prof.PlayerCount, 0);
}

TEST_F(LoginTest, AnEmptyNameIsRefused) {
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    Open();
    for (const char* typed : {"", "    "}) {
        svc.boxes->shown.clear();
        svc.boxes->Expect(platform::vbOK);
        Confirm(typed);
        ASSERT_EQ(svc.boxes->shown.size(), 1u);
        EXPECT_EQ(svc.boxes->shown[0].title, "Unknown Player");
        EXPECT_EQ(svc.boxes->shown[0].text, "Please enter a name...\nI'd like to know who I'm playing with!");
        EXPECT_EQ(svc.boxes->shown[0].style, platform::vbExclamation);
        EXPECT_TRUE(form->IsVisible());
    }
    EXPECT_EQ(Prof.PlayerRecord, 1);
}

TEST_F(LoginTest, ANameThatCannotBeAFileNameIsRefused) {
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    Open();
    const QByteArray before = Bytes();
    // Characters the file cannot keep become "?", which no file name may hold.
    for (const QString& typed : {QStringLiteral("a.b"), QStringLiteral("who?"), QStringLiteral("日本語")}) {
        svc.boxes->shown.clear();
        svc.boxes->Expect(platform::vbOK);
        Confirm(typed);
        ASSERT_EQ(svc.boxes->shown.size(), 1u) << typed.toStdString();
        EXPECT_EQ(svc.boxes->shown[0].title, "Non-standard filename character");
        EXPECT_EQ(svc.boxes->shown[0].style, platform::vbCritical);
        EXPECT_TRUE(form->IsVisible());
    }
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(Prof.PlayerCount, 0);
}

TEST_F(LoginTest, FirstLoginOnAFreshMachineCreatesTheFirstPlayer) {
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    Open();
    EXPECT_EQ(form->Combo1.ListCount(), 0);
    Com.SideSize = 25; // whatever ran before the login
    Confirm("  Ann ");

    EXPECT_FALSE(form->IsVisible());
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(Com.PlayerName, "Ann");
    EXPECT_EQ(Prof.ProfileName, "Ann");
    EXPECT_EQ(Prof.PlayerCount, 1);
    EXPECT_EQ(Prof.PlayerNames(1), "Ann");
    EXPECT_EQ(Prof.PlayerRecord, 2);
    EXPECT_TRUE(Prof.PlayerKnown);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Com.AnimSteps, AnimStepsForMHz(GetCPUSpeed(false)));

    // The new record is the header's options under the new name, and is loaded.
    EXPECT_EQ(Prefs_RecordCount(), 2);
    EXPECT_EQ(Record(1).Identity(0).Name, "Ann");
    PlayerPrefs expected = Profile_Defaults();
    expected.Identity(0).Name = "Ann";
    EXPECT_EQ(Record(2), expected);
    EXPECT_EQ(Com.SideSize, 19);

    // The next start knows her.
    Profile_Reset();
    Get_Players();
    EXPECT_EQ(Prof.PlayerRecord, 2);
    EXPECT_TRUE(Prof.PlayerKnown);
}

TEST_F(KnownPlayersTest, ANewPlayerGetsTheNextRecordWithTheHeadersOptions) {
    Open();
    Confirm("Cleo");
    EXPECT_EQ(Prof.PlayerRecord, 4);
    EXPECT_EQ(Prof.PlayerCount, 3);
    ASSERT_EQ(Prefs_RecordCount(), 4);
    const PlayerPrefs cleo = Record(4);
    EXPECT_EQ(cleo.Identity(0).Name, "Cleo");
    EXPECT_EQ(cleo.SideSize, Record(1).SideSize);
    EXPECT_EQ(cleo.Games(0), 0);
    EXPECT_EQ(Record(3).Identity(0).Name, "Bob"); // nobody else's record is touched
    EXPECT_EQ(Record(3).Games(0), 17);
}

TEST_F(KnownPlayersTest, WindowListsThePlayersAndSelectsTheCurrentOne) {
    Open();
    ASSERT_EQ(form->Combo1.ListCount(), 2);
    EXPECT_EQ(form->Combo1.List(0), "Ann");
    EXPECT_EQ(form->Combo1.List(1), "Bob");
    EXPECT_EQ(form->Combo1.ListIndex(), 0);
    EXPECT_EQ(form->Combo1.Text(), "Ann");
    EXPECT_EQ(Com.PlayerName, "Ann");
    EXPECT_EQ(form->Combo1.MaxLength(), 20);

    form->Combo1.SetListIndex(1);
    EXPECT_EQ(Com.PlayerName, "Bob");
    form->Combo1.SetText("Someone");
    EXPECT_EQ(form->Combo1.ListIndex(), -1);
}

TEST_F(KnownPlayersTest, SwitchingPlayersStoresTheOutgoingAndLoadsTheChosen) {
    Open();
    ASSERT_EQ(Prof.PlayerRecord, 2);
    ASSERT_EQ(Com.SideSize, 25);
    Com.DeckStyle = 3; // Ann changed her deck in this run
    Shl.MoveLogOn = true;

    form->Combo1.SetListIndex(1);
    form->Command1_Click();

    EXPECT_EQ(Record(2).DeckStyle, 3);
    EXPECT_EQ(Prof.PlayerRecord, 3);
    EXPECT_EQ(Prof.ProfileName, "Bob");
    EXPECT_EQ(Com.SideSize, 9);
    EXPECT_EQ(Com.NumPlayers, 4);
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_EQ(Com.DeckStyle, 6);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Vexa");
    EXPECT_EQ(moves, std::vector<bool>{false}); // the move history closed for the switch
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(Prefs_RecordCount(), 3);
    EXPECT_FALSE(form->IsVisible());
}

TEST_F(KnownPlayersTest, OtherCapitalsFindTheStoredPlayer) {
    Open();
    Confirm("bOB");
    EXPECT_EQ(Com.PlayerName, "Bob");
    EXPECT_EQ(Prof.ProfileName, "Bob");
    EXPECT_EQ(Prof.PlayerRecord, 3);
    EXPECT_EQ(Prof.PlayerCount, 2);
    EXPECT_EQ(Prefs_RecordCount(), 3);
}

TEST_F(KnownPlayersTest, LoggingInAgainAsTheCurrentPlayerChangesNothing) {
    Open();
    const QByteArray before = Bytes();
    Com.DeckStyle = 2;
    Confirm("ANN");
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(Prof.PlayerRecord, 2);
    EXPECT_EQ(Com.DeckStyle, 2); // the running options stay
    EXPECT_EQ(Com.PlayerName, "Ann");
    EXPECT_TRUE(moves.empty());
}

TEST_F(KnownPlayersTest, LongNamesAreCutToTwentyAndStayOnePlayer) {
    Open();
    Confirm("Maximilian Featherstonehaugh");
    EXPECT_EQ(Com.PlayerName, "Maximilian Featherst");
    EXPECT_EQ(Record(4).Identity(0).Name, "Maximilian Featherst");
    const int count = Prefs_RecordCount();

    form = std::make_unique<WelcomeForm>();
    form->Show(false);
    Confirm("maximilian featherstone");
    EXPECT_EQ(Prefs_RecordCount(), count);
    EXPECT_EQ(Prof.PlayerRecord, 4);
    EXPECT_EQ(Prof.PlayerCount, 3);
}

TEST_F(KnownPlayersTest, WindowsOneTwoFiveTwoNamesAreKept) {
    Open();
    Confirm(QStringLiteral("Zoë"));
    EXPECT_EQ(Record(4).Identity(0).Name, QStringLiteral("Zoë"));
    Profile_Reset();
    Get_Players();
    EXPECT_EQ(Prof.ProfileName, QStringLiteral("Zoë"));
    EXPECT_EQ(Prof.PlayerRecord, 4);
}

TEST_F(KnownPlayersTest, OkShowsTheNameOnTheTable) {
    FrmGrulm table;
    Open();
    Confirm("Bob");
    EXPECT_EQ(table.Label9(3).Caption(), "Bob");
    // The status bar names the player from the login on, not only from the first deal.
    EXPECT_EQ(table.StatusBar1.Panels(1).Text, "Bob:");
    // A name's single ampersand is part of the name, not an access key.
    Open();
    Confirm("Tom & Jerry");
    EXPECT_EQ(table.Label9(3).DisplayText(), "Tom & Jerry");
    EXPECT_EQ(table.Label9(4).UseMnemonic(), false) << "nor in the opponents' names";
}

TEST_F(KnownPlayersTest, TheNameFieldStartsSelectedSoTypingReplacesIt) {
    Open();
    auto* edit = qobject_cast<QComboBox*>(form->Combo1.Widget())->lineEdit();
    ASSERT_EQ(edit->text(), "Ann");
    EXPECT_EQ(edit->selectedText(), "Ann");
    QTest::keyClicks(edit, "Cleo");
    EXPECT_EQ(form->Combo1.Text(), "Cleo");
}

TEST_F(KnownPlayersTest, ANewPlayersHelpMenuOffersPeek) {
    FrmGrulm table;
    Open();
    Confirm("Cleo"); // the header's options show the status bar
    EXPECT_FALSE(Com.PeekOn);
    EXPECT_TRUE(Menu_Rows(4)[kHelpPeek].startsWith("Peek\t"));
}

TEST_F(KnownPlayersTest, EnterInTheNameFieldConfirms) {
    Open();
    form->Combo1.SetText("Bob");
    ASSERT_TRUE(form->Combo1.Confirmed);
    form->Combo1.Confirmed();
    EXPECT_EQ(Prof.PlayerRecord, 3);
    EXPECT_FALSE(form->IsVisible());
}

} // namespace
