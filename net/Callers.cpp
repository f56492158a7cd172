#include "net/Callers.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/TableCodes.h"
#include "net/NetCodec.h"
#include "net/NetRows.h"
#include "net/NetShow.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "platform/Connect.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kLastElement = 4;
// How often the host looks for callers that have stayed silent too long.
constexpr int kCallerWatchMs = 250;

double Now() {
    return platform::Svc().clock->Now();
}

bool Alive(int e) {
    auto& ws = Winsock1();
    return ws.Exists(e) && ws.State(e) > platform::sckClosed && ws.State(e) != platform::sckClosing;
}

// A caller on the line that has not yet said who it is, its identification and its name: it
// is nobody's player yet. A seat given by other means counts as a name.
bool OnItsWay(int e) {
    return Row(e).InUse == kRowInUse && Row(e).Seat == 0 && !Net.Named[static_cast<size_t>(e)];
}

// The timer lives as long as the program; it runs while a caller has yet to identify itself.
QTimer& CallerWatch() {
    static QTimer* watch = [] {
        auto* t = new QTimer;
        t->setInterval(kCallerWatchMs);
        platform::Connect(t, &QTimer::timeout, "timer", [] { Net_DropSilentCallers(); });
        return t;
    }();
    return *watch;
}

// The element a caller is taken on: the first free row of those created, else a new one. While
// a connection is being made NetGame counts nobody, so the free rows are looked for first.
int ElementForCaller() {
    auto& ws = Winsock1();
    for (int e = 1; e <= Net.NetSockCount; ++e) {
        if (Row(e).InUse != 0) continue;
        if (!ws.Exists(e)) ws.Load(e);
        return e;
    }
    if (Net.NetSockCount >= kLastElement) return 0;
    ++Net.NetSockCount;
    if (!ws.Exists(Net.NetSockCount)) ws.Load(Net.NetSockCount);
    return Net.NetSockCount;
}

enum class Refusal { OldOpponent, TableFull, LinesBusy };

QString RefusalText(Refusal why) {
    switch (why) {
    case Refusal::OldOpponent:
        return QStringLiteral(
            "Your current opponent does not have Vornhelm Multiplayer so new players cannot "
            "join this game.");
    case Refusal::TableFull:
        return QStringLiteral("Your game is setup for ") + QString::number(Com.NumPlayers) +
               QStringLiteral(
                   " players. Change the Player Setup if you want to add a player. Then ask the new "
                   "opponent to connect.");
    case Refusal::LinesBusy:
        break;
    }
    return QStringLiteral("Other callers are still on their way in. Ask the new opponent to connect again in "
                          "a moment.");
}

// The player hears of a refusal once; those that follow while the box is up, or soon after
// it, are counted on the table instead. A turn or another flow under way is not held up by a
// box a stranger's call puts up: it is told on the table.
void TellRefusal(Refusal why) {
    const QString told = QStringLiteral("A new opponent tried to join this game.") + kCrLf + RefusalText(why);
    if (Table_FlowRunning()) {
        Net_Label9(kLblMessage, told);
        return;
    }
    if (Net.RefusalBoxUp || Now() < Net.RefusalQuietUntil) {
        ++Net.RefusedUntold;
        Net_Label9(kLblMessage, QString::number(Net.RefusedUntold) +
                                    (Net.RefusedUntold == 1 ? QStringLiteral(" more caller was refused.")
                                                            : QStringLiteral(" more callers were refused.")));
        return;
    }
    Net.RefusedUntold = 0;
    Net.RefusalBoxUp = true;
    platform::MsgBox(told, platform::vbInformation, QStringLiteral("Connection Request Denied"));
    Net.RefusalBoxUp = false;
    Net.RefusalQuietUntil = Now() + kRefusalQuietTime;
}

void RefuseCaller(int e, Refusal why) {
    std::erase(Net.NetPendingSocks, e);
    Net_RejectConnection(e);
    if (why == Refusal::OldOpponent && Com.NetGame != 0 && Com.NetGame != kNetGameConnecting) Com.NetGame = 1;
    TellRefusal(why);
    Com.NetState = kNetNone;
}

// Why a further caller cannot come in, if it cannot. Only the players who have identified
// themselves count: a caller still silent may never be one.
std::optional<Refusal> Refused(int e) {
    // Before anyone has identified there is no version to refuse a caller for.
    const bool nobodyYet = Com.NetGame == kNetGameConnecting;
    if (!nobodyYet && !Version_Above(Com.PeerVersion, kOldPeerVersion)) return Refusal::OldOpponent;
    const int joined = nobodyYet ? 0 : Com.NetGame;
    if (joined + 1 >= Com.NumPlayers) return Refusal::TableFull;
    if (e == kLastElement) return Refusal::LinesBusy;
    return std::nullopt;
}

// The host does not wait here for the caller's answers: its game, its player and the other
// peers go on. Each answer is handled as it comes, and the caller watch lets a silent one go.
void AdmitCaller(int e) {
    Row(e).InUse = kRowInUse;
    Row(e).Socket = e;
    if (Net.NetSockCount < 2) {
        Net.ClientSock = 1;
        Net_SendIdentity(e);
        return;
    }
    if (!Alive(e)) return;
    if (const auto why = Refused(e)) {
        RefuseCaller(e, *why);
        return;
    }
    if (!Net.NetBusy) {
        Net_SendIdentity(e);
        Net.NetBusy = true;
    } else {
        Net.NetPendingSocks.push_back(e);
    }
}

} // namespace

void Winsock1_ConnectionRequest(int index, int requestId) {
    if (index != 0 || Com.NetHost != 1) return; // not accepted: the caller is dropped
    Net.NewVersion.clear();
    const int e = ElementForCaller();
    if (e == 0) {
        // Every line is taken: the caller is not even taken on, but the player hears of it.
        TellRefusal(*Refused(kLastElement));
        return;
    }
    auto& ws = Winsock1();
    ws.SetLocalPort(e, Net.NetPort);
    ws.Accept(e, requestId);
    Net.NetBuffer[static_cast<size_t>(e)].clear();
    Net.Counted[static_cast<size_t>(e)] = false;
    Net.Named[static_cast<size_t>(e)] = false;
    Net.CalledAt[static_cast<size_t>(e)] = Now();
    // A new caller's first message is not a repeat of what the element's last one sent.
    Com.NetLastType[static_cast<size_t>(e)] = kNetNone;
    if (Net.NetLastSock == e) Net.NetLastSock = 0;
    CallerWatch().start();
    AdmitCaller(e);
}

void Net_DropSilentCallers() {
    bool waiting = false;
    for (int e = 1; e <= std::min(Net.NetSockCount, kLastElement); ++e) {
        if (Com.NetHost != 1 || Com.NetGame == 0) break;
        if (!OnItsWay(e)) continue;
        const bool held =
            std::find(Net.NetPendingSocks.begin(), Net.NetPendingSocks.end(), e) != Net.NetPendingSocks.end();
        // A caller whose identification is held back has not been asked for its own yet.
        if (held || Now() - Net.CalledAt[static_cast<size_t>(e)] < kCallerIdentifyLimit) {
            waiting = true;
            continue;
        }
        Net_Trace(e, '!', "no identification or name in time");
        Net_LinkLost(e);
    }
    if (!waiting) CallerWatch().stop();
}

bool Net_CallerComing() {
    if (Com.NetHost != 1) return false;
    for (int e = 1; e <= std::min(Net.NetSockCount, kLastElement); ++e)
        if (Row(e).InUse == kRowInUse && Row(e).Seat == 0 && Net.Counted[static_cast<size_t>(e)]) return true;
    return false;
}
