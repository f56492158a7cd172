#pragma once
// The host's table size for an Internet game: two to four players and, for two,
// three or four center piles; a button opens the house rules. It only records the
// choice in NumPlayers and NumCenters (Sav.DialogCancelled when nothing changed);
// the caller lays the table out and tells the peers.
#include "platform/Controls.h"
#include "platform/OptionButton.h"

class FrmRulesNET : public platform::Form {
  public:
    FrmRulesNET();

    platform::Label Label1{this, "Label1", -1};
    platform::ControlArray<platform::OptionButton> Option1{this, "Option1"};
    platform::Label fraCenters{this, "fraCenters", -1};
    platform::ControlArray<platform::OptionButton> optCenters{this, "optCenters"};
    platform::Label lblRules{this, "lblRules", -1};
    platform::CommandButton cmdRules{this, "cmdRules", -1};
    platform::CommandButton cmdDone{this, "cmdDone", -1};
    platform::CommandButton CmdCancel{this, "CmdCancel", -1};

    // The size chosen so far; it starts as the table's own.
    int ChosenPlayers = 0;
    int ChosenCenters = 0;

    void Option1_Click(int index);
    void optCenters_Click(int index);
    void cmdRules_Click();
    void cmdDone_Click();
    void CmdCancel_Click();

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    void Design();
    void SelectCenters(int centers);
    void ShowRulesCaption();
    bool closing_ = false;
    // The options set in code while loading are not choices.
    bool quiet_ = false;
};

// The one window, made on first use.
FrmRulesNET& frmRulesNET();
// Opens it modally; false when it was cancelled or nothing changed.
bool RulesNET_Choose();
