#include "net/frmPlayers.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/Joining.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetState.h"
#include "platform/Services.h"
#include "shell/Utilities.h"

#include <QNetworkInterface>

namespace {

constexpr int kMaxAddress = 15;
constexpr int kMaxPort = 65535;

PlayersForm*& Instance() {
    static PlayersForm* form = nullptr;
    return form;
}

ConnectChoice Refused(const QString& text, const QString& title, bool addressField) {
    ConnectChoice c;
    c.text = text;
    c.title = title;
    c.addressField = addressField;
    return c;
}

// Three dots, searched one after the other from the second character.
bool HasThreeDots(const QString& a) {
    qsizetype p = 0;
    for (int k = 0; k < 3; ++k) {
        p = a.indexOf(QLatin1Char('.'), p + 1);
        if (p < 0) return false;
    }
    return true;
}

} // namespace

ConnectChoice Connect_Check(bool remote, const QString& address, const QString& portText) {
    const QString a = address.trimmed();
    if (remote && (a.isEmpty() || a.size() > kMaxAddress))
        return Refused(QStringLiteral("That's not a valid IP Address.") + kCrLf + kCrLf +
                           QStringLiteral("Please get your HOST'S IP Address.") + kCrLf +
                           QStringLiteral("You need to enter it for the connection to be made."),
                       QStringLiteral("Vornhelm Internet Game"), true);
    if (remote && !HasThreeDots(a))
        return Refused(QStringLiteral("Not a valid number. Must be in the format:") + kCrLf +
                           QStringLiteral("xxx.xxx.xxx.xxx"),
                       QStringLiteral("Incorrect IP Address!"), true);
    const double port = NumVal(portText);
    if (port < 1 || port > kMaxPort || port != static_cast<int>(port))
        return Refused(QStringLiteral("The port must be a number from 1 to 65535."),
                       QStringLiteral("Vornhelm Internet Game"), false);
    ConnectChoice c;
    c.ok = true;
    c.address = remote ? a : QString();
    c.port = static_cast<int>(port);
    return c;
}

QString OwnIPAddress() {
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack)) continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.ip().isLoopback()) return e.ip().toString();
    }
    return QStringLiteral("127.0.0.1");
}

PlayersForm::PlayersForm() : Form(QStringLiteral("frmPlayers")) {
    if (!Instance()) Instance() = this;
    Option1.On().Click = [this](int) { Option1_Click(); };
    Option2.On().Click = [this](int) { Option2_Click(); };
    cmdConnect.On().Click = [this](int) { cmdConnect_Click(); };
    CmdCancel.On().Click = [this](int) { CmdCancel_Click(); };
    SetEscapeButton(CmdCancel);
    cmdHelp.On().Click = [this](int) { cmdHelp_Click(); };
}

PlayersForm::~PlayersForm() {
    if (Instance() == this) Instance() = nullptr;
}

PlayersForm& frmPlayers() {
    if (!Instance()) new PlayersForm();
    return *Instance();
}

void PlayersForm::LayOut() {
    SetCaption(QStringLiteral("Vornhelm Internet Game"));
    SetClientSizePx(380, 300);
    lblSetup.SetWordWrap(true);
    lblSetup.SetGeometryPx(10, 8, 360, 48);
    lblPlayerName.SetCaption(QStringLiteral("Your name:"));
    lblPlayerName.SetGeometryPx(10, 64, 100, 20);
    txtPlayerName.SetGeometryPx(120, 62, 200, 22);
    Label4.SetCaption(QStringLiteral("Play as:"));
    Label4.SetGeometryPx(10, 96, 100, 20);
    Option1.SetCaption(QStringLiteral("Host"));
    Option1.SetGeometryPx(120, 94, 90, 22);
    Option2.SetCaption(QStringLiteral("Remote"));
    Option2.SetGeometryPx(220, 94, 100, 22);
    Label5.SetGeometryPx(10, 128, 360, 20);
    Text2.SetGeometryPx(120, 152, 200, 22);
    Label6.SetCaption(QStringLiteral("Host address:"));
    Label6.SetGeometryPx(10, 154, 100, 20);
    Label7.SetCaption(QStringLiteral("Port:"));
    Label7.SetGeometryPx(10, 188, 100, 20);
    Text3.SetGeometryPx(120, 186, 80, 22);
    cmdConnect.SetGeometryPx(10, 250, 140, 30);
    CmdCancel.SetCaption(QStringLiteral("Cancel"));
    CmdCancel.SetGeometryPx(160, 250, 100, 30);
    cmdHelp.SetCaption(QStringLiteral("Help"));
    cmdHelp.SetGeometryPx(270, 250, 100, 30);
}

