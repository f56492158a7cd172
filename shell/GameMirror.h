#pragma once
// One routine copies a game between the card tables and seat records and a saved
// game, in either direction, so the capture and the restore cannot drift apart.
#include "shell/SavedGames.h"

// toTable lays a checked saved game out on the tables and marks its cards as out of
// the stock; otherwise the tables' position is copied into the saved game. The
// header fields (seat on turn, rules, game size) are the caller's.
void SavedGame_Mirror(SavedGame& g, bool toTable);
