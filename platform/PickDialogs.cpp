#include "platform/PickDialogs.h"
#include "platform/Controls.h"
#include "platform/Services.h"

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

// The chosen file, "" when cancelled. The dialog opens over the window that asked, also when
// that one is kept on top (the chat window).
QString AskFile(const FileAsk& ask, bool save) {
    QFileDialog dialog(nullptr, ask.title, StartPath(ask), Picks_QtFilter(ask.filter));
    Dialog_Attach(&dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

PickDialogsT Desktop() {
    PickDialogsT d;
    d.OpenFile = [](const FileAsk& ask) { return AskFile(ask, false); };
    d.SaveFile = [](const FileAsk& ask) { return AskFile(ask, true); };
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
