#include "opponent/Turn.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/Model.h"
#include "engine/Rules.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "opponent/Drop.h"
#include "opponent/OnlineSeat.h"
#include "opponent/OppState.h"
#include "opponent/Plays.h"
#include "opponent/Reading.h"
#include "opponent/Search.h"
#include "opponent/TurnLoop.h"
#include "opponent/Wild.h"
#include "opponent/WorkingSet.h"
#include "platform/Services.h"

namespace {

// A seat's passes are capped: each pass plays at least one card, a turn cannot need more.
constexpr int kMaxPasses = 200;
// Comments about the human's last turn.
enum : int { kRemarkHumanMissed = 21, kRemarkOwnSideWaits = 22 };

int HandCards() {
    int n = 0;
    for (int s = 2; s <= 6; ++s)
        if (Eng.SeatCards(1, s) != 0) ++n;
    return n;
}

// Remarks about the human's last turn: a side card left playable, or the seat's own side card
// waiting. False when the turn must stop after them.
bool RemarkOnLastTurn() {
    const int hs = HumanRank(1), side = SeatRank(1);
    for (int i = 1; i <= Com.NumCenters; ++i) {
        const int c = Eng.CenterCount(i);
        if (hs == c + 1 && Eng.SideMissed) {
            for (int s = 2; s <= 10; ++s) {
                if (SeatRank(s) != c + 1) continue;
                if (!Eng.CommentsOff) Say(kLblComment, Eng.SeatComments(kRemarkHumanMissed));
                Eng.SideMissed = PlayerMissedMove();
                if (Com.SoundMode == kSoundsAll) platform::Svc().sound->PlayAsync(Com.DataPath + kSoundJeer);
                return Turn_Pause(Eng.CommentsOff ? 0 : kPaceRemark).GoesOn();
            }
            continue;
        }
        if (side != c + 1) continue;
        bool shared = false;
        for (int k = 1; k <= Com.NumCenters; ++k)
            shared = shared || (k != i && Eng.CenterCount(k) == c);
        if (shared) continue;
        if (!Eng.CommentsOff) Say(kLblComment, Eng.SeatComments(kRemarkOwnSideWaits));
        if (!Turn_Pause(0)) return false;
        SeatSound(kSoundOwnSideWaits, true);
        return Turn_Pause(0).GoesOn();
    }
    return true;
}

// The pile the side King would block the human on, skipping piles a following seat needs.
int BlockPileScan() {
    const int hs = HumanRank(1);
    for (int i = 1; i <= Com.NumCenters; ++i) {
        if (hs == 1 && Com.NoWildAce) return 0;
        const int c = Eng.CenterCount(i);
        if (c + 1 != hs) continue;
        if (Com.NumPlayers >= 3 && Com.Pturn == 2 && c + 2 == SeatRecordOf(3).RecCards(1, 1)) continue;
        if (Com.NumPlayers == 4 && Com.Pturn == 3 && c + 2 == SeatRecordOf(4).RecCards(1, 1)) continue;
        return i;
    }
    return 0;
}

// The top level's plan with the side King is played first; the King follows it when the
// plan stopped at the King, else the side card is placed afresh.
void PlayWildPlan(int c) {
    const int stop = Comp_Play(c);
    const bool endsWithSide = stop <= Opp.PlanState(c, 1) && Opp.PlanList(c, stop) == 1;
    if (!endsWithSide || Opp.PlanState(c, 1) == 0) Opp.SidePlay = kSideFresh;
}

void WildSide() {
    const WildChoice w = Move_Wild();
    Opp.SidePile = w.pile;
    if (w.plan) PlayWildPlan(w.pile);
}

void DecideSideKing() {
    Opp.SideIsWild = true;
    const int block = BlockPileScan();
    Opp.TurnFlags[kBlockPile] = block;
    Opp.SidePile = block;
    if (!Com.NoWildAce) {
        WildSide();
        return;
    }
    if (block != 0 && Eng.CenterCount(block) != 0) Opp.SidePlay = kSideBlock;
    if (Opp.SidePlay != kSideBlock || Eng.Level == 2) {
        bool allEmpty = true;
        for (int k = 1; k <= Com.NumCenters; ++k)
            allEmpty = allEmpty && Eng.CenterCount(k) == 0;
        if (allEmpty)
            Opp.SidePlay = kSideNone;
        else
            WildSide();
    }
    if (Opp.SidePlay == kSideBlock && Eng.Level < 2) Opp.SidePlay = kSidePlay;
}

void DecideSide() {
    Opp.PlanFound = 0;
    Ck_Player();
    Opp.SideBestPile = CenterBestToPlay(SeatRank(1), true, Opp.HumanBestPile);
    Opp.SidePlay = kSidePlay;
    Opp.SideIsWild = false;
    Opp.TurnFlags[kReplan] = 0;
    const int side = SeatRank(1);
    if (side == kRankKing) {
        DecideSideKing();
    } else {
        Opp.SidePile = 0;
        for (int i = Com.NumCenters; i >= 1; --i)
            if (side != 0 && Eng.CenterCount(i) + 1 == side) Opp.SidePile = i;
        if (Opp.SidePile == 0) Opp.SidePlay = kSideNone;
    }
    if (Opp.TurnFlags[kReplan] != 0) Opp.SidePlay = kSideReplan;
}

enum class SideResult { Played, NotPlayed, GameOver };

bool TurnGoesOn() {
    return Turn_StillOn() && Eng.StaleMode != 1;
}

SideResult PlaySide() {
    const int side = SeatRank(1);
    Eng.PlayCard(0) = Eng.SeatCards(0, 1);
    Eng.PlayCard(1) = side;
    Opp.SideBestPile = CenterBestToPlay(side, true, Opp.HumanBestPile);
    int c = Opp.SidePile != 0 ? Opp.SidePile : Opp.SideBestPile;
    if (side == kRankKing && Opp.SidePlay == kSideFresh) {
        Ck_Player();
        Opp.SideBestPile = CenterBestToPlay(side, true, Opp.HumanBestPile);
        c = Opp.SideBestPile;
        Opp.SidePlay = kSidePlay;
    }
    if (c < 1 || c > Com.NumCenters) c = Opp.SideBestPile;
    if (side == kRankKing && Com.NoWildAce && Eng.CenterCount(c) == 0) {
        c = Opp.SideBestPile;
        if (Eng.CenterCount(c) == 0) return SideResult::NotPlayed;
    }
    // A side card that does not fit stays where it is.
    if (side != kRankKing && Eng.CenterCount(c) + 1 != side) return SideResult::NotPlayed;
    // Taken before the play is sent: a farewell right after its last answer ends the link
    // and clears the turn, and the win is still seat 1's.
    const bool seat1 = OnlineSeat_Active();
    --Eng.SeatSideCount;
    if (Eng.SeatSideCount > 0) {
        ++Eng.SeatSideStack;
        if (Eng.SeatSideCount == 1 && HasTableForm() && frmGrulm().Stack.Exists(Eng.SeatSideStack))
            frmGrulm().Stack(Eng.SeatSideStack).SetVisible(false);
    }
    const int n = Eng.SeatSideCount;
    Eng.SeatCards(0, 1) = n > 0 ? Eng.SeatSide(0, n) : 0;
    Eng.SeatCards(1, 1) = n > 0 ? Eng.SeatSide(1, n) : 0;
    Eng.SeatSide(0, n + 1) = 0;
    Eng.SeatSide(1, n + 1) = 0;
    const int moved = Opp.CardsMoved;
    const bool on = Comp_Flip(1, c) && Turn_Pause(Com.ComputerPause);
    // Seat 1's last card at an Internet table wins though the loser's farewell right after its
    // answer has cleared the table.
    const bool won = Opp.CardsMoved != moved && Eng.SeatSideCount == 0 && (on || (seat1 && !Com.GameAbort));
    if (!on && !won) return SideResult::GameOver;
    if (Eng.CenterCount(c) == kPileFull && !Add_Used(Turn_Ticket()) && !won) return SideResult::GameOver;
    if (won) {
        if (seat1) Com.Pturn = 1;
        WorkingSet_Store();
        // Seat 1's win at an Internet table ends the game as a player's win does: the
        // working set holds the seat that played before it.
        if (seat1) SeatRecord_Copy(SeatRecordOf(Com.NumPlayers), false);
        Game_End();
        return SideResult::GameOver;
    }
    return SideResult::Played;
}

// A single forced play of an Ace or a Two onto center c, as a fresh plan of its own.
void ForcedSingle(int c) {
    Opp.PlanCenter = c;
    Plan_Start(c);
    if (Opp.PlanStep >= 7) --Opp.SimDepth(Opp.PlanStep - 6);
    Move_Plan();
    Comp_Play(c);
}

// Plays the plan the search accepted on center c (0: none); true when a card moved.
bool PlayFound(int c) {
    const int before = Opp.CardsMoved;
    if (c != 0) Comp_Play(c);
    return Opp.PlanFound != 0 && Opp.CardsMoved != before;
}

bool SearchAndPlay() {
    Opp.SideBestPile = CenterBestToPlay(SeatRank(1), true, Opp.HumanBestPile);
    Opp.KingSlot = 2;
    Opp.SearchFlag = 0;
    Opp.MatchSlot = Opp.SideBestPile;
    const bool moved = PlayFound(Move_Comp(Opp.SideBestPile));
    Opp.DropPlan = 0;
    return moved;
}

bool BeforeDropAndPlay() {
    const int before = Opp.CardsMoved;
    Comp_BeforeDrop();
    // Its plays paused: the forced play below belongs to the same game.
    if (!TurnGoesOn()) return Opp.CardsMoved != before;
    if ((Opp.PlanFound == 1 && Opp.DropPlan == kDropAce) || Opp.DropPlan == kDropTwo) {
        ForcedSingle(Opp.PlanCenter);
    } else if (Opp.SkipSecondSearch == 0) {
        Opp.SearchFlag = 0;
        Opp.KingSlot = 2;
        if (const int c = Move_Comp(Opp.HumanBestPile); c != 0) Comp_Play(c);
        Opp.TurnFlags[kBlockSearches] = Opp.TurnFlags[kBlockCenter] = 0;
        Opp.DropPlan = 0;
    }
    return Opp.PlanFound != 0 && Opp.CardsMoved != before;
}

// The forced-card rules may still turn the chosen discard into a play; true to pass again.
bool ForcedInsteadOfDrop() {
    const int slot = Opp.DiscardSlot;
    const int r = slot >= 2 && slot <= 6 ? SeatRank(slot) : 0;
    const int need = r == 2 && (Com.ForcedCards == 6 || Com.ForcedCards == 7)   ? 1
                     : r == 1 && (Com.ForcedCards == 5 || Com.ForcedCards == 7) ? 0
                                                                                : -1;
    if (need < 0) return false;
    if (r == 1 && SeatRank(2) != 1 && Eng.Level == 2 && slot != 2) {
        Opp.DiscardSlot = 2;
        return false;
    }
    int k = 0;
    for (int i = Com.NumCenters; i >= 1; --i)
        if (Eng.CenterCount(i) == need) k = i;
    if (k == 0) return false;
    const int before = Opp.CardsMoved;
    Opp.PlanFound = 1;
    Opp.DropPlan = r == 1 ? kDropAce : kDropTwo;
    Opp.PlanStep = slot;
    ForcedSingle(k);
    return Opp.PlanFound != 0 && Opp.CardsMoved != before;
}

enum class Pass { Again, Discard, Over };

Pass OnePass() {
    DecideSide();
    if (Opp.SidePlay == kSideReplan) return Pass::Again;
    if (Opp.SidePlay != kSideNone) {
        const SideResult r = PlaySide();
        if (r == SideResult::GameOver) return Pass::Over;
        if (r == SideResult::Played) return Pass::Again;
    }
    if (Eng.SeatSideCount == 0) return Pass::Discard;
    // The plays pause as they go: a turn whose game left the table, or that ran into a
    // stalemate, decides nothing more.
    if (SearchAndPlay()) return Pass::Again;
    if (!TurnGoesOn()) return Pass::Over;
    if (BeforeDropAndPlay()) return Pass::Again;
    if (!TurnGoesOn()) return Pass::Over;
    Comp_Drop();
    return ForcedInsteadOfDrop() ? Pass::Again : Pass::Discard;
}

} // namespace

