// The table's geometry checked against its rules, computed here on their own.
#include "table/Display.h"
#include "table/Paint.h"
#include "table/Redraw.h"
#include "tests/table/test_layout_support.h"

#include <QWidget>
#include <cmath>
#include <map>
#include <vector>

namespace {

using LayoutGeometryTest = LayoutTest;

// ---------------------------------------------------------------- whole tables

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

TEST_F(LayoutGeometryTest, LargeDisplayFourPilesOfTwoPlayersOnAWideScreenKeepTheFrameUnstretched) {
    Table(2, 4, 15360);
    EXPECT_FALSE(form->imgCenter.Stretch());
}

// ---------------------------------------------------------------- moving the human's cards

TEST_F(LayoutGeometryTest, MovingTheCardsUpRaisesTheHumansRows) {
    struct Case {
        int players, centers, twips, raise;
    } cases[] = {{2, 3, 12000, 20}, {2, 4, 12000, 20}, {2, 3, 13000, 20}, {2, 4, 13001, 50},
                 {3, 4, 15360, 50}, {4, 4, 15360, 50}}; // narrower, three or four take the small display
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.players << "/" << c.centers << " at " << c.twips);
        NewTable(c.players, c.centers, c.twips);
        std::map<int, double> before;
        for (int e = 1; e <= 10; ++e)
            before[e] = form->Picture7(e).TopPx();
        const double frameBefore = form->Label3(0).TopPx();
        Display_Change(0);
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
            // Down towards the side card, but never over a card place.
            EXPECT_LE(form->Label9(2).TopPx() + form->Label9(2).HeightPx(), form->Picture7(1).TopPx());
        }
    }
}

TEST_F(LayoutGeometryTest, MovingTheCardsUpKeepsSeatTwosHoldPilesOffTheHumans) {
    for (int centers : {3, 4}) {
        SCOPED_TRACE(centers);
        NewTable(2, centers, 12000);
        const double seat2Before = form->Picture1(7).TopPx();
        Display_Change(0);
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
    } cases[] = {{2, 3, 12000, 0}, {2, 4, 12000, 0}, {2, 3, 15360, 0},
                 {2, 4, 15360, 0}, {4, 4, 15360, 0}, {2, 4, 12000, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.players << "/" << c.centers << " at " << c.twips << " mode " << c.mode);
        NewTable(c.players, c.centers, c.twips, c.mode);
        // A display entry fits the window to the screen and paints the table again, which hides the
        // side places until they are dealt.
        Table_FitScreen(Layout_ModeAsked());
        Cards_ShowAll();
        const QString before = Layout_Dump();
        Display_Change(0);
        EXPECT_NE(Layout_Dump(), before);
        Display_Change(0);
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
                ASSERT_NO_THROW(Display_Change(0));
                ASSERT_NO_THROW(Display_Change(0));
                EXPECT_EQ(Tbl.Seat3Loaded, s.players >= 3);
                EXPECT_EQ(Tbl.Seat4Loaded, s.players == 4);
                EXPECT_EQ(form->PicCenter.Exists(4), s.centers == 4);
                EXPECT_EQ(form->Picture3.Exists(10), s.players == 4);
                EXPECT_EQ(form->Stack.Exists(51), s.players >= 3);
            }
        }
    }
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
