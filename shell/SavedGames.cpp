#include "shell/SavedGames.h"
#include "common/CopyCards.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Plays.h"
#include "engine/Seats.h"
#include "engine/Stats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"
#include "platform/Services.h"
#include "shell/GameMirror.h"
#include "shell/Profile.h"
#include "shell/SaveWarning.h"
#include "shell/SavedGameCheck.h"
#include "shell/SavedIdentity.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "table/TableHooks.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

SavedGamesState Sav;

namespace {

using platform::RecordBuf;

platform::RecordFile g_moves;

int At(SavedGame::Field f) {
    return SavedGame::kFields[f].offset;
}

void CheckSize(SavedGame::Field f, std::size_t cells) {
    if (static_cast<int>(cells) * 2 != SavedGame::kFields[f].size)
        throw std::logic_error(std::string("saved-game field ") + SavedGame::kFields[f].name +
                               " does not match its array");
}

// Arrays are stored with the first index varying fastest.
void Put(RecordBuf& b, SavedGame::Field f, const BArray<int, 1>& a) {
    CheckSize(f, a.Count());
    int off = At(f);
    for (int i = a.LBound(1); i <= a.UBound(1); ++i, off += 2)
        b.SetI16(off, a(i));
}
void Put(RecordBuf& b, SavedGame::Field f, const BArray<int, 2>& a) {
    CheckSize(f, a.Count());
    int off = At(f);
    for (int j = a.LBound(2); j <= a.UBound(2); ++j)
        for (int i = a.LBound(1); i <= a.UBound(1); ++i, off += 2)
            b.SetI16(off, a(i, j));
}
void Put(RecordBuf& b, SavedGame::Field f, const BArray<int, 3>& a) {
    CheckSize(f, a.Count());
    int off = At(f);
    for (int k = a.LBound(3); k <= a.UBound(3); ++k)
        for (int j = a.LBound(2); j <= a.UBound(2); ++j)
            for (int i = a.LBound(1); i <= a.UBound(1); ++i, off += 2)
                b.SetI16(off, a(i, j, k));
}
void Get(const RecordBuf& b, SavedGame::Field f, BArray<int, 1>& a) {
    CheckSize(f, a.Count());
    int off = At(f);
    for (int i = a.LBound(1); i <= a.UBound(1); ++i, off += 2)
        a(i) = b.I16(off);
}
void Get(const RecordBuf& b, SavedGame::Field f, BArray<int, 2>& a) {
    CheckSize(f, a.Count());
    int off = At(f);
    for (int j = a.LBound(2); j <= a.UBound(2); ++j)
        for (int i = a.LBound(1); i <= a.UBound(1); ++i, off += 2)
            a(i, j) = b.I16(off);
}
void Get(const RecordBuf& b, SavedGame::Field f, BArray<int, 3>& a) {
    CheckSize(f, a.Count());
    int off = At(f);
    for (int k = a.LBound(3); k <= a.UBound(3); ++k)
        for (int j = a.LBound(2); j <= a.UBound(2); ++j)
            for (int i = a.LBound(1); i <= a.UBound(1); ++i, off += 2)
                a(i, j, k) = b.I16(off);
}

// The header's single values, in field order.
template <typename G> auto HeaderFields(G& g) {
    return std::array<std::pair<SavedGame::Field, decltype(&g.Pturn)>, 13>{{
        {SavedGame::kNoWildAce, &g.NoWildAce},
        {SavedGame::kPturn, &g.Pturn},
        {SavedGame::kSeatSideCount, &g.SeatSideCount},
        {SavedGame::kPlayerSideCount, &g.PlayerSideCount},
        {SavedGame::kSeatSideStack, &g.SeatSideStack},
        {SavedGame::kPlayerSideStack, &g.PlayerSideStack},
        {SavedGame::kDeckCount, &g.DeckCount},
        {SavedGame::kUsedCount, &g.UsedCount},
        {SavedGame::kHandCount, &g.HandCount},
        {SavedGame::kSideSize, &g.SideSize},
        {SavedGame::kForcedCards, &g.ForcedCards},
        {SavedGame::kNumCenters, &g.NumCenters},
        {SavedGame::kNumPlayers, &g.NumPlayers},
    }};
}

} // namespace

