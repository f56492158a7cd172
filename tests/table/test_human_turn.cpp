#include "engine/GameEnd.h"
#include "platform/Connect.h"
#include "shell/KeyCommand.h"
#include "tests/table/test_human_turn_support.h"

#include <QScopeGuard>

namespace {

TEST_F(HumanTurnTest, DropsOnEachKindOfPlace) {
    ASSERT_TRUE(EveryCardOnce());
    PictureBox& two = form->Picture7(2);
    const double homeL = two.LeftPx();

    // An Ace onto a center pile.
    Give(2, 1);
    const int ace = Eng.PlayerCards(0, 2);
    DragTo(2, form->PicCenter(1).LeftPx() + 10, form->PicCenter(1).TopPx() - 12);
    EXPECT_EQ(Eng.CenterCount(1), 1);
    EXPECT_EQ(Eng.Center(0, 1, 1), ace);
    EXPECT_EQ(Eng.PlayerCards(1, 2), 0);
    EXPECT_EQ(Eng.HandCount, 4);
    EXPECT_FALSE(two.Visible());
    EXPECT_EQ(two.LeftPx(), homeL);
    EXPECT_FALSE(Eng.DragOn);
    EXPECT_TRUE(EveryCardOnce());

    // A card that does not fit glides back and says why.
    Give(3, 5);
    PictureBox& three = form->Picture7(3);
    const double l3 = three.LeftPx(), t3 = three.TopPx();
    DragTo(3, form->PicCenter(2).LeftPx(), form->PicCenter(2).TopPx());
    EXPECT_EQ(Eng.CenterCount(2), 0);
    EXPECT_EQ(three.LeftPx(), l3);
    EXPECT_EQ(three.TopPx(), t3);
    EXPECT_TRUE(Rule().endsWith("That card cannot be played to that Center pile yet."));
    EXPECT_EQ(Com.Pturn, 1);

    // Nowhere near a place: back home, nothing said.
    DragTo(3, l3 + 200, t3 - 150);
    EXPECT_EQ(three.LeftPx(), l3);
    // The side card over a hold pile.
    DragTo(1, form->Picture7(8).LeftPx(), form->Picture7(8).TopPx());
    EXPECT_EQ(Rule(), "\r\nYour Side card can only be played to a Center pile.");

    // Onto another hand slot: a new order of the hand.
    const int c6 = Eng.PlayerCards(0, 6), c3 = Eng.PlayerCards(0, 3);
    DragTo(6, form->Picture7(3).LeftPx(), form->Picture7(3).TopPx() + 60);
    EXPECT_EQ(Eng.PlayerCards(0, 3), c6);
    EXPECT_EQ(Eng.PlayerCards(0, 4), c3);
    EXPECT_TRUE(EveryCardOnce());

    // Onto a hold pile: the turn ends, the other seat plays, the human's hand is full again.
    const int turns = computerTurns;
    const int discarded = Eng.PlayerCards(0, 4);
    DragTo(4, form->Picture7(9).LeftPx() + 5, form->Picture7(9).TopPx() + 5);
    EXPECT_EQ(computerTurns, turns + 1);
    EXPECT_EQ(Eng.PlayerCards(0, 9), discarded);
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.HandCount, 5);
    for (int s = 2; s <= 6; ++s)
        EXPECT_NE(Eng.PlayerCards(1, s), 0) << s;
    EXPECT_TRUE(EveryCardOnce());
    EXPECT_FALSE(Eng.PlayBusy);
}

