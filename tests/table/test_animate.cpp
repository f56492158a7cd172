// Card flights and the deal of a stock card.
#include "common/Card.h"
#include "table/Animate.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "tests/table/test_layout_support.h"

namespace {

class AnimateTest : public LayoutTest {
  protected:
    void SetUp() override {
        LayoutTest::SetUp();
        Pictures_Init();
        StatusBar_Init();
        Table(2, 3, 15360);
        Com.AnimSteps = 20;
        Com.ComputerPause = 0.5;
        Com.DataPath = home->Path() + "/";
        GetCardFaces(6);
        Cards_MakeFiles();
    }
    // The stock with cards 1..n, card n on top.
    void Stock(int n) {
        for (int i = 1; i <= n; ++i) {
            Eng.Deck(0, i) = i;
            Eng.Deck(1, i) = RankOf(i);
        }
        Eng.DeckCount = n;
    }
};

TEST_F(AnimateTest, AFlightEndsHiddenWhereItStarted) {
    PictureBox& src = form->Picture7(3);
    const QRectF start = Rect(src);
    src.SetVisible(true);
    EXPECT_TRUE(form->Card_Animate(form->Picture7, 3, form->PicCenter, 2, GameOnTable()).GoesOn());
    EXPECT_FALSE(src.Visible());
    EXPECT_EQ(Rect(src), start);
    EXPECT_GT(svc.clock->waits, 1); // it showed the positions on its way
}

TEST_F(AnimateTest, AFlightOnTheSpotStepsRightOnePixelAtATime) {
    // Source and target at the same place: 36 steps of one pixel to the threshold of half a card.
    PictureBox& src = form->Picture7(4);
    src.SetVisible(true);
    const int before = svc.clock->waits;
    EXPECT_TRUE(form->Card_Animate(form->Picture7, 4, form->Picture7, 4, GameOnTable()).GoesOn());
    const int steps = svc.clock->waits - before - 1; // the last short wait is not a step
    EXPECT_EQ(steps, 36);
}

TEST_F(AnimateTest, FlightTimeDoesNotDependOnTheMachine) {
    // Every step waits on the clock, so the whole flight takes a fixed share of time.
    form->Picture7(2).SetVisible(true);
    svc.clock->waited = 0;
    EXPECT_TRUE(form->Card_Animate(form->Picture7, 2, form->PicCenter, 1, GameOnTable()).GoesOn());
    EXPECT_GT(svc.clock->waited, 0.1);
    EXPECT_LT(svc.clock->waited, 1.0);
}

TEST_F(AnimateTest, AHoldPileThatEmptiesShowsThePlaceHolderWhileItsCardFlies) {
    Eng.PlayerHoldCount(2) = 0;
    form->Picture7(8).SetVisible(true);
    EXPECT_TRUE(form->Card_Animate(form->Picture7, 8, form->PicCenter, 1, GameOnTable()).GoesOn());
    // The spare picture painted the empty place-holder at the pile.
    EXPECT_EQ(form->Picture1(0).LeftPx(), form->Picture7(8).LeftPx());
    EXPECT_FALSE(form->Picture1(0).Picture().isNull());
}

TEST_F(AnimateTest, DealingTakesTheTopCardMarksItAndShowsTheHumansFace) {
    Stock(10);
    Com.SoundMode = 0;
    Com.SoundSet = 1;
    EXPECT_TRUE(form->Card_Deal(form->Picture7, Eng.PlayerCards, 2, 5, GameOnTable()).GoesOn());
    EXPECT_EQ(Eng.PlayerCards(0, 2), 10);
    EXPECT_EQ(Eng.PlayerCards(1, 2), 10);
    EXPECT_EQ(Eng.DeckCount, 9);
    EXPECT_EQ(Eng.Deck(0, 10), 0);
    EXPECT_EQ(Eng.Deck(1, 10), 0);
    EXPECT_EQ(Eng.Deck(2, 10), 1);
    EXPECT_TRUE(form->Picture7(2).Visible());
    EXPECT_FALSE(Animate_Dealing());
    EXPECT_TRUE(svc.sound->played.contains(Com.DataPath + "~114.tmp")); // card sound 5 of set 1
}

TEST_F(AnimateTest, AnOpponentsDealtCardIsABackUnlessPeeking) {
    Stock(10);
    EXPECT_TRUE(form->Card_Deal(form->Picture1, Eng.Seat2Rec.RecCards, 3, 3, GameOnTable()).GoesOn());
    const QImage back = form->Picture1(3).Picture();
    EXPECT_EQ(Eng.Seat2Rec.RecCards(0, 3), 10);
    Com.PeekOn = true;
    EXPECT_TRUE(form->Card_Deal(form->Picture1, Eng.Seat2Rec.RecCards, 4, 3, GameOnTable()).GoesOn());
    EXPECT_NE(form->Picture1(4).Picture(), back);
    EXPECT_EQ(Eng.DeckCount, 8);
}

TEST_F(AnimateTest, DealingWaitsLongerAfterTheHumansCard) {
    Stock(4);
    svc.clock->waited = 0;
    EXPECT_TRUE(form->Card_Deal(form->Picture1, Eng.Seat2Rec.RecCards, 2, 3, GameOnTable()).GoesOn());
    const double opponent = svc.clock->waited;
    svc.clock->waited = 0;
    EXPECT_TRUE(form->Card_Deal(form->Picture7, Eng.PlayerCards, 2, 5, GameOnTable()).GoesOn());
    EXPECT_NEAR(svc.clock->waited - opponent, 0.25 - 0.02, 0.05);
}

TEST_F(AnimateTest, EnablingFollowsTheHumansCardsWhateverArrayIsPassed) {
    Eng.PlayerCards(1, 2) = 5;
    Eng.PlayerCards(1, 3) = 0;
    Piles_EnableRange(form->Picture7, true, 1, 10);
    EXPECT_TRUE(form->Picture7(2).Enabled());
    EXPECT_FALSE(form->Picture7(3).Enabled());
    Piles_EnableRange(form->Picture1, true, 2, 3);
    EXPECT_TRUE(form->Picture1(2).Enabled());
    EXPECT_FALSE(form->Picture1(3).Enabled());
    Piles_EnableRange(form->Picture7, false, 2, 2);
    EXPECT_FALSE(form->Picture7(2).Enabled());
    Control_Enable(form->Picture7, 3);
    EXPECT_TRUE(form->Picture7(3).Enabled());
}

} // namespace
