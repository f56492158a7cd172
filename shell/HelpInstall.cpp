#include "shell/HelpInstall.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "platform/Connect.h"
#include "shell/Help.h"
#include "shell/MenuCommands.h"
#include "shell/ShellHooks.h"
#include "shell/frmAbout.h"
#include "shell/frmSplash.h"
#include "shell/frmTip.h"

void Help_Install() {
    Hooks.ShowHelp = [](const QString& kind, const QString& keyword) { ShowHelp(kind, keyword); };
    Startup.ShowHelpClose = [] { ShowHelp(QStringLiteral("Close"), QString()); };
    Startup.SplashShow = [] {
        frmSplash().Show();
        frmSplash().DrawPictures();
    };
    Startup.SplashUnload = [] { frmSplash().Unload(); };
    // The start-up runs inside the table's first showing, which raises the table after it:
    // the tip comes once that is done, so it stands above the table.
    Startup.TipShow = [] {
        platform::Later(0, "timer", [] {
            if (!Com.GameAbort) frmTip().Show();
        });
    };
    MenuWin.Help = [] { ShowHelp(QStringLiteral("Contents"), QStringLiteral("Contents")); };
    MenuWin.Tips = [] { frmTip().Show(); };
    MenuWin.About = [] { frmAbout().Show(true); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuHelp && (row == kHelpContents || row == kHelpTips || row == kHelpAbout)) ||
               present(menu, row);
    };
    Help_InstallF1();
}
