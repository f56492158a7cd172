#include "common/Card.h"
#include "common/Shared.h"
#include "table/CardArt.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "table/frmCounter.h"
#include "table/frmGrulm.h"
#include "table/frmHold.h"
#include "tests/support/TableTest.h"
#include "tests/table/test_picture_support.h"

#include <QDir>
#include <QPainter>

#include <cstdlib>
#include <memory>

namespace {

// Every element 0, whatever the bounds.
template <typename A> bool AllZero(const A& a) {
    A zero = a;
    zero.Clear();
    return a == zero;
}

void PutCard(BArray<int, 2>& cards, int slot, int card) {
    cards(0, slot) = card;
    cards(1, slot) = RankOf(card);
}

class RedrawTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        SizePlaces(kLarge);
        Pictures_Init();
        StatusBar_Init();
    }
    // The places of seats 3 and 4 as the layout makes them.
    void LoadSeats34() {
        for (Places* p : {&form->Picture2, &form->Picture3})
            for (int i = 2; i <= 10; ++i)
                p->Load(i).Move(0, 0, 59, 80);
        for (int i = 51; i <= 100; ++i)
            form->Stack.Load(i);
        for (int i = 9; i <= 16; ++i)
            form->StackHold.Load(i);
        form->PicCenter.Load(4).Move(0, 0, 71, 96);
        form->LblWild.Load(4);
        Tbl.Seat3Loaded = Tbl.Seat4Loaded = Tbl.FourthCenterLoaded = true;
    }
    // Every card slot, pile and counter of a game under way.
    void FillModel() {
        for (int s = 1; s <= 10; ++s) {
            PutCard(Eng.PlayerCards, s, s);
            PutCard(Eng.SeatCards, s, 20 + s);
            PutCard(Eng.Seat2Rec.RecCards, s, 30 + s);
            PutCard(Eng.Seat3Rec.RecCards, s, 40 + s);
        }
        Eng.PlayerHold(0, 2, 1) = 9;
        Eng.PlayerHoldCount(2) = 1;
        Eng.PlayerSide(0, 3) = 17;
        Eng.SeatHold(0, 1, 1) = 5;
        Eng.SeatHoldInfo(1, 1) = 2;
        Eng.SeatSide(0, 4) = 6;
        Eng.Deck(0, 5) = 44;
        Eng.Deck(2, 44) = 1;
        Eng.UsedPile(0, 1) = 3;
        Eng.Center(0, 1, 1) = 14;
        Eng.CenterCount(1) = 1;
        Eng.PlayerSideCount = 12;
        Eng.SeatSideCount = 11;
        Eng.HandCount = 2;
        Eng.UsedCount = 7;
        Eng.WildsFromHand = 1;
        Eng.WildsFromSide = 2;
        Eng.SeatWildsFromHand = 3;
        Eng.SeatWildsFromSide = 4;
        Com.Pturn = 2;
        Tbl.WaitOrder(2) = 3;
        for (SeatRecord* r : {&Eng.Seat2Rec, &Eng.Seat3Rec, &Eng.Seat4Rec}) {
            r->RecHold(0, 1, 1) = 8;
            r->RecHoldInfo(1, 1) = 1;
            r->RecStats(1, 2) = 5;
            r->RecWildsFromHand = 2;
            r->RecWildsFromSide = 1;
            r->RecSideCount = 9;
            r->RecSide(0, 9) = 33;
        }
        for (int who = 0; who <= 5; ++who)
            for (int row = 0; row <= 5; ++row)
                Eng.StatsTable(who, row) = 10 * who + row + 1;
    }
};

// ---------------------------------------------------------------- Table_Clear

TEST_F(RedrawTest, ResetSetsTheSideStackCountersFromTheSidePileSize) {
    const int sizes[][3] = {{19, 6, 31}, {25, 0, 25}, {14, 11, 36}, {9, 16, 41}};
    for (const auto& s : sizes) {
        Com.SideSize = s[0];
        Table_Clear();
        EXPECT_EQ(Eng.PlayerSideStack, s[1]) << s[0];
        EXPECT_EQ(Eng.SeatSideStack, s[2]) << s[0];
    }
}

