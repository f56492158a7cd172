#pragma once
// The connection window: the player's name, host or remote, the port and, as a
// remote, the host's address. It only checks and records the choices; connecting
// follows once it has closed (NetGame kNetGameConnecting to go on, 0 when cancelled).
#include "platform/Controls.h"
#include "platform/Inputs.h"
#include "platform/OptionButton.h"

#include <QString>

// What a click on Connect decides, before anything changes: the address and port
// taken, or the message that keeps the window open.
struct ConnectChoice {
    bool ok = false;
    QString address;
    int port = 0;
    QString text, title; // the message when refused
    bool addressField = false; // the refusal concerns the address entry
};
ConnectChoice Connect_Check(bool remote, const QString& address, const QString& portText);
// The first IPv4 address of an interface that is up and not the loopback, else 127.0.0.1.
QString OwnIPAddress();

class PlayersForm : public platform::Form {
  public:
    PlayersForm();
    ~PlayersForm() override;

    platform::TextBox txtPlayerName{this, "txtPlayerName", -1};
    platform::OptionButton Option1{this, "Option1", -1};
    platform::OptionButton Option2{this, "Option2", -1};
    platform::TextBox Text2{this, "Text2", -1};
    platform::TextBox Text3{this, "Text3", -1};
    platform::Label Label5{this, "Label5", -1};
    platform::Label lblSetup{this, "lblSetup", -1};
    platform::Label lblPlayerName{this, "lblPlayerName", -1};
    platform::Label Label4{this, "Label4", -1};
    platform::Label Label6{this, "Label6", -1};
    platform::Label Label7{this, "Label7", -1};
    platform::CommandButton cmdConnect{this, "cmdConnect", -1};
    platform::CommandButton CmdCancel{this, "CmdCancel", -1};
    platform::CommandButton cmdHelp{this, "cmdHelp", -1};

    void Option1_Click();
    void Option2_Click();
    void cmdConnect_Click();
    void CmdCancel_Click();
    void cmdHelp_Click();
    // Nothing to start or release on this platform; the flag keeps the window's bookkeeping.
    void SocketsInitialize() { socketsStarted_ = true; }
    void SocketsCleanup() { socketsStarted_ = false; }
    // Shows the own address in the chat window for the host to pass on.
    void GetIPAddress();

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    void LayOut();
    bool socketsStarted_ = false;
};

// The one connection window, created on first use.
PlayersForm& frmPlayers();