BArray<int, 2>& SavedGame::Side(int seat) {
    return const_cast<BArray<int, 2>&>(static_cast<const SavedGame&>(*this).Side(seat));
}
const BArray<int, 2>& SavedGame::Side(int seat) const {
    static constexpr BArray<int, 2> SavedGame::*kSides[] = {&SavedGame::PlayerSide, &SavedGame::Seat2Side,
                                                            &SavedGame::Seat3Side, &SavedGame::Seat4Side};
    if (seat < 1 || seat > 4) throw std::out_of_range("no side pile for seat " + std::to_string(seat));
    return this->*kSides[seat - 1];
}
BArray<int, 2>& SavedGame::Cards(int seat) {
    return const_cast<BArray<int, 2>&>(static_cast<const SavedGame&>(*this).Cards(seat));
}
const BArray<int, 2>& SavedGame::Cards(int seat) const {
    static constexpr BArray<int, 2> SavedGame::*kCards[] = {&SavedGame::PlayerCards, &SavedGame::Seat2Cards,
                                                            &SavedGame::Seat3Cards, &SavedGame::Seat4Cards};
    if (seat < 1 || seat > 4) throw std::out_of_range("no card slots for seat " + std::to_string(seat));
    return this->*kCards[seat - 1];
}

SavedGame SavedGame::Decode(const RecordBuf& buf) {
    if (buf.Size() != kSize) throw std::invalid_argument("a saved game is 6038 bytes");
    SavedGame g;
    for (auto [field, value] : HeaderFields(g))
        *value = buf.I16(At(field));
    if (buf.I16(At(kIdentityMark)) == kIdentityMarkValue) {
        g.GameId = buf.I32(At(kGameId));
        g.Recorded = buf.Bool(At(kRecorded));
    } else {
        g.Unmarked = buf.Bytes().mid(At(kIdentityMark), At(kReserved) - At(kIdentityMark));
    }
    g.Reserved = buf.Bytes().mid(At(kReserved), kFields[kReserved].size);
    Get(buf, kDeck, g.Deck);
    Get(buf, kUsed, g.Used);
    Get(buf, kPlayerSide, g.PlayerSide);
    Get(buf, kSeat2Side, g.Seat2Side);
    Get(buf, kSeat3Side, g.Seat3Side);
    Get(buf, kSeat4Side, g.Seat4Side);
    Get(buf, kSideCounts, g.SideCounts);
    Get(buf, kSideStacks, g.SideStacks);
    Get(buf, kPlayerCards, g.PlayerCards);
    Get(buf, kSeat2Cards, g.Seat2Cards);
    Get(buf, kSeat3Cards, g.Seat3Cards);
    Get(buf, kSeat4Cards, g.Seat4Cards);
    Get(buf, kCenter, g.Center);
    Get(buf, kCenterCount, g.CenterCount);
    Get(buf, kOppHold, g.OppHold);
    Get(buf, kPlayerHold, g.PlayerHold);
    Get(buf, kHoldDepth, g.HoldDepth);
    Get(buf, kHoldType, g.HoldType);
    Get(buf, kPlayerHoldCount, g.PlayerHoldCount);
    g.Unused = buf.Bytes().mid(At(kUnused), kFields[kUnused].size);
    g.Name = buf.Text(At(kName), kFields[kName].size);
    return g;
}

RecordBuf SavedGame::Encode() const {
    QByteArray bytes(kSize, '\0');
    const struct {
        int at;
        const QByteArray& kept;
        int size;
    } keptAsFound[] = {{At(kIdentityMark), Unmarked, At(kReserved) - At(kIdentityMark)},
                       {At(kReserved), Reserved, kFields[kReserved].size},
                       {At(kUnused), Unused, kFields[kUnused].size}};
    for (const auto& k : keptAsFound) {
        const QByteArray raw = k.kept.left(k.size);
        bytes.replace(k.at, raw.size(), raw);
    }
    RecordBuf b(bytes);
    for (auto [field, value] : HeaderFields(*this))
        b.SetI16(At(field), *value);
    if (GameId != 0) {
        b.SetI16(At(kIdentityMark), kIdentityMarkValue);
        b.SetI32(At(kGameId), GameId);
        b.SetBool(At(kRecorded), Recorded);
    }
    Put(b, kDeck, Deck);
    Put(b, kUsed, Used);
    Put(b, kPlayerSide, PlayerSide);
    Put(b, kSeat2Side, Seat2Side);
    Put(b, kSeat3Side, Seat3Side);
    Put(b, kSeat4Side, Seat4Side);
    Put(b, kSideCounts, SideCounts);
    Put(b, kSideStacks, SideStacks);
    Put(b, kPlayerCards, PlayerCards);
    Put(b, kSeat2Cards, Seat2Cards);
    Put(b, kSeat3Cards, Seat3Cards);
    Put(b, kSeat4Cards, Seat4Cards);
    Put(b, kCenter, Center);
    Put(b, kCenterCount, CenterCount);
    Put(b, kOppHold, OppHold);
    Put(b, kPlayerHold, PlayerHold);
    Put(b, kHoldDepth, HoldDepth);
    Put(b, kHoldType, HoldType);
    Put(b, kPlayerHoldCount, PlayerHoldCount);
    b.SetText(At(kName), kFields[kName].size, Name);
    return b;
}

