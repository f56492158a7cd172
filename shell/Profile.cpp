#include "shell/Profile.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "platform/Services.h"
#include "platform/Text1252.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <stdexcept>
#include <string>

ProfileState Prof;

void Profile_Reset() {
    Prof = ProfileState{};
    ProfHooks = ProfileHooks{};
}

namespace {
using platform::RecordBuf;

// The 16-bit options in record order, NumPlayers first.
constexpr int PlayerPrefs::*kOptions[PlayerPrefs::kOptionCount] = {
    &PlayerPrefs::NumPlayers,       &PlayerPrefs::NumCenters,     &PlayerPrefs::CommentFontSize,
    &PlayerPrefs::LastBackground,   &PlayerPrefs::SpeedIndex,     &PlayerPrefs::AnimSteps,
    &PlayerPrefs::SoundMode,        &PlayerPrefs::SoundSet,       &PlayerPrefs::DeckStyle,
    &PlayerPrefs::CardBack,         &PlayerPrefs::HoldViewLeft,   &PlayerPrefs::HoldViewTop,
    &PlayerPrefs::FontBackdrop,     &PlayerPrefs::StatusBarShown, &PlayerPrefs::IntroOn,
    &PlayerPrefs::PlaceholderStyle, &PlayerPrefs::MenuStyle,      &PlayerPrefs::SmallDisplay,
    &PlayerPrefs::AvatarShown,      &PlayerPrefs::AutoSave,       &PlayerPrefs::LoseAnimOff,
    &PlayerPrefs::WinAnimOff,       &PlayerPrefs::SideSize,       &PlayerPrefs::ForcedCards,
    &PlayerPrefs::DecksSeparate,    &PlayerPrefs::NoWildAce};
static_assert(PlayerPrefs::kNumPlayers + PlayerPrefs::kOptionCount - 1 == PlayerPrefs::kNoWildAce);

// The viewer's top left corner stays at least this far inside the screen's right and bottom edges.
constexpr int kHoldViewMinShown = 64;
constexpr int kDefaultAnimSteps = 45;

void ProfileCheckSize(const RecordBuf& buf, int size, const char* what) {
    if (buf.Size() != size)
        throw std::invalid_argument(std::string(what) + " needs " + std::to_string(size) + " bytes, got " +
                                    std::to_string(buf.Size()));
}

// Out-of-range numbers saturate rather than wrap into another meaning.
int Clamp16(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -32768, 32767));
}
int Flag(bool b) {
    return b ? -1 : 0;
}

int Off(PlayerPrefs::Field f) {
    return PlayerPrefs::kFields[f].offset;
}
int IdOff(PlayerIdentity::Field f) {
    return PlayerIdentity::kFields[f].offset;
}
int IdWidth(PlayerIdentity::Field f) {
    return PlayerIdentity::kFields[f].size;
}

int BestRunOffset(int c, int r) {
    return Off(PlayerPrefs::kBestRuns) + 2 * (c + 4 * r);
}

// A name from a file is used only as a plain file name inside its folder.
bool PlainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && name != "." && name != "..";
}

// The entry of `folder` named `name` regardless of letter case; "" when there is none.
QString FindNoCase(const QString& folder, const QString& name) {
    if (folder.isEmpty() || !PlainFileName(name)) return QString();
    if (QFileInfo(folder + name).isFile()) return name;
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    return QString();
}

int DefaultAnimSteps() {
    return Com.CpuSpeed > 0 ? AnimStepsForMHz(Com.CpuSpeed) : kDefaultAnimSteps;
}

void WarnWriteFailed(const QString& path, const QString& reason) {
    if (Prof.WriteWarned) return;
    Prof.WriteWarned = true;
    QString text =
        QStringLiteral("Your profile could not be saved in the file\n%1").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty()) text += "\n(" + reason + ")";
    text += QStringLiteral("\nYour options and statistics of this session will not be kept.");
    platform::MsgBox(text, platform::vbExclamation, QStringLiteral("Profile Not Saved"));
}

// The comment set an opponent can have: a missing comment file becomes the personality's own.
QString CheckedCommentSet(const QString& set) {
    if (set == QLatin1String(kNoComments) || set == QLatin1String(kDefaultPersonality)) return set;
    const QString file = FindNoCase(Com.UserPath, set + ".cmt");
    if (file.isEmpty()) return QString::fromLatin1(kDefaultPersonality);
    return file.left(file.size() - 4);
}

