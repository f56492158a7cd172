#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Seats.h"
#include "table/CardArt.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/frmGrulm.h"
#include "table/frmHold.h"
#include "tests/support/TableTest.h"
#include "tests/table/test_picture_support.h"

#include <QDir>

#include <cstdlib>
#include <memory>

namespace {

class StatusTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Pictures_Init();
        Cards_MakeFiles();
        StatusBar_Init();
        Eng.Seat2Rec.RecName = "Grulm";
        Eng.Seat3Rec.RecName = "Torvek";
        Eng.Seat4Rec.RecName = "Mira";
    }
    platform::Panel& P(int i) { return form->StatusBar1.Panels(i); }
};

// ---------------------------------------------------------------- the status bar

TEST_F(StatusTest, TheNinePanelsAreLaidOutWithTheirTextsTipsAndKeys) {
    struct Row {
        const char *text, *tip, *key;
    } rows[] = {
        {"Player:", "", ""},         {"", "Last Hand ", ""},       {"", "Best Run", ""},
        {"Wild: ", "Side/Hand", ""}, {"Opponent:", "", "OppName"}, {"", "Last Hand", ""},
        {"", "Best Run", ""},        {"Wild:", "Side/Hand", ""},   {"Undo Move", "Undo Move", "Undo"}};
    ASSERT_EQ(form->StatusBar1.PanelCount(), 9);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(P(i).Text, rows[i - 1].text) << i;
        EXPECT_EQ(P(i).ToolTipText, rows[i - 1].tip) << i;
        EXPECT_EQ(P(i).Key, rows[i - 1].key) << i;
    }
    StatusBar_Init(); // a second time keeps nine
    EXPECT_EQ(form->StatusBar1.PanelCount(), 9);
    // The bar's click reaches the handler.
    Com.NumPlayers = 3;
    ASSERT_TRUE(form->StatusBar1.PanelClick);
    form->StatusBar1.PanelClick(5);
    EXPECT_EQ(P(5).Text, "Torvek");
}

TEST_F(StatusTest, ClearWritesThePlayersAndThePersonality) {
    for (int i = 2; i <= 8; ++i)
        P(i).Text = "x";
    Com.PlayerName = "Ann";
    Tbl.PersonName = "Vex";
    StatusBar_Clear();
    EXPECT_EQ(P(1).Text, "Ann:");
    EXPECT_EQ(P(1).AutoSize, 1);
    for (int i : {2, 3, 4, 6, 7, 8})
        EXPECT_EQ(P(i).Text, "") << i;
    EXPECT_EQ(P(5).Text, "Vex:");
    EXPECT_EQ(P(4).ToolTipText, "Ann: Side/Hand");
    EXPECT_EQ(P(8).ToolTipText, " Opponent: Side/Hand");
}

TEST_F(StatusTest, ThePlayerPanelsShowAnOpponentsRecord) {
    SeatRecord& rec = Eng.Seat3Rec;
    const int stats[6] = {1, 2, 0, 3, 0, 14};
    for (int i = 0; i <= 5; ++i)
        rec.RecStats(1, i) = stats[i];
    rec.RecStats(0, 0) = 99; // the other row is not shown
    rec.RecLevel = 1;
    rec.RecWildsFromSide = 2;
    rec.RecWildsFromHand = 1;
    P(6).Text = "old";
    Tbl.ScreenWidthTwips = 9601;
    StatusBar_Player(rec);
    EXPECT_EQ(P(7).Text, " 1- 2- 0- 3- 0- 14- [ 20 ]");
    EXPECT_EQ(P(6).Text, "");
    EXPECT_EQ(P(5).Text, "Torvek");
    EXPECT_EQ(P(5).ToolTipText, "Level: Clever");
    EXPECT_EQ(P(8).Text, "Wild:  2/ 1");
    EXPECT_EQ(P(8).ToolTipText, "Torvek: Side/Hand");

    Tbl.ScreenWidthTwips = 9600;
    rec.RecLevel = 2;
    Com.NetGame = 1; // the tooltip keeps what it had in an Internet game
    StatusBar_Player(rec);
    EXPECT_EQ(P(8).Text, " 2/ 1");
    EXPECT_EQ(P(5).ToolTipText, "Level: Clever");
}

