#include "engine/Flow.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "platform/Services.h"

#include <algorithm>

FlowHooks Hooks;
NetLink Netl;
DealHooksT DealHooks;

namespace {

// What ends a wait before its answer: a lost link or an ended game, whether the last line
// shows it or it was received since the wait began (more lines may have followed it), a
// snapshot that replaced the game, one of the caller's end states, or the program closing.
bool FlowWaitEnds(const NetMark& since, std::initializer_list<int> endStates) {
    if (Com.GameAbort || Com.NetGame == 0 || Com.NetState == kNetLost || Com.NetState == kNetEG) return true;
    if (since.Heard(kNetLost) || since.Heard(kNetEG) || since.Heard(kNetRC) || Net_GameReplaced())
        return true;
    return std::any_of(endStates.begin(), endStates.end(),
                       [&since](int s) { return Com.NetState == s || since.Heard(s); });
}

} // namespace

bool Net_Wait(const std::function<bool()>& done, std::initializer_list<int> endStates) {
    const NetMark since = Net_Mark();
    for (;;) {
        if (done()) return true;
        if (FlowWaitEnds(since, endStates)) return false;
        int socket = Com.NetHost ? 1 : 0;
        Netl.Net_WaitMessage(socket);
    }
}

bool Net_Wait(const Exchange& x, std::initializer_list<int> endStates) {
    return Net_Wait([&x] { return x.Answered() || x.Closed(); }, endStates) && x.Answered();
}

bool Net_WaitTake(int kind, int element, std::initializer_list<int> endStates) {
    return Net_Wait([kind, element] { return Net_Take(kind, element); }, endStates);
}

bool Net_TakeStock(bool& damaged) {
    damaged = Net_TakeRefused(kNetDK);
    return damaged || Net_Take(kNetDK);
}

bool Net_Stopped() {
    if (Com.NetGame != 0) Netl.Net_HandleArrived();
    const int s = Com.NetState;
    return Com.NetGame == 0 || s == kNetLost || s == kNetEG || s == kNetGS || s == kNetLO ||
           Net_GameReplaced();
}

void Net_IdleWait(int&) {
    auto& clock = *platform::Svc().clock;
    clock.WaitUntil(
        clock.Now() + 0.01, [] { return Com.GameAbort; }, true);
}

int Recover_NextDeckField() {
    const int idx = static_cast<int>(Com.NetDeck.indexOf(QLatin1Char('#'), Com.NetDeckPos));
    if (idx < 0) {
        Com.NetDeckPos = 0;
        return 0;
    }
    Com.NetDeckPos = idx + 1;
    return NumVal16(Com.NetDeck.mid(idx + 1));
}

void Net_SendText(const QString& text, int socket) {
    Netl.Net_Send(text, socket);
}

void Net_SendAllText(const QString& text, int except) {
    Netl.Net_SendAll(text, except);
}

void EngineHooks_Reset() {
    Hooks = FlowHooks{};
    Netl = NetLink{};
    DealHooks = DealHooksT{};
}
