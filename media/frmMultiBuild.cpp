// The opponents editor's controls: captions, tips and places.
// More of MultiForm, which frmMulti.h declares.
#include "media/frmMulti.h"

#include "media/Personality.h"

namespace {
constexpr int kMultiWidth = 620;
} // namespace

void MultiForm::Build() {
    SetCaption(QStringLiteral("Opponents"));
    BuildChoices();
    BuildOpponent();
    BuildAvatar();
    BuildGeneral();
    BuildSounds();
}

void MultiForm::BuildChoices() {
    lblChoose.SetWordWrap(true);
    lblChoose.SetGeometryPx(10, 8, 600, 34);
    const char* const counts[] = {"1 Opponent", "2 Opponents", "3 Opponents"};
    for (int i = 0; i <= 2; ++i) {
        platform::OptionButton& o = Option1.Create(i);
        o.SetCaption(QString::fromLatin1(counts[i]));
        o.SetGeometryPx(10 + i * 120, 46, 115, 20);
    }
    fraCenters.SetGeometryPx(380, 42, 230, 28);
    fraCenters.SetBorderStyle(1);
    for (int i = 0; i <= 1; ++i) {
        platform::OptionButton& o = optCenters.Create(i);
        o.SetCaption(i == 0 ? QStringLiteral("3 Centers") : QStringLiteral("4 Centers"));
        o.SetGeometryPx(390 + i * 110, 46, 100, 20);
    }
    const char* const setups[] = {"Opponent 1", "Opponent 2", "Opponent 3", "Player"};
    for (int i = 0; i <= kPlayerSetup; ++i) {
        platform::CommandButton& b = CmdSetup.Create(i);
        b.SetCaption(QString::fromLatin1(setups[i]));
        b.SetGeometryPx(10 + i * 110, 76, 100, 28);
    }
}

void MultiForm::BuildOpponent() {
    Frame1.SetGeometryPx(10, 112, 600, 250);
    Frame1.SetBorderStyle(1);
    const char* const labels[] = {"Opponent Personality:", "Ability Level:", "Comment File:", "Sound File:"};
    for (int i = 0; i <= 3; ++i) {
        platform::Label& l = lblOppSet.Create(i);
        l.SetCaption(QString::fromLatin1(labels[i]));
        l.SetGeometryPx(20, 138 + i * 30, 140, 20);
    }
    CboOpponent.SetGeometryPx(160, 134, 160, 24);
    CboOppLevel.SetGeometryPx(160, 164, 160, 24);
    CboComment.SetGeometryPx(160, 194, 160, 24);
    for (int i = 0; i <= 1; ++i) {
        platform::OptionButton& o = OptWav.Create(i);
        o.SetCaption(i == 0 ? QStringLiteral("Default") : QStringLiteral("Custom"));
        o.SetGeometryPx(160 + i * 80, 226, 75, 20);
    }
    cmdSounds.SetCaption(QStringLiteral("Change Sounds"));
    cmdSounds.SetGeometryPx(160, 252, 160, 26);
    lblDescription.SetWordWrap(true);
    lblDescription.SetGeometryPx(20, 286, 300, 70);
    lblPlayer.SetWordWrap(true);
    lblPlayer.SetGeometryPx(20, 138, 300, 90);
}

void MultiForm::BuildAvatar() {
    lblAvatar.SetGeometryPx(340, 134, 120, 20);
    imgOppAvatar.SetStretch(true);
    imgOppAvatar.SetBorderStyle(1);
    imgOppAvatar.SetGeometryPx(340, 156, 110, 110);
    HScrollAvatar.SetGeometryPx(340, 270, 110, 18);
    ckShowAvatar.SetCaption(QStringLiteral("Show Avatar"));
    ckShowAvatar.SetGeometryPx(460, 156, 140, 22);
    ckNoPlayerAvatar.SetCaption(QStringLiteral("Show Player Avatar"));
    ckNoPlayerAvatar.SetGeometryPx(460, 180, 140, 22);
    Command1.SetCaption(QStringLiteral("&Add New Avatar"));
    Command1.SetGeometryPx(460, 206, 140, 26);
    cmdExport.SetCaption(QStringLiteral("&Export Avatar"));
    cmdExport.SetToolTipText(QStringLiteral("Export an Avatar to send to a friend"));
    cmdExport.SetGeometryPx(460, 236, 140, 26);
    CmdApply.SetCaption(QStringLiteral("&Save Opponent"));
    CmdApply.SetGeometryPx(340, 300, 140, 28);
}

void MultiForm::BuildGeneral() {
    fraGeneral.SetCaption(QStringLiteral("Personality Adjustment"));
    fraGeneral.SetGeometryPx(10, 370, 600, 86);
    fraGeneral.SetBorderStyle(1);
    lblGeneral.SetCaption(QStringLiteral("General Game settings that can be disabled:"));
    lblGeneral.SetGeometryPx(20, 390, 300, 18);
    const char* const offs[] = {"Disable Win Game Animation", "Disable Lose Game Animation",
                                "Disable Personality Sounds"};
    for (int i = 0; i <= 2; ++i) {
        platform::CheckBox& c = Check1.Create(i);
        c.SetCaption(QString::fromLatin1(offs[i]));
        c.SetGeometryPx(20 + (i % 2) * 290, 410 + (i / 2) * 22, 280, 20);
    }
    const char* const buttons[] = {"&Done", "&Cancel", "&Help"};
    platform::CommandButton* row[] = {&cmdDone, &CmdCancel, &cmdHelp};
    for (int i = 0; i <= 2; ++i) {
        row[i]->SetCaption(QString::fromLatin1(buttons[i]));
        row[i]->SetGeometryPx(kMultiWidth - 330 + i * 110, 464, 100, 28);
    }
}

void MultiForm::BuildSounds() {
    constexpr int top = 500;
    Frame2.SetCaption(QStringLiteral("Current Sounds"));
    Frame2.SetGeometryPx(10, top, 600, 170);
    Frame2.SetBorderStyle(1);
    for (int i = 1; i <= kPersonSounds; ++i) {
        platform::CommandButton& b = OptPlay.Create(i);
        b.SetCaption(QString::fromLatin1(kPersonSoundCaptions[i]));
        b.SetGeometryPx(40 + ((i - 1) / 4) * 115, top + 22 + ((i - 1) % 4) * 28, 105, 24);
    }
    OptPlay(kSndWinner).SetToolTipText(QStringLiteral("Choose your own Intro music!"));
    imgPoint.SetCaption(QStringLiteral(">"));
    imgPoint.SetGeometryPx(24, top + 24, 14, 20);
    CmdChangeSound.SetCaption(QStringLiteral("Get New Sound"));
    cmdResetSounds.SetCaption(QStringLiteral("Restore Default"));
    CmdSaveSounds.SetCaption(QStringLiteral("Save Custom"));
    platform::CommandButton* row[] = {&CmdChangeSound, &cmdResetSounds, &CmdSaveSounds};
    for (int i = 0; i <= 2; ++i)
        row[i]->SetGeometryPx(40 + i * 150, top + 136, 140, 26);
}
