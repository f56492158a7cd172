#include "net/InternetSetup.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"
#include "net/Joining.h"
#include "net/NetCleanUp.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetShow.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "net/Recover.h"
#include "net/RemoteTurn.h"
#include "net/frmPlayers.h"
#include "platform/Services.h"
#include "platform/Text1252.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGames.h"
#include "shell/ShellHooks.h"

std::function<void()> ConnectionWindow_Show = [] { frmPlayers().Show(true); };

namespace {

void Farewell() {
    ++Menu.ChatCount;
    Net_Farewell(Menu.ChatCount);
    Pause(kFarewellPause);
}

// Somebody is on the line to hear the farewell: the host's first caller may have gone while a
// later one plays on.
bool AnyoneConnected() {
    for (int e = 0; e < kNetElements; ++e)
        if (Winsock1().Exists(e) && Winsock1().State(e) == platform::sckConnected) return true;
    return false;
}

void EndInternetGame() {
    if (platform::MsgBox(QStringLiteral("Do you want to end this Vornhelm Online Game?"), platform::vbYesNo,
                         QStringLiteral("TERMINATE Vornhelm Connection")) == platform::vbNo)
        return;
    if (AnyoneConnected()) Farewell();
    if (Com.Pturn != 0) Net_AskSaveEndedGame();
    NetHooks.NetCleanUp();
    Com.NetHost = 0;
}

// The connection window was cancelled: the local game's opponent sits in seat 2 again.
void BackToLocalGame() {
    frmPlayers().Unload();
    NetHooks.Person_CheckSeat2();
    if (HasTableForm()) frmGrulm().Label9(kLblSeat2Name).SetCaption(Eng.Seat2Rec.RecName);
    Hooks.Labels_PlayerNames();
}

void PrepareTable() {
    Com.NetSavedPause = Com.ComputerPause;
    Com.ComputerPause = kNetPause;
    Net.NetReady = 0;
    // Nothing of an earlier connection is taken for an answer or a message of this one.
    Exchange_Reset();
    TableForm& f = frmGrulm();
    f.cmdDeal.SetVisible(false);
    if (platform::Form* counter = platform::Form::Find(QStringLiteral("frmCounter"))) counter->Unload();
    NetHooks.Chat_Open();
    f.LabelPeek.SetCaption(QString());
    f.LabelPeek.SetVisible(false);
    Hooks.Rules_ShowCaption();
}

bool Connected() {
    if (Com.NetHost == 1) {
        Net.NetSockCount = 0;
        NetHostListen();
        return Com.NetHost == 1;
    }
    NetConnectRemote();
    return Com.NetHost != kNetHostFailed;
}

// The host's wait for its first player: New Game and the other table commands wait with it,
// or a second start would run inside it. A remote's wait lasts until its own DEAL press.
void AwaitFirstAnswer() {
    if (Com.NetHost != 1) {
        Net_WaitOpponent();
        return;
    }
    GameStarting starting;
    Net_WaitOpponent();
}

void StartInternetGame() {
    Menu.ChatCount = 0;
    ConnectionWindow_Show();
    if (Com.NetGame == 0) {
        BackToLocalGame();
        return;
    }
    PrepareTable();
    if (!Connected()) {
        platform::MsgBox(QStringLiteral("Network connection failed."), platform::vbExclamation);
        Winsock1().Close(Net.ClientSock);
        Com.NetHost = 0;
        NetHooks.NetCleanUp();
        return;
    }
    if (Com.NetHost == 1)
        for (int seat = 2; seat <= 4; ++seat)
            SeatRecordOf(seat).RecName.clear();
    AwaitFirstAnswer();
    if (Com.NetGame == 0) return;
    // The move history stays closed while the Internet game runs; the clean-up reopens it.
    if (Shl.MoveLogOn) {
        ProfHooks.TempMovesOpen(false);
        Net.MovesReopen = true;
    }
    if (!Com.PlayerAvatar.isEmpty()) frmGrulm().Avatar_Show(Com.PlayerAvatar);
    if (!Version_AtMost(Com.PeerVersion, kOldPeerVersion)) {
        Net.NetReady = 1;
        return;
    }
    // The older program has started its game: the notice of how to start one is out of date.
    Net_StatusHide();
    Net_GameBegins();
    SetUp();
    Net.NetReady = 1;
    Sav.DealtThisRun = true;
    if (Com.NetGame != 0) GoDeal();
}

} // namespace

void SetupInternet() {
    if (Com.NetGame != 0)
        EndInternetGame();
    else
        StartInternetGame();
}

void Internet_Install() {
    Netl.Opponent = [] { Opponent(); };
    Netl.Move_Transmit = [] { Move_Transmit(); };
    Netl.Move_Transmit_Done = [] { Move_Transmit_Done(); };
    MenuWin.Internet = [] { SetupInternet(); };
    MenuWin.SendGame = [] {
        if (Com.NetHost == 1) SendRecover();
    };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuInternet && (row == kNetStart || row == kNetSend)) || present(menu, row);
    };
}
