#include "engine/Seats.h"
#include "common/CopyCards.h"
#include "common/Shared.h"
#include "engine/SeatTable.h"
#include "engine/TableForm.h"

#include <stdexcept>

SeatRecord& SeatRecordOf(int seat) {
    SeatRecord* record = seat == 1 ? nullptr : Seat(seat).record;
    if (!record) throw std::out_of_range("no seat record for seat " + std::to_string(seat));
    return *record;
}

namespace {

void ShowAvatar(const QString& name) {
    if (HasTableForm()) frmGrulm().Avatar_Show(name);
}

// The piles, wild counts and statistics: what a turn changes and stores back.
void CopyPiles(SeatRecord& r, bool store) {
    Mirror(r.RecSideStack, Eng.SeatSideStack, store);
    Mirror(r.RecSideCount, Eng.SeatSideCount, store);
    // Slot 0 of a card table holds the spare card: it is not the seat's.
    MirrorCards(r.RecSide, Eng.SeatSide, 1, 26, store);
    MirrorCards(r.RecCards, Eng.SeatCards, 1, 10, store);
    for (int p = 1; p <= 4; ++p) {
        for (int d = 1; d <= kHoldPlaces; ++d)
            for (int k = 0; k <= 1; ++k)
                Mirror(r.RecHold(k, p, d), Eng.SeatHold(k, p, d), store);
        Mirror(r.RecHoldInfo(p, 1), Eng.SeatHoldInfo(p, 1), store);
        Mirror(r.RecHoldInfo(p, 2), Eng.SeatHoldInfo(p, 2), store);
    }
    Mirror(r.RecWildsFromHand, Eng.SeatWildsFromHand, store);
    Mirror(r.RecWildsFromSide, Eng.SeatWildsFromSide, store);
    for (int i = 0; i <= 5; ++i)
        Mirror(r.RecStats(1, i), Eng.StatsTable(4, i), store);
}

// The rest of a load: who the seat is, its avatar, level, sounds and comments.
void LoadIdentity(const SeatRecord& r) {
    Eng.SeatName = r.RecName;
    if (Com.Pturn != 1) {
        if (!r.RecAvatar.isEmpty()) ShowAvatar(r.RecAvatar);
    } else if (!Com.PlayerAvatar.isEmpty() && Com.NumPlayers >= 3) {
        ShowAvatar(Com.PlayerAvatar);
    } else if (!r.RecAvatar.isEmpty()) {
        ShowAvatar(r.RecAvatar);
    }

    if (Com.NetGame != 0) {
        // A remote seat's level is the socket its moves arrive through.
        if (Com.NetHost != 0) {
            for (int k = 1; k <= 3; ++k)
                if (Com.NetSockets[k].Seat == Com.Pturn - 1) Eng.Level = Com.NetSockets[k].Socket;
        } else {
            Eng.Level = 0;
        }
        return;
    }
    Eng.Level = r.RecLevel;
    for (int i = 0; i <= 16; ++i)
        Eng.SeatSounds(i) = r.RecSounds(i);
    if (r.RecCommentSet != QLatin1String("No Comments")) {
        Eng.CommentsOff = false;
        for (int i = 1; i <= 33; ++i)
            Eng.SeatComments(i) = r.RecComments(i);
    } else {
        Eng.CommentsOff = true;
    }
}

} // namespace

void SeatRecord_Copy(SeatRecord& record, bool store) {
    CopyPiles(record, store);
    if (!store) LoadIdentity(record);
}

void GoUpdateOpponents() {
    if (Com.Pturn >= 2 && Com.Pturn <= 4) SeatRecord_Copy(SeatRecordOf(Com.Pturn), true);
}

void HoldType_Update(int pile, bool added) {
    const int d = Eng.SeatHoldInfo(pile, 1);
    int& type = Eng.SeatHoldInfo(pile, 2);
    if (d <= 1) {
        if (!added || d == 0) type = kHoldOneRank;
        return;
    }
    const int top = Eng.SeatHold(1, pile, d), under = Eng.SeatHold(1, pile, d - 1);
    const int bottom = Eng.SeatHold(1, pile, 1);
    if (added) {
        if (top == bottom) type = kHoldOneRank;
        if (top != under) type = kHoldMixed;
        if (top == under - 1) type = kHoldRunStep;
    } else if (top == bottom) {
        type = kHoldOneRank;
    } else if (top == under - 1) {
        type = kHoldRunStep;
    } else if (top != under) {
        type = kHoldMixed;
    }
}
