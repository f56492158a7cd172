// The whole-table redraw from the model, the reset before a new game, and the
// debug view of the shuffled deck.
#include "table/Redraw.h"

#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/GameOnTable.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/CardArt.h"
#include "table/LayoutGameSize.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "table/Status.h"
#include "table/frmCounter.h"
#include "table/frmHold.h"

#include <QPainter>
#include <algorithm>

void Table_Redraw() {
    TableForm& f = frmGrulm();
    for (int seat = 1; seat <= std::max(2, Com.NumPlayers); ++seat)
        Pile_Draw(*Seat(seat).places, *Seat(seat).cards);

    for (int c = 1; c <= Com.NumCenters; ++c) {
        PictureBox& pile = f.PicCenter(c);
        const int n = Eng.CenterCount(c);
        if (n != 0) {
            Card_Show(f.PicCenter, c, Eng.Center(0, c, n), kShowSilent);
            if (Eng.Center(1, c, n) == 13) {
                // The King stands for the rank the pile has reached.
                f.LblWild(c).SetCaption(QString::number(n));
                f.LblWild(c).SetVisible(true);
                pile.SetToolTipText(NumStr(n));
            } else {
                pile.SetToolTipText(QString());
                f.LblWild(c).SetVisible(false);
            }
            pile.Refresh();
        } else {
            pile.SetPicture(EmptyPlaceFor(pile));
            f.LblWild(c).SetVisible(false);
        }
    }

    PictureBox& stock = f.PicCenter(0);
    stock.SetBorderStyle(1);
    stock.SetBackColor(Com.DeckColour);
    const bool small = Tbl.ScreenWidthTwips < 12001 || Com.LayoutMode >= 2;
    stock.SetPicture(Tbl.Pic.FilePic[small ? 5 : 0]);

    // The edges are filled with the deck colour (our picture boxes have one colour).
    for (int e = f.Stack.UBound(); e >= 1; --e)
        if (f.Stack.Exists(e)) f.Stack(e).SetBackColor(Com.DeckColour);

    if (Eng.PlayerSideCount < 2) f.ImgHold.SetVisible(false);
    f.ImgHold.SetStretch(Com.BackStyle == 0);
    if (!Com.KeepSidePicture && Com.BackStyle == 0) {
        f.Picture7(1).SetBorderStyle(1);
        f.Picture1(1).SetBorderStyle(1);
    }
    if (Tbl.BackgroundIndex == Tbl.BackgroundCount + 1) f.SetBackColor(Com.MatColour);
}

void Player_Clear(SeatRecord& rec) {
    rec.RecHold.Clear();
    rec.RecHoldInfo.Clear();
    rec.RecCards.Clear();
    if (!Com.UndoRequested && !Com.RestartingTurn && !Com.RestartingGame) {
        rec.RecStats.Clear();
        rec.RecWildsFromHand = 0;
        rec.RecWildsFromSide = 0;
    }
}

namespace {

void ResetCounts() {
    Eng.PlayerSideStack = 25 - Com.SideSize;
    Eng.SeatSideStack = 50 - Com.SideSize;
    Com.Pturn = 0;
    Eng.PlayerSideCount = 0;
    Eng.SeatSideCount = 0;
    Eng.HandCount = 5;
    Eng.UsedCount = 0;
    Eng.WildsFromHand = 0;
    Eng.WildsFromSide = 0;
    Eng.SeatWildsFromHand = 0;
    Eng.SeatWildsFromSide = 0;
}

void HideTurnSigns(TableForm& f) {
    f.ImgTurn1.SetVisible(false);
    f.ImgTurn2.SetVisible(false);
    f.ImgHold.SetVisible(false);
    f.cmdDeal.SetVisible(false);
    f.Timer1.SetEnabled(false);
    Tbl.WaitOrder.Clear();
    Tbl.OppPeeking = 0;
    f.LabelPeek.SetCaption(QString());
    f.LabelPeek.SetVisible(false);
    // The notice across the table ("Opponent ALERTED" and the like) was about the game that goes.
    f.Label9(kLblNotice).SetCaption(QString());
    if (Com.NetGame == 0) {
        f.Label9(kLblComment).SetCaption(QString());
        f.Label9(kLblMessage).SetCaption(QString());
    }
}

void EmptyModelPiles() {
    Eng.PlayerCards.Clear();
    Eng.PlayerHold.Clear();
    Eng.PlayerHoldCount.Clear();
    Eng.PlayerSide.Clear();
    Eng.SeatCards.Clear();
    Eng.SeatHold.Clear();
    Eng.SeatHoldInfo.Clear();
    Eng.SeatSide.Clear();
    Tbl.WaitOrder.Clear();
    Eng.Center.Redim(1, Com.NumCenters, kPileFull);
    Eng.CenterCount.Redim(Com.NumCenters);
    Eng.Deck.Redim(2, Com.TotalCards);
    Eng.UsedPile.Redim(1, Com.TotalCards);
}

void ClearStats() {
    // An undone play takes its own count out of the turn's run; the plays before it stay.
    if (Com.UndoRequested) return;
    const bool restarting = Com.RestartingTurn || Com.RestartingGame;
    Eng.HumanPlays.clear();
    for (int row = 0; row <= 5; ++row) {
        if (restarting) {
            Eng.StatsTable(1, row) = 0;
            if (Com.RestartingGame) Eng.StatsTable(3, row) = 0;
        } else {
            for (int who = 1; who <= 4; ++who)
                Eng.StatsTable(who, row) = 0;
        }
    }
}

void HideSideStacks(TableForm& f) {
    for (int k = 1; k <= 25; ++k) {
        if (f.Stack(k).Visible()) f.Stack(k).SetVisible(false);
        if (f.Stack(25 + k).Visible()) f.Stack(25 + k).SetVisible(false);
        if (Tbl.Seat3Loaded) f.Stack(50 + k).SetVisible(false);
        if (Tbl.Seat4Loaded) f.Stack(75 + k).SetVisible(false);
    }
}

void EmptyPlaces(TableForm& f) {
    for (int slot = 1; slot <= 10; ++slot)
        if (f.Picture7(slot).Enabled()) f.Picture7(slot).SetEnabled(false);
    for (int slot = 1; slot <= 6; ++slot) {
        f.Picture1(slot).SetVisible(false);
        f.Picture7(slot).SetVisible(false);
        if (Com.NumPlayers >= 3) f.Picture2(slot).SetVisible(false);
        if (Com.NumPlayers == 4) f.Picture3(slot).SetVisible(false);
    }
    for (int slot = 7; slot <= 10; ++slot) {
        const int pile = slot - 6;
        Card_Show(f.Picture7, slot, 0, kShowEmptyPlace);
        f.StackHold(pile).SetVisible(false);
        Card_Show(f.Picture1, slot, 0, kShowEmptyPlace);
        f.StackHold(pile + 4).SetVisible(false);
        if (Tbl.Seat3Loaded) {
            Card_Show(f.Picture2, slot, 0, kShowEmptyPlace);
            f.StackHold(pile + 8).SetVisible(false);
        }
        if (Tbl.Seat4Loaded) {
            Card_Show(f.Picture3, slot, 0, kShowEmptyPlace);
            f.StackHold(pile + 12).SetVisible(false);
        }
    }
}

void EmptyCenters(TableForm& f) {
    for (int c = 1; c <= Com.NumCenters; ++c) {
        f.PicCenter(c).SetBackColor(0x80C0FF);
        f.PicCenter(c).SetPicture(EmptyPlaceFor(f.PicCenter(c)));
        f.LblWild(c).SetVisible(false);
    }
    f.PicCenter(0).SetBackColor(Com.DeckColour);
    f.PicCenter(0).SetVisible(true);
}

} // namespace

