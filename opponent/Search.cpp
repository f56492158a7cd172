#include "opponent/Search.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "opponent/HoldBack.h"
#include "opponent/OppState.h"

#include <algorithm>

namespace {

int Sd(int p) {
    return Opp.SimDepth(p);
}
int Stop(int p) {
    return Sd(p) > 0 ? Eng.SeatHold(1, p, Sd(p)) : 0;
}
int Under(int p) {
    return Sd(p) > 1 ? Eng.SeatHold(1, p, Sd(p) - 1) : 0;
}
bool RunStep(int p) {
    return Sd(p) > 1 && Under(p) == Stop(p) + 1;
}
int HumanSide() {
    return HumanRank(1);
}
// The pile would show the rank just below the human's side card's need: it blocks it.
bool BlocksHuman(int top) {
    return top == HumanSide() || (top == 0 && HumanSide() == kRankQueen);
}
bool OthersEmpty(int c) {
    for (int k = 1; k <= Com.NumCenters; ++k)
        if (k != c && Eng.CenterCount(k) != 0) return false;
    return true;
}
bool HandUsed(int c, int slot) {
    return (Opp.PlanHandUsed(c) >> slot & 1) != 0;
}
void MarkHand(int c, int slot, bool used) {
    if (slot < 2 || slot > 6) return;
    if (used)
        Opp.PlanHandUsed(c) |= 1 << slot;
    else
        Opp.PlanHandUsed(c) &= ~(1 << slot);
}
// The rank a play from a slot carries; a hold pile's simulated depth is already lowered.
int RankOfSource(int slot) {
    if (slot <= 6) return Eng.SeatCards(1, slot);
    const int p = slot - 6;
    return Eng.SeatHold(1, p, Sd(p) + 1);
}
bool Accept() {
    Opp.PlanFound = 1;
    return true;
}
void Append(int c, int slot, int rank) {
    const int n = ++PlanCount(c);
    Opp.PlanList(c, n) = slot;
    Opp.PlanRank(c, n) = rank;
    MarkHand(c, slot, true);
    if (++PlanTop(c) == kPileFull) PlanTop(c) = 0;
}

enum class Ext { Ended, Accepted, Returned };

int FirstHandFit(int c) {
    for (int s = 2; s <= 6; ++s) {
        const int r = Eng.SeatCards(1, s);
        if (r != 0 && r != kRankKing && r == PlanTop(c) + 1 && !HandUsed(c, s)) return s;
    }
    return 0;
}

// The last play takes the top of hold pile p in place of the hand card of the same rank.
void SwapToHold(int c, int p) {
    const int n = PlanCount(c);
    MarkHand(c, Opp.PlanList(c, n), false);
    Opp.PlanList(c, n) = 6 + p;
    --Opp.SimDepth(p);
    ++Opp.SimHandCount;
}

// Which hold pile gives the planned hand card's rank instead: 0 keeps the hand card;
// a negative pile is a play that leads straight to the side card.
int TwinChoice(int c, int rank) {
    const int sbp = Opp.SideBestPile;
    const int sbCount = Eng.CenterCount(sbp);
    const int side = SeatRank(1);
    int choice = 0;
    for (int p = 1; p <= 4; ++p) {
        if (Sd(p) == 0 || Stop(p) != rank) continue;
        Opp.HoldChoice = 0;
        Opp.PlanStep = p;
        Move_Comp_Hold();
        if (Opp.PileIndex < 5) return Opp.HoldChoice;
        if (Sd(p) <= 1) continue;
        if (Under(p) == Stop(p)) return choice;
        if (RunStep(p)) return p;
        if (c != sbp && sbCount < Under(p) && Under(p) < side) {
            if (Under(p) == sbCount + 1 && Under(p) + 1 == side) return -p;
            choice = p;
        } else if (Opp.SimHandCount != 0) {
            choice = p;
            Opp.ReturnMark = PlanCount(c);
        }
    }
    return choice;
}

Ext HandPlay(int c, int s) {
    --Opp.SimHandCount;
    Opp.PlanStep = s;
    Move_Plan();
    const int choice = TwinChoice(c, Eng.SeatCards(1, s));
    if (choice < 0) {
        SwapToHold(c, -choice);
        return Accept() ? Ext::Accepted : Ext::Ended;
    }
    if (choice > 0) {
        SwapToHold(c, choice);
        if (Opp.NeededRank != 0 && Stop(choice) == Opp.NeededRank) {
            Opp.ReturnCenter = c;
            Opp.ReturnMark = 14;
            Opp.SearchFlag = 2;
            Opp.PlanFound = 0;
            return Ext::Returned;
        }
    }
    return Opp.PlanFound == 1 ? Ext::Accepted : Ext::Ended;
}

// The hold pile whose simulated top fits next, 0 when none.
int HoldFit(int c) {
    const int sbCount = Eng.CenterCount(Opp.SideBestPile);
    const int side = SeatRank(1);
    int candidate = 0;
    for (int p = 1; p <= 4; ++p) {
        if (Sd(p) == 0 || Stop(p) != PlanTop(c) + 1) continue;
        Opp.HoldChoice = 0;
        Opp.PlanStep = p;
        Move_Comp_Hold();
        if (Opp.PileIndex < 5) return Opp.HoldChoice != 0 ? Opp.HoldChoice : p;
        candidate = p;
        if (HoldType(p) != kHoldOneRank) {
            if (RunStep(p) || (sbCount < Under(p) && Under(p) < side)) break;
            Opp.ReturnMark = PlanCount(c) + 1;
        }
    }
    return candidate;
}

// The side King planned as the Ace of a pile the plan completes, to block the human.
bool SideKingNext(int c) {
    const int n = PlanCount(c);
    if (!Opp.SideIsWild || c != Opp.HumanBestPile || n == 0 || n >= kPlanMax) return false;
    if (Opp.PlanList(c, n) < 2 || PlanTop(c) != 0 || Com.NoWildAce) return false;
    for (int k = 1; k <= n; ++k)
        if (Opp.PlanList(c, k) == 1) return false;
    Append(c, 1, kRankKing);
    return true;
}

Ext Extend(int c) {
    for (int guard = 0; guard < 4 * kPlanMax; ++guard) {
        if (PlanCount(c) >= kPlanMax) return Ext::Ended;
        if (const int s = FirstHandFit(c); s != 0) {
            const Ext r = HandPlay(c, s);
            if (r != Ext::Ended) return r;
            continue;
        }
        const int p = HoldFit(c);
        if (p == 0) {
            if (!SideKingNext(c)) return Ext::Ended;
            if (PlanTop(c) == HumanSide()) return Accept() ? Ext::Accepted : Ext::Ended;
            continue;
        }
        --Opp.SimDepth(p);
        Opp.PlanStep = 6 + p;
        Move_Plan();
        if (Opp.PlanFound == 1) return Ext::Accepted;
    }
    return Ext::Ended;
}

// A King onto the plan (first stage only): a hold top first, then the hand from KingSlot on.
bool PlanKing(int c) {
    if ((Com.NoWildAce && PlanTop(c) == 0) || PlanCount(c) >= kPlanMax) return false;
    for (int p = 1; p <= 4; ++p) {
        if (Sd(p) > 0 && Stop(p) == kRankKing) {
            --Opp.SimDepth(p);
            Opp.PlanStep = 6 + p;
            Move_Plan();
            return true;
        }
    }
    for (int s = std::max(Opp.KingSlot, 1); s <= 6; ++s) {
        if (Eng.SeatCards(1, s) != kRankKing || HandUsed(c, s)) continue;
        // A hand King stays counted among the cards left: planning it does not empty the hand.
        Opp.KingSlot = s + 1;
        Opp.PlanStep = s;
        Move_Plan();
        return PlanCount(c) > 0 && Opp.PlanList(c, PlanCount(c)) == s;
    }
    return false;
}

// Whether the plan on c may be played as it stands, or after cutting plays off its end.
bool Judge(int c) {
    const int hs = HumanSide();
    for (int guard = 0; guard <= kPlanMax + 1; ++guard) {
        if (PlanCount(c) == 0) return false;
        int last = Plan_LastRank(c), top = PlanTop(c);
        if (last == 1 && Opp.DropPlan == kDropAce) return Accept();
        if (last == hs) return Accept();
        if (Eng.Level >= 1 && top == hs) return Accept();
        for (int k = 1; k <= Com.NumCenters; ++k)
            if (k != c && Eng.CenterCount(k) == top) return Accept();
        Move_WaitOpps();
        if (PlanCount(c) == 0) return false;
        if (Opp.PlanFound == 1) return true;
        last = Plan_LastRank(c);
        top = PlanTop(c);
        const int reach = Opp.HumanReach;
        if (reach < hs && top < reach - 1) return Accept();
        for (int k = 1; k <= Com.NumCenters; ++k) {
            const int cc = Eng.CenterCount(k);
            if (k == c || top > cc || cc >= hs) continue;
            if (Opp.HumanReachByPile(c) == 0) return Accept();
            if (reach > hs && cc < Eng.CenterCount(c)) return Accept();
        }
        if (reach > hs) {
            if (last <= reach - 1 && last > hs) return Accept();
        } else if (reach >= 2) {
            if (top < reach - 1 || top > hs) return Accept();
        } else if (last > hs && (Opp.EmptyCenter != 0 || last != kRankQueen)) {
            return Accept();
        }
        if (PlanCount(c) == 1)
            for (int slot = 7; slot <= 10; ++slot)
                if (HumanRank(slot) != 0 && HumanRank(slot) == last) return Accept();
        bool done = false;
        Move_ReduceSet(done);
    }
    return false;
}

void StartCenter(int c) {
    Plan_Start(c);
    Opp.PlanFound = 0;
    Opp.SimHandCount = Eng.HandCount;
    Opp.ReturnMark = 0;
    Opp.ReturnCenter = 0;
    Opp.PlanCenter = c;
}

// Extends and judges the plan on c; true when it is to be played.
bool SearchCenter(int c) {
    for (int round = 0; round < 4 * kPlanMax; ++round) {
        const Ext r = Extend(c);
        if (r == Ext::Accepted) return true;
        if (r == Ext::Returned) {
            Opp.SearchFlag = 1;
            Opp.NeededRank = 0;
            continue;
        }
        if (Opp.DropPlan == kDropKing && c == Opp.SideBestPile && PlanCount(c) < kPlanMax) {
            Append(c, Opp.FirstHandSlot, Eng.SeatCards(1, Opp.FirstHandSlot));
            return Accept();
        }
        if (Opp.SearchFlag == 1) return Judge(c);
        if (!PlanKing(c)) {
            Opp.SearchFlag = 1;
            Opp.NeededRank = PlanTop(c) + 1;
            return false;
        }
        if (Opp.PlanFound == 1) return true;
    }
    return false;
}

} // namespace

