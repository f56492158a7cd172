#include "media/OpponentsEdit.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableForm.h"
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "media/Personality.h"
#include "media/Persons.h"
#include "media/SoundChooser.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/Utilities.h"
#include "table/Redraw.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kEditGrulm = QStringLiteral("Grulm");
constexpr int kEditSituationComments = 33; // the comments "No Comments" silences
constexpr int kAvatarLimit = 350;          // pixels an imported avatar may measure
const QString kNoFreeName = QStringLiteral("No shortened name for it is free in the folder.");
constexpr int kAvatarNameWidth = PlayerIdentity::kFields[PlayerIdentity::kAvatar].size;
constexpr int kPictureDeck = 6;
const QString kDeleteTitle = QStringLiteral("Delete Avatar Picture");

bool EditNeverWritten(const QString& s) {
    return s.trimmed().isEmpty() || s.at(0).unicode() == 0;
}

bool NamedBySlot(const QString& name) {
    for (int slot = 1; slot <= 3; ++slot)
        if (Prof.Prefs.Identity(slot).Name.trimmed() == name) return true;
    return false;
}

bool Refuse(const QString& text) {
    platform::MsgBox(text, platform::vbExclamation, QStringLiteral("Save Custom"));
    return false;
}

} // namespace

void ApplyOpponent(int slot) {
    if (slot < 1 || slot > 3) return;
    SeatRecord& seat = SeatRecordOf(slot + 1);
    Person_Check(seat, Prof.Prefs.Identity(slot));
    Person_Load(seat, slot == 1 ? 1 : 0);
    if (slot == 1) ChangePerson();
}

bool Opponent_FillBlank(int slot, const QString& personality, const QString& commentSet) {
    PlayerIdentity& id = Prof.Prefs.Identity(slot);
    if (!EditNeverWritten(id.Name)) return false;
    // A name the profile cannot keep would not survive the next start.
    const QString name = Person_NameFault(personality).isEmpty() ? personality : kEditGrulm;
    id.Name = name;
    id.Level = 0;
    id.Avatar = name + ".jpg";
    id.SoundChoice = 0;
    id.CommentSet = commentSet;
    Prefs_WriteRecord(Prof.PlayerRecord, Prof.Prefs);
    return true;
}

void Opponent_Save(int slot, const OpponentEdit& e, const QString& previousName) {
    if (slot < 1 || slot > 3) return;
    PlayerIdentity& id = Prof.Prefs.Identity(slot);
    id.Name = e.name;
    id.Level = e.level;
    id.Avatar = e.avatar.trimmed();
    id.CommentSet = e.commentSet.trimmed();
    id.SoundChoice = e.soundColumn;
    Eng.CommentsOff = id.CommentSet == QLatin1String(kNoComments);
    if (Eng.CommentsOff)
        for (int i = 1; i <= kEditSituationComments; ++i)
            Eng.SeatComments(i).clear();
    const QString old = previousName.trimmed();
    if (!old.isEmpty() && old != kEditGrulm && old != e.name && !NamedBySlot(old)) ChatSounds_Remove(old);
    Prefs_WriteRecord(Prof.PlayerRecord, Prof.Prefs);
    ApplyOpponent(slot);
}

