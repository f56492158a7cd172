#include "media/MediaWindows.h"
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Flow.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "media/frmCustom.h"
#include "media/frmMulti.h"
#include "media/frmOptions.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"

#include <algorithm>

namespace {

void ShowSeatTwo() {
    TableForm& f = frmGrulm();
    f.Avatar_Show(!Com.PlayerAvatar.isEmpty() && Com.NumPlayers >= 3 ? Com.PlayerAvatar
                                                                     : Eng.Seat2Rec.RecAvatar);
    const int level = Eng.Seat2Rec.RecLevel;
    if (level >= 0 && level <= 2) f.lblLevel.SetCaption(QString::fromLatin1(kLevelNames[level]));
}

} // namespace

void SetupOpponents() {
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    Sav.DialogCancelled = false;
    MultiForm& w = frmMulti();
    w.FillCombos();
    w.Show(true);
    if (!Sav.DialogCancelled) Prefs_WriteRecord(Prof.PlayerRecord, Prof.Prefs);
    ShowSeatTwo();
    if (Sav.DialogCancelled && !Rul.RulesChanged) {
        Hooks.Labels_PlayerNames();
        Sav.DialogCancelled = false;
        return;
    }
    Sav.DialogCancelled = false;
    Engine_SizeTables();
    TableForm& f = frmGrulm();
    f.Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    f.Table_Redraw();
    Hooks.Rules_ShowCaption();
    Rul.RulesChanged = false;
    MenuGame(kGameNew);
}

void MediaWindows_Install() {
    MenuWin.Comments = [] { frmCustom().Show(true); };
    MenuWin.Preferences = [] { frmOptions().Show(true); };
    MenuWin.Opponents = [] { SetupOpponents(); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        const bool ours = row == kOptComments || row == kOptPreferences || row == kOptOpponents;
        return (menu == kMenuOptions && ours) || present(menu, row);
    };
}
