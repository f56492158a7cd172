#pragma once
// The splash window: the version on the table's board while the table starts.
#include "platform/Controls.h"

class SplashForm : public platform::Form {
  public:
    SplashForm();
    ~SplashForm() override;

    platform::Image Image1{this, "Image1", -1};
    platform::Label lblTitle{this, "lblTitle", -1};
    platform::Label lblVersion{this, "lblVersion", -1};
    platform::Label lblNotice{this, "lblNotice", -1};
    platform::Label lblPlatform{this, "lblPlatform", -1};
    platform::Label lblWarning{this, "lblWarning", -1};
    // Covers the window: a click anywhere closes it.
    platform::Label Frame1{this, "Frame1", -1};

    // The board and the fan, drawn once the window is on its way to the screen.
    void DrawPictures();
    void Form_KeyPress(int ascii);
    void Frame1_Click();

  protected:
    void Form_Load() override;
};

// The one splash window, created on first use.
SplashForm& frmSplash();
// A fan of cards drawn in code, the splash's and the About window's picture.
QImage Splash_CardFan(int width, int height);
