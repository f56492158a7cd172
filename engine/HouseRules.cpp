#include "engine/HouseRules.h"
#include "engine/RuleMessages.h"

#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/TableForm.h"

#include <array>

HouseRulesState Rul;

void HouseRules_Reset() {
    Rul = HouseRulesState{};
}

namespace {
constexpr std::array<int, 4> kSideSizes = {19, 25, 14, 9};

// Re-lays the table for a new center count; only two players can have three piles.
void ChangeCentersNow(int centers) {
    const int old = Com.NumCenters;
    Com.NumCenters = centers;
    Com.PrevPlayers = 2;
    Com.PrevCenters = old;
    if (!HasTableForm()) return;
    TableForm& f = frmGrulm();
    f.Layout_SetGameSize(2, old);
    f.Table_Redraw();
    Hooks.Labels_PlayerNames();
    Hooks.Rules_ShowCaption();
}
} // namespace

int Forced_FromBoxes(bool ace, bool two, bool visibleOnly) {
    if (!ace && !two) return 0;
    return (ace ? kForcedAce : 0) + (two ? kForcedTwo : 0) + (visibleOnly ? kForcedVisible : 0);
}

int SideSizeOfOption(int index) {
    return index >= 0 && index < static_cast<int>(kSideSizes.size()) ? kSideSizes[static_cast<size_t>(index)]
                                                                     : kSideDefault;
}

int SideOptionOf(int sideSize) {
    for (size_t i = 0; i < kSideSizes.size(); ++i)
        if (kSideSizes[i] == sideSize) return static_cast<int>(i);
    return 0;
}

bool Game_UnderWay() {
    return Com.Pturn != 0 && Eng.PlayerSideCount > 0;
}

int HouseRules_CentersChosen() {
    return Rul.CentersAtNextGame != 0 ? Rul.CentersAtNextGame : Com.NumCenters;
}

RulesPending HouseRules_Current() {
    RulesPending p;
    p.Forced = Com.ForcedCards;
    p.Side = Com.SideSize;
    p.NoWildAce = Com.NoWildAce;
    p.Centers = HouseRules_CentersChosen();
    p.Separate = Com.DecksSeparate;
    return p;
}

bool HouseRules_DealChanges(const RulesPending& p) {
    return Com.SideSize != p.Side || Com.DecksSeparate != p.Separate ||
           HouseRules_CentersChosen() != p.Centers;
}

void HouseRules_Store(const RulesPending& p) {
    Com.SideSize = p.Side;
    Com.ForcedCards = p.Forced;
    Com.DecksSeparate = p.Separate;
    Com.NoWildAce = p.NoWildAce;
    Rules_WildText();
    if (p.Centers == HouseRules_CentersChosen()) return;
    if (p.Centers == Com.NumCenters) {
        // Back to the count in play: nothing waits any more.
        Rul.CentersAtNextGame = 0;
    } else if (Game_UnderWay()) {
        Rul.CentersAtNextGame = p.Centers;
    } else {
        Rul.CentersAtNextGame = 0;
        ChangeCentersNow(p.Centers);
    }
}

void HouseRules_NewGame() {
    Rul.RulesChanged = false;
    const int centers = Rul.CentersAtNextGame;
    Rul.CentersAtNextGame = 0;
    // More than two players always need four piles, whatever was chosen before they sat down.
    if (centers == 0 || centers == Com.NumCenters || Com.NumPlayers > 2) return;
    ChangeCentersNow(centers);
}
