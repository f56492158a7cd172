#pragma once
// The loop over the seats after the human, and the hand-over from one seat to the next.

// The turn loop; returns when the human is on turn again, the game ended or it was stopped.
void ComputerTurn();
// The end of the turn of the seat on turn: the discard shown, the piles stored, the next seat.
void Move_End_Turn();
// Closes the run of the turn that ends: checked against the seat's best, then counted from zero.
void Seat_CloseRun();
// Installs the turn loop behind the game flow's hook.
void Opponent_Install();
// Lets the decision code play seat 1 as well, at a level 0 to 2 (-1: the human plays it).
// A facility for headless games and measurements, not for players.
void Opponent_PlaySeat1(int level);
int Opponent_Seat1Level();
// Turns handed over since the program started (for measurements).
int Opponent_TurnsEnded();
