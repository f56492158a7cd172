#include "opponent/Drop.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "opponent/HoldAnalysis.h"
#include "opponent/OppState.h"
#include "opponent/Plays.h"
#include "opponent/Search.h"
#include "platform/Services.h"

#include <algorithm>

namespace {

constexpr int kGaps = 10;

int Rank(int s) {
    return s >= 1 && s <= 10 ? SeatRank(s) : 0;
}
int Top(int p) {
    return p >= 1 && p <= 4 ? HoldTop(p) : 0;
}
int Side() {
    return SeatRank(1);
}
int Best() {
    return Eng.CenterCount(Opp.SideBestPile);
}
int HandEnd() {
    return std::min(Eng.HandCount + 1, 6);
}
bool Drop(int s, int p) {
    Opp.DiscardSlot = s;
    Opp.PileIndex = p;
    return true;
}
bool HasCard(int s) {
    return Rank(s) != 0;
}

bool SeatIsFirstNonKing() {
    Opp.FirstHandSlot = 2;
    for (int s = 2; s <= HandEnd(); ++s)
        if (Rank(s) != kRankKing) {
            Opp.FirstHandSlot = s;
            return true;
        }
    return false;
}

// The first slot holding a card of `rank` among the hand (when asked) and the hold tops.
int FindForced(int rank, bool hand) {
    if (hand)
        for (int s = 2; s <= HandEnd(); ++s)
            if (Rank(s) == rank) return s;
    for (int s = 7; s <= 10; ++s)
        if (Rank(s) == rank) return s;
    return 0;
}

bool ForcedPlay(int rank, int need, int kind) {
    int k = 0;
    for (int i = Com.NumCenters; i >= 1; --i)
        if (Eng.CenterCount(i) == need) k = i;
    if (k == 0) return false;
    const int s = FindForced(rank, Com.ForcedCards < 4);
    if (s == 0) return false;
    Opp.PlanFound = 1;
    Opp.DropPlan = kind;
    Opp.PlanStep = s;
    Opp.PlanCenter = k;
    return true;
}

// The top level blocks the human's side card with a King when the race is close.
bool BlockingLook() {
    const int hs = HumanRank(1);
    if (Side() == hs || Opp.KingSlot == 0 || Eng.Level != 2) return false;
    const int ps = Eng.PlayerSideCount, ss = Eng.SeatSideCount;
    if (!(ss > ps + 5 || (ps <= 4 && ss <= 4 && ss >= ps) || (ps < 3 && ss > 4) || Com.NoWildAce))
        return false;
    const int c = Opp.HumanBestPile;
    const int cc = Eng.CenterCount(c);
    // The driver's second search starts on the human's best pile.
    auto startSearch = [] {
        Opp.SkipSecondSearch = 0;
        Opp.SearchFlag = 0;
        Opp.KingSlot = 2;
    };
    if (cc + 1 != hs) {
        if (ss < ps) return false;
        for (int k = 1; k <= Com.NumCenters; ++k)
            if (k != c && Eng.CenterCount(k) == cc) return false;
        Opp.DropPlan = kDropBlock;
        startSearch();
        return true;
    }
    int empties = 0;
    if (hs == 1) {
        if (Com.NoWildAce) return false;
        for (int k = 1; k <= Com.NumCenters; ++k)
            if (Eng.CenterCount(k) == 0) ++empties;
    }
    if (empties >= 2) return false;
    Opp.TurnFlags[kBlockCenter] = c;
    startSearch();
    return true;
}

} // namespace

