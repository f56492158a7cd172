#include "opponent/Wild.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "opponent/OppState.h"
#include "opponent/Search.h"

namespace {

bool Usable(int k) {
    return !(Com.NoWildAce && Eng.CenterCount(k) == 0);
}

// A plan that uses the side King on the way: its center, 0 when none was found.
int PlanWithKing() {
    const int hbp = Opp.HumanBestPile;
    Opp.SearchFlag = 0;
    Opp.KingSlot = 1;
    Opp.PlanList(hbp, 0) = 1;
    int c = Move_Comp(hbp);
    Opp.KingSlot = 2;
    for (int k = 1; k <= Com.NumCenters && c == 0; ++k) {
        if (k == hbp) continue;
        Opp.SearchFlag = 0;
        Opp.KingSlot = 2;
        c = Move_Comp(k);
    }
    return c;
}

// A pile far below the human's side card, away from the human's best pile if possible.
int LowPile() {
    const int hs = HumanRank(1);
    int fallback = 0;
    for (int k = 1; k <= Com.NumCenters; ++k) {
        if (!Usable(k) || Eng.CenterCount(k) >= hs - 6) continue;
        if (k != Opp.HumanBestPile) return k;
        fallback = k;
    }
    return fallback;
}

// The first pile where the King's rank lies outside the human's run up to its side card.
int LeastHelpful() {
    const int hs = HumanRank(1), r = Opp.HumanReach;
    for (int k = 1; k <= Com.NumCenters; ++k) {
        if (!Usable(k)) continue;
        const int rank = Eng.CenterCount(k) + 1;
        bool outside;
        if (r <= hs && r != 1)
            outside = rank < r || rank > hs;
        else if (r == 1)
            outside = rank > hs && (Opp.EmptyCenter != 0 || rank != kRankQueen);
        else
            outside = hs < rank && rank < r - 1;
        if (outside) return k;
    }
    return 0;
}

} // namespace

WildChoice Move_Wild() {
    if (Eng.Level == 2) {
        if (const int c = PlanWithKing(); c != 0) return {c, true};
        if (const int low = LowPile(); low != 0) return {low, false};
    }
    int chosen = LeastHelpful();
    if (Opp.TurnFlags[kBlockPile] != 0) {
        chosen = Opp.TurnFlags[kBlockPile];
        Opp.TurnFlags[kBlockPile] = 0;
    }
    for (int k = 1; k <= Com.NumCenters && chosen == 0 && Com.NoWildAce; ++k)
        if (Eng.CenterCount(k) != 0) chosen = k;
    if (chosen == 0 && Eng.Level == 2) {
        chosen = Eng.CenterCount(1) > Eng.CenterCount(2) ? 2 : 1;
        if (Eng.CenterCount(1) > Eng.CenterCount(3)) chosen = 3;
    }
    return {chosen != 0 ? chosen : 2, false};
}
