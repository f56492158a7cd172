#include "net/ChatState.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "net/ChatLines.h"
#include "net/NetState.h"
#include "net/frmChat.h"
#include "shell/MenuCommands.h"

ChatStateT Chat;

void Chat_Reset() {
    if (Chat.Log) Chat.Log->close();
    Chat = ChatStateT{};
}

int& ChatCount() {
    return Menu.ChatCount;
}

QString Chat_OpponentName() {
    if (Com.NetHost == 0 && Com.NetGame != 0) return Net.NetOppName;
    for (const NetSocketRow& row : Com.NetSockets)
        if (row.InUse != 0 && !row.Name.trimmed().isEmpty()) return row.Name.trimmed();
    return Eng.Seat2Rec.RecName.trimmed();
}

void Chat_LogLine(const QString& line) {
    if (!Chat.ChatLogOn || !Chat.Log || !Chat.Log->isOpen()) return;
    Chat.Log->write((line + QLatin1Char('\n')).toUtf8());
    Chat.Log->flush();
}

void Chat_AddLine(const QString& line) {
    Chat.Transcript = Chat_Append(Chat.Transcript, line);
    Chat_LogLine(line);
    Chat_ShowLine(line);
}
