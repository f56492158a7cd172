#pragma once
#include "common/BArray.h"

// Holding back planned plays that would help the players after the mover.

// PlanFound 1 when the rank is the side rank of a computer seat playing before the human again.
void Move_BlockOppsCk(int rank);
// Cuts the plan on PlanCenter so the pile stays clear below a seat's side rank r.
void CheckOppsSide(int r);
// Tests the plan on PlanCenter against one player's visible cards.
void Move_Wait(const BArray<int, 2>& cards);
// Move_Wait and CheckOppsSide for the players after the mover.
void Move_WaitOpps();
