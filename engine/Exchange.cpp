#include "engine/Exchange.h"
#include "common/NetCodes.h"
#include "common/Shared.h"

namespace {

struct ExchangeState {
    int lastId = 0;
    // The latest exchange opened here: one is open at a time on each program.
    int id = 0;
    int kind = kNetNone;
    unsigned awaited = 0;
    unsigned answered = 0;
    bool closed = true;
    // Messages received, by kind; never reset, so a mark taken earlier still compares.
    std::array<int, kNetKinds> heard{};
    // Messages received and not yet taken, by element and kind.
    std::array<std::array<int, kNetKinds>, kNetPeers> kept{};
    // Messages that ended or replaced a game, and their number when the running flow began.
    int epoch = 0;
    int flowEpoch = 0;
    // Damaged and repeated messages received and not yet taken, by kind.
    std::array<int, kNetKinds> refused{};
    std::array<int, kNetKinds> repeated{};
    // Players whose leave waits until the game being won is scored.
    unsigned held = 0;
    // The seat whose moves may come, the kinds due from it, the start message awaited, and
    // the start a remote's DEAL press answers.
    int mover = 0;
    unsigned due = 0;
    int expected = kNetNone;
    int dealAnswer = kNetNone;
    int asks = 0;
};
ExchangeState X;

bool ExchangeComplete() {
    return X.id != 0 && (X.answered & X.awaited) == X.awaited;
}

bool ExchangeSeated(int e) {
    const NetSocketRow& r = Com.NetSockets.at(static_cast<size_t>(e));
    return r.InUse == kRowInUse && r.Seat >= 1 && r.Seat <= kLastSeatRow;
}

// What a line that answers nothing means here. A remote takes every such line from the
// host as a message. The host hears a leave, and a mover's move, WT or OK; a late or
// repeated bare answer from a remote belongs to no exchange and is passed over.
bool ExchangeIsMessage(int kind, int element, bool bare) {
    if (kind == kNetPC && bare) return false;
    if (Com.NetHost == 0) return true;
    switch (kind) {
    case kNetGS:
    case kNetDK:
    case kNetTR:
    case kNetRC:
    case kNetRS:
    case kNetLO:
        return false;
    case kNetLost:
        // A caller that never took a seat leaves nothing of the game behind.
        return element == 0 || ExchangeSeated(element);
    default:
        return true;
    }
}

// A new game or table: what was kept for the one before is no one's to take. What came
// before a leave or the end of a game is still taken (the last OK before a farewell).
bool ExchangeStartsGame(int kind) {
    return kind == kNetGS || kind == kNetLO || kind == kNetRC;
}

// Messages after which no exchange of the running game can be answered.
bool ExchangeEndsGame(int kind) {
    return kind == kNetLost || kind == kNetEG || ExchangeStartsGame(kind);
}

bool ExchangeTakeAside(std::array<int, kNetKinds>& aside, int kind) {
    if (kind <= kNetNone || kind >= kNetKinds || aside[static_cast<size_t>(kind)] == 0) return false;
    --aside[static_cast<size_t>(kind)];
    return true;
}

void ExchangeForgetKept() {
    X.kept = {};
    X.refused = {};
    X.repeated = {};
}

} // namespace

bool Exchange::Answered() const {
    return X.id == id_ && ExchangeComplete();
}

bool Exchange::Closed() const {
    return X.id != id_ || X.closed;
}

unsigned Net_Answerers(int except) {
    if (Com.NetHost == 0) return 1u;
    unsigned who = 0;
    for (int e = 1; e < kNetPeers; ++e)
        if (e != except && ExchangeSeated(e) && !Net_LeaveHeld(e)) who |= 1u << e;
    return who;
}

Exchange Net_Open(int kind, unsigned answerers) {
    X.id = ++X.lastId;
    X.kind = kind;
    X.awaited = answerers;
    X.answered = 0;
    X.closed = false;
    ++X.asks;
    if (ExchangeStartsGame(kind)) ExchangeForgetKept();
    Com.NetAckCount = 1;
    return Exchange(X.id);
}

bool Net_KindAnswered(int kind) {
    return X.kind == kind && ExchangeComplete();
}

unsigned Net_Awaited() {
    return X.closed ? 0u : X.awaited & ~X.answered;
}

int Net_AwaitedKind(int element) {
    if (element < 0 || element >= kNetPeers || X.closed) return kNetNone;
    const unsigned bit = 1u << element;
    return (X.awaited & bit) != 0 && (X.answered & bit) == 0 ? X.kind : kNetNone;
}

bool Net_Awaits(int kind, int element, bool bare) {
    if (kind <= kNetNone || kind >= kNetKinds || element < 0 || element >= kNetPeers) return false;
    const unsigned bit = 1u << element;
    return bare && !X.closed && X.kind == kind && (X.awaited & bit) != 0 && (X.answered & bit) == 0;
}

