#pragma once
// The readable source of a personality, from which its file is made:
//   description = ...      avatar = Grulm.jpg      flash = 1
//   sounds = Grulm         (names both columns: "Grulm-03.wav", "Grulm-03b.wav", ...)
//   s0.5 = Special.wav     (column 0, slot 5; overrides the pattern)
//   c1 = ...  up to  c35 = ...
// Blank lines and lines starting with '#' are skipped.
#include "media/Personality.h"

#include <QString>

// False, with the line named in `error`, for a line that is not understood.
bool Personality_FromText(const QString& text, Personality* out, QString* error);
// The sound file of a slot under the naming pattern of `prefix`.
QString Personality_SoundName(const QString& prefix, int column, int slot);
