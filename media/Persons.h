#pragma once
// Personalities at the table: the list of personality files, the opponent slots of
// the player's profile turned into the seat records of seats 2 to 4, and the
// current personality.
#include "engine/Model.h"
#include "media/Personality.h"
#include "shell/Profile.h"

#include <QString>

// The install folder's personality files, "<AppPath>/Data/PMS/".
QString Person_Folder();
// The silent sound that stands in for a missing one.
QString Person_SilentSound();
// A level as an index of the level tables: outside 0..2 it is 0.
int Level_Index(int level);

// The default opponent: Grulm, level 0, "Grulm.jpg", sound column 0, his own comments.
void Person_Default(PlayerIdentity& slot);
// A never-written slot becomes the default; then its choice is copied into the seat.
void Person_Check(SeatRecord& seat, PlayerIdentity& slot);
// Reads the seat's personality file into the seat: sounds, comments, default avatar.
// `first` 1 is seat 2, whose personality also fills the working set and the table.
void Person_Load(SeatRecord& seat, int first);
// Reads a personality into PersonRec and its general comments into SeatComments 1..20.
void Person_Read(const QString& name);
// Seats 2 to 4 from the profile's opponent slots 1 to 3, in the order the table needs.
void Person_SeatAll(PlayerPrefs& prefs);

// The comment-set entry an opponents window shows for opponent slot 0..3 of the
// player's profile: "Default Personality", "No Comments" or the set's name. A set whose
// file is gone becomes "Default Personality" and the profile record is written back.
QString Person_Store(int slot);

// Why a personality cannot be an opponent's: the profile keeps the name in 20 characters of
// its code page, and a name it cannot keep would be Grulm at the next start. "" when it can.
QString Person_NameFault(const QString& name);

// Builds PersonList: "Grulm" first, the files found, "Oskrel" last when present.
void List_Personalities();
// Seat 2's personality becomes the current one.
void ChangePerson();

// Loads the comment set "<name>.cmt" of the user folder over SeatComments 1..20.
void Comments_Load(const QString& name);

// Record 1 of a personality by name: its file, else Grulm's (`*found` false). A
// damaged file is reported once a run and counts as missing.
Personality Person_Record(const QString& name, bool* found);