void SeatFrom(SeatRecord& seat, const PlayerIdentity& id) {
    seat.RecName = id.Name;
    seat.RecAvatar = id.Avatar;
    seat.RecCommentSet = CheckedCommentSet(id.CommentSet);
    seat.RecLevel = id.Level;
    seat.RecSoundColumn = id.SoundChoice;
}

void SetPlayerNames(int count) {
    Prof.PlayerCount = count;
    Prof.PlayerNames.RedimPreserve(count);
}
} // namespace

// ---------------------------------------------------------------- codecs

PlayerIdentity PlayerIdentity::Decode(const RecordBuf& buf) {
    ProfileCheckSize(buf, kSize, "PlayerIdentity");
    return DecodeAt(buf, 0);
}

RecordBuf PlayerIdentity::Encode() const {
    RecordBuf buf(kSize);
    EncodeAt(buf, 0);
    return buf;
}

PlayerIdentity PlayerIdentity::DecodeAt(const RecordBuf& buf, int at) {
    PlayerIdentity id;
    id.Name = buf.Text(at + IdOff(kName), IdWidth(kName));
    id.Avatar = buf.Text(at + IdOff(kAvatar), IdWidth(kAvatar));
    id.CommentSet = buf.Text(at + IdOff(kCommentSet), IdWidth(kCommentSet));
    id.Level = buf.I16(at + IdOff(kLevel));
    id.SoundChoice = buf.I16(at + IdOff(kSoundChoice));
    return id;
}

void PlayerIdentity::EncodeAt(RecordBuf& buf, int at) const {
    buf.SetText(at + IdOff(kName), IdWidth(kName), Name);
    buf.SetText(at + IdOff(kAvatar), IdWidth(kAvatar), Avatar);
    buf.SetText(at + IdOff(kCommentSet), IdWidth(kCommentSet), CommentSet);
    buf.SetI16(at + IdOff(kLevel), Clamp16(Level));
    buf.SetI16(at + IdOff(kSoundChoice), Clamp16(SoundChoice));
}

PlayerPrefs PlayerPrefs::Decode(const RecordBuf& buf) {
    ProfileCheckSize(buf, kSize, "PlayerPrefs");
    PlayerPrefs p;
    p.FontColour = buf.I32(Off(kFontColour));
    p.MatColour = buf.I32(Off(kMatColour));
    p.DeckColour = buf.I32(Off(kDeckColour));
    for (int i = 0; i < kOptionCount; ++i)
        p.*kOptions[i] = buf.I16(kFields[kNumPlayers + i].offset);
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c)
            p.BestRuns(c, r) = buf.I16(BestRunOffset(c, r));
    for (int k = 0; k <= 6; ++k) {
        p.Games(k) = buf.I16(Off(kGames) + 2 * k);
        p.Wins(k) = buf.I16(Off(kWins) + 2 * k);
        p.Margin(k) = buf.I16(Off(kMargin) + 2 * k);
    }
    for (int e = 0; e <= 3; ++e)
        p.Identity(e) = PlayerIdentity::DecodeAt(buf, Off(kIdentity) + e * PlayerIdentity::kSize);
    p.BackgroundStretch = buf.I16(Off(kBackgroundStretch));
    for (int i = 0; i <= 3; ++i)
        p.Reserved(i) = buf.I16(Off(kReserved) + 2 * i);
    return p;
}

RecordBuf PlayerPrefs::Encode() const {
    RecordBuf buf(kSize);
    buf.SetI32(Off(kFontColour), FontColour);
    buf.SetI32(Off(kMatColour), MatColour);
    buf.SetI32(Off(kDeckColour), DeckColour);
    for (int i = 0; i < kOptionCount; ++i)
        buf.SetI16(kFields[kNumPlayers + i].offset, Clamp16(this->*kOptions[i]));
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c)
            buf.SetI16(BestRunOffset(c, r), Clamp16(BestRuns(c, r)));
    for (int k = 0; k <= 6; ++k) {
        buf.SetI16(Off(kGames) + 2 * k, Clamp16(Games(k)));
        buf.SetI16(Off(kWins) + 2 * k, Clamp16(Wins(k)));
        buf.SetI16(Off(kMargin) + 2 * k, Clamp16(Margin(k)));
    }
    for (int e = 0; e <= 3; ++e)
        Identity(e).EncodeAt(buf, Off(kIdentity) + e * PlayerIdentity::kSize);
    buf.SetI16(Off(kBackgroundStretch), Clamp16(BackgroundStretch));
    for (int i = 0; i <= 3; ++i)
        buf.SetI16(Off(kReserved) + 2 * i, Clamp16(Reserved(i)));
    return buf;
}

