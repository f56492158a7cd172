#include "net/NetSockets.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Exchange.h"
#include "engine/GameOnTable.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/NetCodec.h"
#include "net/NetFraming.h"
#include "net/NetHooks.h"
#include "net/NetMessage.h"
#include "net/NetRows.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "platform/Text1252.h"

#include <QApplication>
#include <algorithm>

using platform::MsgBox;
using platform::sckClosed;
using platform::sckClosing;

namespace {

constexpr int kLastElement = 4;
// The first port a normal user may listen on, and the step from a refused port to a suggestion.
constexpr int kFirstUserPort = 1024;
constexpr int kUserPortShift = 10000;

void SetLabel9(int i, const QString& text) {
    if (!HasTableForm() || !frmGrulm().Label9.Exists(i)) return;
    frmGrulm().Label9(i).SetCaption(text);
}
void ShowStatus(const QString& text) {
    if (!HasTableForm()) return;
    frmGrulm().StatusMsg.SetCaption(text);
    frmGrulm().StatusMsg.SetVisible(true);
}
void HideStatus() {
    if (HasTableForm()) frmGrulm().StatusMsg.SetVisible(false);
}
void Beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

bool Alive(int e) {
    auto& ws = Winsock1();
    return ws.Exists(e) && ws.State(e) > sckClosed && ws.State(e) != sckClosing;
}

void Write(int e, const QByteArray& line) {
    const auto i = static_cast<size_t>(e);
    if (Net.AskMarked[i] != Lines_AskSerial()) {
        Net.AskMarked[i] = Lines_AskSerial();
        Net.AskMark[i] = Net.NetBuffer[i].size();
    }
    const QByteArray bytes = line + kNetDelim;
    Winsock1().SendData(e, bytes);
    Net_Trace(e, '>', bytes);
}

// The connection of element e is gone: every wait sees it.
void ConnectionLost(int e) {
    Net.StateBefore = Com.NetState;
    Com.NetState = kNetLost;
    Net_ProcessMessage(e);
}

void NobodyToConnectTo(const QString& title) {
    MsgBox(QStringLiteral("Nobody to connect to!") + kCrLf +
               QStringLiteral("You must be on the Internet first."),
           platform::vbCritical, title);
    Com.NetHost = kNetHostFailed;
}

// Ports below 1024 are the system's: a normal user may not listen there. The default port is
// one of them, so the player is told which port to take instead.
void PortRefused(int port) {
    const int other = port < kFirstUserPort ? port + kUserPortShift : kFirstUserPort;
    MsgBox(QStringLiteral("This computer does not let the game listen on port") + NumStr(port) +
               QStringLiteral(".") + kCrLf +
               QStringLiteral(
                   "Ports below 1024 need the administrator's permission. Choose a port from 1024 up, "
                   "such as") +
               NumStr(other) + QStringLiteral(", and give it to the other players with your address."),
           platform::vbExclamation, QStringLiteral("Vornhelm Internet Game"));
}

void ListenFailed(int number, const QString& description) {
    if (number == platform::sckAccessDenied)
        PortRefused(Net.NetPort);
    else
        MsgBox(QStringLiteral("Here's the problem:") + kCrLf + QStringLiteral("Error ") + NumStr(number) +
                   kCrLf + description,
               platform::vbInformation);
    Com.NetHost = 0;
    if (number == platform::sckAddressInUse)
        MsgBox(QStringLiteral(
                   "If you have changed the Port number, that Port number is already in use by another "
                   "application."),
               platform::vbInformation);
    NetHooks.NetCleanUp();
}

} // namespace

void NetHostListen() {
    auto& ws = Winsock1();
    Net.ClientSock = 0;
    ws.Close(0);
    ws.SetLocalPort(0, 0);
    ws.SetLocalPort(0, Net.NetPort);
    int number = 0;
    QString description;
    if (!ws.Listen(0, Net.NetPort, &number, &description)) {
        ListenFailed(number, description);
        return;
    }
    if (ws.LocalIP().isEmpty()) {
        NobodyToConnectTo(QString());
        return;
    }
    SetLabel9(kLblMessage, QString());
    SetLabel9(kLblComment, QString());
    ShowStatus(QStringLiteral("Give your IP address to the player(s)") + kCrLf +
               QStringLiteral("waiting to connect to your game."));
    Beep();
}

void NetConnectRemote() {
    auto& ws = Winsock1();
    const int c = Net.ClientSock;
    if (ws.State(c) != sckClosed) ws.Close(c);
    if (ws.LocalIP().isEmpty()) {
        NobodyToConnectTo(QStringLiteral("Vornhelm"));
        return;
    }
    ws.SetLocalPort(c, 0);
    if (Net.NetHostAddress.trimmed().isEmpty() || Net.NetPort <= 0 || Net.NetPort > 65535) {
        MsgBox(QStringLiteral("We're sorry, that number is not in service at this time.") + kCrLf +
                   QStringLiteral("Please check your number and dial again."),
               platform::vbExclamation, QStringLiteral("Vornhelm"));
        Com.NetHost = kNetHostFailed;
        return;
    }
    ws.Connect(c, Net.NetHostAddress.trimmed(), Net.NetPort);
    ShowStatus(QStringLiteral("Waiting for Host confirmation...") + kCrLf);
}

