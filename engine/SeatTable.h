#pragma once
// What belongs to each seat, in one table: loops over seats and the question
// "whose places are these" ask it rather than a control's name.
#include "engine/Model.h"
#include "engine/TableForm.h"

using Places = ControlArray<PictureBox>;

// Side-stack edges and hold-depth outlines each seat owns.
constexpr int kEdgesPerSeat = 25;
constexpr int kOutlinesPerSeat = 4;

struct SeatParts {
    int seat = 0;                    // 1 the local human, 2 to 4; 0 for places of no seat
    Places* places = nullptr;        // card places by slot; none without a table window
    BArray<int, 2>* cards = nullptr; // cards by slot, slot 1 the side top
    BArray<int, 2>* side = nullptr;  // side pile, bottom first
    SeatRecord* record = nullptr;    // none for the human
    int firstEdge = 0;               // the seat's lowest side-stack edge
    int firstHold = 0;               // the seat's first hold-depth outline

    int TopEdge() const { return firstEdge + kEdgesPerSeat - 1; }
    bool Human() const { return seat == 1; }
};

// Seat 1 to 4; any other seat is a fault and throws.
SeatParts Seat(int seat);
// The seat whose card places these are; seat 0 and nothing else for any other places.
SeatParts SeatOf(const Places& places);

// The title of a word from the computer seat on turn ("Torvek:"). At the hand-over to the
// human and during the game's end, the seat that moved last; the default opponent's when none.
QString Seat_OnTurnTitle();
