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

// One step of the flight, answering whether the game the card flies in goes on.
PauseAnswer Step(const GameOnTable& mine, PictureBox& p, double x, double y) {
    p.SetGeometryPx(x, y, p.WidthPx(), p.HeightPx());
    return mine.Pause(kPaceFlight / std::max(1, Com.AnimSteps));
}

// What stays at the source place while the card flies.
void ShowWhatStays(TableForm& f, int i, bool human) {
    PictureBox& spare = f.Picture1(0);
    if (!human && i == 1 && Eng.SeatSideCount != 0) {
        spare.SetVisible(true);
    } else if (i > 6 && human) {
        const int h = i - 6;
        if (Eng.PlayerHoldCount(h) != 0)
            Card_Show(f.Picture1, 0, Eng.PlayerHold(0, h, Eng.PlayerHoldCount(h)), kShowSilent);
        else
            Card_Show(f.Picture1, 0, 0, kShowEmptyPlace);
    } else if (i > 6) {
        spare.SetVisible(true);
    }
}

int StepOf(double distance) {
    const int step = RoundEven(distance / std::max(1, Com.AnimSteps));
    return step == 0 ? 1 : step;
}

// The card from its start to the target's place, the longer way leading; stops at the first
// step whose game does not go on.
PauseAnswer Fly(const GameOnTable& mine, PictureBox& s, double destX, double destY) {
    const int stepX = StepOf(std::abs(Tbl.AnimStartX - destX));
    const int stepY = StepOf(std::abs(Tbl.AnimStartY - destY));
    double x = Tbl.AnimStartX, y = Tbl.AnimStartY;
    // Each loop ends on its own test; the counter only guards against a move that cannot end.
    const int limit = 100000;
    if (std::abs(Tbl.AnimStartX - destX) >= std::abs(Tbl.AnimStartY - destY)) {
        const bool left = Tbl.AnimStartX > destX;
        for (int n = 0; n < limit && (left ? x > destX + 35.5 : x < destX + 35.5); ++n) {
            x += left ? -stepX : stepX;
            if (destY >= Tbl.AnimStartY) {
                if (y < destY) y += stepY;
            } else if (y > destY) {
                y -= stepY;
            }
            if (const PauseAnswer on = Step(mine, s, x, y); !on) return on;
        }
        return mine.Answer();
    }
    const bool up = destY <= Tbl.AnimStartY;
    for (int n = 0; n < limit && (up ? y > destY : y < destY - 48); ++n) {
        y += up ? -stepY : stepY;
        x += x > destX ? -stepX : stepX;
        if (const PauseAnswer on = Step(mine, s, x, y); !on) return on;
    }
    return mine.Answer();
}

// The flown place back where it started, hidden; a game dealt meanwhile shows its own card
// there, so the place only goes home.
void SendHome(Places& source, int i, PauseAnswer flew) {
    if (!source.Exists(i)) return;
    PictureBox& back = source(i);
    if (!flew.Replaced()) back.SetVisible(false);
    back.SetGeometryPx(Tbl.AnimStartX, Tbl.AnimStartY, back.WidthPx(), back.HeightPx());
}

} // namespace

bool Animate_Dealing() {
    return Tbl.Dealing;
}

PauseAnswer Card_Animate(Places& source, int i, Places& target, int j, const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    // A table cleared or laid out anew during the flight may have removed the places it uses.
    PictureBox& s = source(i);
    const bool human = SeatOf(source).Human();
    Tbl.AnimStartX = static_cast<int>(std::lround(s.LeftPx()));
    Tbl.AnimStartY = static_cast<int>(std::lround(s.TopPx()));
    PictureBox& spare = f.Picture1(0);
    if (!Tbl.Dealing || (i > 6 && human))
        spare.SetGeometryPx(Tbl.AnimStartX, Tbl.AnimStartY, spare.WidthPx(), spare.HeightPx());
    const double destX = target(j).LeftPx(), destY = target(j).TopPx();
    // The first pause lets pending paints through before the flight.
    PauseAnswer flew = mine.Pause(0);
    if (flew) {
        s.ZOrder(0);
        ShowWhatStays(f, i, human);
        flew = Fly(mine, s, destX, destY);
    }
    if (flew) flew = mine.Pause(kPaceFlightEnd);
    SendHome(source, i, flew);
    return flew;
}

PauseAnswer Card_Deal(Places& places, BArray<int, 2>& cards, int slot, int kind, const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    Tbl.Dealing = true;
    PictureBox& spare = f.Picture1(0);
    spare.SetGeometryPx(f.PicCenter(0).LeftPx(), f.PicCenter(0).TopPx(), spare.WidthPx(), spare.HeightPx());
    Card_Show(f.Picture1, 0, 0, kShowSilent);
    spare.SetVisible(true);
    cards(1, slot) = Eng.Deck(1, Eng.DeckCount);
    Eng.Deck(1, Eng.DeckCount) = 0;
    cards(0, slot) = Eng.Deck(0, Eng.DeckCount);
    Eng.Deck(0, Eng.DeckCount) = 0;
    --Eng.DeckCount;
    // Only a real card number is marked; an empty stock position has none.
    if (cards(0, slot) >= 1 && cards(0, slot) <= Com.TotalCards) Eng.Deck(2, cards(0, slot)) = 1;
    if (const PauseAnswer flew = Card_Animate(f.Picture1, 0, places, slot, mine); !flew) {
        // The card went with the table it was dealt on.
        Tbl.Dealing = false;
        return flew;
    }
    if (SeatOf(places).Human() || Com.PeekOn)
        Card_Show(places, slot, cards(0, slot), kind);
    else
        Card_Show(places, slot, 0, kind);
    places(slot).SetVisible(true);
    Tbl.Dealing = false;
    if (platform::Form::IsLoaded("frmCounter")) Counter_ShowDeck();
    return mine.Pause(kind == kShowDealtToSeat ? kPaceDealToSeat : Com.ComputerPause / 2);
}

void Piles_EnableRange(Places& places, bool value, int first, int last) {
    for (int slot = first; slot <= last; ++slot)
        if (places.Exists(slot)) places(slot).SetEnabled(Eng.PlayerCards(1, slot) != 0 ? value : false);
}

void Control_Enable(Places& places, int index) {
    places(index).SetEnabled(true);
}
