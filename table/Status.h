#pragma once
// The status bar, the side-pile counts, the filling of the hold-pile viewer, the
// system-information box and the lookup of a player by side card.
#include "common/BArray.h"
#include "engine/Model.h"

#include <QString>

void StatusBar_Player(SeatRecord& rec);
void StatusBar_Clear();
// Panel 1 and the tooltip of panel 4 name the player who has just logged in.
void StatusBar_Human();
// The names in the status bar again, after the player or the opponents changed: the player's,
// and the opponent's as panel 5 shows it (the seat shown, or the opponent before a deal).
void StatusBar_Names();
void StatusBar1_PanelClick(int panel);
void StatusBar_Init();
void WildUpdate();
void SideInfo_Show(SeatRecord& rec, int seat);
// Fills the hold-pile viewer with the cards hidden in the pile Tbl.ViewedSlot names
// (0 the stock, 1 a side pile, 7 to 10 a hold pile); the caller shows the viewer.
// A seat's hold piles: cards (pair, pile, depth) with the top at the depth that column 1 of info holds.
void HoldInfo(const BArray<int, 3>& cards, const BArray<int, 2>& info, int count, const QString& name);
// The human's hold piles: the covered cards and their counts.
void HoldInfo(const BArray<int, 3>& cards, const BArray<int, 1>& counts, int count, const QString& name);
// A side pile of count cards, top at position count (the stock is read from Deck).
void HoldInfo(const BArray<int, 2>& cards, int count, const QString& name);
void DisplayStats();
QString PlayerNameOf(int rank);
// The name other subsystems know this lookup by.
inline QString BlockedPlayerName(int rank) {
    return PlayerNameOf(rank);
}
