#include "net/NetMessage.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Exchange.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TurnOrder.h"
#include "net/LineJudge.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/Recover.h"
#include "platform/Services.h"
#include "platform/Text1252.h"

#include <stdexcept>

NetHooksT NetHooks;

void Net_Guard(const char* stage, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        platform::MsgBox(QStringLiteral("Here's the problem:") + kCrLf +
                             QStringLiteral("Unanticipated error in ") + QLatin1String(stage) + kCrLf +
                             QString::fromLocal8Bit(e.what()),
                         platform::vbInformation);
    }
}

namespace {

void CountConnection(int socket) {
    if (Net.Counted[static_cast<size_t>(socket)]) return;
    if (Com.NetGame == kNetGameConnecting) Com.NetGame = 0;
    ++Com.NetGame;
    Net.Counted[static_cast<size_t>(socket)] = true;
}

// A peer of an older program: two players at three center piles, perhaps the default rules.
void PlayOlderPeer() {
    QString notice = QStringLiteral("Your opponent does not have the lastest version of Vornhelm.") + kCrLf +
                     QStringLiteral("Not all online game features are available.");
    if (Com.NumPlayers != 2 || Com.NumCenters != 3) {
        Com.PrevPlayers = Com.NumPlayers;
        Com.PrevCenters = Com.NumCenters;
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        Com.TotalCards = 104;
        NetHooks.Table_Relayout();
    }
    if (Version_AtMost(Com.PeerVersion, kVersionDefaultRules)) {
        notice += kCrLf + kCrLf + QStringLiteral("Only House Rules are in effect.");
        Com.SideSize = 19;
        Com.ForcedCards = 0;
        Com.NoWildAce = false;
    }
    platform::MsgBox(notice, platform::vbInformation, QStringLiteral("Playing older version."));
}

int ApplyIP(const NetMessage& m, int socket) {
    const bool host = Com.NetHost != 0;
    if (host) CountConnection(socket);
    Com.NetState = kNetIP;
    Com.NetText = m.text;
    Net.NewVersion = m.version;
    if (Version_AtMost(m.version, kVersionRanksOnly)) Net.HandSortOff = true;
    if (!host && Version_Above(m.version, kOldPeerVersion)) Com.NetSeat = m.seat;
    if (!host || Com.NetGame == 1) {
        Com.PeerVersion = m.version;
    } else if (!Version_Above(Com.PeerVersion, kOldPeerVersion)) {
        // A second player cannot join a game with an old program: refused, and no longer counted.
        Com.NetState = kNetNone;
        Net_RejectConnection(socket);
        --Com.NetGame;
        return kNetNone;
    }
    if (Version_Above(m.version, kOldPeerVersion)) return kNetIP;
    if (host && Com.NetGame >= 2) {
        platform::MsgBox(QStringLiteral("An opponent tried to join this game who is not using Vornhelm "
                                        "Multiplayer. They cannot join this game."),
                         platform::vbCritical, QStringLiteral("Connection Request Denied"));
        Com.NetState = kNetNone;
        // The caller that sent the old identification is refused, whatever element it landed on.
        Net_RejectConnection(socket);
        --Com.NetGame;
        return kNetNone;
    }
    PlayOlderPeer();
    return Com.NetState;
}

void PlaceLayoutNames(const NetMessage& m) {
    const int players = m.num == kLayoutTwoFour ? 2 : m.num;
    for (int hostSeat = 1; hostSeat <= players; ++hostSeat) {
        const int local = HostToLocalSeat(players, m.seat, hostSeat);
        if (local < 2) continue;
        const QString name = hostSeat == 1 ? Net.NetOppName : m.names.value(hostSeat - 2).trimmed();
        SeatRecordOf(local).RecName = name;
    }
}

int Apply(const NetMessage& m, int socket) {
    Com.NetState = m.code;
    switch (m.code) {
    case kNetIP:
        return ApplyIP(m, socket);
    case kNetLO:
        if (m.bare) break; // the answer to a layout
        Com.NetNum = m.num;
        Com.NetSeat = m.seat;
        if (Com.NetHost == 0) PlaceLayoutNames(m);
        break;
    case kNetNM:
    case kNetDK:
    case kNetRC:
        Com.NetText = m.text;
        break;
    case kNetTR:
    case kNetWT:
        Com.NetNum = m.num;
        break;
    case kNetLost:
        Com.NetNum = 0;
        break;
    case kNetPC:
        Com.NetNum = m.num;
        Com.NetText = m.text;
        break;
    default:
        break;
    }
    return Com.NetState;
}

} // namespace

NetDecodeContext Net_Context() {
    NetDecodeContext ctx;
    ctx.host = Com.NetHost != 0;
    ctx.peerVersion = Com.PeerVersion;
    ctx.numPlayers = Com.NumPlayers;
    ctx.numCenters = Com.NumCenters;
    return ctx;
}

int Net_ParseMessage(const QByteArray& line, int socket) {
    if (socket < 0 || socket >= kNetElements) throw std::out_of_range("no such socket element");
    const NetDecoded d = Net_Decode(line, Net_Context());
    if (!d.ok) {
        Net_Trace(socket, '!', d.refusal.toLatin1());
        return kNetRefused;
    }
    return Apply(d.msg, socket);
}