TEST_F(RedrawTest, ResetEmptiesTheModelAndTheCounters) {
    FillModel();
    Com.NumCenters = 3;
    Com.TotalCards = 156;
    Table_Clear();
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_EQ(Eng.PlayerSideCount, 0);
    EXPECT_EQ(Eng.SeatSideCount, 0);
    EXPECT_EQ(Eng.HandCount, 5);
    EXPECT_EQ(Eng.UsedCount, 0);
    EXPECT_EQ(Eng.WildsFromHand + Eng.WildsFromSide + Eng.SeatWildsFromHand + Eng.SeatWildsFromSide, 0);
    EXPECT_TRUE(AllZero(Eng.PlayerCards));
    EXPECT_TRUE(AllZero(Eng.PlayerHold));
    EXPECT_TRUE(AllZero(Eng.PlayerHoldCount));
    EXPECT_TRUE(AllZero(Eng.PlayerSide));
    EXPECT_TRUE(AllZero(Eng.SeatCards));
    EXPECT_TRUE(AllZero(Eng.SeatHold));
    EXPECT_TRUE(AllZero(Eng.SeatHoldInfo));
    EXPECT_TRUE(AllZero(Eng.SeatSide));
    EXPECT_TRUE(AllZero(Tbl.WaitOrder));
    EXPECT_TRUE(AllZero(Eng.Center));
    EXPECT_TRUE(AllZero(Eng.CenterCount));
    EXPECT_TRUE(AllZero(Eng.Deck));
    EXPECT_TRUE(AllZero(Eng.UsedPile));
    EXPECT_EQ(Eng.Center.UBound(2), 3);
    EXPECT_EQ(Eng.Center.UBound(3), 12);
    EXPECT_EQ(Eng.CenterCount.UBound(1), 3);
    EXPECT_EQ(Eng.Deck.UBound(1), 2);
    EXPECT_EQ(Eng.Deck.UBound(2), 156);
    EXPECT_EQ(Eng.UsedPile.UBound(2), 156);
    // The status bar's wild counts were rewritten from the cleared counters.
    EXPECT_EQ(form->StatusBar1.Panels(4).Text, "Wild:  0/ 0");
    EXPECT_EQ(form->StatusBar1.Panels(8).Text, "Wild:  0/ 0");
}

TEST_F(RedrawTest, ResetClearsTheSeatRecordsButKeepsTheirSidePiles) {
    FillModel();
    Table_Clear();
    for (SeatRecord* r : {&Eng.Seat2Rec, &Eng.Seat3Rec, &Eng.Seat4Rec}) {
        EXPECT_TRUE(AllZero(r->RecCards));
        EXPECT_TRUE(AllZero(r->RecHold));
        EXPECT_TRUE(AllZero(r->RecHoldInfo));
        EXPECT_EQ(r->RecStats(1, 2), 0);
        EXPECT_EQ(r->RecWildsFromHand + r->RecWildsFromSide, 0);
        EXPECT_EQ(r->RecSideCount, 9);
        EXPECT_EQ(r->RecSide(0, 9), 33);
    }
}

TEST_F(RedrawTest, RestartsKeepTheStatisticsTheyNeed) {
    struct Row {
        const char* what;
        bool turn, undo, game;
        bool zeroed[6]; // who 0 to 5
        bool recordKept;
    } rows[] = {
        {"new game", false, false, false, {false, true, true, true, true, false}, false},
        {"restart of the turn", true, false, false, {false, true, false, false, false, false}, true},
        // The undone play takes its own count back; the turn's other plays stay counted.
        {"undo", false, true, false, {false, false, false, false, false, false}, true},
        {"restart of the game", false, false, true, {false, true, false, true, false, false}, true},
    };
    for (const auto& r : rows) {
        FillModel();
        Com.RestartingTurn = r.turn;
        Com.UndoRequested = r.undo;
        Com.RestartingGame = r.game;
        Table_Clear();
        for (int who = 0; who <= 5; ++who)
            for (int row = 0; row <= 5; ++row)
                EXPECT_EQ(Eng.StatsTable(who, row), r.zeroed[who] ? 0 : 10 * who + row + 1)
                    << r.what << " who " << who << " row " << row;
        EXPECT_EQ(Eng.Seat3Rec.RecStats(1, 2), r.recordKept ? 5 : 0) << r.what;
        EXPECT_EQ(Eng.Seat3Rec.RecWildsFromHand, r.recordKept ? 2 : 0) << r.what;
        EXPECT_EQ(Eng.Seat3Rec.RecCards(0, 4), 0) << r.what;
    }
}