int Plan_LastRank(int c) {
    const int n = PlanCount(c);
    return n > 0 ? Opp.PlanRank(c, n) : 0;
}

void Plan_Start(int c) {
    PlanCount(c) = 0;
    PlanTop(c) = Eng.CenterCount(c);
    Opp.PlanHandUsed(c) = 0;
    for (int p = 1; p <= 4; ++p)
        Opp.SimDepth(p) = HoldDepth(p);
}

void Move_Plan() {
    const int c = Opp.PlanCenter, s = Opp.PlanStep;
    if (Opp.SideIsWild && PlanTop(c) == 0 && Com.NoWildAce && s == 1) return;
    if (PlanCount(c) >= kPlanMax) return; // nothing more fits
    const int rank = RankOfSource(s);
    Append(c, s, rank);
    const int n = PlanCount(c);
    if (Opp.SideIsWild) {
        if (rank != kRankKing || s == 1) {
            if (rank == kRankQueen && Com.NoWildAce && OthersEmpty(c)) {
                MarkHand(c, s, false);
                Opp.PlanList(c, n) = 1;
                Opp.PlanRank(c, n) = kRankKing;
                Opp.PlanFound = 1;
                return;
            }
        } else if (c == Opp.HumanBestPile) {
            MarkHand(c, s, false);
            Opp.PlanList(c, n) = 1;
            Opp.TurnFlags[kBlockCenter] = c;
            Opp.PlanFound = 1;
            return;
        }
    } else if (PlanTop(c) + 1 == SeatRank(1)) {
        if (Opp.ReturnMark == 14) Opp.PlanCenter = Opp.ReturnCenter;
        Opp.PlanFound = 1;
        return;
    }
    if (Opp.SimHandCount == 0) {
        if (Opp.ReturnMark == 14) Opp.PlanCenter = Opp.ReturnCenter;
        Opp.PlanFound = 1;
    }
    const bool blocks = BlocksHuman(PlanTop(c));
    if (Opp.TurnFlags[kBlockCenter] != 0 && blocks) {
        Opp.PlanFound = 1;
        Opp.TurnFlags[kBlockCenter] = 0;
        Opp.TurnFlags[kBlockSearches] = 0;
        return;
    }
    if (Opp.SideIsWild && blocks) {
        Opp.PlanFound = 1;
        if (s == 1 && Opp.KingSlot != 2) Opp.TurnFlags[kBlockCenter] = c;
        return;
    }
    if (Opp.DropPlan == kDropBlock && c == Opp.HumanBestPile && blocks) {
        Opp.PlanFound = 1;
        return;
    }
    if (Com.NumPlayers >= 3 && Com.Pturn != Com.NumPlayers && rank != kRankKing) Move_BlockOppsCk(rank);
}

