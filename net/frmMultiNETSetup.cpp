// The Internet players window: opening, switching between the set-ups, saving,
// the avatar and score-file choices and closing.
// More of FrmMultiNET, which frmMultiNET.h declares.
#include "net/frmMultiNET.h"

#include "common/Shared.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "media/Persons.h"
#include "net/NetHooks.h"
#include "net/NetScores.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "shell/Folders.h"
#include "shell/Profile.h"
#include "shell/Utilities.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <exception>

namespace {
// Screens narrower than this get the window fitted.
constexpr int kNarrowScreenTwips = 10000;
const QString kUseScoreFile = QStringLiteral("Use Score File: ");
const QString kDefault = QStringLiteral("Default");
const QString kMainPlayer = QStringLiteral("GRULM");

QString AvatarPath(const QString& name) {
    return Com.UserPath + QStringLiteral("Avatars/") + name.trimmed();
}

void ReportSaveError(const std::exception& e) {
    platform::MsgBox(
        QStringLiteral("Here's the problem:\r\nError 0\r\nUnanticipated error in Internet Player Setup: ") +
        QString::fromLocal8Bit(e.what()));
}
} // namespace

void FrmMultiNET::Form_Load() {
    closing_ = false;
    cmdDone->setEnabled(false);
    TableForm& t = frmGrulm();
    // The window's right edge meets the table's.
    MoveTw(t.LeftTw() + t.WidthTw() - WidthTw(), t.TopTw(), WidthTw(), HeightTw());
    if (platform::Svc().screen->WidthTwips() < kNarrowScreenTwips) Window()->adjustSize();
    CmdSetup[1]->setEnabled(Com.NumPlayers > 2);
    CmdSetup[2]->setEnabled(Com.NumPlayers == 4);
    lblChoose->setText(
        QStringLiteral("Click on the Opponent buttons below to setup up individual opponents."));
    List_Avatars();
    HScrollAvatar->blockSignals(true);
    HScrollAvatar->setRange(1, std::max(1, Med.AvatarCount));
    HScrollAvatar->blockSignals(false);
    ckShowAvatar->setChecked(t.ImgAvatar.Visible());
    TxtOpponent[0]->setText(Com.PlayerName);
    TxtOpponent[1]->setText(Eng.Seat2Rec.RecName);
    const bool competition = !NetScore.ScoreCompetition.isEmpty();
    optNetScore[competition ? 1 : 0]->setChecked(true);
    optNetScore_Click(competition ? 1 : 0);
    CmdApply->setEnabled(false);
    ChangedSetting = false;
    SetupShown = 0;
    CmdSetup_Click(0);
}

void FrmMultiNET::Changed() {
    CmdApply->setEnabled(true);
    ChangedSetting = true;
}

void FrmMultiNET::SetAvatarHscroll(const QString& avatar) {
    int at = 1;
    for (int i = 1; i <= Med.AvatarCount; ++i)
        if (Med.AvatarList(i) == avatar.trimmed()) {
            at = i;
            break;
        }
    if (HScrollAvatar->value() == at)
        HScrollAvatar_Change(at);
    else
        HScrollAvatar->setValue(at);
}

QString FrmMultiNET::Avatar_Select(SeatRecord& seat) {
    if (Com.NetGame != kNetGameConnecting) TxtOpponent[1]->setText(seat.RecName);
    NetHooks.Avatar_Load(seat, false);
    if (!seat.RecAvatar.trimmed().isEmpty()) SetAvatarHscroll(seat.RecAvatar);
    return seat.RecAvatar.trimmed();
}

void FrmMultiNET::ShowPlayerMode(bool player) {
    ckNoPlayerAvatar->setVisible(player);
    CboComment->setVisible(player);
    lblOppSet2->setVisible(player);
    TxtOpponent[0]->setVisible(player);
    ckShowAvatar->setVisible(!player);
    TxtOpponent[1]->setVisible(!player);
    lblOppName->setText(player ? QStringLiteral("Your Name:") : QStringLiteral("Opponent Name:"));
    lblAvatar->setText(player ? QStringLiteral("Your Avatar:") : QStringLiteral("Avatar:"));
    CmdApply->setText(player ? QStringLiteral("Save Player") : QStringLiteral("Save Opponent"));
}