TEST_F(RedrawTest, ResetPutsThePlacesBackToAnEmptyTable) {
    FillModel();
    Com.DeckColour = 0x00332211;
    for (int s = 1; s <= 10; ++s) {
        form->Picture7(s).SetEnabled(true);
        Card_Show(form->Picture7, s, s, 0);
        Card_Show(form->Picture1, s, s + 10, 0);
    }
    for (int h = 1; h <= 8; ++h)
        form->StackHold(h).SetVisible(true);
    form->LblWild(2).SetVisible(true);
    form->PicCenter(0).SetVisible(false);
    form->Label1.SetVisible(false);
    form->ImgTurn1.SetVisible(true);
    form->ImgTurn2.SetVisible(true);
    form->ImgHold.SetVisible(true);
    form->cmdDeal.SetVisible(true);
    form->Timer1.SetInterval(1000);
    form->Timer1.SetEnabled(true);
    form->LabelPeek.SetCaption("PEEK");
    form->LabelPeek.SetVisible(true);
    form->Label9(0).SetCaption("Opponent\r\nALERTED");
    form->Label9(1).SetCaption("Grulm's turn");
    form->Label9(2).SetCaption("YEAH!");
    Com.PeekOn = true;
    Tbl.OppPeeking = 1;

    Table_Clear();
    for (int s = 1; s <= 10; ++s)
        EXPECT_FALSE(form->Picture7(s).Enabled()) << s;
    for (int s = 1; s <= 6; ++s) {
        EXPECT_FALSE(form->Picture7(s).Visible()) << s;
        EXPECT_FALSE(form->Picture1(s).Visible()) << s;
    }
    for (int s = 7; s <= 10; ++s) {
        EXPECT_EQ(form->Picture7(s).Picture(), form->EmptyPlaceLarge) << s;
        EXPECT_EQ(form->Picture1(s).Picture(), form->EmptyPlaceLarge) << s;
        EXPECT_TRUE(form->Picture7(s).Visible()) << s;
    }
    for (int h = 1; h <= 8; ++h)
        EXPECT_FALSE(form->StackHold(h).Visible()) << h;
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(form->PicCenter(c).BackColor(), 0x80C0FFu) << c;
        EXPECT_EQ(form->PicCenter(c).Picture(), form->EmptyPlaceLarge) << c;
        EXPECT_TRUE(form->PicCenter(c).Visible()) << c;
        EXPECT_FALSE(form->LblWild(c).Visible()) << c;
    }
    EXPECT_EQ(form->PicCenter(0).BackColor(), 0x00332211u);
    EXPECT_TRUE(form->PicCenter(0).Visible());
    EXPECT_TRUE(form->Label1.Visible());
    EXPECT_FALSE(form->ImgTurn1.Visible());
    EXPECT_FALSE(form->ImgTurn2.Visible());
    EXPECT_FALSE(form->ImgHold.Visible());
    EXPECT_FALSE(form->cmdDeal.Visible());
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_EQ(form->LabelPeek.Caption(), "");
    EXPECT_FALSE(form->LabelPeek.Visible());
    EXPECT_EQ(form->Label9(0).Caption(), "");
    EXPECT_EQ(form->Label9(1).Caption(), "");
    EXPECT_EQ(form->Label9(2).Caption(), "");
    EXPECT_FALSE(Com.PeekOn);
    EXPECT_EQ(Tbl.OppPeeking, 0);
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

TEST_F(RedrawTest, ResetInAnInternetGameKeepsTheMessageLabels) {
    Com.NetGame = 1;
    form->Label9(1).SetCaption("Waiting for Bob");
    form->Label9(2).SetCaption("Bob joined");
    Table_Clear();
    EXPECT_EQ(form->Label9(1).Caption(), "Waiting for Bob");
    EXPECT_EQ(form->Label9(2).Caption(), "Bob joined");
}

