#pragma once
// What the hand places show: a new order of a hand, and the peek at the other seats' hands.
#include "engine/GameOnTable.h"
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

// Moves the hand card of slot `from` to slot `to` (both 2 to 6), shifting the cards
// between, and redraws the places between them, pausing through the ticket of the flow the
// move belongs to. Slots outside 2..6 change nothing. Stops at the first pause whose game does
// not go on and answers as that pause; a closing program keeps the hand as it was.
PauseAnswer Hand_Sort(BArray<int, 2>& cards, Places& places, int from, int to, const GameOnTable& mine);
// Turns the other seats' hand cards face up (PeekOn) or face down.
void Peek();
