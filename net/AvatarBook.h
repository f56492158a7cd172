#pragma once
// The online avatar address book: the picture each local player chose for each
// Internet opponent, by the opponent's name, in "<player>.avt" of the user folder.
#include "platform/RecordFile.h"

#include <QString>

struct SeatRecord;

// The book's record: a profile identity of 154 bytes of which the name and the
// picture are used; the rest is written blank and zero.
inline constexpr int kBookRecord = 154;
inline constexpr int kBookNameAt = 0, kBookNameWidth = 20;
inline constexpr int kBookAvatarAt = 20, kBookAvatarWidth = 30;
inline constexpr int kBookCommentsAt = 50, kBookCommentsWidth = 100;
inline constexpr int kBookLevelAt = 150, kBookSoundAt = 152;

// The book of the local player (empty when there is no player or user folder).
QString Avatar_BookPath();
// Not storing: the seat takes the picture the book lists under its name, when that
// picture is in the user's Avatars folder. Storing: the seat's picture is written
// under its name, updating that entry or appending one.
void Avatar_Load(SeatRecord& seat, bool store);
