#pragma once
// Each shipped personality's pack: its sounds (made in code) and its pictures (drawn
// in code), put where its companion program would have left them. Installing is
// synchronous and keeps every file the user already has.
#include "media/Personality.h"

#include <QImage>
#include <QString>

// Frames of the winner's animation.
constexpr int kPackFrames = 7;

// True for a personality that comes with a pack ("Oskrel" uses Juvo's).
bool PersonPack_Has(const QString& name);
// The sound files the record names (both columns) into the user's "Sounds", and the
// default avatar the record names into the user's "Avatars"; nothing for a name without a pack.
void PersonPack_Install(const QString& name, const Personality& rec);
// Only the default avatar: the opponents window shows it before the personality is seated.
void PersonPack_InstallAvatar(const QString& name, const Personality& rec);
// The seven animation pictures "<DataPath><name>1.tmp" to "<name>7.tmp" (PNG data);
// false for a name without a pack or a folder that cannot be written.
bool PersonPack_InstallPictures(const QString& name);
// Frame 0 is the avatar's face; 1 to 7 the animation.
QImage PersonPack_Picture(const QString& name, int frame, int size);