int Net_Send(const QString& message, int element) {
    if (element < 0) element = 1;
    if (Com.NetHost == 0) element = 0;
    auto& ws = Winsock1();
    if (!ws.Exists(element)) return element;
    const int state = ws.State(element);
    if (state == sckClosing) {
        if (Com.GameAbort)
            Com.NetState = kNetLost;
        else
            ConnectionLost(element);
        SetLabel9(kLblNotice, QString());
        return element;
    }
    if (state > sckClosed) Write(element, platform::ToCp1252(message));
    return element;
}

void Net_SendAll(const QString& message, int except) {
    const QByteArray line = platform::ToCp1252(message);
    for (int e = 1; e <= Net.NetSockCount && e <= kLastElement; ++e) {
        if (e == except || Row(e).InUse != kRowInUse || Net_LeaveHeld(e)) continue;
        if (Alive(e)) {
            Write(e, line);
        } else if (Com.NetState != kNetLost) {
            ConnectionLost(e);
            return;
        }
    }
}

void Net_SendIdentity(int element) {
    // The caller's time to identify itself runs from here.
    if (element >= 1 && element <= kLastElement)
        Net.CalledAt[static_cast<size_t>(element)] = platform::Svc().clock->Now();
    Net_Send(platform::FromCp1252(Msg_IP(element)), element);
}

void Net_RejectConnection(int element) {
    if (element < 1 || element > kLastElement) return;
    auto& ws = Winsock1();
    if (element <= Net.NetSockCount && ws.Exists(element)) {
        Write(element, Msg_SY(1, QStringLiteral("GRULM: So you want to play with us? Sorry I'm busy!")));
        Pause(kRejectPause);
        if (Alive(element)) {
            Write(element, Msg_Bare(kNetLost));
            Pause(kRejectPause);
        }
    }
    Net_FreeElement(element);
    if (Com.NetGame == 0) Com.NetState = kNetLost;
}

void Net_FreeElement(int element) {
    if (element < 1 || element > kLastElement) return;
    auto& ws = Winsock1();
    if (ws.Exists(element)) ws.Close(element);
    if (element == Net.NetSockCount) {
        if (ws.Exists(element)) ws.Unload(element);
        --Net.NetSockCount;
    }
    Row(element) = NetSocketRow{};
    Net.Counted[static_cast<size_t>(element)] = false;
    Net.Named[static_cast<size_t>(element)] = false;
    Net.NetBuffer[static_cast<size_t>(element)].clear();
}

void NetCloseClient() {
    auto& ws = Winsock1();
    if (ws.Exists(Net.ClientSock) && ws.State(Net.ClientSock) == platform::sckConnected)
        ws.Close(Net.ClientSock);
}

void NetCloseAll() {
    auto& ws = Winsock1();
    const int c = Net.ClientSock;
    if (ws.Exists(c) && ws.State(c) != sckClosed) ws.Close(c);
    for (int e = 1; e <= Net.NetSockCount; ++e)
        if (ws.Exists(e) && ws.State(e) != sckClosed) ws.Close(e);
}

void Winsock1_DataArrival(int index, qint64) {
    auto& ws = Winsock1();
    if (index < 0 || index > kLastElement || !ws.Exists(index)) return;
    const QByteArray bytes = ws.GetData(index);
    if (bytes.isEmpty()) return;
    QByteArray& buffer = Net.NetBuffer[static_cast<size_t>(index)];
    if (!Frame_Append(buffer, bytes, kMaxPendingLine)) {
        // A peer that sends an endless line has lost its way.
        buffer.clear();
        Net_Trace(index, '!', "line too long");
        ws.Close(index);
        ConnectionLost(index);
        Beep();
        return;
    }
    Net_DrainLines(index);
}

namespace {
// Lines a wait left for later are handled at the next turn of the event loop, as if they
// had come a moment after the one before.
void DrainSoon() {
    if (Net.DrainQueued) return;
    Net.DrainQueued = true;
    platform::Later(0, &Winsock1(), "Winsock1_DataArrival", [] {
        Net.DrainQueued = false;
        Net_Guard("Winsock1_DataArrival", [] {
            for (int e = 0; e < kNetElements; ++e)
                if (Net.NetBuffer[static_cast<size_t>(e)].contains(kNetDelim)) Net_DrainLines(e);
        });
    });
}
} // namespace

