#pragma once
// What the discard choice needs to know of the seat's hold piles and hand.

// The hand slot of a doubled rank into DupSlot (left alone when none).
void Comp_Dups();
// Links between hold piles with equal tops (HoldLink), and the pile and slot they
// suggest for the discard: DropPile (only ever set), DropSlot.
void Comp_Analyze();
