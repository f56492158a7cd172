// The table's geometry checked against its rules, computed here on their own.
#include "table/Avatar.h"
#include "table/KeepClear.h"
#include "table/Paint.h"
#include "table/Redraw.h"
#include "tests/table/test_layout_support.h"

#include <QWidget>
#include <cmath>
#include <map>
#include <vector>

namespace {

using LayoutGeometryTest = LayoutTest;

// ---------------------------------------------------------------- the grid

struct TwoGrid {
    int twips, centers, width;
    int seat2SideLeft, humanTop, humanHandLeft, seat2HandLeft, humanHoldTop, holdLeft, centerTop, centerLeft;
};

// Straight from the two-player table: 12288 twips divides narrow from wide.
const TwoGrid kTwoGrids[] = {
    {12000, 4, 71, 151, 392, 266, 240, 273, 400, 153, 166},
    {12000, 3, 71, 151, 392, 166, 240, 273, 300, 202, 33},
    {12287, 3, 59, 166, 392, 166, 240, 273, 300, 214, 33},
    {12288, 4, 71, 231, 400, 400, 320, 279, 480, 153, 225},
    {12288, 3, 71, 231, 400, 400, 320, 279, 480, 218, 152},
    {15360, 3, 59, 246, 400, 400, 320, 279, 480, 230, 194},
};

TEST_F(LayoutGeometryTest, TwoPlayerGridFollowsScreenPilesAndCardSize) {
    for (const TwoGrid& g : kTwoGrids) {
        SCOPED_TRACE(testing::Message() << g.twips << " twips, " << g.centers << " piles, W " << g.width);
        Tbl.ScreenWidthTwips = g.twips;
        Tbl.CardWidth = g.width;
        Tbl.CardHeight = g.width == 71 ? 96 : 80;
        Com.NumPlayers = 2;
        Com.NumCenters = g.centers;
        Tbl.OppHoldTop = -1;
        Layout_ComputeGrid();
        EXPECT_EQ(Tbl.Seat2Top, 6);
        EXPECT_EQ(Tbl.Seat2HandTop, 6);
        EXPECT_EQ(Tbl.Seat2SideLeft, g.seat2SideLeft);
        EXPECT_EQ(Tbl.HumanTop, g.humanTop);
        EXPECT_EQ(Tbl.HumanHandLeft, g.humanHandLeft);
        EXPECT_EQ(Tbl.Seat2HandLeft, g.seat2HandLeft);
        EXPECT_EQ(Tbl.HumanHoldTop, g.humanHoldTop);
        EXPECT_EQ(Tbl.HumanHoldLeft, g.holdLeft);
        EXPECT_EQ(Tbl.Seat2HoldLeft, g.holdLeft);
        EXPECT_EQ(Tbl.CenterTop, g.centerTop);
        EXPECT_EQ(Tbl.CenterLeft, g.centerLeft);
        // The hold row of a compact seat is only set on a wide screen.
        EXPECT_EQ(Tbl.OppHoldTop, g.twips >= 12288 ? Tbl.CardHeight + 6 : -1);
        EXPECT_EQ(form->Picture1(1).LeftPx(), g.seat2SideLeft);
        EXPECT_EQ(form->Picture1(1).TopPx(), 6);
        EXPECT_EQ(form->Picture1(2).LeftPx(), g.seat2HandLeft);
        EXPECT_EQ(form->Picture1(2).TopPx(), 6);
        EXPECT_EQ(form->Picture1(7).LeftPx(), g.holdLeft);
    }
}

struct ManyGrid {
    int players, twips, width;
    int seat2SideLeft, humanTop, humanHoldTop, centerTop, oppHoldTop, seat2HandLeft;
};

const ManyGrid kManyGrids[] = {
    {4, 12000, 71, 63, 392, 273, 213, 101, 108}, // 35.5 + 63 + 10 = 108.5 rounds to even
    {4, 12288, 71, 80, 392, 273, 213, 101, 126}, // 125.5 rounds to even
    {4, 13000, 71, 80, 392, 273, 213, 101, 126}, {4, 13001, 71, 80, 405, 290, 230, 116, 126},
    {3, 12000, 59, 250, 392, 273, 213, 85, 290}, {3, 15360, 71, 250, 405, 290, 230, 116, 296},
};

TEST_F(LayoutGeometryTest, ThreeAndFourPlayerGridFollowsTheScreen) {
    for (const ManyGrid& g : kManyGrids) {
        SCOPED_TRACE(testing::Message() << g.players << " players, " << g.twips << " twips, W " << g.width);
        Tbl.ScreenWidthTwips = g.twips;
        Tbl.CardWidth = g.width;
        Tbl.CardHeight = g.width == 71 ? 96 : 80;
        Com.NumPlayers = g.players;
        Com.NumCenters = 4;
        Tbl.Seat2HoldLeft = -1;
        Layout_ComputeGrid();
        EXPECT_EQ(Tbl.Seat2Top, 5);
        EXPECT_EQ(Tbl.Seat2HandTop, 5);
        EXPECT_EQ(Tbl.Seat2SideLeft, g.seat2SideLeft);
        EXPECT_EQ(Tbl.HumanTop, g.humanTop);
        EXPECT_EQ(Tbl.HumanHandLeft, 433);
        EXPECT_EQ(Tbl.HumanHoldLeft, 433);
        EXPECT_EQ(Tbl.HumanHoldTop, g.humanHoldTop);
        EXPECT_EQ(Tbl.CenterTop, g.centerTop);
        EXPECT_EQ(Tbl.CenterLeft, 126);
        EXPECT_EQ(Tbl.OppHoldTop, g.oppHoldTop);
        EXPECT_EQ(Tbl.Seat2HandLeft, g.seat2HandLeft);
        EXPECT_EQ(Tbl.Seat2HoldLeft, -1); // not a value of the compact seats
        EXPECT_EQ(form->Picture1(1).LeftPx(), g.seat2SideLeft);
        EXPECT_EQ(form->Picture1(1).TopPx(), 5);
    }
}

// ---------------------------------------------------------------- whole tables

TEST_F(LayoutGeometryTest, TwoPlayersThreePilesWithSmallCards) {
    Passes(2, 3, 15360, 2);
    EXPECT_EQ(form->PicCenter(1).LeftPx(), 194);
    EXPECT_EQ(form->PicCenter(1).TopPx(), 230);
    EXPECT_EQ(form->PicCenter(1).WidthPx(), 59);
    EXPECT_EQ(form->PicCenter(3).LeftPx(), 354);
}

TEST_F(LayoutGeometryTest, FourPlayersSeatTwoByScreenWidth) {
    struct Case {
        int twips;
        double seat2Left, humanTop, nameBelowSide;
    } cases[] = {{12000, 63, 392, 73}, {12287, 63, 392, 73}, {12288, 80, 392, 73},
                 {13000, 80, 392, 83}, {13001, 80, 405, 83}, {15360, 80, 405, 83}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.twips);
        NewPasses(4, 4, c.twips);
        EXPECT_EQ(form->Picture1(1).LeftPx(), c.seat2Left);
        EXPECT_EQ(form->Picture1(1).TopPx(), 5);
        EXPECT_EQ(form->Picture7(1).TopPx(), c.humanTop);
        // Seat 2's name: 80 + 3 below its side pile from 13000 twips on, 80 - 7 below that.
        EXPECT_EQ(form->Label9(4).TopPx() - form->Picture1(1).TopPx(), c.nameBelowSide);
    }
}

