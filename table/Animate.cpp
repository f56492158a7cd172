#include "table/Animate.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/Paint.h"
#include "table/frmCounter.h"

#include <cmath>
#include <cstdlib>

namespace {

void Step(PictureBox& p, double x, double y) {
    p.SetGeometryPx(x, y, p.WidthPx(), p.HeightPx());
    Pause(kPaceFlight / std::max(1, Com.AnimSteps));
}

} // namespace

bool Animate_Dealing() {
    return Tbl.Dealing;
}

void Card_Animate(Places& source, int i, Places& target, int j) {
    TableForm& f = frmGrulm();
    // A table cleared or laid out anew during the flight may have removed the places it uses.
    const GameOnTable mine;
    PictureBox& s = source(i);
    const bool human = SeatOf(source).Human();
    Tbl.AnimStartX = static_cast<int>(std::lround(s.LeftPx()));
    Tbl.AnimStartY = static_cast<int>(std::lround(s.TopPx()));
    PictureBox& spare = f.Picture1(0);
    if (!Tbl.Dealing || (i > 6 && human))
        spare.SetGeometryPx(Tbl.AnimStartX, Tbl.AnimStartY, spare.WidthPx(), spare.HeightPx());
    const double destX = target(j).LeftPx(), destY = target(j).TopPx();
    Pause(0); // lets pending paints through before the flight
    s.ZOrder(0);

    // What stays at the source place while the card flies.
    if (!human && i == 1 && Eng.SeatSideCount != 0) {
        spare.SetVisible(true);
    } else if (i > 6 && human) {
        const int h = i - 6;
        if (Eng.PlayerHoldCount(h) != 0)
            Card_Show(f.Picture1, 0, Eng.PlayerHold(0, h, Eng.PlayerHoldCount(h)), 0);
        else
            Card_Show(f.Picture1, 0, 0, kShowEmptyPlace);
    } else if (i > 6) {
        spare.SetVisible(true);
    }

    const int steps = std::max(1, Com.AnimSteps);
    int stepX = RoundEven(std::abs(Tbl.AnimStartX - destX) / steps);
    int stepY = RoundEven(std::abs(Tbl.AnimStartY - destY) / steps);
    if (stepX == 0) stepX = 1;
    if (stepY == 0) stepY = 1;
    double x = Tbl.AnimStartX, y = Tbl.AnimStartY;
    const bool horizontalLeads = std::abs(Tbl.AnimStartX - destX) >= std::abs(Tbl.AnimStartY - destY);
    // Each loop ends on its own test; the counter only guards against a move that cannot end.
    const int limit = 100000;
    if (horizontalLeads) {
        const bool left = Tbl.AnimStartX > destX;
        for (int n = 0; n < limit && mine.StillOn() && (left ? x > destX + 35.5 : x < destX + 35.5); ++n) {
            x += left ? -stepX : stepX;
            if (destY >= Tbl.AnimStartY) {
                if (y < destY) y += stepY;
            } else if (y > destY) {
                y -= stepY;
            }
            Step(s, x, y);
        }
    } else {
        const bool up = destY <= Tbl.AnimStartY;
        for (int n = 0; n < limit && mine.StillOn() && (up ? y > destY : y < destY - 48); ++n) {
            y += up ? -stepY : stepY;
            x += x > destX ? -stepX : stepX;
            Step(s, x, y);
        }
    }
    Pause(kPaceFlightEnd);
    if (!source.Exists(i)) return;
    PictureBox& back = source(i);
    // A game dealt meanwhile shows its own card at the place: it only goes home.
    if (!mine.Replaced()) back.SetVisible(false);
    back.SetGeometryPx(Tbl.AnimStartX, Tbl.AnimStartY, back.WidthPx(), back.HeightPx());
}

void Card_Deal(Places& places, BArray<int, 2>& cards, int slot, int kind) {
    TableForm& f = frmGrulm();
    const GameOnTable mine;
    Tbl.Dealing = true;
    PictureBox& spare = f.Picture1(0);
    spare.SetGeometryPx(f.PicCenter(0).LeftPx(), f.PicCenter(0).TopPx(), spare.WidthPx(), spare.HeightPx());
    Card_Show(f.Picture1, 0, 0, 0);
    spare.SetVisible(true);
    cards(1, slot) = Eng.Deck(1, Eng.DeckCount);
    Eng.Deck(1, Eng.DeckCount) = 0;
    cards(0, slot) = Eng.Deck(0, Eng.DeckCount);
    Eng.Deck(0, Eng.DeckCount) = 0;
    --Eng.DeckCount;
    // Only a real card number is marked; an empty stock position has none.
    if (cards(0, slot) >= 1 && cards(0, slot) <= Com.TotalCards) Eng.Deck(2, cards(0, slot)) = 1;
    Card_Animate(f.Picture1, 0, places, slot);
    if (!mine.StillOn()) {
        // The card went with the table it was dealt on.
        Tbl.Dealing = false;
        return;
    }
    if (SeatOf(places).Human() || Com.PeekOn)
        Card_Show(places, slot, cards(0, slot), kind);
    else
        Card_Show(places, slot, 0, kind);
    places(slot).SetVisible(true);
    Tbl.Dealing = false;
    if (platform::Form::IsLoaded("frmCounter")) Counter_ShowDeck();
    Pause(kind == kShowDealtToSeat ? kPaceDealToSeat : Com.ComputerPause / 2);
}

void Piles_EnableRange(Places& places, bool value, int first, int last) {
    for (int slot = first; slot <= last; ++slot)
        if (places.Exists(slot)) places(slot).SetEnabled(Eng.PlayerCards(1, slot) != 0 ? value : false);
}

void Control_Enable(Places& places, int index) {
    places(index).SetEnabled(true);
}
