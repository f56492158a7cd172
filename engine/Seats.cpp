#include "engine/Seats.h"
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

void Load(const SeatRecord& r) {
    Eng.SeatName = r.RecName;
    Eng.SeatSideStack = r.RecSideStack;
    Eng.SeatSideCount = r.RecSideCount;
    for (int i = 1; i <= 26; ++i) {
        Eng.SeatSide(1, i) = r.RecSide(1, i);
        Eng.SeatSide(0, i) = r.RecSide(0, i);
    }
    for (int slot = 1; slot <= 10; ++slot)
        for (int k = 0; k <= 1; ++k)
            Eng.SeatCards(k, slot) = r.RecCards(k, slot);
    for (int p = 1; p <= 4; ++p) {
        for (int d = 1; d <= kHoldPlaces; ++d)
            for (int k = 0; k <= 1; ++k)
                Eng.SeatHold(k, p, d) = r.RecHold(k, p, d);
        Eng.SeatHoldInfo(p, 1) = r.RecHoldInfo(p, 1);
        Eng.SeatHoldInfo(p, 2) = r.RecHoldInfo(p, 2);
    }
    Eng.SeatWildsFromHand = r.RecWildsFromHand;
    Eng.SeatWildsFromSide = r.RecWildsFromSide;
    for (int i = 0; i <= 5; ++i)
        Eng.StatsTable(4, i) = r.RecStats(1, i);

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

void Store(SeatRecord& r) {
    r.RecSideStack = Eng.SeatSideStack;
    r.RecSideCount = Eng.SeatSideCount;
    for (int i = 1; i <= 26; ++i) {
        r.RecSide(1, i) = Eng.SeatSide(1, i);
        r.RecSide(0, i) = Eng.SeatSide(0, i);
    }
    for (int slot = 1; slot <= 10; ++slot)
        for (int k = 0; k <= 1; ++k)
            r.RecCards(k, slot) = Eng.SeatCards(k, slot);
    for (int p = 1; p <= 4; ++p) {
        for (int d = 1; d <= kHoldPlaces; ++d)
            for (int k = 0; k <= 1; ++k)
                r.RecHold(k, p, d) = Eng.SeatHold(k, p, d);
        r.RecHoldInfo(p, 1) = Eng.SeatHoldInfo(p, 1);
        r.RecHoldInfo(p, 2) = Eng.SeatHoldInfo(p, 2);
    }
    r.RecWildsFromHand = Eng.SeatWildsFromHand;
    r.RecWildsFromSide = Eng.SeatWildsFromSide;
    for (int i = 0; i <= 5; ++i)
        r.RecStats(1, i) = Eng.StatsTable(4, i);
}

} // namespace

void SeatRecord_Copy(SeatRecord& record, bool store) {
    if (store)
        Store(record);
    else
        Load(record);
}

void GoUpdateOpponents() {
    if (Com.Pturn >= 2 && Com.Pturn <= 4) SeatRecord_Copy(SeatRecordOf(Com.Pturn), true);
}
