#pragma once
// The program's own sounds: made in code, written into the data folder at start-up
// so every part can play them by file name, and removed at exit.
#include <QByteArray>
#include <QString>

inline constexpr int kGameSoundFirst = 105;
inline constexpr int kGameSoundLast = 123;

// The data folder's file of sound `id`, as common/SoundFiles.h names them.
QString GameSound_File(int id);
// The WAVE bytes of sound `id`; empty for an id that is not one of ours.
QByteArray GameSound_Make(int id);

// Writes every sound into the data folder; a file that cannot be written is skipped.
void SetUpSounds();
// The exit: the working set's turn-over sound, the data folder's temporary files and
// the user's downloaded sound packs removed, the music stopped.
void CleanUpSounds();
