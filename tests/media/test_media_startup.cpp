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
#include <QElapsedTimer>
#include <QTest>
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
    void Start() {
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
    std::unique_ptr<FrmGrulm> form;
    std::unique_ptr<WelcomeForm> welcome;
};
} // namespace

// The program is closed (a logout's SIGTERM closes the table the same way) while Preferences,
// opened from inside a deal's or a computer turn's pause, waits for the player: the window
// closes unanswered, the flow unwinds and the program ends without the player's help.
TEST_F(MediaStartupTest, ClosingWhilePreferencesWaitsInsideAFlowEndsTheProgram) {
    const struct {
        const char* what;
        std::function<void()> before, flow;
    } flows[] = {{"a deal", [] {}, [] { Game_New(); }},
                 {"a computer's turn", [] { Game_New(); },
                  [] {
                      Opponent_PlaySeat1(0);
                      ComputerTurn();
                      Opponent_PlaySeat1(-1);
                  }}};
    for (const auto& f : flows) {
        SCOPED_TRACE(f.what);
        home = std::make_unique<TestHome>();
        Start();
        ASSERT_TRUE(Boot.Started);
        int quits = 0;
        Startup.Quit = [&] { ++quits; };
        const QString data = Com.DataPath;
        f.before();
        // The player would close it at last; the program must not wait for that.
        bool player = false, opened = false;
        QTimer playerCloses;
        playerCloses.setSingleShot(true);
        QObject::connect(&playerCloses, &QTimer::timeout, [&] {
            player = frmOptions().IsVisible();
            frmOptions().Hide();
        });
        QTimer::singleShot(0, [&] {
            playerCloses.start(3000);
            QTimer::singleShot(0, [&] {
                opened = frmOptions().Waiting() && (Eng.TableBusy || Eng.CompTurnActive);
                form->Window()->close();
            });
            MenuOptions(kOptPreferences, 0);
        });
        QElapsedTimer t;
        t.start();
        f.flow();
        QTest::qWaitFor([this] { return !form->Loaded(); }, 2000);
        EXPECT_TRUE(opened);
        EXPECT_FALSE(player) << "Preferences stayed open";
        EXPECT_LT(t.elapsed(), 2500);
        EXPECT_FALSE(form->Loaded());
        EXPECT_EQ(quits, 1);
        EXPECT_TRUE(QDir(data).entryList({"~*.tmp"}, QDir::Files).isEmpty());
        form.reset();
        welcome.reset();
        Startup_Reset();
        Profile_Reset();
        Common_Reset();
        Engine_Reset();
        Table_ResetState();
    }
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
