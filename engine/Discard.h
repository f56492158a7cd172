#pragma once
// The discard that ends the human's turn.

// Discards hand slot SourceSlot onto hold place TargetHold (7 to 10), then runs the
// other seats' turns. A full hold pile or a pending forced card refuses it.
void Player_EndTurn();
// The message of a discard onto a hold pile that has no room left.
inline const char* const kHoldFullText = "That HOLD pile is too full. PICK ANOTHER PILE!";