SavedGame SavedGame_Read(platform::RecordFile& file, int record) {
    const RecordBuf raw = file.Read(record);
    return raw.Size() == SavedGame::kSize ? SavedGame::Decode(raw) : SavedGame{};
}

void SavedGames_Reset() {
    Sav = SavedGamesState{};
    g_moves.Close();
}

platform::RecordFile& MoveHistoryFile() {
    return g_moves;
}

void MoveHistory_Write(int record) {
    if (Shl.MoveLogOn && g_moves.IsOpen() && record >= 1 && !g_moves.Write(record, Sav.Buffer.Encode()))
        SaveFailed_Warn(g_moves.Path(), g_moves.ErrorString());
}

void MoveHistory_Restart() {
    Com.MoveCounter = 1;
    Game_Capture();
    MoveHistory_Write(1);
}

namespace {

void WriteAuto(int record, const RecordBuf& rec) {
    platform::RecordFile& file = SavedGameFile();
    if (!file.Write(record, rec)) SaveFailed_Warn(Com.DataPath + "backup.sav", file.ErrorString());
}

// Whether a stored game can be played over the present connection; tells the user when not.
bool FitsConnection(const SavedGame& g) {
    const QString& peer = Com.PeerVersion;
    const bool fits = g.NumPlayers == Com.NetGame + 1 && Version_Above(peer, kVersionDefaultRules) &&
                      !(g.NumCenters == 4 && Version_AtMost(peer, kOldPeerVersion));
    if (fits) return true;
    if (Version_Above(peer, kOldPeerVersion)) {
        platform::MsgBox(QStringLiteral("You don't have enough players to play this saved game.\r\n"
                                        "Connect to all players first, then Send the Saved game."),
                         platform::vbCritical, "Saved Game for" + NumStr(g.NumPlayers) + " players");
    } else if (Version_Above(peer, kVersionDefaultRules)) {
        platform::MsgBox(QStringLiteral("This saved game uses features that your opponent's program "
                                        "does not support."),
                         platform::vbCritical,
                         "Saved Game for" + NumStr(g.NumPlayers) + " players and" + NumStr(g.NumCenters) +
                             " centers");
    } else {
        platform::MsgBox(QStringLiteral("Your opponent's program is not compatible with saved games."),
                         platform::vbCritical, QStringLiteral("Unable to send a saved game."));
    }
    return false;
}

// Puts a checked record's position into the card tables and the seat records.
void PutOnTable(const SavedGame& g) {
    SavedGame from = g;
    SavedGame_Mirror(from, true);
}

} // namespace

void Game_Capture() {
    if (Sav.SaveMidTurn && Com.Pturn != 1) GoUpdateOpponents();
    SavedGame g;
    g.NoWildAce = Com.NoWildAce ? -1 : 0;
    g.Pturn = Com.Pturn;
    g.SideSize = Com.SideSize;
    g.ForcedCards = Com.ForcedCards;
    g.NumCenters = Com.NumCenters;
    g.NumPlayers = Com.NumPlayers;
    g.GameId = Eng.GameId;
    g.Recorded = Eng.Recorded;
    SavedGame_Mirror(g, false);
    Sav.Buffer = g;
}