TEST_F(HumanTurnTest, HitTestTolerances) {
    PictureBox& c = form->PicCenter(1);
    PictureBox& card = form->Picture7(2);
    int target = 0;
    card.SetGeometryPx(c.LeftPx() - 23, c.TopPx() + 32, card.WidthPx(), card.HeightPx());
    CenterHitTest(2, target);
    EXPECT_EQ(target, 1);
    card.SetGeometryPx(c.LeftPx() - 24, c.TopPx() + 32, card.WidthPx(), card.HeightPx());
    CenterHitTest(2, target);
    EXPECT_EQ(target, kNoTarget);
    // Hand slots reach 96 pixels below but only 48 above.
    PictureBox& slot4 = form->Picture7(4);
    card.SetGeometryPx(slot4.LeftPx(), slot4.TopPx() + 90, card.WidthPx(), card.HeightPx());
    CenterHitTest(2, target);
    EXPECT_EQ(target, 4);
    card.SetGeometryPx(slot4.LeftPx(), slot4.TopPx() - 50, card.WidthPx(), card.HeightPx());
    CenterHitTest(2, target);
    EXPECT_NE(target, 4);
    // A hold card over another hold pile.
    PictureBox& hold = form->Picture7(7);
    hold.SetGeometryPx(form->Picture7(8).LeftPx(), form->Picture7(8).TopPx(), hold.WidthPx(),
                       hold.HeightPx());
    CenterHitTest(7, target);
    EXPECT_EQ(target, kNoTarget);
    EXPECT_EQ(Rule(),
              "Once a card has been placed on a Hold pile, it can only be played to the Center piles.");
}

TEST_F(HumanTurnTest, DoubleClickPlaysToTheFirstPileThatTakesIt) {
    Give(5, 1);
    DoubleClick(5);
    EXPECT_EQ(Eng.CenterCount(1), 1);
    EXPECT_FALSE(Eng.DragOn);
    EXPECT_TRUE(EveryCardOnce());
    Give(4, 2);
    DoubleClick(4);
    EXPECT_EQ(Eng.CenterCount(1), 2);
    // A misfit names any pile; a King is never played by a double click.
    Give(3, 9);
    DoubleClick(3);
    EXPECT_TRUE(Rule().endsWith("That card cannot be played to any Center pile yet."));
    Give(3, 13);
    Eng.SeatComments(34) = "Kings";
    Eng.SeatComments(35) = "stay";
    DoubleClick(3);
    EXPECT_EQ(Rule(), "Kings\r\nstay");
    EXPECT_EQ(Eng.PlayerCards(1, 3), 13);
    // While a play is under way a double click starts none.
    Give(6, 3);
    Eng.PlayBusy = true;
    DoubleClick(6);
    EXPECT_EQ(Eng.CenterCount(1), 2);
    Eng.PlayBusy = false;
    DoubleClick(6);
    EXPECT_EQ(Eng.CenterCount(1), 3);
    EXPECT_TRUE(EveryCardOnce());
}

TEST_F(HumanTurnTest, NotYourTurnAndOneDragAtATime) {
    Com.Pturn = 3;
    DragTo(2, 10, 10);
    EXPECT_EQ(Rule(), "Please stop --\r\n     It's NOT your turn!");
    EXPECT_FALSE(Eng.DragOn);
    Com.Pturn = 1;
    PictureBox& p = form->Picture7(2);
    Send(p, QEvent::MouseButtonPress, {10, 10});
    EXPECT_TRUE(Eng.DragOn);
    Send(form->Picture7(3), QEvent::MouseButtonPress, {10, 10});
    EXPECT_EQ(Eng.SourceSlot, 2); // the drag stays the first card's
    Send(form->Picture7(3), QEvent::MouseButtonRelease, {10, 10});
    EXPECT_TRUE(Eng.DragOn);
    Send(p, QEvent::MouseButtonRelease, {10, 10});
}

