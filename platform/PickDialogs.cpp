#include "platform/PickDialogs.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

namespace platform {

namespace {

QWidget* Parent() {
    return QApplication::activeWindow();
}

QString StartPath(const FileAsk& ask) {
    return ask.name.isEmpty() ? ask.folder : QDir(ask.folder).filePath(ask.name);
}

PickDialogsT Desktop() {
    PickDialogsT d;
    d.OpenFile = [](const FileAsk& ask) {
        return QFileDialog::getOpenFileName(Parent(), ask.title, StartPath(ask), Picks_QtFilter(ask.filter));
    };
    d.SaveFile = [](const FileAsk& ask) {
        return QFileDialog::getSaveFileName(Parent(), ask.title, StartPath(ask), Picks_QtFilter(ask.filter));
    };
    d.PickColour = [](quint32 initial, quint32* chosen) {
        const QColor c = QColorDialog::getColor(FromBGR(initial), Parent());
        if (!c.isValid()) return false;
        *chosen = ToBGR(c);
        return true;
    };
    return d;
}

} // namespace

PickDialogsT& Picks() {
    static PickDialogsT picks = Desktop();
    return picks;
}

void Picks_Reset() {
    Picks() = Desktop();
}

QString Picks_QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) return filter;
    QStringList out;
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

} // namespace platform
