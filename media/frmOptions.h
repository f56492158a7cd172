#pragma once
// The preferences dialog: card faces, card backs and colours, the comment labels'
// font and backdrop, card sounds, place-holders, menus and the intro music, on four
// pages; "&Apply" applies the page that is showing.
#include "media/MediaControls.h"
#include "media/Preferences.h"
#include "platform/Controls.h"
#include "platform/Inputs.h"
#include "platform/OptionButton.h"

// The sample pictures, by the index the dialog gives them.
enum PrefSample : int {
    kSampleDefaults = 0,
    kSampleWood = 5,
    kSampleMetal = 6,
    kSamplePreview = 15,
};

class OptionsForm : public platform::Form {
  public:
    OptionsForm();
    ~OptionsForm() override;

    PageTabs SSTab1{this, "SSTab1", -1};
    // Pick a Card
    platform::Label lblCardInfo{this, "lblCardInfo", -1};
    platform::Label lblNumbers{this, "lblNumbers", -1};
    platform::ControlArray<platform::OptionButton> OptCard{this, "OptCard"};
    platform::Label lblSuits{this, "lblSuits", -1};
    platform::ControlArray<platform::OptionButton> OptCardSuit{this, "OptCardSuit"};
    platform::ControlArray<platform::PictureBox> FilePic{this, "FilePic"};
    platform::Label lblPick{this, "lblPick", -1};
    // Deck Styles
    platform::Label lblCurrent{this, "lblCurrent", -1};
    platform::ControlArray<platform::PictureBox> picCardBack{this, "picCardBack"};
    HScroll HScrollBacks{this, "HScrollBacks", -1};
    platform::Label lblPlain{this, "lblPlain", -1};
    platform::Label lblBackInfo{this, "lblBackInfo", -1};
    platform::Label lblPreview{this, "lblPreview", -1};
    platform::ControlArray<platform::CommandButton> Command2{this, "Command2"};
    platform::Label Frame1{this, "Frame1", -1};
    platform::Label lblReset{this, "lblReset", -1};
    platform::Label lblDesigner{this, "lblDesigner", -1};
    // Font and Background
    platform::PictureBox picBackFnt{this, "picBackFnt", -1};
    platform::ControlArray<platform::Label> LblFont{this, "LblFont"};
    platform::Label lblFontInfo{this, "lblFontInfo", -1};
    platform::Label Frame3{this, "Frame3", -1};
    platform::CheckBox CKFnt{this, "CKFnt", -1};
    platform::CommandButton CmdRestore{this, "CmdRestore", -1};
    platform::ControlArray<platform::CommandButton> CmdSz{this, "CmdSz"};
    platform::Label lblArea{this, "lblArea", -1};
    // Sounds and Style
    platform::CheckBox ckIntro{this, "ckIntro", -1};
    platform::Label lblPlaces{this, "lblPlaces", -1};
    platform::ControlArray<platform::OptionButton> optPlaceHolder{this, "optPlaceHolder"};
    platform::Label lblSounds{this, "lblSounds", -1};
    platform::ControlArray<platform::OptionButton> OptSound{this, "OptSound"};
    platform::Label lblMenus{this, "lblMenus", -1};
    platform::ControlArray<platform::OptionButton> OptMenu{this, "OptMenu"};

    platform::CommandButton CmdApply{this, "CmdApply", -1};
    platform::CommandButton CmdCancel{this, "CmdCancel", -1};
    platform::CommandButton cmdOK{this, "cmdOK", -1};

    // Handlers, public so tests drive the dialog without its modal wait.
    void SSTab1_Click();
    void CmdApply_Click();
    void CmdCancel_Click();
    void cmdOK_Click();
    void CmdRestore_Click();
    void CmdSz_Click(int i);
    void CKFnt_Click();
    void Command2_Click(int i);
    void picCardBack_Click();
    void HScrollBacks_Change();
    void FilePic_Click(int i);
    void OptSound_Click(int i);
    void ShowDeckSamples(int style);
    void Form_KeyDown(int keyCode, int shift);
    void DisplayCardSize();

    const PrefChoices& Choices() const { return choices_; }
    bool Cancelled() const { return cancelled_; }

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void Build();
    void BuildCards();
    void BuildBacks();
    void BuildFont();
    void BuildSounds();
    void ShowPage(int page);
    void ShowBackSample();
    void ShowFontSamples();
    void Changed();
    QSize CardSize() const;
    std::vector<platform::Control*> pages_[kPrefPages];
    PrefChoices choices_;
    // The pages whose choices changed since they were last applied, one bit each.
    int touched_ = 0;
    bool cancelled_ = false;
    bool loading_ = false;
    int backs_ = 0;
};

// The one preferences dialog, created on first use.
OptionsForm& frmOptions();