// Beside the golden tables: three players at 12800 twips.
TEST_F(LayoutGeometryTest, MessageLabelOfThreeAndFourPlayersIsEightyHighAndWiderThanTheHoldFrame) {
    // At most 80 high: it ends above the hold frame it would otherwise run under.
    for (int players : {3, 4}) {
        NewTable(players, 4, 12800);
        EXPECT_GE(form->Label9(2).HeightPx(), 3 * design::kLabelLine); // the player's record
        EXPECT_LE(form->Label9(2).HeightPx(), 80);
        EXPECT_LT(form->Label9(2).TopPx() + form->Label9(2).HeightPx(), form->Label3(0).TopPx());
    }
    EXPECT_EQ(form->Label9(2).WidthPx(), form->Label3(0).WidthPx() + 50);
    EXPECT_EQ(form->Label9(2).LeftPx(), form->Label3(0).LeftPx());
}

TEST_F(LayoutGeometryTest, CompactSeatsHoldPilesOverlapBySixPixels) {
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        NewPasses(4, 4, 15360, mode);
        const int W = Tbl.CardWidth;
        EXPECT_EQ(W - 6, mode == 0 ? 65 : 53);
        for (Places* places : {&form->Picture1, &form->Picture2, &form->Picture3}) {
            for (int e = 8; e <= 10; ++e) {
                EXPECT_EQ(places->operator()(e).LeftPx() - places->operator()(e - 1).LeftPx(), W - 6)
                    << places->Name().toStdString() << " " << e;
                EXPECT_EQ(places->operator()(e).TopPx(), Tbl.OppHoldTop);
            }
            // The first hold pile stands 8 pixels right of the farthest edge of the seat's side stack.
            const int first = places == &form->Picture1 ? 26 : places == &form->Picture2 ? 51 : 76;
            EXPECT_EQ(places->operator()(7).LeftPx(), form->Stack(first).LeftPx() + 8);
            // The hand fans a quarter card to the right and 3 pixels down, from half a card right of the side
            // pile.
            const int a = static_cast<int>(std::nearbyint(W / 4.0));
            const int b = static_cast<int>(std::nearbyint(places->operator()(1).LeftPx() + W / 2.0 + 10));
            for (int e = 2; e <= 6; ++e) {
                EXPECT_EQ(places->operator()(e).LeftPx(), (e - 1) * a + b);
                EXPECT_EQ(places->operator()(e).TopPx(), places->operator()(e - 1).TopPx() + 3);
                EXPECT_EQ(places->operator()(e).WidthPx(), 59);
            }
        }
    }
}

