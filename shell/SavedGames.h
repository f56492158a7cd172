#pragma once
// Saved games: the 6038-byte record of a whole table position, the capture of the
// running game into it, the automatic saves, the restore of a stored position and
// the move history of the human's turn.
#include "common/BArray.h"
#include "common/Records.h"
#include "platform/RecordFile.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

struct SavedGame {
    // Header.
    int NoWildAce = 0; // 0 or -1
    int Pturn = 0;
    int SeatSideCount = 0; // the working set's
    int PlayerSideCount = 0;
    int SeatSideStack = 0; // the working set's
    int PlayerSideStack = 0;
    int DeckCount = 0;
    int UsedCount = 0;
    int HandCount = 0;
    int SideSize = 0;
    int ForcedCards = 0;
    int NumCenters = 0;
    int NumPlayers = 0;
    // The game's identity, and whether its end is in the player's record already. A record that
    // carries none (written before identities were kept) reads as 0: a game not yet recorded.
    std::int32_t GameId = 0;
    bool Recorded = false;
    // Where a record without an identity has its bytes there, they are kept as found.
    QByteArray Unmarked = QByteArray(8, '\0');
    // Kept as found; nothing reads it.
    QByteArray Reserved = QByteArray(832, '\0');
    // Cards as (number, rank) pairs, pair index first.
    BArray<int, 2> Deck{1, 208};
    BArray<int, 2> Used{1, 208};
    BArray<int, 2> PlayerSide{1, 26}, Seat2Side{1, 26}, Seat3Side{1, 26}, Seat4Side{1, 26};
    // Seats 2, 3, 4 at 0, 1, 2.
    BArray<int, 1> SideCounts{2};
    BArray<int, 1> SideStacks{2};
    BArray<int, 2> PlayerCards{1, 10}, Seat2Cards{1, 10}, Seat3Cards{1, 10}, Seat4Cards{1, 10};
    BArray<int, 3> Center{1, 4, 12};
    BArray<int, 1> CenterCount{4};
    // First index 0..2 the card numbers of seats 2..4, 3..5 their ranks; then pile, depth.
    BArray<int, 3> OppHold{5, 4, 30};
    // The human's covered cards; pile 0's rank row carries the wild-card counters at depths 1..8.
    BArray<int, 3> PlayerHold{1, 4, 30};
    // Bytes between the human's hold piles and the hold-pile table; kept as found.
    QByteArray Unused = QByteArray(30, '\0');
    // (seat - 2, pile): a seat's pile depth and the computer's type of the pile.
    BArray<int, 2> HoldDepth{2, 4};
    BArray<int, 2> HoldType{2, 4};
    BArray<int, 1> PlayerHoldCount{4};
    QString Name;

    enum Field {
        kNoWildAce,
        kPturn,
        kSeatSideCount,
        kPlayerSideCount,
        kSeatSideStack,
        kPlayerSideStack,
        kDeckCount,
        kUsedCount,
        kHandCount,
        kSideSize,
        kForcedCards,
        kNumCenters,
        kNumPlayers,
        kIdentityMark,
        kGameId,
        kRecorded,
        kReserved,
        kDeck,
        kUsed,
        kPlayerSide,
        kSeat2Side,
        kSeat3Side,
        kSeat4Side,
        kSideCounts,
        kSideStacks,
        kPlayerCards,
        kSeat2Cards,
        kSeat3Cards,
        kSeat4Cards,
        kCenter,
        kCenterCount,
        kOppHold,
        kPlayerHold,
        kUnused,
        kHoldDepth,
        kHoldType,
        kPlayerHoldCount,
        kName
    };
    static constexpr RecordField kFields[] = {
        {"NoWildAce", 0, 2},           {"Pturn", 2, 2},           {"SeatSideCount", 4, 2},
        {"PlayerSideCount", 6, 2},     {"SeatSideStack", 8, 2},   {"PlayerSideStack", 10, 2},
        {"DeckCount", 12, 2},          {"UsedCount", 14, 2},      {"HandCount", 16, 2},
        {"SideSize", 18, 2},           {"ForcedCards", 20, 2},    {"NumCenters", 22, 2},
        {"NumPlayers", 24, 2},         {"IdentityMark", 26, 2},   {"GameId", 28, 4},
        {"Recorded", 32, 2},           {"Reserved", 34, 832},     {"Deck", 866, 836},
        {"Used", 1702, 836},           {"PlayerSide", 2538, 108}, {"Seat2Side", 2646, 108},
        {"Seat3Side", 2754, 108},      {"Seat4Side", 2862, 108},  {"SideCounts", 2970, 6},
        {"SideStacks", 2976, 6},       {"PlayerCards", 2982, 44}, {"Seat2Cards", 3026, 44},
        {"Seat3Cards", 3070, 44},      {"Seat4Cards", 3114, 44},  {"Center", 3158, 260},
        {"CenterCount", 3418, 10},     {"OppHold", 3428, 1860},   {"PlayerHold", 5288, 620},
        {"Unused", 5908, 30},          {"HoldDepth", 5938, 30},   {"HoldType", 5968, 30},
        {"PlayerHoldCount", 5998, 10}, {"Name", 6008, 30}};
    static constexpr int kSize = 6038;
    // Written before the identity: the fields after it hold one.
    static constexpr int kIdentityMarkValue = 0x4947;

