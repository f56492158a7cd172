#pragma once
// The check of a saved game before it is put on the table: a damaged record is named
// and refused, never played.
#include "shell/SavedGames.h"

#include <QString>

// Empty when the record can be put on the table; otherwise what is wrong with it.
QString SavedGame_Fault(const SavedGame& g);