TEST_F(LayoutGeometryTest, SmallDisplayFourPilesCloseUp) {
    Passes(4, 4, 12000, 2);
    const std::pair<double, double> want[] = {{0, 0}, {122, 209}, {189, 209}, {122, 293}, {189, 293}};
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(form->PicCenter(p).LeftPx(), want[p].first) << p;
        EXPECT_EQ(form->PicCenter(p).TopPx(), want[p].second) << p;
    }
    EXPECT_EQ(form->imgCenter.LeftPx(), 111);
    EXPECT_EQ(form->imgCenter.TopPx(), 197);
    EXPECT_DOUBLE_EQ(form->imgCenter.WidthPx(), 145.6);
    EXPECT_DOUBLE_EQ(form->imgCenter.HeightPx(), 181.6);
    EXPECT_TRUE(form->imgCenter.Stretch());
}

TEST_F(LayoutGeometryTest, LargeDisplayFourPilesOfTwoPlayersOnAWideScreenKeepTheFrameUnstretched) {
    Table(2, 4, 15360);
    EXPECT_FALSE(form->imgCenter.Stretch());
}

// The whole tables' places are pinned by the golden dumps; what they do not show stays here.
TEST_F(LayoutGeometryTest, AnAvatarNarrowerThanTheStocksFrameSendsTheStockToTheRightEdge) {
    Table(2, 3, 15360);
    Avatar_Fit(60, 130); // a picture less than half as wide as high
    ASSERT_LT(form->ImgAvatar.WidthPx(), 71);
    Layout_Stock();
    EXPECT_EQ(form->PicCenter(0).LeftPx(), form->Client()->width() - 71 - 14);
}