bool Net_Handle(int kind, int element, bool bare) {
    if (kind <= kNetNone || kind >= kNetKinds || element < 0 || element >= kNetPeers) return false;
    const unsigned bit = 1u << element;
    if (Net_Awaits(kind, element, bare)) {
        X.answered |= bit;
        ++Com.NetAckCount;
        // A remote's one answer is every answer there is.
        if (Com.NetHost == 0) Com.NetAckCount = Com.NumPlayers;
        return true;
    }
    if (!ExchangeIsMessage(kind, element, bare)) return false;
    ++X.heard[static_cast<size_t>(kind)];
    if (ExchangeEndsGame(kind)) {
        X.closed = true;
        ++X.epoch;
    }
    if (ExchangeStartsGame(kind)) ExchangeForgetKept();
    ++X.kept[static_cast<size_t>(element)][static_cast<size_t>(kind)];
    return false;
}

bool Net_Take(int kind, int element) {
    if (kind <= kNetNone || kind >= kNetKinds || element >= kNetPeers) return false;
    for (int e = 0; e < kNetPeers; ++e) {
        if (element >= 0 && e != element) continue;
        int& n = X.kept[static_cast<size_t>(e)][static_cast<size_t>(kind)];
        if (n > 0) {
            --n;
            return true;
        }
    }
    return false;
}

void Net_Refused(int kind) {
    if (kind > kNetNone && kind < kNetKinds) ++X.refused[static_cast<size_t>(kind)];
}

bool Net_TakeRefused(int kind) {
    return ExchangeTakeAside(X.refused, kind);
}

void Net_Repeated(int kind) {
    if (kind > kNetNone && kind < kNetKinds) ++X.repeated[static_cast<size_t>(kind)];
}

bool Net_TakeRepeated(int kind) {
    return ExchangeTakeAside(X.repeated, kind);
}

bool NetMark::Heard(int kind) const {
    if (kind <= kNetNone || kind >= kNetKinds) return false;
    return X.heard[static_cast<size_t>(kind)] > heard_[static_cast<size_t>(kind)];
}

bool NetMark::Ended() const {
    for (int kind : {kNetLost, kNetEG, kNetGS, kNetLO, kNetRC})
        if (Heard(kind)) return true;
    return false;
}

NetMark Net_Mark() {
    NetMark m;
    m.heard_ = X.heard;
    return m;
}

void Net_GameBegins() {
    X.flowEpoch = X.epoch;
}

bool Net_GameReplaced() {
    return X.epoch != X.flowEpoch;
}

void Net_HoldLeave(int element) {
    if (element < 0 || element >= kNetPeers) return;
    X.held |= 1u << element;
    // An answer still awaited from it will not come.
    X.awaited &= ~(1u << element);
}

bool Net_LeaveHeld(int element) {
    return element >= 0 && element < kNetPeers && (X.held & (1u << element)) != 0;
}

unsigned Net_ReleaseLeaves() {
    const unsigned held = X.held;
    X.held = 0;
    return held;
}

bool Net_Kept(int kind, int element) {
    if (kind <= kNetNone || kind >= kNetKinds || element < 0 || element >= kNetPeers) return false;
    return X.kept[static_cast<size_t>(element)][static_cast<size_t>(kind)] > 0;
}

namespace {
constexpr unsigned LinesBit(int kind) {
    return 1u << kind;
}
} // namespace

int Lines_Mover() {
    return X.mover;
}

unsigned Lines_Due() {
    return X.mover == 0 ? 0u : X.due;
}

void Lines_TurnBegins(int seat) {
    X.mover = seat;
    X.due = LinesBit(kNetPC);
}

void Lines_TurnPasses() {
    if (X.mover == 0 || Com.NumPlayers < 1) return;
    Lines_TurnBegins(X.mover % Com.NumPlayers + 1);
    // A stalemate choice kept aside belonged to the turn that ended.
    X.repeated[static_cast<size_t>(kNetOK)] = 0;
}

void Lines_Taken(int kind, int from, int to) {
    switch (kind) {
    case kNetPC: {
        const bool discard = to >= 7 && to <= 10;
        // The last side card may end the game: its OK follows at once.
        X.due = discard ? LinesBit(kNetOK) : LinesBit(kNetWT) | (from == 1 ? LinesBit(kNetOK) : 0u);
        break;
    }
    case kNetWT:
        X.due = LinesBit(kNetPC);
        break;
    case kNetOK:
        Lines_TurnPasses();
        break;
    case kNetDK:
        if (X.expected == kNetDK) X.expected = kNetTR;
        break;
    case kNetTR:
    case kNetRS:
        X.expected = kNetNone;
        break;
    case kNetGS:
    case kNetRC:
    case kNetLost:
    case kNetEG:
    case kNetLO:
        // The game of these moves is over; a remote's DEAL press answers the start that came.
        X.dealAnswer = Com.NetHost == 0 && (kind == kNetGS || kind == kNetRC) ? kind : kNetNone;
        X.mover = 0;
        X.due = 0;
        X.expected = kNetNone;
        break;
    default:
        break;
    }
}

void Lines_Expect(int kind) {
    X.expected = kind;
    ++X.asks;
}

int Lines_AskSerial() {
    return X.asks;
}

int Lines_Expected() {
    return X.expected;
}

int Lines_TakeDealAnswer() {
    const int answer = X.dealAnswer;
    X.dealAnswer = kNetNone;
    return answer;
}

void Lines_GameBegins() {
    ExchangeForgetKept();
    X.mover = 0;
    X.due = 0;
    X.expected = kNetNone;
}

void Exchange_Reset() {
    const auto heard = X.heard;
    const int asks = X.asks;
    X = ExchangeState{};
    X.heard = heard;
    X.asks = asks;
}
