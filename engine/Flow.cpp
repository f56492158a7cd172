#include "engine/Flow.h"
#include "common/Shared.h"
#include "platform/Services.h"

#include <algorithm>

FlowHooks Hooks;
NetLink Netl;

bool Net_Wait(const std::function<bool()>& done, std::initializer_list<int> endStates) {
    for (;;) {
        if (done()) return true;
        if (Com.GameAbort || Com.NetGame == 0 || Com.NetState == 6 || Com.NetState == 15) return false;
        if (std::find(endStates.begin(), endStates.end(), Com.NetState) != endStates.end()) return false;
        if (Netl.Net_WaitMessage) {
            int socket = Com.NetHost ? 1 : 0;
            Netl.Net_WaitMessage(socket);
        } else {
            auto& clock = *platform::Svc().clock;
            clock.WaitUntil(
                clock.Now() + 0.01, [] { return Com.GameAbort; }, true);
        }
    }
}
