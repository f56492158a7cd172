#pragma once
// The save and restore window: the player picks one of the ten named slots of the
// saved-game file to save the running game into or to restore a game from. The
// caller reads Sav.SaveSlot, Sav.SaveName and Sav.DialogCancelled once it is hidden.
#include "platform/Controls.h"
#include "platform/Inputs.h"

using platform::CheckBox;
using platform::TextBox;

#include <QString>
#include <functional>

class SaveForm : public platform::Form {
  public:
    SaveForm();
    ~SaveForm() override;

    // Slots 1 to 10, and 11 the automatic save.
    platform::ControlArray<TextBox> Text1{this, "Text1"};
    platform::CommandButton cmdSave{this, "cmdSave", -1};
    platform::CommandButton Command2{this, "Command2", -1};
    CheckBox Check1{this, "Check1", -1};
    platform::Label Label1{this, "Label1", -1};

    // The slot chosen, 0 none.
    int Selected = 0;
    // The player's part of an Internet save's name; the network code fills it in.
    std::function<QString()> NetSlotName;

    // Lists the slots of the saved-game file for a save or a restore and sets the
    // window's mode (the main button's caption).
    void LoadSlots(bool restore);
    bool SaveMode() const;

    // Event handlers, public so tests can drive the window without a modal loop.
    void Text1_Click(int index);
    void Text1_MouseDown(int index, int button, int shift, double x, double y);
    void cmdSave_Click();
    void Command2_Click();
    void Check1_Click();
    void Check1_MouseUp(int button, int shift, double x, double y);

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    void Highlight(int index, bool on);
    // Set while the slots are listed: the check box's value follows the move history
    // without opening or closing it.
    bool filling_ = false;
    // The first slot's text as the save window offered it: a cancel asks first only once the
    // player has chosen a slot or typed a name.
    QString offered_;
    bool picked_ = false;
};

// The one save and restore window, created on first use.
SaveForm& frmSave();
