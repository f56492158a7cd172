#pragma once
// The end of a computer seat's turn: the last look for plays before the discard,
// and which hand card goes onto which hold pile.

// Re-sequences the hand, honours the forced-card rules, and at the top level looks
// for a play that blocks the human; reports a further play through PlanFound,
// DropPlan, PlanStep, PlanCenter (the center of a single forced play) and SkipSecondSearch.
void Comp_BeforeDrop();
// The discard: DiscardSlot the hand slot (2 to 6), PileIndex the hold pile (1 to 4).
void Comp_Drop();
