#pragma once
// "Internet Players Setup": the local player's name, avatar and chat phrases,
// the names and avatars the other players have on this machine, and the choice
// of the network score file (the default file or a competition).
#include "engine/Model.h"
#include "platform/Controls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

struct NetSetupState {
    QString NetPersonName; // the personality whose comments are the chat phrases
    bool NetSetupClosed = true;
};
extern NetSetupState NetSetup;
void NetSetup_Reset();

// Seats 2 to 4 are opponents 0 to 2; the player's own set-up is 3.
constexpr int kSetupPlayer = 3;

// The host's connection row (1 to 3) whose seat is `seat`; 0 when no row has it.
int NetSocketRowOfSeat(int seat);

class FrmMultiNET : public platform::Form {
  public:
    FrmMultiNET();

    QPushButton* CmdSetup[4] = {};
    QGroupBox* Frame1 = nullptr;
    QLabel *lblOppName = nullptr, *lblNameNote = nullptr, *lblOppSet2 = nullptr, *lblAvatar = nullptr;
    QLineEdit* TxtOpponent[2] = {};
    QComboBox *CboComment = nullptr, *CboOpponent = nullptr, *Combo1 = nullptr;
    QLabel* imgOppAvatar = nullptr;
    QScrollBar* HScrollAvatar = nullptr;
    QCheckBox *ckNoPlayerAvatar = nullptr, *ckShowAvatar = nullptr;
    QPushButton *Command1 = nullptr, *cmdExport = nullptr, *cmdSounds = nullptr;
    QGroupBox* fraScores = nullptr;
    QRadioButton* optNetScore[2] = {};
    QLabel *lblCompete = nullptr, *lblScoreFile = nullptr, *lblChoose = nullptr;
    QPushButton *CmdApply = nullptr, *cmdDone = nullptr, *CmdCancel = nullptr;

    int SetupShown = 0;
    QString AvatarShown;
    bool ChangedSetting = false;

    void SetAvatarHscroll(const QString& avatar);
    QString Avatar_Select(SeatRecord& seat);
    void ScoreFile_FillCombo();
    bool NetSetup_Validate();

    void CmdSetup_Click(int k);
    void CmdApply_Click();
    void HScrollAvatar_Change(int value);
    void ckNoPlayerAvatar_Click();
    void ckShowAvatar_Click();
    void Command1_Click();
    void cmdExport_Click();
    void cmdSounds_Click();
    void CboComment_Click();
    void optNetScore_Click(int index);
    void Combo1_Change(const QString& text);
    void Combo1_Click(int index);
    void TxtOpponent_Edited(int index);
    void cmdDone_Click();
    void CmdCancel_Click();
    // Edits made: "Save ..." enabled and the changed flag set.
    void Changed();

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    void BuildSetupBox();
    void BuildScoreBox();
    void ShowPlayerMode(bool player);
    void ShowAvatarPicture();
    void SavePlayer();
    void SaveOpponent(int k);
    void SaveSettingsPrompt(int shown);
    void WritePrefs();
    void SetScoreLabel(const QString& file);
    bool closing_ = false;
};

FrmMultiNET& frmMultiNET();
// The opponents set-up of an Internet game: the player's record read, the lists
// filled and the window shown modally.
void MultiNET_Show();