TEST_F(LayoutGeometryTest, PassesWorkInPixelsAndMoveCardsEndsInTwips) {
    Screen(12000);
    StartUp();
    form->SetScaleMode(platform::vbTwips);
    Layout_TwoPlayers();
    EXPECT_EQ(form->ScaleMode(), platform::vbPixels);
    Layout_MoveCards(true);
    EXPECT_EQ(form->ScaleMode(), platform::vbTwips);
    Layout_MoveCards(false);
    EXPECT_EQ(form->ScaleMode(), platform::vbTwips);
}

// ---------------------------------------------------------------- moving the human's cards

TEST_F(LayoutGeometryTest, MovingTheCardsUpRaisesTheHumansRows) {
    struct Case {
        int players, centers, twips, raise;
    } cases[] = {{2, 3, 12000, 20}, {2, 4, 12000, 20}, {2, 3, 13000, 20}, {2, 4, 13001, 50},
                 {3, 4, 12000, 20}, {3, 4, 15360, 50}, {4, 4, 12800, 20}, {4, 4, 15360, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.players << "/" << c.centers << " at " << c.twips);
        NewPasses(c.players, c.centers, c.twips);
        std::map<int, double> before;
        for (int e = 1; e <= 10; ++e)
            before[e] = form->Picture7(e).TopPx();
        const double frameBefore = form->Label3(0).TopPx();
        Layout_MoveCards(true);
        for (int e = 1; e <= 10; ++e)
            EXPECT_EQ(form->Picture7(e).TopPx(), before[e] - c.raise) << e;
        for (int h = 1; h <= 4; ++h)
            EXPECT_EQ(form->StackHold(h).TopPx(), form->Picture7(6 + h).TopPx() - 5);
        EXPECT_EQ(form->Label3(0).TopPx(), form->Picture7(7).TopPx() - 10);
        EXPECT_LT(form->Label3(0).TopPx(), frameBefore);
        // The side stack and the picture on it go up with the side card.
        EXPECT_EQ(form->Stack(25).TopPx(), form->Picture7(1).TopPx());
        EXPECT_EQ(form->ImgHold.LeftPx(), form->Stack(25).LeftPx());
        EXPECT_EQ(form->ImgHold.TopPx(), form->Stack(25).TopPx());
        if (c.players > 2) {
            EXPECT_EQ(form->Label9(2).LeftPx(), form->imgCenter.LeftPx() + form->imgCenter.WidthPx());
            EXPECT_EQ(form->Label9(2).WidthPx(), 2 * Tbl.CardWidth);
            // Down towards the side card, but never over a card place.
            EXPECT_LE(form->Label9(2).TopPx() + form->Label9(2).HeightPx(), form->Picture7(1).TopPx());
            for (const QRectF& place : KeepClear_CardPlaces())
                EXPECT_FALSE(Rect(form->Label9(2)).intersects(place));
        }
    }
}

TEST_F(LayoutGeometryTest, MovingTheCardsUpKeepsSeatTwosHoldPilesOffTheHumans) {
    for (int centers : {3, 4}) {
        SCOPED_TRACE(centers);
        NewTable(2, centers, 12000);
        const double seat2Before = form->Picture1(7).TopPx();
        Layout_MoveCards(true);
        for (int e = 7; e <= 10; ++e) {
            EXPECT_EQ(form->Picture1(e).TopPx(), seat2Before - 10) << e;
            EXPECT_EQ(form->StackHold(e - 2).TopPx(), seat2Before - 15) << e;
            for (int h = 7; h <= 10; ++h)
                EXPECT_FALSE(Rect(form->Picture1(e)).intersects(Rect(form->Picture7(h)))) << e << " on " << h;
        }
        EXPECT_EQ(form->Label3(1).TopPx(), form->Picture1(7).TopPx() - 10);
        if (centers == 4) {
            // The block of piles follows seat 2's raised hold row.
            EXPECT_EQ(Tbl.CenterTop, form->Picture1(7).TopPx() + 10);
            EXPECT_EQ(form->PicCenter(1).TopPx(), Tbl.CenterTop);
            EXPECT_EQ(form->Label9(1).TopPx(), form->Picture7(1).TopPx() + 10);
        }
    }
}

