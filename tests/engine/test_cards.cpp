#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Model.h"
#include "tests/support/TableTest.h"

#include <map>

namespace {

class CardsTest : public WindowTest {
  protected:
    void SetGame(int players) {
        Com.NumPlayers = players;
        Com.NumCenters = players > 2 ? 4 : 3;
        Engine_SizeTables();
        for (int n = 1; n <= Com.TotalCards; ++n) {
            Eng.Deck(0, n) = n;
            int c = n;
            Eng.Deck(1, n) = Card_Rank(c);
            Eng.Deck(2, n) = n % 3 == 0 ? 1 : 0;
        }
    }
    std::map<std::pair<int, int>, int> Pairs() const {
        std::map<std::pair<int, int>, int> m;
        for (int n = 1; n <= Com.TotalCards; ++n)
            ++m[{Eng.Deck(0, n), Eng.Deck(1, n)}];
        return m;
    }
};

TEST_F(CardsTest, ShuffleKeepsEveryPairAndLeavesRowTwo) {
    for (int players = 2; players <= 4; ++players) {
        SetGame(players);
        const auto before = Pairs();
        std::vector<int> marks;
        for (int n = 0; n <= Com.TotalCards; ++n)
            marks.push_back(Eng.Deck(2, n));
        Eng.DeckCount = Com.TotalCards;
        Deck_Shuffle(1, Com.TotalCards);
        EXPECT_EQ(Pairs(), before);
        for (int n = 0; n <= Com.TotalCards; ++n)
            ASSERT_EQ(Eng.Deck(2, n), marks[n]);
        EXPECT_EQ(Eng.Deck(0, 0), 0);
        int moved = 0;
        for (int n = 1; n <= Com.TotalCards; ++n)
            moved += Eng.Deck(0, n) != n;
        EXPECT_GT(moved, Com.TotalCards / 2);
    }
}

TEST_F(CardsTest, ShuffleTogetherMixesPacks) {
    SetGame(4);
    Eng.DeckCount = Com.TotalCards;
    Deck_Shuffle(1, Com.TotalCards);
    int foreign = 0;
    for (int n = 1; n <= 52; ++n)
        foreign += Eng.Deck(0, n) > 52;
    EXPECT_GT(foreign, 0);
}

TEST_F(CardsTest, SeparatePacksStayInTheirPack) {
    for (int players = 2; players <= 4; ++players) {
        SetGame(players);
        const auto before = Pairs();
        Eng.DeckCount = 52;
        for (int k = 1; k <= players; ++k)
            Deck_Shuffle(52 * (k - 1) + 1, 52 * k, 52 * (k - 1));
        EXPECT_EQ(Pairs(), before);
        for (int n = 1; n <= Com.TotalCards; ++n) {
            const int pack = (n - 1) / 52;
            ASSERT_EQ((Eng.Deck(0, n) - 1) / 52, pack) << "position " << n;
        }
    }
}

TEST_F(CardsTest, WildKingShowsTheRankItStandsFor) {
    SetGame(2);
    Eng.TargetPile = 2;
    Eng.PlayCard(0) = 13;
    Eng.PlayCard(1) = 13;
    ASSERT_TRUE(Add_Center());
    EXPECT_EQ(Eng.CenterCount(2), 1);
    EXPECT_EQ(Eng.Center(0, 2, 1), 13);
    EXPECT_EQ(Eng.Center(1, 2, 1), 13);
    EXPECT_TRUE(form->LblWild(2).Visible());
    EXPECT_EQ(form->LblWild(2).Caption(), " 1 ");
    EXPECT_EQ(form->PicCenter(2).ToolTipText(), " 1 ");
    // An ordinary card clears the marker.
    Eng.PlayCard(0) = 2;
    Eng.PlayCard(1) = 2;
    ASSERT_TRUE(Add_Center());
    EXPECT_FALSE(form->LblWild(2).Visible());
    EXPECT_EQ(form->PicCenter(2).ToolTipText(), "");
    EXPECT_EQ(Eng.Center(0, 2, 2), 2);
}

TEST_F(CardsTest, KingOnElevenShowsTwelve) {
    SetGame(2);
    Eng.TargetPile = 1;
    Eng.CenterCount(1) = 11;
    Eng.PlayCard(0) = 65;
    Eng.PlayCard(1) = 13;
    ASSERT_TRUE(Add_Center());
    EXPECT_EQ(Eng.CenterCount(1), 12);
    EXPECT_EQ(form->LblWild(1).Caption(), " 12 ");
}

TEST_F(CardsTest, AFullPileIsNeverWrittenPast) {
    SetGame(2);
    Eng.TargetPile = 3;
    Eng.CenterCount(3) = 12;
    Eng.PlayCard(0) = 5;
    Eng.PlayCard(1) = 5;
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Add_Center());
    EXPECT_EQ(Eng.CenterCount(3), 12);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("full center pile"));
}

