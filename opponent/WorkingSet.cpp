#include "opponent/WorkingSet.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"

#include <algorithm>

namespace {

// While the decision code plays seat 1, the player it reads as "the human" is the seat after it.
void ShowNextSeatAsHuman() {
    const SeatRecord& next = SeatRecordOf(2);
    Eng.PlayerSideCount = next.RecSideCount;
    Eng.PlayerSide = next.RecSide;
    Eng.PlayerCards = next.RecCards;
    Eng.PlayerHold.Clear();
    for (int p = 1; p <= 4; ++p) {
        const int covered = std::max(next.RecHoldInfo(p, 1) - 1, 0);
        for (int i = 1; i <= covered; ++i)
            for (int k = 0; k <= 1; ++k)
                Eng.PlayerHold(k, p, i) = next.RecHold(k, p, i);
        Eng.PlayerHoldCount(p) = covered;
    }
}

// The human's hold piles keep their tops among the visible cards; the working set holds them on the pile.
void LoadHuman() {
    Eng.SeatName = Com.PlayerName;
    Eng.SeatSideStack = Eng.PlayerSideStack;
    Eng.SeatSideCount = Eng.PlayerSideCount;
    Eng.SeatSide = Eng.PlayerSide;
    Eng.SeatCards = Eng.PlayerCards;
    Eng.SeatHold.Clear();
    for (int p = 1; p <= 4; ++p) {
        int d = Eng.PlayerHoldCount(p);
        for (int i = 1; i <= d; ++i)
            for (int k = 0; k <= 1; ++k)
                Eng.SeatHold(k, p, i) = Eng.PlayerHold(k, p, i);
        if (Eng.PlayerCards(1, p + 6) != 0) {
            ++d;
            for (int k = 0; k <= 1; ++k)
                Eng.SeatHold(k, p, d) = Eng.PlayerCards(k, p + 6);
        }
        Eng.SeatHoldInfo(p, 1) = d;
        // The type its present cards give it, as if its top had just been uncovered.
        Eng.SeatHoldInfo(p, 2) = kHoldOneRank;
        HoldType_Update(p, false);
    }
    Eng.SeatWildsFromHand = Eng.WildsFromHand;
    Eng.SeatWildsFromSide = Eng.WildsFromSide;
    Eng.Level = Opponent_Seat1Level();
    Eng.CommentsOff = true;
    Eng.SeatSounds.Clear();
    ShowNextSeatAsHuman();
}

void StoreHuman() {
    Eng.PlayerSideStack = Eng.SeatSideStack;
    Eng.PlayerSideCount = Eng.SeatSideCount;
    Eng.PlayerSide = Eng.SeatSide;
    Eng.PlayerCards = Eng.SeatCards;
    Eng.PlayerHold.Clear();
    for (int p = 1; p <= 4; ++p) {
        const int covered = std::max(Eng.SeatHoldInfo(p, 1) - 1, 0);
        for (int i = 1; i <= covered; ++i)
            for (int k = 0; k <= 1; ++k)
                Eng.PlayerHold(k, p, i) = Eng.SeatHold(k, p, i);
        Eng.PlayerHoldCount(p) = covered;
    }
    Eng.WildsFromHand = Eng.SeatWildsFromHand;
    Eng.WildsFromSide = Eng.SeatWildsFromSide;
}

} // namespace

void WorkingSet_Load() {
    if (Com.Pturn == 1)
        LoadHuman();
    else
        SeatRecord_Copy(SeatRecordOf(Com.Pturn), false);
}

void WorkingSet_Store() {
    if (Com.Pturn == 1) {
        if (Opponent_Seat1Level() >= 0) StoreHuman();
    } else {
        GoUpdateOpponents();
    }
}
