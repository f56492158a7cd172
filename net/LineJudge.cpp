#include "net/LineJudge.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Exchange.h"
#include "engine/Model.h"
#include "net/NetCodec.h"
#include "net/NetRows.h"
#include "net/NetState.h"

namespace {

// Kinds whose message carries fields; the others are bare, as every answer is.
bool Fielded(int kind) {
    switch (kind) {
    case kNetIP:
    case kNetNM:
    case kNetLO:
    case kNetDK:
    case kNetTR:
    case kNetPC:
    case kNetRC:
        return true;
    default:
        return false;
    }
}

// A hand's worth of cards: a remote that has not yet drawn the host's last refill may see
// this many left when the host's reshuffle or stalemate comes.
constexpr int kLagCards = 5;

bool LineSeated(int e) {
    const NetSocketRow& r = Com.NetSockets.at(static_cast<size_t>(e));
    return r.InUse == kRowInUse && r.Seat >= 1;
}

// The host's element of the seat on turn by the lines.
int LineMoverElement() {
    const int mover = Lines_Mover();
    for (int e = 1; e < kNetElements; ++e)
        if (LineSeated(e) && Com.NetSockets.at(static_cast<size_t>(e)).Seat + 1 == mover) return e;
    return -1;
}

// The messages a wait needs: the seat on turn's moves, a remote's start messages and stock.
unsigned Needed(int e) {
    if (Com.NetHost != 0) return e == LineMoverElement() ? Lines_Due() : 0u;
    unsigned m = Lines_Mover() >= 2 ? Lines_Due() : 0u;
    if (Lines_Expected() != kNetNone) m |= LineBit(Lines_Expected());
    if (Lines_Mover() != 0 && Eng.DeckCount <= kLagCards) m |= LineBit(kNetDK);
    // The host's snapshot replaces the game whenever it comes: one that cannot be read
    // leaves nothing to play on.
    if (Com.NetGame != 0 && Com.NetGame != kNetGameConnecting && !Net.HostNameDue) m |= LineBit(kNetRC);
    return m;
}

unsigned HostAwaits(int e) {
    if (!LineSeated(e)) return Net.Counted.at(static_cast<size_t>(e)) ? LineBit(kNetNM) : LineBit(kNetIP);
    unsigned m = 0;
    // The oldest programs answer their start without being asked.
    if (!Version_Above(Com.PeerVersion, kOldPeerVersion)) m |= LineBit(kNetGS);
    if (e == LineMoverElement()) m |= Lines_Due();
    return m;
}

// A stalemate may be declared now, or was: the host's choice to reshuffle may come.
bool StalePossible() {
    return Eng.StaleMode == 1 || (Lines_Mover() != 0 && Eng.UsedCount == 0 && Eng.DeckCount <= kLagCards);
}

unsigned RemoteAwaits() {
    if (Com.NetGame == 0 || Com.NetGame == kNetGameConnecting) return LineBit(kNetIP);
    if (Net.HostNameDue) return LineBit(kNetNM);
    // The host may start, end, lay out or resume a game at any moment.
    unsigned m = LineBit(kNetGS) | LineBit(kNetEG) | LineBit(kNetLO) | LineBit(kNetRC);
    const int expected = Lines_Expected();
    if (expected != kNetNone) m |= LineBit(expected);
    const int mover = Lines_Mover();
    if (mover >= 2) m |= Lines_Due();
    // A reshuffled stock, once, when the stock runs out.
    if (mover != 0 && Eng.DeckCount <= kLagCards && !Net_Kept(kNetDK, 0)) m |= LineBit(kNetDK);
    if (StalePossible()) m |= LineBit(kNetOK);
    return m;
}

} // namespace

LineVerdict Line_Judge(const LineMoment& now, const LineSeen& line) {
    const int kind = line.kind;
    // A farewell is news at any moment; an unknown code never is.
    if (kind == kNetLost) return LineVerdict::Take;
    if (kind <= kNetNone || kind >= 32) return LineVerdict::PassOver;
    const bool answer = now.answer == kind;
    const bool message = (now.messages & LineBit(kind)) != 0;
    const bool awaited = answer || (now.needed & LineBit(kind)) != 0;
    if (!line.readable) return awaited ? LineVerdict::Refuse : LineVerdict::PassOver;
    if (Fielded(kind)) {
        // The bare form is an answer, or a repeat of one: it carries no message.
        if (line.bare) return answer ? LineVerdict::Take : LineVerdict::PassOver;
        return message ? LineVerdict::Take : LineVerdict::PassOver;
    }
    if (!line.bare) return awaited ? LineVerdict::Refuse : LineVerdict::PassOver;
    return answer || message ? LineVerdict::Take : LineVerdict::PassOver;
}

LineMoment Line_Moment(int element, bool early) {
    LineMoment m;
    if (element < 0 || element >= kNetElements) return m;
    m.answer = Net_AwaitedKind(element);
    m.needed = (Com.NetHost != 0) == (element != 0) ? Needed(element) : 0u;
    if (Com.NetHost != 0)
        m.messages = element == 0 ? 0u : HostAwaits(element);
    else
        m.messages = element == 0 ? RemoteAwaits() : 0u;
    // A line received before the question it would answer answers nothing.
    if (early) m.answer = kNetNone;
    if (early && Lines_Expected() != kNetNone) {
        m.messages &= ~LineBit(Lines_Expected());
        m.needed &= ~LineBit(Lines_Expected());
    }
    return m;
}