void Comp_BeforeDrop() {
    Opp.SkipSecondSearch = 1;
    if (!Comp_Reseq()) return;
    SeatIsFirstNonKing();
    if (BlockingLook()) return;
    if (const int block = Opp.TurnFlags[kBlockCenter]; block != 0) {
        Opp.SideBestPile = block;
        Opp.SearchFlag = 0;
        Opp.KingSlot = 2;
        if (const int c = Move_Comp(block); c != 0) Comp_Play(c);
        Opp.TurnFlags[kBlockCenter] = 0;
        Opp.TurnFlags[kBlockSearches] = 0;
    }
    if (Opp.PlanFound == 1) return;
    if (Rank(Opp.FirstHandSlot) == kRankKing && !Com.NoWildAce) {
        Opp.DropPlan = kDropKing;
        Opp.PlanFound = 1;
        Opp.SkipSecondSearch = 0;
    }
    if (Com.ForcedCards == 0) return;
    if ((Com.ForcedCards & 1) != 0 && ForcedPlay(1, 0, kDropAce)) return;
    if ((Com.ForcedCards & 2) != 0) ForcedPlay(2, 1, kDropTwo);
}

namespace {

bool ScanPiles() {
    for (int p = 1; p <= 4; ++p) {
        if (HoldDepth(p) == 0) {
            ++Opp.EmptyPileMark;
            continue;
        }
        for (int s = 2; s <= 6; ++s) {
            if (!HasCard(s) || Rank(s) != Top(p)) continue;
            if (HoldType(p) == kHoldOneRank) return Drop(s, p);
            Opp.MatchSlot = s;
            (HoldType(p) == kHoldMixed ? Opp.MixedMatchPile : Opp.RunMatchPile) = p;
        }
        if (Top(p) == Side()) Opp.SideTopPile = p;
    }
    return false;
}

bool EmptyPile() {
    int p = 0;
    for (int q = 4; q >= 1; --q)
        if (HoldDepth(q) == 0) p = q;
    if (p == 0) return false;
    if (Opp.DupSlot != 0 && !(Eng.Level == 2 && Rank(Opp.DupSlot) == 1 && Opp.DupSlot >= 4))
        return Drop(Opp.DupSlot, p);
    for (int s = Opp.FirstHandSlot; s <= HandEnd(); ++s)
        if (HasCard(s) && Rank(s) != Side() - 1) return Drop(s, p);
    return Drop(Opp.MatchSlot != 0 ? Opp.MatchSlot : Opp.FirstHandSlot, p);
}

bool AnyTopAboveHand() {
    for (int s = Opp.FirstHandSlot; s <= HandEnd(); ++s)
        for (int p = 1; p <= 4; ++p)
            if (HasCard(s) && Top(p) > Rank(s)) return true;
    return false;
}

bool TopsAtOrBelowHand() {
    const int fhs = Opp.FirstHandSlot, side = Side(), best = Best();
    if (Opp.SideTopPile != 0) return Drop(fhs, Opp.SideTopPile);
    for (int p = 1; p <= 4; ++p)
        if (Top(p) == best) return Drop(fhs, p);
    if (Opp.DropPile != 0) return Drop(fhs, Opp.DropPile);
    bool stops = false;
    for (int p = 1; p <= 4; ++p)
        stops = stops || (best < side ? Top(p) >= side : side <= Top(p) && Top(p) <= best);
    if (!stops && Opp.MatchSlot != 0) {
        const int pile = Opp.MixedMatchPile != 0 ? Opp.MixedMatchPile : Opp.RunMatchPile;
        if (pile != 0) return Drop(Opp.MatchSlot, pile);
    }
    for (int p = 1; p <= 4; ++p)
        if (HasCard(fhs) && Top(p) != 1 && Top(p) >= side) return Drop(fhs, p);
    return Drop(fhs, 4);
}

bool DropRunStep() {
    for (int s = Opp.FirstHandSlot; s <= HandEnd(); ++s)
        for (int p = 1; p <= 4; ++p) {
            if (!HasCard(s) || Top(p) - 1 != Rank(s)) continue;
            if (s == Opp.DupSlot && Opp.DropSlot != 0 && Opp.DropPile != 0) return Drop(s, Opp.DropPile);
            if (Top(p) == Side()) return Drop(s, p);
            if ((HoldDepth(p) == 1 || HoldType(p) == kHoldRunStep) && Rank(s) != Best()) return Drop(s, p);
        }
    return false;
}

bool SideTopChoice() {
    const int fhs = Opp.FirstHandSlot;
    if (Opp.DropPile != 0 && Top(Opp.DropPile) == Top(Opp.SideTopPile)) return Drop(fhs, Opp.DropPile);
    return Drop(fhs, Opp.SideTopPile);
}

bool GapsAtOrBelowBest() {
    const int fhs = Opp.FirstHandSlot, best = Best(), side = Side();
    for (int gap = 1; gap <= kGaps; ++gap)
        for (int s = fhs; s <= HandEnd(); ++s)
            for (int p = 1; p <= 4; ++p) {
                if (!HasCard(s) || Top(p) > best || Top(p) - gap != Rank(s)) continue;
                if (gap <= 3) return Drop(s, p);
                if (Opp.SideTopPile != 0) return SideTopChoice();
                return Opp.DropPile == 0 ? Drop(s, p) : Drop(fhs, Opp.DropPile);
            }
    if (Opp.SideTopPile != 0) return SideTopChoice();
    if (Opp.DropPile != 0) return Drop(Opp.DropSlot, Opp.DropPile);
    for (int p = 1; p <= 4; ++p)
        if (side <= Top(p) && Top(p) <= best) return Drop(fhs, p);
    return false;
}

// The last hand slot the later passes offer: the top level keeps Aces back under the forced-Ace rule.
int BoundedEnd() {
    int end = HandEnd();
    if (Eng.Level == 2 && (Com.ForcedCards == 5 || Com.ForcedCards == 7))
        while (end > Opp.FirstHandSlot && Rank(end) == 1)
            --end;
    return end;
}

// -1 leaves the passes for the next step.
int GapsAboveBest(int end) {
    const int side = Side(), best = Best();
    for (int gap = 1; gap <= kGaps; ++gap) {
        bool any = false;
        for (int s = Opp.FirstHandSlot; s <= end; ++s)
            any = any || (HasCard(s) && Rank(s) >= side);
        if (!any) return 0;
        for (int s = Opp.FirstHandSlot; s <= end; ++s) {
            const int r = Rank(s);
            if (r == 0 || r < side || r < best) continue;
            for (int p = 1; p <= 4; ++p) {
                if (Top(p) < best || Top(p) <= r || Top(p) - gap != r) continue;
                if (Opp.DropPile != 0) {
                    const int dropTop = Top(Opp.DropPile);
                    if ((Eng.Level < 2 && Top(p) == dropTop) || (Eng.Level == 2 && r == dropTop))
                        return Drop(s, Opp.DropPile);
                }
                for (int q = 1; q <= 4; ++q)
                    if (q != p && Top(q) - 1 == r) return -1;
                return Drop(s, p);
            }
        }
    }
    return 0;
}

bool GapsBelowBest(int end) {
    const int best = Best(), fhs = Opp.FirstHandSlot;
    for (int gap = 1; gap <= kGaps; ++gap) {
        bool any = false;
        for (int s = fhs; s <= end; ++s)
            any = any || (HasCard(s) && Rank(s) <= best);
        if (!any) break;
        for (int s = fhs; s <= end; ++s)
            for (int p = 1; p <= 4; ++p) {
                const int r = Rank(s);
                if (r == 0 || r > best || !(r < Top(p) && Top(p) <= best) || Top(p) - gap != r) continue;
                const bool ownPile = Opp.DropPile == 0 || Top(Opp.DropPile) != Top(p);
                return Drop(s, ownPile ? p : Opp.DropPile);
            }
    }
    if (Opp.SideTopPile != 0) {
        const int dp = Opp.DropPile;
        const bool useDrop = dp != 0 && (Top(dp) == Top(Opp.SideTopPile) || Rank(fhs) == Top(dp));
        return Drop(fhs, useDrop ? dp : Opp.SideTopPile);
    }
    if (Opp.DropPile != 0) return Drop(Opp.DropSlot, Opp.DropPile);
    return false;
}

bool AnyGap(int end) {
    const int side = Side(), best = Best();
    for (int gap = 1; gap <= kGaps; ++gap)
        for (int s = Opp.FirstHandSlot; s <= end; ++s)
            for (int p = 1; p <= 4; ++p) {
                const int r = Rank(s);
                if (r == 0 || Top(p) - gap != r) continue;
                if (best >= side || r >= side || Top(p) >= side || r > best) return Drop(s, p);
            }
    return false;
}

bool EqualTops() {
    const int fhs = Opp.FirstHandSlot, side = Side(), best = Best();
    for (int s = fhs; s <= HandEnd(); ++s)
        for (int p = 1; p <= 4; ++p)
            if (HasCard(s) && Top(p) == Rank(s) && HoldType(p) != kHoldRunStep) return Drop(fhs, p);
    for (int p = 1; p <= 4; ++p)
        if (Top(p) <= best && Top(p) <= side) return Drop(fhs, p);
    for (int p = 1; p <= 4; ++p)
        if (Top(p) <= best) return Drop(fhs, p);
    return false;
}

bool BelowSide() {
    const int side = Side(), best = Best(), fhs = Opp.FirstHandSlot, match = Opp.MatchSlot;
    for (int gap = 1; gap <= kGaps; ++gap) {
        bool any = false;
        for (int s = fhs; s <= HandEnd(); ++s)
            any = any || (HasCard(s) && Rank(s) < side);
        if (!any) break;
        for (int s = fhs; s <= HandEnd(); ++s)
            for (int p = 1; p <= 4; ++p) {
                const int r = Rank(s), t = Top(p);
                if (r == 0 || r >= side || t - gap != r || !(t <= best || t >= side || r > best)) continue;
                if (s != match) return Drop(s, p);
                Opp.StepPile = p;
            }
    }
    if (Opp.SideTopPile != 0) {
        for (int s = fhs; s <= HandEnd(); ++s)
            if (HasCard(s) && Rank(s) != Rank(match)) return Drop(s, Opp.SideTopPile);
        if (Opp.SideTopPile == Opp.MixedMatchPile && match != 0) return Drop(match, Opp.SideTopPile);
    }
    if (Opp.StepPile != 0 && match != 0) return Drop(match, Opp.StepPile);
    if (match == 0) return false;
    for (int p = 1; p <= 4; ++p) {
        const int d = HoldDepth(p);
        if (d <= 1 || Eng.SeatHold(1, p, d - 1) != Top(p) + 1) return Drop(match, p);
    }
    if (Opp.MixedMatchPile != 0) return Drop(match, Opp.MixedMatchPile);
    return false;
}

void LastResorts() {
    const int fhs = Opp.FirstHandSlot, side = Side(), best = Best();
    for (int p = 1; p <= 4; ++p)
        if (side <= Top(p) && Top(p) <= best) {
            Drop(fhs, p);
            return;
        }
    for (int c = 1; c <= Com.NumCenters; ++c)
        for (int p = 1; p <= 4; ++p)
            if (Top(p) > side || Top(p) <= Eng.CenterCount(c)) {
                Drop(fhs, p);
                return;
            }
    Drop(fhs, static_cast<int>(platform::Svc().random.Rnd() * 4 + 1));
}

} // namespace

void Comp_Drop() {
    Opp.DropPile = Opp.MatchSlot = Opp.DupSlot = 0;
    Opp.MixedMatchPile = Opp.RunMatchPile = Opp.SideTopPile = Opp.StepPile = 0;
    Opp.EmptyPileMark = 1;
    if (ScanPiles()) return;
    if (Eng.HandCount > 1) Comp_Dups();
    if (EmptyPile()) return;
    Opp.EmptyPileMark = 1;
    Comp_Analyze();
    if (!AnyTopAboveHand()) {
        TopsAtOrBelowHand();
        return;
    }
    if (DropRunStep()) return;
    if (Best() >= Side() && GapsAtOrBelowBest()) return;
    const int end = BoundedEnd();
    const int above = GapsAboveBest(end);
    if (above > 0) return;
    if (GapsBelowBest(end) || AnyGap(end) || EqualTops() || BelowSide()) return;
    LastResorts();
}