TEST_F(LayoutGeometryTest, MovingTheCardsBackRestoresTheTable) {
    struct Case {
        int players, centers, twips, mode;
    } cases[] = {{2, 3, 12000, 0}, {2, 4, 12000, 0}, {2, 3, 15360, 0}, {2, 4, 15360, 0},
                 {3, 4, 12000, 0}, {4, 4, 12800, 0}, {4, 4, 15360, 0}, {2, 4, 12000, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.players << "/" << c.centers << " at " << c.twips << " mode " << c.mode);
        NewPasses(c.players, c.centers, c.twips, c.mode);
        Table_Redraw();     // moving the cards back ends with a redraw
        Avatar_KeepClear(); // as the avatar code leaves it on the table
        const QString before = Layout_Dump();
        Layout_MoveCards(true);
        EXPECT_NE(Layout_Dump(), before);
        Layout_MoveCards(false);
        ExpectSameLines(Layout_Dump(), before);
    }
}

// ---------------------------------------------------------------- which places exist

std::set<QString> SeatThreePlaces() {
    return Union({Elements("Picture2", 2, 10),
                  Elements("Stack", 51, 75),
                  Elements("StackHold", 9, 12),
                  {"Label3(2)", "Label9(5)"}});
}
std::set<QString> SeatFourPlaces() {
    return Union({Elements("Picture3", 2, 10),
                  Elements("Stack", 76, 100),
                  Elements("StackHold", 13, 16),
                  {"Label3(3)", "Label9(6)"}});
}
std::set<QString> FourthPile() {
    return {"PicCenter(4)", "LblWild(4)"};
}

std::set<QString> Minus(const std::set<QString>& a, const std::set<QString>& b) {
    std::set<QString> d;
    for (const auto& s : a)
        if (!b.count(s)) d.insert(s);
    return d;
}

TEST_F(LayoutGeometryTest, FromFourPlayersToThreeRemovesExactlySeatFour) {
    Table(4, 4, 15360);
    const auto before = Existing();
    const QString seat3Before = Layout_Dump().split('\n').filter("Picture2(").join('\n');
    GameSize(3, 4);
    const auto after = Existing();
    EXPECT_EQ(Minus(before, after), SeatFourPlaces());
    EXPECT_TRUE(Minus(after, before).empty());
    EXPECT_FALSE(Tbl.Seat4Loaded);
    EXPECT_TRUE(Tbl.Seat3Loaded);
    EXPECT_FALSE(form->Picture3(1).Visible());
    // Seat 3 keeps its places (they move: with three players it sits farther right).
    for (int e = 1; e <= 10; ++e)
        EXPECT_TRUE(form->Picture2.Exists(e));
    EXPECT_EQ(form->Picture2(1).LeftPx(), 580);
    EXPECT_NE(Layout_Dump().split('\n').filter("Picture2(").join('\n'), seat3Before);
}

TEST_F(LayoutGeometryTest, FromThreePlayersToTwoRemovesBothExtraSeatsAndTheFourthPile) {
    Table(3, 4, 12000);
    const auto before = Existing();
    GameSize(2, 3);
    EXPECT_EQ(Minus(before, Existing()), Union({SeatThreePlaces(), FourthPile()}));
    EXPECT_FALSE(Tbl.Seat3Loaded);
    EXPECT_FALSE(Tbl.FourthCenterLoaded);
    EXPECT_FALSE(form->Picture2(1).Visible());
}

