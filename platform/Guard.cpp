#include "platform/Guard.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

namespace platform {

namespace {
int g_faults = 0;

void ShowFault(const QString& text) {
    MsgBox(text, vbExclamation, QStringLiteral("Grulm and Torvek"));
}
} // namespace

void ReportFault(const char* where, const QString& what, bool deferred) {
    qWarning("fault in %s: %s", where, qUtf8Printable(what));
    if (++g_faults > 1) return;
    const QString text =
        QStringLiteral("Something went wrong (") + QLatin1String(where) + QStringLiteral("):\r\n") + what +
        QStringLiteral("\r\n\r\nThe game goes on. If the table looks wrong, start a new game.");
    if (deferred && QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [text] { ShowFault(text); });
    else
        ShowFault(text);
}

int FaultCount() {
    return g_faults;
}

void Guard_Reset() {
    g_faults = 0;
}

} // namespace platform
