#include "app/Wiring.h"
#include "platform/EndSignals.h"
#include "platform/Services.h"
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
    table->Show();
    // A logout or Ctrl+C closes the table as its close box does: settings kept, files removed.
    if (Boot.Started) platform::EndSignals_Install([table] { table->Window()->close(); });
    // A start-up that stopped (another copy runs, files missing) has already asked to quit.
    const int rc = Boot.Started ? QApplication::exec() : 1;
    // The window lives until the event loop has ended.
    delete table;
    platform::ReleaseServices();
    return rc;
}
