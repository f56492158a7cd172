#include "platform/OpenDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace platform {

std::function<QString(const QString&, const QString&, const QString&)> OpenFileScript;

namespace {
// "Pictures (*.jpg;*.gif)|*.jpg;*.gif" -> "Pictures (*.jpg *.gif)"
QString QtFilter(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString label = parts[i];
        const int open = label.indexOf(QLatin1Char('('));
        if (open >= 0) label = label.left(open).trimmed();
        out << label + " (" + patterns + ")";
    }
    return out.join(QStringLiteral(";;"));
}
} // namespace

QString OpenFileName(const QString& title, const QString& filter, const QString& folder) {
    if (OpenFileScript) return OpenFileScript(title, filter, folder);
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, QtFilter(filter), nullptr,
                                        QFileDialog::ReadOnly);
}

} // namespace platform
