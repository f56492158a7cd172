#include "net/NetInstall.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/TableForm.h"
#include "net/Callers.h"
#include "net/HostCases.h"
#include "net/Joining.h"
#include "net/NetCleanUp.h"
#include "net/NetHooks.h"
#include "net/NetMessage.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "net/Recover.h"
#include "net/RemoteCases.h"
#include "table/TableHooks.h"

void Net_Install() {
    Netl.Net_Send = [](const QString& message, int socket) { return Net_Send(message, socket); };
    Netl.Net_SendAll = [](const QString& message, int except) { Net_SendAll(message, except); };
    Netl.Net_WaitMessage = [](int& socket) { Net_WaitMessage(socket); };
    Netl.Net_HandleArrived = [] { Net_HandleArrived(); };
    Netl.NetOppName = [] { return Net.NetOppName; };
    Netl.RefuseDamaged = [](const QString& why) { Net_RefuseDamaged(why); };
    Netl.Net_GameScored = [] { Net_RunHeldLeaves(); };
    Netl.CallerComing = [] { return Net_CallerComing(); };
    NetHooks.HostCases = [](int s) { Net_Guard("GetMessage-HOST", [&] { HostCases(s); }); };
    NetHooks.RemoteCases = [](int s) { Net_Guard("GetMessage-REMOTE", [&] { RemoteCases(s); }); };
    NetHooks.NetCleanUp = [] { NetCleanUp(); };
    NetHooks.Net_SendLayout = [] { return Net_SendLayout(); };
    NetHooks.Net_AskSaveEndedGame = [] { Net_AskSaveEndedGame(); };
    // The local opponents come back to a won Internet game's table when it is cleared.
    DispHooks.TableCleared = [] {
        if (Net.SeatsKept && Com.NetGame == 0) Net_SeatLocalOpponents();
    };
    NetHooks.Table_Relayout = [] {
        if (!HasTableForm()) return;
        frmGrulm().Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
        frmGrulm().Table_Redraw();
    };
}

void Net_WireSockets(platform::Winsock& ws) {
    ws.ConnectionRequest = [](int index, int id) {
        Net_Guard("Winsock1_ConnectionRequest", [&] { Winsock1_ConnectionRequest(index, id); });
    };
    ws.DataArrival = [](int index, qint64 bytes) {
        Net_Guard("Winsock1_DataArrival", [&] { Winsock1_DataArrival(index, bytes); });
    };
    ws.Error = [](int index, int number, const QString& description) {
        Net_Guard("Winsock1_Error", [&] { Winsock1_Error(index, number, description); });
    };
    ws.CloseEvent = [](int index) { Net_Guard("Winsock1_Close", [&] { Winsock1_Close(index); }); };
}
