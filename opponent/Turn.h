#pragma once
// One local computer seat's whole turn: hand, remarks, the side card, the passes of
// search and play, the discard choice and the discard.

// False when the turn did not reach the hand-over (the game ended, a stalemate, or
// the program is closing).
bool Computer();
// The hold pile that takes a discard chosen for pile `chosen`: that one while it has
// room, else the next holding 28 or fewer, else the first with room; 0 when all are full.
int Discard_Pile(int chosen);
