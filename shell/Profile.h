#pragma once
// The players' profiles: one 756-byte record per player in "Prefs.sav", the list
// of known players, loading a profile into the running program and storing the
// running options back.
//
// Record 1 is the header: its first identity names the player who played last
// and its options are the defaults of a new player. Records 2 and up are the
// players in the order they were added; player i of the list is record i + 1.
#include "common/BArray.h"
#include "common/Records.h"
#include "platform/RecordFile.h"
#include "shell/ShellHooks.h"

#include <QString>
#include <cstdint>
#include <functional>

inline constexpr char kProfileFile[] = "Prefs.sav";
inline constexpr char kScoreFile[] = "scores.ran";
inline constexpr char kDefaultOpponent[] = "Grulm";
inline constexpr char kDefaultPersonality[] = "Default Personality";
inline constexpr char kNoComments[] = "No Comments";
// Width of a stored player name; longer names are cut to it at the login.
constexpr int kPlayerNameWidth = 20;

// One person at the table: the player (entry 0 of a profile) or an opponent.
// Also the record of the online avatar address book.
struct PlayerIdentity {
    QString Name;
    QString Avatar;      // picture file under the user folder's "Avatars"
    QString CommentSet;  // personality or comment-file name, or kDefaultPersonality / kNoComments
    int Level = 0;       // 0 Average, 1 Clever, 2 Ruthless
    int SoundChoice = 0; // 0 the personality's own sounds, 1 the custom set

    enum Field { kName, kAvatar, kCommentSet, kLevel, kSoundChoice };
    static constexpr RecordField kFields[] = {{"Name", 0, 20},
                                              {"Avatar", 20, 30},
                                              {"CommentSet", 50, 100},
                                              {"Level", 150, 2},
                                              {"SoundChoice", 152, 2}};
    static constexpr int kSize = 154;

    // A whole record; any other size is a caller's fault and throws.
    static PlayerIdentity Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    // The entry that starts at byte `at` of a larger record.
    static PlayerIdentity DecodeAt(const platform::RecordBuf& buf, int at);
    void EncodeAt(platform::RecordBuf& buf, int at) const;
    bool operator==(const PlayerIdentity&) const = default;
};
static_assert(FieldsFill(PlayerIdentity::kFields, PlayerIdentity::kSize));

// A player's profile. Booleans are kept as the stored integers (-1 / 0).
struct PlayerPrefs {
    std::int32_t FontColour = 0; // colours are 0x00BBGGRR
    std::int32_t MatColour = 0;
    std::int32_t DeckColour = 0; // 0: the default for the screen's depth
    int NumPlayers = 0;
    int NumCenters = 0;
    int CommentFontSize = 0;
    int LastBackground = 0;
    int SpeedIndex = 0;
    int AnimSteps = 0;
    int SoundMode = 0;
    int SoundSet = 0; // a stored 2 loads as 0
    int DeckStyle = 0;
    int CardBack = 0;     // 99 a plain colour
    int HoldViewLeft = 0; // twips of the screen
    int HoldViewTop = 0;
    int FontBackdrop = 0;
    int StatusBarShown = 0; // also the peek display
    int IntroOn = 0;
    int PlaceholderStyle = 0;
    int MenuStyle = 0; // 0 "Wood", 1 "Metallic"
    int SmallDisplay = 0;
    int AvatarShown = 0;
    int AutoSave = 0; // the move history
    int LoseAnimOff = 0;
    int WinAnimOff = 0;
    int SideSize = 0;
    int ForcedCards = 0;
    int DecksSeparate = 0;
    int NoWildAce = 0;
    // Best runs (c, r): c 0 the player's best run, 1 the player's best side run,
    // 2 the computer's best run, 3 the computer's best side run; r 0 side, 1 hand, 2 hold.
    BArray<int, 2> BestRuns{3, 2};
    // By game kind: 0 all, 1 to 3 the opponent's level, 4 to 6 two to four players.
    BArray<int, 1> Games{6};
    BArray<int, 1> Wins{6};
    BArray<int, 1> Margin{6};
    // 0 the player, 1 to 3 the opponents of seats 2 to 4.
    BArray<PlayerIdentity, 1> Identity{3};
    int BackgroundStretch = 0;
    BArray<int, 1> Reserved{3};