TEST_F(LayoutGeometryTest, FromThreePlayersToTwoWithFourPilesMakesTheFourthPileAgain) {
    Table(3, 4, 12000);
    GameSize(2, 4);
    ASSERT_TRUE(form->PicCenter.Exists(4));
    EXPECT_TRUE(Tbl.FourthCenterLoaded);
    EXPECT_TRUE(form->PicCenter(4).Visible());
    for (const QString& s : SeatThreePlaces())
        EXPECT_FALSE(Existing().count(s)) << s.toStdString();
}

// ---------------------------------------------------------------- changes of game size

TEST_F(LayoutGeometryTest, GrowingToFourPlayersResizesTheTables) {
    std::vector<int> plans;
    PlanTables_Redim = [&](int n) { plans.push_back(n); };
    Table(2, 3, 12000);
    EXPECT_TRUE(plans.empty());
    Eng.CenterCount(3) = 7;
    GameSize(4, 4);
    EXPECT_EQ(Com.TotalCards, 208);
    EXPECT_EQ(Eng.Deck.UBound(2), 208);
    EXPECT_EQ(Eng.UsedPile.UBound(2), 208);
    EXPECT_EQ(Eng.Center.UBound(2), 4);
    EXPECT_EQ(Eng.CenterCount.UBound(), 4);
    EXPECT_EQ(Eng.CenterCount(3), 0);
    EXPECT_EQ(plans, std::vector<int>{4});
    EXPECT_TRUE(Tbl.Seat3Loaded);
    EXPECT_TRUE(Tbl.Seat4Loaded);
    EXPECT_EQ(Com.NumPlayers, 4);
    EXPECT_EQ(Com.NumCenters, 4);
}

TEST_F(LayoutGeometryTest, ShrinkingToTwoPlayersKeepsTheCardCountInForce) {
    Table(4, 4, 12000);
    ASSERT_EQ(Com.TotalCards, 208);
    GameSize(2, 3);
    EXPECT_EQ(Com.TotalCards, 208);
    EXPECT_EQ(Eng.Deck.UBound(2), 208);
    EXPECT_FALSE(form->PicCenter.Exists(4));
    EXPECT_FALSE(form->Picture3.Exists(2));
    EXPECT_EQ(Com.NumCenters, 3);
    // The caller's count of cards decides.
    Com.TotalCards = 104;
    GameSize(2, 4);
    EXPECT_EQ(Eng.Deck.UBound(2), 104);
}

TEST_F(LayoutGeometryTest, AFourthPileForTwoPlayersComesInItsBlock) {
    std::vector<int> plans;
    PlanTables_Redim = [&](int n) { plans.push_back(n); };
    Table(2, 3, 15360);
    GameSize(2, 4);
    EXPECT_EQ(plans, std::vector<int>{4});
    EXPECT_EQ(Eng.CenterCount.UBound(), 4);
    EXPECT_EQ(form->PicCenter(4).LeftPx(), form->PicCenter(2).LeftPx());
    EXPECT_EQ(form->PicCenter(4).TopPx(), form->PicCenter(3).TopPx());
    EXPECT_EQ(form->PicCenter(2).LeftPx() - form->PicCenter(1).LeftPx(), Tbl.CardWidth + 10);
    EXPECT_EQ(form->PicCenter(3).TopPx() - form->PicCenter(1).TopPx(), Tbl.CardHeight + 6);
}

TEST_F(LayoutGeometryTest, PileTablesAreEmptiedOnlyForANewFourthPile) {
    std::vector<int> plans;
    PlanTables_Redim = [&](int n) { plans.push_back(n); };
    Table(3, 4, 12000);
    plans.clear();
    Eng.CenterCount(4) = 3;
    // The fourth pile stays on the table from three players to four.
    GameSize(4, 4);
    EXPECT_EQ(Eng.CenterCount(4), 3);
    EXPECT_TRUE(plans.empty());
    Centers_Redim4();
    EXPECT_EQ(Eng.CenterCount(4), 3);
    // Three piles never ask for it.
    Tbl.FourthCenterLoaded = false;
    Com.NumCenters = 3;
    Centers_Redim4();
    EXPECT_EQ(Eng.CenterCount(4), 3);
    Com.NumCenters = 4;
    Centers_Redim4();
    EXPECT_EQ(Eng.CenterCount(4), 0);
    EXPECT_EQ(plans, std::vector<int>{4});
}

