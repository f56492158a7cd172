#pragma once
// The house rules as the rules window edits them: the choices before they are
// applied, the forced-card value the boxes name, and the change of the number of
// center piles, which waits for the next game while one is under way.

// The window's choices; only applying writes them to the shared rules.
struct RulesPending {
    int Forced = 0; // bit 1 Ace, bit 2 Two, bit 4 visible cards only
    int Side = 19;  // the side-pile size minus one
    bool NoWildAce = false;
    int Centers = 3;
    bool Separate = false;
};

struct HouseRulesState {
    // The rules differ from those the running game was dealt with; a new game clears it.
    bool RulesChanged = false;
    // A center count chosen while a game was under way, for the next game (0: none).
    int CentersAtNextGame = 0;
};
extern HouseRulesState Rul;
void HouseRules_Reset();

enum ForcedBit : int { kForcedAce = 1, kForcedTwo = 2, kForcedVisible = 4 };
// Stored forced-card values above this are damaged and read as no forced card.
constexpr int kForcedMax = 7;
constexpr int kSideDefault = 19;

// What the three boxes name: "visible cards only" counts only beside Ace or Two.
int Forced_FromBoxes(bool ace, bool two, bool visibleOnly);
// The side-pile size of option 0 to 3, and the option of a size (0 for an unknown one).
int SideSizeOfOption(int index);
int SideOptionOf(int sideSize);

// Cards are dealt and nobody has won: the center count may not change under them.
bool Game_UnderWay();
// The center count the next game will have.
int HouseRules_CentersChosen();
// The pending choices from the shared rules.
RulesPending HouseRules_Current();
// Whether applying p changes what a new game deals (side size, shuffle or center count).
bool HouseRules_DealChanges(const RulesPending& p);
// Writes p to the shared rules. A new center count applies at once when no game is
// under way and waits for the next new game otherwise, so no card in play is lost.
void HouseRules_Store(const RulesPending& p);
// A new game's first step, before the table is reset: the rules it deals with are
// the rules in force, and a center count kept for it is applied.
void HouseRules_NewGame();
