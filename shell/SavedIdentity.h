#pragma once
// Which game a saved record holds: a game's end is recorded once, however the game comes back
// after it (started over, or restored from any of its saves).
#include "shell/SavedGames.h"

#include <cstdint>

// The restored game `g` on the table: its identity, and whether its end is in the player's record
// already (so stored, or it is the table's game `tableId`, whose end was recorded). A game stored
// before identities were kept is one not yet recorded; it takes a new identity, which the records
// of "backup.sav" it came from (`fromSaves`: record Sav.SaveSlot, and a slot's start and the
// game's start) keep.
void SavedIdentity_Take(const SavedGame& g, bool fromSaves, std::int32_t tableId, bool tableRecorded);
// The game `id` is in the player's record: every save of it in "backup.sav" says so, so that a
// restore of any of them does not count it again.
void SavedGames_MarkRecorded(std::int32_t id);
