#include "common/Shared.h"
#include "engine/Flow.h"
#include "shell/Startup.h"
#include "shell/Tips.h"
#include "shell/Utilities.h"
#include "shell/frmTip.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {
class TipTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Com.AppPath = home->Path() + "/install";
        QDir().mkpath(Com.AppPath);
    }
    void TearDown() override {
        if (frmTip().Loaded()) frmTip().Unload();
        GameTest::TearDown();
    }
    void WriteTips(const QByteArray& text) { WriteBytes(Com.AppPath + "/" + kTipsFile, text); }
    // Opens the window as the menu does, returns the tip shown, and closes it.
    QString OpenAndClose() {
        frmTip().Show();
        const QString shown = frmTip().lblTipText.Caption();
        frmTip().cmdOK.FireClick();
        return shown;
    }
};
} // namespace

TEST(Tips, LinesAreTipsEmptyOnesIncluded) {
    EXPECT_EQ(Tips_Parse("one\r\ntwo~more\n\nfour\n"), QStringList({"one", "two~more", "", "four"}));
    EXPECT_EQ(Tips_Parse("only"), QStringList({"only"}));
    EXPECT_EQ(Tips_Parse("\n"), QStringList({""}));
    EXPECT_TRUE(Tips_Parse("").isEmpty());
    EXPECT_EQ(Tip_Text("a~b~"), "a\r\n\r\nb\r\n\r\n");
}

TEST(Tips, StoredNumberOutsideTheListCountsAsZeroAndStepsGoRound) {
    struct Case {
        int stored, count, start;
    } cases[] = {{-4, 5, 0}, {0, 5, 0}, {3, 5, 3}, {5, 5, 5}, {6, 5, 0}, {32767, 5, 0}, {2, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(Tip_Start(c.stored, c.count), c.start) << c.stored << " of " << c.count;
    EXPECT_EQ(Tip_Step(0, 5, false), 1);
    EXPECT_EQ(Tip_Step(5, 5, false), 1);
    EXPECT_EQ(Tip_Step(1, 5, true), 5);
    EXPECT_EQ(Tip_Step(3, 5, true), 2);
    EXPECT_EQ(Tip_Step(0, 0, false), 1);
}

TEST_F(TipTest, EachOpeningShowsTheTipAfterTheOneShownLast) {
    WriteTips("first\nsecond~part two\nthird\nfourth\nfifth\n");
    EXPECT_EQ(OpenAndClose(), "first");
    EXPECT_EQ(TipNumber(), 1);
    EXPECT_EQ(OpenAndClose(), "second\r\n\r\npart two");
    EXPECT_EQ(TipNumber(), 2);

    SetTipNumber(4);
    frmTip().Show();
    EXPECT_EQ(frmTip().lblTipText.Caption(), "fifth");
    frmTip().cmdNextTip.FireClick();
    EXPECT_EQ(frmTip().lblTipText.Caption(), "first");
    frmTip().cmdNextTip.FireClick();
    frmTip().Unload();
    EXPECT_EQ(TipNumber(), 2);
}

TEST_F(TipTest, AStoredNumberOutsideTheListStartsAgainAtTheFirstTip) {
    WriteTips("first\nsecond\n");
    for (const char* stored : {"2", "9", "-3", "garbage"}) {
        WriteSetting(kSetTipNumber, stored);
        EXPECT_EQ(OpenAndClose(), "first") << stored;
        EXPECT_EQ(TipNumber(), 1);
    }
}

TEST_F(TipTest, AnEmptyFileShowsNoTipAndAMissingOneExplains) {
    WriteTips("");
    EXPECT_EQ(OpenAndClose(), "");
    EXPECT_EQ(TipNumber(), 1);

    QFile::remove(Com.AppPath + "/" + kTipsFile);
    SetTipNumber(7);
    const QString shown = OpenAndClose();
    EXPECT_TRUE(shown.startsWith("That the TIPOFDAY.TXT file was not found? \r\n\r\n"))
        << shown.toStdString();
    // The place in the list is kept for when the file is back.
    EXPECT_EQ(TipNumber(), 7);
}

TEST_F(TipTest, TheStartupBoxIsStoredAndHelpOpensTheContents) {
    WriteTips("first\n");
    Boot.ShowTips = 1;
    frmTip().Show();
    EXPECT_EQ(frmTip().chkLoadTipsAtStartup.Value(), 1);
    frmTip().chkLoadTipsAtStartup.SetValue(0);
    EXPECT_FALSE(ShowTipsAtStartup());
    QStringList asked;
    Hooks.ShowHelp = [&](const QString& kind, const QString& keyword) { asked << kind << keyword; };
    frmTip().cmdHelp.FireClick();
    EXPECT_EQ(asked, QStringList({"Contents", "Contents"}));
    frmTip().Unload();
    // Opened again, the box shows the choice just made.
    frmTip().Show();
    EXPECT_EQ(frmTip().chkLoadTipsAtStartup.Value(), 0);
    frmTip().chkLoadTipsAtStartup.SetValue(1);
    EXPECT_TRUE(ShowTipsAtStartup());
}
