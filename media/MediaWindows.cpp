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
#include "table/WindowPlaces.h"

#include <algorithm>

void MediaWindows_Install() {
    MenuWin.Comments = [] { ToolWindow_Open(frmCustom(), TableSpot::Centre, true); };
    MenuWin.Preferences = [] { ToolWindow_Open(frmOptions(), TableSpot::Centre, true); };
    // The seating asks the editor; its Cancel sets Sav.DialogCancelled.
    MedHooks.OpponentsEditor = [] {
        MultiForm& w = frmMulti();
        w.FillCombos();
        ToolWindow_Open(w, TableSpot::Centre, true);
    };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        const bool ours = row == kOptComments || row == kOptPreferences || row == kOptOpponents;
        return (menu == kMenuOptions && ours) || present(menu, row);
    };
}
