#pragma once
// A change of game size: the pile and deck tables of the new size and the table laid out for it.

void Centers_Redim4();
void Layout_SetGameSize(int prevPlayers, int prevCenters);
// The display mode the player has the table in, as its menu entries show it: a small display
// the screen forced on the game size goes with it.
int Layout_ModeShown();
