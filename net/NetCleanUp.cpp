#include "net/NetCleanUp.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/RuleMessages.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/Joining.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetShow.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "platform/Text1252.h"

#include <QCoreApplication>

namespace {

constexpr int kMenuNoticeStatus = 2;

void CloseSockets() {
    auto& ws = Winsock1();
    for (int e = 0; e <= Net.NetSockCount && e < kNetElements; ++e) {
        if (!ws.Exists(e)) continue;
        if (ws.State(e) != platform::sckClosed) ws.Close(e);
        if (e >= 1) {
            ws.Unload(e);
            QCoreApplication::processEvents();
        }
    }
    // Element 0 may have served without NetSockCount counting it.
    if (ws.Exists(0) && ws.State(0) != platform::sckClosed) ws.Close(0);
    Net.ClientSock = 0;
    Net.NetSockCount = 0;
    for (int e = 0; e < kNetElements; ++e) {
        const auto i = static_cast<size_t>(e);
        Com.NetSockets[i] = NetSocketRow{};
        Com.NetLastType[i] = kNetNone;
        Net.NetBuffer[i].clear();
        Net.Counted[i] = false;
        Net.Named[i] = false;
    }
    // A new connection's first messages are not repeats of the last game's.
    Net.NetLastSock = 0;
    Net.NetBusy = false;
    Net.NetPendingSocks.clear();
    Net.Leaving = false;
}

void ClearTableSigns() {
    if (!HasTableForm()) return;
    TableForm& f = frmGrulm();
    Net_StatusHide();
    f.imgIcon.SetVisible(false);
    f.HoldView_Hide();
    // A game won just before its last player left keeps its notice and scores on the table.
    const int last = Net_GameWon() ? kLblNotice : kLblComment;
    for (int i = kLblNotice; i <= last; ++i)
        Net_Label9(i, QString());
    f.LabelPeek.SetCaption(QString());
    if (f.LabelPeek.Visible()) f.LabelPeek.SetVisible(false);
    if (f.cmdDeal.Visible()) f.cmdDeal.SetVisible(false);
}

void SendLine(const QByteArray& line, int e) {
    if (!Winsock1().Exists(e) || Winsock1().State(e) != platform::sckConnected) return;
    Net_Send(platform::FromCp1252(line), e);
}

} // namespace

void NetCleanUp() {
    CloseSockets();
    ClearTableSigns();
    // The pace of the local game comes back; a second clean-up has none to restore.
    if (Com.NetSavedPause > 0) Com.ComputerPause = Com.NetSavedPause;
    Com.NetGame = 0;
    Com.NetSavedPause = 0;
    NetHooks.ChatSendEnabled(false);
    NetHooks.ChatWindow_Close();
    NetHooks.MultiNET_Close();
    Net_KillTempSounds();
    // The local opponent is back in seat 2: the status bar names it, not the last player online.
    if (HasTableForm()) frmGrulm().StatusBar_Clear();
    Com.NetOut.clear();
    Com.PeerVersion.clear();
    Com.PeekOn = false;
    Net.HandSortOff = false;
    if (Net.MovesReopen) {
        Net.MovesReopen = false;
        NetHooks.TempMoves_Open(true);
    }
    Hooks.Rules_ShowCaption();
    Net.NetOppName = QStringLiteral("Grulm");
    // A remote turn that is animating a card still needs its seat; it ends the turn itself.
    if (Net.RemoteTurnRunning)
        Net.TurnEndPending = true;
    else
        Com.Pturn = 0;
    Eng.TurnCount = 0;
    if (HasTableForm()) frmGrulm().Piles_EnableRange(frmGrulm().Picture7, false, 1, 10);
    Net_MenuNotice(kMenuNoticeStatus);
}

void Net_Farewell(int chatCount) {
    // The others close their end in answer: that is this program's own leaving, not theirs.
    Net.Leaving = true;
    const QByteArray bye = Msg_SY(chatCount, Com.PlayerName + QStringLiteral(" Quit!^"));
    const QByteArray go = Msg_Bare(kNetLost);
    if (Com.NetHost != 1) {
        SendLine(bye, 0);
        SendLine(go, 0);
        return;
    }
    for (int e = 1; e <= Net.NetSockCount && e < kNetElements; ++e) {
        if (Com.NetSockets[static_cast<size_t>(e)].InUse != kRowInUse) continue;
        SendLine(bye, e);
        SendLine(go, e);
    }
}