TEST_F(HumanTurnTest, PlaysFromTheHoldPilesAndTheSide) {
    // A hold pile with one card beneath its top loses its outline when the top is played.
    Give(2, 4);
    Eng.SourceSlot = 2;
    Eng.TargetHold = 7;
    Player_EndTurn();
    ASSERT_EQ(Eng.PlayerCards(1, 7), 4);
    Give(3, 1);
    Eng.SourceSlot = 3;
    Eng.TargetHold = 7;
    Player_EndTurn();
    ASSERT_EQ(Eng.PlayerHoldCount(1), 1);
    EXPECT_TRUE(form->StackHold(1).Visible());
    EXPECT_TRUE(EveryCardOnce());
    Eng.SourceSlot = 7;
    Eng.TargetPile = 2;
    Player_Move();
    EXPECT_EQ(Eng.CenterCount(2), 1);
    EXPECT_EQ(Eng.PlayerHoldCount(1), 0);
    EXPECT_EQ(Eng.PlayerCards(1, 7), 4);
    EXPECT_FALSE(form->StackHold(1).Visible());
    // With nothing beneath, the place shows the empty hold place.
    Give(7, 1);
    Eng.SourceSlot = 7;
    Eng.TargetPile = 3;
    Player_Move();
    EXPECT_EQ(Eng.PlayerCards(1, 7), 0);
    EXPECT_TRUE(EveryCardOnce());

    // The side card: the next one comes up and is marked seen.
    Give(1, 2);
    const int next = Eng.PlayerSide(0, Eng.PlayerSideCount - 1);
    Eng.SourceSlot = 1;
    Eng.TargetPile = 2;
    Player_Move();
    EXPECT_EQ(Eng.CenterCount(2), 2);
    EXPECT_EQ(Eng.PlayerSideCount, 19);
    EXPECT_EQ(Eng.PlayerCards(0, 1), next);
    EXPECT_EQ(Eng.Deck(2, next), 1);
    EXPECT_TRUE(EveryCardOnce());
}

TEST_F(HumanTurnTest, FullPilesTheEmptyHandAndTheHistory) {
    int written = 0;
    Hooks.MoveLogOn = [] { return true; };
    Hooks.MoveHistory_Write = [&](int record) { written = record; };
    Com.MoveCounter = 1;
    // Pile 1 one card short of complete: the Queen sends it to the used pile.
    for (int rank = 1; rank <= 11; ++rank) {
        Give(2, rank);
        Eng.SourceSlot = 2;
        Eng.TargetPile = 1;
        Player_Move();
        ASSERT_EQ(Eng.CenterCount(1), rank);
        // The emptied hand came back full each fifth card.
        Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
    }
    Give(3, 12);
    Eng.SourceSlot = 3;
    Eng.TargetPile = 1;
    Player_Move();
    EXPECT_EQ(Eng.CenterCount(1), 0);
    EXPECT_EQ(Eng.UsedCount, 12);
    Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
    EXPECT_EQ(written, 13);
    EXPECT_TRUE(EveryCardOnce());

    // Five hand cards played in a row refill the hand in the same turn.
    for (int s = 2; s <= 6; ++s) {
        Give(s, s - 1);
        Eng.SourceSlot = s;
        Eng.TargetPile = 3;
        Player_Move();
        ASSERT_EQ(Eng.CenterCount(3), s - 1);
    }
    EXPECT_EQ(Eng.HandCount, 5);
    for (int s = 2; s <= 6; ++s)
        EXPECT_NE(Eng.PlayerCards(1, s), 0);
    // A King from the hand counts as a wild card played.
    Give(4, 13);
    Eng.SourceSlot = 4;
    Eng.TargetPile = 2;
    Player_Move();
    EXPECT_EQ(Eng.WildsFromHand, 1);
    EXPECT_EQ(Eng.CenterCount(2), 1);
    EXPECT_TRUE(EveryCardOnce());
}

TEST_F(HumanTurnTest, TheDiscardRespectsTheHoldLimit) {
    Bury(2, kHoldCovered - 1);
    Give(2, 5);
    Eng.SourceSlot = 2;
    Eng.TargetHold = 8;
    Eng.DragHomeLeft = 166;
    Eng.DragHomeTop = 392;
    // An empty top first: the card goes there without changing the count.
    Player_EndTurn();
    EXPECT_EQ(Eng.PlayerHoldCount(2), kHoldCovered - 1);
    EXPECT_EQ(Eng.PlayerCards(1, 8), 5);
    Give(3, 6);
    Eng.SourceSlot = 3;
    Eng.TargetHold = 8;
    Player_EndTurn();
    EXPECT_EQ(Eng.PlayerHoldCount(2), kHoldCovered); // 31 cards on the pile
    EXPECT_TRUE(EveryCardOnce());
    const int turns = computerTurns;
    Eng.SourceSlot = 4;
    Eng.TargetHold = 8;
    const int kept = Eng.PlayerCards(0, 4);
    Player_EndTurn();
    EXPECT_EQ(Rule(), kHoldFullText);
    EXPECT_EQ(Eng.PlayerCards(0, 4), kept);
    EXPECT_EQ(Eng.PlayerHoldCount(2), kHoldCovered);
    EXPECT_EQ(computerTurns, turns);
    EXPECT_EQ(form->Picture7(4).LeftPx(), 166);
    EXPECT_TRUE(EveryCardOnce());
}