int Discard_Pile(int h) {
    if (HoldDepth(h) < kSeatHoldLimit) return h;
    for (Opp.HoldTries = 1; Opp.HoldTries < 5; ++Opp.HoldTries) {
        h = h % 4 + 1;
        if (HoldDepth(h) <= kSeatHoldLimit - 2) return h;
    }
    for (int p = 1; p <= 4; ++p)
        if (HoldDepth(p) < kSeatHoldLimit) return p;
    return 0;
}

namespace {

// Puts the chosen hand card on its hold pile; false when no pile has room.
bool Discard() {
    int h = Opp.PileIndex;
    if (h < 1 || h > 4) h = 1;
    int s = Opp.DiscardSlot;
    if (s < 2 || s > 6) s = Opp.FirstHandSlot;
    for (int k = 2; k <= 6 && SeatRank(s) == 0; ++k)
        if (SeatRank(k) != 0) s = k;
    if (SeatRank(s) == 0) return false;
    h = Discard_Pile(h);
    if (h == 0) {
        // Every hold pile is full: the game cannot go on.
        if (Hooks.STALEMATE() && Eng.StaleMode == 0) Eng.StaleMode = 1;
        return false;
    }
    Opp.PileIndex = h;
    Eng.TargetPile = s;
    const int d = ++Eng.SeatHoldInfo(h, 1);
    Eng.SeatHold(0, h, d) = Eng.SeatCards(0, s);
    Eng.SeatHold(1, h, d) = Eng.SeatCards(1, s);
    HoldType_Update(h, true);
    return true;
}

// The hand refilled unless the turn resumes; false when the game left the table meanwhile.
bool BeginTurn() {
    // At an Internet table what the peers sent before this turn stays: the host's stock for
    // a reshuffle at its start may be here already.
    if (Com.NetGame == 0) Com.NetState = kNetNone;
    if (Eng.TurnResumedOpp == 0) return Deal_Players(SeatPlaces(), Eng.SeatCards, Turn_Ticket());
    Eng.HandCount = HandCards();
    return true;
}

} // namespace