    enum Field {
        kFontColour,
        kMatColour,
        kDeckColour,
        kNumPlayers,
        kNumCenters,
        kCommentFontSize,
        kLastBackground,
        kSpeedIndex,
        kAnimSteps,
        kSoundMode,
        kSoundSet,
        kDeckStyle,
        kCardBack,
        kHoldViewLeft,
        kHoldViewTop,
        kFontBackdrop,
        kStatusBarShown,
        kIntroOn,
        kPlaceholderStyle,
        kMenuStyle,
        kSmallDisplay,
        kAvatarShown,
        kAutoSave,
        kLoseAnimOff,
        kWinAnimOff,
        kSideSize,
        kForcedCards,
        kDecksSeparate,
        kNoWildAce,
        kBestRuns,
        kGames,
        kWins,
        kMargin,
        kIdentity,
        kBackgroundStretch,
        kReserved
    };
    static constexpr RecordField kFields[] = {{"FontColour", 0, 4},
                                              {"MatColour", 4, 4},
                                              {"DeckColour", 8, 4},
                                              {"NumPlayers", 12, 2},
                                              {"NumCenters", 14, 2},
                                              {"CommentFontSize", 16, 2},
                                              {"LastBackground", 18, 2},
                                              {"SpeedIndex", 20, 2},
                                              {"AnimSteps", 22, 2},
                                              {"SoundMode", 24, 2},
                                              {"SoundSet", 26, 2},
                                              {"DeckStyle", 28, 2},
                                              {"CardBack", 30, 2},
                                              {"HoldViewLeft", 32, 2},
                                              {"HoldViewTop", 34, 2},
                                              {"FontBackdrop", 36, 2},
                                              {"StatusBarShown", 38, 2},
                                              {"IntroOn", 40, 2},
                                              {"PlaceholderStyle", 42, 2},
                                              {"MenuStyle", 44, 2},
                                              {"SmallDisplay", 46, 2},
                                              {"AvatarShown", 48, 2},
                                              {"AutoSave", 50, 2},
                                              {"LoseAnimOff", 52, 2},
                                              {"WinAnimOff", 54, 2},
                                              {"SideSize", 56, 2},
                                              {"ForcedCards", 58, 2},
                                              {"DecksSeparate", 60, 2},
                                              {"NoWildAce", 62, 2},
                                              {"BestRuns", 64, 24},
                                              {"Games", 88, 14},
                                              {"Wins", 102, 14},
                                              {"Margin", 116, 14},
                                              {"Identity", 130, 616},
                                              {"BackgroundStretch", 746, 2},
                                              {"Reserved", 748, 8}};
    static constexpr int kSize = 756;
    // The 16-bit options from NumPlayers to NoWildAce.
    static constexpr int kOptionCount = 26;

    static PlayerPrefs Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    // Clears the best runs, games, wins and margins.
    void ClearStatistics();
    bool operator==(const PlayerPrefs&) const = default;
};
static_assert(FieldsFill(PlayerPrefs::kFields, PlayerPrefs::kSize));
static_assert(PlayerPrefs::kFields[PlayerPrefs::kNoWildAce].offset == 62);

struct ProfileState {
    QString ProfileName;  // the player whose profile is loaded
    int PlayerRecord = 1; // the player's record; 1 while no player is known
    int PlayerCount = 0;
    BArray<QString, 1> PlayerNames{0}; // 1..PlayerCount, in record order
    bool PlayerKnown = false;          // ProfileName has a record, so its options may be stored
    PlayerPrefs Prefs;                 // the record last loaded or stored

    // Values of the table and the shell's menus that the profile carries.
    int HoldViewLeft = 0, HoldViewTop = 0; // twips of the screen
    bool BackgroundStretch = false;
    bool SmallDisplay = false;
    bool StatusBarShown = false;
    int MenuStyle = 0;
    bool IntroOff = false;

    // A failed write has been reported in this run.
    bool WriteWarned = false;
};

extern ProfileState Prof;
// Clears the profile state and the hooks.
void Profile_Reset();

QString Profile_Path();
// A name as the file keeps it: trimmed, cut to 20 Windows-1252 characters, trimmed again.
QString Profile_StoredName(const QString& name);
// Two names that are stored alike, ignoring case, belong to one player.
bool Profile_SameName(const QString& a, const QString& b);
// The index of the listed player of that name, 0 when none.
int Profile_FindPlayer(const QString& name);

// The header an installer leaves: the default options, no player yet, "Grulm" in every seat.
PlayerPrefs Profile_Defaults();
// On a fresh machine writes "Prefs.sav" (header and an empty first player record)
// and an empty "scores.ran" into DataPath; files already there are kept.
bool Profile_CreateDefaults(QString* error);

// Record access for the statistics, the opponents editor and the preferences.
int Prefs_RecordCount();
// False when the file or the record is missing.
bool Prefs_ReadRecord(int recno, PlayerPrefs* out);
// False, after one warning per run, when the file cannot be written.
bool Prefs_WriteRecord(int recno, const PlayerPrefs& rec);

// The running values a record loads as: out-of-range values corrected.
PlayerPrefs Profile_Corrected(const PlayerPrefs& rec, int screenWidthPx, int screenHeightPx);
// Puts a record's options into the running program (no file access).
void Profile_Apply(const PlayerPrefs& rec, bool startUp);
// Writes the running options into a record's option fields.
void Profile_StoreOptions(PlayerPrefs& rec);

// Builds the player list and loads the last player's profile.
void Get_Players(bool startUp = true);
// Loads record `record` (the header or the defaults when it is missing).
void Players_SetUp(int record, bool startUp = false);
// Derives the pace from the loaded options and lets the table apply the rest.
void Options_Apply();
// Stores the current player's name, avatar and options; with `reload` loads them again.
bool Prefs_Save(bool reload);
// At exit: finds or creates the current player's record and stores into it.
bool Prefs_Load();

// Seconds between two computer moves for a pace 0 to 5; `current` for any other.
double Profile_PauseFor(int speedIndex, double current);
// The background to show: 1..count a picture, count + 1 the plain colour.
int Profile_BackgroundChoice(int lastBackground, int backgroundCount, int gameBoardIndex, int colourDepth);
// The deck colour for a stored 0.
std::int32_t Profile_DefaultDeckColour(int colourDepth);
