// Drawing a seat's piles, the side stacks, the depth outlines and the hold frames.
#include "common/Card.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Piles.h"
#include "tests/table/test_layout_support.h"

#include <QWidget>

namespace {

class PilesTest : public LayoutTest {
  protected:
    void SetUp() override {
        LayoutTest::SetUp();
        Pictures_Init();
        // Backs that cannot be mistaken for anything else.
        Tbl.Pic.FilePic[0] = Solid(71, 96, Qt::cyan);
        Tbl.Pic.FilePic[5] = Solid(59, 80, Qt::magenta);
    }
    static QImage Solid(int w, int h, QColor c) {
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        img.fill(c);
        return img;
    }
    static bool Same(const QImage& a, const QImage& b) { return !a.isNull() && a.cacheKey() == b.cacheKey(); }
    void Card(BArray<int, 2>& cards, int slot, int number) {
        cards(0, slot) = number;
        cards(1, slot) = RankOf(number);
    }
    int ShownEdges(int first, int last) {
        int n = 0;
        for (int e = first; e <= last; ++e)
            n += form->Stack(e).Visible() ? 1 : 0;
        return n;
    }
};

// ---------------------------------------------------------------- side stacks

TEST_F(PilesTest, ATwentyCardSidePileShowsNineteenEdges) {
    Table(2, 3, 12000);
    Com.SideSize = 19;
    Eng.PlayerSideStack = 25 - Com.SideSize;
    Eng.Seat2Rec.RecSideStack = 50 - Com.SideSize;
    Eng.SeatSideStack = Eng.Seat2Rec.RecSideStack;
    Stacks_ShowCounts(true);
    EXPECT_EQ(ShownEdges(1, 25), 19);
    for (int e = 7; e <= 25; ++e)
        EXPECT_TRUE(form->Stack(e).Visible()) << e;
    EXPECT_EQ(ShownEdges(26, 50), 19);
    EXPECT_FALSE(form->Stack(31).Visible());
    // Three side cards played: the engine raises the index and hides that edge each time.
    for (int i = 0; i < 3; ++i)
        form->Stack(++Eng.PlayerSideStack).SetVisible(false);
    Stacks_ShowCounts(true);
    EXPECT_EQ(ShownEdges(1, 25), 16);
    Stacks_ShowCounts(false);
    EXPECT_EQ(ShownEdges(1, 50), 0);
}

TEST_F(PilesTest, StacksOfSeatsThreeAndFourOnlyWhileTheyAreLaidOut) {
    Table(4, 4, 12000);
    Eng.SeatSideStack = 31;
    Eng.Seat3Rec.RecSideStack = 60;
    Eng.Seat4Rec.RecSideStack = 90;
    Stacks_ShowCounts(true);
    EXPECT_EQ(ShownEdges(51, 75), 15);
    EXPECT_EQ(ShownEdges(76, 100), 10);
    Stacks_ShowCounts(false);
    Tbl.Seat4Loaded = false; // as if seat 4 were not at the table
    Stacks_ShowCounts(true);
    EXPECT_EQ(ShownEdges(51, 75), 15);
    EXPECT_EQ(ShownEdges(76, 100), 0);
}

TEST_F(PilesTest, NoOpponentStackIsShownBeforeTheFirstDeal) {
    Table(3, 4, 12000);
    Eng.SeatSideStack = 99;
    Eng.PlayerSideStack = 6;
    Stacks_ShowCounts(true);
    EXPECT_EQ(ShownEdges(1, 75), 0);
}

TEST_F(PilesTest, ASeatsIndexNeverReachesIntoAnotherSeatsStack) {
    Table(3, 4, 12000);
    Eng.SeatSideStack = 31;
    // Records not dealt yet hold 0.
    Eng.Seat2Rec.RecSideStack = 0;
    Eng.Seat3Rec.RecSideStack = 0;
    Eng.PlayerSideStack = 25;
    Stacks_ShowCounts(true);
    EXPECT_EQ(ShownEdges(1, 25), 0);
    EXPECT_EQ(ShownEdges(26, 50), 25);
    EXPECT_EQ(ShownEdges(51, 75), 25);
}

TEST_F(PilesTest, StackPicturesAreCreatedOnceWithTheCardSizeAndDeckColour) {
    Screen(12000);
    Com.DeckColour = 0x00123456;
    Tbl.CardWidth = 59;
    Tbl.CardHeight = 80;
    Stacks_LoadImages();
    Highlights_LoadImages();
    Stacks_LoadImages();
    EXPECT_EQ(form->Stack.Count(), 51);
    EXPECT_EQ(form->StackHold.Count(), 9);
    for (int e = 0; e <= 50; ++e) {
        EXPECT_EQ(form->Stack(e).WidthPx(), 59) << e;
        EXPECT_EQ(form->Stack(e).HeightPx(), 80) << e;
        EXPECT_EQ(form->Stack(e).BackColor(), 0x00123456u) << e;
    }
    for (int e = 0; e <= 8; ++e) {
        EXPECT_EQ(form->StackHold(e).WidthPx(), 59) << e;
        EXPECT_EQ(form->StackHold(e).FillColor(), 0x00123456u) << e;
    }
    EXPECT_EQ(form->Picture7(1).BackColor(), 0x00123456u);
    EXPECT_EQ(form->Picture1(1).BackColor(), 0x00123456u);
}

TEST_F(PilesTest, EdgesLieUnderTheSideCardHigherEdgesOverLowerOnes) {
    Table(4, 4, 15360);
    const QObjectList& order = form->Client()->children();
    auto pos = [&](const platform::Control& c) { return order.indexOf(c.Widget()); };
    for (int top : {25, 50, 75, 100}) {
        for (int e = top - 23; e <= top; ++e)
            EXPECT_LT(pos(form->Stack(e - 1)), pos(form->Stack(e))) << e;
    }
    EXPECT_LT(pos(form->Stack(25)), pos(form->ImgHold));
    EXPECT_LT(pos(form->ImgHold), pos(form->Picture7(1)));
    EXPECT_LT(pos(form->Stack(75)), pos(form->Picture2(1)));
    EXPECT_LT(pos(form->StackHold(13)), pos(form->Picture3(7)));
    EXPECT_LT(pos(form->Label3(3)), pos(form->Picture3(7)));
}

// ---------------------------------------------------------------- depth outlines

TEST_F(PilesTest, DepthOutlineOfEachSeatsHoldPile) {
    Table(4, 4, 12000);
    struct Case {
        Places* places;
        int base;
    } cases[] = {{&form->Picture7, 0}, {&form->Picture1, 4}, {&form->Picture2, 8}, {&form->Picture3, 12}};
    for (const Case& c : cases) {
        for (int hold = 1; hold <= 4; ++hold) {
            Hold_Highlight(*c.places, true, hold);
            EXPECT_TRUE(form->StackHold(c.base + hold).Visible()) << c.places->Name().toStdString() << hold;
            Hold_Highlight(*c.places, false, hold);
            EXPECT_FALSE(form->StackHold(c.base + hold).Visible()) << c.places->Name().toStdString() << hold;
        }
    }
    EXPECT_THROW(Hold_Highlight(form->Picture1, true, 0), std::out_of_range);
    EXPECT_THROW(Hold_Highlight(form->Picture1, true, 5), std::out_of_range);
}

TEST_F(PilesTest, SeatsNotAtTheTableHaveNoOutlineToShow) {
    Table(2, 3, 12000);
    EXPECT_NO_THROW(Hold_Highlight(form->Picture3, true, 2));
    EXPECT_FALSE(form->StackHold.Exists(14));
}

// ---------------------------------------------------------------- drawing a seat

TEST_F(PilesTest, HandSlotsShowTheirCardsAndHideWhenEmpty) {
    Table(2, 3, 15360);
    Card(Eng.PlayerCards, 2, 5);
    Card(Eng.PlayerCards, 4, 40);
    form->Picture7(3).SetVisible(true);
    Pile_Draw(form->Picture7, Eng.PlayerCards);
    EXPECT_TRUE(form->Picture7(2).Visible());
    EXPECT_FALSE(form->Picture7(3).Visible());
    EXPECT_TRUE(form->Picture7(4).Visible());
    EXPECT_FALSE(form->Picture7(5).Visible());
    EXPECT_FALSE(Same(form->Picture7(2).Picture(), Tbl.Pic.FilePic[0]));
}

TEST_F(PilesTest, OpponentsHandIsDrawnFaceDownUnlessPeeking) {
    Table(2, 3, 15360);
    Card(Eng.Seat2Rec.RecCards, 2, 7);
    for (int backStyle : {0, 1}) {
        Com.BackStyle = backStyle;
        form->Picture1(2).SetBorderStyle(backStyle == 0 ? 0 : 1);
        Pile_Draw(form->Picture1, Eng.Seat2Rec.RecCards);
        EXPECT_TRUE(Same(form->Picture1(2).Picture(), Tbl.Pic.FilePic[0])) << backStyle;
        EXPECT_EQ(form->Picture1(2).BorderStyle(), backStyle == 0 ? 1 : 0) << backStyle;
    }
    Com.PeekOn = true;
    Pile_Draw(form->Picture1, Eng.Seat2Rec.RecCards);
    EXPECT_FALSE(form->Picture1(2).Picture().isNull());
    EXPECT_FALSE(Same(form->Picture1(2).Picture(), Tbl.Pic.FilePic[0]));
}

TEST_F(PilesTest, HumansHoldOutlineShowsWhenCardsLieUnderTheTop) {
    Table(2, 3, 15360);
    Card(Eng.PlayerCards, 7, 9);
    Card(Eng.PlayerCards, 8, 10);
    Eng.PlayerHoldCount(1) = 1;
    Eng.PlayerHoldCount(2) = 0;
    form->StackHold(3).SetVisible(true); // drawing never hides an outline
    Pile_Draw(form->Picture7, Eng.PlayerCards);
    EXPECT_TRUE(form->StackHold(1).Visible());
    EXPECT_FALSE(form->StackHold(2).Visible());
    EXPECT_TRUE(form->StackHold(3).Visible());
    EXPECT_FALSE(form->StackHold(4).Visible());
}

TEST_F(PilesTest, OpponentsHoldOutlineNeedsADepthOfTwo) {
    Table(3, 4, 15360);
    for (SeatRecord* rec : {&Eng.Seat2Rec, &Eng.Seat3Rec}) {
        Card(rec->RecCards, 7, 11);
        Card(rec->RecCards, 8, 12);
        rec->RecHoldInfo(1, 1) = 1;
        rec->RecHoldInfo(2, 1) = 2;
    }
    Pile_Draw(form->Picture1, Eng.Seat2Rec.RecCards);
    Pile_Draw(form->Picture2, Eng.Seat3Rec.RecCards);
    EXPECT_FALSE(form->StackHold(5).Visible());
    EXPECT_TRUE(form->StackHold(6).Visible());
    EXPECT_FALSE(form->StackHold(9).Visible());
    EXPECT_TRUE(form->StackHold(10).Visible());
}

TEST_F(PilesTest, EmptyHoldPlaceShowsThePlaceHolderWithItsBorder) {
    Table(2, 3, 15360);
    form->Picture7(9).SetBorderStyle(0);
    Pile_Draw(form->Picture7, Eng.PlayerCards);
    EXPECT_TRUE(Same(form->Picture7(9).Picture(), form->EmptyPlaceLarge));
    EXPECT_EQ(form->Picture7(9).BorderStyle(), 1);
    EXPECT_TRUE(form->Picture7(9).Visible());
}

TEST_F(PilesTest, SidePlaceTakesTheBackOfItsSize) {
    struct Case {
        int twips, mode, players;
        bool human;
        int back;
    } cases[] = {
        {12000, 0, 2, true, 0}, {12000, 0, 4, false, 0}, {11999, 0, 2, true, 5}, {15360, 0, 2, false, 0},
        {15360, 0, 3, true, 0}, {15360, 0, 3, false, 5}, {15360, 2, 2, true, 5}, {12000, 3, 2, false, 5},
        {13000, 1, 4, true, 0}, {13000, 1, 4, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.twips << " twips, mode " << c.mode << ", " << c.players
                                        << (c.human ? " players, human" : " players, seat 2"));
        Com.NumPlayers = c.players;
        Tbl.ScreenWidthTwips = c.twips;
        Com.LayoutMode = c.mode;
        Com.DeckColour = 0x00112233;
        Places& places = c.human ? form->Picture7 : form->Picture1;
        places(1).SetBackColor(0);
        Pile_Draw(places, c.human ? Eng.PlayerCards : Eng.Seat2Rec.RecCards);
        EXPECT_TRUE(Same(places(1).Picture(), Tbl.Pic.FilePic[c.back]));
        EXPECT_EQ(places(1).BackColor(), 0x00112233u);
    }
}

TEST_F(PilesTest, KeptSidePictureStaysAsItWas) {
    Table(2, 3, 15360);
    const QImage mark = Solid(71, 96, Qt::yellow);
    form->Picture7(1).SetPicture(mark);
    form->Picture7(1).SetBackColor(0x00ABCDEF);
    Com.KeepSidePicture = true;
    Pile_Draw(form->Picture7, Eng.PlayerCards);
    EXPECT_TRUE(Same(form->Picture7(1).Picture(), mark));
    EXPECT_EQ(form->Picture7(1).BackColor(), 0x00ABCDEF);
}

TEST_F(PilesTest, TheSideCardShowsOverItsBack) {
    Table(2, 3, 15360);
    Card(Eng.PlayerCards, 1, 17);
    Com.KeepSidePicture = false;
    Pile_Draw(form->Picture7, Eng.PlayerCards);
    EXPECT_TRUE(form->Picture7(1).Visible());
    EXPECT_FALSE(form->Picture7(1).Picture().isNull());
    EXPECT_FALSE(Same(form->Picture7(1).Picture(), Tbl.Pic.FilePic[0]));
    EXPECT_EQ(form->Picture7(1).BackColor(), Com.DeckColour);
}

TEST_F(PilesTest, SidePlaceBorderFollowsTheDeckStyle) {
    Table(2, 3, 15360);
    for (int style : {1, 5, 6, 7}) {
        Com.DeckStyle = style;
        Pile_Draw(form->Picture1, Eng.Seat2Rec.RecCards);
        EXPECT_EQ(form->Picture1(1).BorderStyle(), style < 6 ? 1 : 0) << style;
    }
}

// ---------------------------------------------------------------- frames and the picture on the side stack

TEST_F(PilesTest, PictureOnTheSideStackLiesOnItsTopEdge) {
    for (int mode : {0, 2}) {
        form = std::make_unique<FrmGrulm>();
        Table_ResetState();
        Tbl.Pic.FilePic[0] = Solid(71, 96, Qt::cyan);
        Tbl.Pic.FilePic[5] = Solid(59, 80, Qt::magenta);
        Table(2, 3, 12000, mode);
        EXPECT_EQ(form->ImgHold.LeftPx(), form->Stack(25).LeftPx());
        EXPECT_EQ(form->ImgHold.TopPx(), form->Stack(25).TopPx());
        EXPECT_EQ(form->ImgHold.WidthPx(), Tbl.CardWidth);
        EXPECT_TRUE(Same(form->ImgHold.Picture(), Tbl.Pic.FilePic[mode < 2 ? 0 : 5])) << mode;
    }
}

// ---------------------------------------------------------------- the frame of a caption-less window

TEST_F(PilesTest, FrameLinesBevelACaptionlessWindow) {
    platform::Form window("frmFramed");
    window.SetBackColor(0x00000000);
    window.SetClientSizePx(200, 100);
    FrameLines_Draw(window);
    const QImage& bg = window.Background();
    ASSERT_EQ(bg.size(), QSize(200, 100));
    EXPECT_EQ(bg.pixelColor(0, 50), QColor(255, 255, 255));   // outer left
    EXPECT_EQ(bg.pixelColor(199, 50), QColor(128, 128, 128)); // outer right
    EXPECT_EQ(bg.pixelColor(100, 0), QColor(255, 255, 255));  // outer top
    EXPECT_EQ(bg.pixelColor(100, 99), QColor(128, 128, 128)); // outer bottom
    EXPECT_EQ(bg.pixelColor(2, 50), QColor(224, 224, 224));   // inner bevel, left at 30 twips
    EXPECT_EQ(bg.pixelColor(100, 2), QColor(224, 224, 224));  // and top
    EXPECT_EQ(bg.pixelColor(198, 50), QColor(192, 192, 192)); // right at W - 30 twips
    EXPECT_EQ(bg.pixelColor(100, 98), QColor(192, 192, 192)); // bottom at H - 30 twips
    EXPECT_EQ(bg.pixelColor(100, 50), QColor(0, 0, 0));       // the inside is left alone
}

} // namespace