void PlayersForm::Form_Load() {
    LayOut();
    if (HasTableForm() && frmGrulm().StatusMsg.Visible()) frmGrulm().StatusMsg.SetVisible(false);
    Option1.SetEnabled(true);
    Option2.SetEnabled(true);
    txtPlayerName.SetText(Com.PlayerName);
    Text3.SetText(QString::number(kDefaultPort));
    Label5.SetCaption(QStringLiteral("Click CONNECT to get your IP ADDRESS"));
    // Every opening is a new connection: nothing of the last one's address is offered.
    Text2.SetText(QString());
    cmdConnect.SetEnabled(true);
    lblSetup.SetCaption(QStringLiteral("One player must act as Host for an Internet game. All other players, should "
                                       "click the Remote option and then enter in the IP Address that the Host player "
                                       "gives them."));
    Option1.SetValue(true);
}

void PlayersForm::Option1_Click() {
    if (Option2.Value()) Option2.SetValue(false);
    Label5.SetCaption(QStringLiteral("Click CONNECT to get your IP ADDRESS"));
    Text2.SetVisible(false);
    Label6.SetVisible(false);
    cmdConnect.SetCaption(QStringLiteral("Connect"));
}

void PlayersForm::Option2_Click() {
    if (Option1.Value()) Option1.SetValue(false);
    Label5.SetCaption(QStringLiteral("Enter the Host's IP Address here:"));
    Label5.SetVisible(true);
    Text2.SetVisible(true);
    Label6.SetVisible(true);
    if (Text2.Widget()) Text2.Widget()->setFocus();
    cmdConnect.SetCaption(QStringLiteral("Ready to Connect"));
}

void PlayersForm::cmdConnect_Click() {
    const QString name = txtPlayerName.Text().trimmed();
    // The peers learn who plays from the first message: nothing is sent without a name.
    if (name.isEmpty() && Com.PlayerName.trimmed().isEmpty()) {
        platform::MsgBox(QStringLiteral("Please enter a name...\nI'd like to know who I'm playing with!"),
                         platform::vbExclamation, QStringLiteral("Unknown Player"));
        if (txtPlayerName.Widget()) txtPlayerName.Widget()->setFocus();
        return;
    }
    if (!name.isEmpty()) {
        if (BadFileName(name)) return;
        Com.PlayerName = name;
        if (HasTableForm()) frmGrulm().Label9(kLblHumanName).SetCaption(name);
    }
    const bool remote = Option2.Value();
    const ConnectChoice choice = Connect_Check(remote, Text2.Text(), Text3.Text());
    if (!choice.ok) {
        platform::MsgBox(choice.text, platform::vbCritical, choice.title);
        if (choice.addressField && Text2.Widget()) Text2.Widget()->setFocus();
        return;
    }
    if (HasTableForm()) frmGrulm().Table_Clear();
    Com.Pturn = 0;
    Option1.SetEnabled(false);
    Option2.SetEnabled(false);
    Com.NetState = kNetNone;
    Com.NetGame = kNetGameConnecting;
    Net.NetPort = choice.port;
    if (remote) {
        Net.NetHostAddress = choice.address;
        Com.NetHost = 0;
    } else {
        Label5.SetCaption(QStringLiteral("WAIT... Your IP Address will appear when ready:"));
        Com.NetHost = 1;
        SocketsInitialize();
        GetIPAddress();
        Net.NetPendingSocks.clear();
        Net.NetBusy = false;
    }
    // The window serves one connection attempt; the next opening loads it afresh.
    Unload();
}

void PlayersForm::CmdCancel_Click() {
    Com.NetGame = 0;
    Unload();
}

void PlayersForm::cmdHelp_Click() {
    Hooks.ShowHelp(QStringLiteral("Keyword"), QStringLiteral("Connection Window"));
}

void PlayersForm::GetIPAddress() {
    NetHooks.Chat_SetTranscript(
        QStringLiteral("You can verify the IP Address by going to the Help Menu, Visit the Internet Site, IP Address "
                       "Check") +
        kCrLf + kCrLf + QStringLiteral("HOST IP ADDRESS:") + kCrLf + OwnIPAddress());
}

bool PlayersForm::Form_QueryUnload() {
    if (UserClosing()) {
        Com.NetGame = 0;
        if (Winsock1().State(0) == platform::sckClosed) Net_KillTempSounds();
    }
    if (socketsStarted_) SocketsCleanup();
    return false;
}
