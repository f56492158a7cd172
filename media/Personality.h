#pragma once
// The record of a personality file "<name>.pms": a description and 35 comments,
// two columns of 17 sound entries, and the default avatar. Only record 1 is used.
#include "common/BArray.h"
#include "common/Records.h"
#include "platform/RecordFile.h"

#include <QString>

// Sound slots 1 to 16 of a personality, as the opponents editor names them.
enum PersonSound : int {
    kSndWildPlayer = 1, // "Wild Card -P"
    kSndTurnOver = 2,
    kSndWin1 = 3,
    kSndWin4 = 6,
    kSndLose1 = 7,
    kSndLose4 = 10,
    kSndWhining = 11,
    kSndThanks = 12,
    kSndYeah = 13,
    kSndWinner = 14,
    kSndLoser = 15,
    kSndWildOpponent = 16, // "Wild Card -O"
};
constexpr int kPersonSounds = 16;
constexpr int kPersonComments = 35;
// The captions of the sound slots, index 1 to 16 (0 unused).
extern const char* const kPersonSoundCaptions[kPersonSounds + 1];

struct Personality {
    BArray<QString, 1> Comments{kPersonComments}; // 0 the description, 1..35 shown at the table
    BArray<QString, 2> Sounds{1, kPersonSounds};  // (column, slot); (0, 0) holds a number as text
    QString DefaultAvatar;

    enum Field { kComments, kSounds, kDefaultAvatar };
    static constexpr RecordField kFields[] = {
        {"Comments", 0, 3600}, {"Sounds", 3600, 2720}, {"DefaultAvatar", 6320, 20}};
    static constexpr int kSize = 6340;
    static constexpr int kCommentWidth = 100;
    static constexpr int kSoundWidth = 80;

    static int CommentOffset(int k) { return kFields[kComments].offset + kCommentWidth * k; }
    // Stored column-fastest: (0,0), (1,0), (0,1), (1,1) ...
    static int SoundOffset(int column, int slot) {
        return kFields[kSounds].offset + kSoundWidth * (column + 2 * slot);
    }

    // A whole record; any other size is a caller's fault and throws. Each text ends at
    // its first NUL, so the rubbish of a damaged field does not reach the table.
    static Personality Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    bool operator==(const Personality&) const = default;
};
static_assert(FieldsFill(Personality::kFields, Personality::kSize));

enum class PersonFile { Ok, Missing, Damaged };
// Reads record 1 of a personality file without creating it. A file shorter than one
// record is damaged: what it has is decoded, the rest reads as zeros.
PersonFile Personality_ReadFile(const QString& path, Personality* out);
bool Personality_WriteFile(const QString& path, const Personality& rec);
// Grulm's own record, for an install folder that has lost "Grulm.pms".
const Personality& Personality_Grulm();
