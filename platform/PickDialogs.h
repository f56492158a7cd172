#pragma once
// The desktop's file and colour dialogs, as the game's windows ask for them. Each is a
// replaceable function so tests answer them without a modal window.
#include <QString>
#include <functional>

namespace platform {

struct FileAsk {
    QString title;
    QString folder; // where the dialog opens
    QString name;   // the file name it offers
    QString filter; // "Comment Files (*.cmt)|*.cmt"
};

struct PickDialogsT {
    // The chosen file's full path; "" when cancelled.
    std::function<QString(const FileAsk&)> OpenFile;
    // The chosen path; the dialog has asked before overwriting. "" when cancelled.
    std::function<QString(const FileAsk&)> SaveFile;
    // The chosen colour (0x00BBGGRR); false when cancelled.
    std::function<bool(quint32 initial, quint32* chosen)> PickColour;
};

// The dialogs in use: the desktop's until a test replaces them.
PickDialogsT& Picks();
// Puts the desktop's dialogs back.
void Picks_Reset();
// "Name (*.a;*.b)|*.a;*.b" in the form the desktop's dialog reads.
QString Picks_QtFilter(const QString& filter);

} // namespace platform