namespace {
// A line without fields: the bare form every answer takes.
bool LineBare(const QByteArray& line) {
    return line.mid(2).trimmed().isEmpty();
}

// A move of the seat on turn: what it moves, for the turn that plays it.
void KeepMove(int state, bool answer) {
    if (state == kNetPC) {
        if (!answer && Com.NetText.trimmed().size() > 0) {
            Net.NetMoveFrom = Com.NetNum;
            Net.NetMoveTo = NumVal16(Com.NetText);
        }
        Com.NetAnswered = true;
    }
}

// A player leaving while a game is being won, who owes no answer to it, leaves once the
// game is scored: the win stays an Internet game's, and its end no abandoned one.
bool LeaveWaits(int socket, int state) {
    if (state != kNetLost || !Eng.GameWinning || (Net_Awaited() & (1u << socket)) != 0) return false;
    Net_HoldLeave(socket);
    return true;
}

// A damaged line where its kind was awaited: the game ends on the damaged-data path. A
// damaged stock goes to the deal or reshuffle that waits for it, which says so; a caller
// not yet seated is no game's, and its damaged greeting is only passed over.
void RefuseLine(int socket, const NetDecoded& d) {
    const QString why =
        d.refusal.isEmpty() ? QStringLiteral("a line without the fields it needs") : d.refusal;
    Net_Trace(socket, '!', why.toLatin1());
    if (d.msg.code == kNetIP || d.msg.code == kNetNM) return;
    if (Com.NetHost == 0 && d.msg.code == kNetDK) {
        Net_Refused(kNetDK);
        return;
    }
    Net_RefuseDamagedFrom(socket, why);
}

// A remote: the host's OK that no mover owes is its choice to reshuffle a stalemate, kept
// aside for the stalemate's wait alone.
bool StaleChoice(int state) {
    if (Com.NetHost != 0 || state != kNetOK) return false;
    if (Lines_Mover() >= 2 && (Lines_Due() & LineBit(kNetOK)) != 0) return false;
    Net_Repeated(kNetOK);
    return true;
}

// What a message taken means for the lines that may follow it.
void FollowLines(int socket, int state, bool answer) {
    if (answer) return;
    if (Com.NetHost == 0) {
        Net.HostNameDue = state == kNetIP;
    } else if (state == kNetGS || state == kNetIP || state == kNetNM) {
        // The host's games start and end by its own lines, not by a remote's.
        return;
    }
    if (state == kNetLost && Com.NetHost != 0 && !Com.NetSockets.at(static_cast<size_t>(socket)).Seat) return;
    Lines_Taken(state, Net.NetMoveFrom, Net.NetMoveTo);
}

// The line judged against what this program awaits from its sender, and applied when taken.
// False when it changes nothing.
bool TakeLine(int socket, const QByteArray& line) {
    const NetDecoded d = Net_Decode(line, Net_Context());
    const LineSeen seen{d.msg.code, LineBare(line), d.ok};
    const bool early = Net.LineEarly;
    Net.LineEarly = false;
    switch (Line_Judge(Line_Moment(socket, early), seen)) {
    case LineVerdict::PassOver:
        Net_Trace(socket, '-', QByteArrayLiteral("passed over"));
        return false;
    case LineVerdict::Refuse:
        RefuseLine(socket, d);
        return false;
    case LineVerdict::Take:
        break;
    }
    Net.StateBefore = Com.NetState;
    Apply(d.msg, socket);
    return true;
}

void ProcessMessage(int socket, const QByteArray* line) {
    if (socket < 0 || socket >= kNetElements) throw std::out_of_range("no such socket element");
    if (line && !TakeLine(socket, *line)) return;
    const int state = Com.NetState;
    if (LeaveWaits(socket, state)) {
        Com.NetState = Net.StateBefore;
        return;
    }
    Net.NetLastSock = socket;
    const bool bare = line && LineBare(*line);
    const bool awaited = Net_Awaits(state, socket, bare);
    if (!awaited && StaleChoice(state)) return;
    // Counted for its exchange, or kept as a message, before anything after it is read.
    const bool answer = Net_Handle(state, socket, bare);
    Net.LineAnswered = answer;
    KeepMove(state, answer);
    if (line) FollowLines(socket, state, answer);
    if (Com.NetHost == 0)
        NetHooks.RemoteCases(socket);
    else
        NetHooks.HostCases(socket);
    if (Net.SkipClosing) {
        Net.SkipClosing = false;
        return;
    }
    Com.NetLastType[static_cast<size_t>(socket)] = Com.NetState;
    if (Com.NetHost == 0) return;
    Net.NetBusy = false;
    if (!Net.NetPendingSocks.empty()) {
        const int pending = Net.NetPendingSocks.front();
        Net.NetPendingSocks.pop_front();
        // The others wait for this caller's answer, as they would behind any exchange.
        Net.NetBusy = !Net.NetPendingSocks.empty();
        Net_SendIdentity(pending);
    }
}
} // namespace

void Net_ProcessMessage(int socket, const QByteArray* line) {
    Net_Guard("GetMessage-TOP", [&] { ProcessMessage(socket, line); });
}

void Net_RunHeldLeaves() {
    const unsigned held = Net_ReleaseLeaves();
    for (int e = 0; e < kNetElements && held != 0; ++e) {
        if ((held & (1u << e)) == 0) continue;
        Net.StateBefore = Com.NetState;
        Com.NetState = kNetLost;
        Net_ProcessMessage(e);
    }
}

void Net_Dispatch(int socket, const QByteArray& line) {
    Net_Trace(socket, '<', line);
    if (line.startsWith("SY") || line.startsWith("PK")) {
        Net.LineEarly = false; // chat answers no question
        Net_Guard("GetMessage-TOP", [&] {
            const NetDecoded d = Net_Decode(line, Net_Context());
            if (!d.ok) {
                Net_Trace(socket, '!', d.refusal.toLatin1());
                return;
            }
            NetHooks.Net_ProcessChat(platform::FromCp1252(line), socket);
        });
        return;
    }
    Net_ProcessMessage(socket, &line);
}