// Another player or other opponents: the names follow at once, the opponent's as panel 5
// shows it, the seat it shows or, before a deal, the chosen opponent.
TEST_F(StatusTest, TheNamesFollowAChangeOfPlayerOrOpponents) {
    Com.NumPlayers = 3;
    for (const auto& [shown, expected] : {std::pair{0, "Zub:"}, {3, "Drask"}}) {
        StatusBar_Clear();
        if (shown != 0) StatusBar_Player(SeatRecordOf(shown));
        Com.PlayerName = "Bea";
        Tbl.PersonName = "Zub";
        Eng.Seat3Rec.RecName = "Drask";
        StatusBar_Names();
        EXPECT_EQ(P(1).Text, "Bea:") << shown;
        EXPECT_EQ(P(5).Text, expected) << shown;
        Eng.Seat3Rec.RecName = "Torvek";
        Tbl.PersonName = "Vex";
    }
}

TEST_F(StatusTest, ALevelFromADamagedRecordNamesNoLevel) {
    for (int level : {-1, 3, 300}) {
        Eng.Seat2Rec.RecLevel = level;
        StatusBar_Player(Eng.Seat2Rec);
        EXPECT_EQ(P(5).ToolTipText, "") << level;
    }
    Eng.Seat2Rec.RecLevel = 0;
    StatusBar_Player(Eng.Seat2Rec);
    EXPECT_EQ(P(5).ToolTipText, "Level: Average");
}

TEST_F(StatusTest, WildCountsAreShortOnANarrowScreen) {
    Eng.WildsFromSide = 1;
    Eng.WildsFromHand = 3;
    Eng.SeatWildsFromSide = 0;
    Eng.SeatWildsFromHand = 2;
    Tbl.ScreenWidthTwips = 9600;
    WildUpdate();
    EXPECT_EQ(P(4).Text, " 1/ 3");
    EXPECT_EQ(P(8).Text, " 0/ 2");
    Tbl.ScreenWidthTwips = 9601;
    WildUpdate();
    EXPECT_EQ(P(4).Text, "Wild:  1/ 3");
    EXPECT_EQ(P(8).Text, "Wild:  0/ 2");
}

TEST_F(StatusTest, WithMoreSeatsTheWildPanelFollowsTheOpponentShown) {
    Com.NumPlayers = 4;
    Eng.SeatWildsFromSide = 7; // the working set is not read with more than two players
    const int side[] = {1, 2, 3}, hand[] = {4, 5, 6};
    SeatRecord* recs[] = {&Eng.Seat2Rec, &Eng.Seat3Rec, &Eng.Seat4Rec};
    for (int i = 0; i < 3; ++i) {
        recs[i]->RecWildsFromSide = side[i];
        recs[i]->RecWildsFromHand = hand[i];
    }
    struct Row {
        const char* shown;
        const char* expected;
    } rows[] = {{"Grulm", "Wild:  1/ 4"},
                {"Torvek", "Wild:  2/ 5"},
                {"Mira", "Wild:  3/ 6"},
                {"Grulm:", "Wild:  3/ 6"}}; // no name matches: seat 4
    for (const auto& r : rows) {
        P(5).Text = r.shown;
        WildUpdate();
        EXPECT_EQ(P(8).Text, r.expected) << r.shown;
    }
}

TEST_F(StatusTest, ClickingTheOpponentPanelCyclesTheSeats) {
    Com.NumPlayers = 4;
    StatusBar_Player(Eng.Seat2Rec);
    Tbl.OppShown = 1;
    const char* expected[] = {"Torvek", "Mira", "Grulm", "Torvek"};
    for (const char* name : expected) {
        StatusBar1_PanelClick(5);
        EXPECT_EQ(P(5).Text, name);
    }
    Com.NumPlayers = 3;
    Tbl.OppShown = 1;
    StatusBar1_PanelClick(5);
    StatusBar1_PanelClick(5);
    EXPECT_EQ(P(5).Text, "Grulm");
    // With two players the panel does nothing, nor do the other panels.
    Com.NumPlayers = 2;
    Tbl.OppShown = 1;
    P(5).Text = "Grulm";
    StatusBar1_PanelClick(5);
    EXPECT_EQ(P(5).Text, "Grulm");
    EXPECT_EQ(Tbl.OppShown, 1);
    for (int panel : {0, 1, 4, 7, 10, -3})
        StatusBar1_PanelClick(panel);
    EXPECT_EQ(P(5).Text, "Grulm");
}

