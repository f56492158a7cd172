#include "media/frmMulti.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "media/OpponentsEdit.h"
#include "media/PersonPack.h"
#include "media/Personality.h"
#include "media/Persons.h"
#include "media/Seating.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

const QString kMultiGrulm = QStringLiteral("Grulm");
constexpr int kNarrowScreen = 10000;

// A personality whose name the profile could not keep would be Grulm at the next start: it is
// refused, with the reason, before it is chosen.
bool RefusedPersonality(const QString& name) {
    const QString why = Person_NameFault(name);
    if (why.isEmpty()) return false;
    platform::MsgBox(QStringLiteral("The personality \"%1\" cannot be chosen.\n%2").arg(name, why),
                     platform::vbExclamation, QStringLiteral("Opponent Personality"));
    return true;
}

MultiForm*& MultiInstance() {
    static MultiForm* form = nullptr;
    return form;
}

} // namespace

MultiForm::MultiForm() : Form(QStringLiteral("frmMulti")) {
    if (!MultiInstance()) MultiInstance() = this;
    SetScaleMode(platform::vbPixels);
    Build();
    Option1.On().Click = [this](int i) { Option1_Click(i); };
    optCenters.On().Click = [this](int i) { optCenters_Click(i); };
    CmdSetup.On().Click = [this](int k) { CmdSetup_Click(k); };
    CboOpponent.On().Click = [this](int) { CboOpponent_Click(); };
    CboOppLevel.On().Click = [this](int) {
        if (seat_ < kPlayerSetup && CboOppLevel.ListIndex() >= 0) levels_[seat_] = CboOppLevel.ListIndex();
        Changed();
    };
    CboComment.On().Click = [this](int) { Changed(); };
    CmdApply.On().Click = [this](int) { CmdApply_Click(); };
    OptWav.On().Click = [this](int i) { OptWav_Click(i); };
    cmdSounds.On().Click = [this](int) { cmdSounds_Click(); };
    OptPlay.On().Click = [this](int i) { OptPlay_Click(i); };
    CmdChangeSound.On().Click = [this](int) { CmdChangeSound_Click(); };
    cmdResetSounds.On().Click = [this](int) { cmdResetSounds_Click(); };
    CmdSaveSounds.On().Click = [this](int) { CmdSaveSounds_Click(); };
    HScrollAvatar.Change = [this] { HScrollAvatar_Change(); };
    Command1.On().Click = [this](int) { Command1_Click(); };
    cmdExport.On().Click = [this](int) { cmdExport_Click(); };
    imgOppAvatar.On().MouseDown = [this](int, int, int, double, double) { imgOppAvatar_MouseDown(); };
    ckShowAvatar.On().Click = [this](int) {
        Shl.AvatarShown = ckShowAvatar.Value() == 1;
        if (HasTableForm()) frmGrulm().ImgAvatar.SetVisible(Shl.AvatarShown);
    };
    ckNoPlayerAvatar.On().Click = [this](int) { ckNoPlayerAvatar_Click(); };
    Check1.On().Click = [this](int i) { Check1_Click(i); };
    cmdDone.On().Click = [this](int) { cmdDone_Click(); };
    CmdCancel.On().Click = [this](int) { CmdCancel_Click(); };
    SetEscapeButton(CmdCancel);
    cmdHelp.On().Click = [](int) { Hooks.ShowHelp(QStringLiteral("Keyword"), QStringLiteral("Opponents")); };
}

MultiForm::~MultiForm() {
    if (MultiInstance() == this) MultiInstance() = nullptr;
}