    // The buffer must be one whole record; anything else is a caller's fault and throws.
    static SavedGame Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    // A slot holds a game when someone is on turn in it.
    bool HoldsGame() const { return Pturn != 0; }
    // Side pile and card slots of seat 1 (the human) to 4.
    BArray<int, 2>& Side(int seat);
    const BArray<int, 2>& Side(int seat) const;
    BArray<int, 2>& Cards(int seat);
    const BArray<int, 2>& Cards(int seat) const;
    bool operator==(const SavedGame&) const = default;
};
static_assert(FieldsFill(SavedGame::kFields, SavedGame::kSize));

// A record of an open file; an empty record past the end or when the file is not open.
SavedGame SavedGame_Read(platform::RecordFile& file, int record);

// Records of "backup.sav".
inline constexpr int kAutoSaveEven = 11;    // after an even, non-zero turn
inline constexpr int kAutoSaveOdd = 12;     // after an odd turn, and the deal
inline constexpr int kGameStart = 13;       // the start of the current game
inline constexpr int kAutoSaveCopy = 14;    // a copy of every automatic save
inline constexpr int kSlotStartOffset = 20; // slot S keeps its game's start at S + 20
inline constexpr int kLastGameRecord = 30;  // the last record of the player's games

struct SavedGamesState {
    SavedGame Buffer; // the last record captured or read
    int SaveSlot = 0; // record to save into or restore from
    QString SaveName; // name for the next slot save
    bool DialogCancelled = false;
    bool ResumePending = false; // the game menu resumes the previous run's automatic save
    bool TurnRestarted = false; // a restart of the turn or an undo was made
    bool DealtThisRun = false;  // the game on the table was dealt or restored in this run
    // Flags of the network subsystem.
    bool SaveMidTurn = false;     // a save asked for while a remote seat may be moving
    bool NetSaveRestored = false; // the chosen slot holds an Internet game's save
    QString RecoveredLabel;       // name of the saved game a snapshot restored
};
extern SavedGamesState Sav;
void SavedGames_Reset();

// The move-history file "~tempmoves.sav", open while the AutoSave option is on.
platform::RecordFile& MoveHistoryFile();
// Sav.Buffer as a record of the move history, while it is open.
void MoveHistory_Write(int record);
// The position on the table as the start of a new move history.
void MoveHistory_Restart();

// Fills Sav.Buffer from the live game; no file access.
void Game_Capture();
// Captures the game and stores it in the automatic-save records of "backup.sav".
void Game_AutoSave();
// Puts record Sav.SaveSlot of an open saved-game or move-history file on the table.
// A refused restore leaves the table as it was and sets Sav.DialogCancelled.
void Game_Restore(platform::RecordFile& file);
// Opens (true) or closes (false) the move history; errors are ignored.
void TempMoves_Open(bool open);
// The restart of the human's turn (Com.RestartingTurn) or the undo of the last play (Com.UndoRequested).
void RestartTurn();

// Installs the operations above where the game flow, the profile and the Undo panel reach them.
void SavedGames_Install();
