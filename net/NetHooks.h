#pragma once
// What the socket layer and the message handler's entry call of the parts of
// network play built above them: the host's and the remote's cases, chat,
// clean-up and the table. Each defaults to doing nothing.
#include <QString>
#include <functional>

struct NetHooksT {
    // The host's and the remote's cases for the message just parsed on a socket.
    std::function<void(int socket)> HostCases = [](int) {};
    std::function<void(int socket)> RemoteCases = [](int) {};
    // A chat or peek line as received.
    std::function<void(const QString& line, int socket)> Net_ProcessChat = [](const QString&, int) {};
    std::function<void()> NetCleanUp = [] {};
    // The chat window's send button.
    std::function<void(bool enabled)> ChatSendEnabled = [](bool) {};
    // The game menu's save command.
    std::function<void()> Game_Save = [] {};
    // The table laid out again after the game size changed for an older peer.
    std::function<void()> Table_Relayout = [] {};
    // The offer to save a game the host has left.
    std::function<void()> Net_AskSaveEndedGame = [] {};
    // A comment set's phrases over SeatComments 1 to 20.
    std::function<void(const QString& name)> Comments_Load = [](const QString&) {};
};
extern NetHooksT NetHooks;
