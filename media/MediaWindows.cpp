#include "media/MediaWindows.h"
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Flow.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "media/MediaState.h"
#include "media/frmCustom.h"
#include "media/frmMulti.h"
#include "media/frmOptions.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"

#include <algorithm>

void MediaWindows_Install() {
    MenuWin.Comments = [] { frmCustom().Show(true); };
    MenuWin.Preferences = [] { frmOptions().Show(true); };
    // The seating asks the editor; its Cancel sets Sav.DialogCancelled.
    MedHooks.OpponentsEditor = [] {
        MultiForm& w = frmMulti();
        w.FillCombos();
        w.Show(true);
    };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        const bool ours = row == kOptComments || row == kOptPreferences || row == kOptOpponents;
        return (menu == kMenuOptions && ours) || present(menu, row);
    };
}
