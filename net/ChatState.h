#pragma once
// The chat's own state: the conversation, the log file and the quit notice of
// the host. ChatCount is the menu's counter (Menu.ChatCount), one for every
// line this program sends.
#include <QFile>
#include <QString>
#include <memory>

struct ChatStateT {
    // The conversation as the chat window shows it, lines joined by CR LF.
    QString Transcript;
    bool ChatLogOn = false;
    std::unique_ptr<QFile> Log;
    // A remote was told that the host quit.
    int QuitFlag = 0;
};
extern ChatStateT Chat;
// Closes the log and clears the state.
void Chat_Reset();

// The chat line counter shared with the menu's notices.
int& ChatCount();
// The other player's name as the chat shows it.
QString Chat_OpponentName();
// Adds a line to the conversation and to the log, and shows it.
void Chat_AddLine(const QString& line);
// Writes one line to the log while logging is on.
void Chat_LogLine(const QString& line);