void Game_AutoSave() {
    Game_Capture();
    const bool odd = Eng.TurnCount % 2 != 0;
    Sav.SaveSlot = odd || Eng.TurnCount == 0 ? kAutoSaveOdd : kAutoSaveEven;
    Sav.Buffer.Name = QStringLiteral("AutoSave");
    const RecordBuf rec = Sav.Buffer.Encode();
    WriteAuto(Sav.SaveSlot, rec);
    WriteAuto(kAutoSaveCopy, rec);
    if (Eng.TurnCount == 0) {
        // The deal: a restart of the first turn and of the game both start here, and the game
        // is this run's own.
        WriteAuto(kAutoSaveEven, rec);
        WriteAuto(kGameStart, rec);
        Sav.DealtThisRun = true;
    }
}

namespace {

// The stored game in the slot Sav.SaveSlot names, or nothing when it cannot be restored here.
std::optional<SavedGame> ReadRestorable(platform::RecordFile& file) {
    const SavedGame g = SavedGame_Read(file, Sav.SaveSlot);
    Sav.Buffer = g;
    if (!SavedGame_Fault(g).isEmpty()) {
        platform::MsgBox(QStringLiteral("This saved game is empty or damaged."), platform::vbExclamation,
                         QStringLiteral("Restore"));
        return std::nullopt;
    }
    if (Com.NetGame != 0 && !FitsConnection(g)) return std::nullopt;
    return g;
}

void TakeGameSize(TableForm& f, const SavedGame& g, bool sameTurn) {
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    if (!sameTurn) f.StatusBar_Clear();
    Com.ForcedCards = g.ForcedCards;
    Com.NumPlayers = g.NumPlayers;
    Com.SideSize = g.SideSize;
    Com.TotalCards = Com.NumPlayers * 52;
    Com.NumCenters = g.NumCenters;
}

void PlayRestoreSound(bool fromSaves) {
    if (Com.SoundMode == kSoundsOff || Com.TutorialMode) return;
    const bool chosenGame = fromSaves && !Com.RestartingTurn;
    platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(chosenGame ? kSoundDeal : kSoundRestore));
}

void ShowRestored(TableForm& f) {
    if (Com.NetGame == 0) f.Stacks_ShowCounts(true);
    Sav.DealtThisRun = true;
    if (Com.NetGame == 0) f.Table_Redraw();
    Hooks.Rules_ShowCaption();
    f.Counter_Refresh();
    // On the human's turn the working set holds the seat that played last, as after a turn.
    SeatRecord_Copy(SeatRecordOf(Com.Pturn >= 2 ? Com.Pturn : Com.NumPlayers), false);
    f.WildUpdate();
    Com.KeepSidePicture = true;
}

// Answers whether the restored game goes on after the pause: a game put on the table
// meanwhile, or a closing program, is not the restored one to play on.
PauseAnswer ShowWhoseTurn(TableForm& f) {
    const GameOnTable mine;
    if (Com.Pturn == 1) {
        // A tutorial's prepared position is a turn no one has played yet.
        f.Label9(kLblMessage)
            .SetCaption(Com.TutorialMode ? QString() : QStringLiteral("It's still your turn."));
        f.ImgTurn1.SetVisible(true);
        f.ImgTurn2.SetVisible(false);
        return mine.Answer();
    }
    f.Label9(kLblMessage).SetCaption(QStringLiteral("It's NOT your turn."));
    f.ImgTurn2.SetVisible(true);
    f.ImgTurn1.SetVisible(false);
    return mine.Pause(Com.NetGame == 0 ? kPaceNotYourTurn : 0);
}

} // namespace