void MultiForm::Form_Load() {
    loading_ = true;
    ShowSoundPanel(false);
    noticeShown_ = false;
    ChangedSetting = ChangedPerson = false;
    lblChoose.SetCaption(QStringLiteral(
        "Click on the buttons below to customize each Opponent's Setup and your Player Avatar."));
    List_Avatars();
    HScrollAvatar.SetRange(1, std::max(1, Med.AvatarCount));
    ckShowAvatar.SetValue(Shl.AvatarShown ? 1 : 0);
    CboOppLevel.Clear();
    for (const char* level : {"Average", "Clever", "Ruthless"})
        CboOppLevel.AddItem(QString::fromLatin1(level));
    for (int s = 0; s < kPlayerSetup; ++s)
        levels_[s] = Level_Index(Prof.Prefs.Identity(s + 1).Level);
    CboOppLevel.SetListIndex(levels_[0]);
    Check1(0).SetValue(Shl.WinAnimOff ? 1 : 0);
    Check1(1).SetValue(Shl.LoseAnimOff ? 1 : 0);
    Check1(2).SetValue(Com.SoundMode != kSoundsAll ? 1 : 0);
    OptWav(0).SetEnabled(Com.SoundMode == kSoundsAll);
    OptWav(1).SetEnabled(Com.SoundMode == kSoundsAll);
    players_ = Com.NumPlayers;
    centers_ = 0;
    fraCenters.SetVisible(Com.NumPlayers == 2);
    optCenters(0).SetVisible(Com.NumPlayers == 2);
    optCenters(1).SetVisible(Com.NumPlayers == 2);
    optCenters(Com.NumCenters == 4 ? 1 : 0).SetValue(true);
    CmdApply.SetEnabled(false);
    if (platform::Svc().screen->WidthTwips() < kNarrowScreen) Window()->adjustSize();
    loading_ = false;
}

void MultiForm::FillCombos() {
    Load();
    loading_ = true;
    const OpponentChoices c = Opponent_Choices(QString());
    CboComment.Clear();
    for (const QString& s : c.comments)
        CboComment.AddItem(s);
    CboOpponent.Clear();
    for (const QString& s : c.opponents)
        CboOpponent.AddItem(s);
    CboOpponent.SetText(c.opponentShown);
    loading_ = false;
    ChangedSetting = ChangedPerson = false;
    if (c.playersButton >= 0 && c.playersButton <= 2) {
        if (Option1(c.playersButton).Value())
            Option1_Click(c.playersButton);
        else
            Option1(c.playersButton).SetValue(true);
    }
    cmdDone.SetEnabled(true);
}

void MultiForm::Changed() {
    if (loading_) return;
    ChangedSetting = true;
    CmdApply.SetEnabled(true);
}

void MultiForm::Option1_Click(int i) {
    players_ = i + 2;
    for (int k = 0; k < kPlayerSetup; ++k)
        CmdSetup(k).SetEnabled(k <= i);
    const bool two = i == 0;
    fraCenters.SetVisible(two);
    optCenters(0).SetVisible(two);
    optCenters(1).SetVisible(two);
    if (two)
        optCenters(Com.NumPlayers == 2 && Com.NumCenters == 4 ? 1 : 0).SetValue(true);
    else
        optCenters(1).SetValue(true);
    if (optCenters(1).Value()) centers_ = 4;
    if (optCenters(0).Value()) centers_ = 3;
    CmdSetup_Click(i);
}

void MultiForm::optCenters_Click(int i) {
    centers_ = i == 0 ? 3 : 4;
}

void MultiForm::ShowOpponentControls(bool shown) {
    for (platform::Control* c : std::initializer_list<platform::Control*>{
             &CboOpponent, &CboOppLevel, &CboComment, &lblDescription, &OptWav(0), &OptWav(1), &cmdSounds})
        c->SetVisible(shown);
    lblOppSet.ForEach([shown](int, platform::Label& l) { l.SetVisible(shown); });
    lblPlayer.SetVisible(!shown);
    ckNoPlayerAvatar.SetVisible(!shown);
}

