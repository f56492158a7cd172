#include "media/MediaInstall.h"
#include "media/MediaWindows.h"
#include "net/NetInstall.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"
#include "opponent/frmSpeed.h"
#include "platform/Services.h"
#include "shell/MenuCommands.h"
#include "shell/Startup.h"
#include "shell/frmWelcome.h"
#include "table/Layout.h"
#include "table/frmGrulm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornhelm"));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallRealServices();
    for (int i = 1; i < argc; ++i)
        Boot.Arguments << QString::fromLocal8Bit(argv[i]);

    auto* table = new FrmGrulm();
    Opponent_Install();
    // A new table size starts the computer's plans afresh.
    PlanTables_Redim = [](int) { Opponent_Reset(); };
    Startup_Install();
    Net_Install();
    Media_Install();
    // The pace window sits above the shell's menus.
    MenuWin.Pace = [] { frmSpeed().Show(); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuOptions && row == kOptSpeed) || present(menu, row);
    };
    MediaWindows_Install();
    Startup.Quit = [] { QCoreApplication::quit(); };
    Startup.LoginShow = [] { frmWelcome().Show(true); };
    table->Show();
    // A start-up that stopped (another copy runs, files missing) has already asked to quit.
    const int rc = Boot.Started ? QApplication::exec() : 1;
    // The window lives until the event loop has ended.
    delete table;
    return rc;
}
