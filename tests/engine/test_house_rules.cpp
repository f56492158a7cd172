#include "engine/HouseRules.h"
#include "engine/frmRules.h"
#include "tests/engine/test_deal_support.h"

#include <QTest>

namespace {

class RulesTest : public DealTest {
  protected:
    void SetUp() override {
        DealTest::SetUp();
        HouseRules_Reset();
    }
    void TearDown() override {
        frmRules().Hide();
        HouseRules_Reset();
        DealTest::TearDown();
    }
    FrmRules& Open() {
        FrmRules& w = frmRules();
        w.Unload();
        w.Show();
        return w;
    }
    void Click(platform::CheckBox& box) { box.SetValue(box.Value() == 1 ? 0 : 1); }
    // A game in progress: cards dealt, the human on turn.
    void UnderWay() {
        Com.Pturn = 1;
        Eng.PlayerSideCount = 5;
    }
};

TEST_F(RulesTest, TheForcedValueFollowsTheBoxesAfterEveryClick) {
    FrmRules& w = Open();
    EXPECT_EQ(w.chkNoForced.Value(), 1);
    Click(w.chkNoForced);
    struct Step {
        int box, forced;
        bool visibleEnabled;
    } steps[] = {{1, 1, true}, {2, 3, true}, {4, 7, true}, {1, 6, true}, {2, 0, false}, {2, 2, true}};
    for (const Step& s : steps) {
        Click(w.chkForced(s.box));
        EXPECT_EQ(w.Pending.Forced, s.forced) << "box " << s.box;
        EXPECT_EQ(w.chkForced(4).Enabled(), s.visibleEnabled) << "box " << s.box;
    }
    // Unchecking Ace and Two cleared "visible cards only", so it does not come back with Two.
    EXPECT_EQ(w.chkForced(4).Value(), 0);
    Click(w.chkNoForced);
    EXPECT_EQ(w.Pending.Forced, 0);
    for (int b : {1, 2, 4})
        EXPECT_FALSE(w.chkForced(b).Enabled() || w.chkForced(b).Value() == 1) << b;
}

TEST_F(RulesTest, LoadingShowsTheRulesInForceAndMendsADamagedForcedValue) {
    Com.SideSize = 14;
    Com.ForcedCards = 5;
    Com.DecksSeparate = true;
    Com.NoWildAce = true;
    FrmRules& w = Open();
    EXPECT_TRUE(w.optSide(2).Value());
    EXPECT_TRUE(w.optShuffle(1).Value());
    EXPECT_EQ(w.chkWild.Value(), 1);
    EXPECT_EQ(w.chkForced(1).Value() + w.chkForced(2).Value() + w.chkForced(4).Value(), 2);
    EXPECT_EQ(w.Pending.Forced, 5);
    EXPECT_EQ(w.Pending.Side, 14);
    Com.ForcedCards = 12;
    Open();
    EXPECT_EQ(Com.ForcedCards, 0);
    EXPECT_EQ(w.Pending.Forced, 0);
}

TEST_F(RulesTest, MorePlayersThanTwoKeepFourCenterPiles) {
    Table(3);
    FrmRules& w = Open();
    svc.boxes->Expect(platform::vbOK);
    w.optCenter(0).SetValue(true);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Number of Centers");
    EXPECT_TRUE(w.optCenter(1).Value());
    EXPECT_EQ(w.Pending.Centers, 4);
}

TEST_F(RulesTest, DefaultsThenCancelLeaveTheGamesRulesAlone) {
    Com.SideSize = 25;
    Com.NoWildAce = true;
    Com.ForcedCards = 3;
    Com.DecksSeparate = true;
    FrmRules& w = Open();
    w.cmdDefault_Click();
    EXPECT_EQ(w.Pending.Side, 19);
    EXPECT_EQ(w.Pending.Forced, 0);
    EXPECT_FALSE(w.Pending.NoWildAce || w.Pending.Separate);
    QTest::keyClick(w.Window(), Qt::Key_Escape); // as Cancel
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(Com.SideSize, 25);
    EXPECT_TRUE(Com.NoWildAce && Com.DecksSeparate);
    EXPECT_EQ(Com.ForcedCards, 3);
    EXPECT_FALSE(Rul.RulesChanged);
}

TEST_F(RulesTest, ANewSideSizeAsksFirstAndCancelKeepsTheWindowOpen) {
    FrmRules& w = Open();
    w.optSide(1).SetValue(true);
    svc.boxes->Expect(platform::vbCancel);
    w.cmdSave_Click();
    EXPECT_TRUE(w.Loaded());
    EXPECT_EQ(Com.SideSize, 19);
    EXPECT_FALSE(Rul.RulesChanged);
    svc.boxes->Expect(platform::vbOK);
    w.cmdSave_Click();
    EXPECT_EQ(svc.boxes->shown.back().title, "New Rules");
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(Com.SideSize, 25);
    EXPECT_TRUE(Rul.RulesChanged);
    // The next deal gives every seat the new side pile.
    Game_New();
    EXPECT_EQ(Eng.PlayerSideCount, 26);
    EXPECT_FALSE(Rul.RulesChanged);
}

TEST_F(RulesTest, ForcedCardsAloneApplyWithoutAWord) {
    FrmRules& w = Open();
    Click(w.chkNoForced);
    Click(w.chkForced(1));
    w.cmdSave_Click();
    EXPECT_EQ(Com.ForcedCards, 1);
    EXPECT_FALSE(Rul.RulesChanged);
    EXPECT_TRUE(svc.boxes->shown.empty());
}

TEST_F(RulesTest, ACenterCountChosenDuringAGameWaitsForTheNextOne) {
    Game_New();
    ASSERT_TRUE(Game_UnderWay());
    const int inCenters = Eng.CenterCount(1) + Eng.CenterCount(2) + Eng.CenterCount(3);
    FrmRules& w = Open();
    w.optCenter(1).SetValue(true);
    svc.boxes->Expect(platform::vbOK);
    w.cmdSave_Click();
    EXPECT_EQ(Com.NumCenters, 3);
    EXPECT_FALSE(form->PicCenter.Exists(4));
    EXPECT_EQ(Eng.CenterCount(1) + Eng.CenterCount(2) + Eng.CenterCount(3), inCenters);
    // Shown again, the window offers the count chosen.
    Open();
    EXPECT_TRUE(w.optCenter(1).Value());
    w.Unload();
    Game_New();
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_TRUE(form->PicCenter.Exists(4));
    EXPECT_GE(Eng.CenterCount.UBound(), 4);
    EXPECT_EQ(Rul.CentersAtNextGame, 0);
}

TEST_F(RulesTest, ACenterCountChosenBetweenGamesReLaysTheTableAtOnce) {
    int names = 0;
    Hooks.Labels_PlayerNames = [&] { ++names; };
    FrmRules& w = Open();
    w.optCenter(1).SetValue(true);
    svc.boxes->Expect(platform::vbOK);
    w.cmdSave_Click();
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_TRUE(form->PicCenter.Exists(4));
    EXPECT_EQ(names, 1);
}

TEST_F(RulesTest, OlderPeersGetLessOfTheWindow) {
    Com.NetGame = 1;
    Com.PeerVersion = "74";
    FrmRules& w = Open();
    EXPECT_FALSE(w.optCenter(1).Enabled());
    EXPECT_TRUE(w.optCenter(0).Value());
    w.Unload();
    Com.PeerVersion = "51";
    svc.boxes->Expect(platform::vbOK);
    w.Show();
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(svc.boxes->shown.back().title, "Playing older version.");
}

} // namespace