TEST_F(LayoutGeometryTest, PileTablesAlwaysHoldEveryPileInPlay) {
    // A caller that names previous counts the table did not have.
    Table(2, 4, 12000);
    DisplayChangeHook = [](int) {};
    Com.LayoutMode = 1;
    Com.NumPlayers = 4;
    Com.NumCenters = 4;
    Layout_SetGameSize(2, 3);
    EXPECT_GE(Eng.CenterCount.UBound(), 4);
    EXPECT_GE(Eng.Center.UBound(2), 4);
    EXPECT_NO_THROW(Eng.CenterCount(4) = 1);
}

// ---------------------------------------------------------------- every transition

struct Size3 {
    int players, centers;
};

// Only what shows counts: hidden places keep wherever they last stood.
QString VisibleDump() {
    QStringList shown;
    for (const QString& line : Layout_Dump().split('\n', Qt::SkipEmptyParts))
        if (line.endsWith(" 1")) shown << line;
    return shown.join('\n');
}

class LayoutTransitionTest : public LayoutTest {
  protected:
    // The table as a fresh start lays it out.
    std::pair<QString, std::set<QString>> Fresh(Size3 s, int twips, int mode) {
        form.reset();
        Table_ResetState();
        Engine_Reset();
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        Com.TotalCards = 104;
        form = std::make_unique<FrmGrulm>();
        Table(s.players, s.centers, twips, mode);
        return {VisibleDump(), Existing()};
    }
};

const Size3 kWalk[] = {{2, 3}, {3, 4}, {4, 4}, {3, 4}, {2, 3}, {2, 4}, {3, 4}, {4, 4}, {3, 4}, {2, 4},
                       {4, 4}, {2, 3}, {4, 4}, {2, 4}, {2, 3}, {3, 4}, {2, 4}, {3, 4}, {4, 4}, {2, 3}};

TEST_F(LayoutTransitionTest, EveryChangeOfSizeLaysOutTheTableAsAFreshStartWould) {
    for (int twips : {12000, 12288, 12800, 13001, 15360}) {
        std::map<std::pair<int, int>, std::pair<QString, std::set<QString>>> fresh;
        for (Size3 s : {Size3{2, 3}, Size3{2, 4}, Size3{3, 4}, Size3{4, 4}})
            fresh[{s.players, s.centers}] = Fresh(s, twips, 0);
        Fresh({2, 3}, twips, 0);
        for (int round = 0; round < 2; ++round) {
            for (Size3 s : kWalk) {
                SCOPED_TRACE(testing::Message() << twips << " twips, round " << round << ", to " << s.players
                                                << "/" << s.centers);
                ASSERT_NO_THROW(GameSize(s.players, s.centers));
                const auto& want = fresh[{s.players, s.centers}];
                EXPECT_EQ(Existing(), want.second);
                ExpectSameLines(VisibleDump(), want.first);
                EXPECT_EQ(Tbl.Seat3Loaded, s.players >= 3);
                EXPECT_EQ(Tbl.Seat4Loaded, s.players == 4);
                EXPECT_EQ(Tbl.FourthCenterLoaded, s.centers == 4);
                EXPECT_GE(Eng.CenterCount.UBound(), s.centers);
            }
        }
    }
}

