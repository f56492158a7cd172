// The program's start-up with the media installed, on the install folder the build makes.
#include "engine/Model.h"
#include "media/MediaInstall.h"
#include "media/MediaState.h"
#include "media/Personality.h"
#include "shell/Folders.h"
#include "shell/Profile.h"
#include "shell/Startup.h"
#include "shell/frmWelcome.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

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
        Folders_SetAppPath(QString());
        GameTest::TearDown();
    }
    std::unique_ptr<FrmGrulm> form;
    std::unique_ptr<WelcomeForm> welcome;
};
} // namespace

TEST_F(MediaStartupTest, AFirstStartSeatsGrulmWithHisPictureNameAndComments) {
    Media_Reset();
    Boot.LockPath = home->Path() + "/running.lock";
    Folders_SetAppPath(QStringLiteral(ASSETS_BUILT));
    form = std::make_unique<FrmGrulm>();
    Startup_Install();
    Media_Install();
    Startup.LoginShow = [this] {
        welcome = std::make_unique<WelcomeForm>();
        welcome->Show(false);
        welcome->Combo1.SetText("Ann");
        welcome->Command1_Click();
    };
    form->Show();
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
