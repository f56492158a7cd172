#pragma once
// What the socket layer and the message handler's entry call of the parts of
// network play built above them: the host's and the remote's cases, chat,
// clean-up and the table. Each defaults to doing nothing.
#include "common/NetCodes.h"
#include "engine/Exchange.h"
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
    // The chat window's entry field enabled when it is disabled.
    std::function<void()> ChatEntryEnable = [] {};
    // The chat window and the Internet opponents window closed and released; the
    // latter also forgets the personality chosen in it.
    std::function<void()> ChatWindow_Close = [] {};
    std::function<void()> MultiNET_Close = [] {};
    // The current opponent's name as the table's status bar shows it.
    std::function<void(const QString& name)> PersonName_Set = [](const QString&) {};
    // Seats 2 to 4 from the profile's opponent slots again, seat 2 the current opponent.
    std::function<void()> Seats_FromProfile = [] {};
    // The number-card images: a picture deck cannot be used with the oldest peers.
    std::function<void()> Deck_LoadSmall = [] {};
    // Opens (true) or closes (false) the move history.
    std::function<void(bool open)> TempMoves_Open = [](bool) {};
    // The new layout to every seated remote, and the exchange of their answers; tests of the
    // snapshot exchange swap it.
    std::function<Exchange()> Net_SendLayout = [] { return Net_Open(kNetLO, 0); };
    // The offer to save a game a player's leaving ended; chat tests count it.
    std::function<void()> Net_AskSaveEndedGame = [] {};
    // The save and restore window's secure-save mark for the game just restored: true with
    // its name when set; the mark is cleared by asking.
    std::function<bool(QString& name)> SecureSaveTaken = [](QString&) { return false; };
    // The chat window: opened beside the table, and its transcript replaced.
    std::function<void()> Chat_Open = [] {};
    std::function<void(const QString& text)> Chat_SetTranscript = [](const QString&) {};
    // The local game's first opponent set up again in seat 2 after a cancelled connection.
    std::function<void()> Person_CheckSeat2 = [] {};
    // A comment set's phrases over SeatComments 1 to 20.
    std::function<void(const QString& name)> Comments_Load = [](const QString&) {};
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
};
extern NetHooksT NetHooks;
