#include "table/LayoutGameSize.h"

#include "common/Shared.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "table/LayoutPlan.h"
#include "table/Piles.h"
#include "table/TableState.h"

namespace {

void RedimCenters(int n) {
    Eng.CenterCount.Redim(n);
    Eng.Center.Redim(1, n, kPileFull);
    PlanTables_Redim(n);
}

void RedimDeck() {
    Eng.Deck.Redim(2, Com.TotalCards);
    Eng.UsedPile.Redim(1, Com.TotalCards);
}

} // namespace

void Centers_Redim4() {
    if (Com.NumCenters == 4 && !Tbl.FourthCenterLoaded) RedimCenters(4);
}

DisplayMode Layout_ModeAsked() {
    return Tbl.DisplayForced ? DisplayMode::Standard : DisplayMode_Of(Com.LayoutMode);
}

QString Display_EntryCaption(int entry, DisplayMode mode) {
    if (entry == 0)
        return Display_IsUp(mode) ? QStringLiteral("Move Cards Down") : QStringLiteral("Move Cards Up");
    return Display_IsSmall(mode) ? QStringLiteral("Make Display Larger")
                                 : QStringLiteral("Make Display Smaller");
}

namespace {

// The pile and deck tables of the new size; each one made again starts empty.
void Layout_GameSizeTables(int prevCenters, DisplayMode mode) {
    if (mode != DisplayMode::Standard) RedimCenters(prevCenters);
    if (Com.NumPlayers != 2) {
        Centers_Redim4();
        Com.TotalCards = Com.NumPlayers * 52;
    } else if (Com.NumCenters == 4) {
        RedimCenters(4);
    }
    RedimDeck();
    // Callers may pass previous counts that do not match the table; the pile
    // tables must still hold every pile in play.
    if (Eng.CenterCount.UBound() < Com.NumCenters) RedimCenters(Com.NumCenters);
}

// A seat that comes to the table shows its side place as seat 2 shows its own: once dealt.
void SideSeatsLikeSeat2() {
    const bool shown = (*Seat(2).places)(1).Visible();
    for (int seat = 3; seat <= Com.NumPlayers; ++seat)
        if (Places& places = *Seat(seat).places; places.Exists(1)) places(1).SetVisible(shown);
}
} // namespace

void Layout_SetGameSize(int prevPlayers, int prevCenters) {
    (void)prevPlayers; // the plan lays the new size out from scratch
    // The places and tables of the game on the table go with its size.
    Table_GameOver();
    const DisplayMode mode = Layout_ModeAsked();
    Layout_GameSizeTables(prevCenters, mode);
    Layout_Relay(mode);
    SideSeatsLikeSeat2();
}