void FrmMultiNET::ShowAvatarPicture() {
    const QPixmap pic = AvatarShown.isEmpty() ? QPixmap() : QPixmap(AvatarPath(AvatarShown));
    imgOppAvatar->setPixmap(
        pic.isNull() ? QPixmap()
                     : pic.scaled(imgOppAvatar->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void FrmMultiNET::CmdSetup_Click(int k) {
    if (k < 0 || k > kSetupPlayer) return;
    if (k != SetupShown && ChangedSetting) SaveSettingsPrompt(SetupShown);
    if (k == kSetupPlayer) {
        ShowPlayerMode(true);
        if (!Com.PlayerAvatar.isEmpty()) {
            ckNoPlayerAvatar->setChecked(true);
            SetAvatarHscroll(Com.PlayerAvatar);
        } else {
            ckNoPlayerAvatar->setChecked(false);
            AvatarShown.clear();
            ShowAvatarPicture();
        }
        const QString set = Person_Store(0);
        const int at = CboComment->findText(set);
        if (at >= 0) CboComment->setCurrentIndex(at);
        CboOpponent->setVisible(set == QLatin1String(kDefaultPersonality));
        Frame1->setTitle(QStringLiteral("Setup for Player"));
        lblNameNote->setVisible(false);
        // Showing the stored avatar is no edit.
        ChangedSetting = false;
        CmdApply->setEnabled(false);
    } else {
        ShowPlayerMode(false);
        CboOpponent->setVisible(false);
        Frame1->setTitle(QStringLiteral("Setup for Opponent") + QLatin1Char(' ') + QString::number(k + 1));
        AvatarShown = Avatar_Select(SeatRecordOf(k + 2));
        lblNameNote->setVisible(TxtOpponent[1]->text().isEmpty());
        ShowAvatarPicture();
        ChangedSetting = false;
        CmdApply->setEnabled(false);
    }
    SetupShown = k;
}

void FrmMultiNET::CmdApply_Click() {
    try {
        if (SetupShown == kSetupPlayer)
            SavePlayer();
        else
            SaveOpponent(SetupShown);
    } catch (const std::exception& e) {
        ReportSaveError(e);
    }
    CmdApply->setEnabled(false);
    ChangedSetting = false;
}

void FrmMultiNET::SavePlayer() {
    Com.PlayerAvatar = AvatarShown;
    PlayerIdentity& me = Prof.Prefs.Identity(0);
    me.Avatar = Com.PlayerAvatar;
    me.CommentSet = CboComment->currentText();
    WritePrefs();
    if (!Com.PlayerAvatar.isEmpty() && Com.Pturn <= 1) frmGrulm().Avatar_Show(Com.PlayerAvatar);
    const QString set = CboComment->currentText();
    if (set == QLatin1String(kDefaultPersonality)) {
        NetSetup.NetPersonName = CboOpponent->currentText();
        Person_Read(NetSetup.NetPersonName);
    } else if (set != QLatin1String(kNoComments)) {
        Comments_Load(set);
    }
    if (Com.NetGame != kNetGameConnecting) NetHooks.Chat_PhraseTips();
}

void FrmMultiNET::SaveOpponent(int k) {
    const QString name = TxtOpponent[1]->text();
    if (BadFileName(name)) return;
    const int seat = k + 2;
    // The row of the player who sits there, whatever order the players joined in.
    if (const int row = NetSocketRowOfSeat(seat); row != 0) Com.NetSockets[row].Name = name;
    SeatRecord& rec = SeatRecordOf(seat);
    if (!name.isEmpty()) rec.RecName = name;
    rec.RecAvatar = AvatarShown;
    NetHooks.Avatar_Load(rec, true);
    if (Com.Pturn == seat) frmGrulm().Avatar_Show(rec.RecAvatar);
}

void FrmMultiNET::WritePrefs() {
    Prefs_WriteRecord(Prof.PlayerRecord, Prof.Prefs);
}

void FrmMultiNET::SaveSettingsPrompt(int shown) {
    const QString text = shown == kSetupPlayer
                             ? QStringLiteral("Did you want to save your settings?")
                             : QStringLiteral("Did you want to save Opponent") + QLatin1Char(' ') +
                                   QString::number(shown + 1) + QStringLiteral("'s settings?");
    if (platform::MsgBox(text, platform::vbYesNo, QStringLiteral("Save Settings?")) == platform::vbYes) {
        CmdApply_Click();
    } else {
        CmdApply->setEnabled(false);
        ChangedSetting = false;
    }
}

void FrmMultiNET::HScrollAvatar_Change(int value) {
    if (value < 1 || value > Med.AvatarCount) return;
    AvatarShown = Med.AvatarList(value);
    ShowAvatarPicture();
    if (SetupShown == kSetupPlayer) ckNoPlayerAvatar->setChecked(true);
    Changed();
}

void FrmMultiNET::ckNoPlayerAvatar_Click() {
    if (!ckNoPlayerAvatar->isChecked()) {
        AvatarShown.clear();
        ShowAvatarPicture();
    } else {
        SetAvatarHscroll(Med.AvatarCount > 0 ? Med.AvatarList(1) : QString());
    }
    Changed();
}

void FrmMultiNET::ckShowAvatar_Click() {
    frmGrulm().ImgAvatar.SetVisible(ckShowAvatar->isChecked());
    CmdApply->setEnabled(true);
}

void FrmMultiNET::Command1_Click() {
    const QString added = NetHooks.Get_Avatars();
    if (added.isEmpty()) return;
    List_Avatars();
    HScrollAvatar->blockSignals(true);
    HScrollAvatar->setRange(1, std::max(1, Med.AvatarCount));
    HScrollAvatar->blockSignals(false);
    SetAvatarHscroll(added);
}

void FrmMultiNET::cmdExport_Click() {
    if (AvatarShown.isEmpty()) return;
    const QString to =
        platform::Picks().SaveFile({QStringLiteral("Export Avatar picture"), GetLastDir(), AvatarShown,
                                    QStringLiteral("Avatar Files (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp")});
    if (to.isEmpty()) return;
    // Exporting onto the picture itself must not delete it first.
    if (!Media_CopyFile(AvatarPath(AvatarShown), to, nullptr)) {
        platform::MsgBox(QStringLiteral("The avatar could not be copied to ") + to, platform::vbExclamation,
                         QStringLiteral("Export Avatar picture"));
        return;
    }
    const QString folder = QFileInfo(to).absolutePath();
    if (folder != GetLastDir()) SaveLastDir(folder);
}

void FrmMultiNET::cmdSounds_Click() {
    NetHooks.OnlineSounds_Show();
    NetHooks.GetSoundList();
}

void FrmMultiNET::CboComment_Click() {
    Changed();
    CboOpponent->setVisible(CboComment->currentText() == QLatin1String(kDefaultPersonality));
}

void FrmMultiNET::TxtOpponent_Edited(int index) {
    if (index == 0) {
        optNetScore[0]->setChecked(true);
        optNetScore_Click(0);
    }
    Changed();
}

void FrmMultiNET::SetScoreLabel(const QString& file) {
    lblScoreFile->setText(kUseScoreFile + file);
}

void FrmMultiNET::optNetScore_Click(int index) {
    if (index == 0) {
        NetScore.ScoreCompetitionPick.clear();
        SetScoreLabel(kDefault);
        Combo1->setVisible(false);
    } else {
        ScoreFile_FillCombo();
        Combo1->setVisible(true);
    }
}

void FrmMultiNET::Combo1_Change(const QString& text) {
    SetScoreLabel(text);
}

void FrmMultiNET::Combo1_Click(int index) {
    NetScore.ScoreCompetitionPick = Combo1->itemText(index);
    SetScoreLabel(NetScore.ScoreCompetitionPick.isEmpty() ? kDefault : NetScore.ScoreCompetitionPick);
}

void FrmMultiNET::ScoreFile_FillCombo() {
    Combo1->clear();
    NetScore.CompetitionCount = 0;
    const QString& current = NetScore.ScoreCompetition;
    if (!current.isEmpty()) {
        SetScoreLabel(current);
        Combo1->addItem(current);
    } else {
        SetScoreLabel(kDefault);
    }
    const QStringList found = ScoreFile_Competitions(TxtOpponent[0]->text().trimmed());
    for (const QString& c : found)
        if (c != current) Combo1->addItem(c);
    Combo1->setCurrentIndex(Combo1->count() > 0 ? 0 : -1);
    if (current.isEmpty() && Combo1->count() > 0) SetScoreLabel(Combo1->itemText(0));
}

bool FrmMultiNET::NetSetup_Validate() {
    if (BadFileName(TxtOpponent[0]->text()) || BadFileName(TxtOpponent[1]->text()) ||
        BadFileName(Combo1->currentText()))
        return false;
    if (TxtOpponent[0]->text().trimmed().toUpper() == kMainPlayer) {
        platform::MsgBox(
            QStringLiteral("Pick a different player name. There is only ONE Grulm and he doesn't play "
                           "on the Internet."));
        TxtOpponent[0]->setFocus();
        TxtOpponent[0]->selectAll();
        return false;
    }
    if (optNetScore[1]->isChecked()) {
        NetScore.ScoreCompetition = Combo1->currentText().trimmed();
        if (NetScore.ScoreCompetition.isEmpty()) {
            platform::MsgBox(QStringLiteral("Pick a Score file name, enter a new competition filename,\r\n"
                                            "or switch back to default."),
                             platform::vbInformation, QStringLiteral("Which Score File?"));
            return false;
        }
    } else {
        NetScore.ScoreCompetition = NetScore.ScoreCompetitionPick;
    }
    if (TxtOpponent[0]->text().trimmed().isEmpty()) TxtOpponent[0]->setText(Com.PlayerName);
    Com.PlayerName = TxtOpponent[0]->text().trimmed();
    frmGrulm().Label9(kLblHumanName).SetCaption(Com.PlayerName);
    return true;
}

void FrmMultiNET::cmdDone_Click() {
    if (!NetSetup_Validate()) return;
    if (ChangedSetting) SaveSettingsPrompt(SetupShown);
    NetSetup.NetSetupClosed = true;
    closing_ = true;
    Unload();
}

void FrmMultiNET::CmdCancel_Click() {
    NetSetup.NetSetupClosed = true;
    ChangedSetting = false;
    closing_ = true;
    Unload();
}

bool FrmMultiNET::Form_QueryUnload() {
    if (ChangedSetting) SaveSettingsPrompt(SetupShown);
    if (!closing_) NetSetup.NetSetupClosed = true;
    if (!NetSetup.NetSetupClosed) WritePrefs();
    closing_ = false;
    return false;
}