bool Opponent_SaveSounds(const QString& personality, const QStringList& names, const QStringList& paths) {
    const QString sounds = Com.UserPath + "Sounds/";
    const QString file = Media_FindNoCase(Person_Folder(), personality + ".pms");
    Personality rec;
    if (file.isEmpty() || Personality_ReadFile(Person_Folder() + file, &rec) != PersonFile::Ok)
        return Refuse(QStringLiteral("The personality file of %1 cannot be read.").arg(personality));
    const auto unwritten = [&](const QString& why) {
        return Refuse(
            QStringLiteral("The personality file of %1 could not be written.\n%2").arg(personality, why));
    };
    platform::RecordFile pms;
    if (!pms.Open(Person_Folder() + file, Personality::kSize)) return unwritten(pms.ErrorString());
    QStringList stored;
    for (int i = 0; i <= kPersonSounds; ++i)
        stored << names.value(i).trimmed();
    for (int i = 1; i <= kPersonSounds; ++i) {
        const QString name = stored.at(i);
        const QString path = paths.value(i);
        // A name the record would cut is shortened before the copy, so the file is found again.
        const bool fits = name.size() <= Personality::kSoundWidth;
        if (path.isEmpty() || (path.startsWith(sounds) && fits) || !Media_PlainFileName(name)) continue;
        stored[i] = Media_FitName(sounds, name, Personality::kSoundWidth);
        QString error = kNoFreeName;
        if (stored.at(i).isEmpty() || !Media_CopyFile(path, sounds + stored.at(i), &error))
            return Refuse(QStringLiteral("The sound \"%1\" could not be copied.\n%2").arg(name, error));
    }
    // Only the custom column's names change; every other byte of the file stays as it was.
    platform::RecordBuf buf = pms.Read(1);
    for (int i = 1; i <= kPersonSounds; ++i)
        buf.SetText(Personality::SoundOffset(1, i), Personality::kSoundWidth, stored.at(i));
    if (!pms.Write(1, buf)) return unwritten(pms.ErrorString());
    for (int i = 1; i <= kPersonSounds; ++i)
        Eng.SeatSounds(i) = sounds + stored.at(i);
    return true;
}

bool IsDefaultAvatar(const QString& name) {
    static const QStringList kDefaults{"Grulm.jpg", "Torvek.jpg", "Zub.jpg",  "Hamlo.jpg",  "Oskrel.jpg",
                                       "Drask.jpg", "Juvo.jpg",   "Vesk.jpg", "Ombrel.jpg", "Falsio.jpg"};
    return kDefaults.contains(name);
}

QString Get_Avatars() {
    const QString last = GetLastDir();
    if (HasTableForm()) frmGrulm().ImgAvatar.SetVisible(true);
    const QString path =
        platform::Picks().OpenFile({QStringLiteral("Import Avatar Pic"), last, QString(),
                                    QStringLiteral("Pictures (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp")});
    if (path.isEmpty() || !Picture_SizeOK(path, kAvatarLimit)) return QString();
    const QFileInfo info(path);
    // The profile keeps an avatar's name in a field of its own width: a longer name is
    // shortened before the copy, so the picture is found again after a restart.
    const QString name = Media_FitName(Com.UserPath + "Avatars/", info.fileName(), kAvatarNameWidth);
    QString error = kNoFreeName;
    if (name.isEmpty() || !Media_CopyFile(path, Com.UserPath + "Avatars/" + name, &error)) {
        platform::MsgBox(
            QStringLiteral("The picture \"%1\" could not be copied.\n%2").arg(info.fileName(), error),
            platform::vbExclamation, QStringLiteral("Import Avatar Pic"));
        return QString();
    }
    Med.NewAvatarName = name;
    if (HasTableForm()) frmGrulm().Avatar_Show(Med.NewAvatarName);
    if (info.absolutePath() != QFileInfo(last).absoluteFilePath()) SaveLastDir(info.absolutePath());
    return Med.NewAvatarName;
}

bool Avatar_Delete(const QString& name) {
    // With no avatar shown there is nothing to delete.
    if (!Media_PlainFileName(name) || Media_FindNoCase(Com.UserPath + "Avatars/", name).isEmpty())
        return false;
    if (IsDefaultAvatar(name)) {
        platform::MsgBox(QStringLiteral("Personality's default avatar picture cannot be deleted."),
                         platform::vbOKOnly, kDeleteTitle);
        return false;
    }
    if (platform::MsgBox(QStringLiteral("Are you sure you want to delete this Avatar picture?"),
                         platform::vbYesNo, kDeleteTitle) != platform::vbYes)
        return false;
    const bool gone =
        QFile::remove(Com.UserPath + "Avatars/" + Media_FindNoCase(Com.UserPath + "Avatars/", name));
    List_Avatars();
    return gone;
}

bool Opponents_Done(int players, int centers) {
    if (players == Com.NumPlayers && (centers == 0 || centers == Com.NumCenters)) {
        Sav.DialogCancelled = true;
        return false;
    }
    // Seats that leave the table take no cards with them.
    if (players == 2 && Com.DeckStyle >= kPictureDeck)
        for (int seat = 3; seat <= 4; ++seat)
            Player_Clear(SeatRecordOf(seat));
    if (centers != 0) Com.NumCenters = centers;
    Com.NumPlayers = players;
    return true;
}
