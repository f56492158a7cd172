#pragma once
// What the game flow asks of the subsystems above it. Each is filled in at
// start-up; one that is not installed is skipped.
#include <QString>
#include <functional>
#include <initializer_list>

struct FlowHooks {
    // The other seats' turns, until the human is on turn again or the game ends.
    std::function<void()> ComputerTurn;
    // Saved games: the automatic save, the capture of the running game, and the
    // captured game written as record n of the move history.
    std::function<void()> Game_AutoSave;
    std::function<void()> Game_Capture;
    std::function<void(int record)> MoveHistory_Write;
    std::function<bool()> MoveLogOn;
    std::function<void()> Rules_ShowCaption;
    // An empty stock is refilled from the used pile; a stock that cannot be refilled is a stalemate.
    std::function<void()> RESHUFFLE;
    std::function<void()> STALEMATE;
    // The house rules window: the forced-card and wild summary into RulesText, the
    // seats' name labels, and the help file (command, keyword).
    std::function<void()> Rules_WildText = [] {};
    std::function<void()> Labels_PlayerNames = [] {};
    std::function<void(const QString& command, const QString& keyword)> ShowHelp = [](const QString&,
                                                                                      const QString&) {};
};
extern FlowHooks Hooks;

// The network subsystem's operations the game flow uses.
struct NetLink {
    std::function<void(QString& message, int& socket)> Net_Send;
    std::function<void(QString& message, int& except)> Net_SendAll;
    std::function<void(int& socket)> Net_WaitMessage;
    std::function<int()> Recover_NextField;
};
extern NetLink Netl;

// Every network wait of the game flow: processes events until `done` holds, or the
// connection is lost (NetState 6 or NetGame 0), the game ended (NetState 15), one of
// `endStates` arrived, or the program is closing. True only when `done` held.
bool Net_Wait(const std::function<bool()>& done, std::initializer_list<int> endStates = {});
