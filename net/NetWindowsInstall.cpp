#include "net/NetWindowsInstall.h"
#include "engine/Flow.h"
#include "net/NetHooks.h"
#include "net/NetScores.h"
#include "net/frmScoresNet.h"
#include "shell/MenuCommands.h"

#include <QFileDialog>

namespace {
// "Name (*.a;*.b)|*.a;*.b" becomes Qt's "Name (*.a *.b)".
QString QtFilter(const QString& filter) {
    QString f = filter.section(QLatin1Char('|'), 0, 0);
    return f.replace(QLatin1Char(';'), QLatin1Char(' '));
}
} // namespace

void NetWindows_Install() {
    Netl.Scores_Net = [](const QString& winner) { Scores_Net(winner); };
    MenuWin.NetScores = [] { ScoresNet_Open(); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuInternet && row == kNetScores) || present(menu, row);
    };
    NetHooks.SaveFileName = [](const QString& title, const QString& folder, const QString& proposed,
                               const QString& filter) {
        return QFileDialog::getSaveFileName(nullptr, title, folder + QLatin1Char('/') + proposed,
                                            QtFilter(filter));
    };
}
