#pragma once
// The opponents editor: how many opponents play, and each one's personality, level,
// comment set, sound set and avatar; a personality's custom sounds; the player's own
// avatar; and the switches for personality sounds and the win and lose animations.
#include "media/MediaControls.h"
#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/Inputs.h"
#include "platform/OptionButton.h"

#include <QStringList>

constexpr int kPlayerSetup = 3; // the set-up button and seat of the player himself

class MultiForm : public platform::Form {
  public:
    MultiForm();
    ~MultiForm() override;

    platform::Label lblChoose{this, "lblChoose", -1};
    platform::ControlArray<platform::OptionButton> Option1{this, "Option1"};
    platform::Label fraCenters{this, "fraCenters", -1};
    platform::ControlArray<platform::OptionButton> optCenters{this, "optCenters"};
    platform::ControlArray<platform::CommandButton> CmdSetup{this, "CmdSetup"};
    platform::Label Frame1{this, "Frame1", -1};
    platform::ControlArray<platform::Label> lblOppSet{this, "lblOppSet"};
    platform::ComboBox CboOpponent{this, "CboOpponent", -1};
    platform::ComboBox CboOppLevel{this, "CboOppLevel", -1};
    platform::ComboBox CboComment{this, "CboComment", -1};
    platform::Label lblDescription{this, "lblDescription", -1};
    platform::ControlArray<platform::OptionButton> OptWav{this, "OptWav"};
    platform::CommandButton cmdSounds{this, "cmdSounds", -1};
    platform::Label lblAvatar{this, "lblAvatar", -1};
    platform::Label lblPlayer{this, "lblPlayer", -1};
    platform::Image imgOppAvatar{this, "imgOppAvatar", -1};
    HScroll HScrollAvatar{this, "HScrollAvatar", -1};
    platform::CheckBox ckShowAvatar{this, "ckShowAvatar", -1};
    platform::CheckBox ckNoPlayerAvatar{this, "ckNoPlayerAvatar", -1};
    platform::CommandButton Command1{this, "Command1", -1};
    platform::CommandButton cmdExport{this, "cmdExport", -1};
    platform::CommandButton CmdApply{this, "CmdApply", -1};
    platform::CommandButton cmdDone{this, "cmdDone", -1};
    platform::CommandButton CmdCancel{this, "CmdCancel", -1};
    platform::CommandButton cmdHelp{this, "cmdHelp", -1};
    platform::Label fraGeneral{this, "fraGeneral", -1};
    platform::Label lblGeneral{this, "lblGeneral", -1};
    platform::ControlArray<platform::CheckBox> Check1{this, "Check1"};
    platform::Label Frame2{this, "Frame2", -1};
    platform::ControlArray<platform::CommandButton> OptPlay{this, "OptPlay"};
    platform::Label imgPoint{this, "imgPoint", -1};
    platform::CommandButton CmdChangeSound{this, "CmdChangeSound", -1};
    platform::CommandButton cmdResetSounds{this, "cmdResetSounds", -1};
    platform::CommandButton CmdSaveSounds{this, "CmdSaveSounds", -1};

    bool ChangedSetting = false;
    bool ChangedPerson = false;

    // Fills the lists and shows the current game size (before the window is shown).
    void FillCombos();

    // Handlers, public so tests drive the window without its modal wait.
    void Option1_Click(int i);
    void optCenters_Click(int i);
    void CmdSetup_Click(int k);
    void CboOpponent_Click();
    void CmdApply_Click();
    void OptWav_Click(int i);
    void cmdSounds_Click();
    void OptPlay_Click(int i);
    void CmdChangeSound_Click();
    void cmdResetSounds_Click();
    void CmdSaveSounds_Click();
    void HScrollAvatar_Change();
    void Command1_Click();
    void cmdExport_Click();
    void imgOppAvatar_MouseDown();
    void ckNoPlayerAvatar_Click();
    void Check1_Click(int i);
    void cmdDone_Click();
    void CmdCancel_Click();

    int Seat() const { return seat_; }
    const QString& Avatar() const { return avatar_; }
    bool SoundPanelShown() const { return Frame2.Visible(); }
    // The custom sound of a slot 1 to 16: its file name and where the file is.
    QString CustomSound(int i) const { return custom_.value(i); }

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;

  private:
    void Build();
    void BuildChoices();
    void BuildOpponent();
    void BuildAvatar();
    void BuildGeneral();
    void BuildSounds();
    void Changed();
    void AskSaveChanges(int seat);
    void CheckPersonalitySounds();
    void SetAvatarScroll(const QString& name);
    void ShowAvatar(const QString& name);
    void ShowOpponentControls(bool shown);
    void ShowSoundPanel(bool shown);
    void PlaySlot(int i);

    int seat_ = 0;
    int levels_[3] = {0, 0, 0};
    int players_ = 2;
    int centers_ = 0;
    QString avatar_;
    QString shownName_; // the personality shown before the last change
    int soundColumn_ = 0;
    QStringList custom_, paths_, defaults_; // the sound table, entries 0 to 16
    int selectedSound_ = 0;
    bool noticeShown_ = false;
    bool loading_ = false;
};

// The one opponents editor, created on first use.
MultiForm& frmMulti();
