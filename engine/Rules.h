#pragma once
// The rules of play as the table enforces them, and the placement queries the
// computer seats ask of the center piles.

// True when the human's side card could go onto a center pile now (Kings never count).
bool PlayerMissedMove();
// The center pile on which a card of `rank` fits soonest, counting the cards each pile
// still needs; for a King placed as a wild card (`wild`), a pile away from `avoid`,
// the pile the human's side card needs soonest.
int CenterBestToPlay(int rank, bool wild, int avoid = 0);