void MultiForm::CmdSetup_Click(int k) {
    if (ChangedSetting) AskSaveChanges(seat_);
    if (k < 0 || k > kPlayerSetup) return;
    seat_ = k;
    loading_ = true;
    ShowSoundPanel(false);
    if (k == kPlayerSetup) {
        Frame1.SetCaption(QStringLiteral("Setup for Player"));
        ShowOpponentControls(false);
        lblAvatar.SetCaption(QStringLiteral("Your Avatar:"));
        lblPlayer.SetCaption(
            QStringLiteral("If you would like to use your own picture during your turn for "
                           "multiplayer games, check the Show Player Avatar box and select a picture."));
        CmdApply.SetCaption(QStringLiteral("Save Player"));
        ckNoPlayerAvatar.SetValue(Com.PlayerAvatar.isEmpty() ? 0 : 1);
        if (!Com.PlayerAvatar.isEmpty()) SetAvatarScroll(Com.PlayerAvatar);
    } else {
        const int slot = k + 1;
        Opponent_FillBlank(slot, CboOpponent.List(k), CboComment.Text());
        const PlayerIdentity& id = Prof.Prefs.Identity(slot);
        Frame1.SetCaption(QStringLiteral("Setup for Opponent ") + QString::number(slot));
        ShowOpponentControls(true);
        lblAvatar.SetCaption(QStringLiteral("Avatar:"));
        CmdApply.SetCaption(QStringLiteral("Save Opponent"));
        // With two players the centre count stays choosable while an opponent is set up.
        const bool two = players_ == 2;
        fraCenters.SetVisible(two);
        optCenters(0).SetVisible(two);
        optCenters(1).SetVisible(two);
        CboOpponent.SetText(id.Name.trimmed());
        shownName_ = id.Name.trimmed();
        CboOppLevel.SetListIndex(levels_[k]);
        SetAvatarScroll(id.Avatar.trimmed().isEmpty() ? shownName_ + ".jpg" : id.Avatar.trimmed());
        CboComment.SetText(Person_Store(slot));
        soundColumn_ = id.SoundChoice == 1 ? 1 : 0;
        OptWav(soundColumn_).SetValue(true);
        cmdSounds.SetEnabled(soundColumn_ == 1);
    }
    loading_ = false;
    ChangedSetting = false;
    CmdApply.SetEnabled(false);
}

void MultiForm::CboOpponent_Click() {
    const int row = CboOpponent.ListIndex();
    if (row >= 0 && row <= Med.PersonCount) lblDescription.SetCaption(Med.PersonList(0, row));
    if (loading_) return;
    if (RefusedPersonality(CboOpponent.Text())) {
        loading_ = true;
        CboOpponent.SetText(shownName_);
        loading_ = false;
        return;
    }
    SetAvatarScroll(CboOpponent.Text() + ".jpg");
    CboOppLevel.SetListIndex(0);
    CboComment.SetListIndex(0);
    OptWav(0).SetValue(true);
    ChangedPerson = true;
    Changed();
}

void MultiForm::CmdApply_Click() {
    if (seat_ == kPlayerSetup) {
        Com.PlayerAvatar = ckNoPlayerAvatar.Value() == 1 ? avatar_ : QString();
    } else {
        if (RefusedPersonality(CboOpponent.Text())) return;
        CheckPersonalitySounds();
        const OpponentEdit e{CboOpponent.Text(), levels_[seat_], avatar_, CboComment.Text(), soundColumn_};
        Opponent_Save(seat_ + 1, e, shownName_);
        shownName_ = e.name;
    }
    ChangedSetting = ChangedPerson = false;
    CmdApply.SetEnabled(false);
}

void MultiForm::AskSaveChanges(int seat) {
    const QString text = seat == kPlayerSetup ? QStringLiteral("Did you want to save your Avatar?")
                                              : QStringLiteral("Did you want to save Opponent") +
                                                    QString::number(seat + 1) + "'s settings?";
    if (platform::MsgBox(text, platform::vbYesNo, QStringLiteral("Save Settings?")) == platform::vbYes)
        CmdApply_Click();
    else
        CmdApply.SetEnabled(false);
    ChangedSetting = false;
}

void MultiForm::CheckPersonalitySounds() {
    const QString name = CboOpponent.Text();
    // Our packs stand in for the sound programs: a personality without one has no sounds.
    if (noticeShown_ || name == kMultiGrulm || PersonPack_Has(name)) return;
    noticeShown_ = true;
    platform::MsgBox(
        QStringLiteral("Torvek and Zubs's personality sounds were not found.\n\nYou can download them "
                       "separately from\nthe download page of the Vornhelm web site.\n\nYou can still use "
                       "these personalities but only Grulm's personality currently has sounds."),
        platform::vbInformation, QStringLiteral("Missing Personality Sounds"));
}

