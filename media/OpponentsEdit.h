#pragma once
// What the opponents editor changes, apart from its window: an opponent slot saved and
// seated, a personality's custom sounds, avatars imported and deleted, and the game
// size chosen when the editor closes.
#include <QString>
#include <QtCore/qcontainerfwd.h>

// One opponent as the editor shows it.
struct OpponentEdit {
    QString name;
    int level = 0;
    QString avatar;
    QString commentSet;
    int soundColumn = 0;
};

// Opponent slot 1 to 3 takes the edit, is written to the profile and seated; the extracted
// sounds of the personality it replaces go when no other slot still names it.
void Opponent_Save(int slot, const OpponentEdit& e, const QString& previousName);
// Seats opponent slot 1 to 3 (seats 2 to 4) from the profile.
void ApplyOpponent(int slot);
// A never-written slot gets the personality of its row and the comment set shown.
bool Opponent_FillBlank(int slot, const QString& personality, const QString& commentSet);

// The custom sound names (entries 1 to 16; 0 unused) of a personality, with where each
// file is now. Files from elsewhere are copied into the user's "Sounds"; then only the
// custom column of the personality's file changes. False, after telling the user, when
// the file cannot be read or written.
bool Opponent_SaveSounds(const QString& personality, const QStringList& names, const QStringList& paths);

// The personalities' own avatars, which cannot be deleted.
bool IsDefaultAvatar(const QString& name);
// Imports a picture into the user's "Avatars" through the open-file dialog; the file name
// it got there, or "" when nothing was imported.
QString Get_Avatars();
// Deletes an avatar of the user's "Avatars" after asking; true when it is gone.
bool Avatar_Delete(const QString& name);

// Applies the game size chosen (centers 0: unchanged); true when it changed, which a
// new game follows. Unchanged, the editor counts as cancelled (Sav.DialogCancelled).
bool Opponents_Done(int players, int centers);
