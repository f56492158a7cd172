#pragma once
// The chooser of up to three personalities whose sounds the chat window offers.
#include "media/MediaControls.h"
#include "platform/Controls.h"

class SoundsForm : public platform::Form {
  public:
    SoundsForm();
    ~SoundsForm() override;

    CheckList lstSounds{this, "lstSounds", -1};
    platform::Label lblDescription{this, "lblDescription", -1};
    platform::Label lblSounds{this, "lblSounds", -1};
    platform::CommandButton cmdDone{this, "cmdDone", -1};
    platform::CommandButton CmdCancel{this, "CmdCancel", -1};

    // Handlers, public so tests drive the window without its modal wait.
    void lstSounds_Click();
    void cmdDone_Click();
    void CmdCancel_Click();

    // The window opens where the Internet opponents window stands (twips).
    int OwnerLeft = 0, OwnerTop = 0;

  protected:
    void Form_Load() override;

  private:
    int ticked_ = 0;
    bool loading_ = false;
};

// The one chooser, created on first use.
SoundsForm& frmSounds();
