#include "media/Persons.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "media/PersonPack.h"
#include "platform/Services.h"
#include "platform/Text1252.h"
#include "table/TableState.h"

namespace {
const QString kGrulm = QString::fromLatin1(kDefaultOpponent);
const QString kOskrel = QStringLiteral("Oskrel");
const QString kPmsEnding = QStringLiteral(".pms");
constexpr int kGeneralComments = 20;
constexpr int kSeat34Comments = 27;    // seats 3 and 4 take the comments up to here
constexpr int kSituationComments = 33; // the comments "No Comments" silences

bool IsPlain(const QString& set) {
    return set == QLatin1String(kNoComments) || set == QLatin1String(kDefaultPersonality);
}

void ReportDamaged(const QString& file) {
    if (Med.DamagedReported.contains(file)) return;
    Med.DamagedReported << file;
    platform::MsgBox(QStringLiteral("The personality file \"%1\" is damaged and cannot be used.\n"
                                    "Grulm takes the seat instead.")
                         .arg(file),
                     platform::vbExclamation, QStringLiteral("Personality"));
}

// Reads "<name>.pms" of the install folder, whatever the letter case of its file name.
PersonFile ReadNamed(const QString& name, Personality* rec) {
    const QString file = Media_FindNoCase(Person_Folder(), name + kPmsEnding);
    const PersonFile st =
        file.isEmpty() ? PersonFile::Missing : Personality_ReadFile(Person_Folder() + file, rec);
    if (st == PersonFile::Damaged) ReportDamaged(file);
    return st;
}

bool NeverWritten(const QString& s) {
    return s.trimmed().isEmpty() || s.at(0).unicode() == 0;
}
} // namespace

QString Person_Folder() {
    return Com.AppPath + "/Data/PMS/";
}

QString Person_SilentSound() {
    return Com.AppPath + "/Data/empty.wav";
}

int Level_Index(int level) {
    return level >= 0 && level <= 2 ? level : 0;
}

void Person_Default(PlayerIdentity& slot) {
    slot.Name = kGrulm;
    slot.Level = 0;
    slot.Avatar = QStringLiteral("Grulm.jpg");
    slot.SoundChoice = 0;
    slot.CommentSet = QString::fromLatin1(kDefaultPersonality);
}

void Person_Check(SeatRecord& seat, PlayerIdentity& slot) {
    if (NeverWritten(slot.Name)) Person_Default(slot);
    seat.RecName = slot.Name.trimmed();
    seat.RecLevel = slot.Level;
    seat.RecAvatar = slot.Avatar.trimmed();
    seat.RecSoundColumn = slot.SoundChoice;
    seat.RecCommentSet = slot.CommentSet.trimmed();
}

Personality Person_Record(const QString& name, bool* found) {
    Personality rec;
    *found = ReadNamed(name, &rec) == PersonFile::Ok;
    if (*found) return rec;
    if (ReadNamed(kGrulm, &rec) != PersonFile::Ok) rec = Personality_Grulm();
    return rec;
}

namespace {
void LoadSounds(SeatRecord& seat, const Personality& rec, int first) {
    // Only column 1 is the second set; anything else read from a profile is the first.
    const int c = seat.RecSoundColumn == 1 ? 1 : 0;
    const QString folder = Com.UserPath + "Sounds/";
    for (int i = 1; i <= kPersonSounds; ++i) {
        const QString file = Media_FindNoCase(folder, rec.Sounds(c, i));
        if (file.isEmpty()) {
            seat.RecSounds(i) = Person_SilentSound();
            continue;
        }
        seat.RecSounds(i) = folder + file;
        if (first == 1) Eng.SeatSounds(i) = folder + file;
    }
    seat.RecSounds(0) = QString::number(NumVal16(rec.Sounds(0, 0)));
}

void LoadComments(SeatRecord& seat, const Personality& rec, int first) {
    if (first == 1) {
        for (int i = 1; i <= kPersonComments; ++i)
            Eng.SeatComments(i) = Eng.CommentsOff && i <= kSituationComments ? QString() : rec.Comments(i);
    } else if (!Eng.CommentsOff) {
        for (int i = 1; i <= kSeat34Comments; ++i)
            Eng.SeatComments(i) = rec.Comments(i);
    }
    if (!IsPlain(seat.RecCommentSet)) Comments_Load(seat.RecCommentSet);
    const int last = first == 1 ? kPersonComments : kSituationComments;
    // A silenced seat 3 or 4 must not take the comments another seat left in the working set.
    const bool silent = first != 1 && Eng.CommentsOff;
    for (int i = 1; i <= last; ++i)
        seat.RecComments(i) = silent ? QString() : Eng.SeatComments(i);
}
} // namespace

