// Starts the program as main() does, deals a game and ends it, for looking at the
// end of a game, the statistics window and the card flow as a player would:
//   end_preview win|lose|stats|flow0|flow1|flow2
// The user's folders are the usual ones (set HOME to keep them apart).
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/GameEnd.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "platform/Services.h"
#include "shell/ScoreStat.h"
#include "shell/Startup.h"
#include "shell/frmScoreStat.h"
#include "shell/frmWelcome.h"
#include "table/CardFlow.h"
#include "table/frmGrulm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornhelm"));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallRealServices();
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("win");

    auto* table = new FrmGrulm();
    Startup_Install();
    Startup.Quit = [] { QCoreApplication::quit(); };
    Startup.LoginShow = [] { frmWelcome().Show(true); };
    table->Show();
    QTimer::singleShot(500, [what] {
        if (what == QLatin1String("stats")) {
            ScoreStat_Open(0);
            return;
        }
        if (what.startsWith(QLatin1String("flow"))) {
            AnimateCardsFlow(what.mid(4).toInt());
            return;
        }
        cmdDeal_Click();
        // The end as the last play leaves it: one side pile empty.
        if (what == QLatin1String("win")) {
            Eng.PlayerSideCount = 0;
            Com.Pturn = 1;
        } else {
            Com.Pturn = 2;
            SeatRecord_Copy(Eng.Seat2Rec, false);
            Eng.SeatSideCount = 0;
        }
        Game_End();
    });
    const int rc = Boot.Started ? QApplication::exec() : 1;
    delete table;
    return rc;
}