TEST_F(LayoutTransitionTest, SmallDisplayAndRaisedCardsSurviveEveryChange) {
    for (int twips : {12000, 15360}) {
        for (int mode : {1, 2, 3}) {
            Fresh({2, 3}, twips, mode);
            for (Size3 s : kWalk) {
                SCOPED_TRACE(testing::Message()
                             << twips << " twips, mode " << mode << ", to " << s.players << "/" << s.centers);
                ASSERT_NO_THROW(GameSize(s.players, s.centers));
                ASSERT_NO_THROW(Layout_MoveCards(true));
                ASSERT_NO_THROW(Layout_MoveCards(false));
                EXPECT_EQ(Tbl.Seat3Loaded, s.players >= 3);
                EXPECT_EQ(Tbl.Seat4Loaded, s.players == 4);
                EXPECT_EQ(form->PicCenter.Exists(4), s.centers == 4);
                EXPECT_EQ(form->Picture3.Exists(10), s.players == 4);
                EXPECT_EQ(form->Stack.Exists(51), s.players >= 3);
            }
        }
    }
}

TEST_F(LayoutTransitionTest, PassesCalledOutOfTheirUsualOrderStayInBounds) {
    Fresh({2, 3}, 12000, 0);
    // Passes run straight after the window is made, before the player set-up made its pictures.
    form = std::make_unique<FrmGrulm>();
    Table_ResetState();
    Com.NumPlayers = 4;
    Com.NumCenters = 4;
    EXPECT_NO_THROW(Layout_Table(4));
    EXPECT_NO_THROW(Layout_Table(4));
    EXPECT_NO_THROW(Layout_Table(3));
    EXPECT_NO_THROW(Table_NameSeats());
    Com.NumPlayers = 3;
    EXPECT_NO_THROW(Layout_TwoPlayers()); // the tutorial re-lays with whatever count is set
    EXPECT_NO_THROW(Table_NameSeats());
    Com.NumPlayers = 2;
    EXPECT_NO_THROW(Layout_FourCenters());
    EXPECT_NO_THROW(Layout_FourCenters());
    EXPECT_NO_THROW(Layout_CenterImages());
    Com.NumCenters = 3;
    EXPECT_NO_THROW(Layout_CenterArea());
    EXPECT_NO_THROW(Centers_Show());
    EXPECT_NO_THROW(Layout_Labels());
    EXPECT_NO_THROW(Layout_TwoPlayers());
    EXPECT_FALSE(form->PicCenter.Exists(4));
}

// ---------------------------------------------------------------- the table looks tidy

// Card places of different owners never cover each other.
TEST_F(LayoutTransitionTest, NoTwoOwnersPlacesOverlap) {
    struct Case {
        Size3 size;
        int twips, mode;
    } cases[] = {{{2, 3}, 12000, 0}, {{2, 4}, 12000, 0}, {{2, 3}, 15360, 0}, {{2, 4}, 15360, 0},
                 {{3, 4}, 12000, 0}, {{3, 4}, 15360, 0}, {{4, 4}, 12000, 0}, {{4, 4}, 15360, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.players << "/" << c.size.centers << " at " << c.twips);
        Fresh(c.size, c.twips, c.mode);
        struct Owned {
            QString owner;
            QRectF rect;
        };
        std::vector<Owned> places;
        auto add = [&](Places& arr, const QString& owner, int first, int last) {
            for (int e = first; e <= last; ++e)
                if (arr.Exists(e)) places.push_back({owner, Rect(arr(e))});
        };
        add(form->Picture7, "human", 1, 10);
        add(form->Picture1, "seat 2", 1, 10);
        if (c.size.players >= 3) add(form->Picture2, "seat 3", 2, 10);
        if (c.size.players == 4) add(form->Picture3, "seat 4", 2, 10);
        add(form->PicCenter, "centers", 1, c.size.centers);
        add(form->PicCenter, "stock", 0, 0);
        for (size_t i = 0; i < places.size(); ++i) {
            for (size_t j = i + 1; j < places.size(); ++j) {
                if (places[i].owner == places[j].owner) continue;
                EXPECT_FALSE(places[i].rect.intersects(places[j].rect))
                    << places[i].owner.toStdString() << " and " << places[j].owner.toStdString();
            }
        }
    }
}

} // namespace
