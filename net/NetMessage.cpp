#include "net/NetMessage.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Exchange.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TurnOrder.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
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

// Answers that were in flight when the host ended the game belong to no exchange of the next one.
bool PassedOver(int state, const QByteArray& line) {
    if (state == kNetEG) Net.PassOverAnswers = true;
    if (state == kNetGS || state == kNetLO || state == kNetRC) Net.PassOverAnswers = false;
    const QByteArray bare = line.trimmed();
    return Net.PassOverAnswers && (bare == "PC" || bare == "WT" || bare == "OK");
}

// Host: a remote's GS or LO that no exchange of this program awaits (a stray line, or a late
// answer) asks nothing of it: it changes nothing, and no wait may end on it. The oldest
// programs answer their start without being asked.
bool StrayStart(int state, bool answer) {
    if (Com.NetHost == 0 || answer || (state != kNetGS && state != kNetLO)) return false;
    return state == kNetLO || Version_Above(Com.PeerVersion, kOldPeerVersion);
}

// The same line again from the element of the last one changes nothing, unless the open
// exchange awaits it; a layout on a remote is never a repeat. A remote keeps the host's
// repeat aside for the one wait that may ask for it.
bool Repeated(int socket, int state) {
    if (socket != Net.NetLastSock || state != Com.NetLastType[static_cast<size_t>(socket)]) return false;
    if (Com.NetHost != 0) return true;
    if (state == kNetLO) return false;
    Net_Repeated(state);
    return true;
}

// A player leaving while a game is being won, who owes no answer to it, leaves once the
// game is scored: the win stays an Internet game's, and its end no abandoned one.
bool LeaveWaits(int socket, int state) {
    if (state != kNetLost || !Eng.GameWinning || (Net_Awaited() & (1u << socket)) != 0) return false;
    Net_HoldLeave(socket);
    return true;
}

// A deck the decoder refused still ends the wait for it, and a snapshot ends the game at once:
// as any damaged table from the host, either ends the game on every side.
void KeepRefusedTable(const QByteArray& line) {
    if (Com.NetHost != 0) return;
    if (line.startsWith("DK")) Net_Refused(kNetDK);
    if (line.startsWith("RC")) Netl.RefuseDamaged(QStringLiteral("a field is not a number"));
}

void ProcessMessage(int socket, const QByteArray* line) {
    if (socket < 0 || socket >= kNetElements) throw std::out_of_range("no such socket element");
    if (line) Net.StateBefore = Com.NetState;
    if (line && Net_ParseMessage(*line, socket) == kNetRefused) {
        KeepRefusedTable(*line);
        return;
    }
    const int state = Com.NetState;
    if (Com.NetHost == 0 && line && PassedOver(state, *line)) return;
    const bool bare = line && LineBare(*line);
    const bool awaited = Net_Awaits(state, socket, bare);
    if (StrayStart(state, awaited) || (!awaited && Repeated(socket, state)) || LeaveWaits(socket, state)) {
        Com.NetState = Net.StateBefore;
        return;
    }
    Net.NetLastSock = socket;
    // Counted for its exchange, or kept as a message, before anything after it is read.
    const bool answer = Net_Handle(state, socket, bare);
    Net.LineAnswered = answer;
    KeepMove(state, answer);
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
