#include "engine/Flow.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "platform/Services.h"

#include <algorithm>

FlowHooks Hooks;
NetLink Netl;
DealHooksT DealHooks;

bool Net_Wait(const std::function<bool()>& done, std::initializer_list<int> endStates) {
    for (;;) {
        if (done()) return true;
        if (Com.GameAbort || Com.NetGame == 0 || Com.NetState == kNetLost || Com.NetState == kNetEG)
            return false;
        if (std::find(endStates.begin(), endStates.end(), Com.NetState) != endStates.end()) return false;
        int socket = Com.NetHost ? 1 : 0;
        Netl.Net_WaitMessage(socket);
    }
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
    QString message = text;
    Netl.Net_Send(message, socket);
}

void Net_SendAllText(const QString& text, int except) {
    QString message = text;
    Netl.Net_SendAll(message, except);
}

void EngineHooks_Reset() {
    Hooks = FlowHooks{};
    Netl = NetLink{};
    DealHooks = DealHooksT{};
}