void MultiForm::SetAvatarScroll(const QString& name) {
    int at = 1;
    for (int i = 1; i <= Med.AvatarCount; ++i) {
        if (Med.AvatarList(i) == name.trimmed()) {
            at = i;
            break;
        }
    }
    const bool was = loading_;
    loading_ = true;
    HScrollAvatar.SetValue(at);
    loading_ = was;
    ShowAvatar(name.trimmed());
}

void MultiForm::ShowAvatar(const QString& name) {
    avatar_ = name;
    const QString file = Media_FindNoCase(Com.UserPath + "Avatars/", name);
    imgOppAvatar.SetPicture(file.isEmpty() ? QImage()
                                           : QImageReader(Com.UserPath + "Avatars/" + file).read());
}

void MultiForm::HScrollAvatar_Change() {
    if (loading_) return;
    const int v = HScrollAvatar.Value();
    if (v < 1 || v > Med.AvatarCount) return;
    ShowAvatar(Med.AvatarList(v));
    Changed();
}

void MultiForm::Command1_Click() {
    const QString name = Get_Avatars();
    if (name.isEmpty()) return;
    List_Avatars();
    HScrollAvatar.SetRange(1, std::max(1, Med.AvatarCount));
    SetAvatarScroll(name);
    Changed();
}

void MultiForm::cmdExport_Click() {
    const QString own = Media_FindNoCase(Com.UserPath + "Avatars/", avatar_);
    if (own.isEmpty()) return;
    const QString to =
        platform::Picks().SaveFile({QStringLiteral("Export Avatar picture"), GetLastDir(), avatar_,
                                    QStringLiteral("Avatar Files (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp")});
    if (to.isEmpty()) return;
    if (Media_CopyFile(Com.UserPath + "Avatars/" + own, to, nullptr))
        SaveLastDir(QFileInfo(to).absolutePath());
}

void MultiForm::imgOppAvatar_MouseDown() {
    const QString gone = avatar_;
    if (!Avatar_Delete(gone)) return;
    HScrollAvatar.SetRange(1, std::max(1, Med.AvatarCount));
    if (seat_ == kPlayerSetup) {
        if (Com.PlayerAvatar == gone) Com.PlayerAvatar.clear();
        ShowAvatar(QString());
        return;
    }
    SetAvatarScroll(CboOpponent.Text() + ".jpg");
    Prof.Prefs.Identity(seat_ + 1).Avatar = avatar_;
    ApplyOpponent(seat_ + 1);
}

void MultiForm::ckNoPlayerAvatar_Click() {
    if (loading_) return;
    if (ckNoPlayerAvatar.Value() == 1) {
        HScrollAvatar.SetValue(1);
        return;
    }
    Com.PlayerAvatar.clear();
    if (Com.NumPlayers >= 3 && Com.Pturn == 1 && HasTableForm())
        frmGrulm().Avatar_Show(Eng.Seat2Rec.RecAvatar);
}

void MultiForm::Check1_Click(int i) {
    const bool on = Check1(i).Value() == 1;
    if (i == 0) Shl.WinAnimOff = on;
    if (i == 1) Shl.LoseAnimOff = on;
    if (i != 2) return;
    if (on && Com.SoundMode == kSoundsAll) Com.SoundMode = kSoundsGameOnly;
    if (!on && Com.SoundMode != kSoundsAll) Com.SoundMode = kSoundsAll;
    OptWav(0).SetEnabled(!on);
    OptWav(1).SetEnabled(!on);
}

void MultiForm::cmdDone_Click() {
    if (ChangedSetting) AskSaveChanges(seat_);
    Opponents_Done(players_, centers_);
    Unload();
}

void MultiForm::CmdCancel_Click() {
    Sav.DialogCancelled = true;
    Unload();
}

bool MultiForm::Form_QueryUnload() {
    if (!UserClosing()) return false;
    if (ChangedSetting) AskSaveChanges(seat_);
    Sav.DialogCancelled = true;
    return false;
}

MultiForm& frmMulti() {
    if (!MultiInstance()) new MultiForm(); // lives until the program ends
    return *MultiInstance();
}
