#include "opponent/HoldBack.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Rules.h"
#include "engine/Seats.h"
#include "opponent/OppState.h"
#include "opponent/Search.h"

namespace {

int Last() {
    return Plan_LastRank(Opp.PlanCenter);
}
// Removes the last play; true when the plan is now empty.
bool Cut() {
    bool done = false;
    Move_ReduceSet(done);
    return done;
}
bool HoldBackAccept() {
    Opp.PlanFound = 1;
    return true;
}
int SideOfSeat(int seat) {
    return SeatRecordOf(seat).RecCards(1, 1);
}
// How far below its side card the seat looks for plays that feed the next player.
int LookDepth() {
    if (Eng.Level == 0) return 2;
    const int base = Eng.UsedCount + Eng.DeckCount <= kPileFull ? 2 : 3;
    return Eng.Level == 2 ? base + 1 : base;
}

// One round of the test; true when the routine is finished (accepted or returned).
bool WaitRound(const BArray<int, 2>& x, int look) {
    const int c = Opp.PlanCenter;
    const int side = SeatRank(1);
    const int hs = HumanRank(1);
    if (PlanCount(c) == 1)
        for (int slot = 7; slot <= 10; ++slot)
            if (x(1, slot) != 0 && x(1, slot) == Last() && (Last() == hs || Eng.Level < 2))
                return HoldBackAccept();
    for (int k = 1; k <= Com.NumCenters; ++k)
        if (k != c && Eng.CenterCount(k) == PlanTop(c) && PlanTop(c) != 0) return HoldBackAccept();
    if (side == kRankKing && c == Opp.SideBestPile) return HoldBackAccept();
    const int last = Last();
    if (side > 4) {
        if (last < side - look || last >= side) return true;
        const int sbCount = Eng.CenterCount(Opp.SideBestPile);
        const bool clear = last <= sbCount && sbCount < side && Eng.Level == 2;
        if (PlanTop(c) < Opp.HumanReach && clear) return HoldBackAccept();
        if (Cut()) return true;
    } else {
        if (last >= side) {
            if (!(last == kRankQueen && Eng.Level == 2 && c == Opp.SideBestPile)) return true;
        } else if (last == 1 && look == 2) {
            return true;
        }
        if (Cut()) return true;
    }
    if (PlanCount(c) == 0) return true;
    if (Last() == x(1, 1) || PlanTop(c) == x(1, 1)) return HoldBackAccept();
    if (Last() > side || (Last() < side - look && side >= 5)) return true;
    return PlanCount(c) == 0;
}

} // namespace

void Move_BlockOppsCk(int rank) {
    const int n = Com.NumPlayers;
    auto blocks = [&](int seat) { return seat <= n && SideOfSeat(seat) == rank; };
    if (Com.Pturn == 2 && (blocks(3) || (n == 4 && blocks(4)))) Opp.PlanFound = 1;
    if (Com.Pturn == 3 && n == 4 && blocks(4)) Opp.PlanFound = 1;
}

void CheckOppsSide(int r) {
    const int b = CenterBestToPlay(r, false);
    const int cb = Eng.CenterCount(b);
    for (int k = 1; k <= Com.NumCenters; ++k) {
        if (k == b || PlanTop(Opp.PlanCenter) != Eng.CenterCount(k) + 1) continue;
        const int ck = Eng.CenterCount(k);
        if (ck < cb || (cb < ck && cb < r)) return;
    }
    for (int i = 1; i <= Eng.Level + 2; ++i) {
        if (PlanTop(Opp.PlanCenter) + i != r) continue;
        for (int k = 1; k <= Com.NumCenters; ++k)
            if (Eng.CenterCount(k) == PlanTop(Opp.PlanCenter)) return;
        if (Cut()) return;
    }
}

void Move_Wait(const BArray<int, 2>& cards) {
    if (PlanCount(Opp.PlanCenter) == 0 || Last() == kRankKing) return;
    const int look = LookDepth();
    for (int guard = 0; guard <= kPlanMax; ++guard)
        if (WaitRound(cards, look)) return;
}

void Move_WaitOpps() {
    Move_Wait(Eng.PlayerCards);
    if (Com.NumPlayers <= 2) return;
    // A plan the human's test accepted may still feed a following seat: every one is looked at.
    auto more = [] { return PlanCount(Opp.PlanCenter) > 0; };
    auto look = [&](int seat) {
        if (more()) Move_Wait(SeatRecordOf(seat).RecCards);
        if (more()) CheckOppsSide(SideOfSeat(seat));
    };
    switch (Com.Pturn) {
    case 2:
        look(3);
        if (Com.NumPlayers == 4) look(4);
        break;
    case 3:
        if (Com.NumPlayers == 4)
            look(4);
        else if (more())
            CheckOppsSide(SideOfSeat(2));
        break;
    case 4:
        if (more()) CheckOppsSide(SideOfSeat(2));
        break;
    default:
        break;
    }
}