void Table_Clear() {
    TableForm& f = frmGrulm();
    Table_GameOver();
    ResetCounts();
    WildUpdate();
    HideTurnSigns(f);
    EmptyModelPiles();
    // The table as its plan has it, before the places are emptied at the sizes it gives them; an
    // undo keeps the places as they stand.
    if (!Com.UndoRequested) Layout_Relay(Layout_ModeAsked());
    for (int seat = 2; seat <= 4; ++seat)
        Player_Clear(*Seat(seat).record);
    ClearStats();
    HideSideStacks(f);
    // An undo restores the turn's position over the places as they stand.
    if (Com.UndoRequested) return;
    EmptyPlaces(f);
    EmptyCenters(f);
    f.Label1.SetVisible(true);
    Com.PeekOn = false;
    if (FrmHold* hold = FrmHold::IfCreated(); hold && hold->IsVisible()) hold->Hide();
    if (platform::Form::IsLoaded("frmCounter")) frmCounter().Unload();
    DispHooks.TableCleared();
}

void Table_NameSeats() {
    TableForm& f = frmGrulm();
    for (int seat = 2; seat <= Com.NumPlayers; ++seat)
        if (const int label = SeatNameLabel(seat); f.Label9.Exists(label))
            f.Label9(label).SetCaption(Seat(seat).record->RecName);
}

void Table_ShowSeats() {
    Table_NameSeats();
    if (Com.Pturn == 0) frmGrulm().Avatar_Show(Eng.Seat2Rec.RecAvatar);
    // The names are the plan's to keep clear of the cards.
    Layout_Relay(Layout_ModeAsked());
}

QImage DebugDeck_Render() {
    const QImage& sheet = Tbl.Pic.imgALL;
    const int columns = (Com.TotalCards + 19) / 20;
    QSize size(75 * std::max(columns - 1, 0) + cardart::kLargeW, 45 * 19 + cardart::kLargeH);
    if (HasTableForm()) size = size.expandedTo(frmGrulm().Window()->size());
    const qreal dpr = sheet.isNull() ? Paint_PixelRatio() : sheet.devicePixelRatio();
    QImage img(qRound(size.width() * dpr), qRound(size.height() * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(QColor(0, 128, 0));
    if (sheet.isNull()) return img;
    QPainter p(&img);
    for (int pos = 1; pos <= Com.TotalCards; ++pos) {
        int n = Eng.Deck(0, pos);
        while (n >= 53)
            n -= 52;
        if (n < 1) continue; // a position already dealt
        const int s = (n - 1) / 13;
        const int r = n - 13 * s;
        const QPointF at(75 * ((pos - 1) / 20), 45 * ((pos - 1) % 20));
        const QRectF cell(71 * (r - 1) + 1, 96 * s, cardart::kLargeW, cardart::kLargeH);
        p.drawImage(QRectF(at, cell.size()), sheet,
                    QRectF(cell.x() * dpr, cell.y() * dpr, cell.width() * dpr, cell.height() * dpr));
    }
    return img;
}

void DebugShowDeck() {
    // Each call opens a window of its own; the user closes it, it is kept for the run.
    auto* view = new platform::Form("frmStdSm");
    view->SetCaption(QStringLiteral("The Shuffled Deck"));
    if (HasTableForm()) view->SetClientSizePx(frmGrulm().Window()->width(), frmGrulm().Window()->height());
    view->SetBackground(DebugDeck_Render());
    view->Show();
}