bool Computer() {
    if (Com.Pturn == 1 && Opponent_Seat1Level() < 0) return false;
    if (!BeginTurn() || Eng.StaleMode == 1) return false;
    if (Eng.StaleMode == 2) Eng.StaleMode = 0;
    if (HandCards() == 0) {
        // Nothing to play or discard, and nobody resolved the empty stock.
        Eng.StaleMode = 1;
        return false;
    }
    Eng.HandCount = HandCards();
    if (Eng.TurnResumedHuman == 0 && !RemarkOnLastTurn()) return false;
    if (Com.Pturn == Com.NumPlayers) Eng.TurnResumedOpp = 0;
    if (!Turn_Pause(Com.ComputerPause)) return false;
    Opp.TurnFlags[kBlockSearches] = Opp.TurnFlags[kBlockCenter] = 0;
    Opp.HoldTries = 0;
    Opp.DropPlan = 0;
    Pass pass = Pass::Again;
    for (int n = 0; n < kMaxPasses && pass == Pass::Again; ++n) {
        if (!TurnGoesOn()) return false;
        if (Eng.StaleMode == 2) Eng.StaleMode = 0;
        pass = OnePass();
    }
    if (pass == Pass::Over || !TurnGoesOn()) return false;
    if (pass == Pass::Again) {
        if (!Comp_Reseq()) return false;
        Opp.FirstHandSlot = 2;
        Comp_Drop();
    }
    if (!Discard()) return false;
    Say(kLblComment, QStringLiteral("  "));
    Move_End_Turn();
    return true;
}