void PlayerPrefs::ClearStatistics() {
    BestRuns.Clear();
    Games.Clear();
    Wins.Clear();
    Margin.Clear();
}

// ---------------------------------------------------------------- names and defaults

QString Profile_Path() {
    return Com.DataPath + kProfileFile;
}

QString Profile_StoredName(const QString& name) {
    return platform::TrimFixed(platform::FixedText(name.trimmed(), kPlayerNameWidth));
}

bool Profile_SameName(const QString& a, const QString& b) {
    return Profile_StoredName(a).compare(Profile_StoredName(b), Qt::CaseInsensitive) == 0;
}

int Profile_FindPlayer(const QString& name) {
    if (Profile_StoredName(name).isEmpty()) return 0;
    for (int i = 1; i <= Prof.PlayerCount; ++i)
        if (Profile_SameName(Prof.PlayerNames(i), name)) return i;
    return 0;
}

PlayerPrefs Profile_Defaults() {
    PlayerPrefs d;
    d.FontColour = 0x00FFFFFF;
    d.MatColour = 0x00408000;
    d.DeckColour = 0;
    d.NumPlayers = 2;
    d.NumCenters = 3;
    d.CommentFontSize = 10;
    d.LastBackground = 0;
    d.SpeedIndex = 2;
    d.AnimSteps = kDefaultAnimSteps;
    d.SoundMode = kSoundsAll;
    d.SoundSet = 1;
    d.DeckStyle = 6;
    d.CardBack = 0;
    d.IntroOn = -1;
    d.AvatarShown = -1;
    d.StatusBarShown = -1;
    d.AutoSave = -1;
    d.SideSize = 19;
    d.ForcedCards = 0;
    d.DecksSeparate = 0;
    d.NoWildAce = 0;
    d.Identity(0) = PlayerIdentity{QString(), QString(), QString::fromLatin1(kDefaultPersonality), 0, 0};
    for (int e = 1; e <= 3; ++e)
        d.Identity(e) = PlayerIdentity{QString::fromLatin1(kDefaultOpponent), QString(),
                                       QString::fromLatin1(kDefaultPersonality), 0, 0};
    return d;
}

