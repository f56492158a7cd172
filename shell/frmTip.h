#pragma once
// The tip of the day: one tip at a time, the one after the tip shown last.
#include "platform/Controls.h"
#include "platform/Inputs.h"

#include <QString>
#include <QStringList>

class TipForm : public platform::Form {
  public:
    TipForm();
    ~TipForm() override;

    platform::Image Image1{this, "Image1", -1};
    platform::Label lblHeading{this, "lblHeading", -1};
    platform::Shape shpPaper{this, "shpPaper", -1};
    platform::Label lblTipText{this, "lblTipText", -1};
    platform::CheckBox chkLoadTipsAtStartup{this, "chkLoadTipsAtStartup", -1};
    platform::CommandButton cmdNextTip{this, "cmdNextTip", -1};
    platform::CommandButton cmdHelp{this, "cmdHelp", -1};
    platform::CommandButton cmdOK{this, "cmdOK", -1};

    // Reads the tips of `path` and steps to the next one; false when there is no file.
    bool LoadTips(const QString& path);
    void DisplayCurrentTip();
    int CurrentTip() const { return current_; }
    int TipCount() const { return static_cast<int>(tips_.size()); }

    void chkLoadTipsAtStartup_Click();
    void cmdNextTip_Click();
    void cmdHelp_Click();
    void cmdOK_Click();

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    void Tip_Step(bool back);
    void LayOut();
    QStringList tips_;
    int current_ = 0;
    int loadHeight_ = 0;
};

// The one tip window, created on first use.
TipForm& frmTip();