TEST_F(RedrawTest, ResetForAnUndoLeavesThePlacesAsTheyStand) {
    FillModel();
    for (int s = 1; s <= 10; ++s) {
        form->Picture7(s).SetEnabled(s % 2 == 0);
        Card_Show(form->Picture7, s, s, 0);
    }
    Card_Show(form->PicCenter, 1, 14, 0);
    form->LblWild(1).SetVisible(true);
    form->StackHold(2).SetVisible(true);
    const QImage hold = form->Picture7(8).Picture(), center = form->PicCenter(1).Picture();
    for (int e = 1; e <= 50; ++e)
        form->Stack(e).SetVisible(true);
    Com.UndoRequested = true;
    Table_Clear();
    for (int s = 1; s <= 10; ++s) {
        EXPECT_EQ(form->Picture7(s).Enabled(), s % 2 == 0) << s;
        EXPECT_TRUE(form->Picture7(s).Visible()) << s;
    }
    EXPECT_EQ(form->Picture7(8).Picture(), hold);
    EXPECT_EQ(form->PicCenter(1).Picture(), center);
    EXPECT_TRUE(form->LblWild(1).Visible());
    EXPECT_TRUE(form->StackHold(2).Visible());
    // The model and the side stacks are reset all the same.
    EXPECT_EQ(Eng.PlayerCards(0, 3), 0);
    for (int e = 1; e <= 50; ++e)
        EXPECT_FALSE(form->Stack(e).Visible()) << e;
}

TEST_F(RedrawTest, ResetWithFourPlayersPaintsEveryHoldPlaceAndHidesEveryStack) {
    LoadSeats34();
    Com.NumPlayers = 4;
    Com.NumCenters = 4;
    Com.TotalCards = 208;
    for (int s = 1; s <= 10; ++s) {
        form->Picture2(s).SetVisible(true);
        form->Picture3(s).SetVisible(true);
    }
    for (int h = 1; h <= 16; ++h)
        form->StackHold(h).SetVisible(true);
    for (int e = 1; e <= 100; ++e)
        form->Stack(e).SetVisible(true);
    Table_Clear();
    for (int s = 1; s <= 6; ++s) {
        EXPECT_FALSE(form->Picture2(s).Visible()) << s;
        EXPECT_FALSE(form->Picture3(s).Visible()) << s;
    }
    // Four players on this 800-pixel screen take the small display: the reset lays the table out
    // first and paints every place at the size it then has.
    for (int s = 7; s <= 10; ++s) {
        EXPECT_EQ(form->Picture2(s).Picture(), form->EmptyPlaceSmall) << s; // nobody on turn after a reset
        EXPECT_EQ(form->Picture3(s).Picture(), form->EmptyPlaceSmall) << s;
        EXPECT_EQ(form->Picture7(s).WidthPx(), 59) << s;
        EXPECT_EQ(form->Picture7(s).Picture(), form->EmptyPlaceSmall) << s;
    }
    for (int h = 1; h <= 16; ++h)
        EXPECT_FALSE(form->StackHold(h).Visible()) << h;
    for (int e = 1; e <= 100; ++e)
        EXPECT_FALSE(form->Stack(e).Visible()) << e;
    EXPECT_EQ(form->PicCenter(4).Picture(), form->EmptyPlaceSmall);
    EXPECT_EQ(Eng.Deck.UBound(2), 208);
    EXPECT_EQ(Eng.CenterCount.UBound(1), 4);
}

TEST_F(RedrawTest, ResetClosesTheCounterAndHidesTheViewer) {
    Counter_ShowDeck();
    ASSERT_TRUE(platform::Form::IsLoaded("frmCounter"));
    frmHold().Show();
    ASSERT_TRUE(frmHold().IsVisible());
    Table_Clear();
    EXPECT_FALSE(platform::Form::IsLoaded("frmCounter"));
    EXPECT_FALSE(frmHold().IsVisible());
}

