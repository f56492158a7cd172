#pragma once
// The computer seat's turn variables: what the search, the plan, the hold-back,
// the wild side card and the discard choice share while one seat moves.
#include "common/BArray.h"
#include "engine/Seats.h"

#include <array>
#include <functional>

// The most plays a plan may hold on one center pile.
constexpr int kPlanMax = 15;
// The most cards a computer seat's hold pile takes, its top included.
constexpr int kSeatHoldLimit = 30;
// The driver's side-card states.
enum SidePlayState : int { kSideNone = 0, kSidePlay = 1, kSideBlock = 2, kSideReplan = 88, kSideFresh = 99 };
// The discard preparation's requests.
enum DropPlanKind : int { kDropAce = 1, kDropTwo = 2, kDropBlock = 12, kDropKing = 13 };
// Entries of TurnFlags.
enum TurnFlag : int { kBlockSearches = 0, kBlockCenter = 1, kBlockPile = 2, kReplan = 3 };

// What the turn's decisions leave for the turn loop to apply: they read the table model
// and write only here.
struct OpponentState {
    // Plans by center: (c, 0) the top the pile will show (12 wraps to 0), (c, 1) the plays;
    // PlanList (c, k) the source slot of play k, PlanRank (c, k) the rank it carries.
    BArray<int, 2> PlanState{4, 1};
    BArray<int, 2> PlanList{4, kPlanMax};
    BArray<int, 2> PlanRank{4, kPlanMax};
    // Hand slots a center's plan has used (bit per slot).
    BArray<int, 1> PlanHandUsed{4};

    int SidePlay = 0;
    int PlanFound = 0;
    int SideBestPile = 0;
    int HumanBestPile = 0;
    int KingSlot = 0;
    int SearchFlag = 0;
    int MatchSlot = 0;
    int SkipSecondSearch = 0;
    int DropPlan = 0;
    int PlanStep = 0;
    int PileIndex = 0;
    int FirstHandSlot = 2;
    int HoldTries = 0;
    std::array<int, 4> TurnFlags{};
    bool SideIsWild = false;
    int WildPending = 0;

    // What the reading of the human found.
    int HumanReach = 0;
    BArray<int, 1> HumanReachByPile{4};
    int EmptyCenter = 0;

    // The search's working values: the center being planned, and the hold depths as the
    // planned plays from hold piles leave them.
    int PlanCenter = 0;
    BArray<int, 1> SimDepth{4};
    int SimHandCount = 0;
    int HoldChoice = 0;
    int ReturnMark = 0;
    int ReturnCenter = 0;
    int NeededRank = 0;

    // The center the side card goes to this pass.
    int SidePile = 0;

    // The discard choice: the hand slot (PileIndex the hold pile), and its working values;
    // HoldLink(p) is the pile that takes a further card of the top rank p shares with another.
    int DiscardSlot = 0;
    BArray<int, 1> HoldLink{4};
    int DupSlot = 0;
    int DropPile = 0;
    int DropSlot = 0;
    int EmptyPileMark = 0;
    int MixedMatchPile = 0;
    int RunMatchPile = 0;
    int SideTopPile = 0;
    int StepPile = 0;

    // Cards played this pass (a pass that moves none goes on to the discard).
    int CardsMoved = 0;
    // Remarks and sounds are not repeated twice in a row; kept across turns.
    int LastRemark = 0;
    int LastSound = 0;
};

extern OpponentState Opp;
// Told after every card the computer moved (a play or the discard); watchers check the table then.
extern std::function<void()> Opponent_MoveDone;
// A fresh state: at every deal, restore and change of layout.
void Opponent_Reset();

// Readers of the working set of the seat now moving.
int SeatRank(int slot);
int HoldDepth(int pile);
int HoldTop(int pile);  // rank of the pile's top, 0 when empty
int HoldType(int pile); // a HoldTypeCode
// A center's plan: the top the pile will show, and the number of plays.
int& PlanTop(int c);
int& PlanCount(int c);
// Rank of a card of the human's visible cards.
int HumanRank(int slot);
