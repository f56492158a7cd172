#pragma once
#include "engine/Model.h"

// Loads the record of the seat on turn into the working set (store false), or
// stores the working set's piles back into it (store true).
void SeatRecord_Copy(SeatRecord& record, bool store);
// Stores the working set into the record of the seat on turn; nothing when the human is on turn.
void GoUpdateOpponents();
// The record of seat 2, 3 or 4.
SeatRecord& SeatRecordOf(int seat);
// What a computer seat's hold pile holds, its type (the working set's SeatHoldInfo column 2).
enum HoldTypeCode : int {
    kHoldOneRank = 0, // cards of one rank
    kHoldMixed = 1,   // ranks mixed
    kHoldRunStep = 2, // its top one below the card under it: a descending run
};
// The working set's hold pile's type after its top changed. `added` tells a discard onto the pile from a card
// taken off it; a top equal to the card under it (and not to the bottom card) keeps the type it had.
void HoldType_Update(int pile, bool added);
