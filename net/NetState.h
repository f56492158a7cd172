#pragma once
// The network subsystem's own state: the socket array, the framing buffers,
// the protocol trace and the link details that the shared state does not hold.
#include "platform/Winsock.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <deque>

inline constexpr int kNetElements = 5;
inline constexpr int kDefaultPort = 1001;
// A peer whose pending line grows past this has lost its way: the connection counts as lost.
inline constexpr int kMaxPendingLine = 64 * 1024;
inline constexpr int kTraceKept = 2000;

struct NetTraceEntry {
    int element = 0;
    char direction = '<'; // '<' received, '>' sent, '!' refused
    QByteArray bytes;
};

struct NetStateT {
    int NetPort = kDefaultPort;
    QString NetHostAddress;
    // Host: the first accepted element (1), 0 while listening. Remote: its connection (0).
    int ClientSock = 0;
    // Host: the highest element 1 to 4 created so far.
    int NetSockCount = 0;
    // Bytes received and not yet cut into lines, one buffer per element.
    std::array<QByteArray, kNetElements> NetBuffer{};
    bool NetDataIn = false;
    int NetSockIdx = 0;
    bool NetBusy = false;
    // Host: callers waiting for their identification while another exchange is open, first come first.
    std::deque<int> NetPendingSocks;
    int NetReady = 0;
    QString NewVersion;
    bool HandSortOff = false;
    QString NetOppName = QStringLiteral("Grulm");
    int NetLastSock = 0;
    int NetMoveFrom = 0;
    int NetMoveTo = 0;
    // Remote: the host has identified itself and its player's name is due.
    bool HostNameDue = false;
    // Bytes of each element received before this program's latest question to it (an
    // exchange opened, a start message expected), the question marked, and whether the line
    // being handled was among those bytes.
    std::array<qsizetype, kNetElements> AskMark{};
    std::array<int, kNetElements> AskMarked{};
    bool LineEarly = false;
    // A connection is counted into NetGame once, by its identification.
    std::array<bool, kNetElements> Counted{};
    // Host: each caller's name has come (the player may still be asked to let it in).
    std::array<bool, kNetElements> Named{};
    // Host: when each caller was asked for its identification, by the clock.
    std::array<double, kNetElements> CalledAt{};
    // Host: a refusal box is up, or was until this time; the refusals since, not yet told.
    bool RefusalBoxUp = false;
    double RefusalQuietUntil = 0;
    int RefusedUntold = 0;
    std::deque<NetTraceEntry> Trace;
    // A remote seat's turn is being played; a clean-up meanwhile ends the turn when it returns
    // (its flight still needs the seat).
    bool RemoteTurnRunning = false;
    bool TurnEndPending = false;
    // The cases ended the handling of a message: the closing steps are left out.
    bool SkipClosing = false;
    // What NetState was before the message or lost connection being handled; a message
    // that changes nothing puts it back, so no wait takes it for news.
    int StateBefore = 0;
    // This program has said its farewell: what the others do about it is no news to it.
    bool Leaving = false;
    // The move history was closed for the Internet game and is opened again at its end.
    bool MovesReopen = false;
    // A won Internet game's table was kept with its players seated: the computer opponents
    // sit down again when it is cleared.
    bool SeatsKept = false;
    // The line being handled answered the exchange that was open.
    bool LineAnswered = false;
    // Wait steps on the stack, and a later handling of the lines they left.
    int WaitDepth = 0;
    // Lines handled so far: a wait step that sees this change has news to look at.
    long LinesHandled = 0;
    bool DrainQueued = false;
};

extern NetStateT Net;
// Closes every socket and clears the state.
void Net_Reset();
platform::Winsock& Winsock1();
void Net_Trace(int element, char direction, const QByteArray& bytes);