TEST_F(HumanTurnTest, HandOrder) {
    int before[7];
    for (int s = 2; s <= 6; ++s)
        before[s] = Eng.PlayerCards(0, s);
    EXPECT_TRUE(Hand_Sort(Eng.PlayerCards, form->Picture7, 6, 2, GameOnTable()).GoesOn());
    EXPECT_EQ(Eng.PlayerCards(0, 2), before[6]);
    for (int s = 3; s <= 6; ++s)
        EXPECT_EQ(Eng.PlayerCards(0, s), before[s - 1]);
    EXPECT_TRUE(Hand_Sort(Eng.PlayerCards, form->Picture7, 2, 6, GameOnTable()).GoesOn());
    for (int s = 2; s <= 6; ++s)
        EXPECT_EQ(Eng.PlayerCards(0, s), before[s]);
    // Slots outside the hand change nothing.
    EXPECT_TRUE(Hand_Sort(Eng.PlayerCards, form->Picture7, 1, 7, GameOnTable()).GoesOn());
    EXPECT_TRUE(Hand_Sort(Eng.PlayerCards, form->Picture7, 0, 3, GameOnTable()).GoesOn());
    for (int s = 2; s <= 6; ++s)
        EXPECT_EQ(Eng.PlayerCards(0, s), before[s]);
    // An empty slot moves along and its place is hidden.
    Eng.PlayerCards(0, 4) = Eng.PlayerCards(1, 4) = 0;
    EXPECT_TRUE(Hand_Sort(Eng.PlayerCards, form->Picture7, 6, 2, GameOnTable()).GoesOn());
    EXPECT_EQ(Eng.PlayerCards(1, 5), 0);
    EXPECT_FALSE(form->Picture7(5).Visible());
    EXPECT_TRUE(form->Picture7(2).Visible());
    // The oldest peer keeps the order but the places are redrawn.
    Com.OldPeer = true;
    const int c2 = Eng.PlayerCards(0, 2);
    EXPECT_TRUE(Hand_Sort(Eng.PlayerCards, form->Picture7, 2, 6, GameOnTable()).GoesOn());
    EXPECT_EQ(Eng.PlayerCards(0, 2), c2);
}

