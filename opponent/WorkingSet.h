#pragma once
// The working set of the seat on turn: loaded from and stored into the seat's record,
// or, when the decision code plays seat 1, from and into the human's piles.
void WorkingSet_Load();
void WorkingSet_Store();
