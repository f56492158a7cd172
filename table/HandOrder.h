#pragma once
// What the hand places show: a new order of a hand, and the peek at the other seats' hands.
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

// Moves the hand card of slot `from` to slot `to` (both 2 to 6), shifting the cards
// between, and redraws the places between them. Slots outside 2..6 change nothing. False
// when the game left the table during the move.
bool Hand_Sort(BArray<int, 2>& cards, Places& places, int from, int to);
// Turns the other seats' hand cards face up (PeekOn) or face down.
void Peek();
