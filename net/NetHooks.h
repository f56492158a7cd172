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
    // Joining and leaving: LO to every remote, the offer to save a game the leaving ended,
    // and the removal of the sound files received from the peers.
    std::function<void()> Net_SendLayout = [] {};
    std::function<void()> Net_AskSaveEndedGame = [] {};
    std::function<void()> Net_KillTempSounds = [] {};
    // The save and restore window's secure-save mark for the game just restored: true with
    // its name when set; the mark is cleared by asking.
    std::function<bool(QString& name)> SecureSaveTaken = [](QString&) { return false; };
    // The chat window: opened beside the table, and its transcript replaced.
    std::function<void()> Chat_Open = [] {};
    std::function<void(const QString& text)> Chat_SetTranscript = [](const QString&) {};
    // The local game's first opponent set up again in seat 2 after a cancelled connection.
    std::function<void()> Person_CheckSeat2 = [] {};
};
extern NetHooksT NetHooks;
