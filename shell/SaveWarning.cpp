#include "shell/SaveWarning.h"
#include "platform/Services.h"
#include "shell/ShellState.h"

#include <QDir>

void SaveFailed_Warn(const QString& path, const QString& reason) {
    if (Shl.SaveWarned.contains(path)) return;
    Shl.SaveWarned << path;
    QString text =
        QStringLiteral("The game could not be saved in the file\n%1").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty()) text += "\n(" + reason + ")";
    text += QStringLiteral("\nThe game goes on, but what this file should keep will be lost.");
    platform::MsgBox(text, platform::vbExclamation, QStringLiteral("Game Not Saved"));
}