void Move_ReduceSet(bool& done) {
    const int c = Opp.PlanCenter;
    const int n = PlanCount(c);
    done = false;
    if (n > 0) {
        if (Opp.ReturnMark == n) Opp.ReturnMark = 0;
        MarkHand(c, Opp.PlanList(c, n), false);
        --PlanCount(c);
        PlanTop(c) = PlanTop(c) == 0 ? 11 : PlanTop(c) - 1;
    }
    if (PlanCount(c) == 0) {
        Opp.PlanFound = 0;
        done = true;
    }
}

void Move_Comp_Hold() {
    const int a = Opp.PlanStep;
    Opp.PileIndex = 5;
    for (int b = 1; b <= 4; ++b) {
        if (b == a || Sd(b) == 0 || Stop(b) != Stop(a) || Stop(a) == kRankKing) continue;
        int choice = 0;
        if (Eng.Level >= 1) {
            if (HoldType(a) == kHoldOneRank)
                choice = HoldType(b) == kHoldOneRank && (Sd(a) == 1 || Sd(b) > Sd(a)) ? a : b;
            else if ((!RunStep(a) && RunStep(b)) || (RunStep(a) && RunStep(b) && Sd(b) > Sd(a)))
                choice = b;
        } else if (HoldType(b) == kHoldRunStep) {
            if (HoldType(a) != kHoldRunStep || HoldDepth(b) > HoldDepth(a)) choice = b;
        } else if (Sd(a) == 1 && HoldType(b) == kHoldMixed && Sd(b) > Sd(a)) {
            choice = b;
        }
        if (choice != 0) {
            Opp.HoldChoice = choice;
            Opp.PileIndex = b;
            return;
        }
    }
}

int Move_Comp(int from) {
    const int n = Com.NumCenters;
    int order[kPlanMax];
    int len = 0;
    int c = from >= 1 && from <= n ? from : 1;
    const int first = c;
    for (int step = 0;; ++step) {
        StartCenter(c);
        if (SearchCenter(c)) {
            Opp.PlanCenter = c;
            Opp.PlanFound = 1;
            return c;
        }
        if (step == 0) {
            // The second stage: the blocking center once, then every center in order.
            const int block = Opp.TurnFlags[kBlockCenter];
            if (block >= 1 && block <= n && block != first && Opp.TurnFlags[kBlockSearches] == 0) {
                ++Opp.TurnFlags[kBlockSearches];
                order[len++] = block;
            }
            for (int k = 1; k <= n; ++k)
                order[len++] = k;
            Opp.SearchFlag = 1;
        }
        if (step >= len) break;
        c = order[step];
    }
    Opp.PlanFound = 0;
    Opp.PlanCenter = n;
    return 0;
}
