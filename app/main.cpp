#include "platform/Services.h"
#include "table/frmGrulm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornhelm"));
    platform::InstallRealServices();
    auto* table = new FrmGrulm();
    table->Show();
    const int rc = QApplication::exec();
    delete table;
    return rc;
}
