// The opponents editor's sound panel: a personality's custom sounds chosen, heard,
// restored and saved.
// More of MultiForm, which frmMulti.h declares.
#include "media/frmMulti.h"

#include "common/Shared.h"
#include "media/MediaLists.h"
#include "media/OpponentsEdit.h"
#include "media/Personality.h"
#include "media/Persons.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "table/WindowPlaces.h"

#include <QFileInfo>

namespace {
constexpr int kSoundsWidth = 620, kWithPanel = 680;
constexpr int kSoundsWithoutPanel = 500;

QString Sounds() {
    return Com.UserPath + "Sounds/";
}
} // namespace

void MultiForm::ShowSoundPanel(bool shown) {
    Frame2.SetVisible(shown);
    OptPlay.ForEach([shown](int, platform::CommandButton& b) { b.SetVisible(shown); });
    for (platform::Control* c : std::initializer_list<platform::Control*>{&imgPoint, &CmdChangeSound,
                                                                          &cmdResetSounds, &CmdSaveSounds})
        c->SetVisible(shown);
    // At the scale the window was fitted to the screen with; grown by the panel, it is fitted
    // and placed again, so its buttons stay on the screen.
    const double k = DesignScale();
    SetClientSizePx(qRound(kSoundsWidth * k), qRound((shown ? kWithPanel : kSoundsWithoutPanel) * k));
    if (shown && IsVisible()) {
        Window_FitScreen(*this);
        Window_PlaceOverTable(*this, TableSpot::Centre);
    }
}

void MultiForm::OptWav_Click(int i) {
    soundColumn_ = i == 1 ? 1 : 0;
    const bool custom = soundColumn_ == 1;
    cmdSounds.SetEnabled(custom);
    CmdChangeSound.SetEnabled(custom);
    CmdSaveSounds.SetEnabled(custom);
    if (!custom) ShowSoundPanel(false);
    Changed();
}

void MultiForm::cmdSounds_Click() {
    if (ChangedPerson) {
        platform::MsgBox(QStringLiteral("Save this new opponent first, then customize your sounds."),
                         platform::vbOKOnly, QStringLiteral("Save before customizing sounds"));
        return;
    }
    const QString file = Media_FindNoCase(Person_Folder(), CboOpponent.Text() + ".pms");
    Personality rec;
    // A personality file that cannot be read leaves the panel as it was.
    if (file.isEmpty() || Personality_ReadFile(Person_Folder() + file, &rec) != PersonFile::Ok) return;
    custom_ = paths_ = defaults_ = QStringList();
    for (int i = 0; i <= kPersonSounds; ++i) {
        custom_ << (i == 0 ? QString() : rec.Sounds(1, i));
        paths_ << (i == 0 ? QString() : Sounds() + rec.Sounds(1, i));
        defaults_ << (i == 0 ? QString() : rec.Sounds(0, i));
    }
    selectedSound_ = 0;
    ShowSoundPanel(true);
}

void MultiForm::PlaySlot(int i) {
    if (i >= 1 && i < paths_.size() && Com.SoundMode != kSoundsOff)
        platform::Svc().sound->PlayAsync(paths_.at(i));
}

void MultiForm::OptPlay_Click(int i) {
    if (i < 1 || i > kPersonSounds) return;
    imgPoint.Move(OptPlay(i).Left() - 16, OptPlay(i).Top() + 2);
    selectedSound_ = i;
    PlaySlot(i);
}

void MultiForm::CmdChangeSound_Click() {
    if (selectedSound_ < 1 || selectedSound_ >= custom_.size()) return;
    const QString path = platform::Picks().OpenFile(
        {QString(), Com.UserPath + "Sounds", QString(), QStringLiteral("Wav Sounds (*.wav)|*.wav")});
    if (path.isEmpty()) return;
    custom_[selectedSound_] = QFileInfo(path).fileName();
    paths_[selectedSound_] = path;
    CmdSaveSounds.SetEnabled(true);
    PlaySlot(selectedSound_);
}

void MultiForm::cmdResetSounds_Click() {
    if (selectedSound_ < 1 || selectedSound_ >= custom_.size()) return;
    custom_[selectedSound_] = defaults_.at(selectedSound_);
    paths_[selectedSound_] = Sounds() + defaults_.at(selectedSound_);
    PlaySlot(selectedSound_);
}

void MultiForm::CmdSaveSounds_Click() {
    if (custom_.size() <= kPersonSounds) return;
    if (Opponent_SaveSounds(CboOpponent.Text(), custom_, paths_)) ShowSoundPanel(false);
}
