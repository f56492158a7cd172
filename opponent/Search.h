#pragma once
// The play search: plans of plays onto one center pile, from the hand and the
// hold tops, judged against the human and the seats that follow. Reads the table
// model, writes only the opponent's state.

// Appends the play from slot PlanStep to the plan on center PlanCenter and tests
// whether the plan is now to be played.
void Move_Plan();
// Removes the last play of the plan on PlanCenter; `done` when none is left.
void Move_ReduceSet(bool& done);
// Chooses between hold piles whose simulated tops share a rank (PlanStep the pile).
void Move_Comp_Hold();
// Searches the centers from `from` on; returns the center whose plan is to be played
// (PlanFound 1), or 0 when no plan was accepted.
int Move_Comp(int from);
// A fresh plan on center c at its present height.
void Plan_Start(int c);
// The rank of the last planned card on c (0 when the plan is empty).
int Plan_LastRank(int c);