TEST_F(StatusTest, TheUndoPanelRestartsOnlyARecordedTurnOfTheHuman) {
    int restarts = 0;
    RestartTurnHook = [&] { ++restarts; };
    struct Row {
        int pturn, moves;
        bool restarts;
    } rows[] = {{2, 3, false}, {1, 0, false}, {3, 1, false}, {1, 1, true}};
    for (const auto& r : rows) {
        Com.Pturn = r.pturn;
        Com.MoveCounter = r.moves;
        Com.UndoRequested = false;
        restarts = 0;
        StatusBar1_PanelClick(9);
        EXPECT_EQ(restarts, r.restarts ? 1 : 0) << r.pturn << " " << r.moves;
        EXPECT_EQ(Com.UndoRequested, r.restarts) << r.pturn << " " << r.moves;
    }
    // Without the restart installed the flag stays down.
    TableHooks_Reset();
    Com.UndoRequested = false;
    Com.Pturn = 1;
    Com.MoveCounter = 2;
    StatusBar1_PanelClick(9);
    EXPECT_FALSE(Com.UndoRequested);
}

TEST_F(StatusTest, TheBarIsMadeWhenAnOperationFindsItBare) {
    form.reset();
    form = std::make_unique<FrmGrulm>();
    ASSERT_EQ(form->StatusBar1.PanelCount(), 0);
    WildUpdate();
    EXPECT_EQ(form->StatusBar1.PanelCount(), 9);
    EXPECT_EQ(P(4).Text, "Wild:  0/ 0");
}

// ---------------------------------------------------------------- the hold-pile viewer