TEST_F(HumanTurnTest, PanelIconsAndTheGatheringOfASeat) {
    EXPECT_EQ(Panel_IconAt(100, 22), kIconNone);
    EXPECT_EQ(Panel_IconAt(100, 60), kIconNone);
    EXPECT_EQ(Panel_IconAt(183, 40), kIconNone);
    EXPECT_EQ(Panel_IconAt(184, 40), kIconNone);
    EXPECT_EQ(Panel_IconAt(182, 40), kIconGame);
    EXPECT_EQ(Panel_IconAt(648, 59), kIconHelp);
    // During another seat's turn the Game icon says wait.
    form->picPanel.SetVisible(true);
    Com.Pturn = 2;
    Eng.Seat2Rec.RecName = "Torvek";
    svc.boxes->Expect(platform::vbOK);
    picPanel_MouseDown(100, 40);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Wait!  Let me finish my turn first!");
    EXPECT_EQ(svc.boxes->shown[0].title, "Torvek:") << "the seat on turn says it";
    EXPECT_FALSE(form->picPanel.Visible());
    int opened = 0, topTw = 0;
    PanelHooks.Menu_Open = [&](int menu, int, int top) {
        opened = menu;
        topTw = top;
        return false;
    };
    picPanel_MouseDown(400, 40);
    EXPECT_EQ(opened, 0);
    // The list opens over the panel's lower half, however high the window manager's title bar.
    Tbl.TitleBarHeight = 26;
    picPanel_MouseDown(250, 40);
    EXPECT_EQ(opened, 2);
    const double below = (topTw - form->TopTw()) / 15.0;
    EXPECT_GT(below, form->picPanel.HeightPx() / 2);
    EXPECT_LT(below, form->picPanel.HeightPx());
    Com.Pturn = 1;

    // A seat with 3 hand cards and hold piles 2, 0, 5 and 1 deep gives 11 cards.
    SeatRecord& rec = Eng.Seat2Rec;
    rec.RecCards(1, 2) = 0;
    rec.RecCards(0, 2) = 0;
    rec.RecCards(1, 3) = 0;
    rec.RecCards(0, 3) = 0;
    const int depths[] = {2, 0, 5, 1};
    int card = 200;
    for (int p = 1; p <= 4; ++p) {
        rec.RecHoldInfo(p, 1) = depths[p - 1];
        for (int d = 1; d <= depths[p - 1]; ++d) {
            rec.RecHold(0, p, d) = ++card;
            rec.RecHold(1, p, d) = 3;
        }
    }
    const int used = Eng.UsedCount;
    Pictures_Reset(rec, form->Picture1);
    EXPECT_EQ(Eng.UsedCount, used + 11);
    EXPECT_EQ(rec.RecCards(1, 4), 0);
    EXPECT_EQ(rec.RecHoldInfo(3, 1), 0);
    EXPECT_NE(rec.RecCards(1, 1), 0); // the side pile stays
}

} // namespace

namespace {

class RestartTest : public HumanTurnTest {
  protected:
    void SetUp() override {
        DealTest::SetUp();
        Drag_Install(*form);
        ASSERT_TRUE(SavedGameFile().Open(Com.DataPath + "backup.sav", SavedGame::kSize));
        SavedGames_Install();
        TempMoves_Open(true);
        ASSERT_TRUE(Shl.MoveLogOn);
        Hooks.ComputerTurn = [] { ComputerTurn_StandIn(); };
        Game_New();
        ASSERT_EQ(Com.Pturn, 1);
    }
    void TearDown() override {
        TempMoves_Open(false);
        SavedGameFile().Close();
        SavedGames_Reset();
        HumanTurnTest::TearDown();
    }
};

TEST_F(RestartTest, UndoAndRestartPutThePositionBack) {
    // A discard first, so the turn being restarted began after a turn of the other seat.
    Give(2, 9);
    Eng.SourceSlot = 2;
    Eng.TargetHold = 10;
    Player_EndTurn();
    ASSERT_EQ(Com.MoveCounter, 1);
    const BArray<int, 2> start = Eng.PlayerCards;
    Give(3, 1);
    DragTo(3, form->PicCenter(1).LeftPx(), form->PicCenter(1).TopPx());
    Give(4, 2);
    DoubleClick(4);
    ASSERT_EQ(Eng.CenterCount(1), 2);
    ASSERT_EQ(Com.MoveCounter, 3);

    Com.RestartingTurn = true;
    RestartTurn();
    EXPECT_EQ(Eng.CenterCount(1), 0);
    EXPECT_EQ(Com.MoveCounter, 1);
    // The turn's start, before the cards given to the hand above.
    EXPECT_EQ(Eng.PlayerCards, start);
    EXPECT_TRUE(EveryCardOnce());

    Give(5, 1);
    DoubleClick(5);
    ASSERT_EQ(Eng.CenterCount(1), 1);
    Com.UndoRequested = true;
    RestartTurn();
    EXPECT_EQ(Eng.CenterCount(1), 0);
    EXPECT_EQ(Com.MoveCounter, 1);
    EXPECT_TRUE(EveryCardOnce());
    EXPECT_FALSE(Eng.PlayBusy);

    // While a play is under way the restart waits.
    Eng.PlayBusy = true;
    Com.RestartingTurn = true;
    RestartTurn();
    EXPECT_FALSE(Com.RestartingTurn);
    Eng.PlayBusy = false;
}

} // namespace

