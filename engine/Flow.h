#pragma once
// What the engine asks of the subsystems above it: the engine's one up-call header.
// Each is filled in at start-up; until then it does what nothing installed means,
// so a caller never checks. Resetting is assigning a fresh struct (EngineHooks_Reset).
#include "engine/Exchange.h"
#include "engine/GameOnTable.h"
#include "engine/StandIn.h"

#include <QString>
#include <functional>
#include <initializer_list>

struct FlowHooks {
    // The other seats' turns, until the human is on turn again or the game ends.
    std::function<void()> ComputerTurn = ComputerTurn_StandIn;
    // Saved games: the automatic save, the capture of the running game, and the
    // captured game written as record n of the move history.
    std::function<void()> Game_AutoSave = [] {};
    std::function<void()> Game_Capture = [] {};
    std::function<void(int record)> MoveHistory_Write = [](int) {};
    std::function<bool()> MoveLogOn = [] { return false; };
    std::function<void()> Rules_ShowCaption = [] {};
    // An empty stock is refilled from the used pile; a stock that cannot be refilled is a
    // stalemate. Both pause: false when the game left the table meanwhile.
    std::function<bool()> RESHUFFLE = [] { return true; };
    std::function<bool()> STALEMATE = [] { return true; };
    // The decision code playing seat 1 keeps the seat's cards in the working set: they go back
    // to the seat before a stalemate gathers them, and are taken up again after the new deal.
    std::function<void()> Seat1_Store = [] {};
    std::function<void()> Seat1_Load = [] {};
    // Statistics of a card played from `slot` by `who`, and the check at the end of a turn.
    std::function<void(int slot, int who)> StatsAdd = [](int, int) {};
    std::function<void(int a, int b)> StatsCk = [](int, int) {};
    // An opponent's taunt when the human played a card the side card needed; it pauses
    // through the ticket of the play and answers as that pause.
    std::function<PauseAnswer(const GameOnTable& mine)> Dumbness = [](const GameOnTable& mine) {
        return mine.Answer();
    };
    // A tutorial's next step may be taken (its Next button).
    std::function<void()> Tutorial_NextStep = [] {};
    // The house rules window: the seats' name labels, and the help file (command, keyword).
    std::function<void()> Labels_PlayerNames = [] {};
    std::function<void(const QString& command, const QString& keyword)> ShowHelp = [](const QString&,
                                                                                      const QString&) {};
    // Lets the next key through (true) or swallows it (false); the key handler is the shell's.
    std::function<void(bool armed)> KeyArm = [](bool) {};
};
extern FlowHooks Hooks;

// What a network wait does while no network is installed: lets events through for 10 ms.
void Net_IdleWait(int& socket);
// Reads the value after the next "#" of NetDeck, from NetDeckPos on (0, and the position
// back at the start, when there is none).
int Recover_NextDeckField();

// The network subsystem's operations the game flow uses.
struct NetLink {
    // One peer: the element the message went to. All peers but `except`.
    std::function<int(const QString& message, int socket)> Net_Send = [](const QString&, int socket) {
        return socket;
    };
    std::function<void(const QString& message, int except)> Net_SendAll = [](const QString&, int) {};
    // Without a network, a wait lets the window live for a moment.
    std::function<void(int& socket)> Net_WaitMessage = Net_IdleWait;
    // The next "#" field of NetDeck from NetDeckPos, as the snapshot reader takes it.
    std::function<int()> Recover_NextField = Recover_NextDeckField;
    // Handles every line already received, without waiting.
    std::function<void()> Net_HandleArrived = [] {};
    // A remote human's turn, played from the moves its program sends.
    std::function<void()> Opponent = [] {};
    // The human's last move (MoveFrom, MoveTo) to the peers, waiting for their answers;
    // the same as the last move of the turn.
    std::function<void()> Move_Transmit = [] {};
    std::function<void()> Move_Transmit_Done = [] {};
    // Host: a caller has said who it is and has no seat yet. A game started now would deal it
    // no cards, so the table's commands wait, as for a start; the caller's time is limited.
    std::function<bool()> CallerComing = [] { return false; };
    // The chat window's Send button, off while a reshuffle exchanges the stock.
    std::function<void(bool enabled)> Chat_EnableSend = [](bool) {};
    // The host player's name as a remote player's program knows it.
    std::function<QString()> NetOppName = [] { return QStringLiteral("Grulm"); };
    // Records a finished Internet game in the network score files.
    std::function<void(const QString& text)> Scores_Net = [](const QString&) {};
    // The game being won is scored (or its win broke off): the leaves held meanwhile happen.
    std::function<void()> Net_GameScored = [] {};
    // A damaged message from the host refused: the user is told why and the Internet game
    // ends on every side.
    std::function<void(const QString& why)> RefuseDamaged = [](const QString&) {};
};
extern NetLink Netl;

// Sends a message to one peer or to all but one.
void Net_SendText(const QString& text, int socket = 0);
void Net_SendAllText(const QString& text, int except = 0);

// Every network wait of the game flow: processes events until `done` holds, or the
// connection is lost (kNetLost or NetGame 0), the game ended (kNetEG) or was replaced by a
// snapshot, one of `endStates` arrived (before the wait or during it), or the program is
// closing. True only when `done` held.
bool Net_Wait(const std::function<bool()>& done, std::initializer_list<int> endStates = {});
// Until every answer of the exchange is in; false when it ended without them.
bool Net_Wait(const Exchange& x, std::initializer_list<int> endStates = {});
// Until a message of `kind` has come (from `element`, or anyone with -1), and takes it.
bool Net_WaitTake(int kind, int element = -1, std::initializer_list<int> endStates = {});
// Takes the host's stock message, whenever it came; `damaged` when it came refused.
bool Net_TakeStock(bool& damaged);
// What a stock message refused as damaged is told as.
inline constexpr const char* kStockDamaged = "a field is not a number";
// A flow that sent a move, or is about to play the next seat, stops: the lines already
// received are handled first, then the link is gone or the game ended or was replaced.
bool Net_Stopped();

// What the deal needs of the table presentation: the card sound of a kind.
struct DealHooksT {
    std::function<void(int kind)> Sound_Card = [](int) {};
};
extern DealHooksT DealHooks;

// Every engine up-call back to "nothing installed".
void EngineHooks_Reset();
