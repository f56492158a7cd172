#include "app/Wiring.h"
#include "platform/EndSignals.h"
#include "platform/Services.h"
#include "shell/ProgramEnd.h"
#include "shell/Startup.h"
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
    Program_Install();
    // A logout or Ctrl+C ends the program as the table's close box does: settings kept, files
    // removed; during the start-up (the login waiting for a name) as well.
    platform::EndSignals_Install([] { Program_EndAsked(); });
    table->Show();
    // A start-up that stopped (another copy runs, files missing) has already asked to quit; one
    // asked to end quits from the event loop.
    const int rc = Boot.Started || Boot.EndAsked ? QApplication::exec() : 1;
    // The window lives until the event loop has ended.
    delete table;
    platform::ReleaseServices();
    return rc;
}
