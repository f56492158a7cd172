#include "opponent/OnlineSeat.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "opponent/TurnLoop.h"

#include <algorithm>

namespace {

// A move inside the hand goes to this base plus the slot.
constexpr int kHandMoveBase = 10;
constexpr int kFirstHandSlot = 2;

bool Stopped() {
    return Com.NetGame == 0 || Com.NetState == kNetLost || Com.NetState == kNetEG || Com.GameAbort;
}

} // namespace

bool OnlineSeat_Active() {
    return Com.NetGame != 0 && Com.Pturn == 1 && Opponent_Seat1Level() >= 0;
}

bool OnlineSeat_Send(int from, int to, bool last) {
    if (Stopped()) return false;
    Eng.MoveFrom = from;
    Eng.MoveTo = to;
    if (last)
        Netl.Move_Transmit_Done();
    else
        Netl.Move_Transmit();
    return !Stopped();
}

HandOrder OnlineSeat_Hand() {
    HandOrder h{};
    for (int i = 0; i < 5; ++i)
        h[static_cast<size_t>(i)] = Eng.SeatCards(0, kFirstHandSlot + i);
    return h;
}

// The peers move one card at a time, the cards between shifting: the new order is
// built from the left, each card taken from where it lies in the peers' order.
void OnlineSeat_SendOrder(const HandOrder& before) {
    const HandOrder after = OnlineSeat_Hand();
    HandOrder theirs = before;
    for (size_t t = 0; t < after.size(); ++t) {
        if (after[t] == 0 || theirs[t] == after[t]) continue;
        const auto at = std::find(theirs.begin() + static_cast<long>(t), theirs.end(), after[t]);
        if (at == theirs.end()) return; // not a new order of the same cards
        const size_t p = static_cast<size_t>(at - theirs.begin());
        std::rotate(theirs.begin() + static_cast<long>(t), at, at + 1);
        if (!OnlineSeat_Send(kFirstHandSlot + static_cast<int>(p), kHandMoveBase + kFirstHandSlot + static_cast<int>(t),
                             false))
            return;
    }
}
