#pragma once
// The About window of the Help menu: title, version, what the game is, and the
// credits behind the icon.
#include "platform/Controls.h"

class AboutForm : public platform::Form {
  public:
    AboutForm();
    ~AboutForm() override;

    platform::PictureBox picIcon{this, "picIcon", -1};
    platform::Label lblTitle{this, "lblTitle", -1};
    platform::Label lblVersion{this, "lblVersion", -1};
    platform::Label lblDescription{this, "lblDescription", -1};
    platform::Label LblSite{this, "LblSite", -1};
    platform::Label Label2{this, "Label2", -1};
    platform::Label lblDis{this, "lblDis", -1};
    platform::Label credit{this, "credit", -1};
    platform::CommandButton cmdOK{this, "cmdOK", -1};

    void picIcon_Click();
    void cmdOK_Click();

  protected:
    void Form_Load() override;
};

// The one About window, created on first use.
AboutForm& frmAbout();
// The program's icon, drawn in code.
QImage About_Icon(int size);
