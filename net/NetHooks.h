#pragma once
// What the socket layer and the message handler's entry call of the parts of
// network play built above them: the host's and the remote's cases, chat,
// clean-up and the table. Each defaults to doing nothing.
#include "engine/Model.h"

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
    // The avatar address book: a seat's avatar by its name read (false) or stored (true).
    std::function<void(SeatRecord& seat, bool write)> Avatar_Load = [](SeatRecord&, bool) {};
    // The table's avatar import; the new picture's file name, "" when none was added.
    std::function<QString()> Get_Avatars = [] { return QString(); };
    // The chat window's quick phrases take SeatComments 1 to 20 as their tips.
    std::function<void()> Chat_PhraseTips = [] {};
    // The chat window's sound list read again (the window loaded first).
    std::function<void()> GetSoundList = [] {};
    // The online personality sounds chooser, modal.
    std::function<void()> OnlineSounds_Show = [] {};
    // A save-file dialog: the chosen path, "" when cancelled.
    std::function<QString(const QString& title, const QString& folder, const QString& proposed,
                          const QString& filter)>
        SaveFileName =
            [](const QString&, const QString&, const QString&, const QString&) { return QString(); };
};
extern NetHooksT NetHooks;
