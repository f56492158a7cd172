#include "net/NetWait.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Exchange.h"
#include "engine/Flow.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/NetHooks.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "platform/Services.h"

namespace {

void SetLabel9(const QString& text, bool visible) {
    if (!HasTableForm() || !frmGrulm().Label9.Exists(kLblNotice)) return;
    frmGrulm().Label9(kLblNotice).SetCaption(text);
    frmGrulm().Label9(kLblNotice).SetVisible(visible);
}

// Inside a wait step lines are handled one at a time (see Net_DrainLines).
struct WaitStepScope {
    WaitStepScope() { ++Net.WaitDepth; }
    ~WaitStepScope() { Net.WaitDepth = std::max(0, Net.WaitDepth - 1); }
    WaitStepScope(const WaitStepScope&) = delete;
    WaitStepScope& operator=(const WaitStepScope&) = delete;
};

// A line left behind by the one handled before, or bytes Qt will not signal again
// inside a nested wait: the next of them is handled. True when there was one.
bool DeliverNext() {
    for (int e = 0; e < kNetElements; ++e)
        if (Net.NetBuffer[static_cast<size_t>(e)].contains('\n') && Net_DrainLines(e)) return true;
    return Winsock1().Poll();
}

} // namespace

void Net_WaitStep() {
    WaitStepScope waiting;
    const long handled = Net.LinesHandled;
    if (DeliverNext() || Com.GameAbort) return;
    // Nothing to handle: the thread sleeps until an event comes (data, a click, a timer). A
    // line handled meanwhile, by whatever ran in the sleep, is news the caller looks at.
    platform::Svc().clock->WaitForEvent([handled] { return Com.GameAbort || Net.LinesHandled != handled; },
                                        !Com.MouseHeld);
}

void Net_HandleArrived() {
    Winsock1().Poll();
    for (int e = 0; e < kNetElements && Com.NetGame != 0; ++e)
        while (Com.NetGame != 0 && Net.NetBuffer[static_cast<size_t>(e)].contains('\n'))
            Net_DrainLines(e);
}

void Net_WaitMessage(int& element) {
    (void)element; // every socket is looked at: a line for another element ends the step as well
    if (Com.NetGame == 0) {
        Com.NetState = kNetLost;
        return;
    }
    Net_WaitStep();
    if (Com.NetGame == 0) Com.NetState = kNetLost;
}

void Net_WaitRound() {
    // A player who left cannot answer: the callers' own loops end on the lost link.
    if (!Net_Wait([] { return Net_Awaited() == 0; }) && Com.NetGame == 0) Com.NetState = kNetLost;
}

void Net_WaitOpponent() {
    Com.NetAnswered = false;
    const NetMark since = Net_Mark();
    // Shown once: a label set again on every pass would repaint, wake the wait and spin it.
    if (Com.NetGame != 0) SetLabel9(QStringLiteral("WAITING for Opponent"), true);
    do {
        if (Com.NetGame == 0) return;
        if (Com.GameAbort || since.Heard(kNetLost) || since.Heard(kNetEG)) break;
        int element = 0;
        Net_WaitMessage(element);
    } while (!Com.NetAnswered);
    if (!Com.GameAbort) SetLabel9(QStringLiteral(" "), true);
}

void Net_WaitIndication(bool on) {
    NetHooks.ChatSendEnabled(!on);
    SetLabel9(on ? QStringLiteral(" W A I T ") : QString(), on);
}
