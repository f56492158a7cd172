#pragma once
// The personalities whose sounds the chat offers (up to three): their sound files
// "<anything><name>.pmw" in the user's "Sounds" folder come and go with the choice.
#include <QString>
#include <QStringList>

constexpr int kChatSoundPersons = 3;

// Puts a personality's chat sounds in place, as its sound program would; false for a
// personality that has no sounds to give.
bool ChatSounds_Install(const QString& name);
// Deletes the chat sounds of a personality.
void ChatSounds_Remove(const QString& name);
// Makes Med.ChatSoundPersons hold the picked names (at most three): the sounds of names
// no longer picked are deleted, new names are installed in the first free entries.
void InstallPersonalitySounds(QStringList picked);