namespace {

TEST_F(HumanTurnTest, ALiftedHoldCardLeavesItsPilesEmptyPlaceAtTheSizeThePlacesHaveNow) {
    Give(8, 5);
    Bury(2, 2);
    // The places of the small display, and a stand-in still of the standard size and bare.
    PictureBox& place = form->Picture7(8);
    place.SetGeometryPx(place.LeftPx(), place.TopPx(), 59, 80);
    form->Picture7(0).SetGeometryPx(0, 0, 71, 96);
    form->Picture7(0).SetPicture(QImage());
    Send(place, QEvent::MouseButtonPress, {20, 20});
    const PictureBox& stand = form->Picture7(0);
    EXPECT_TRUE(stand.Visible());
    EXPECT_EQ(QRectF(stand.LeftPx(), stand.TopPx(), stand.WidthPx(), stand.HeightPx()),
              QRectF(place.LeftPx(), place.TopPx(), 59, 80));
    EXPECT_EQ(stand.Picture(), EmptyPlaceFor(place));
    EXPECT_FALSE(stand.Picture().isNull());
    Send(place, QEvent::MouseButtonRelease, {20, 20});
    EXPECT_FALSE(Eng.DragOn);
}

} // namespace

namespace {

// New Game chosen while the human's card is in flight: the play does not land in the new
// game, which keeps every card once.
TEST_F(HumanTurnTest, NewGameDuringTheFlightOfAPlayLeavesTheNewGameWhole) {
    Give(5, 1);
    std::vector<int> dealt;
    platform::Later(0, "test", [&] {
        Game_New();
        for (int c = 1; c <= Com.NumCenters; ++c)
            dealt.push_back(Eng.CenterCount(c));
        dealt.push_back(Eng.PlayerCards(0, 5));
    });
    DoubleClick(5);
    ASSERT_FALSE(dealt.empty()) << "the flight paused for no event";
    std::vector<int> now;
    for (int c = 1; c <= Com.NumCenters; ++c)
        now.push_back(Eng.CenterCount(c));
    now.push_back(Eng.PlayerCards(0, 5));
    EXPECT_EQ(now, dealt);
    // The new hand shows in the place the card left from.
    EXPECT_TRUE(form->Picture7(5).Visible());
    EXPECT_FALSE(Eng.PlayBusy);
    EXPECT_TRUE(EveryCardOnce());
}

// The winning play, made each way the human can make a play, leaves the same table: the
// winner's notice, the DEAL button and no mark of the move that made it.
TEST_F(HumanTurnTest, AWinningPlayEndsOnTheSameTableWhicheverWayItWasMade) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"drag", [&] { DragTo(1, form->PicCenter(1).LeftPx(), form->PicCenter(1).TopPx()); }},
        {"double click", [&] { DoubleClick(1); }},
        {"keypad", [] { KeyCommand(97, 0), KeyCommand(13, 0), KeyCommand(97, 0); }}, // 1, Enter, 1
    };
    const auto restore = qScopeGuard([] { GameEndHooks = GameEndHooksT{}; });
    GameEndHooks.AnimateCardsFlow = [](int) {}; // the card flow has run when Game_End returns
    QStringList first;
    for (const auto& [name, play] : ways) {
        SCOPED_TRACE(name);
        Keys_Reset();
        Game_New();
        form->cmdDeal.SetVisible(false);
        Give(1, 1); // the last side card is an Ace, centre pile 1 empty
        for (int k = 0; k <= 1; ++k)
            std::swap(Eng.PlayerSide(k, 1), Eng.PlayerSide(k, Eng.PlayerSideCount));
        Eng.PlayerSideCount = 1;
        play();
        auto& f = *form;
        const QStringList table = {f.Label9(1).Caption(), f.Label9(2).Caption(), QString::number(Com.Pturn),
                                   QString::number(f.cmdDeal.Visible() + 2 * f.lblHighlight.Visible())};
        EXPECT_TRUE(table[0].startsWith("That was your LAST CARD!")) << table[0].toStdString();
        if (first.isEmpty()) first = table;
        EXPECT_EQ(table, first);
    }
}

} // namespace
