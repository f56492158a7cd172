// The program's start-up with the media installed, on the install folder the build makes.
#include "engine/Deal.h"
#include "engine/Model.h"
#include "media/MediaInstall.h"
#include "media/MediaState.h"
#include "media/MediaWindows.h"
#include "media/Personality.h"
#include "media/frmOptions.h"
#include "opponent/TurnLoop.h"
#include "shell/Folders.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/Startup.h"
#include "shell/frmWelcome.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTimer>

namespace {
class MediaStartupTest : public GameTest {
  protected:
    void TearDown() override {
        form.reset();
        welcome.reset();
        Startup_Reset();
        Startup = StartupHooks{};
        Profile_Reset();
        Media_Reset();
        MenuWin = MenuWindowsT{};
        Folders_SetAppPath(QString());
        GameTest::TearDown();
    }
    void Start();
    std::unique_ptr<FrmGrulm> form;
    std::unique_ptr<WelcomeForm> welcome;
};
} // namespace

void MediaStartupTest::Start() {
    Media_Reset();
    Boot.LockPath = home->Path() + "/running.lock";
    Folders_SetAppPath(QStringLiteral(ASSETS_BUILT));
    form = std::make_unique<FrmGrulm>();
    Startup_Install();
    Media_Install();
    MediaWindows_Install();
    Startup.LoginShow = [this] {
        welcome = std::make_unique<WelcomeForm>();
        welcome->Show(false);
        welcome->Combo1.SetText("Ann");
        welcome->Command1_Click();
    };
    form->Show();
}

TEST_F(MediaStartupTest, AFirstStartSeatsGrulmWithHisPictureNameAndComments) {
    Start();
    ASSERT_TRUE(Boot.Started);
    EXPECT_EQ(Med.PersonCount, 9);
    EXPECT_EQ(Med.PersonList(1, Med.PersonCount), "Oskrel");
    EXPECT_EQ(form->Label9(4).Caption(), "Grulm");
    EXPECT_EQ(Tbl.PersonIndex, 0);
    EXPECT_EQ(Eng.Seat2Rec.RecAvatar, "Grulm.jpg");
    EXPECT_FALSE(form->ImgAvatar.Picture().isNull());
    EXPECT_EQ(Eng.SeatComments(34), Personality_Grulm().Comments(34));
    EXPECT_TRUE(Eng.Seat3Rec.RecSounds(12).endsWith("Sounds/Grulm-12.wav"));
}

// The program is closed (a logout's SIGTERM closes it the same way) while Preferences, opened
// inside a deal's or a computer turn's pause, waits: it closes unanswered and the program ends.
TEST_F(MediaStartupTest, ClosingWhilePreferencesWaitsInsideAFlowEndsTheProgram) {
    for (const bool turn : {false, true}) {
        SCOPED_TRACE(turn ? "a computer's turn" : "a deal");
        Start();
        int quits = 0;
        Startup.Quit = [&] { ++quits; };
        if (turn) Game_New();
        // Were the player to close it, the program would have waited for that.
        bool opened = false, waited = false;
        QObject player;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(3000, &player, [&] {
                waited = frmOptions().IsVisible();
                frmOptions().Hide();
            });
            QTimer::singleShot(0, [&] {
                opened = frmOptions().Waiting() && (Eng.TableBusy || Eng.CompTurnActive);
                form->Window()->close();
            });
            MenuOptions(kOptPreferences, 0);
        });
        Opponent_PlaySeat1(turn ? 0 : -1);
        turn ? ComputerTurn() : Game_New();
        Opponent_PlaySeat1(-1);
        EXPECT_TRUE(EventsUntil([this] { return !form->Loaded(); }, 2000));
        EXPECT_TRUE(opened);
        EXPECT_FALSE(waited);
        EXPECT_EQ(quits, 1);
        EXPECT_TRUE(QDir(Com.DataPath).entryList({"~*.tmp"}, QDir::Files).isEmpty());
        TearDown();
        SetUp();
    }
}
