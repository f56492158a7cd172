#pragma once
// The house rules window: side-pile size, forced cards, the wild card as Ace,
// the shuffle and the number of center piles. It edits pending copies; only
// Apply writes them to the shared rules.
#include "engine/HouseRules.h"
#include "platform/Controls.h"
#include "platform/Inputs.h"
#include "platform/OptionButton.h"

class FrmRules : public platform::Form {
  public:
    FrmRules();

    platform::Label fraSideStack{this, "fraSideStack", -1};
    platform::ControlArray<platform::OptionButton> optSide{this, "optSide"};
    platform::Label fraForced{this, "fraForced", -1};
    platform::CheckBox chkNoForced{this, "chkNoForced", -1};
    platform::ControlArray<platform::CheckBox> chkForced{this, "chkForced"};
    platform::Label FraWild{this, "FraWild", -1};
    platform::CheckBox chkWild{this, "chkWild", -1};
    platform::Label fraShuffle{this, "fraShuffle", -1};
    platform::ControlArray<platform::OptionButton> optShuffle{this, "optShuffle"};
    platform::Label fraCenter{this, "fraCenter", -1};
    platform::ControlArray<platform::OptionButton> optCenter{this, "optCenter"};
    platform::CommandButton cmdSave{this, "cmdSave", -1};
    platform::CommandButton cmdReturn{this, "cmdReturn", -1};
    platform::CommandButton cmdDefault{this, "cmdDefault", -1};
    platform::CommandButton cmdHelp{this, "cmdHelp", -1};

    RulesPending Pending;

    // Checks the forced-card boxes that ForcedCards names.
    void CheckForcedCards();
    void cmdDefault_Click();
    void cmdSave_Click();

  protected:
    void Form_Load() override;

  private:
    void Design();
    void optCenter_Click(int index);
    void chkForced_Click(int index);
    void chkNoForced_Click();
    void ForcedFromBoxes();
    bool PeerAtMost(const char* gate) const;
};

// The one rules window, made on first use.
FrmRules& frmRules();
