// The preferences: each page's choices applied to the settings, and the dialog's
// apply, cancel, OK and page-switch paths on a laid-out table.
#include "media/Preferences.h"
#include "media/frmOptions.h"
#include "platform/PickDialogs.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "tests/media/MediaTestSupport.h"
#include "tests/support/TableSize.h"

namespace {

TEST_F(MediaTest, FirstBackGivesPictureDecksTheirOwnBackColour) {
    Com.BackStyle = 1;
    Com.DeckColour = 0x111111;
    PrefChoices c = Prefs_Choices(4);
    c.faceStyle = 7;
    EXPECT_EQ(Prefs_Apply(kPageCards, c), kShowFaces);
    EXPECT_EQ(Com.DeckColour, 0x111111u);
    c.faceStyle = 8;
    Prefs_Apply(kPageCards, c);
    EXPECT_EQ(Com.DeckColour, kCreamBack);
    c.faceStyle = 9;
    Prefs_Apply(kPageCards, c);
    EXPECT_EQ(Com.DeckColour, kSilverBack);
    EXPECT_EQ(Prefs_Apply(kPageCards, c), 0); // nothing new to show

    // The backs page names style 7 where the cards page names 9.
    c.back = 1;
    c.backColour = 0x222222;
    c.matColour = 0x333333;
    Com.DeckColour = 0x111111;
    EXPECT_EQ(Prefs_Apply(kPageBacks, c), kShowBack);
    EXPECT_EQ(Com.DeckColour, 0x111111u);
    EXPECT_EQ(Com.MatColour, 0x333333u);
    Com.DeckStyle = 7;
    Prefs_Apply(kPageBacks, c);
    EXPECT_EQ(Com.DeckColour, kSilverBack);
    c.back = 0;
    Prefs_Apply(kPageBacks, c);
    EXPECT_EQ(Com.BackStyle, kPlainBack);
    EXPECT_EQ(Com.DeckColour, 0x222222u);
    EXPECT_EQ(Prefs_Choices(4).back, 0);
    Com.BackStyle = 9;
    EXPECT_EQ(Prefs_Choices(4).back, 0); // a back the deck source no longer offers
}

TEST_F(MediaTest, SoundsPageKeepsSoundsOffWhenOnlyTheSetChanges) {
    Com.SoundMode = 0;
    Com.SoundSet = 0;
    PrefChoices c = Prefs_Choices(0);
    EXPECT_EQ(c.soundOption, kSoundWood);
    c.soundOption = kSoundNone;
    c.placeWood = true;
    c.menuStyle = 1;
    c.introOff = true;
    EXPECT_EQ(Prefs_Apply(kPageSounds, c), kShowSkin);
    EXPECT_EQ(Com.SoundMode, 2);
    EXPECT_EQ(Com.SoundSet, 0);
    EXPECT_EQ(Com.PlaceholderStyle, -1);
    EXPECT_EQ(Tbl.MenuStyle, 1);
    EXPECT_TRUE(Prof.IntroOff);
    EXPECT_EQ(Prefs_Choices(0).soundOption, kSoundNone);
    c.soundOption = kSoundMetal;
    c.placeWood = false;
    Prefs_Apply(kPageSounds, c);
    EXPECT_EQ(Com.SoundSet, 1);
    EXPECT_EQ(Com.SoundMode, 2);
    EXPECT_EQ(Com.PlaceholderStyle, 0);
}

class PrefsWindowTest : public MediaTest {
  protected:
    void SetUp() override {
        MediaTest::SetUp();
        table = std::make_unique<FrmGrulm>();
        LayTableFor(*table, 3);
        platform::Picks().PickColour = [this](quint32, quint32* out) {
            if (colour == 0) return false;
            *out = colour;
            return true;
        };
        w = &frmOptions();
        if (w->Loaded()) w->Unload();
        w->Load();
    }
    void TearDown() override {
        w->Unload();
        platform::Picks_Reset();
        table.reset();
        MediaTest::TearDown();
    }
    // The dialog opened anew, on the settings as they stand now.
    void Reopen() {
        w->Unload();
        w->Load();
    }
    std::unique_ptr<FrmGrulm> table;
    OptionsForm* w = nullptr;
    quint32 colour = 0;
};

TEST_F(PrefsWindowTest, CancelLeavesEverySettingAndTheTableAsTheyWere) {
    Com.CommentFontSize = 10;
    Shl.FontColour = 0x00FFFFFF;
    w->SSTab1.SetCurrent(kPageFont);
    EXPECT_FALSE(w->CmdApply.Enabled());
    colour = 0x00123456;
    w->Command2_Click(2);
    w->CmdSz_Click(0);
    EXPECT_TRUE(w->CmdApply.Enabled());
    EXPECT_EQ(w->LblFont(0).ForeColor(), 0x00123456u);
    w->CmdCancel_Click();
    EXPECT_FALSE(w->Loaded());
    EXPECT_EQ(Com.CommentFontSize, 10);
    EXPECT_EQ(Shl.FontColour, 0x00FFFFFFu);
    EXPECT_NE(table->Label9(3).ForeColor(), 0x00123456u);
}

TEST_F(PrefsWindowTest, ApplyTakesThePageShowingToTheTable) {
    Com.CommentFontSize = 10;
    w->SSTab1.SetCurrent(kPageFont);
    colour = 0x00123456;
    w->Command2_Click(2);
    colour = 0; // a cancelled colour dialog changes nothing
    w->Command2_Click(3);
    w->CmdSz_Click(0);
    w->CmdSz_Click(0);
    w->CmdSz_Click(1);
    w->CKFnt.SetValue(1);
    w->CmdApply_Click();
    EXPECT_FALSE(w->CmdApply.Enabled());
    EXPECT_EQ(Shl.FontColour, 0x00123456u);
    EXPECT_EQ(Com.CommentFontSize, 11);
    EXPECT_TRUE(Shl.FontBackdrop);
    for (int i = 1; i <= Com.NumPlayers + 2; ++i)
        EXPECT_EQ(table->Label9(i).ForeColor(), 0x00123456u) << i;
    EXPECT_EQ(table->Label9(2).Font().pointSizeF(), 11.0);
    EXPECT_EQ(table->Label9(2).BackStyle(), 1);
    EXPECT_EQ(table->Label9(2).BackColor(), Com.MatColour);
}

// A choice made on one page stays while the player looks at the others, and OK applies every
// page that was changed.
TEST_F(PrefsWindowTest, SwitchingPagesKeepsWhatWasChosenAndOkAppliesEveryPage) {
    Com.SoundMode = 0;
    Com.SoundSet = 1;
    Com.DeckStyle = 2;
    Reopen();
    w->SSTab1.SetCurrent(kPageSounds);
    EXPECT_TRUE(w->OptSound(kSoundMetal).Value());
    w->OptSound(kSoundNone).SetValue(true);
    EXPECT_TRUE(w->CmdApply.Enabled());
    w->SSTab1.SetCurrent(kPageCards);
    EXPECT_TRUE(w->CmdApply.Enabled());
    EXPECT_TRUE(w->OptCard(2).Value());
    w->OptCard(5).SetValue(true);
    EXPECT_EQ(w->OptCard(5).Caption(), "Vesk");
    w->SSTab1.SetCurrent(kPageSounds);
    EXPECT_TRUE(w->OptSound(kSoundNone).Value());
    w->SSTab1.SetCurrent(kPageFont);
    w->cmdOK_Click();
    EXPECT_EQ(Com.SoundMode, 2);
    EXPECT_EQ(Com.DeckStyle, 5);

    Com.SoundMode = 0;
    w->Load();
    w->SSTab1.SetCurrent(kPageSounds);
    w->OptSound(kSoundNone).SetValue(true);
    w->FilePic_Click(kSampleWood);
    EXPECT_TRUE(w->optPlaceHolder(0).Value());
    w->cmdOK_Click();
    EXPECT_FALSE(w->Loaded());
    EXPECT_EQ(Com.SoundMode, 2);
    EXPECT_EQ(Com.PlaceholderStyle, -1);
}

TEST_F(PrefsWindowTest, DeckChoicesAreOneGroupAndBacksBrowseFromPlain) {
    Com.DeckStyle = 2;
    Reopen();
    w->SSTab1.SetCurrent(kPageCards);
    EXPECT_TRUE(w->OptCard(2).Value());
    w->OptCardSuit(6).SetValue(true);
    EXPECT_FALSE(w->OptCard(2).Value());
    EXPECT_EQ(w->Choices().faceStyle, 6);
    EXPECT_FALSE(w->FilePic(13).Picture().isNull());
    w->CmdApply_Click();
    EXPECT_EQ(Com.DeckStyle, 6);

    Com.BackStyle = kPlainBack;
    Reopen();
    w->SSTab1.SetCurrent(kPageBacks);
    EXPECT_EQ(w->HScrollBacks.Value(), 0);
    EXPECT_TRUE(w->Command2(0).Enabled());
    if (w->HScrollBacks.Max() >= 1) {
        w->HScrollBacks.SetValue(1);
        EXPECT_FALSE(w->Command2(0).Enabled());
        w->CmdApply_Click();
        EXPECT_EQ(Com.BackStyle, 1);
    }
}

} // namespace
