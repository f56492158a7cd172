#include "shell/SavedIdentity.h"
#include "common/Shared.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "shell/SaveWarning.h"
#include "shell/Startup.h"

#include <vector>

namespace {

using platform::RecordBuf;

void IdentityWrite(int record, const RecordBuf& buf) {
    platform::RecordFile& file = SavedGameFile();
    if (!file.Write(record, buf)) SaveFailed_Warn(Com.DataPath + "backup.sav", file.ErrorString());
}

// Where the identity lies in a record, and whether it carries one.
struct IdentityAt {
    int mark = SavedGame::kFields[SavedGame::kIdentityMark].offset;
    int game = SavedGame::kFields[SavedGame::kGameId].offset;
    int recorded = SavedGame::kFields[SavedGame::kRecorded].offset;
    bool In(const RecordBuf& b) const {
        return b.Size() == SavedGame::kSize && b.I16(mark) == SavedGame::kIdentityMarkValue;
    }
};

// A game stored before identities were kept takes the one it has now in the records of the
// player's games it came from: the slot, the slot's start and the start of the game. The
// tutorial's prepared positions are left as shipped.
void AdoptIdentity(int slot, std::int32_t id) {
    if (slot < 1 || slot > kLastGameRecord) return;
    platform::RecordFile& file = SavedGameFile();
    const IdentityAt at;
    std::vector<int> records{slot};
    if (slot >= 1 && slot + kSlotStartOffset <= kLastGameRecord)
        records.insert(records.end(), {slot + kSlotStartOffset, kGameStart});
    for (const int record : records) {
        RecordBuf buf = file.Read(record);
        if (buf.Size() != SavedGame::kSize || at.In(buf)) continue;
        buf.SetI16(at.mark, SavedGame::kIdentityMarkValue);
        buf.SetI32(at.game, id);
        IdentityWrite(record, buf);
    }
}

} // namespace

void SavedIdentity_Take(const SavedGame& g, bool fromSaves, std::int32_t tableId, bool tableRecorded) {
    Eng.Recorded = g.Recorded || (g.GameId != 0 && g.GameId == tableId && tableRecorded);
    Eng.GameId = g.GameId != 0 ? g.GameId : Game_NewIdentity();
    if (g.GameId == 0 && fromSaves) AdoptIdentity(Sav.SaveSlot, Eng.GameId);
}

void SavedGames_MarkRecorded(std::int32_t id) {
    platform::RecordFile& file = SavedGameFile();
    if (id == 0 || !file.IsOpen()) return;
    const IdentityAt at;
    for (int record = 1; record <= kLastGameRecord; ++record) {
        RecordBuf buf = file.Read(record);
        if (!at.In(buf) || buf.I32(at.game) != id || buf.Bool(at.recorded)) continue;
        buf.SetBool(at.recorded, true);
        IdentityWrite(record, buf);
    }
}