bool Profile_CreateDefaults(QString* error) {
    auto fail = [&](const QString& path, const QString& reason) {
        if (error)
            *error =
                QStringLiteral("Grulm and Torvek cannot create the file \"%1\" (%2). Please check that the "
                               "folder can be written and start the game again.")
                    .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    if (Com.DataPath.isEmpty())
        return fail(QString::fromLatin1(kProfileFile), QStringLiteral("no data folder"));

    const QString prefs = Profile_Path();
    if (!QFileInfo::exists(prefs)) {
        platform::RecordFile f;
        if (!f.Open(prefs, PlayerPrefs::kSize)) return fail(prefs, f.ErrorString());
        // Record 2 is the first player's place, still without a name.
        const PlayerPrefs header = Profile_Defaults();
        if (!f.Write(1, header.Encode()) || !f.Write(2, header.Encode())) {
            const QString reason = f.ErrorString();
            f.Close();
            QFile::remove(prefs);
            return fail(prefs, reason);
        }
    }

    const QString scores = Com.DataPath + kScoreFile;
    if (!QFileInfo::exists(scores)) {
        // An empty score file reads as zero records: no best runs, no settings kept yet.
        QFile f(scores);
        if (!f.open(QIODevice::WriteOnly)) return fail(scores, f.errorString());
    }
    return true;
}

// ---------------------------------------------------------------- records

int Prefs_RecordCount() {
    platform::RecordFile f;
    if (!f.OpenReadOnly(Profile_Path(), PlayerPrefs::kSize)) return 0;
    return f.RecordCount();
}

bool Prefs_ReadRecord(int recno, PlayerPrefs* out) {
    platform::RecordFile f;
    if (recno < 1 || !f.OpenReadOnly(Profile_Path(), PlayerPrefs::kSize) || recno > f.RecordCount())
        return false;
    if (out) *out = PlayerPrefs::Decode(f.Read(recno));
    return true;
}

bool Prefs_WriteRecord(int recno, const PlayerPrefs& rec) {
    const QString path = Profile_Path();
    platform::RecordFile f;
    if (recno < 1 || !f.Open(path, PlayerPrefs::kSize) || !f.Write(recno, rec.Encode())) {
        WarnWriteFailed(path, f.ErrorString());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- loading

std::int32_t Profile_DefaultDeckColour(int colourDepth) {
    // Red 255, green 224 (255 on a shallow screen), blue 192.
    return colourDepth > 15 ? 0x00C0E0FF : 0x00C0FFFF;
}

PlayerPrefs Profile_Corrected(const PlayerPrefs& rec, int screenWidthPx, int screenHeightPx) {
    PlayerPrefs p = rec;
    if (p.SideSize != 9 && p.SideSize != 14 && p.SideSize != 19 && p.SideSize != 25) p.SideSize = 19;
    if (p.NumPlayers < 2 || p.NumPlayers > 4) p.NumPlayers = 2;
    if (p.NumPlayers > 2)
        p.NumCenters = 4;
    else if (p.NumCenters != 3 && p.NumCenters != 4)
        p.NumCenters = 3;
    if (p.AnimSteps <= 0) p.AnimSteps = DefaultAnimSteps();
    p.ForcedCards &= 7;
    // The viewer's place is kept in twips, as the viewer stores it.
    p.HoldViewLeft =
        std::clamp(p.HoldViewLeft, 0, platform::TwipsOfPx(std::max(0, screenWidthPx - kHoldViewMinShown)));
    p.HoldViewTop =
        std::clamp(p.HoldViewTop, 0, platform::TwipsOfPx(std::max(0, screenHeightPx - kHoldViewMinShown)));
    if (p.SoundSet == 2) p.SoundSet = 0;
    if (p.MenuStyle != 0) p.MenuStyle = 1;
    // Opponents' levels and sound columns index tables.
    for (int e = 1; e <= 3; ++e) {
        PlayerIdentity& id = p.Identity(e);
        id.Level = std::clamp(id.Level, 0, 2);
        id.SoundChoice = std::clamp(id.SoundChoice, 0, 1);
        if (id.Name.isEmpty()) id.Name = QString::fromLatin1(kDefaultOpponent);
    }
    return p;
}

void Profile_Apply(const PlayerPrefs& rec, bool startUp) {
    platform::Screen& screen = *platform::Svc().screen;
    const int depth = screen.ColourDepth();
    const PlayerPrefs p = Profile_Corrected(rec, platform::PxOfTwips(screen.WidthTwips()),
                                            platform::PxOfTwips(screen.HeightTwips()));

    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;

    Shl.FontColour = static_cast<quint32>(p.FontColour);
    Com.MatColour = static_cast<quint32>(p.MatColour);
    Com.DeckColour =
        static_cast<quint32>(p.DeckColour != 0 ? p.DeckColour : Profile_DefaultDeckColour(depth));
    Com.CommentFontSize = p.CommentFontSize;
    Shl.FontBackdrop = p.FontBackdrop != 0;
    Prof.BackgroundStretch = p.BackgroundStretch != 0;
    Com.SpeedIndex = p.SpeedIndex;
    Com.AnimSteps = p.AnimSteps;
    Shl.LastBackground = p.LastBackground;
    Com.SoundMode = p.SoundMode;
    Com.SoundSet = p.SoundSet;
    Prof.MenuStyle = p.MenuStyle;
    Prof.IntroOff = p.IntroOn == 0;
    Prof.SmallDisplay = p.SmallDisplay != 0;
    Com.PlaceholderStyle = p.PlaceholderStyle;
    Com.BackStyle = p.CardBack;
    Com.DeckStyle = p.DeckStyle;
    Prof.HoldViewLeft = p.HoldViewLeft;
    Prof.HoldViewTop = p.HoldViewTop;
    Shl.LoseAnimOff = p.LoseAnimOff != 0;
    Shl.WinAnimOff = p.WinAnimOff != 0;
    Com.NumCenters = p.NumCenters;
    Com.NumPlayers = p.NumPlayers;
    Com.SideSize = p.SideSize;
    Com.DecksSeparate = p.DecksSeparate != 0;
    Com.NoWildAce = p.NoWildAce != 0;
    Com.ForcedCards = p.ForcedCards;

    // A picture that is not there is not shown.
    Com.PlayerAvatar =
        Com.UserPath.isEmpty() ? QString() : FindNoCase(Com.UserPath + "Avatars/", p.Identity(0).Avatar);

    if (startUp && !Prof.IntroOff) ProfHooks.PlayIntro();

    // The status bar is shown by ShowProfile; peeking is the player's own choice in each game.
    Prof.StatusBarShown = p.StatusBarShown != 0;
    Shl.AvatarShown = p.AvatarShown != 0;
    if (p.AutoSave != 0) ProfHooks.TempMovesOpen(true);

    ProfHooks.ShowProfile(startUp);

    SeatFrom(Eng.Seat2Rec, p.Identity(1));
    SeatFrom(Eng.Seat3Rec, p.Identity(2));
    SeatFrom(Eng.Seat4Rec, p.Identity(3));
    ProfHooks.SeatOpponents();

    ProfHooks.LayOut();
    Options_Apply();
}

void Profile_StoreOptions(PlayerPrefs& r) {
    r.FontColour = static_cast<std::int32_t>(Shl.FontColour);
    r.MatColour = static_cast<std::int32_t>(Com.MatColour);
    r.DeckColour = static_cast<std::int32_t>(Com.DeckColour);
    r.NumPlayers = Com.NumPlayers;
    r.NumCenters = Com.NumCenters;
    r.CommentFontSize = Com.CommentFontSize;
    r.LastBackground = Shl.LastBackground;
    r.SpeedIndex = Com.SpeedIndex;
    r.AnimSteps = Com.AnimSteps;
    r.SoundMode = Com.SoundMode;
    r.SoundSet = Com.SoundSet;
    r.DeckStyle = Com.DeckStyle;
    r.CardBack = Com.BackStyle;
    // Pixels, so even a very wide screen fits the 16-bit field.
    r.HoldViewLeft = Clamp16(Prof.HoldViewLeft);
    r.HoldViewTop = Clamp16(Prof.HoldViewTop);
    r.FontBackdrop = Flag(Shl.FontBackdrop);
    r.StatusBarShown = Flag(Prof.StatusBarShown);
    r.IntroOn = Flag(!Prof.IntroOff);
    r.PlaceholderStyle = Com.PlaceholderStyle;
    r.MenuStyle = Prof.MenuStyle;
    r.SmallDisplay = Flag(Prof.SmallDisplay);
    r.AvatarShown = Flag(Shl.AvatarShown);
    r.AutoSave = Flag(Shl.MoveLogOn);
    r.LoseAnimOff = Flag(Shl.LoseAnimOff);
    r.WinAnimOff = Flag(Shl.WinAnimOff);
    r.SideSize = Com.SideSize;
    r.ForcedCards = Com.ForcedCards;
    r.DecksSeparate = Flag(Com.DecksSeparate);
    r.NoWildAce = Flag(Com.NoWildAce);
    r.BackgroundStretch = Flag(Prof.BackgroundStretch);
}

void Get_Players(bool startUp) {
    Prof.ProfileName.clear();
    Prof.PlayerRecord = 1;
    Prof.PlayerKnown = false;
    SetPlayerNames(0);

    platform::RecordFile f;
    if (!f.OpenReadOnly(Profile_Path(), PlayerPrefs::kSize) || f.RecordCount() < 1) {
        // No header to read: the built-in defaults, and no player yet.
        Prof.Prefs = Profile_Defaults();
        Profile_Apply(Prof.Prefs, startUp);
        return;
    }
    const int records = f.RecordCount();
    const PlayerPrefs header = PlayerPrefs::Decode(f.Read(1));

    // The list ends at the last named record; unnamed records after it are free places.
    QStringList names;
    int count = 0;
    for (int recno = 2; recno <= records; ++recno) {
        names << PlayerPrefs::Decode(f.Read(recno)).Identity(0).Name;
        if (!names.last().isEmpty()) count = recno - 1;
    }
    SetPlayerNames(count);
    for (int i = 1; i <= count; ++i)
        Prof.PlayerNames(i) = names.at(i - 1);

    const QString last = header.Identity(0).Name;
    PlayerPrefs rec = header;
    if (!last.isEmpty()) {
        Prof.ProfileName = last;
        if (const int i = Profile_FindPlayer(last)) {
            Prof.PlayerKnown = true;
            Prof.PlayerRecord = i + 1;
            Prof.ProfileName = Prof.PlayerNames(i);
            rec = PlayerPrefs::Decode(f.Read(Prof.PlayerRecord));
        }
    }
    f.Close();
    Prof.Prefs = rec;
    Profile_Apply(rec, startUp);
}

void Players_SetUp(int record, bool startUp) {
    PlayerPrefs rec;
    if (!Prefs_ReadRecord(record, &rec) && !Prefs_ReadRecord(1, &rec)) rec = Profile_Defaults();
    Prof.Prefs = rec;
    Profile_Apply(rec, startUp);
}

double Profile_PauseFor(int speedIndex, double current) {
    static constexpr double kSeconds[6] = {0.9, 0.6, 0.4, 0.2, 0.05, 0.0};
    return speedIndex >= 0 && speedIndex <= 5 ? kSeconds[speedIndex] : current;
}

int Profile_BackgroundChoice(int lastBackground, int backgroundCount, int gameBoardIndex, int colourDepth) {
    const int plain = backgroundCount + 1;
    // A negative index would point before the list: the default board instead.
    int v = std::max(0, lastBackground);
    if (v == 0 && colourDepth < 16) v = plain;
    if (v > backgroundCount) return plain;
    if (v == 0) {
        if (gameBoardIndex >= 1 && gameBoardIndex <= backgroundCount) return gameBoardIndex;
        return backgroundCount >= 1 ? 1 : plain;
    }
    return v;
}

void Options_Apply() {
    Com.ComputerPause = Profile_PauseFor(Com.SpeedIndex, Com.ComputerPause);
    ProfHooks.ApplyOptions();
}

// ---------------------------------------------------------------- storing

bool Prefs_Save(bool reload) {
    ProfHooks.GatherTable();
    const QString path = Profile_Path();
    const QString name = Profile_StoredName(Prof.ProfileName);

    platform::RecordFile f;
    const bool writable = f.Open(path, PlayerPrefs::kSize);
    QString reason = f.ErrorString();
    if (!writable) f.OpenReadOnly(path, PlayerPrefs::kSize);
    const int records = f.RecordCount();

    PlayerPrefs header = records >= 1 ? PlayerPrefs::Decode(f.Read(1)) : Profile_Defaults();
    header.Identity(0).Name = name;
    bool ok = writable && f.Write(1, header.Encode());

    PlayerPrefs rec = header;
    const int at = Prof.PlayerRecord;
    if (at >= 2) {
        const PlayerPrefs there = at <= records ? PlayerPrefs::Decode(f.Read(at)) : PlayerPrefs{};
        if (Prof.PlayerKnown && at <= records && !there.Identity(0).Name.isEmpty()) {
            rec = there;
        } else {
            // A new player starts from the header's options, with statistics of his own.
            rec.ClearStatistics();
        }
        rec.Identity(0).Name = name;
        if (Prof.PlayerKnown) {
            rec.Identity(0).Avatar = Com.PlayerAvatar;
            Profile_StoreOptions(rec);
        }
        ok = ok && f.Write(at, rec.Encode());
    } else if (Prof.PlayerKnown) {
        // A known player always has a record of his own; the header keeps the defaults.
        QApplication::beep();
    }
    if (writable && !ok) reason = f.ErrorString();
    f.Close();

    if (!ok) WarnWriteFailed(path, reason);
    Prof.Prefs = rec;
    if (reload) Profile_Apply(rec, false);
    return ok;
}

bool Prefs_Load() {
    const QString name = Profile_StoredName(Prof.ProfileName);
    // Nobody has logged in: there is no player's record to keep.
    if (name.isEmpty()) return true;
    if (!Prof.PlayerKnown || Prof.PlayerRecord < 2) {
        int i = Profile_FindPlayer(name);
        if (i == 0) {
            SetPlayerNames(Prof.PlayerCount + 1);
            i = Prof.PlayerCount;
            Prof.PlayerNames(i) = name;
        }
        Prof.PlayerRecord = i + 1;
        Prof.PlayerKnown = true;
        Prof.ProfileName = Prof.PlayerNames(i);
    }
    return Prefs_Save(false);
}
