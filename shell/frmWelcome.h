#pragma once
// The login window: the person at the keyboard picks a known player or types a
// new name, and the profile follows (an existing player's is loaded, a new name
// gets a record made from the defaults).
#include "platform/ComboBox.h"
#include "platform/Controls.h"

#include <QString>

class WelcomeForm : public platform::Form {
  public:
    WelcomeForm();
    ~WelcomeForm() override;

    platform::Label Label1{this, "Label1", -1};
    platform::ComboBox Combo1{this, "Combo1", -1, platform::vbComboDropdown};
    platform::CommandButton Command1{this, "Command1", -1};

    // Event handlers, public so tests can drive the window without a modal loop.
    void Combo1_Click();
    void Command1_Click();
    void Form_MouseMove(int button, int shift, double x, double y);
    void Label1_MouseMove(int button, int shift, double x, double y);

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    bool confirming_ = false;
    // Lets the window system move the caption-less window with the mouse.
    void StartDrag();
    void Refuse(const QString& text, const QString& title, bool emptyCombo);
};

// The one login window, created on first use.
WelcomeForm& frmWelcome();