TEST_F(RedrawTest, PlayerClearKeepsStatisticsOnlyForARestart) {
    for (int flag = 0; flag <= 3; ++flag) {
        SeatRecord rec;
        PutCard(rec.RecCards, 7, 12);
        rec.RecHold(0, 3, 4) = 40;
        rec.RecHoldInfo(3, 1) = 4;
        rec.RecHoldInfo(3, 2) = 2;
        rec.RecStats(1, 0) = 6;
        rec.RecWildsFromHand = 1;
        rec.RecWildsFromSide = 2;
        rec.RecSide(0, 5) = 19;
        rec.RecName = "Grulm";
        Com.UndoRequested = flag == 1;
        Com.RestartingTurn = flag == 2;
        Com.RestartingGame = flag == 3;
        Player_Clear(rec);
        EXPECT_EQ(rec.RecCards(0, 7), 0) << flag;
        EXPECT_EQ(rec.RecHold(0, 3, 4), 0) << flag;
        EXPECT_EQ(rec.RecHoldInfo(3, 1) + rec.RecHoldInfo(3, 2), 0) << flag;
        EXPECT_EQ(rec.RecStats(1, 0), flag == 0 ? 0 : 6) << flag;
        EXPECT_EQ(rec.RecWildsFromHand, flag == 0 ? 0 : 1) << flag;
        EXPECT_EQ(rec.RecWildsFromSide, flag == 0 ? 0 : 2) << flag;
        EXPECT_EQ(rec.RecSide(0, 5), 19) << flag;
        EXPECT_EQ(rec.RecName, "Grulm");
    }
}

// ---------------------------------------------------------------- Table_Redraw