TEST_F(CardsTest, TutorialPlayHidesTheArrowsAndLocksTheHand) {
    SetGame(2);
    Com.TutorialMode = true;
    form->imgTip.SetVisible(true);
    Eng.TargetPile = 1;
    Eng.PlayCard(0) = 1;
    Eng.PlayCard(1) = 1;
    ASSERT_TRUE(Add_Center());
    EXPECT_FALSE(form->imgTip.Visible());
    EXPECT_FALSE(form->Picture7(3).Enabled());
    EXPECT_TRUE(form->Picture7(8).Enabled());
}

TEST_F(CardsTest, ClearingMovesTwelveCardsBottomFirst) {
    SetGame(3);
    Com.ComputerPause = 0.5;
    Com.DataPath = "/data/";
    Eng.TargetPile = 4;
    Eng.UsedCount = 24;
    for (int n = 1; n <= 12; ++n) {
        Eng.Center(0, 4, n) = 100 + n;
        Eng.Center(1, 4, n) = n;
    }
    Eng.CenterCount(4) = 12;
    form->LblWild.Load(4).SetVisible(true);
    form->PicCenter.Load(4);
    EXPECT_TRUE(Add_Used(GameOnTable()).GoesOn());
    EXPECT_EQ(Eng.UsedCount, 36);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(Eng.UsedPile(0, 24 + n), 100 + n);
        EXPECT_EQ(Eng.UsedPile(1, 24 + n), n);
        EXPECT_EQ(Eng.Center(0, 4, n), 0);
        EXPECT_EQ(Eng.Center(1, 4, n), 0);
    }
    EXPECT_EQ(Eng.CenterCount(4), 0);
    EXPECT_FALSE(form->LblWild(4).Visible());
    EXPECT_FALSE(form->Label9(0).Visible());
    EXPECT_EQ(form->Label9(0).Caption(), " CLEARING ");
    EXPECT_EQ(svc.sound->played, QStringList{"/data/~118.tmp"});
    EXPECT_DOUBLE_EQ(svc.clock->waited, 2.0); // twice two computer pauses
}

TEST_F(CardsTest, ClearingWithSoundsOffKeepsItsPauses) {
    SetGame(2);
    Com.SoundMode = 2;
    Com.ComputerPause = 0.25;
    Eng.TargetPile = 1;
    Eng.CenterCount(1) = 12;
    EXPECT_TRUE(Add_Used(GameOnTable()).GoesOn());
    EXPECT_TRUE(svc.sound->played.isEmpty());
    EXPECT_DOUBLE_EQ(svc.clock->waited, 1.0);
}

TEST_F(CardsTest, ClearingInAnInternetGamePausesForTheRemoteMover) {
    SetGame(2);
    Com.NetGame = 1;
    Com.Pturn = 2;
    Com.ComputerPause = 0.01;
    Eng.TargetPile = 1;
    Eng.CenterCount(1) = 12;
    EXPECT_TRUE(Add_Used(GameOnTable()).GoesOn());
    EXPECT_NEAR(svc.clock->waited, 0.5 + 0.2 + 0.02, 1e-9);
}

} // namespace