bool Net_DrainLines(int index) {
    if (index < 0 || index > kLastElement) return false;
    QByteArray& buffer = Net.NetBuffer[static_cast<size_t>(index)];
    QByteArray line;
    bool any = false;
    // Each line is cut off before it is handled: a nested arrival only appends.
    for (qsizetype before = buffer.size(); Frame_TakeLine(buffer, line); before = buffer.size()) {
        // A line that was here before this program asked for its start message is no answer to it.
        qsizetype& mark = Net.AskMark[static_cast<size_t>(index)];
        Net.LineEarly = mark > 0;
        mark = std::max<qsizetype>(0, mark - (before - buffer.size()));
        any = true;
        ++Net.LinesHandled;
        Net.NetDataIn = true;
        Net.NetSockIdx = index;
        const bool linked = Com.NetGame != 0;
        Net_Dispatch(index, line);
        if (linked && Com.NetGame == 0) {
            // The Internet game ended inside the handler: what follows is dropped.
            buffer.clear();
            return true;
        }
        // A waiting flow looks at each line before the next is read: the one that completes
        // its exchange lets it go on as it would had the rest come a moment later.
        if (Net.WaitDepth > 0) break;
    }
    if (buffer.contains(kNetDelim)) DrainSoon();
    // No wait step follows a snapshot line: a step that slept here, inside the handling of the
    // line an outer wait awaited, would keep that wait asleep until the next event came.
    return any;
}

void Net_LinkLost(int element) {
    if (element < 0 || element > kLastElement) return;
    if (Winsock1().Exists(element)) Winsock1().Close(element);
    Net.NetBuffer[static_cast<size_t>(element)].clear();
    ConnectionLost(element);
}

void Winsock1_Close(int index) {
    if (index < 0 || index > kLastElement) return;
    Net.NetBuffer[static_cast<size_t>(index)].clear();
    ConnectionLost(index);
    Beep();
}

namespace {
void ProblemBox(int number, const QString& description) {
    MsgBox(QStringLiteral("Here's the problem:") + kCrLf + QStringLiteral("Error ") + NumStr(number) + kCrLf +
               description,
           platform::vbInformation);
}

void RefusedBoxes(int number, const QString& description) {
    const QString advice =
        Com.NetHost == 1
            ? QStringLiteral("If you are acting as the HOST, your Firewall may be blocking the game.") +
                  kCrLf +
                  QStringLiteral("Change your Firewall settings to allow Vornhelm to act as a server.") +
                  kCrLf
            : QStringLiteral("The HOST is not listening!") + kCrLf +
                  QStringLiteral("HOST must obtain IP ADDRESS first and have started their Connection.") +
                  kCrLf + QStringLiteral("Check that you have the correct IP ADDRESS from the HOST.") + kCrLf;
    // The next try works as the program stands: no restart is needed, and one box says it all.
    MsgBox(advice + QStringLiteral("Error ") + NumStr(number) + kCrLf + description, platform::vbCritical,
           QStringLiteral("Vornhelm"));
    NetHooks.NetCleanUp();
    Com.NetHost = kNetHostFailed;
}
} // namespace

namespace {
// A host's connection to one remote while other remotes are still connected, or to a caller
// that has not joined: the host goes on with the others, or goes on listening.
bool OneOfSeveral(int index) {
    if (Com.NetHost != 1 || index < 1 || index > Net.NetSockCount || Row(index).InUse != kRowInUse)
        return false;
    if (Row(index).Seat == 0) return true;
    for (int e = 1; e <= Net.NetSockCount; ++e)
        if (e != index && Row(e).InUse == kRowInUse) return true;
    return false;
}
} // namespace

void Winsock1_Error(int index, int number, const QString& description) {
    switch (number) {
    case platform::sckConnectionRefused:
        RefusedBoxes(number, description);
        break;
    case platform::sckAddressInUse:
        MsgBox(QStringLiteral("Resetting the Local Port!") + kCrLf + QStringLiteral("Error ") +
                   NumStr(number) + kCrLf + description + kCrLf +
                   QStringLiteral("(No problem, just do the Vornhelm connection again.)"),
               platform::vbCritical, QStringLiteral("Vornhelm"));
        if (Winsock1().Exists(index)) Winsock1().SetLocalPort(index, 0);
        break;
    case platform::sckConnectionReset:
        ProblemBox(number, description);
        MsgBox(QStringLiteral("That means somebody got bumped off line.") + kCrLf +
                   QStringLiteral("And GRULM had absolutely nothing to do with it!"),
               platform::vbCritical, QStringLiteral("Vornhelm"));
        break;
    default:
        ProblemBox(number, description);
        break;
    }
    HideStatus();
    if (OneOfSeveral(index)) {
        // Only that player is gone: the others play on.
        Winsock1().Close(index);
        ConnectionLost(index);
        return;
    }
    if (Com.Pturn != 0 &&
        MsgBox(QStringLiteral("Do you want to save this game?"), platform::vbYesNo + platform::vbQuestion,
               QStringLiteral("Save Game")) == platform::vbYes)
        NetHooks.Game_Save();
    if (Com.NetHost != kNetHostFailed) NetHooks.NetCleanUp();
}