TEST_F(StatusTest, TheHumansDeepHoldPileShowsTheTenCardsNearestTheTop) {
    for (int d = 1; d <= 14; ++d)
        Eng.PlayerHold(0, 2, d) = 20 + d;
    Eng.PlayerHoldCount(2) = 14;
    Tbl.ViewedSlot = 8;
    Tbl.HoldViewOther = false;
    HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
    FrmHold& view = frmHold();
    EXPECT_EQ(view.lblHold.Caption(), " Your Hold Cards Hidden: 14 ");
    for (int place = 1; place <= 10; ++place) {
        const int depth = 15 - place; // 14 down to 5
        EXPECT_EQ(Tbl.HoldViewCards(place), 20 + depth) << place;
        EXPECT_EQ(ClosestSheetCard(view.Picture8(place).Picture(), kSmall), 20 + depth) << place;
    }
    EXPECT_EQ(Tbl.HoldView(1), 1);
    EXPECT_EQ(Tbl.HoldView(2), 8);
    EXPECT_EQ(Tbl.HoldViewPile, 2);
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

TEST_F(StatusTest, ASeatsHoldPileThroughTheSideInfo) {
    SeatRecord& rec = Eng.Seat3Rec;
    for (int d = 1; d <= 4; ++d)
        rec.RecHold(0, 1, d) = d;
    rec.RecHoldInfo(1, 1) = 4;
    Com.Pturn = 1;
    Tbl.ViewedSlot = 7;
    SideInfo_Show(rec, 3);
    FrmHold& view = frmHold();
    EXPECT_TRUE(view.IsVisible());
    EXPECT_EQ(view.lblHold.Caption(), " Torvek's Hold Cards Hidden: 3 ");
    EXPECT_EQ(Tbl.HoldView(1), 3);
    EXPECT_EQ(Tbl.HoldView(2), 7);
    EXPECT_TRUE(Tbl.HoldViewOther);
    for (int place = 1; place <= 3; ++place)
        EXPECT_EQ(Tbl.HoldViewCards(place), 4 - place) << place;
    // The places beyond the cards show the empty picture.
    for (int place = 4; place <= 10; ++place)
        EXPECT_EQ(view.Picture8(place).Picture(), form->EmptyPlaceSmall);
}

TEST_F(StatusTest, TheSeatOnTurnIsReadFromTheWorkingSet) {
    Eng.Seat2Rec.RecHoldInfo(2, 1) = 9;
    Eng.SeatName = "Grulm (moving)";
    for (int d = 1; d <= 2; ++d)
        Eng.SeatHold(0, 2, d) = 30 + d;
    Eng.SeatHoldInfo(2, 1) = 2;
    Com.Pturn = 2;
    Tbl.ViewedSlot = 8;
    SideInfo_Show(Eng.Seat2Rec, 2);
    EXPECT_EQ(frmHold().lblHold.Caption(), " Grulm (moving)'s Hold Cards Hidden: 1 ");
    EXPECT_EQ(Tbl.HoldViewCards(1), 31);
}

TEST_F(StatusTest, ASidePileShowsItsCountWhileTheGameRuns) {
    Eng.Seat4Rec.RecSideCount = 12;
    Eng.PlayerSideCount = 5;
    Tbl.ViewedSlot = 1;
    SideInfo_Show(Eng.Seat4Rec, 4);
    EXPECT_EQ(form->Label9(1).Caption(), "Mira SIDE :  12");
    EXPECT_FALSE(FrmHold::IfCreated() && FrmHold::IfCreated()->IsVisible());
}

TEST_F(StatusTest, ASidePileIsListedOnceTheGameIsOverOrInDebugMode) {
    SeatRecord& rec = Eng.Seat4Rec;
    for (int i = 1; i <= 6; ++i)
        rec.RecSide(0, i) = 10 + i;
    rec.RecSideCount = 6;
    Eng.PlayerSideCount = 0;
    Tbl.ViewedSlot = 1;
    Tbl.HoldView(1) = 4;
    Tbl.HoldView(2) = 9;
    form->Label9(1).SetCaption("kept");
    SideInfo_Show(rec, 4);
    EXPECT_EQ(form->Label9(1).Caption(), "kept");
    EXPECT_TRUE(frmHold().IsVisible());
    EXPECT_EQ(frmHold().lblHold.Caption(), " Side Cards Hidden: 5 ");
    for (int place = 1; place <= 5; ++place)
        EXPECT_EQ(Tbl.HoldViewCards(place), 16 - place) << place;
    EXPECT_EQ(Tbl.HoldView(1), 0);
    EXPECT_EQ(Tbl.HoldView(2), 0);

    Eng.PlayerSideCount = 3;
    Com.DebugMode = true;
    rec.RecSideCount = 1;
    Tbl.HoldViewCards.Clear();
    SideInfo_Show(rec, 4);
    EXPECT_EQ(frmHold().lblHold.Caption(), " Side Cards Hidden: 0 ");
    for (int place = 0; place <= 10; ++place)
        EXPECT_EQ(Tbl.HoldViewCards(place), 0) << place;
}

TEST_F(StatusTest, TheStockIsListedFromTheTopOfTheDeck) {
    for (int p = 1; p <= 30; ++p)
        Eng.Deck(0, p) = p + 60;
    Eng.DeckCount = 30;
    Tbl.ViewedSlot = 0;
    HoldInfo(Eng.PlayerSide, 0, QString());
    EXPECT_EQ(frmHold().lblHold.Caption(), " Stock Cards Hidden: 30 ");
    for (int place = 1; place <= 10; ++place)
        EXPECT_EQ(Tbl.HoldViewCards(place), 91 - place) << place;
    EXPECT_EQ(ClosestSheetCard(frmHold().Picture8(1).Picture(), kSmall), 90 - 52);
}

TEST_F(StatusTest, CountsBeyondTheTablesAreKeptWithinThem) {
    Eng.Seat2Rec.RecHoldInfo(1, 1) = 500; // a damaged record
    Com.Pturn = 1;
    Tbl.ViewedSlot = 7;
    SideInfo_Show(Eng.Seat2Rec, 2);
    EXPECT_EQ(frmHold().lblHold.Caption(), " Grulm's Hold Cards Hidden: 31 ");
    Eng.Seat2Rec.RecSideCount = -4;
    Eng.PlayerSideCount = 0;
    Tbl.ViewedSlot = 1;
    SideInfo_Show(Eng.Seat2Rec, 2);
    EXPECT_EQ(frmHold().lblHold.Caption(), " Side Cards Hidden: 0 ");
}

TEST_F(StatusTest, TheViewerIsPlacedWhereTheUserLeftIt) {
    Tbl.HoldViewLeft = 1500;
    Tbl.HoldViewTop = 3000;
    Tbl.ViewedSlot = 9;
    HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
    EXPECT_EQ(frmHold().LeftTw(), 1500);
    EXPECT_EQ(frmHold().TopTw(), 3000);
    EXPECT_EQ(frmHold().lblHold.Caption(), " Your Hold Cards Hidden: 0 ");
}

TEST_F(StatusTest, TheViewersRowOfPlacesOverlaps) {
    frmHold().Load();
    FrmHold& view = frmHold();
    view.SetScaleMode(platform::vbTwips);
    EXPECT_EQ(view.Picture8(1).Width(), 885);
    EXPECT_EQ(view.Picture8(1).Height(), 1200);
    for (int i = 2; i <= 10; ++i) {
        EXPECT_DOUBLE_EQ(view.Picture8(i).Left(), view.Picture8(1).Left() + (i - 1) * 825) << i;
        EXPECT_TRUE(view.Picture8(i).Visible()) << i;
    }
    EXPECT_NEAR(view.WidthTw(), view.Picture8(1).Left() + 9 * 825 + 885 + 100, 15);
}

// ---------------------------------------------------------------- information texts

TEST_F(StatusTest, SystemInformationBox) {
    svc.screen->widthTwips = 15360;
    svc.screen->heightTwips = 11520;
    svc.screen->captionPixels = 26;
    Com.CpuSpeed = 2400;
    form->SetClientSizePx(800, 570);
    svc.boxes->Expect(platform::vbOK);
    DisplayStats();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    const QString w = QString::number(form->WidthTw() / 15), h = QString::number(form->HeightTw() / 15);
    EXPECT_EQ(svc.boxes->shown[0].text, "Resolution: \r\n 1024 X  768 pixels\r\n"
                                        " 32 bits per pixel  (True Color)\r\n\r\n"
                                        "15360 X 11520\r\n"
                                        "Normal (small fonts)\r\n\r\n"
                                        "This window:\r\n " +
                                            w + " x  " + h +
                                            "\r\n"
                                            "Titlebar height:  26\r\n"
                                            "CPU Speed: 2400 MHz");
    EXPECT_EQ(svc.boxes->shown[0].style, platform::vbInformation);
    EXPECT_EQ(svc.boxes->shown[0].title, "");
    EXPECT_EQ(Tbl.TitleBarHeight, 26);

    Tbl.LargeFonts = true;
    svc.boxes->Expect(platform::vbOK);
    DisplayStats();
    EXPECT_TRUE(svc.boxes->shown[1].text.contains("\r\nLarge Fonts\r\n"));
}

TEST_F(StatusTest, PlayerNameOfFindsTheSideCardsOwner) {
    Com.PlayerName = "Ann";
    Eng.PlayerCards(1, 1) = 4;
    Eng.Seat2Rec.RecCards(1, 1) = 7;
    Eng.Seat3Rec.RecCards(1, 1) = 9;
    Eng.Seat4Rec.RecCards(1, 1) = 9;
    struct Row {
        int players, rank;
        const char* name;
    } rows[] = {{2, 4, "Ann"},  {2, 7, ""},  {3, 7, "Grulm"}, {3, 9, "Torvek"},
                {4, 9, "Mira"}, {4, 12, ""}, {4, 4, "Ann"}};
    for (const auto& r : rows) {
        Com.NumPlayers = r.players;
        // Seat 3 is moving in the four-player rows, so seat 4 is named instead.
        Eng.SeatName = r.players == 4 ? "Torvek" : "Nobody";
        EXPECT_EQ(PlayerNameOf(r.rank), r.name) << r.players << " " << r.rank;
        EXPECT_EQ(BlockedPlayerName(r.rank), r.name);
    }
}

} // namespace
