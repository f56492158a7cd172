#pragma once
// The opponent's picture at the right of the table, the slap, and the waiting
// comments the table's timer brings when the human takes long.

// Shows the slap picture and plays the slap sound.
void AvatarSlap();
// The timer's tick: one of the three waiting comments, each once until the table is cleared.
void WaitComment_Tick();
// A random order of 1, 2 and 3 into WaitOrder(1..3).
void WaitOrder_Shuffle();
// Wires the avatar's and the slap picture's mouse handlers and the timer.
void Avatar_Install();
