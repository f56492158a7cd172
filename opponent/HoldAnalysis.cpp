#include "opponent/HoldAnalysis.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "opponent/OppState.h"

#include <algorithm>

namespace {

int AnalysisUnder(int p) {
    const int d = HoldDepth(p);
    return d > 1 ? Eng.SeatHold(1, p, d - 1) : 0;
}
int Bottom(int p) {
    return HoldDepth(p) > 0 ? Eng.SeatHold(1, p, 1) : 0;
}
// The pile is one unbroken run from its top down to its bottom card.
bool CleanRun(int p) {
    return HoldTop(p) + HoldDepth(p) - 1 == Bottom(p);
}
int Shallower(int i, int j) {
    return HoldDepth(j) < HoldDepth(i) ? j : i;
}

int LinkOf(int i, int j) {
    const int ti = HoldType(i), tj = HoldType(j);
    if (ti == kHoldOneRank) return i;
    if (ti == kHoldMixed) {
        if (tj == kHoldRunStep) return i;
        if (tj == kHoldOneRank) return j;
        if (AnalysisUnder(j) >= AnalysisUnder(i)) {
            int link = HoldTop(i) == AnalysisUnder(i) ? i : j;
            if (AnalysisUnder(j) == AnalysisUnder(i)) link = Shallower(i, j);
            return link;
        }
        return HoldTop(j) == AnalysisUnder(j) ? j : i;
    }
    if (tj != kHoldRunStep) return j;
    if (CleanRun(i)) return CleanRun(j) ? Shallower(i, j) : j;
    return Shallower(i, j);
}

} // namespace

void Comp_Dups() {
    const int last = Eng.HandCount + 1;
    for (int s = last; s >= 3; --s) {
        const int r = SeatRank(s);
        if (r == kRankKing || r == 0 || r != SeatRank(s - 1)) continue;
        Opp.DupSlot = s;
        if (r == SeatRank(1)) return;
        if (s - 2 >= Opp.FirstHandSlot && SeatRank(s - 2) == r) return;
    }
    if (Opp.DupSlot == 0) return;
    const bool forcedAce = Com.ForcedCards == 1 || Com.ForcedCards == 5;
    if (SeatRank(Opp.DupSlot) == 1 && Eng.Level == 2 && forcedAce) Opp.DupSlot = 0;
}

void Comp_Analyze() {
    for (int p = 1; p <= 4; ++p)
        Opp.HoldLink(p) = 0;
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            if (j != i && HoldDepth(i) > 0 && HoldDepth(j) > 0 && HoldTop(i) == HoldTop(j))
                Opp.HoldLink(i) = LinkOf(i, j);
    const int last = std::min(Eng.HandCount + 1, 6);
    const int match = Opp.MatchSlot >= 1 && Opp.MatchSlot <= 10 ? SeatRank(Opp.MatchSlot) : -1;
    const int dupRank = Opp.DupSlot != 0 ? SeatRank(Opp.DupSlot) : -1;
    for (int s = Opp.FirstHandSlot; s <= last; ++s) {
        if (SeatRank(s) == 0 || SeatRank(s) != match) continue;
        for (int p = 1; p <= 4; ++p) {
            Opp.PileIndex = p;
            if (HoldDepth(p) == 0 || HoldTop(p) != SeatRank(s) || Opp.HoldLink(p) == 0) continue;
            Opp.DropPile = Opp.HoldLink(p);
            Opp.DropSlot = s;
            // A doubled card of this rank settles it.
            if (SeatRank(s) == dupRank) return;
        }
    }
    if (Opp.DropPile != 0) return;
    for (int p = 1; p <= 4; ++p) {
        Opp.PileIndex = p;
        if (Opp.HoldLink(p) == 0) continue;
        Opp.DropPile = Opp.HoldLink(p);
        if (Opp.DupSlot != 0) {
            Opp.DropSlot = Opp.DupSlot;
            return;
        }
    }
    Opp.DropSlot = Opp.FirstHandSlot;
}
