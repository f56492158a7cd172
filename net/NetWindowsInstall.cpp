#include "net/NetWindowsInstall.h"
#include "engine/Flow.h"
#include "net/NetHooks.h"
#include "net/NetScores.h"
#include "net/frmScoresNet.h"
#include "shell/MenuCommands.h"


void NetWindows_Install() {
    Netl.Scores_Net = [](const QString& winner) { Scores_Net(winner); };
    MenuWin.NetScores = [] { ScoresNet_Open(); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuInternet && row == kNetScores) || present(menu, row);
    };
}
