#pragma once
// The comment editor: twenty comments written, opened, saved under a set name in the
// user folder, exported, and given to the first opponent at once.
#include "platform/Controls.h"
#include "platform/Inputs.h"

#include <QStringList>

class QMenuBar;

// The editor's commands, as its File menu and buttons number them.
enum CustomCommand : int { kCusNew = 0, kCusOpen = 1, kCusSave = 2, kCusExport = 3 };

class CustomForm : public platform::Form {
  public:
    CustomForm();
    ~CustomForm() override;

    platform::Label lblInstruct{this, "lblInstruct", -1};
    platform::ControlArray<platform::Label> lblNumber{this, "lblNumber"};
    platform::ControlArray<platform::TextBox> Text1{this, "Text1"};
    platform::Label lblFile{this, "lblFile", -1};
    platform::TextBox FileTxt{this, "FileTxt", -1};
    platform::Label Label4{this, "Label4", -1};
    platform::CheckBox Check1{this, "Check1", -1};
    platform::ControlArray<platform::CommandButton> Command3{this, "Command3"};
    platform::CommandButton Command1{this, "Command1", -1};

    // Handlers, public so tests drive the window without its modal wait.
    void GetGoing_Click(int command);
    void ExitCus_Click();
    void HelpComments_Click();
    void Command1_Click();
    void Check1_Click();
    void Text1_Change(int i);
    // The editor's 20 texts become seat 2's comments now.
    void UseCommentsNow();

    bool Changed() const { return changed_; }
    QStringList Texts() const;

  protected:
    void Form_Load() override;

  private:
    void MakeMenu();
    void Layout();
    void Fill(const QStringList& texts);
    void NewSet();
    void OpenSet();
    bool SaveSet();
    void ExportSet();
    bool StopAtTooLong();
    void Focus(platform::Control& c);
    bool changed_ = false;
    QMenuBar* menu_ = nullptr;
};

// The one comment editor, created on first use.
CustomForm& frmCustom();
