#include "net/NetWait.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/NetHooks.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "platform/Services.h"

namespace {

// Long enough for the thread to sleep, short enough that a reply is seen at once.
constexpr double kWaitSlice = 0.01;

void SetLabel9(const QString& text, bool visible) {
    if (!HasTableForm() || !frmGrulm().Label9.Exists(kLblNotice)) return;
    frmGrulm().Label9(kLblNotice).SetCaption(text);
    frmGrulm().Label9(kLblNotice).SetVisible(visible);
}

bool LinkEnded() {
    return Com.GameAbort || Com.NetState == kNetLost || Com.NetState == kNetEG;
}

// Lines left behind a message whose handler is waiting, and bytes Qt will not signal
// again inside a nested wait, are handled here.
bool DeliverPending() {
    bool any = false;
    for (int e = 0; e < kNetElements; ++e)
        if (Net.NetBuffer[static_cast<size_t>(e)].contains('\n')) any = Net_DrainLines(e) || any;
    return Winsock1().Poll() || any;
}

} // namespace

void Net_WaitStep() {
    if (DeliverPending() || Com.GameAbort) return;
    auto& clock = *platform::Svc().clock;
    clock.WaitUntil(
        clock.Now() + kWaitSlice, [] { return Com.GameAbort; }, !Com.MouseHeld);
    DeliverPending();
}

void Net_WaitMessage(int& element) {
    (void)element; // every socket is drained: a line for another element ends the wait as well
    if (Com.NetHost == 1 && Com.NumPlayers >= 3 && Com.Pturn == 1) {
        Net_WaitRound();
        return;
    }
    Net_WaitStep();
    for (;;) {
        if (Com.NetGame == 0) {
            Com.NetState = kNetLost;
            return;
        }
        if (LinkEnded() || Net.NetDataIn) return;
        Net_WaitStep();
    }
}

void Net_WaitRound() {
    Net_WaitStep();
    while (Com.NetGame != 0) {
        // A player who left cannot answer: the callers' own loops end on the lost link.
        if (Com.NetAckCount == Com.NumPlayers || LinkEnded()) return;
        Net_WaitStep();
    }
    Com.NetState = kNetLost;
}

void Net_WaitOpponent() {
    Com.NetAnswered = false;
    const int before = Com.NetState;
    do {
        if (Com.NetGame == 0) return;
        // A state that was already there when the wait began is not news.
        if (Com.GameAbort || (Com.NetState != before && LinkEnded())) break;
        SetLabel9(QStringLiteral("WAITING for Opponent"), true);
        int element = 0;
        Net_WaitMessage(element);
        Net_WaitStep();
    } while (!Com.NetAnswered);
    if (!Com.GameAbort) SetLabel9(QStringLiteral(" "), true);
}

void Net_WaitIndication(bool on) {
    NetHooks.ChatSendEnabled(!on);
    SetLabel9(on ? QStringLiteral(" W A I T ") : QString(), on);
}
