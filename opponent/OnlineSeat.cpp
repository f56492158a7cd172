#include "opponent/OnlineSeat.h"
#include "common/Card.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "opponent/TurnLoop.h"

#include <algorithm>
#include <optional>

namespace {

// A move inside the hand goes to this base plus the slot.
constexpr int kHandMoveBase = 10;
constexpr int kFirstHandSlot = 2;
constexpr int kFirstHoldSlot = 7, kLastHoldSlot = 10;

// The hand as a peer that cannot take moves inside the hand holds it, once the decision
// code has put it in its own order during this turn (the turn counted when it began).
struct PeerHand {
    HandOrder hand{};
    int turn = 0;
};
std::optional<PeerHand> g_peerHand;

bool OnlineSeatDiverged() {
    return g_peerHand && g_peerHand->turn == Opponent_TurnsEnded() &&
           std::any_of(g_peerHand->hand.begin(), g_peerHand->hand.end(), [](int c) { return c != 0; });
}

bool Stopped() {
    return Com.NetGame == 0 || Com.NetState == kNetLost || Com.NetState == kNetEG || Com.GameAbort;
}

// The oldest peers take no moves inside the hand.
bool OnlineSeatNoHandMoves() {
    return Version_AtMost(Com.PeerVersion, kVersionRanksOnly);
}

bool HandSlot(int slot) {
    return slot >= kFirstHandSlot && slot < kFirstHandSlot + 5;
}

// The slot the peers hold `card` in; it leaves their hand.
int OnlineSeatPeerSlot(int card, int slot) {
    HandOrder& peer = g_peerHand->hand;
    const auto at = std::find(peer.begin(), peer.end(), card);
    if (at == peer.end()) return slot;
    *at = 0;
    return kFirstHandSlot + static_cast<int>(at - peer.begin());
}

// The turn is over: the hand goes back into the peers' order, so the next refill fills
// the same slots everywhere.
void OnlineSeatRestoreOrder() {
    const HandOrder peer = g_peerHand->hand;
    g_peerHand.reset();
    for (size_t i = 0; i < peer.size(); ++i) {
        int number = peer[i];
        Eng.SeatCards(0, kFirstHandSlot + static_cast<int>(i)) = number;
        Eng.SeatCards(1, kFirstHandSlot + static_cast<int>(i)) = number != 0 ? Card_Rank(number) : 0;
    }
}

} // namespace

bool OnlineSeat_Active() {
    return Com.NetGame != 0 && Com.Pturn == 1 && Opponent_Seat1Level() >= 0;
}

bool OnlineSeat_Send(int from, int to, bool last) {
    if (Stopped()) return false;
    if (OnlineSeatDiverged() && HandSlot(from)) {
        const bool discard = to >= kFirstHoldSlot && to <= kLastHoldSlot;
        from = OnlineSeatPeerSlot(discard ? Eng.SeatCards(0, to) : Eng.PlayCard(0), from);
    }
    if (OnlineSeatDiverged() && last) OnlineSeatRestoreOrder();
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
    if (OnlineSeatNoHandMoves()) {
        // Nothing is sent: the moves that follow name the slots the peers hold the cards in.
        // A hand played out and dealt again lies alike everywhere.
        if (!OnlineSeatDiverged()) g_peerHand = PeerHand{before, Opponent_TurnsEnded()};
        return;
    }
    const HandOrder after = OnlineSeat_Hand();
    HandOrder theirs = before;
    for (size_t t = 0; t < after.size(); ++t) {
        if (after[t] == 0 || theirs[t] == after[t]) continue;
        const auto at = std::find(theirs.begin() + static_cast<long>(t), theirs.end(), after[t]);
        if (at == theirs.end()) return; // not a new order of the same cards
        const size_t p = static_cast<size_t>(at - theirs.begin());
        std::rotate(theirs.begin() + static_cast<long>(t), at, at + 1);
        if (!OnlineSeat_Send(kFirstHandSlot + static_cast<int>(p),
                             kHandMoveBase + kFirstHandSlot + static_cast<int>(t), false))
            return;
    }
}
