#include "common/Records.h"
#include "common/Shared.h"
#include "platform/RecordFile.h"
#include "shell/HelpInstall.h"
#include "shell/MenuCommands.h"
#include "shell/ShellHooks.h"
#include "shell/frmAbout.h"
#include "shell/frmSplash.h"
#include "shell/frmTip.h"
#include "table/TableState.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

namespace {
class SplashAboutTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Com.AppPath = home->Path() + "/install";
        Com.DataPath = home->Path() + "/data/";
        Com.UserPath = home->Path() + "/user/";
        QDir().mkpath(Com.AppPath + "/Data");
        platform::RecordFile f;
        ASSERT_TRUE(f.Open(Com.AppPath + "/Data/Tobrinel.ran", TextRecord::kSize));
        for (int i = 17; i <= 30; ++i)
            ASSERT_TRUE(f.Write(i, TextRecord{QStringLiteral("  rec%1 ").arg(i)}.Encode()));
        Help_Install();
    }
    void TearDown() override {
        MenuWin = MenuWindowsT{};
        GameTest::TearDown();
    }
};
} // namespace

TEST_F(SplashAboutTest, SplashShowsTheVersionAndAKeyOrAClickClosesIt) {
    Startup.SplashUnload(); // nothing shown yet: nothing happens
    Startup.SplashShow();
    SplashForm& s = frmSplash();
    ASSERT_TRUE(s.IsVisible());
    EXPECT_EQ(s.lblVersion.Caption(), "Version 9.6.0");
    EXPECT_FALSE(s.Background().isNull());
    QTest::keyClick(s.Window(), Qt::Key_A);
    EXPECT_FALSE(s.Loaded());
    EXPECT_FALSE(s.IsVisible());

    Startup.SplashShow();
    ASSERT_TRUE(s.IsVisible());
    s.Frame1.FireClick();
    EXPECT_FALSE(s.IsVisible());
    // The start-up's own unload after the player closed it does no harm.
    Startup.SplashUnload();
    EXPECT_FALSE(s.Loaded());
}

TEST_F(SplashAboutTest, AboutShowsTheTextRecordsAndTheIconTogglesTheCredits) {
    AboutForm& a = frmAbout();
    a.Load();
    EXPECT_EQ(a.lblTitle.Caption().section("\r\n", 0, 0), "Vornhelm: Grulm and Torvek");
    EXPECT_EQ(a.lblVersion.Caption(), "Version 9.6.0");
    EXPECT_EQ(a.lblDis.Caption(), "rec19 rec20 rec21");
    EXPECT_EQ(a.Label2.Caption(), "rec22\r\n\r\nWarning: Highly addictive.");
    EXPECT_FALSE(a.credit.Visible());

    a.picIcon.FireClick();
    EXPECT_TRUE(a.credit.Visible());
    EXPECT_EQ(a.credit.Caption(), "rec23 rec24 rec25 rec26 rec27 rec28");
    ASSERT_EQ(svc.sound->played.size(), 1);
    EXPECT_EQ(svc.sound->played[0], Com.DataPath + "~119.tmp");
    EXPECT_TRUE(Tbl.SoundBusy);
    a.picIcon.FireClick();
    EXPECT_FALSE(a.credit.Visible());
    EXPECT_EQ(svc.sound->played.size(), 1);
    a.cmdOK.FireClick();
    EXPECT_FALSE(a.Loaded());
}

TEST_F(SplashAboutTest, TheHelpMenuOpensAboutModallyUntilOK) {
    ASSERT_TRUE(Menu_RowAvailable(kMenuHelp, kHelpAbout));
    bool wasShown = false;
    QTimer::singleShot(0, [&] {
        wasShown = frmAbout().IsVisible();
        frmAbout().cmdOK.FireClick();
    });
    MenuHelp(kHelpAbout, 0);
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(frmAbout().IsVisible());
}

TEST_F(SplashAboutTest, TheStartupTipComesOnceTheTableIsUpAndNotWhenTheProgramCloses) {
    Com.GameAbort = true;
    Startup.TipShow();
    QCoreApplication::processEvents();
    EXPECT_FALSE(frmTip().Loaded());
    Com.GameAbort = false;
    Startup.TipShow();
    EXPECT_FALSE(frmTip().Loaded());
    QCoreApplication::processEvents();
    EXPECT_TRUE(frmTip().IsVisible());
    frmTip().Unload();
}
