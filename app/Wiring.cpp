#include "app/Wiring.h"
#include "app/NetLinks.h"
#include "media/MediaInstall.h"
#include "media/MediaWindows.h"
#include "media/Persons.h"
#include "net/InternetSetup.h"
#include "net/NetHooks.h"
#include "net/NetInstall.h"
#include "net/NetWindowsInstall.h"
#include "net/frmChat.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"
#include "opponent/frmSpeed.h"
#include "shell/HelpInstall.h"
#include "shell/MenuCommands.h"
#include "shell/Startup.h"
#include "shell/frmTutorial.h"
#include "shell/frmWelcome.h"
#include "table/Layout.h"
#include "table/WindowPlaces.h"

#include <QCoreApplication>

void Program_Install() {
    Opponent_Install();
    // A new table size starts the computer's plans afresh.
    PlanTables_Redim = [](int) { Opponent_Reset(); };
    Startup_Install();
    Net_Install();
    NetLinks_Install();
    Internet_Install();
    NetWindows_Install();
    Media_Install();
    Chat_Install();
    NetHooks.Comments_Load = [](const QString& name) { Comments_Load(name); };
    Help_Install();
    // After the opponent: the tutorial follows the end of the computer's turn.
    Tutorial_Install();
    // The pace window sits above the shell's menus.
    // A tool window the game goes on under: the pace is set while the computer plays.
    MenuWin.Pace = [] { ToolWindow_Open(frmSpeed(), TableSpot::Free, false); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuOptions && row == kOptSpeed) || present(menu, row);
    };
    MediaWindows_Install();
    Startup.Quit = [] { QCoreApplication::quit(); };
    Startup.LoginShow = [] { frmWelcome().Show(true); };
}
