#pragma once
// The tutorial window: one step of text at a time with Back, Next and OK, playing
// on the real table. See shell/Tutorial.h for the steps and their tags.
#include "platform/Controls.h"

class TutorialForm : public platform::Form {
  public:
    TutorialForm();
    ~TutorialForm() override;

    platform::Label lblTipText{this, "lblTipText", -1};
    platform::CommandButton cmdBack{this, "cmdBack", -1};
    platform::CommandButton cmdNext{this, "cmdNext", -1};
    platform::CommandButton cmdOK{this, "cmdOK", -1};

    // Reads the steps and shows the first; false when the file is missing.
    bool LoadTips(const QString& path);
    void DisplayCurrentTip();
    // Carries out a step's tag; returns the text to show.
    QString ReadEnableInfo(const QString& step);

    void cmdNext_Click();
    void cmdBack_Click();
    void cmdOK_Click();
    // Closes without asking.
    void Close();
    // Beside the table's cards, above the table.
    void PlaceWindow();
    // Moves the window off the places the current step names, when it lies over one.
    void KeepClearOfStep();

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;

  private:
    void Tutorial_Step(bool back);
    // The window as high as the step's text needs, no higher than it opens: a low window
    // finds room beside the places a step names on a small screen.
    void FitToText();
    void StepActions();
    bool closing_ = false;
};

// The one tutorial window, created on first use.
TutorialForm& frmTutorial();
// Opens the tutorial; refused during an Internet game.
void Tutorial_Show();
// Fills the menu row, the first-run start, the engine's next-step call and the authoring input.
void Tutorial_Install();