void Game_Restore(platform::RecordFile& file) {
    // The turn loop works on the tables a restore would replace under it.
    if (Eng.CompTurnActive) {
        Sav.DialogCancelled = true;
        return;
    }
    Sav.DialogCancelled = false;
    TableForm& f = frmGrulm();
    const bool fromSaves = &file == &SavedGameFile();
    const bool sameTurn = Com.RestartingTurn || Com.UndoRequested || Sav.ResumePending;
    const std::optional<SavedGame> read = ReadRestorable(file);
    if (!read) {
        Sav.DialogCancelled = true;
        return;
    }
    const SavedGame& g = *read;

    // From here on the table takes the stored game.
    const std::int32_t tableId = Eng.GameId;
    const bool tableRecorded = Eng.Recorded;
    if (!sameTurn) Game_Begin(true);
    if (!sameTurn || Sav.ResumePending) SavedIdentity_Take(g, fromSaves, tableId, tableRecorded);
    TakeGameSize(f, g, sameTurn);
    PlayRestoreSound(fromSaves);
    if (Com.SideSize == 0) Com.SideSize = 19;
    if (Com.NumPlayers != Com.PrevPlayers || Com.NumCenters != Com.PrevCenters)
        f.Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    f.Table_Clear();
    Com.NoWildAce = g.NoWildAce != 0;
    Com.Pturn = g.Pturn;
    WhosOnFirst();
    PutOnTable(g);
    // A turn restarted or a play undone keeps the starts of the turns that Previous Turn goes back to.
    if (!Com.RestartingTurn && !Com.UndoRequested) {
        SavedGame kept = g;
        kept.GameId = Eng.GameId;
        kept.Recorded = Eng.Recorded;
        const RecordBuf rec = kept.Encode();
        WriteAuto(kAutoSaveEven, rec);
        WriteAuto(kAutoSaveOdd, rec);
    }
    if (Com.RecoverPending == 1) Sav.RecoveredLabel = g.Name.mid(2).trimmed();
    ShowRestored(f);
    Sav.ResumePending = false;
    // A restored game starts a new move history.
    if (Shl.MoveLogOn && !sameTurn) MoveHistory_Restart();
    if (!ShowWhoseTurn(f)) return;
    if (Com.RecoverPending == 1) return;
    if (Com.Pturn == 1)
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
    else
        Hooks.ComputerTurn();
}

void TempMoves_Open(bool open) {
    if (open) {
        Shl.MoveLogOn = g_moves.Open(Com.DataPath + "~tempmoves.sav", SavedGame::kSize);
        if (!Shl.MoveLogOn) SaveFailed_Warn(Com.DataPath + "~tempmoves.sav", g_moves.ErrorString());
    } else {
        g_moves.Close();
        Shl.MoveLogOn = false;
        Eng.TurnCount = 0;
    }
}

void RestartTurn() {
    // A play, discard or restart still on the stack, or a game being dealt, finishes first.
    if (Eng.PlayBusy || Game_Starting()) {
        Com.RestartingTurn = false;
        Com.UndoRequested = false;
        return;
    }
    PlayBusyScope busy;
    const QString title = QStringLiteral("Restart Turn");
    auto refuse = [&](const QString& text, int style) {
        platform::MsgBox(text, style, title);
        // A raised flag would otherwise mislead the next table reset.
        Com.RestartingTurn = false;
        Com.UndoRequested = false;
    };
    if (Com.NetGame != 0) {
        refuse(QStringLiteral("Restart turn cannot be used during an Internet game"),
               platform::vbInformation);
        return;
    }
    if (!Shl.MoveLogOn) {
        refuse(QStringLiteral("The AutoSave box from the Game Menu, Restore Game option,\r\n"
                              "must be checked to use this option."),
               platform::vbOKOnly);
        return;
    }
    if (!Com.KeepSidePicture) {
        refuse(QStringLiteral("Huh? No turn to restart! (?)"), platform::vbOKOnly);
        return;
    }
    Sav.TurnRestarted = true;
    if (Com.RestartingTurn) {
        Sav.SaveSlot = Eng.TurnCount % 2 != 0 ? kAutoSaveOdd : kAutoSaveEven;
        Game_Restore(SavedGameFile());
        Com.RestartingTurn = false;
        if (Sav.DialogCancelled) return;
        Stats_TakeBack(static_cast<int>(Eng.HumanPlays.size()));
        MoveHistory_Restart();
    } else if (Com.UndoRequested) {
        if (Com.MoveCounter > 1) {
            Sav.SaveSlot = Com.MoveCounter - 1;
            Game_Restore(g_moves);
            Com.UndoRequested = false;
            if (!Sav.DialogCancelled) {
                Com.MoveCounter -= 1;
                Stats_TakeBack(1);
            }
        } else {
            Com.UndoRequested = false;
        }
    } else {
        Com.UndoRequested = false;
    }
}

void SavedGames_Install() {
    Hooks.Game_AutoSave = [] { Game_AutoSave(); };
    Hooks.Game_Capture = [] { Game_Capture(); };
    Hooks.MoveHistory_Write = [](int record) { MoveHistory_Write(record); };
    Hooks.MoveLogOn = [] { return Shl.MoveLogOn; };
    ProfHooks.TempMovesOpen = [](bool open) { TempMoves_Open(open); };
    RestartTurnHook = [] { RestartTurn(); };
}
