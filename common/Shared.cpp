#include "common/Shared.h"
#include "platform/Services.h"

CommonState Com;

void Common_Reset() {
    Com = CommonState{};
}

void Pause(double seconds) {
    if (seconds <= 0 || Com.GameAbort) return;
    auto& clock = *platform::Svc().clock;
    clock.WaitUntil(
        clock.Now() + seconds, [] { return Com.GameAbort; }, !Com.MouseHeld);
}
