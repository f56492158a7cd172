#pragma once
// One piece of music at a time, the intro tune among them.
#include <QByteArray>
#include <QString>

inline constexpr char kMusicSuccess[] = "Success";
inline constexpr char kMusicNoFile[] = "Error with input file";
// Told when the machine has no audio output: the game goes on in silence.
inline constexpr char kMusicNoOutput[] = "No audio output";

// Stops what plays and starts `file`; the result says how it went.
QString MP3_Play(const QString& file);
void MP3_Stop();
bool MP3_IsPlaying();

// Our intro tune as a WAVE file.
QByteArray Music_IntroTune();
// The tune's file in the data folder, written when missing.
QString Music_IntroFile();
// Plays the intro tune.
QString Music_PlayIntro();
