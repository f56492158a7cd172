#pragma once
// The small pace-of-play window: a bar for the computer's pace, one for the card
// flights' smoothness. Its settings take effect at once and are not stored here.
#include "platform/Controls.h"

class QScrollBar;

// A scroll bar; Change fires when the value moves, by the player or in code.
class ScrollBar : public platform::Control {
  public:
    ScrollBar(platform::Form* form, QString name, int index, Qt::Orientation orientation);
    ~ScrollBar() override;
    int Value() const;
    void SetValue(int v);
    void SetRange(int min, int max);
    std::function<void()> Change = [] {};

  private:
    QScrollBar* Bar() const;
    QMetaObject::Connection moved_;
};

class SpeedForm : public platform::Form {
  public:
    SpeedForm();
    ~SpeedForm() override;

    platform::Label Frame1{this, "Frame1", -1};
    platform::Label Frame2{this, "Frame2", -1};
    ScrollBar HScroll1{this, "HScroll1", -1, Qt::Horizontal};
    platform::Label Label1{this, "Label1", -1};
    platform::Label Label2{this, "Label2", -1};
    platform::Label lblFast{this, "lblFast", -1};
    ScrollBar VScroll1{this, "VScroll1", -1, Qt::Vertical};
    platform::Label lblAni{this, "lblAni", -1};
    platform::Label Label3{this, "Label3", -1};
    platform::CommandButton Command1{this, "Command1", -1};

    void HScroll1_Change();
    void VScroll1_Change();
    void Command1_Click();

  protected:
    void Form_Load() override;
};

// The one pace window, created on first use.
SpeedForm& frmSpeed();
