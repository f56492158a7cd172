#pragma once
// The whole-table redraw from the model, the reset before a new game, and the
// debug view of the shuffled deck.
#include "engine/Model.h"

#include <QImage>

void Table_Redraw();
void Table_Clear();
// The seats' names into their labels.
void Table_NameSeats();
// The seats' names on the table, seat 2's avatar while no one is on turn, and the table laid out
// for them.
void Table_ShowSeats();
void DebugShowDeck();
// The picture the debug view of the shuffled deck shows.
QImage DebugDeck_Render();
// Empties a seat's cards and hold piles, and its statistics unless a restart or restore keeps them.
void Player_Clear(SeatRecord& rec);