void Person_Load(SeatRecord& seat, int first) {
    if (!IsPlain(seat.RecCommentSet) && Media_FindNoCase(Com.UserPath, seat.RecCommentSet + ".cmt").isEmpty())
        seat.RecCommentSet = QString::fromLatin1(kDefaultPersonality);
    bool found = false;
    const Personality rec = Person_Record(seat.RecName, &found);
    if (!found) seat.RecName = kGrulm;
    Med.PersonRec = rec;
    // In place of the personality's companion program: its sounds and avatar are put in place now.
    PersonPack_Install(seat.RecName, rec);
    LoadSounds(seat, rec, first);
    // An avatar name from a file is used only when it names a file of the avatar folder.
    const QString avatar = Media_PlainFileName(rec.DefaultAvatar) ? rec.DefaultAvatar : QString();
    if (NeverWritten(seat.RecAvatar)) seat.RecAvatar = avatar;
    Med.PersonDefaultAvatar = avatar;
    if (first == 1) Tbl.PersonDefaultAvatar = avatar;
    Eng.CommentsOff = seat.RecCommentSet == QLatin1String(kNoComments);
    if (first == 1 && HasTableForm()) frmGrulm().Avatar_Show(seat.RecAvatar);
    LoadComments(seat, rec, first);
}

void Person_Read(const QString& name) {
    bool found = false;
    Med.PersonRec = Person_Record(name, &found);
    for (int i = 1; i <= kGeneralComments; ++i)
        Eng.SeatComments(i) = Med.PersonRec.Comments(i);
}

void Person_SeatAll(PlayerPrefs& prefs) {
    for (int s = 2; s <= 4; ++s) {
        SeatRecord& seat = SeatRecordOf(s);
        Person_Check(seat, prefs.Identity(s - 1));
        Person_Load(seat, s == 2 ? 1 : 0);
    }
}

QString Person_Store(int slot) {
    if (!Prof.Prefs.Identity.InBounds(slot)) return QString::fromLatin1(kDefaultPersonality);
    PlayerIdentity& id = Prof.Prefs.Identity(slot);
    const QString cs = id.CommentSet.trimmed();
    if (IsPlain(cs)) return cs;
    if (!Media_FindNoCase(Com.UserPath, cs + ".cmt").isEmpty()) return cs;
    id.CommentSet = QString::fromLatin1(kDefaultPersonality);
    Prefs_WriteRecord(Prof.PlayerRecord, Prof.Prefs);
    return id.CommentSet;
}

QString Person_NameFault(const QString& name) {
    constexpr int kWidth = PlayerIdentity::kFields[PlayerIdentity::kName].size;
    QString foreign;
    for (const char32_t u : name.toUcs4()) {
        const QString c = QString::fromUcs4(&u, 1);
        if (platform::FromCp1252(platform::ToCp1252(c)) != c && !foreign.contains(c)) foreign += c;
    }
    if (!foreign.isEmpty())
        return QStringLiteral("Its name has letters your profile cannot keep: %1").arg(foreign);
    if (name.size() > kWidth)
        return QStringLiteral("Its name is longer than the %1 characters your profile keeps.").arg(kWidth);
    return {};
}

void List_Personalities() {
    QStringList names{kGrulm};
    bool oskrel = false;
    for (const QString& f : Media_FolderFiles(Person_Folder(), {"PMS"})) {
        if (!f.endsWith(kPmsEnding, Qt::CaseInsensitive) || f.size() <= kPmsEnding.size()) continue;
        const QString stem = f.left(f.size() - kPmsEnding.size());
        if (stem.compare(kGrulm, Qt::CaseInsensitive) == 0) continue;
        if (stem.compare(kOskrel, Qt::CaseInsensitive) == 0) {
            oskrel = true;
            continue;
        }
        names << stem;
    }
    if (oskrel) names << kOskrel;
    Med.PersonCount = static_cast<int>(names.size()) - 1;
    Med.PersonList.Redim(1, Med.PersonCount);
    for (int r = 0; r <= Med.PersonCount; ++r)
        Med.PersonList(1, r) = names.at(r);
    if (Med.PersonCount == 0) {
        Tbl.PersonIndex = 0;
        return;
    }
    for (int r = 0; r <= Med.PersonCount; ++r) {
        Personality rec;
        const QString file = Media_FindNoCase(Person_Folder(), names.at(r) + kPmsEnding);
        if (file.isEmpty() || Personality_ReadFile(Person_Folder() + file, &rec) == PersonFile::Missing)
            rec = r == 0 ? Personality_Grulm() : Personality{};
        Med.PersonList(0, r) = rec.Comments(0);
        PersonPack_InstallAvatar(names.at(r), rec);
    }
}

void ChangePerson() {
    const QString name = Eng.Seat2Rec.RecName;
    if (HasTableForm() && frmGrulm().Label9.Exists(kLblSeat2Name)) frmGrulm().Label9(kLblSeat2Name).SetCaption(name);
    Tbl.PersonName = name;
    Tbl.PersonIndex = Med.PersonCount + 1;
    for (int r = 0; r <= Med.PersonCount; ++r) {
        if (Med.PersonList(1, r).trimmed() == name.trimmed()) {
            Tbl.PersonIndex = r;
            break;
        }
    }
}

void Comments_Load(const QString& name) {
    const QString file = Media_FindNoCase(Com.UserPath, name + kCommentEnding);
    if (file.isEmpty()) return;
    QStringList texts;
    const CommentFile st = Comments_ReadFile(Com.UserPath + file, &texts);
    if (st == CommentFile::Damaged) Comments_ReportDamaged(Com.UserPath + file);
    if (st != CommentFile::Ok) return;
    for (int i = 1; i <= kGeneralComments; ++i)
        Eng.SeatComments(i) = texts.value(i - 1);
}