TEST_F(RedrawTest, AWildKingOnACenterPileShowsTheRankItStandsFor) {
    for (int d = 1; d <= 6; ++d) {
        Eng.Center(0, 1, d) = d;
        Eng.Center(1, 1, d) = d;
    }
    Eng.Center(0, 1, 7) = 13 + 52; // a King of the second pack
    Eng.Center(1, 1, 7) = 13;
    Eng.CenterCount(1) = 7;
    Eng.Center(0, 2, 1) = 27;
    Eng.Center(1, 2, 1) = 1;
    Eng.CenterCount(2) = 1;
    form->PicCenter(2).SetToolTipText("old");
    form->LblWild(2).SetVisible(true);
    form->LblWild(3).SetVisible(true);
    Table_Redraw();
    EXPECT_TRUE(form->LblWild(1).Visible());
    EXPECT_EQ(form->LblWild(1).Caption(), "7");
    EXPECT_EQ(form->PicCenter(1).ToolTipText(), " 7");
    EXPECT_LT(Differing(form->PicCenter(1).Picture(), cardart::SheetFace(13, kLarge)), 20);
    EXPECT_FALSE(form->LblWild(2).Visible());
    EXPECT_EQ(form->PicCenter(2).ToolTipText(), "");
    EXPECT_LT(Differing(form->PicCenter(2).Picture(), cardart::SheetFace(27, kLarge)), 20);
    EXPECT_FALSE(form->LblWild(3).Visible());
    EXPECT_EQ(form->PicCenter(3).Picture(), form->EmptyPlaceLarge);
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

TEST_F(RedrawTest, TheStockShowsTheBackForTheDisplay) {
    struct Row {
        int twips, layout, back;
    } rows[] = {{12000, 0, 5}, {12001, 0, 0}, {15360, 1, 0}, {15360, 2, 5}, {9600, 3, 5}};
    Com.DeckColour = 0x00445566;
    for (const auto& r : rows) {
        form->PicCenter(0).SetBorderStyle(0);
        Tbl.ScreenWidthTwips = r.twips;
        Com.LayoutMode = r.layout;
        Table_Redraw();
        EXPECT_EQ(form->PicCenter(0).Picture(), Tbl.Pic.FilePic[r.back]) << r.twips << " " << r.layout;
        EXPECT_EQ(form->PicCenter(0).BorderStyle(), 1);
        EXPECT_EQ(form->PicCenter(0).BackColor(), 0x00445566u);
    }
}

TEST_F(RedrawTest, RedrawDrawsTheOpponentsFromTheirRecords) {
    FillModel();
    Com.Pturn = 1;
    Table_Redraw();
    // Seat 2's hold tops come from its record, not from the working set of the last mover.
    EXPECT_LT(Differing(form->Picture1(8).Picture(), cardart::SheetFace(38, kLarge)), 20);
    EXPECT_GT(Differing(form->Picture1(8).Picture(), cardart::SheetFace(28, kLarge)), 200);
    EXPECT_LT(Differing(form->Picture7(9).Picture(), cardart::SheetFace(9, kLarge)), 20);
}

TEST_F(RedrawTest, RedrawSetsTheSideAndEdgeLooks) {
    Com.DeckColour = 0x00102030;
    Com.MatColour = 0x00204060;
    Com.BackStyle = 0;
    form->ImgHold.SetVisible(true);
    Eng.PlayerSideCount = 2;
    Table_Redraw();
    EXPECT_TRUE(form->ImgHold.Visible());
    EXPECT_TRUE(form->ImgHold.Stretch());
    EXPECT_EQ(form->Picture7(1).BorderStyle(), 1);
    EXPECT_EQ(form->Picture1(1).BorderStyle(), 1);
    for (int e = 1; e <= 50; ++e)
        EXPECT_EQ(form->Stack(e).BackColor(), 0x00102030u) << e;
    EXPECT_NE(form->BackColor(), 0x00204060u);

    Eng.PlayerSideCount = 1;
    Com.BackStyle = 3;
    Tbl.BackgroundCount = 4;
    Tbl.BackgroundIndex = 5;
    form->Picture7(1).SetBorderStyle(0);
    Table_Redraw();
    EXPECT_FALSE(form->ImgHold.Visible());
    EXPECT_FALSE(form->ImgHold.Stretch());
    EXPECT_EQ(form->Picture7(1).BorderStyle(), 0);
    EXPECT_EQ(form->BackColor(), 0x00204060u);

    Com.BackStyle = 0;
    Com.KeepSidePicture = true;
    Table_Redraw();
    EXPECT_EQ(form->Picture7(1).BorderStyle(), 0);
}

// ---------------------------------------------------------------- the debug view

TEST_F(RedrawTest, DebugViewLaysTheDeckOutInColumnsOfTwenty) {
    Com.NumPlayers = 2;
    Com.TotalCards = 104;
    Eng.Deck.Redim(2, 104);
    for (int p = 1; p <= 104; ++p)
        Eng.Deck(0, p) = (p * 7) % 104 + 1;
    const QImage img = DebugDeck_Render();
    ASSERT_GE(img.width(), 6 * 75);
    auto cardAt = [&](int x, int y, int h) { return img.copy(QRect(x, y, 71, h)); };
    auto face = [&](int n, int h) {
        QImage onGreen(71, 96, QImage::Format_ARGB32_Premultiplied);
        onGreen.fill(QColor(0, 128, 0));
        QPainter p(&onGreen);
        p.drawImage(0, 0, cardart::SheetFace(n, kLarge));
        p.end();
        return onGreen.copy(0, 0, 71, h);
    };
    // A face matches where the card lies and is plainly unlike the same rank in a suit of the other colour.
    auto matches = [&](QPoint at, int position, int h) {
        int n = Eng.Deck(0, position);
        while (n > 52)
            n -= 52;
        const QImage seen = cardAt(at.x(), at.y(), h);
        return Differing(seen, face(n, h)) < 60 && Differing(seen, face((n + 25) % 52 + 1, h)) > 150;
    };
    // Position 1 at the top of column 0 shows its top 45 pixels; the last of a column shows whole.
    EXPECT_TRUE(matches(QPoint(0, 0), 1, 45));
    EXPECT_TRUE(matches(QPoint(0, 45 * 19), 20, 96));
    // Position 21 opens column 1; positions 101 to 104 make the sixth column.
    EXPECT_TRUE(matches(QPoint(75, 0), 21, 45));
    EXPECT_TRUE(matches(QPoint(375, 45 * 3), 104, 96));
    // Nothing below the fourth card of the sixth column.
    EXPECT_EQ(img.pixelColor(375 + 35, 45 * 3 + 96 + 10), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(450 + 35, 20), QColor(0, 128, 0));
}

} // namespace
